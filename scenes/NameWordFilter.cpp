#include "scenes/NameWordFilter.h"

#include "characters/AnalysisOptions.h"

#include <algorithm>

NameWordFilter::NameWordFilter(const CharacterList &characters,
                               const CharacterList &includeCharacters,
                               const AnalysisOptions &options)
    : m_caseSensitive(options.caseSensitive)
    , m_everyPosition(options.looseMatch)
{
    if (m_everyPosition)
        return;
    addNames(characters);
    addNames(includeCharacters);
}

void NameWordFilter::addNames(const CharacterList &characters)
{
    for (const CharacterPtr &character : characters) {
        if (!character)
            continue;
        m_span = std::max(m_span, static_cast<int>(character->names.size()));
        for (const QString &word : character->names)
            m_keys.insert(key(word));
        // A full alias match needs its first word in place, but keeping every alias word
        // costs nothing and keeps the test obviously on the safe side.
        for (const QStringList &alias : character->aliases) {
            m_span = std::max(m_span, static_cast<int>(alias.size()));
            for (const QString &word : alias)
                m_keys.insert(key(word));
        }
    }
}

uint NameWordFilter::key(const QString &word) const
{
    // FNV-1a over the UTF-16 units as QString::compare sees them: for units outside the
    // surrogate range its case-insensitive comparison folds exactly like QChar::toCaseFolded.
    uint hash = 2166136261u;
    for (const QChar c : word) {
        const ushort unit = m_caseSensitive ? c.unicode() : QChar::toCaseFolded(c.unicode());
        hash = (hash ^ unit) * 16777619u;
    }
    return hash;
}

bool NameWordFilter::couldHit(const QString &word) const
{
    // Surrogate pairs fold as whole code points; such words are simply always tried.
    for (const QChar c : word) {
        if (c.isSurrogate())
            return true;
    }
    return m_keys.contains(key(word));
}

std::vector<bool> NameWordFilter::candidates(const QStringList &words) const
{
    const int count = words.size();
    std::vector<bool> flags(static_cast<size_t>(count), m_everyPosition);
    if (m_everyPosition)
        return flags;
    // matchAt at l compares name word k with words[l + k]; a hit at j therefore makes
    // every start from j - span + 1 to j worth asking.
    for (int j = 0; j < count; ++j) {
        if (!couldHit(words.at(j)))
            continue;
        for (int l = std::max(0, j - m_span + 1); l <= j; ++l)
            flags[static_cast<size_t>(l)] = true;
    }
    return flags;
}
