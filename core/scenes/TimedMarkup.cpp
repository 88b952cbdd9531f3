#include "scenes/TimedMarkup.h"

#include "scenes/HtmlSanitizer.h"
#include "scenes/NameWordFilter.h"
#include "support/StageProgress.h"

#include <cmath>
#include <vector>

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

// Finds the characters a record names. Asking only the characters the filter leaves in gives
// the result of asking every one, in time linear in the names rather than in names times
// characters.
class RecordNames
{
public:
    explicit RecordNames(const MarkupSources &sources)
        : m_sources(sources)
        , m_filter(sources.characters, CharacterList(), sources.options)
    {
    }

    // Counts the last character of the list that matches each name.
    void count(TimeIndexVector &index, const QString &list)
    {
        const bool caseSensitive = m_sources.options.caseSensitive;
        const bool looseMatch = m_sources.options.looseMatch;
        const CharacterList &characters = m_sources.characters;
        for (const QString &name : quotedNames(list)) {
            const QStringList words{name};
            m_filter.prepare(words, m_line);
            m_filter.charactersAt(m_line, 0, m_asked);
            int last = -1;
            for (const int k : m_asked) {
                if (!characters[k]->matchAt(words, 0, caseSensitive, looseMatch).isEmpty())
                    last = k;
            }
            if (last >= 0)
                index.countCharacter(last);
        }
    }

private:
    const MarkupSources &m_sources;
    NameWordFilter m_filter;
    NameWordFilter::Line m_line;
    std::vector<int> m_asked;
};

} // namespace

MarkupResult markupTimed(const MarkupSources &sources, const StageProgress &progress)
{
    auto index = std::make_unique<TimeIndexVector>(sources.characters);
    RecordNames names(sources);

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
            names.count(*index, parts.at(1));
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
