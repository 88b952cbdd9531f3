#include "app/textVis.h"

#include "characters/CharacterDiscovery.h"
#include "characters/PaletteFile.h"
#include "reader/Diagnostics.h"
#include "view/GraphWidget.h"

#include <QAction>
#include <QFileDialog>
#include <QListWidgetItem>
#include <QWebView>

void textVis::charactersmenuTrigger(QAction *action)
{
    const QString text = action->text();
    if (text == QLatin1String("Force Character")) {
        showIncludeCharacters();
    } else if (text == QLatin1String("Load Colors...")) {
        loadColors(QFileDialog::getOpenFileName(this, tr("Select a color file")));
    } else if (text == QLatin1String("Save Colors")) {
        savePalette(QStringLiteral("colors.txt"), document.characters);
    } else if (text == QLatin1String("Save Colors as...")) {
        savePalette(QFileDialog::getSaveFileName(this, tr("Select a color file")),
                    document.characters);
    }
}

void textVis::loadColors(const QString &path)
{
    // A file that cannot be read leaves the palette as it was; it is applied all the same.
    loadPalette(path, document.palette);
    applyPalette(document.characters, document.palette);
    for (const CharacterPtr &character : document.characters) {
        if (character->listItem)
            character->listItem->setBackground(QBrush(character->color));
    }
}

void textVis::textAddCharacterTrigger()
{
    Diagnostics::print("add character\n");
    const QString selection = form.webView->selectedText();
    // With nothing selected there is no name; an empty name would match every word.
    if (!selection.isEmpty())
        findOrAddCharacter(document.characters, document.includeCharacters,
                           selection.split(QLatin1Char(' ')));
    form.ThreadView->upToDate = false;
}
