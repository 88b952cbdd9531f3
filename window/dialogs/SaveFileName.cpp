#include "dialogs/SaveFileName.h"

#include <QFileDialog>
#include <QFileInfo>

QString askSaveFileName(QWidget *parent, const QString &title, const QString &suggested,
                        const QString &filter, const QString &suffix)
{
    const QString name = QFileDialog::getSaveFileName(parent, title, suggested, filter);
    if (name.isEmpty() || !QFileInfo(name).suffix().isEmpty())
        return name;
    return name + QLatin1Char('.') + suffix;
}
