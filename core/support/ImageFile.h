#pragma once

class QImage;
class QString;

// Writes an image in the format its suffix names (PNG, JPEG, ...), replacing any earlier file
// (or a symbolic link of that name) only once the new one is complete on disk. False when the
// format is unknown or the file cannot be written; the earlier file is then left as it was and
// `reason` (when given) says why.
bool saveImageFile(const QImage &image, const QString &path, QString *reason = nullptr);
