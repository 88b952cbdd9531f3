#include "FuzzInput.h"

#include "characters/CharacterListFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    CharacterList characters;
    loadCharacterList(writeFuzzInput(data, size), characters);
    characterListText(characters);
    return 0;
}
