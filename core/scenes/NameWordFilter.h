#pragma once

#include "characters/Character.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <vector>

struct AnalysisOptions;

// Quick, conservative answers to "which characters could match here?". The markup pass
// asks every character for matchAt at every word; most words are no name word at all, and
// a name word belongs to one or two characters. With these answers the pass skips every
// other call without changing a single result: a character left out would have returned
// an empty match. Words are compared through hashes of their case-folded UTF-16 units, so a
// collision only costs a matchAt call.
class NameWordFilter
{
public:
    NameWordFilter(const CharacterList &characters, const CharacterList &includeCharacters,
                   const AnalysisOptions &options);

    // The words of one line, hashed once.
    struct Line
    {
        std::vector<uint> keys;               // equality key (loose: letters and digits only)
        std::vector<std::vector<uint>> parts; // loose: keys of name words found inside
        std::vector<bool> wild;               // left to matchAt (see isWild)
        std::vector<bool> candidate;          // some character or include character may match here
    };
    Line prepare(const QStringList &words) const;
    // The same into an existing Line, reusing its storage from line to line.
    void prepare(const QStringList &words, Line &line) const;

    // Positions, in ascending order, of the characters (or include characters) given to the
    // constructor that may match at `start`; every other one certainly does not.
    void charactersAt(const Line &line, int start, std::vector<int> &out) const;
    void includesAt(const Line &line, int start, std::vector<int> &out) const;
    // Include character `includeIndex` was appended to the characters.
    void includeJoined(int includeIndex);
    // How many characters the answers cover; later ones must be asked directly.
    int characterCount() const { return m_characters.count; }

private:
    struct NameEntry
    {
        int index;    // position in its list
        int position; // which name word
    };
    // Where every name word and alias opener of one list occurs.
    struct NameIndex
    {
        QHash<uint, std::vector<NameEntry>> names;
        QHash<uint, std::vector<int>> openers; // first words of the aliases
        int count = 0;
    };

    void add(NameIndex &index, const Character &character, int position);
    void lookUp(const NameIndex &index, const Line &line, int start, std::vector<int> &out) const;
    void addNameHits(const NameIndex &index, uint key, int position, std::vector<int> &out) const;
    void hashWord(const QString &word, Line &line, size_t j) const;
    // Hash of the units [from, to) of a word as the comparison sees them.
    uint key(const QString &word, int from, int to) const;
    uint key(const QString &word) const { return key(word, 0, word.size()); }
    // Loose alias comparison drops punctuation, which is never a letter or a digit; a key
    // over letters and digits alone is therefore the same before and after the dropping.
    uint lettersKey(const QString &word) const;

    bool m_caseSensitive = false;
    bool m_loose = false;
    // A loose name with an empty word is found inside every word: nothing can be skipped.
    bool m_everyPosition = false;
    int m_span = 1; // words of the longest name
    QSet<uint> m_nameKeys;
    QSet<uint> m_openerKeys;
    QSet<int> m_nameLengths; // loose: lengths of the name words, for the inside search
    NameIndex m_characters;
    NameIndex m_includes;
    CharacterList m_includeList; // to index the include characters that join
};
