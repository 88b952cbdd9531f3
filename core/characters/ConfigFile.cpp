#include "characters/ConfigFile.h"

#include "reader/TextFile.h"

namespace {

// The bound values of the options, so a failed write can put them back.
struct MemberSnapshot
{
    std::vector<qint32> ints;
    std::vector<bool> bools;
};

MemberSnapshot takeSnapshot(const OptionList &options)
{
    MemberSnapshot snapshot;
    for (const auto &option : options) {
        snapshot.ints.push_back(option->intValue != nullptr ? *option->intValue : 0);
        snapshot.bools.push_back(option->boolValue != nullptr && *option->boolValue);
    }
    return snapshot;
}

void restoreSnapshot(const MemberSnapshot &snapshot, const OptionList &options)
{
    for (size_t i = 0; i < options.size(); ++i) {
        if (options[i]->intValue != nullptr)
            *options[i]->intValue = snapshot.ints[i];
        if (options[i]->boolValue != nullptr)
            *options[i]->boolValue = snapshot.bools[i];
    }
}

} // namespace

OptionList makeAnalysisOptions(AnalysisOptions &options)
{
    OptionList list;
    list.push_back(std::make_unique<Option>(QStringLiteral("Find the Characters in the Text"),
                                            &options.findCharacters));
    list.push_back(std::make_unique<Option>(QStringLiteral("looseMatch"), &options.looseMatch));
    list.push_back(
        std::make_unique<Option>(QStringLiteral("CaseSensitivity"), &options.caseSensitive));
    list.push_back(std::make_unique<Option>(QStringLiteral("MinCharacterSpaces"),
                                            &options.minCharacterSpaces));
    list.push_back(std::make_unique<Option>(QStringLiteral("MinNumberOfCharacterInstances"),
                                            &options.minCharacterInstances));
    list.push_back(std::make_unique<Option>(QStringLiteral("NumberSteps"), &options.numberSteps));
    list.back()->minimum = 1; // the thread layout steps by 1 / NumberSteps
    list.push_back(std::make_unique<Option>(QStringLiteral("MergeCueExtensions"),
                                            &options.mergeCueExtensions));
    list.push_back(
        std::make_unique<Option>(QStringLiteral("WholeNameMatch"), &options.wholeNameMatch));
    return list;
}

QStringList applyConfigLine(const QString &line, const OptionList &options)
{
    QStringList problems;
    const QStringList tokens = line.split(QLatin1Char(' '));
    int i = 0;
    while (i < tokens.size()) {
        // After a matched key the remaining options look at its value token, which never
        // equals a key, so each pair is consumed as a unit.
        for (const auto &option : options) {
            QString problem;
            if (option->readToken(tokens, i, &problem))
                ++i;
            if (!problem.isEmpty())
                problems.append(problem);
        }
        ++i;
    }
    return problems;
}

SettingsRead readConfig(const QString &path, const OptionList &options)
{
    SettingsRead result;
    const std::optional<QStringList> lines = TextFile::readSettingsLines(path);
    if (!lines)
        return result;
    result.read = true;
    for (int n = 0; n < lines->size(); ++n) {
        for (const QString &problem : applyConfigLine(lines->at(n), options))
            result.warnings.append(settingsLineWarning(path, n, problem));
    }
    return result;
}

SettingsRead readConfig(const QString &path, AnalysisOptions &options)
{
    return readConfig(path, makeAnalysisOptions(options));
}

bool writeConfig(const QString &path, const OptionList &options)
{
    // configLine takes the dialog's values into the members; they must only stick when
    // the file was written.
    const MemberSnapshot before = takeSnapshot(options);
    QString text;
    for (const auto &option : options)
        text += option->configLine();
    if (TextFile::writeText(path, text))
        return true;
    restoreSnapshot(before, options);
    return false;
}
