#pragma once

#include "characters/AnalysisOptions.h"
#include "characters/Character.h"

#include <QStringList>

#include <vector>

// What one line of a laid-out screenplay is.
enum class LineRole : quint8 {
    Blank,
    PageMarker,
    Heading,
    Action,
    Cue,           // a speaker's name over a speech
    Parenthetical, // "(to Anna)" inside a speech
    Dialogue,
    Other // transitions, title lines, "(MORE)": neither action nor dialogue
};

struct RoledLine
{
    LineRole role = LineRole::Blank;
    int speaker = -1;       // the character (position in the list) of a cue or a speech line
    bool newSpeech = false; // a cue that starts a speech, not one repeated after a page break
    int words = 0;          // words of a dialogue line
};

// What telling the lines apart reads.
struct LineRoleSources
{
    const QStringList &lines;
    const CharacterList &speakers; // the characters a cue may name
    const AnalysisOptions &options;
    const std::vector<bool> &headingLines; // true where a scene heading stands; may be shorter
    // The lines are HTML, which marks cues but not where a speech ends: the one paragraph
    // after a cue is its speech.
    bool htmlSource = false;
};

// Walks the lines as a reader of the printed page does: a cue stands further in than
// MinCharacterSpaces, its speech runs to the next blank line (dialogue and parentheticals), a
// cue repeated at the top of a page after "(MORE)" or with "(CONT'D)" continues the speech
// before it, and what stands at the margin is action.
std::vector<RoledLine> lineRoles(const LineRoleSources &sources);

// What a reader sees of a line: without its outer blanks and, in HTML, without its tags.
QString visibleText(const QString &line, bool html);

// Words of a line: the blank-separated pieces that hold a letter or a digit.
int wordCount(const QString &text);
