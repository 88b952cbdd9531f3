#include "reader/ScreenplayLayout.h"

namespace {

// Greedy word wrap; a word longer than the width stands alone on its line.
QStringList wrapped(const QString &text, int width)
{
    const QString simple = text.simplified();
    if (simple.size() <= width)
        return simple.isEmpty() ? QStringList() : QStringList{simple};
    QStringList lines;
    QString line;
    for (const QString &word : simple.split(QLatin1Char(' '))) {
        if (!line.isEmpty() && line.size() + 1 + word.size() > width) {
            lines.append(line);
            line.clear();
        }
        if (!line.isEmpty())
            line += QLatin1Char(' ');
        line += word;
    }
    if (!line.isEmpty())
        lines.append(line);
    return lines;
}

bool continuesSpeech(ScreenplayLayout::Element previous, ScreenplayLayout::Element next)
{
    using Element = ScreenplayLayout::Element;
    const bool inSpeech = previous == Element::Cue || previous == Element::Parenthetical ||
                          previous == Element::Dialogue;
    return inSpeech && (next == Element::Parenthetical || next == Element::Dialogue);
}

} // namespace

int ScreenplayLayout::indentOf(Element element, const QString &text)
{
    switch (element) {
    case Element::Heading:
    case Element::Action:
        return 0;
    case Element::Cue:
        return cueIndent;
    case Element::Parenthetical:
        return parentheticalIndent;
    case Element::Dialogue:
        return dialogueIndent;
    case Element::Transition:
        return qMax(transitionIndent, transitionEnd - static_cast<int>(text.size()));
    }
    return 0;
}

// The widths of a page set in 10-pitch Courier; cues, headings and transitions are
// never wrapped.
int ScreenplayLayout::widthOf(Element element)
{
    switch (element) {
    case Element::Action:
        return 60;
    case Element::Dialogue:
        return 35;
    case Element::Parenthetical:
        return 25;
    default:
        return 0;
    }
}

void ScreenplayLayout::addLine(Element element, const QString &text)
{
    QString content = text.trimmed();
    content.replace(QLatin1Char('\t'), QLatin1Char(' '));
    if (content.isEmpty()) {
        addBlankLine();
        return;
    }
    m_lines.append(QString(indentOf(element, content), QLatin1Char(' ')) + content);
    m_hasText = true;
    m_lastElement = element;
}

void ScreenplayLayout::addBlankLine()
{
    m_lines.append(QString());
}

void ScreenplayLayout::addPageMarker(int page)
{
    m_lines.append(QLatin1Char('[') + QString::number(page) + QLatin1Char(']'));
    m_afterParagraph = false;
}

void ScreenplayLayout::addParagraph(Element element, const QString &text)
{
    QStringList lines;
    const int width = widthOf(element);
    for (const QString &sourceLine : text.split(QLatin1Char('\n'))) {
        if (width == 0)
            lines.append(sourceLine.simplified());
        else
            lines.append(wrapped(sourceLine, width));
    }
    lines.removeAll(QString());
    if (lines.isEmpty())
        return;
    if (m_afterParagraph && !continuesSpeech(m_lastElement, element))
        addBlankLine();
    for (const QString &line : lines)
        addLine(element, line);
    m_afterParagraph = true;
}
