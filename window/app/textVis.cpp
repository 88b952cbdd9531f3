#include "app/textVis.h"

#include "characters/CharacterListFile.h"
#include "parts/AutomateController.h"
#include "parts/BreakStringPanel.h"
#include "parts/CharacterEditor.h"
#include "parts/CharacterPanel.h"
#include "support/Diagnostics.h"
#include "threads/ThreadModel.h"
#include "ui_textVis.h"
#include "views/GraphWidget.h"
#include "views/MarkupView.h"
#include "views/ReportView.h"
#include "views/StorylineView.h"

#include <QAction>
#include <QColorDialog>
#include <QComboBox>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>

#include <cstdio>

textVis::textVis(QWidget *parent, Qt::WindowFlags flags)
    : QMainWindow(parent, flags)
    , m_document(this)
    , m_form(std::make_unique<Ui::textVisClass>())
{
    m_options = makeAnalysisOptions(m_document.settings().options);
    readConfig(m_document.settingsPaths().config, m_options);

    m_form->setupUi(this);
    fitPanelToContents();
    fitToScreen();
    connectThreadView();
    connectDrawingOptions();
    connectStorylineView();
    makeParts();
    connectWindow();
    fillDrawModes();
    connectBreakStringButtons();
    // After the thread view's own connection: the view and the panel store the colour in
    // the characters, and the window then shows it in the text.
    connect(m_form->ThreadView->colorDialog(), &QColorDialog::currentColorChanged,
            m_characterPanel.get(), &CharacterPanel::colorSelected);
    connect(m_form->ThreadView->colorDialog(), &QColorDialog::currentColorChanged, this,
            &textVis::currentColorChanged);
    connect(m_form->webView, &QWidget::customContextMenuRequested, this,
            &textVis::customContextMenuTrigger);
    addTextActions();
    m_breakStringPanel->loadStartupFile();
    connect(m_form->ThreadView, &GraphWidget::reparse, this, &textVis::reparseTrigger);
    connect(m_form->ThreadView, &GraphWidget::imageWritten, this,
            [this](const QString &path, bool written, const QString &reason) {
                written ? reportWritten(path) : reportNotDone(tr("Image %1").arg(path), reason);
            });
    connectParts();
    loadCharacterList(m_document.settingsPaths().characters,
                      m_document.settings().includeCharacters);
    showAbout();
    setWindowTitle(QStringLiteral("Quillmark (v %1.%2)").arg(versionMajor).arg(versionMinor));
}

textVis::~textVis()
{
    // The thread view outlives the analysis; it must not keep the index.
    m_form->ThreadView->clearThreads();
}

void textVis::makeParts()
{
    m_characterPanel = std::make_unique<CharacterPanel>(*m_form->listWidget);
    m_breakStringPanel = std::make_unique<BreakStringPanel>(m_document.settings().breakStrings,
                                                            m_document.settingsPaths().breakStrings,
                                                            *m_form->listWidget_BreakString, this);
    m_characterEditor = std::make_unique<CharacterEditor>(m_document, this);
    m_automate = std::make_unique<AutomateController>(
        m_document, m_statisticsExport, *m_form->ThreadView, *m_form->statusBar, this);
}

void textVis::connectParts()
{
    connect(m_form->ThreadView, &GraphWidget::characterColorChanged, m_characterPanel.get(),
            &CharacterPanel::showCharacterColor);
    // Forced and loaded colours reach the text in place: the page is not laid out again.
    connect(m_characterEditor.get(), &CharacterEditor::includeListShown, this,
            &textVis::recolorText);
    connect(m_characterEditor.get(), &CharacterEditor::charactersRecolored, m_characterPanel.get(),
            &CharacterPanel::showColors);
    connect(m_characterEditor.get(), &CharacterEditor::charactersRecolored, this,
            &textVis::recolorText);
    connect(m_characterEditor.get(), &CharacterEditor::charactersRecolored, m_form->storylineView,
            &StorylineView::refreshColors);
    connect(m_characterEditor.get(), &CharacterEditor::includeCharactersSaved, this,
            &textVis::markOutOfDate);
    connect(m_characterEditor.get(), &CharacterEditor::written, this, &textVis::reportWritten);
    connect(m_characterEditor.get(), &CharacterEditor::notDone, this, &textVis::reportNotDone);
    connect(m_characterEditor.get(), &CharacterEditor::message, m_form->statusBar,
            [this](const QString &text) { m_form->statusBar->showMessage(text); });
    connect(m_breakStringPanel.get(), &BreakStringPanel::changed, this, &textVis::markOutOfDate);
    connect(m_automate.get(), &AutomateController::notDone, this, &textVis::reportNotDone);
    connect(&m_statisticsExport, &StatisticsExport::written, this, &textVis::reportWritten);
    connect(&m_statisticsExport, &StatisticsExport::notDone, this, &textVis::reportNotDone);
    connectReport();
    connectDocument();
}

