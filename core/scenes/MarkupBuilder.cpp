#include "scenes/MarkupBuilder.h"

#include "characters/CueName.h"
#include "scenes/HtmlSanitizer.h"
#include "scenes/MarkupStyles.h"
#include "scenes/NameWordFilter.h"
#include "scenes/SessionsMarkup.h"
#include "scenes/TimedMarkup.h"
#include "support/StageProgress.h"

#include <QHash>

#include <utility>

namespace {

// What one pass works with, from line to line.
struct MarkupPass
{
    MarkupPass(const MarkupSources &passSources, TimeIndexVector &passIndex)
        : sources(passSources)
        , characters(passSources.characters)
        , index(passIndex)
        , filter(characters, passSources.includeCharacters, passSources.options)
        , lastBreakPosition(passSources.lastBreakPosition)
        , sceneOpen("<div class='" + passSources.sceneClass.toUtf8() + "'>")
        , sceneBoundary("</div>" + sceneOpen)
        , headingOpen("<span class='" + passSources.breakStringClass.toUtf8() + "'>")
    {
        // An entry of several words matches them in sequence; blanks around and between them
        // do not count, and an entry of blanks alone matches nothing.
        for (const QString &entry : passSources.breakStrings)
            breakStringWords.push_back(entry.split(QLatin1Char(' '), Qt::SkipEmptyParts));
        if (passSources.options.mergeCueExtensions) {
            for (int k = 0; k < static_cast<int>(characters.size()); ++k) {
                if (!cueSpeakers.contains(characters[k]->names))
                    cueSpeakers.insert(characters[k]->names, k);
            }
        }
    }

