#pragma once

#include <QString>

class QWidget;

// Asks where to write a file, with `suggested` (a path) filled in, and gives the answer with
// ".`suffix`" added when the name the user gave has no suffix of its own. Empty when the
// user cancelled. The dialog asks before a file is replaced.
QString askSaveFileName(QWidget *parent, const QString &title, const QString &suggested,
                        const QString &filter, const QString &suffix);
