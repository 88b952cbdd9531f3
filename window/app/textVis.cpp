#include "app/textVis.h"

#include "app/GraphWidget.h"
#include "app/LocalOnlyNetworkAccess.h"
#include "characters/CharacterListFile.h"
#include "support/Diagnostics.h"
#include "threads/ThreadModel.h"

#include <QAction>
#include <QColorDialog>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QWebPage>
#include <QWebSettings>
#include <QWebView>

#include <cstdlib>

textVis::textVis(QWidget *parent, Qt::WindowFlags flags)
    : QMainWindow(parent, flags)
    , document(this)
{
    options = makeAnalysisOptions(document.settings().options);
    readConfig(document.settingsPaths().config, options);

    form.setupUi(this);
    makeParts();
    // The text view shows whatever the opened file holds: no scripts, no remote loads.
    LocalOnlyNetworkAccess::install(form.webView, {QStringLiteral("data")});
    // A link in the screenplay must not replace the screenplay: clicks are only reported.
    form.webView->page()->setLinkDelegationPolicy(QWebPage::DelegateAllLinks);
    connectWindow();
    fillDrawModes();
    connectBreakStringButtons();
    // After the thread view's own connection: the view and the panel store the colour in
    // the characters, and the window then shows it in the text.
    connect(form.ThreadView->colorDialog(), &QColorDialog::currentColorChanged,
            characterPanel.get(), &CharacterPanel::colorSelected);
    connect(form.ThreadView->colorDialog(), &QColorDialog::currentColorChanged, this,
            &textVis::currentColorChanged);
    connect(form.webView, &QWidget::customContextMenuRequested, this,
            &textVis::customContextMenuTrigger);
    addTextActions();
    breakStringPanel->loadStartupFile();
    connect(form.ThreadView, &GraphWidget::reparse, this, &textVis::reparseTrigger);
    connect(form.ThreadView, &GraphWidget::imageWritten, this,
            [this](const QString &path, bool written, const QString &reason) {
                written ? reportWritten(path) : reportNotDone(tr("Image %1").arg(path), reason);
            });
    connectParts();
    loadCharacterList(document.settingsPaths().characters, document.settings().includeCharacters);
    form.webView->settings()->setFontSize(QWebSettings::DefaultFontSize, 11);
    showAbout();
    setWindowTitle(QStringLiteral("Quillmark (v %1.%2)").arg(versionMajor).arg(versionMinor));
}

textVis::~textVis()
{
    // The thread view outlives the analysis; it must not keep the index.
    form.ThreadView->clearThreads();
}

void textVis::makeParts()
{
    characterPanel = std::make_unique<CharacterPanel>(*form.listWidget);
    breakStringPanel = std::make_unique<BreakStringPanel>(document.settings().breakStrings,
                                                          document.settingsPaths().breakStrings,
                                                          *form.listWidget_BreakString, this);
    characterEditor = std::make_unique<CharacterEditor>(document, this);
    automate =
        std::make_unique<AutomateController>(document, statisticsExport, *form.ThreadView, this);
}

void textVis::connectParts()
{
    connect(form.ThreadView, &GraphWidget::characterColorChanged, characterPanel.get(),
            &CharacterPanel::showCharacterColor);
    connect(characterEditor.get(), &CharacterEditor::includeListShown, this,
            &textVis::applyMarkupStyles);
    connect(characterEditor.get(), &CharacterEditor::charactersRecolored, characterPanel.get(),
            &CharacterPanel::showColors);
    connect(automate.get(), &AutomateController::notDone, this, &textVis::reportNotDone);
    connect(&statisticsExport, &StatisticsExport::written, this, &textVis::reportWritten);
    connect(&statisticsExport, &StatisticsExport::notDone, this, &textVis::reportNotDone);
    connectDocument();
}

