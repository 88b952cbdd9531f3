#include "characters/CharacterCollector.h"

CharacterCollector::CharacterCollector(const CharacterList &includeCharacters)
{
    m_includes.reserve(static_cast<int>(includeCharacters.size()));
    // The first include character of a name wins, as a search in list order would find.
    for (const CharacterPtr &include : includeCharacters) {
        if (!m_includes.contains(include->names))
            m_includes.insert(include->names, include);
    }
}

CharacterPtr CharacterCollector::findOrAdd(const QStringList &words)
{
    const auto collected = m_collected.constFind(words);
    if (collected != m_collected.constEnd())
        return collected.value();
    CharacterPtr character = m_includes.value(words);
    if (character == nullptr)
        character = std::make_shared<Character>(words);
    m_collected.insert(words, character);
    m_characters.push_back(character);
    return character;
}
