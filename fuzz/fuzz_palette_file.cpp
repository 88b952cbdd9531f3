#include "FuzzInput.h"

#include "characters/PaletteFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QVector<QColor> palette;
    loadPalette(writeFuzzInput(data, size), palette);
    CharacterList characters{std::make_shared<Character>(QStringList{"ANNA"}),
                             std::make_shared<Character>(QStringList{"BEN"})};
    applyPalette(characters, palette);
    paletteText(characters);
    return 0;
}
