#include "characters/CharacterDiscovery.h"
#include "app/DocumentModel.h"
// TODO(discovery): implementation pending
CharacterPtr findOrAddCharacter(DocumentModel &document, const QStringList &words) { auto c = std::make_shared<Character>(words); document.characters.push_back(c); return c; }
void discoverTextCharacters(DocumentModel &, AnalysisProgress &) {}
void discoverCsvCharacters(DocumentModel &, AnalysisProgress &) {}
void assignColors(CharacterList &, const QVector<QColor> &) {}
