#pragma once

#include <QString>
#include <QStringList>

// The screenplays of one run, in the order they are analysed and reported.
struct InputFiles
{
    QStringList files;
    QString error; // a list file that cannot be read; empty when all went well
};

// The files of the command line in their order, then those of the list file (one path per
// line, blank lines skipped; "-" is standard input) when one is given. A folder stands for
// the screenplays below it, at any depth, sorted by path: the files with a suffix the reader
// takes, without the settings files and without what this tool wrote there itself.
// `excluded` names further files a folder walk leaves out (the run's own corpus table).
InputFiles collectInputFiles(const QStringList &arguments, const QString &listFile,
                             const QStringList &excluded);
