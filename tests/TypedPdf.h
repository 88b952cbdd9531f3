#pragma once

#include <QByteArray>
#include <QStringList>
#include <QVector>

// One page typed in Courier: each line's leading blanks set its column.
struct TypedPage
{
    double leftMargin = 72.0; // points
    int pointSize = 12;
    QStringList lines;
    bool upsideDown = false; // drawn turned by 180 degrees, as a page printed the wrong way up
};

// A PDF of the pages, drawn with Qt's own PDF writer, so tests need no binary files. The
// first call makes the (offscreen) GUI application that drawing text needs.
QByteArray typedPdf(const QVector<TypedPage> &pages);

// Makes the (offscreen) GUI application that drawing text needs, once.
void ensureGuiApplication();

// A PDF whose only page is a picture, as a scanner makes it.
QByteArray scannedPdf();
