#include "reader/PdfPageClassifier.h"

#include "reader/ScreenplayLayout.h"
#include "reader/ScreenplayWords.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace {

using Element = ScreenplayLayout::Element;

// Distances in character widths. A cue stands at least this far right of the page's left
// edge (dialogue starts about 10 right of action, cues about 20).
constexpr double cueIndentFromEdge = 5.0;
// A transition starts at least this far right of the page's leftmost cue, or, on a page
// without cues, of its left edge; centred lines ("THE END") start nearer.
constexpr double transitionBeyondCue = 10.0;
constexpr double transitionWithoutCue = 30.0;
// Blank lines kept between two printed lines at most; larger gaps are page furniture.
constexpr int maximumBlankLines = 4;

bool startsParenthetical(const QString &text)
{
    return text.startsWith(QLatin1Char('('));
}

// Capitals with a letter before any extension "(...)", and not a transition "CUT TO:".
bool isCueText(const QString &text)
{
    const int open = text.indexOf(QLatin1Char('('));
    return isCapitals((open < 0 ? text : text.left(open)).trimmed()) &&
           !text.endsWith(QLatin1String("TO:"));
}

// A name of a few words, and not a transition ("FADE OUT.", "CUT TO:") over a centred line:
// what a cue over double-spaced dialogue must be, since such dialogue is in capitals too.
bool isShortName(const QString &text)
{
    static const QRegularExpression transition(
        QStringLiteral("^(?:FADE|CUT|DISSOLVE|SMASH|MATCH|WIPE|IRIS)\\b|[.:]$"));
    const int open = text.indexOf(QLatin1Char('('));
    const QString name = (open < 0 ? text : text.left(open)).trimmed();
    return name.size() <= 30 && name.count(QLatin1Char(' ')) < 4 &&
           !transition.match(name).hasMatch();
}

bool isMore(const QString &text)
{
    return text.trimmed().compare(QLatin1String("(MORE)"), Qt::CaseInsensitive) == 0;
}

struct SpeechLine
{
    double left = 0.0;
    QString text;
};

// Parenthetical or dialogue for each line of one speech: a line that opens with "(" right
// of the speech's dialogue (or in a speech without any), and the lines until it closes.
QVector<Element> speechRoles(const QVector<SpeechLine> &lines, double pitch)
{
    double dialogueLeft = std::numeric_limits<double>::max();
    for (const SpeechLine &line : lines) {
        if (!startsParenthetical(line.text))
            dialogueLeft = qMin(dialogueLeft, line.left);
    }
    QVector<Element> roles;
    bool open = false;
    for (const SpeechLine &line : lines) {
        const bool parenthetical =
            open || (startsParenthetical(line.text) && line.left > dialogueLeft + pitch / 2.0);
        const bool noDialogue = dialogueLeft == std::numeric_limits<double>::max();
        const bool isParenthetical = parenthetical || noDialogue;
        open = isParenthetical &&
               line.text.lastIndexOf(QLatin1Char('(')) > line.text.lastIndexOf(QLatin1Char(')'));
        roles.append(isParenthetical ? Element::Parenthetical : Element::Dialogue);
    }
    return roles;
}

// Two speeches printed side by side, from the line of their two cues up to `end`.
struct DualSpeech
{
    int cue = 0;
    int end = 0;
    QString cues[2];
    QVector<SpeechLine> speech[2];
};

class PageClassifier
{
public:
    PageClassifier(const PrintedPage &page, bool frontMatter, double actionLeft)
        : m_lines(page.lines)
        , m_pitch(page.pitch > 0.0 ? page.pitch : 7.2)
        , m_spacing(page.lineSpacing > 0.0 ? page.lineSpacing : 12.0)
        , m_roles(page.lines.size())
        , m_closeUp(page.lines.size(), false)
    {
        m_pageLeft = std::numeric_limits<double>::max();
        for (const PrintedLine &line : m_lines)
            m_pageLeft = qMin(m_pageLeft, line.left);
        // A page of speeches alone has no line at the action's edge; earlier pages had.
        m_actionLeft = actionLeft > 0.0 ? qMin(m_pageLeft, actionLeft) : m_pageLeft;
        if (!frontMatter)
            markSpeeches();
        markRemaining();
    }

    PageColumns columnsFound() const
    {
        PageColumns found;
        found.cues = m_cueLefts;
        found.dialogue = m_dialogueLefts;
        found.parentheticals = m_parentheticalLefts;
        for (int i = 0; i < m_lines.size(); ++i) {
            if (m_roles.at(i) == Element::Action)
                found.action.append(m_lines.at(i).left);
        }
        return found;
    }

