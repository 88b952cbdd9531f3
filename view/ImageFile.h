#pragma once

class QImage;
class QString;

// Writes an image in the format its suffix names (PNG, JPEG, ...), replacing any earlier file
// only once the new one is complete. False when the format is unknown or the file cannot be
// written; the earlier file is then left as it was.
bool saveImageFile(const QImage &image, const QString &path);
