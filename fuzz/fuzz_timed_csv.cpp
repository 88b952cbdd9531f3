// Reads a time-coded screenplay, finds its characters and builds its scenes.
#include "FuzzInput.h"

#include "app/DocumentModel.h"
#include "characters/CharacterDiscovery.h"
#include "reader/ScreenplayReader.h"
#include "reader/StageProgress.h"
#include "scenes/Statistics.h"
#include "scenes/TimedMarkup.h"

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    DocumentModel document;
    document.fileSuffix = QStringLiteral("csv");
    document.textLines = readScreenplayFile(writeFuzzInput(data, size)).lines;
    const StageProgress progress;
    document.characters = discoverCsvCharacters(document.textLines, document.includeCharacters,
                                                document.options, document.palette, progress)
                              .characters;
    document.takeMarkup(markupTimed(document.markupSources(), progress));
    for (const Scene &scene : document.timeIndex->scenes) {
        if (!std::isfinite(scene.start) || !std::isfinite(scene.end))
            std::abort(); // positions must stay finite whatever the times in the file
    }
    sceneStatsCsv(*document.timeIndex, document.textLines.size());
    characterStatsCsv(*document.timeIndex);
    return 0;
}
