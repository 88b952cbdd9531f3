#pragma once

#include <QStringList>

// The number of blanks in front of the first other character of a line cut at every blank:
// the empty tokens before the first non-empty one.
int leadingBlanks(const QStringList &tokens);

// The name words of a speaker line whose first `lead` tokens are blank: every later token in
// capitals (digits and punctuation-only words such as "(V.O.)" count as capitals).
// With `mergeExtensions` the name ends before the first word that begins with "(", a trailing
// dual-dialogue "^" and a speech number in front ("12 - NAME", "12. NAME") are dropped and
// typographic apostrophes read as straight ones, so every variant of a cue gives the same
// words; a line that is only an extension gives none.
QStringList cueNameWords(const QStringList &tokens, int lead, bool mergeExtensions);
