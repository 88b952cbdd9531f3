#include "scenes/StorylineSteps.h"

#include "scenes/TimeIndexVector.h"

StorylineSteps storylineStepsFromIndex(const TimeIndexVector &index)
{
    StorylineSteps result;
    result.characterCount = static_cast<int>(index.characters.size());
    result.steps.reserve(index.scenes.size());
    for (const Scene &scene : index.scenes) {
        StorylineSteps::Group present;
        for (int k = 0; k < scene.counts.size() && k < result.characterCount; ++k) {
            if (scene.counts.at(k) > 0)
                present.push_back(k);
        }
        StorylineSteps::Step step;
        if (!present.empty())
            step.push_back(std::move(present));
        result.steps.push_back(std::move(step));
    }
    return result;
}