// The report's bars and rows select as the character list does and show scenes in the text.
void textVis::connectReport()
{
    connect(m_form->reportView, &ReportView::characterClicked, this, [this](int position) {
        QListWidgetItem *row = m_characterPanel->selectRow(position);
        m_form->ThreadView->ListItemClicked(row);
    });
    connect(m_form->reportView, &ReportView::sceneClicked, m_form->webView,
            &MarkupView::scrollToScene);
}

void textVis::connectDocument()
{
    connect(&m_document, &DocumentController::parseStarting, this, &textVis::forgetAnalysis);
    connect(&m_document, &DocumentController::analysed, this, &textVis::showAnalysis);
    connect(&m_document, &DocumentController::notDone, this, &textVis::reportNotDone);
    connect(&m_document, &DocumentController::readingStopped, this, [this](const QString &name) {
        m_form->statusBar->showMessage(tr("Reading stopped: %1 was not opened").arg(name));
    });
    connect(&m_document, &DocumentController::screenplayOpened, this, [this](const QString &name) {
        // A message about the screenplay open before is no longer true of this one.
        m_form->statusBar->clearMessage();
        m_form->statusBar->setToolTip(QString());
        setWindowTitle(QStringLiteral("Quillmark : ") + name);
    });
    connect(&m_document, &DocumentController::warned, this, &textVis::showWarnings);
    // Kept until something else is said: the user may look for it after the box is gone.
    connect(&m_document, &DocumentController::openFailed, m_form->statusBar,
            [this](const QString &failure) { m_form->statusBar->showMessage(failure); });
}

// The first warning in the status bar, all of them in its tooltip and on standard error, as
// the command line prints them.
void textVis::showWarnings(const QStringList &warnings)
{
    for (const QString &warning : warnings)
        std::fprintf(stderr, "warning: %s\n", qPrintable(warning));
    const QString more = warnings.size() > 1 ? tr(" (and %n more: see the tooltip)", nullptr,
                                                  int(warnings.size()) - 1)
                                             : QString();
    m_form->statusBar->showMessage(tr("Warning: ") + warnings.first() + more);
    m_form->statusBar->setToolTip(warnings.join(QLatin1Char('\n')));
}

void textVis::openFile()
{
    QString failure;
    {
        const GraphWidget::FrameHold hold(*m_form->ThreadView);
        failure = m_document.openFile();
    }
    if (failure.isEmpty())
        return;
    QMessageBox box(QMessageBox::Warning, tr("Open File"), failure, QMessageBox::Ok, this);
    if (m_document.analysis())
        box.setInformativeText(
            tr("%1 stays open.").arg(QFileInfo(m_document.filePath()).fileName()));
    box.exec();
}

void textVis::markOutOfDate()
{
    if (m_document.analysis())
        m_form->ThreadView->upToDate = false;
}

bool textVis::loadScreenplay(const QString &path)
{
    const GraphWidget::FrameHold hold(*m_form->ThreadView);
    return m_document.loadScreenplay(path);
}

void textVis::parseText()
{
    const GraphWidget::FrameHold hold(*m_form->ThreadView);
    m_document.parseText();
}

void textVis::reparseTrigger()
{
    parseText();
}

void textVis::forgetAnalysis()
{
    // The page may be a long screenplay's: it goes before the next one is made.
    m_form->webView->clearMarkup();
    m_form->ThreadView->clearThreads();
    m_form->storylineView->clear();
    m_characterPanel->clear();
    m_form->reportView->clear();
}

void textVis::showAnalysis(const std::shared_ptr<const Analysis> &analysis)
{
    GraphWidget *view = m_form->ThreadView;
    const GraphWidget::FrameHold hold(*view);
    applyMarkupStyles();
    const float step = 1.0f / float(analysis->options.numberSteps);
    view->buildThreads(analysis->timeIndex.get(), step);
    // The text and the character list are still shown; only the threads are left out. The
    // reason is asked for only when the view drew nothing.
    if (!view->graphReady && analysis->analysisError.isEmpty()) {
        const QString tooLarge = ThreadModel::layoutTooLarge(*analysis->timeIndex, step);
        if (!tooLarge.isEmpty())
            m_form->statusBar->showMessage(tr("Thread view empty: %1").arg(tooLarge));
    }
    m_characterPanel->showCharacters(analysis->timeIndex->characters);
    m_form->reportView->showAnalysis(analysis);
    m_form->storylineView->showAnalysis(analysis);
    // Every view now holds the new screenplay; what the old one held is being freed.
    m_document.backgroundRelease().returnFreedMemory();
}

