#include "reader/FountainReader.h"

#include "reader/FountainSource.h"
#include "reader/ScreenplayLayout.h"
#include "reader/TextFile.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

using Element = ScreenplayLayout::Element;

// "===" or more, and nothing else.
bool isPageBreak(const QString &trimmed)
{
    return trimmed.size() >= 3 &&
           std::all_of(trimmed.begin(), trimmed.end(), [](QChar c) { return c == '='; });
}

bool isBlank(const QString &line)
{
    return std::all_of(line.begin(), line.end(), [](QChar c) { return c.isSpace(); });
}

bool hasLetter(const QString &text)
{
    for (const QChar c : text) {
        if (c.isLetter())
            return true;
    }
    return false;
}

bool isCapitals(const QString &text)
{
    return hasLetter(text) && text == text.toUpper();
}

// The heading without its scene number ("#1A#"), which printed pages put in the margin.
QString headingText(const QString &trimmed)
{
    static const QRegularExpression sceneNumber(QStringLiteral("\\s*#[^#\\s]+#\\s*$"));
    QString text = trimmed;
    text.remove(sceneNumber);
    return text;
}

bool isSceneHeading(const QString &trimmed)
{
    // Every heading opens with I or E; most lines are rejected without the expression.
    const QChar first = trimmed.at(0).toUpper();
    if (first != QLatin1Char('I') && first != QLatin1Char('E'))
        return false;
    static const QRegularExpression heading(
        QStringLiteral("^(INT\\.?/EXT|INT/EXT|INT|EXT|EST|I/E)[. ]"),
        QRegularExpression::CaseInsensitiveOption);
    return heading.match(trimmed).hasMatch();
}

// The name part of a cue is what stands before its first extension "(...)".
QString cueName(const QString &cue)
{
    const int open = cue.indexOf(QLatin1Char('('));
    return (open < 0 ? cue : cue.left(open)).trimmed();
}

// The cue as printed: the dual-dialogue mark dropped, the name in capitals (a forced
// "@McCLANE" is printed so, and only words in capitals are taken for names), its
// extensions as written.
QString cueText(const QString &trimmed)
{
    QString cue = trimmed;
    if (cue.endsWith(QLatin1Char('^')))
        cue.chop(1);
    if (cue.startsWith(QLatin1Char('@')))
        cue.remove(0, 1);
    cue = cue.trimmed();
    const QString name = cueName(cue);
    return name.toUpper() + cue.mid(name.size());
}

// A name, then nothing but extensions in parentheses: "CYBER BOSS, 40 (or any age), an
// ageless," in capitals up to its first parenthesis is action.
bool isCue(const QString &trimmed)
{
    static const QRegularExpression extensionsOnly(
        QStringLiteral("^@?[^()]+(\\([^()]*\\)\\s*)*\\^?$"));
    if (!extensionsOnly.match(trimmed).hasMatch())
        return false;
    return trimmed.startsWith(QLatin1Char('@')) ? trimmed.size() > 1 : isCapitals(cueName(trimmed));
}

// Classifies the body line by line. A speech runs from its cue to the next blank line;
// consecutive action or dialogue lines make one paragraph.
class FountainBody
{
public:
    explicit FountainBody(const QStringList &lines)
        : m_lines(lines)
    {
    }

    ScreenplayLayout read()
    {
        for (const QString &line : m_lines) {
            if (isPageBreak(line.trimmed())) {
                m_layout.addPageMarker(m_page);
                break;
            }
        }
        for (m_at = 0; m_at < m_lines.size(); ++m_at)
            readLine(m_lines.at(m_at).trimmed());
        flush();
        return m_layout;
    }

    int pages() const { return m_page; }

private:
    void readLine(const QString &trimmed)
    {
        if (trimmed.isEmpty()) {
            endParagraph();
            return;
        }
        if (isPageBreak(trimmed)) {
            endParagraph();
            m_layout.addPageMarker(++m_page);
            return;
        }
        // Sections and synopses leave no trace, not even a blank line.
        if (trimmed.startsWith(QLatin1Char('#')) || trimmed.startsWith(QLatin1Char('=')))
            return;
        if (m_inSpeech)
            readSpeechLine(trimmed);
        else
            readOutsideSpeech(trimmed);
        m_previousBlank = false;
    }

