#include "app/ListItemLinks.h"

#include "app/DocumentModel.h"

#include <QListWidget>
#include <QSet>

void forgetListRows(const QListWidget &list, const CharacterList &characters)
{
    QSet<const QListWidgetItem *> rows;
    for (int row = 0; row < list.count(); ++row)
        rows.insert(list.item(row));
    for (const CharacterPtr &character : characters) {
        if (character->listItem && rows.contains(character->listItem))
            character->listItem = nullptr;
    }
}

void forgetCharacterRows(const QListWidget &list, const DocumentModel &document)
{
    forgetListRows(list, document.characters);
    forgetListRows(list, document.includeCharacters);
    if (document.timeIndex)
        forgetListRows(list, document.timeIndex->characters);
}
