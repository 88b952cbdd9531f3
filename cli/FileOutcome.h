#pragma once

#include <QByteArray>
#include <QString>

class QDataStream;

// What the analysis of one screenplay leaves for the report: everything it printed, its JSON
// line and its corpus-table row. A run prints these in the order of its files, whichever
// process made them and whenever they were done.
struct FileOutcome
{
    bool succeeded = false; // read, analysed and every output written
    QByteArray messages;    // what the analysis wrote to standard error, byte for byte
    QByteArray json;        // the JSON line with its line end; empty without --json
    QString summaryRow;     // the corpus-table row with its line end; empty without --summary
    // Where in `messages` a process's once-only lines are (the OpenGL and shader report of its
    // first image): a run with several processes prints them for the first such file only.
    int onceFrom = -1;
    int onceLength = 0;
};

QDataStream &operator<<(QDataStream &stream, const FileOutcome &outcome);
QDataStream &operator>>(QDataStream &stream, FileOutcome &outcome);
