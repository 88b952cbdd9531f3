#pragma once

#include <QString>
#include <QStringList>

// What reading a settings file gives besides the values it sets: whether the file was read at
// all, and one warning for each line that could not be read as it stands.
struct SettingsRead
{
    bool read = false;
    // "FILE line N: what was wrong; what was kept instead", in file order.
    QStringList warnings;

    explicit operator bool() const { return read; }
};

// The warning for line `lineIndex` (counted from 0) of the file at `path`.
inline QString settingsLineWarning(const QString &path, int lineIndex, const QString &problem)
{
    return QStringLiteral("%1 line %2: %3").arg(path).arg(lineIndex + 1).arg(problem);
}
