// Reads a PDF from memory, then finds its characters and marks it up.
#include "FuzzInput.h"

#include "reader/PdfReader.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<int>(size));
    checkAndAnalyse(readPdf(bytes));
    return 0;
}
