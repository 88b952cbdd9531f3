#include "facts/LineRoles.h"

#include "characters/CueName.h"
#include "characters/SpeechContinuation.h"
#include "reader/ScreenplayWords.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <map>

namespace {

// Characters by the words of their names and aliases, as cues write them.
class CueSpeakers
{
public:
    CueSpeakers(const CharacterList &speakers, bool caseSensitive)
        : m_caseSensitive(caseSensitive)
    {
        for (int k = 0; k < static_cast<int>(speakers.size()); ++k) {
            add(speakers[k]->names, k);
            for (const QStringList &alias : speakers[k]->aliases)
                add(alias, k);
        }
    }

    int find(const QStringList &nameWords) const { return m_byName.value(key(nameWords), -1); }

private:
    QStringList key(const QStringList &words) const
    {
        if (m_caseSensitive)
            return words;
        QStringList upper;
        for (const QString &word : words)
            upper.append(word.toUpper());
        return upper;
    }

    // The first character with a name keeps it, as markup's matching does.
    void add(const QStringList &words, int position)
    {
        const QStringList name = key(words);
        if (!name.isEmpty() && !m_byName.contains(name))
            m_byName.insert(name, position);
    }

    bool m_caseSensitive;
    QHash<QStringList, int> m_byName;
};

// The blanks in front of action: those of the scene headings, which stand at the same edge,
// or (without headings) the fewest in front of any line.
int actionMargin(const LineRoleSources &sources)
{
    std::map<int, int> headingsAt;
    int fewest = -1;
    for (int i = 0; i < sources.lines.size(); ++i) {
        const QString &line = sources.lines.at(i);
        if (line.trimmed().isEmpty())
            continue;
        const int lead = leadingBlanks(line.split(QLatin1Char(' ')));
        fewest = fewest < 0 ? lead : std::min(fewest, lead);
        if (i < static_cast<int>(sources.headingLines.size()) &&
            sources.headingLines[static_cast<size_t>(i)])
            ++headingsAt[lead];
    }
    if (headingsAt.empty())
        return std::max(fewest, 0);
    return std::max_element(headingsAt.begin(), headingsAt.end(),
                            [](const auto &a, const auto &b) { return a.second < b.second; })
        ->first;
}

// One walk over the lines: where a speech stands and whose it is.
struct SpeechWalk
{
    explicit SpeechWalk(const LineRoleSources &walked)
        : sources(walked)
        , speakers(walked.speakers, walked.options.caseSensitive)
        , margin(walked.htmlSource ? 0 : actionMargin(walked))
    {
    }

    const LineRoleSources &sources;
    CueSpeakers speakers;
    int margin; // a line this far in (or less) is action, even right under a speech
    SpeechContinuation continuation;
    bool inSpeech = false;
    int speaker = -1;

    RoledLine cue(const QStringList &tokens, int lead, const QString &text)
    {
        RoledLine line;
        const QStringList nameWords =
            cueNameWords(tokens, lead, sources.options.mergeCueExtensions);
        // Typed title lines, transitions and "(MORE)" stand as far in as cues.
        if (nameWords.isEmpty() || !isCapitals(text)) {
            continuation.passLine(text, lead);
            line.role = LineRole::Other;
            return line;
        }
        const bool continued = continuation.continuesAtCue(nameWords, tokens);
        if (!continued)
            speaker = speakers.find(nameWords);
        // A cue of nobody the analysis counts ("THE END", or a speaker left out) is no
        // character's speech; what stands under it is still dialogue.
        line.role = speaker >= 0 ? LineRole::Cue : LineRole::Other;
        line.speaker = speaker;
        line.newSpeech = !continued && speaker >= 0;
        inSpeech = true;
        return line;
    }

    RoledLine speechLine(const QString &text)
    {
        RoledLine line;
        line.speaker = speaker;
        if (text.startsWith(QLatin1Char('('))) {
            const bool more = text.compare(QLatin1String("(MORE)"), Qt::CaseInsensitive) == 0;
            line.role = more ? LineRole::Other : LineRole::Parenthetical;
            return line;
        }
        line.role = LineRole::Dialogue;
        line.words = wordCount(text);
        if (sources.htmlSource)
            inSpeech = false;
        return line;
    }

    RoledLine at(int i)
    {
        const QString &raw = sources.lines.at(i);
        const QString text = visibleText(raw, sources.htmlSource);
        const bool heading = i < static_cast<int>(sources.headingLines.size()) &&
                             sources.headingLines[static_cast<size_t>(i)];
        const QStringList tokens = raw.split(QLatin1Char(' '));
        const int lead = leadingBlanks(tokens);
        RoledLine line;
        if (text.isEmpty() || heading) {
            continuation.passLine(text, 0);
            inSpeech = false;
            line.role = text.isEmpty() ? LineRole::Blank : LineRole::Heading;
        } else if (isPageMarker(text) || text == QLatin1String("\f")) {
            continuation.passLine(text, 0);
            line.role = LineRole::PageMarker;
        } else if (inSpeech && text.startsWith(QLatin1Char('('))) {
            // "(MORE)" and parentheticals may stand as far in as the cue.
            continuation.passLine(raw, lead);
            return speechLine(text);
        } else if (lead > sources.options.minCharacterSpaces && lead < tokens.size() &&
                   !(inSpeech && !isCapitals(text))) {
            line = cue(tokens, lead, text);
        } else {
            continuation.passLine(raw, lead);
            // HTML stands every line at the edge; its speeches end after one paragraph.
            if (inSpeech && (lead > margin || sources.htmlSource))
                return speechLine(text);
            inSpeech = false;
            line.role = LineRole::Action;
        }
        return line;
    }
};

} // namespace

QString visibleText(const QString &line, bool html)
{
    if (!html)
        return line.trimmed();
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    return QString(line).remove(tag).simplified();
}

int wordCount(const QString &text)
{
    int words = 0;
    bool inWord = false;
    bool counted = false;
    for (const QChar c : text) {
        if (c.isSpace()) {
            inWord = false;
            continue;
        }
        if (!inWord)
            counted = false;
        inWord = true;
        if (!counted && c.isLetterOrNumber()) {
            ++words;
            counted = true;
        }
    }
    return words;
}

std::vector<RoledLine> lineRoles(const LineRoleSources &sources)
{
    SpeechWalk walk(sources);
    std::vector<RoledLine> roles;
    roles.reserve(static_cast<size_t>(sources.lines.size()));
    for (int i = 0; i < sources.lines.size(); ++i)
        roles.push_back(walk.at(i));
    return roles;
}
