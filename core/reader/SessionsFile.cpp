#include "reader/SessionsFile.h"

#include <QHash>

namespace {

class SessionsParser
{
public:
    // False (with the reason kept) when the line cannot be a step.
    bool addStep(const QString &line, int lineNumber)
    {
        StorylineSteps::Step step;
        m_stepGroupOf.clear();
        const QStringList groups = line.split(QLatin1Char('\t'));
        for (const QString &groupText : groups) {
            StorylineSteps::Group group;
            for (const QString &member : groupText.split(QLatin1Char(','))) {
                const QString name = member.simplified();
                if (name.isEmpty())
                    continue;
                const int id = idOf(name);
                const auto seen = m_stepGroupOf.constFind(id);
                if (seen != m_stepGroupOf.constEnd()) {
                    if (*seen == int(step.size()))
                        continue; // twice in one group: once
                    result.error = QStringLiteral("line %1: %2 is in two groups of one step")
                                       .arg(lineNumber)
                                       .arg(name);
                    return false;
                }
                m_stepGroupOf.insert(id, int(step.size()));
                group.push_back(id);
            }
            if (!group.empty())
                step.push_back(std::move(group));
        }
        result.steps.steps.push_back(std::move(step));
        return true;
    }

    SessionsText result;

private:
    int idOf(const QString &name)
    {
        const auto known = m_ids.constFind(name);
        if (known != m_ids.constEnd())
            return *known;
        const int id = result.names.size();
        m_ids.insert(name, id);
        result.names.append(name);
        return id;
    }

    QHash<QString, int> m_ids;
    QHash<int, int> m_stepGroupOf; // character -> its group in the step being read
};

} // namespace

SessionsText parseSessions(const QStringList &lines)
{
    SessionsParser parser;
    for (int i = 0; i < lines.size(); ++i) {
        if (!parser.addStep(lines.at(i), i + 1)) {
            SessionsText failed;
            failed.error = parser.result.error;
            return failed;
        }
    }
    SessionsText &result = parser.result;
    result.steps.characterCount = result.names.size();
    if (result.names.isEmpty())
        result.error = QStringLiteral("names nobody: a sessions file has one line per step, its "
                                      "groups separated by tabs and their names by commas");
    return std::move(result);
}
