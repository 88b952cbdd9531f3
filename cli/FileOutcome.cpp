#include "FileOutcome.h"

#include <QDataStream>

QDataStream &operator<<(QDataStream &stream, const FileOutcome &outcome)
{
    return stream << outcome.succeeded << outcome.messages << outcome.json << outcome.summaryRow
                  << qint32(outcome.onceFrom) << qint32(outcome.onceLength);
}

QDataStream &operator>>(QDataStream &stream, FileOutcome &outcome)
{
    qint32 onceFrom = -1;
    qint32 onceLength = 0;
    stream >> outcome.succeeded >> outcome.messages >> outcome.json >> outcome.summaryRow >>
        onceFrom >> onceLength;
    outcome.onceFrom = onceFrom;
    outcome.onceLength = onceLength;
    return stream;
}
