#include "app/textVis.h"

#include "app/ListItemLinks.h"
#include "app/LoadPipeline.h"
#include "reader/ScreenplayReader.h"
#include "view/GraphWidget.h"

#include <QFileDialog>
#include <QListWidget>

void textVis::openFile()
{
    // Emptied before the dialog, so nothing of the previous screenplay is held while it is
    // open; loading the chosen file empties the same members again (batch runs start there).
    document.clearScreenplay();
    loadScreenplay(QFileDialog::getOpenFileName(this, tr("Select a screenplay")));
}

bool textVis::loadScreenplay(const QString &path)
{
    const bool read = openScreenplay(document, path, SettingsPaths(), progress);
    if (read)
        setWindowTitle(QStringLiteral("Quillmark : ") + screenplayFileName(path));
    parseText();
    return read;
}

void textVis::parseText()
{
    GraphWidget *view = form.ThreadView;
    view->clearThreads();
    forgetCharacterRows(*form.listWidget, document);
    form.listWidget->clear();

    parseDocument(document, SettingsPaths(), progress);
    applyMarkupStyles();

    const float step = 1.0f / float(document.options.numberSteps);
    view->buildThreads(document.timeIndex.get(), step);
    view->setDrawingControls(form.webView, form.checkBox_Spheres, form.checkBox_Springs,
                             form.checkBox_DrawGrid, form.checkBox_FlipAxis,
                             form.checkBox_MoveToPlane, form.checkBox_DrawNames);
    fillCharacterList();
}

void textVis::reparseTrigger()
{
    parseText();
}

void textVis::fillCharacterList()
{
    for (const CharacterPtr &character : document.timeIndex->characters) {
        auto *item = new QListWidgetItem(character->displayText());
        item->setForeground(QBrush(Qt::darkGray));
        item->setBackground(QBrush(character->color));
        character->listItem = item;
        form.listWidget->addItem(item);
    }
}
