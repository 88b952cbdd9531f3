#include "scenes/TimedMarkup.h"

#include "scenes/HtmlSanitizer.h"
#include "scenes/NameWordFilter.h"
#include "support/StageProgress.h"

#include <QRegularExpression>

#include <cmath>
#include <optional>
#include <vector>

namespace {

// Times past this many seconds (about 31 years) are no recording's: they come from a broken
// or hostile file, and their sums would lose the seconds of every other record.
constexpr double maxSeconds = 1e9;

// A time field: missing or not a number reads 0, as a header line's words do; a number that
// is negative, not finite or too large makes the record unusable (nullopt).
std::optional<double> timeField(const QStringList &fields, int position)
{
    if (position >= fields.size())
        return 0.0;
    const QString text = fields.at(position).trimmed();
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok) {
        // Qt refuses "inf", "nan" and numbers beyond a double's range; all are broken times.
        static const QRegularExpression brokenNumber(
            QStringLiteral("^[+-]?(inf(inity)?|nan|[0-9.]+e[+-]?[0-9]+)$"),
            QRegularExpression::CaseInsensitiveOption);
        return brokenNumber.match(text).hasMatch() ? std::nullopt : std::optional<double>(0.0);
    }
    if (!std::isfinite(value) || value < 0.0 || value > maxSeconds)
        return std::nullopt;
    return value;
}

struct RecordTimes
{
    float start = 0.0f;
    float end = 0.0f;
};

// The start and end of a record; nullopt when a time is negative, not finite or beyond
// maxSeconds (a negative duration included).
std::optional<RecordTimes> recordTimes(const QStringList &fields)
{
    const std::optional<double> start = timeField(fields, 0);
    const std::optional<double> duration = timeField(fields, 1);
    if (!start || !duration || *start + *duration > maxSeconds)
        return std::nullopt;
    return RecordTimes{float(*start), float(*start + *duration)};
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
    int skipped = 0;
    const int n = sources.lines.size();
    for (int i = 0; i < n; ++i) {
        if (progress.wasCanceled())
            break;
        progress.report(i);
        const QString &line = sources.lines.at(i);
        if (line.contains(QLatin1String("BREAK"), Qt::CaseSensitive))
            continue;
        const QStringList parts = line.split(QLatin1Char('"'));
        const std::optional<RecordTimes> times = recordTimes(parts.at(0).split(QLatin1Char(',')));
        // A record with broken times stays in the text but makes no scene.
        if (times) {
            lastStart = times->start;
            lastEnd = times->end;
            index->addScene(lastStart, QStringLiteral("fight"));
            if (parts.size() == 3)
                names.count(*index, parts.at(1));
            index->addScene(lastEnd, QStringLiteral("break"));
        } else {
            ++skipped;
        }
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
    marked.skippedRecords = skipped;
    return marked;
}
