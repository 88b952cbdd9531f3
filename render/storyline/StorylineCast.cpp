#include "storyline/StorylineCast.h"

#include "document/Analysis.h"
#include "scenes/ResearchName.h"
#include "storyline/StorylineColors.h"

#include <QSet>

StorylineCast storylineCast(const Analysis &analysis)
{
    StorylineCast cast;
    if (!analysis.timeIndex)
        return cast;
    const CharacterList &characters = analysis.timeIndex->characters;
    std::vector<QColor> colors;
    std::vector<bool> forced;
    QSet<QString> taken;
    for (const CharacterPtr &character : characters) {
        QString name = researchName(*character);
        for (int copy = 2; taken.contains(name); ++copy)
            name = QStringLiteral("%1 (%2)").arg(researchName(*character)).arg(copy);
        taken.insert(name);
        cast.names.append(name);
        colors.push_back(character->color);
        forced.push_back(character->forcedColor);
    }
    cast.colors = distinctLineColors(colors, forced);
    const bool sessions = analysis.sessionSteps != nullptr;
    const int steps = static_cast<int>(analysis.timeIndex->scenes.size());
    for (int s = 0; s < steps; ++s)
        cast.stepLabels.append(QString::number(sessions ? s + 1 : s));
    cast.axisTitle = sessions ? QStringLiteral("Step") : QStringLiteral("Scene");
    return cast;
}
