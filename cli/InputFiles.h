#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

// A screenplay, or a folder, found but not usable as a path: its name cannot be decoded in the
// system's encoding (and so cannot be opened), or the folder cannot be listed.
struct UnusablePath
{
    QByteArray path; // as the file system has it
    QString reason;
};

// The screenplays of one run, in the order they are analysed and reported.
struct InputFiles
{
    QStringList files;
    std::vector<UnusablePath> unusable; // reported, and counted as failed
    QString error;                      // a list file that cannot be read; empty when all went well
};

// The files of the command line in their order, then those of the list file (one path per
// line, blank lines skipped; "-" is standard input) when one is given. A folder stands for
// the screenplays below it, at any depth, sorted by path: the files with a suffix the reader
// takes, without the settings files and without what this tool wrote there itself.
// `ownTable`, when given, is the run's own corpus table of an earlier run, which a folder walk
// leaves out.
InputFiles collectInputFiles(const QStringList &arguments, const QString &listFile,
                             const QString &ownTable);

// The path for a message: bytes outside ASCII that do not decode are shown as \xHH.
QByteArray printablePath(const QByteArray &path);
