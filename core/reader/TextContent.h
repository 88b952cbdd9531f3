#pragma once

#include <QString>
#include <QStringList>

// Why decoded lines are no screenplay text at all, in the reader's words: "is empty" when no
// line holds anything but blanks, "is not a text file..." when control characters make up a
// share of the text no typed file has (a program, an image or an archive renamed). Empty when
// the lines are text.
QString textContentRefusal(const QStringList &lines);
