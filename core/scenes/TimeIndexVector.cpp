#include "scenes/TimeIndexVector.h"

#include "support/Diagnostics.h"

#include <cmath>
#include <utility>

TimeIndexVector::TimeIndexVector(CharacterList characterSnapshot)
    : characters(std::move(characterSnapshot))
{
}

void TimeIndexVector::addScene(float time, const QString &type)
{
    const bool hadPrevious = !scenes.empty();
    if (hadPrevious)
        scenes.back().end = time;
    Scene scene;
    scene.start = time;
    scene.type = type;
    if (hadPrevious && !scenes.back().pages.isEmpty())
        scene.pages.append(scenes.back().pages.last());
    const qint64 counters = qint64(scenes.size() + 1) * qint64(characters.size());
    if (counters > maximumCounters)
        tooLarge = true;
    if (!tooLarge)
        scene.counts.fill(0, static_cast<int>(characters.size()));
    scenes.push_back(std::move(scene));
}

void TimeIndexVector::countCharacter(int characterIndex)
{
    if (scenes.empty()) {
        Diagnostics::print("warning: TimeIndexVector is 0 at inc value\n");
        return;
    }
    QVector<qint32> &counts = scenes.back().counts;
    if (characterIndex >= 0 && characterIndex < counts.size())
        ++counts[characterIndex];
}

void TimeIndexVector::addPage(int page)
{
    if (!scenes.empty())
        scenes.back().pages.append(page);
}

void TimeIndexVector::normalizeTimes()
{
    if (scenes.empty())
        return;
    const float first = scenes.front().start;
    const float last = scenes.back().end;
    const float span = last - first;
    const bool usable = std::isfinite(span) && span != 0.0f;
    // Records need not be in time order, so a position far outside the first..last range
    // can overflow; such a position (like every one of an unusable span) becomes 0.
    const auto rescale = [&](float time) {
        const float position = usable ? (time - first) / span : 0.0f;
        return std::isfinite(position) ? position : 0.0f;
    };
    for (Scene &scene : scenes) {
        scene.start = rescale(scene.start);
        scene.end = rescale(scene.end);
    }
}
