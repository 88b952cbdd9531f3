#pragma once

#include "reader/PrintedLayout.h"

#include <QString>
#include <QStringList>

#include <optional>

// What reading one screenplay file gives. Every format is turned into the lines the
// plain-text analysis understands, so the later stages never ask which format it was.
struct ScreenplayText
{
    QStringList lines;
    // What the file was read as: "text", "html", "csv", "xml", "fountain", "fdx" or "pdf".
    QString format;
    qint32 pageCount = -1; // -1 where the format does not say
    // Empty when the file was read; otherwise why not, in words a user can act on
    // ("cannot be opened: No such file or directory").
    QString error;
    // What was read otherwise than the bytes say ("2 bytes are not UTF-8 ..."), in words
    // that follow the file's name; the file was still read.
    QStringList warnings;
    bool stopped = false;                       // the reading was cancelled; then error says so too
    std::optional<PrintedLayout> printedLayout; // for printed pages (PDF) only

    bool ok() const { return error.isEmpty(); }
};
