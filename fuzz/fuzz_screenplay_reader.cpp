// Reads a screenplay, finds its characters and marks it up, as opening a file does.
#include "FuzzInput.h"

#include "document/Analysis.h"
#include "reader/ScreenplayReader.h"
#include "scenes/BreakStringFile.h"
#include "scenes/Statistics.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    AnalysisSettings settings;
    settings.breakStrings = sampleBreakStrings();
    settings.manualBreaks = {0.25f, 0.5f};
    auto include = std::make_shared<Character>(QStringList{"JOHN", "SMITH"});
    include->aliases.append(QStringList{"MR", "SMITH"});
    settings.includeCharacters.push_back(include);
    settings.options.looseMatch = size % 2 == 0;
    Screenplay screenplay;
    screenplay.textLines = readScreenplayFile(writeFuzzInput(data, size)).lines;
    const std::shared_ptr<const Analysis> analysis = analyseText(screenplay, settings);
    characterStatsCsv(*analysis->timeIndex);
    sceneStatsCsv(*analysis->timeIndex, analysis->textLines.size());
    return 0;
}