    const MarkupSources &sources;
    CharacterList characters; // grows by the include characters met in the text
    TimeIndexVector &index;
    NameWordFilter filter;
    float lastBreakPosition;
    const QByteArray sceneOpen;                // "<div class='scene'>"
    const QByteArray sceneBoundary;            // closes the current scene block and opens the next
    const QByteArray headingOpen;              // "<span class='breakString'>"
    std::vector<QStringList> breakStringWords; // the words of each break string, in order
    // Characters by name, for whole cue lines when cue extensions are merged.
    QHash<QStringList, int> cueSpeakers;
    // Reused from word to word and line to line, to spare allocations.
    NameWordFilter::Line hashed;
    std::vector<int> asked; // the characters to ask at one word
};

// Appends the text as UTF-8; the markup is nearly all ASCII, copied without a conversion.
void appendUtf8(const QString &text, QByteArray &out)
{
    const QChar *const chars = text.constData();
    const int size = text.size();
    for (int i = 0; i < size; ++i) {
        if (chars[i].unicode() >= 0x80) {
            out += text.toUtf8();
            return;
        }
    }
    const int at = out.size();
    out.resize(at + size);
    char *const bytes = out.data() + at;
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(chars[i].unicode());
}

struct CharacterMatch
{
    int characterIndex = -1; // position in the pass's characters
    QStringList words;
};

// Words of a plain-text screenplay are shown as they are written, never run as markup; an
// HTML screenplay keeps its tags (made harmless once the pass is over).
void appendText(const MarkupPass &pass, const QString &word, QByteArray &out)
{
    appendUtf8(pass.sources.htmlSource ? word : escapeHtml(word), out);
}

// The longest match wins; a later one only when strictly longer, so ties go to the earliest.
void keepLongest(CharacterMatch &best, int characterIndex, QStringList &&words)
{
    if (best.characterIndex < 0 || words.size() > best.words.size()) {
        best.characterIndex = characterIndex;
        best.words = std::move(words);
    }
}

CharacterMatch findCharacter(MarkupPass &pass, const QStringList &words,
                             const NameWordFilter::Line &line, int start)
{
    const bool caseSensitive = pass.sources.options.caseSensitive;
    const bool looseMatch = pass.sources.options.looseMatch;
    const bool wholeName = pass.sources.options.wholeNameMatch;
    CharacterList &characters = pass.characters;
    CharacterMatch best;
    // Ascending positions keep the ties with the earliest character.
    std::vector<int> &asked = pass.asked;
    pass.filter.charactersAt(line, start, asked);
    for (int k = pass.filter.characterCount(); k < static_cast<int>(characters.size()); ++k)
        asked.push_back(k);
    for (const int k : asked) {
        QStringList found =
            characters[k]->matchAt(words, start, caseSensitive, looseMatch, wholeName);
        if (!found.isEmpty())
            keepLongest(best, k, std::move(found));
    }
    if (best.characterIndex >= 0)
        return best;
    // Characters named only in the include list join the document once they are met, so
    // every later search finds them among the characters.
    pass.filter.includesAt(line, start, asked);
    for (const int i : asked) {
        const CharacterPtr &candidate = pass.sources.includeCharacters[i];
        QStringList found = candidate->matchAt(words, start, caseSensitive, looseMatch, wholeName);
        if (found.isEmpty())
            continue;
        characters.push_back(candidate);
        pass.filter.includeJoined(i);
        keepLongest(best, static_cast<int>(characters.size()) - 1, std::move(found));
    }
    return best;
}

void appendManualBreaks(MarkupPass &pass, float x, QByteArray &out)
{
    for (const float position : pass.sources.manualBreaks) {
        if (pass.lastBreakPosition < position && position <= x) {
            pass.index.addScene(x, QStringLiteral("USER_SET"));
            out += pass.sceneBoundary;
        }
    }
    pass.lastBreakPosition = x;
}

// Whether the words of a break string stand at word l and after, ignoring case.
bool headingAt(const QStringList &words, int l, const QStringList &entryWords)
{
    if (entryWords.isEmpty() || l + entryWords.size() > words.size())
        return false;
    for (int k = 0; k < entryWords.size(); ++k) {
        if (words.at(l + k).compare(entryWords.at(k), Qt::CaseInsensitive) != 0)
            return false;
    }
    return true;
}

// Each matching entry opens a scene with a heading span holding the words up to, not
// including, the line's last word. Returns the word position the walk goes on from.
int appendHeadings(MarkupPass &pass, const QStringList &words, int l, float x, QByteArray &out)
{
    const int m = words.size();
    const QStringList &entries = pass.sources.breakStrings;
    for (int e = 0; e < entries.size(); ++e) {
        if (!headingAt(words, l, pass.breakStringWords[size_t(e)]))
            continue;
        const QString &entry = entries.at(e);
        out += pass.sceneBoundary;
        out += pass.headingOpen;
        for (; l < m - 1; ++l) {
            appendText(pass, words.at(l), out);
            out += ' ';
        }
        out += "</span>";
        pass.index.addScene(x, entry);
    }
    return l;
}

void countPageMarker(MarkupPass &pass, const QString &word)
{
    if (!word.startsWith(QLatin1Char('[')) || !word.endsWith(QLatin1Char(']')))
        return;
    QString number = word;
    number.remove(QLatin1Char('['));
    number.remove(QLatin1Char(']'));
    bool ok = false;
    const int page = number.toInt(&ok, 10);
    pass.index.addPage(ok ? page : 0);
}

void appendCharacterSpan(MarkupPass &pass, const CharacterMatch &match, QByteArray &out)
{
    const Character &character = *pass.characters[match.characterIndex];
    out += "<span class='";
    appendUtf8(characterClassAttribute(character), out);
    out += "'>";
    for (const QString &word : match.words) {
        appendText(pass, word, out);
        out += ' ';
    }
    out += "</span>";
    pass.index.countCharacter(match.characterIndex);
}

// With merged cue extensions a speaker line marks all its words ("EDWARD (V.O.)") as the
// one character its name gives, and counts it once. Returns whether the line was one.
bool appendCueLine(MarkupPass &pass, const QStringList &words, QByteArray &out)
{
    const int lead = leadingBlanks(words);
    if (lead <= pass.sources.options.minCharacterSpaces || lead >= words.size())
        return false;
    const auto speaker = pass.cueSpeakers.constFind(cueNameWords(words, lead, true));
    if (speaker == pass.cueSpeakers.constEnd())
        return false;
    out.append(lead, ' ');
    CharacterMatch match;
    match.characterIndex = speaker.value();
    match.words = words.mid(lead);
    appendCharacterSpan(pass, match, out);
    out += "<br>";
    return true;
}

void appendLine(MarkupPass &pass, const QString &line, float x, QByteArray &out)
{
    const QStringList words = line.split(QLatin1Char(' '));
    const int m = words.size();
    appendManualBreaks(pass, x, out);
    if (pass.sources.options.mergeCueExtensions && appendCueLine(pass, words, out))
        return;
    pass.filter.prepare(words, pass.hashed);
    const NameWordFilter::Line &prepared = pass.hashed;
    for (int l = 0; l < m; ++l) {
        CharacterMatch match;
        if (prepared.candidate[static_cast<size_t>(l)])
            match = findCharacter(pass, words, prepared, l);
        if (match.characterIndex >= 0) {
            appendCharacterSpan(pass, match, out);
            // The walk resumes as many words on as the match returned.
            l += match.words.size() - 1;
            continue;
        }
        l = appendHeadings(pass, words, l, x, out);
        if (l >= m)
            continue;
        const QString &word = words.at(l);
        countPageMarker(pass, word);
        // An empty word (two blanks in a row, or an empty line) comes out as one blank.
        appendText(pass, word, out);
        out += ' ';
    }
    out += "<br>";
}

// In bytes of UTF-8, for a text that is mostly ASCII.
int expectedLength(const QStringList &lines)
{
    qint64 total = 64;
    for (const QString &line : lines)
        total += line.size() + 8;
    // Spans and boundaries add roughly a fifth; growing past the guess is still fine.
    total += total / 5;
    return static_cast<int>(qMin<qint64>(total, 1024 * 1024 * 1024));
}

// An HTML screenplay's markup is made harmless as text; the sanitizer works on a QString.
QByteArray finishedMarkup(const MarkupSources &sources, QByteArray &&out)
{
    if (!sources.htmlSource)
        return std::move(out);
    const QString html = QString::fromUtf8(out);
    out = QByteArray();
    return sanitizeHtml(html).toUtf8();
}

// Hands a pass's whole markup to the sink, when there is one.
MarkupResult handedOver(MarkupResult &&result, const MarkupSink &sink)
{
    if (sink) {
        sink(result.html);
        result.html = QByteArray();
    }
    return std::move(result);
}

constexpr int sinkPieceBytes = 1024 * 1024;

} // namespace