void textVis::connectDocument()
{
    connect(&document, &DocumentController::parseStarting, this, &textVis::forgetAnalysis);
    connect(&document, &DocumentController::analysed, this, &textVis::showAnalysis);
    connect(&document, &DocumentController::notDone, this, &textVis::reportNotDone);
    connect(&document, &DocumentController::readingStopped, this, [this](const QString &name) {
        form.statusBar->showMessage(tr("Reading stopped: %1 was not opened").arg(name));
    });
    connect(&document, &DocumentController::screenplayOpened, this,
            [this](const QString &name, bool read) {
                // A message about the screenplay open before is no longer true of this one.
                form.statusBar->clearMessage();
                if (read)
                    setWindowTitle(QStringLiteral("Quillmark : ") + name);
            });
}

void textVis::openFile()
{
    const GraphWidget::FrameHold hold(*form.ThreadView);
    document.openFile();
}

bool textVis::loadScreenplay(const QString &path)
{
    const GraphWidget::FrameHold hold(*form.ThreadView);
    return document.loadScreenplay(path);
}

void textVis::parseText()
{
    const GraphWidget::FrameHold hold(*form.ThreadView);
    document.parseText();
}

void textVis::reparseTrigger()
{
    parseText();
}

void textVis::forgetAnalysis()
{
    form.ThreadView->clearThreads();
    characterPanel->clear();
}

void textVis::showAnalysis(const std::shared_ptr<const Analysis> &analysis)
{
    GraphWidget *view = form.ThreadView;
    const GraphWidget::FrameHold hold(*view);
    applyMarkupStyles();
    view->buildThreads(analysis->timeIndex.get(), 1.0f / float(analysis->options.numberSteps));
    const int characterCount = int(analysis->timeIndex->characters.size());
    // The text and the character list are still shown; only the threads are left out.
    if (characterCount > ThreadModel::maximumCharacters && analysis->analysisError.isEmpty())
        form.statusBar->showMessage(
            tr("Thread view empty: %1 characters are more than it draws (%2)")
                .arg(characterCount)
                .arg(ThreadModel::maximumCharacters));
    characterPanel->showCharacters(analysis->timeIndex->characters);
}

void textVis::connectWindow()
{
    connect(form.pushButton_SaveImage, &QPushButton::clicked, this, &textVis::saveImage);
    connect(form.pushButton_WriteSceneStats, &QPushButton::clicked, this,
            qOverload<>(&textVis::writeSceneStats));
    connect(form.pushButton_WriteCharacterStats, &QPushButton::clicked, this,
            qOverload<>(&textVis::writeCharacterStats));
    connectMenus();
}

// Each action runs its own slot; every choice in the File menu first says so on standard
// output.
void textVis::connectMenus()
{
    const auto fileAction = [this](QAction *action, void (textVis::*slot)()) {
        connect(action, &QAction::triggered, this, [this, slot] {
            Diagnostics::print("got here!\n");
            (this->*slot)();
        });
    };
    const auto action = [this](QAction *action, void (textVis::*slot)()) {
        connect(action, &QAction::triggered, this, slot);
    };
    connect(form.actionQuit, &QAction::triggered, this, [] {
        Diagnostics::print("got here!\n");
        // At once, with status 2: the event loop is not left and the window not destroyed.
        std::exit(2);
    });
    fileAction(form.actionOpen_File, &textVis::openFile);
    fileAction(form.actionReparse, &textVis::parseText);
    fileAction(form.FileMenuAction, &textVis::showAbout);
    fileAction(form.actionAutomate, &textVis::showAutomateDialog);
    fileAction(form.actionSave_markup, &textVis::saveMarkup);
    fileAction(form.actionSave_Image, &textVis::saveImage);
    action(form.actionWrite_Scene_Stats, qOverload<>(&textVis::writeSceneStats));
    action(form.actionWrite_Character_Stats, qOverload<>(&textVis::writeCharacterStats));
    action(form.actionParsing, &textVis::showParsingOptions);
    CharacterEditor *characters = characterEditor.get();
    connect(form.actionForce_Character, &QAction::triggered, characters,
            &CharacterEditor::showIncludeCharacters);
    connect(form.actionLoad_Colors, &QAction::triggered, characters,
            &CharacterEditor::loadChosenColors);
    connect(form.actionSave_Colors, &QAction::triggered, characters, &CharacterEditor::saveColors);
    connect(form.actionSave, &QAction::triggered, characters, &CharacterEditor::saveColorsAs);
    action(form.actionAdd_Break_String, &textVis::addBreakString);
    action(form.actionRemove_Break_String, &textVis::removeBreakString);
    action(form.actionLoad_Break_Strings, &textVis::loadBreakStringList);
    connect(form.actionSave_Break_Strings, &QAction::triggered, breakStringPanel.get(),
            &BreakStringPanel::saveToDefaultFile);
    action(form.actionSave_BreakStrings_as, &textVis::saveBreakStringList);
    action(form.actionChange_Font, &textVis::changeFont);
}

