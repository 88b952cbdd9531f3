#pragma once

#include "DocumentStages.h"
#include "characters/Character.h"
#include "scenes/BreakStringFile.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

// A character whose name words are the blank-separated words of `name`.
inline CharacterPtr characterNamed(const QString &name, const QList<QStringList> &aliases = {})
{
    auto character = std::make_shared<Character>(name.split(QLatin1Char(' ')));
    character->aliases = aliases;
    return character;
}

// A document ready for a parse: lines, characters, break strings and a fresh index over the
// characters, as the parse driver leaves it just before the markup pass.
inline std::unique_ptr<TestDocument>
documentFor(const QStringList &lines, const CharacterList &characters,
            const QStringList &breakStrings = sampleBreakStrings())
{
    auto document = std::make_unique<TestDocument>();
    document->textLines = lines;
    document->characters = characters;
    document->breakStrings = breakStrings;
    document->timeIndex = std::make_unique<TimeIndexVector>(document->characters);
    return document;
}
