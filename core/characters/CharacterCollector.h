#pragma once

#include "characters/Character.h"

#include <QHash>
#include <QStringList>

// The characters a discovery scan meets, in the order it meets them. Finding one by its exact
// name words is a hash lookup, so a scan stays linear in its cues however many there are.
class CharacterCollector
{
public:
    explicit CharacterCollector(const CharacterList &includeCharacters);

    // The collected character with exactly these words, else the first include character
    // with them (then collected), else a new one (collected).
    CharacterPtr findOrAdd(const QStringList &words);

    const CharacterList &characters() const { return m_characters; }
    CharacterList takeCharacters() { return std::move(m_characters); }

private:
    CharacterList m_characters;
    QHash<QStringList, CharacterPtr> m_collected;
    QHash<QStringList, CharacterPtr> m_includes;
};
