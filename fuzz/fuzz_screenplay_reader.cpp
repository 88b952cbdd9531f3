// Reads a screenplay, finds its characters and marks it up, as opening a file does.
#include "FuzzInput.h"

#include "app/DocumentModel.h"
#include "reader/ScreenplayReader.h"
#include "scenes/BreakStringFile.h"
#include "scenes/Statistics.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    DocumentModel document;
    document.breakStrings = sampleBreakStrings();
    document.manualBreaks = {0.25f, 0.5f};
    auto include = std::make_shared<Character>(QStringList{"JOHN", "SMITH"});
    include->aliases.append(QStringList{"MR", "SMITH"});
    document.includeCharacters.push_back(include);
    document.options.looseMatch = size % 2 == 0;
    document.textLines = readScreenplayFile(writeFuzzInput(data, size)).lines;
    analyseText(document);
    characterStatsCsv(*document.timeIndex);
    sceneStatsCsv(*document.timeIndex, document.textLines.size());
    return 0;
}