    void readSpeechLine(const QString &trimmed)
    {
        if (trimmed.startsWith(QLatin1Char('(')))
            add(Element::Parenthetical, trimmed, false);
        else if (trimmed.startsWith(QLatin1Char('~')))
            add(Element::Dialogue, trimmed.mid(1).trimmed(), true);
        else
            add(Element::Dialogue, trimmed, true);
    }

    void readOutsideSpeech(const QString &trimmed)
    {
        static const QRegularExpression forcedHeading(QStringLiteral("^\\.[A-Za-z0-9]"));
        const bool nextBlank = m_at + 1 >= m_lines.size() || isBlank(m_lines.at(m_at + 1));
        if (trimmed.startsWith(QLatin1Char('!'))) {
            add(Element::Action, trimmed.mid(1), true);
        } else if (forcedHeading.match(trimmed).hasMatch()) {
            add(Element::Heading, headingText(trimmed.mid(1)), false);
        } else if (trimmed.startsWith(QLatin1Char('>')) && trimmed.endsWith(QLatin1Char('<'))) {
            // Centred text is printed as action: it is never a cue.
            add(Element::Action, trimmed.mid(1, trimmed.size() - 2).trimmed(), false);
        } else if (trimmed.startsWith(QLatin1Char('>'))) {
            add(Element::Transition, trimmed.mid(1).trimmed(), false);
        } else if (trimmed.startsWith(QLatin1Char('~'))) {
            add(Element::Action, trimmed.mid(1).trimmed(), true);
        } else if (m_previousBlank && isSceneHeading(trimmed)) {
            add(Element::Heading, headingText(trimmed), false);
        } else if (m_previousBlank && nextBlank && isCapitals(trimmed) &&
                   trimmed.endsWith(QLatin1String("TO:"))) {
            add(Element::Transition, trimmed, false);
        } else if (m_previousBlank && !nextBlank && isCue(trimmed)) {
            add(Element::Cue, cueText(trimmed), false);
            m_inSpeech = true;
        } else {
            add(Element::Action, trimmed, true);
        }
    }

    // Joins the line to the open paragraph when both are of the kind that continues.
    void add(Element element, const QString &text, bool continues)
    {
        if (continues && m_open && m_element == element) {
            m_text += QLatin1Char('\n') + text;
            return;
        }
        flush();
        m_element = element;
        m_text = text;
        m_open = true;
    }

    void flush()
    {
        if (m_open)
            m_layout.addParagraph(m_element, m_text);
        m_open = false;
    }

    void endParagraph()
    {
        flush();
        m_previousBlank = true;
        m_inSpeech = false;
    }

    const QStringList m_lines;
    ScreenplayLayout m_layout;
    int m_at = 0;
    int m_page = 1;
    bool m_previousBlank = true;
    bool m_inSpeech = false;
    bool m_open = false;
    Element m_element = Element::Action;
    QString m_text;
};

} // namespace

ScreenplayText readFountain(const QByteArray &bytes)
{
    ScreenplayText text;
    text.format = QStringLiteral("fountain");
    TextFile::DecodeNotes notes;
    const QString source = TextFile::decode(bytes, &notes);
    if (notes.replacedBytes > 0)
        text.warnings.append(TextFile::replacedBytesWarning(notes.replacedBytes));
    if (source.trimmed().isEmpty()) {
        text.error = QStringLiteral("is empty");
        return text;
    }
    QStringList lines = FountainSource::splitLines(source);
    lines = FountainSource::withoutComments(lines);
    lines = FountainSource::withoutTitlePage(lines);
    lines = FountainSource::withoutEmphasis(lines);
    FountainBody body(lines);
    const ScreenplayLayout layout = body.read();
    if (!layout.hasText()) {
        text.error = QStringLiteral("holds no screenplay text (only a title page or notes)");
        return text;
    }
    text.lines = layout.lines();
    if (body.pages() > 1)
        text.pageCount = body.pages();
    return text;
}
