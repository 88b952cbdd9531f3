#include "scenes/ResearchName.h"

#include "scenes/TimeIndexVector.h"

QString researchName(const Character &character)
{
    return character.names.join(QLatin1Char(' ')).trimmed();
}

int scenesWithCharacter(const TimeIndexVector &index, int characterIndex)
{
    int scenes = 0;
    for (const Scene &scene : index.scenes) {
        if (characterIndex < scene.counts.size() && scene.counts.at(characterIndex) > 0)
            ++scenes;
    }
    return scenes;
}

int speakerLines(const TimeIndexVector &index, int characterIndex)
{
    int lines = 0;
    for (const Scene &scene : index.scenes) {
        if (characterIndex < scene.counts.size())
            lines += scene.counts.at(characterIndex);
    }
    return lines;
}
