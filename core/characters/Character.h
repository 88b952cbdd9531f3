#pragma once

#include <QColor>
#include <QList>
#include <QStringList>

#include <memory>
#include <vector>

// One speaker of the screenplay. Records are shared among the character lists of the
// document and the scene index, so they are always held through CharacterPtr.
struct Character
{
    explicit Character(const QStringList &nameWords);

    QStringList names;          // the words of the name
    QList<QStringList> aliases; // further names, each a word list
    QColor color;
    qint32 count = 0;
    qint32 indent = 0;
    bool forcedColor = false;

    // Every name word followed by one blank.
    QString displayText() const;
    // The name words concatenated; used as the CSS class of the character's spans.
    QString characterClass() const;

    // Whether the character occurs at `start` of `words`: a non-empty result means a match.
    // A multi-word name also matches where only some of its words stand in their places,
    // unless `wholeName` asks for all of them, one after another.
    QStringList matchAt(const QStringList &words, int start, bool caseSensitive, bool looseMatch,
                        bool wholeName = false) const;
    // matchAt(...) is non-empty, without building the result: for callers that ask every
    // character at every token.
    bool occursAt(const QStringList &words, int start, bool caseSensitive, bool looseMatch,
                  bool wholeName = false) const;

    // The marks loose matching removes from a text word before comparing it with an alias.
    static bool isLoosePunctuation(QChar c);

    // The sum of the name's characters as signed 8-bit codes; seeds the first colour.
    static int nameSeed(const QStringList &nameWords);
};

using CharacterPtr = std::shared_ptr<Character>;
using CharacterList = std::vector<CharacterPtr>;
