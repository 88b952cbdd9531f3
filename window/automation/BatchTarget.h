#pragma once

#include <QString>
#include <QStringList>

// What a batch run needs of the window it drives: the batch settings and the files still
// to do, which the window's Automate entry fills and the run works through, and the few
// things a step does with a screenplay. The window implements it; the run knows nothing
// else of the window.
class BatchTarget
{
public:
    virtual ~BatchTarget() = default;

    // Reads and analyses `path` as File > "Open File" does after its dialog; returns
    // whether the file could be read.
    virtual bool loadScreenplay(const QString &path) = 0;
    // The path of the screenplay loaded last, from which the output names are formed.
    virtual QString screenplayPath() const = 0;
    // Draws the thread view now and writes the picture to `name`. False when there was
    // nothing to draw; then no file is written and no request is left behind.
    virtual bool writeThreadImage(const QString &name) = 0;
    virtual void writeSceneStats(const QString &name) = 0;
    virtual void writeCharacterStats(const QString &name) = 0;

    // Files still to be processed; the first entry is the current one.
    QStringList automateFiles;
    qint32 automateDelayMs = 5000; // between the parse of a file and the writing of its results
    // The next step is the first of the run: nothing has been loaded yet.
    bool automateFirstStep = false;
    bool automateWriteImages = true;
    bool automateWriteSceneStats = false;
    bool automateWriteCharacterStats = false;
};
