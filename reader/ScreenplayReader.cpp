#include "reader/ScreenplayReader.h"
// TODO(reader): implementation pending
QString normalizeScreenplayLine(const QString &line) { return line; }
bool readScreenplay(const QString &, QStringList &textLines) { textLines.append(QStringLiteral("file not found\n")); return false; }
QString screenplayFileName(const QString &path) { return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1); }
void walkXml(const QString &) {}
