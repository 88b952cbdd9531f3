#pragma once

#include <QColor>

#include <cstdint>
#include <vector>

class ThreadModel;

// What a drawing built from a thread model depends on besides the view's options: the
// layout (by its revision), the graph's height and the characters' colours, which the
// window changes in place. A drawing stays current while its stamp is the model's.
struct LayoutStamp
{
    std::uint64_t revision = 0;
    float graphHeight = 0.0f;
    std::vector<QColor> colors;

    static LayoutStamp of(const ThreadModel &model);
    bool operator==(const LayoutStamp &other) const;
    bool operator!=(const LayoutStamp &other) const { return !(*this == other); }
};
