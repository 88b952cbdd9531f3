#pragma once

#include <QString>
#include <QStringList>

// What a batch run has done so far: the files it wrote and what it could not do, each
// failure as "FILE: why".
struct AutomationSummary
{
    int screenplays = 0; // in the run
    int done = 0;        // screenplays whose turn is over
    QStringList written;
    QStringList failures;

    // "3 files written for 2 screenplays; 1 failure", for the end of a run.
    QString outcome() const;
};
