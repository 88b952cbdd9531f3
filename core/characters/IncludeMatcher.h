#pragma once

#include "characters/Character.h"

#include <QHash>
#include <QStringList>

#include <vector>

// Answers, for every token position of a line, which include character is counted there:
// among those that occur at the position (Character::occursAt) the one with the most name
// words, the earlier one in the list on a tie. Asking every character at every position is
// the cost of discovery on long screenplays, so the matcher first finds the few candidate
// positions per character through cheap necessary conditions (word keys, letter masks) and
// confirms only those with occursAt.
class IncludeMatcher
{
public:
    IncludeMatcher(const CharacterList &includeCharacters, bool caseSensitive, bool looseMatch,
                   bool wholeName = false);

    // Index into the include list of the character counted at each position that has one,
    // in position order. The reference stays valid until the next call.
    const std::vector<int> &winners(const QStringList &tokens);

    // Words that compare equal under the case flag always have equal keys.
    static uint wordKey(const QString &word, bool caseSensitive);
    // The key of the word with the loose-matching punctuation removed.
    static uint strippedWordKey(const QString &word, bool caseSensitive);
    // One bit per (folded) unit value modulo 64: a word can only contain another whose
    // mask is a subset of its own.
    static quint64 unitMask(const QString &word, bool caseSensitive);

private:
    struct Candidate
    {
        int position;
        int character;
        bool operator<(const Candidate &other) const
        {
            return position != other.position ? position < other.position
                                              : character < other.character;
        }
    };
    // A name word for containment tests (loose matching).
    struct NameWord
    {
        int character;
        int offset;
        quint64 mask;
        QString word;
    };

    void indexWords();
    void collectByKey(const QStringList &tokens);
    void collectLoose(const QStringList &tokens);
    void addByKey(uint key, int token);
    int bestAt(const QStringList &tokens, int position, const Candidate *begin,
               const Candidate *end) const;

    const CharacterList &m_characters;
    bool m_caseSensitive;
    bool m_looseMatch;
    bool m_wholeName;
    // Word key -> (character, offset of the word from the match position). Strict matching
    // indexes name and alias words, loose matching only the first words of aliases.
    QHash<uint, std::vector<std::pair<int, int>>> m_index;
    std::vector<NameWord> m_nameWords;
    std::vector<Candidate> m_candidates;
    std::vector<int> m_winners;
};
