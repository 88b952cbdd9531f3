// Walks the top-level "div" elements of an XML file, as discovery does for ".xml" files.
#include "FuzzInput.h"

#include "reader/ScreenplayReader.h"

#include <cstdio>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // The walk prints a line per element; millions of runs need no such output.
    return std::freopen("/dev/null", "w", stdout) == nullptr ? 1 : 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    walkXml(writeFuzzInput(data, size));
    return 0;
}