    void writeTo(ScreenplayLayout &layout) const
    {
        std::optional<double> lastTop;
        for (int i = 0; i < m_lines.size(); ++i) {
            if (!m_closeUp.at(i))
                writeGap(layout, lastTop, m_lines.at(i).top);
            const auto dual = std::find_if(m_duals.begin(), m_duals.end(),
                                           [i](const DualSpeech &d) { return d.cue == i; });
            if (dual != m_duals.end()) {
                writeDual(layout, *dual);
                i = dual->end - 1;
            } else {
                layout.addLine(*m_roles.at(i), m_lines.at(i).text);
            }
            lastTop = m_lines.at(i).top;
        }
    }

private:
    double columns(double distance) const { return distance / m_pitch; }

    // Line i stands on the line directly under line i - 1, with no blank line between.
    bool directlyBelow(int i) const
    {
        return i > 0 && i < m_lines.size() &&
               m_lines.at(i).top - m_lines.at(i - 1).top <= 1.5 * m_spacing;
    }

    // Line i stands one blank line under line i - 1, as double-spaced dialogue does.
    bool oneBlankBelow(int i) const
    {
        if (i <= 0 || i >= m_lines.size())
            return false;
        const double distance = m_lines.at(i).top - m_lines.at(i - 1).top;
        return distance > 1.5 * m_spacing && distance <= 2.5 * m_spacing;
    }

    // Indented from the page's left edge, where action stands.
    bool indented(int i) const { return columns(m_lines.at(i).left - m_actionLeft) >= 2.0; }

    // The speech under a cue starts on the next line, or, in the double-spaced layout of
    // multi-camera scripts, after one blank line and away from the action's edge.
    bool speechFollows(int cue) const
    {
        const int next = cue + 1;
        if (next >= m_lines.size() || columns(m_lines.at(cue).left - m_lines.at(next).left) < 2.0)
            return false;
        const bool doubleSpacedSpeech =
            oneBlankBelow(next) && indented(next) && isShortName(m_lines.at(cue).text.trimmed());
        return directlyBelow(next) || doubleSpacedSpeech;
    }

    bool isCue(int i) const
    {
        const PrintedLine &line = m_lines.at(i);
        return line.segments.size() == 1 && isCueText(line.text.trimmed()) && speechFollows(i) &&
               columns(line.left - m_pageLeft) >= cueIndentFromEdge;
    }

    bool isDualCue(int i) const
    {
        const PrintedLine &line = m_lines.at(i);
        return line.segments.size() == 2 && isCueText(line.segments.at(0).text) &&
               isCueText(line.segments.at(1).text) && directlyBelow(i + 1) &&
               columns(line.segments.at(0).left - m_lines.at(i + 1).left) >= 2.0;
    }

    void markSpeeches()
    {
        for (int i = 0; i < m_lines.size(); ++i) {
            if (isDualCue(i))
                i = markDual(i) - 1;
            else if (isCue(i))
                i = markSpeech(i) - 1;
        }
    }

    int markSpeech(int cue)
    {
        const PrintedLine &cueLine = m_lines.at(cue);
        QVector<SpeechLine> speech;
        int end = cue + 1;
        const bool doubleSpaced = !directlyBelow(end);
        for (; continuesSpeech(cue, end, doubleSpaced) || isMoreBelow(end, doubleSpaced); ++end) {
            // Back at the page's left edge under an indented speech: action follows.
            const bool atEdge = columns(m_lines.at(end).left - m_actionLeft) < 0.5;
            if (atEdge && indented(cue + 1))
                break;
            speech.append({m_lines.at(end).left, m_lines.at(end).text});
            m_closeUp[end] = doubleSpaced;
            if (isMore(m_lines.at(end).text)) {
                ++end;
                break;
            }
        }
        m_roles[cue] = Element::Cue;
        m_cueLefts.append(cueLine.left);
        const QVector<Element> roles = speechRoles(speech, m_pitch);
        for (int k = 0; k < roles.size(); ++k) {
            m_roles[cue + 1 + k] = roles.at(k);
            (roles.at(k) == Element::Dialogue ? m_dialogueLefts : m_parentheticalLefts)
                .append(speech.at(k).left);
        }
        return end;
    }

    // "(MORE)" under a speech that the page cuts, wherever the program puts it.
    bool isMoreBelow(int i, bool doubleSpaced) const
    {
        return i < m_lines.size() && isMore(m_lines.at(i).text) &&
               (directlyBelow(i) || (doubleSpaced && oneBlankBelow(i)));
    }

    bool continuesSpeech(int cue, int i, bool doubleSpaced) const
    {
        if (i >= m_lines.size() || columns(m_lines.at(cue).left - m_lines.at(i).left) < 1.0)
            return false;
        if (!doubleSpaced)
            return directlyBelow(i);
        // Double spacing: lines at the speech's own columns, up to the next cue or action.
        return (directlyBelow(i) || oneBlankBelow(i)) && indented(i) && !isCue(i);
    }

