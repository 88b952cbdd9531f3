#include "characters/IncludeMatcher.h"

#include <algorithm>

namespace {

// Case-insensitive comparison folds each UTF-16 unit on its own, except that surrogate halves
// are folded as pairs; a pair folds to a pair and never to a single unit, so matching words
// have surrogates in the same places, and one fixed value for them keeps keys and masks
// consistent with the comparison.
ushort comparedUnit(const QChar c, bool caseSensitive)
{
    if (c.isSurrogate())
        return 0xD800;
    return caseSensitive ? c.unicode() : static_cast<ushort>(QChar::toCaseFolded(c.unicode()));
}

} // namespace

IncludeMatcher::IncludeMatcher(const CharacterList &includeCharacters, bool caseSensitive,
                               bool looseMatch, bool wholeName)
    : m_characters(includeCharacters)
    , m_caseSensitive(caseSensitive)
    , m_looseMatch(looseMatch)
    , m_wholeName(wholeName)
{
    indexWords();
}

uint IncludeMatcher::wordKey(const QString &word, bool caseSensitive)
{
    uint key = static_cast<uint>(word.size());
    for (const QChar c : word)
        key = key * 31u + comparedUnit(c, caseSensitive);
    return key;
}

uint IncludeMatcher::strippedWordKey(const QString &word, bool caseSensitive)
{
    // Built like wordKey over the word without punctuation: the length seeds the key.
    uint key = 0;
    for (const QChar c : word) {
        if (!Character::isLoosePunctuation(c))
            ++key;
    }
    for (const QChar c : word) {
        if (!Character::isLoosePunctuation(c))
            key = key * 31u + comparedUnit(c, caseSensitive);
    }
    return key;
}

quint64 IncludeMatcher::unitMask(const QString &word, bool caseSensitive)
{
    quint64 mask = 0;
    for (const QChar c : word)
        mask |= quint64(1) << (comparedUnit(c, caseSensitive) % 64);
    return mask;
}

void IncludeMatcher::indexWords()
{
    for (int c = 0; c < static_cast<int>(m_characters.size()); ++c) {
        const Character &character = *m_characters[c];
        if (character.names.isEmpty())
            continue; // occursAt never matches a character without a name
        // Any name word in its aligned place is a (partial) match.
        for (int k = 0; k < character.names.size(); ++k) {
            const QString &word = character.names.at(k);
            if (m_looseMatch)
                m_nameWords.push_back({c, k, unitMask(word, m_caseSensitive), word});
            else
                m_index[wordKey(word, m_caseSensitive)].emplace_back(c, k);
        }
        // A full alias match needs its first word at the position itself.
        for (const QStringList &alias : character.aliases) {
            if (!alias.isEmpty())
                m_index[wordKey(alias.first(), m_caseSensitive)].emplace_back(c, 0);
        }
    }
}

void IncludeMatcher::addByKey(uint key, int token)
{
    const auto found = m_index.constFind(key);
    if (found == m_index.constEnd())
        return;
    for (const auto &[character, offset] : *found) {
        if (token - offset >= 0)
            m_candidates.push_back({token - offset, character});
    }
}

void IncludeMatcher::collectByKey(const QStringList &tokens)
{
    for (int t = 0; t < tokens.size(); ++t)
        addByKey(wordKey(tokens.at(t), m_caseSensitive), t);
}

void IncludeMatcher::collectLoose(const QStringList &tokens)
{
    const Qt::CaseSensitivity cs = m_caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    for (int t = 0; t < tokens.size(); ++t) {
        const QString &token = tokens.at(t);
        // Alias words are compared with the token stripped of punctuation.
        addByKey(strippedWordKey(token, m_caseSensitive), t);
        const quint64 mask = unitMask(token, m_caseSensitive);
        for (const NameWord &name : m_nameWords) {
            if (t - name.offset < 0 || (name.mask & ~mask) != 0 || name.word.size() > token.size())
                continue;
            if (token.contains(name.word, cs))
                m_candidates.push_back({t - name.offset, name.character});
        }
    }
}

const std::vector<int> &IncludeMatcher::winners(const QStringList &tokens)
{
    m_winners.clear();
    m_candidates.clear();
    if (m_looseMatch)
        collectLoose(tokens);
    else
        collectByKey(tokens);
    // Position order, and list order within a position, so that ties go to the earlier
    // character exactly as asking every character in turn would decide them.
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
        if (character.occursAt(tokens, position, m_caseSensitive, m_looseMatch, m_wholeName))
            best = candidate->character;
    }
    return best;
}
