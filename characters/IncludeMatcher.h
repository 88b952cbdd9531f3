#pragma once

#include "characters/Character.h"

#include <QHash>
#include <QStringList>

#include <vector>

// Answers, for every token position of a line, which include character is counted there:
// among those that occur at the position (Character::occursAt) the one with the most name
// words, the earlier one in the list on a tie. Asking every character at every position is
// the cost of discovery on long screenplays, so in strict mode the matcher looks each token
// up in an index of the name and alias words and confirms only the few candidates it finds.
class IncludeMatcher
{
public:
    IncludeMatcher(const CharacterList &includeCharacters, bool caseSensitive, bool looseMatch);

    // Index into the include list of the character counted at each position that has one,
    // in position order. The reference stays valid until the next call.
    const std::vector<int> &winners(const QStringList &tokens);

    // Equal words (under the case flag) always have equal keys; unequal ones rarely do.
    static uint wordKey(const QString &word, bool caseSensitive);

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

    void indexWords();
    int bestAt(const QStringList &tokens, int position, const Candidate *begin,
               const Candidate *end) const;
    void winnersByScan(const QStringList &tokens);
    void winnersByIndex(const QStringList &tokens);

    const CharacterList &m_characters;
    bool m_caseSensitive;
    bool m_looseMatch;
    // Word key -> (character, offset of the word from the match position) pairs.
    QHash<uint, std::vector<std::pair<int, int>>> m_index;
    std::vector<Candidate> m_candidates;
    std::vector<int> m_winners;
};
