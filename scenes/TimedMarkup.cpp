#include "scenes/TimedMarkup.h"

#include "reader/StageProgress.h"
#include "scenes/HtmlSanitizer.h"

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
void countNames(const MarkupSources &sources, TimeIndexVector &index, const QString &list)
{
    const bool caseSensitive = sources.options.caseSensitive;
    const bool looseMatch = sources.options.looseMatch;
    const CharacterList &characters = sources.characters;
    for (const QString &name : quotedNames(list)) {
        const QStringList words{name};
        int last = -1;
        for (int k = 0; k < static_cast<int>(characters.size()); ++k) {
            if (!characters[k]->matchAt(words, 0, caseSensitive, looseMatch).isEmpty())
                last = k;
        }
        if (last >= 0)
            index.countCharacter(last);
    }
}

} // namespace

MarkupResult markupTimed(const MarkupSources &sources, const StageProgress &progress)
{
    auto index = std::make_unique<TimeIndexVector>(sources.characters);

    QByteArray result;
    // With no processed record the closing scene spans 0 to 0.
    float lastStart = 0.0f;
    float lastEnd = 0.0f;
    const int n = sources.lines.size();
    for (int i = 0; i < n; ++i) {
        if (progress.wasCanceled())
            break;
        progress.report(i);
        const QString &line = sources.lines.at(i);
        if (line.contains(QLatin1String("BREAK"), Qt::CaseSensitive))
            continue;
        const QStringList parts = line.split(QLatin1Char('"'));
        const QStringList fields = parts.at(0).split(QLatin1Char(','));
        lastStart = timeField(fields, 0);
        lastEnd = lastStart + timeField(fields, 1);
        if (!std::isfinite(lastEnd))
            lastEnd = lastStart;
        index->addScene(lastStart, QStringLiteral("fight"));
        if (parts.size() == 3)
            countNames(sources, *index, parts.at(1));
        index->addScene(lastEnd, QStringLiteral("break"));
        result += escapeHtml(line).toUtf8();
        result += "<br>";
    }
    index->addScene(lastStart, QStringLiteral("end"));
    index->scenes.back().end = lastEnd;
    index->normalizeTimes();

    MarkupResult marked;
    marked.html = std::move(result);
    marked.index = std::move(index);
    marked.characters = sources.characters;
    marked.lastBreakPosition = sources.lastBreakPosition;
    return marked;
}
