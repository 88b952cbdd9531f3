#include "FuzzInput.h"

#include "scenes/BreakStringFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QStringList breakStrings;
    loadBreakStringFile(writeFuzzInput(data, size), breakStrings);
    withoutBreakStrings(breakStrings, breakStrings.mid(0, 1));
    return 0;
}
