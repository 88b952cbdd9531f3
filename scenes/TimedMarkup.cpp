#include "scenes/TimedMarkup.h"

#include "app/AnalysisProgress.h"
#include "app/DocumentModel.h"

#include <cmath>

namespace {

// A field that is missing, is not a number or is not finite reads 0, so no time of the
// index can become NaN or infinite through the file.
float timeField(const QStringList &fields, int position)
{
    if (position >= fields.size())
        return 0.0f;
    bool ok = false;
    const float value = fields.at(position).toFloat(&ok);
    return ok && std::isfinite(value) ? value : 0.0f;
}

// The names of a quoted list such as "[ANNA, BEN]": quotes, brackets, apostrophes and
// blanks go before the split at commas.
QStringList quotedNames(QString list)
{
    list.remove(QLatin1Char('"'));
    list.remove(QLatin1Char('['));
    list.remove(QLatin1Char(']'));
    list.remove(QLatin1Char('\''));
    list.remove(QLatin1Char(' '));
    return list.split(QLatin1Char(','));
}

// Counts the last character of the list that matches each name.
void countNames(const DocumentModel &document, TimeIndexVector &index, const QString &list)
{
    const bool caseSensitive = document.options.caseSensitive;
    const bool looseMatch = document.options.looseMatch;
    for (const QString &name : quotedNames(list)) {
        const QStringList words{name};
        int last = -1;
        for (int k = 0; k < static_cast<int>(document.characters.size()); ++k) {
            if (!document.characters[k]->matchAt(words, 0, caseSensitive, looseMatch).isEmpty())
                last = k;
        }
        if (last >= 0)
            index.countCharacter(last);
    }
}

} // namespace

QString markupTimed(DocumentModel &document, AnalysisProgress &progress)
{
    TimeIndexVector &index = document.indexForPass();

    QString result;
    // With no processed record the closing scene spans 0 to 0.
    float lastStart = 0.0f;
    float lastEnd = 0.0f;
    const int n = document.textLines.size();
    for (int i = 0; i < n; ++i) {
        if (progress.wasCanceled())
            break;
        progress.setValue(i);
        const QString &line = document.textLines.at(i);
        if (line.contains(QLatin1String("BREAK"), Qt::CaseSensitive))
            continue;
        const QStringList parts = line.split(QLatin1Char('"'));
        const QStringList fields = parts.at(0).split(QLatin1Char(','));
        lastStart = timeField(fields, 0);
        lastEnd = lastStart + timeField(fields, 1);
        if (!std::isfinite(lastEnd))
            lastEnd = lastStart;
        index.addScene(lastStart, QStringLiteral("fight"));
        if (parts.size() == 3)
            countNames(document, index, parts.at(1));
        index.addScene(lastEnd, QStringLiteral("break"));
        result += line;
        result += QLatin1String("<br>");
    }
    index.addScene(lastStart, QStringLiteral("end"));
    index.scenes.back().end = lastEnd;
    index.normalizeTimes();
    return result;
}
