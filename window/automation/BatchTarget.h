#pragma once

#include <QString>
#include <QStringList>

// What a batch run needs of the window it drives: the batch settings and the files still
// to do, which the window's Automate entry fills and the run works through, and the few
// things a step does with a screenplay. The window implements it; the run knows nothing
// else of the window. Each operation returns whether it succeeded; when not, `reason` says
// why in words for the run's summary.
class BatchTarget
{
public:
    virtual ~BatchTarget() = default;

    // Reads and analyses `path` as File > "Open File" does after its dialog. A file that
    // cannot be read leaves the screenplay open before as it was.
    virtual bool loadScreenplay(const QString &path, QString *reason) = 0;
    // Draws the thread view now and writes the picture to `name`. When there is nothing to
    // draw, no file is written and no request is left behind.
    virtual bool writeThreadImage(const QString &name, QString *reason) = 0;
    virtual bool writeSceneStats(const QString &name, QString *reason) = 0;
    virtual bool writeCharacterStats(const QString &name, QString *reason) = 0;

    // Files still to be processed; the first entry is the current one.
    QStringList automateFiles;
    qint32 automateDelayMs = 5000; // between the parse of a file and the writing of its results
    // The next step is the first of the run: nothing has been loaded yet.
    bool automateFirstStep = false;
    bool automateWriteImages = true;
    bool automateWriteSceneStats = false;
    bool automateWriteCharacterStats = false;
};
