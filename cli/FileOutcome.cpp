#include "cli/FileOutcome.h"

#include <QDataStream>

QDataStream &operator<<(QDataStream &stream, const FileOutcome &outcome)
{
    return stream << outcome.succeeded << outcome.messages << outcome.json << outcome.summaryRow;
}

QDataStream &operator>>(QDataStream &stream, FileOutcome &outcome)
{
    return stream >> outcome.succeeded >> outcome.messages >> outcome.json >> outcome.summaryRow;
}
