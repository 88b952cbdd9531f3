#include "characters/IncludeMatcher.h"

#include <algorithm>

IncludeMatcher::IncludeMatcher(const CharacterList &includeCharacters, bool caseSensitive,
                               bool looseMatch)
    : m_characters(includeCharacters)
    , m_caseSensitive(caseSensitive)
    , m_looseMatch(looseMatch)
{
    if (!m_looseMatch)
        indexWords();
}

uint IncludeMatcher::wordKey(const QString &word, bool caseSensitive)
{
    // Case-insensitive comparison folds each UTF-16 unit on its own, except that surrogate
    // halves are folded as pairs; a pair folds to a pair, so equal words have surrogates in
    // the same places and a fixed value for them keeps the key consistent.
    uint key = static_cast<uint>(word.size());
    for (const QChar c : word) {
        ushort unit = c.unicode();
        if (c.isSurrogate())
            unit = 0xD800;
        else if (!caseSensitive)
            unit = QChar::toCaseFolded(unit);
        key = key * 31u + unit;
    }
    return key;
}

void IncludeMatcher::indexWords()
{
    for (int c = 0; c < static_cast<int>(m_characters.size()); ++c) {
        const Character &character = *m_characters[c];
        if (character.names.isEmpty())
            continue; // occursAt never matches a character without a name
        // Any name word in its aligned place is a (partial) match.
        for (int k = 0; k < character.names.size(); ++k)
            m_index[wordKey(character.names.at(k), m_caseSensitive)].emplace_back(c, k);
        // A full alias match needs its first word at the position itself.
        for (const QStringList &alias : character.aliases) {
            if (!alias.isEmpty())
                m_index[wordKey(alias.first(), m_caseSensitive)].emplace_back(c, 0);
        }
    }
}

const std::vector<int> &IncludeMatcher::winners(const QStringList &tokens)
{
    m_winners.clear();
    if (m_looseMatch)
        winnersByScan(tokens);
    else
        winnersByIndex(tokens);
    return m_winners;
}

int IncludeMatcher::bestAt(const QStringList &tokens, int position, const Candidate *begin,
                           const Candidate *end) const
{
    int best = -1;
    for (const Candidate *candidate = begin; candidate != end; ++candidate) {
        const Character &character = *m_characters[candidate->character];
        if (best >= 0 && character.names.size() <= m_characters[best]->names.size())
            continue;
        if (character.occursAt(tokens, position, m_caseSensitive, m_looseMatch))
            best = candidate->character;
    }
    return best;
}

// Containment (loose name matching) cannot be looked up, so every character is asked.
void IncludeMatcher::winnersByScan(const QStringList &tokens)
{
    m_candidates.clear();
    for (int c = 0; c < static_cast<int>(m_characters.size()); ++c)
        m_candidates.push_back({0, c});
    const Candidate *begin = m_candidates.data();
    const Candidate *end = begin + m_candidates.size();
    for (int j = 0; j < tokens.size(); ++j) {
        const int best = bestAt(tokens, j, begin, end);
        if (best >= 0)
            m_winners.push_back(best);
    }
}

void IncludeMatcher::winnersByIndex(const QStringList &tokens)
{
    m_candidates.clear();
    for (int t = 0; t < tokens.size(); ++t) {
        const auto found = m_index.constFind(wordKey(tokens.at(t), m_caseSensitive));
        if (found == m_index.constEnd())
            continue;
        for (const auto &[character, offset] : *found) {
            if (t - offset >= 0)
                m_candidates.push_back({t - offset, character});
        }
    }
    // Candidates in position order, and within a position in list order, so that ties go
    // to the earlier character exactly as a full scan would decide them.
    std::sort(m_candidates.begin(), m_candidates.end());
    m_candidates.erase(std::unique(m_candidates.begin(), m_candidates.end(),
                                   [](const Candidate &a, const Candidate &b) {
                                       return a.position == b.position &&
                                              a.character == b.character;
                                   }),
                       m_candidates.end());
    const Candidate *begin = m_candidates.data();
    const Candidate *end = begin + m_candidates.size();
    while (begin != end) {
        const Candidate *group = begin;
        while (group != end && group->position == begin->position)
            ++group;
        const int best = bestAt(tokens, begin->position, begin, group);
        if (best >= 0)
            m_winners.push_back(best);
        begin = group;
    }
}
