#pragma once

#include "scenes/TimeIndexVector.h"

#include <QColor>
#include <QString>

#include <initializer_list>
#include <memory>
#include <vector>

// One scene of a hand-made index: its range and one count per character.
struct SceneRow
{
    float start;
    float end;
    std::vector<int> counts;
};

// A scene index over characters named "C0", "C1", ... with the given colours (or their
// name colours when none are given), holding the scenes in the order listed.
inline std::unique_ptr<TimeIndexVector> makeSceneIndex(int characterCount,
                                                       std::initializer_list<SceneRow> rows,
                                                       std::vector<QColor> colors = {})
{
    CharacterList characters;
    for (int c = 0; c < characterCount; ++c) {
        auto character = std::make_shared<Character>(QStringList{QStringLiteral("C%1").arg(c)});
        if (c < static_cast<int>(colors.size()))
            character->color = colors[c];
        characters.push_back(character);
    }
    auto index = std::make_unique<TimeIndexVector>(characters);
    for (const SceneRow &row : rows) {
        Scene scene;
        scene.start = row.start;
        scene.end = row.end;
        for (int c = 0; c < characterCount; ++c)
            scene.counts.append(c < static_cast<int>(row.counts.size()) ? row.counts[c] : 0);
        index->scenes.push_back(scene);
    }
    return index;
}
