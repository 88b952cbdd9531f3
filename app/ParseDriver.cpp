#include "app/textVis.h"

#include "app/ListItemLinks.h"
#include "app/LoadPipeline.h"
#include "characters/CharacterDiscovery.h"
#include "reader/ScreenplayReader.h"
#include "view/GraphWidget.h"
#include "view/ThreadModel.h"

#include <QFileDialog>
#include <QListWidget>
#include <QStatusBar>

#include <utility>

void textVis::openFile()
{
    // Cancelling the dialog keeps the open screenplay as it is; loading the chosen file
    // empties the document first.
    const QString path = QFileDialog::getOpenFileName(this, tr("Select a screenplay"));
    if (!path.isEmpty())
        loadScreenplay(path);
}

bool textVis::loadScreenplay(const QString &path)
{
    const GraphWidget::FrameHold hold(*form.ThreadView);
    const OpenOutcome outcome = openScreenplay(document, path, SettingsPaths(), progress);
    if (outcome == OpenOutcome::Stopped) {
        form.statusBar->showMessage(
            tr("Reading stopped: %1 was not opened").arg(screenplayFileName(path)));
        return false;
    }
    // A message about the screenplay open before is no longer true of this one.
    form.statusBar->clearMessage();
    if (outcome == OpenOutcome::Read)
        setWindowTitle(QStringLiteral("Quillmark : ") + screenplayFileName(path));
    parseText();
    return outcome == OpenOutcome::Read;
}

void textVis::parseText()
{
    GraphWidget *view = form.ThreadView;
    const GraphWidget::FrameHold hold(*view);
    view->clearThreads();
    forgetCharacterRows(*form.listWidget, document);
    form.listWidget->clear();
    // This parse makes a new index and markup; the old ones may be a long screenplay's.
    backgroundRelease.release(std::move(document.timeIndex));
    backgroundRelease.release(std::exchange(document.markupHtml, QByteArray()));

    applyForcedColors(document.characters, document.includeCharacters);
    parseDocument(document, SettingsPaths(), progress);
    if (!document.analysisError.isEmpty())
        reportNotDone(tr("Scene counts"), document.analysisError);
    applyMarkupStyles();

    const float step = 1.0f / float(document.options.numberSteps);
    view->buildThreads(document.timeIndex.get(), step);
    const int characterCount = int(document.timeIndex->characters.size());
    // The text and the character list are still shown; only the threads are left out.
    if (characterCount > ThreadModel::maximumCharacters && document.analysisError.isEmpty())
        form.statusBar->showMessage(
            tr("Thread view empty: %1 characters are more than it draws (%2)")
                .arg(characterCount)
                .arg(ThreadModel::maximumCharacters));
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
