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
    list.push_back(std::make_unique<Option>(QStringLiteral("MergeCueExtensions"),
                                            &options.mergeCueExtensions));
    list.push_back(
        std::make_unique<Option>(QStringLiteral("WholeNameMatch"), &options.wholeNameMatch));
    return list;
}

void applyConfigLine(const QString &line, const OptionList &options)
{
    const QStringList tokens = line.split(QLatin1Char(' '));
    int i = 0;
    while (i < tokens.size()) {
        // After a matched key the remaining options look at its value token, which never
        // equals a key, so each pair is consumed as a unit.
        for (const auto &option : options) {
            if (option->readToken(tokens, i))
                ++i;
        }
        ++i;
    }
}

bool readConfig(const QString &path, const OptionList &options)
{
    const std::optional<QStringList> lines = TextFile::readSettingsLines(path);
    if (!lines)
        return false;
    for (const QString &line : *lines)
        applyConfigLine(line, options);
    return true;
}

bool readConfig(const QString &path, AnalysisOptions &options)
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
