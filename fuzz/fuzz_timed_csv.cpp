// Reads a time-coded screenplay, finds its characters and builds its scenes.
#include "FuzzInput.h"

#include "document/Analysis.h"
#include "reader/ScreenplayReader.h"
#include "scenes/Statistics.h"

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Screenplay screenplay;
    screenplay.fileSuffix = QStringLiteral("csv");
    screenplay.textLines = readScreenplayFile(writeFuzzInput(data, size)).lines;
    const std::shared_ptr<const Analysis> analysis = analyseText(screenplay, AnalysisSettings());
    const Analysis &document = *analysis;
    for (const Scene &scene : document.timeIndex->scenes) {
        if (!std::isfinite(scene.start) || !std::isfinite(scene.end))
            std::abort(); // positions must stay finite whatever the times in the file
    }
    sceneStatsCsv(*document.timeIndex, document.textLines.size());
    characterStatsCsv(*document.timeIndex);
    return 0;
}