MarkupResult buildMarkup(const QString &fileSuffix, const MarkupSources &sources,
                         const StageProgress &progress, const MarkupSink &sink)
{
    if (sources.sessionsSource)
        return handedOver(markupSessions(sources, progress), sink);
    if (fileSuffix == QLatin1String("xml")) {
        MarkupResult empty;
        empty.index = std::make_unique<TimeIndexVector>(sources.characters);
        empty.characters = sources.characters;
        empty.lastBreakPosition = sources.lastBreakPosition;
        return handedOver(std::move(empty), sink);
    }
    if (fileSuffix == QLatin1String("csv"))
        return handedOver(markupTimed(sources, progress), sink);
    return markupText(sources, progress, sink);
}

MarkupResult markupText(const MarkupSources &sources, const StageProgress &progress,
                        const MarkupSink &sink)
{
    auto index = std::make_unique<TimeIndexVector>(sources.characters);
    MarkupPass pass(sources, *index);
    pass.index.addScene(0.0f, QStringLiteral("START"));

    // The allow-list of an HTML screenplay needs its whole markup, so only plain text streams.
    const bool streamed = sink && !sources.htmlSource;
    QByteArray out;
    out.reserve(streamed ? sinkPieceBytes + 64 * 1024 : expectedLength(sources.lines));
    out += pass.sceneOpen;
    const int n = sources.lines.size();
    for (int i = 0; i < n; ++i) {
        if (progress.wasCanceled())
            break;
        progress.report(i);
        const float x = static_cast<float>(i) / static_cast<float>(n);
        appendLine(pass, sources.lines.at(i), x, out);
        if (streamed && out.size() >= sinkPieceBytes) {
            sink(out);
            out.resize(0); // keeps the capacity for the next piece
        }
    }
    if (!pass.index.scenes.empty())
        pass.index.scenes.back().end = 1.0f;
    out += "</div>";

    MarkupResult result;
    if (streamed)
        sink(out);
    else
        result.html = finishedMarkup(sources, std::move(out));
    result.index = std::move(index);
    result.characters = std::move(pass.characters);
    result.lastBreakPosition = pass.lastBreakPosition;
    return streamed ? std::move(result) : handedOver(std::move(result), sink);
}

QString markupLine(const MarkupSources &sources, TimeIndexVector &index, const QString &line,
                   float x)
{
    MarkupPass pass(sources, index);
    QByteArray out;
    appendLine(pass, line, x, out);
    return QString::fromUtf8(finishedMarkup(sources, std::move(out)));
}
