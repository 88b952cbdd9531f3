#include "app/textVis.h"

#include "reader/Diagnostics.h"
#include "scenes/Statistics.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>

namespace {

// Statistics need a scene index, which only a parse makes.
bool reportMissingIndex(const DocumentModel &document)
{
    if (document.timeIndex)
        return false;
    Diagnostics::print("no statistics written: no screenplay has been parsed yet\n");
    return true;
}

void reportWriteFailure(bool written)
{
    if (!written)
        Diagnostics::print("file not found\n");
}

} // namespace

void textVis::writeCharacterStats()
{
    if (reportMissingIndex(document))
        return;
    writeCharacterStats(QFileDialog::getSaveFileName(this, tr("Write Stats"), QDir::currentPath(),
                                                     tr("CSV (*.csv);;All files (*.*)")));
}

void textVis::writeCharacterStats(const QString &fname)
{
    if (reportMissingIndex(document))
        return;
    reportWriteFailure(::writeCharacterStats(fname, *document.timeIndex));
}

void textVis::writeSceneStats()
{
    if (reportMissingIndex(document))
        return;
    writeSceneStats(QFileDialog::getSaveFileName(this, tr("Write Stats"), QDir::currentPath(),
                                                 tr("CSV (*.csv);;All files (*.*)")));
}

void textVis::writeSceneStats(const QString &fname)
{
    if (reportMissingIndex(document))
        return;
    reportWriteFailure(
        ::writeSceneStats(fname, *document.timeIndex, int(document.textLines.size())));
}

void textVis::statsmenuTrigger(QAction *action)
{
    const QString text = action->text();
    if (text == QLatin1String("Write Scene Stats"))
        writeSceneStats();
    else if (text == QLatin1String("Write Character Stats"))
        writeCharacterStats();
}
