#pragma once

#include <QString>
#include <QStringList>

class TimeIndexVector;
struct ScriptFacts;

// What one screenplay of a corpus run contributes to the corpus table.
struct SummarySource
{
    QString file;
    QString format; // the format the file was read as
    int lines = 0;
    int pages = -1; // -1 where the format does not say
    // The scene index of the analysis; null when the screenplay could not be read or analysed.
    const TimeIndexVector *index = nullptr;
    const ScriptFacts *facts = nullptr; // of the same analysis; null with the index
    QString failure;                    // why it could not, when it could not
};

// The corpus table: one row per screenplay, failed ones included, so that a study sees what
// is missing. The columns are fixed but for one "scenes BREAK" column per break string, so
// every row of one run must use the same break strings as the header.
QString corpusSummaryHeader(const QStringList &breakStrings);
QString corpusSummaryRow(const SummarySource &source, const QStringList &breakStrings);
// The row of a screenplay that failed before anything of it could be counted.
QString corpusFailureRow(const QString &file, const QString &format, const QString &failure,
                         const QStringList &breakStrings);