// The index of an entry is the draw mode the thread view receives.
void textVis::fillDrawModes()
{
    form.comboBox_DrawMode->addItem(tr("Force Directed"));
    form.comboBox_DrawMode->addItem(tr("Color Weaving"));
    form.comboBox_DrawMode->addItem(tr("Convergence Graph"));
    form.comboBox_DrawMode->addItem(tr("Increasing Graph"));
}

void textVis::connectBreakStringButtons()
{
    connect(form.pushButton_addBreakString, &QPushButton::clicked, this, &textVis::addBreakString);
    connect(form.pushButton_removeBreakString, &QPushButton::clicked, this,
            &textVis::removeBreakString);
    connect(form.pushButton_loadBreakString, &QPushButton::clicked, this,
            &textVis::loadBreakStringList);
    connect(form.pushButton_saveBreakString, &QPushButton::clicked, this,
            &textVis::saveBreakStringList);
}

// The view's context-menu policy is custom, so these never show as a menu of their own;
// they keep the entries reachable as actions of the view.
void textVis::addTextActions()
{
    const auto addAction = [this](const QString &text, void (textVis::*slot)()) {
        auto *action = new QAction(text, this);
        connect(action, &QAction::triggered, this, slot);
        form.webView->addAction(action);
    };
    addAction(tr("Add Character"), &textVis::textAddCharacterTrigger);
    addAction(tr("Add BreakString"), &textVis::textBreakStringTrigger);
    addAction(tr("Break Section Here"), &textVis::textBreakHereTrigger);
}

// The slots of the window, kept for whoever connects to them; the parts do the work.

void textVis::filemenuTrigger(QAction *action)
{
    action->trigger();
}

void textVis::fontsmenuTrigger(QAction *action)
{
    action->trigger();
}

void textVis::statsmenuTrigger(QAction *action)
{
    action->trigger();
}

void textVis::charactersmenuTrigger(QAction *action)
{
    action->trigger();
}

void textVis::breakstringsmenuTrigger(QAction *action)
{
    action->trigger();
}

void textVis::optionsmenuTrigger(QAction *action)
{
    action->trigger();
}

void textVis::writeCharacterStats()
{
    statisticsExport.writeCharacterStats();
}

void textVis::writeCharacterStats(const QString &fname)
{
    statisticsExport.writeCharacterStats(fname);
}

void textVis::writeSceneStats()
{
    statisticsExport.writeSceneStats();
}

void textVis::writeSceneStats(const QString &fname)
{
    statisticsExport.writeSceneStats(fname);
}

void textVis::saveMarkup()
{
    statisticsExport.saveMarkup();
}

void textVis::addBreakString()
{
    breakStringPanel->add();
}

void textVis::removeBreakString()
{
    breakStringPanel->removeSelected();
}

void textVis::saveBreakStringList()
{
    breakStringPanel->saveToChosenFile();
}

void textVis::loadBreakStringList()
{
    breakStringPanel->loadChosenFile();
}

void textVis::addIncludeCharacter()
{
    characterEditor->addIncludeCharacter();
}

void textVis::removeIncludeCharacter()
{
    characterEditor->removeIncludeCharacter();
}

void textVis::setIncludeCharacterColor()
{
    characterEditor->setIncludeCharacterColor();
}

void textVis::showAutomateDialog()
{
    automate->showDialog();
}

void textVis::automateTrigger()
{
    automate->automation.step();
}

void textVis::reportWritten(const QString &path)
{
    form.statusBar->showMessage(tr("Wrote %1").arg(path));
}

void textVis::reportNotDone(const QString &what, const QString &reason)
{
    form.statusBar->showMessage(tr("%1 not written: %2").arg(what, reason));
}
