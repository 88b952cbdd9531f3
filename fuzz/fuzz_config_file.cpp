#include "FuzzInput.h"

#include "characters/ConfigFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    AnalysisOptions options;
    readConfig(writeFuzzInput(data, size), options);
    return 0;
}
