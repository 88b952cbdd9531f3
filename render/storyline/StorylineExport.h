#pragma once

class QString;
class StorylinePicture;

// Writes the picture as SVG (vector, the names as text) when the path ends in ".svg", else as
// an image in the format its suffix names (PNG, JPEG, ...). The earlier file is replaced only
// once the new one is complete. False when the file cannot be written or the picture is too
// large for an image; `reason` (when given) then says why.
bool saveStorylinePicture(const StorylinePicture &picture, const QString &path,
                          QString *reason = nullptr);
