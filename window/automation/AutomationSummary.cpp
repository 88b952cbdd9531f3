#include "automation/AutomationSummary.h"

namespace {

QString counted(qsizetype n, const char *one, const char *many)
{
    return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
}

} // namespace

QString AutomationSummary::outcome() const
{
    QString text = counted(written.size(), "file", "files") + QStringLiteral(" written for ") +
                   counted(screenplays, "screenplay", "screenplays");
    if (!failures.isEmpty())
        text += QStringLiteral("; ") + counted(failures.size(), "failure", "failures");
    return text;
}