void textVis::connectWindow()
{
    connect(m_form->pushButton_SaveImage, &QPushButton::clicked, this, &textVis::saveImage);
    connect(m_form->pushButton_WriteSceneStats, &QPushButton::clicked, this,
            qOverload<>(&textVis::writeSceneStats));
    connect(m_form->pushButton_WriteCharacterStats, &QPushButton::clicked, this,
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
    connect(m_form->actionQuit, &QAction::triggered, this, &textVis::quit);
    fileAction(m_form->actionOpen_File, &textVis::openFile);
    fileAction(m_form->actionReparse, &textVis::parseText);
    fileAction(m_form->FileMenuAction, &textVis::showAbout);
    fileAction(m_form->actionAutomate, &textVis::showAutomateDialog);
    fileAction(m_form->actionSave_markup, &textVis::saveMarkup);
    fileAction(m_form->actionSave_Image, &textVis::saveImage);
    fileAction(m_form->actionSave_Report, &textVis::saveReport);
    fileAction(m_form->actionSave_Storyline, &textVis::saveStoryline);
    action(m_form->actionWrite_Scene_Stats, qOverload<>(&textVis::writeSceneStats));
    action(m_form->actionWrite_Character_Stats, qOverload<>(&textVis::writeCharacterStats));
    action(m_form->actionParsing, &textVis::showParsingOptions);
    CharacterEditor *characters = m_characterEditor.get();
    connect(m_form->actionForce_Character, &QAction::triggered, characters,
            &CharacterEditor::showIncludeCharacters);
    connect(m_form->actionLoad_Colors, &QAction::triggered, characters,
            &CharacterEditor::loadChosenColors);
    connect(m_form->actionSave_Colors, &QAction::triggered, characters,
            &CharacterEditor::saveColors);
    connect(m_form->actionSave, &QAction::triggered, characters, &CharacterEditor::saveColorsAs);
    action(m_form->actionAdd_Break_String, &textVis::addBreakString);
    action(m_form->actionRemove_Break_String, &textVis::removeBreakString);
    action(m_form->actionLoad_Break_Strings, &textVis::loadBreakStringList);
    connect(m_form->actionSave_Break_Strings, &QAction::triggered, m_breakStringPanel.get(),
            &BreakStringPanel::saveToDefaultFile);
    action(m_form->actionSave_BreakStrings_as, &textVis::saveBreakStringList);
    action(m_form->actionChange_Font, &textVis::changeFont);
}

// The index of an entry is the draw mode the thread view receives.
void textVis::fillDrawModes()
{
    m_form->comboBox_DrawMode->addItem(tr("Force Directed"));
    m_form->comboBox_DrawMode->addItem(tr("Color Weaving"));
    m_form->comboBox_DrawMode->addItem(tr("Convergence Graph"));
    m_form->comboBox_DrawMode->addItem(tr("Increasing Graph"));
}

void textVis::connectBreakStringButtons()
{
    connect(m_form->pushButton_addBreakString, &QPushButton::clicked, this,
            &textVis::addBreakString);
    connect(m_form->pushButton_removeBreakString, &QPushButton::clicked, this,
            &textVis::removeBreakString);
    connect(m_form->pushButton_loadBreakString, &QPushButton::clicked, this,
            &textVis::loadBreakStringList);
    connect(m_form->pushButton_saveBreakString, &QPushButton::clicked, this,
            &textVis::saveBreakStringList);
}

// The view's context-menu policy is custom, so these never show as a menu of their own;
// they keep the entries reachable as actions of the view.
void textVis::addTextActions()
{
    const auto addAction = [this](const QString &text, void (textVis::*slot)()) {
        auto *action = new QAction(text, this);
        connect(action, &QAction::triggered, this, slot);
        m_form->webView->addAction(action);
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
    m_statisticsExport.writeCharacterStats();
}

void textVis::writeCharacterStats(const QString &fname)
{
    m_statisticsExport.writeCharacterStats(fname);
}

void textVis::writeSceneStats()
{
    m_statisticsExport.writeSceneStats();
}

void textVis::writeSceneStats(const QString &fname)
{
    m_statisticsExport.writeSceneStats(fname);
}

void textVis::saveMarkup()
{
    m_statisticsExport.saveMarkup();
}

void textVis::addBreakString()
{
    m_breakStringPanel->add();
}

void textVis::removeBreakString()
{
    m_breakStringPanel->removeSelected();
}

void textVis::saveBreakStringList()
{
    m_breakStringPanel->saveToChosenFile();
}

void textVis::loadBreakStringList()
{
    m_breakStringPanel->loadChosenFile();
}

void textVis::addIncludeCharacter()
{
    m_characterEditor->addIncludeCharacter();
}

void textVis::removeIncludeCharacter()
{
    m_characterEditor->removeIncludeCharacter();
}

void textVis::setIncludeCharacterColor()
{
    m_characterEditor->setIncludeCharacterColor();
}

void textVis::showAutomateDialog()
{
    m_automate->showDialog();
}

void textVis::automateTrigger()
{
    m_automate->automation.step();
}

void textVis::reportWritten(const QString &path)
{
    m_form->statusBar->showMessage(tr("Wrote %1").arg(path));
}

void textVis::reportNotDone(const QString &what, const QString &reason)
{
    m_form->statusBar->showMessage(tr("%1 not written: %2").arg(what, reason));
}
