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
};

QDataStream &operator<<(QDataStream &stream, const FileOutcome &outcome);
QDataStream &operator>>(QDataStream &stream, FileOutcome &outcome);
