#include "characters/TypedCueFilter.h"

#include "characters/CueName.h"
#include "reader/ScreenplayWords.h"

namespace {

int leadOf(const QString &line)
{
    return leadingBlanks(line.split(QLatin1Char(' ')));
}

// Where the screenplay proper begins: the page of its first scene heading, or that heading
// when a title stands above it on the same page; 0 when nothing precedes it.
int frontMatterEnd(const QStringList &lines, int minCharacterSpaces)
{
    int firstHeading = -1;
    int lastMarker = -1;
    for (int l = 0; l < lines.size() && firstHeading < 0; ++l) {
        if (isPageMarker(lines.at(l)))
            lastMarker = l;
        else if (leadOf(lines.at(l)) <= minCharacterSpaces && isSceneHeading(lines.at(l)))
            firstHeading = l;
    }
    if (firstHeading < 0)
        return 0;
    if (lastMarker >= 0)
        return lastMarker;
    for (int l = 0; l < firstHeading; ++l) {
        if (isTitlePageLine(lines.at(l)))
            return firstHeading;
    }
    return 0;
}

// A dialogue line (indented less than the cue) or a parenthetical stands under the cue at
// `cue`, directly or after one blank line.
bool isSpoken(const QStringList &lines, int cue, int cueLead)
{
    for (int l = cue + 1; l < lines.size() && l <= cue + 2; ++l) {
        const QString text = lines.at(l).trimmed();
        if (text.isEmpty())
            continue;
        const int lead = leadOf(lines.at(l));
        return (lead > 0 && lead < cueLead) || text.startsWith(QLatin1Char('('));
    }
    return false;
}

} // namespace

QVector<bool> typedCuesKeptOut(const QStringList &lines, int minCharacterSpaces)
{
    QVector<bool> keptOut(lines.size(), false);
    const int front = frontMatterEnd(lines, minCharacterSpaces);
    QVector<int> unspoken;
    int cues = 0;
    for (int l = 0; l < lines.size(); ++l) {
        const QStringList tokens = lines.at(l).split(QLatin1Char(' '));
        const int lead = leadingBlanks(tokens);
        if (lead <= minCharacterSpaces || lead >= tokens.size() ||
            cueNameWords(tokens, lead, true).isEmpty())
            continue;
        keptOut[l] = l < front;
        if (keptOut.at(l))
            continue;
        ++cues;
        if (!isSpoken(lines, l, lead))
            unspoken.append(l);
    }
    if (unspoken.size() * 2 <= cues) {
        for (const int l : unspoken)
            keptOut[l] = true;
    }
    return keptOut;
}
