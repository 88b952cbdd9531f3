#pragma once

#include <QString>
#include <QStringList>

// The printed form that every structured reader (Fountain, Final Draft, PDF) writes into,
// so that the plain-text analysis finds cues, headings and pages in them as it does in a
// typed screenplay: headings and action at column 0, cues after 20 blanks (above the
// default MinCharacterSpaces of 15), parentheticals after 15 and dialogue after 10 (both
// at or below it, so never taken for cues), transitions ending at column 60 but starting
// after no fewer than 40 blanks, and "[N]" at column 0 where page N begins.
class ScreenplayLayout
{
public:
    enum class Element { Heading, Action, Cue, Parenthetical, Dialogue, Transition };

    static constexpr int dialogueIndent = 10;
    static constexpr int parentheticalIndent = 15;
    static constexpr int cueIndent = 20;
    static constexpr int transitionIndent = 40;
    static constexpr int transitionEnd = 60;

    // One printed line, placed at its element's column and not wrapped. Leading and
    // trailing blanks of the text are dropped; the blanks inside it are kept.
    void addLine(Element element, const QString &text);
    void addBlankLine();
    void addPageMarker(int page);

    // One paragraph of a source that does not break lines: each of its lines is wrapped at
    // the element's printed width, and a blank line sets it apart from the previous
    // paragraph unless it continues a speech (dialogue or parenthetical after a cue,
    // parenthetical or dialogue).
    void addParagraph(Element element, const QString &text);

    QStringList lines() const { return m_lines; }
    // True when some line holds more than blanks and page markers.
    bool hasText() const { return m_hasText; }

private:
    static int indentOf(Element element, const QString &text);
    static int widthOf(Element element);

    QStringList m_lines;
    bool m_hasText = false;
    bool m_afterParagraph = false; // a paragraph was written since the start or a page marker
    Element m_lastElement = Element::Action;
};
