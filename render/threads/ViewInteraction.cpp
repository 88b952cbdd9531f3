#include "threads/ViewInteraction.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace ViewInteraction {

int selectByText(const CharacterList &characters, const QString &text)
{
    QStringList words = text.split(QLatin1Char(' '));
    if (!words.isEmpty() && words.last().isEmpty())
        words.removeLast();
    int selected = -1;
    for (std::size_t i = 0; i < characters.size(); ++i) {
        if (characters[i] && characters[i]->names == words)
            selected = static_cast<int>(i);
    }
    return selected;
}

float spinRightTarget(float angle)
{
    return static_cast<float>((static_cast<int>(angle / 90.0f) + 1) * 90);
}

float spinLeftTarget(float angle)
{
    return static_cast<float>((static_cast<int>(angle / 90.0f) - 1) * 90);
}

void turnStep(float rotation[3], const float target[3], float &spinSpeed)
{
    if (std::equal(rotation, rotation + 3, target)) {
        spinSpeed = 1.0f;
        return;
    }
    const float diff[3] = {target[0] - rotation[0], target[1] - rotation[1],
                           target[2] - rotation[2]};
    const float distance = std::sqrt(diff[0] * diff[0] + diff[1] * diff[1] + diff[2] * diff[2]);
    for (int axis = 0; axis < 3; ++axis) {
        if (distance < 2.0f)
            rotation[axis] = target[axis];
        else
            rotation[axis] += spinSpeed * diff[axis] / distance;
    }
    spinSpeed = std::min(spinSpeed + 1.0f, distance);
}

int indexFromKeyText(const QString &keyText)
{
    return keyText.toInt();
}

void applyDrag(Qt::MouseButton button, int dx, int dy, float viewOffset[3], float rotation[3],
               float targetRotation[3])
{
    const float fx = static_cast<float>(dx) * 0.1f;
    const float fy = static_cast<float>(dy) * 0.01f;
    if (button == Qt::RightButton)
        viewOffset[2] += fy;
    else if (button == Qt::MiddleButton)
        viewOffset[1] -= fy;
    else if (button == Qt::LeftButton)
        rotation[0] += fx;
    std::copy(rotation, rotation + 3, targetRotation);
}

void applyWheel(float notches, float viewOffset[3])
{
    viewOffset[2] *= std::pow(0.9f, notches);
}

float readingFraction(int scrollValue, int scrollMaximum)
{
    if (scrollMaximum <= 0)
        return 0.0f;
    return static_cast<float>(scrollValue) / static_cast<float>(scrollMaximum);
}

} // namespace ViewInteraction
