#include "threads/LayoutStamp.h"

#include "threads/ThreadModel.h"

#include <tuple>

LayoutStamp LayoutStamp::of(const ThreadModel &model)
{
    LayoutStamp stamp;
    stamp.revision = model.layoutRevision();
    stamp.graphHeight = model.graphHeight;
    stamp.colors.reserve(model.characters().size());
    for (const CharacterPtr &character : model.characters())
        stamp.colors.push_back(character->color);
    return stamp;
}

bool LayoutStamp::operator==(const LayoutStamp &other) const
{
    return std::tie(revision, graphHeight, colors) ==
           std::tie(other.revision, other.graphHeight, other.colors);
}