    int markDual(int cue)
    {
        const PrintedLine &cueLine = m_lines.at(cue);
        int end = cue + 1;
        while (directlyBelow(end))
            ++end;
        // The right speech starts where the second segments of two-column lines start.
        double rightLeft = std::numeric_limits<double>::max();
        for (int i = cue + 1; i < end; ++i) {
            if (m_lines.at(i).segments.size() >= 2)
                rightLeft = qMin(rightLeft, m_lines.at(i).segments.at(1).left);
        }
        if (rightLeft == std::numeric_limits<double>::max())
            rightLeft = (cueLine.segments.at(0).right + cueLine.segments.at(1).left) / 2.0;
        DualSpeech dual;
        dual.cue = cue;
        dual.end = end;
        for (int side = 0; side < 2; ++side)
            dual.cues[side] = cueLine.segments.at(side).text;
        for (int i = cue + 1; i < end; ++i) {
            QString parts[2];
            double lefts[2] = {0.0, 0.0};
            for (const PrintedSegment &segment : m_lines.at(i).segments) {
                const int side = columns(rightLeft - segment.left) <= 2.0 ? 1 : 0;
                if (parts[side].isEmpty())
                    lefts[side] = segment.left;
                else
                    parts[side] += QLatin1Char(' ');
                parts[side] += segment.text;
            }
            for (int side = 0; side < 2; ++side) {
                if (!parts[side].isEmpty())
                    dual.speech[side].append({lefts[side], parts[side]});
            }
        }
        m_cueLefts.append(cueLine.segments.at(0).left);
        m_duals.append(dual);
        return end;
    }

    bool nearAny(double left, const QVector<double> &lefts) const
    {
        return std::any_of(lefts.begin(), lefts.end(),
                           [&](double other) { return std::abs(columns(left - other)) <= 1.0; });
    }

    // Lines outside the speeches: a speech going on from the previous page, transitions,
    // and action.
    void markRemaining()
    {
        const double transitionLeft =
            m_cueLefts.isEmpty() ? m_pageLeft + transitionWithoutCue * m_pitch
                                 : *std::min_element(m_cueLefts.begin(), m_cueLefts.end()) +
                                       transitionBeyondCue * m_pitch;
        for (int i = 0; i < m_lines.size(); ++i) {
            if (m_roles.at(i))
                continue;
            const PrintedLine &line = m_lines.at(i);
            const QString text = line.text.trimmed();
            const bool indented = columns(line.left - m_pageLeft) >= 2.0;
            if (startsParenthetical(text) && indented && nearAny(line.left, m_parentheticalLefts))
                m_roles[i] = Element::Parenthetical;
            else if (indented && nearAny(line.left, m_dialogueLefts))
                m_roles[i] = Element::Dialogue;
            else if (line.segments.size() == 1 && isCapitals(text) && line.left >= transitionLeft)
                m_roles[i] = Element::Transition;
            else
                m_roles[i] = Element::Action;
        }
    }

    void writeGap(ScreenplayLayout &layout, std::optional<double> lastTop, double top) const
    {
        if (!lastTop)
            return;
        const int blanks = qBound(0, qRound((top - *lastTop) / m_spacing) - 1, maximumBlankLines);
        for (int k = 0; k < blanks; ++k)
            layout.addBlankLine();
    }

    void writeDual(ScreenplayLayout &layout, const DualSpeech &dual) const
    {
        for (int side = 0; side < 2; ++side) {
            if (side == 1)
                layout.addBlankLine();
            layout.addLine(Element::Cue, dual.cues[side]);
            const QVector<Element> roles = speechRoles(dual.speech[side], m_pitch);
            for (int k = 0; k < roles.size(); ++k)
                layout.addLine(roles.at(k), dual.speech[side].at(k).text);
        }
    }

    const QVector<PrintedLine> m_lines;
    const double m_pitch;
    const double m_spacing;
    double m_pageLeft = 0.0;
    double m_actionLeft = 0.0; // where action stands: the page's left edge or an earlier one's
    QVector<std::optional<Element>> m_roles;
    QVector<bool> m_closeUp; // written straight under the line before, its blank line dropped
    QVector<DualSpeech> m_duals;
    QVector<double> m_cueLefts;
    QVector<double> m_dialogueLefts;
    QVector<double> m_parentheticalLefts;
};

} // namespace

PageColumns writePrintedPage(const PrintedPage &page, bool frontMatter, double actionLeft,
                             ScreenplayLayout &layout)
{
    const PageClassifier classifier(page, frontMatter, actionLeft);
    classifier.writeTo(layout);
    return classifier.columnsFound();
}
