#include "app/textVis.h"

#include "characters/CharacterDiscovery.h"
#include "characters/PaletteFile.h"
#include "reader/Diagnostics.h"
#include "view/GraphWidget.h"

#include <QFileDialog>
#include <QWebView>

void textVis::loadColorsFromDialog()
{
    loadColors(QFileDialog::getOpenFileName(this, tr("Select a color file")));
}

void textVis::saveColors()
{
    savePalette(QStringLiteral("colors.txt"), document.characters());
}

void textVis::saveColorsAs()
{
    savePalette(QFileDialog::getSaveFileName(this, tr("Select a color file")),
                document.characters());
}

void textVis::loadColors(const QString &path)
{
    // A file that cannot be read leaves the palette as it was; it is applied all the same.
    AnalysisSettings &settings = document.settings();
    loadPalette(path, settings.palette);
    applyPalette(document.characters(), settings.palette);
    characterPanel->showColors();
}

void textVis::textAddCharacterTrigger()
{
    Diagnostics::print("add character\n");
    const QString selection = form.webView->selectedText();
    // With nothing selected there is no name; an empty name would match every word.
    if (!selection.isEmpty())
        findOrAddCharacter(document.characters(), document.settings().includeCharacters,
                           selection.split(QLatin1Char(' ')));
    form.ThreadView->upToDate = false;
}
