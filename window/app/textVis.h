#pragma once

// The window is made of parts, each owning its state and given its widgets:
//   parts/DocumentController   the open screenplay, its settings and its last Analysis
//   parts/CharacterPanel       the character list and which row shows which character
//   parts/CharacterEditor      the Include Characters dialog, colour files, "Add Character"
//   parts/BreakStringPanel     the break-string tab and its files
//   parts/StatisticsExport     the statistics and saved-markup files
//   parts/AutomateController   Automate's dialog and what a batch step does with the window
// Its views are views/MarkupView (the text), views/GraphWidget (the threads) and
// views/ReportView (the report: facts, charts, the characters' table) and views/StorylineView
// (the storyline), tabs beside the threads; its dialogs
// are in dialogs/. The form is textVis.ui. textVis wires them to the form and to each other,
// and keeps its slots as forwarders. Its own operations live in app/:
//   textVis.cpp              constructor, wiring, showing an analysis, the forwarders
//   MainWindowWiring.cpp     the form's controls to the thread view, the storyline view to the
//                            text and the character list, the panel's size
//   FileMenu.cpp             changeFont, saveImage, saveReport, saveStoryline, showAbout
//   TextViewDisplay.cpp      applyMarkupStyles, currentColorChanged
//   TextViewActions.cpp      the text view's context menu and its entries:
//                            textAddCharacterTrigger, textBreakStringTrigger,
//                            textBreakHereTrigger
//   OptionsMenu.cpp          showParsingOptions, offerReparse
//   QuitQuestion.cpp         quit, closeEvent: what quitting would lose is asked about
//   WindowSize.cpp           the window's first size on the screen it opens on

#include "characters/ConfigFile.h"
#include "parts/DocumentController.h"
#include "parts/StatisticsExport.h"

#include <QColor>
#include <QMainWindow>
#include <QPoint>
#include <QStringList>

#include <memory>

class AutomateController;
class BreakStringPanel;
class CharacterEditor;
class CharacterPanel;
class QAction;
namespace Ui {
class textVisClass;
}

// The main window: it shows the analysis of the open screenplay in the text and thread views
// and runs the menus, buttons and dialogs around it.
class textVis : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr int versionMajor = 0;
    static constexpr int versionMinor = 2;

    explicit textVis(QWidget *parent = nullptr, Qt::WindowFlags flags = {});
    ~textVis() override;

    // File > "Open File", loading a file and File > "Reparse", as DocumentController does
    // them, with the thread view held still meanwhile.
    void openFile();
    bool loadScreenplay(const QString &path);
    void parseText();
    // Shows the markup and styles it, as stages of the progress dialog that Abort stops.
    void applyMarkupStyles();
    void showAbout();
    void showAutomateDialog();
    void saveMarkup();
    // File > "Save Report": the report view as a PDF.
    void saveReport();
    // File > "Save Storyline": the storyline view's picture as SVG or PNG, by the suffix.
    void saveStoryline();
    void changeFont();
    void showParsingOptions();

public slots:
    void saveImage();
    void writeCharacterStats();
    void writeCharacterStats(const QString &fname);
    void writeSceneStats();
    void writeSceneStats(const QString &fname);
    void filemenuTrigger(QAction *action);
    void statsmenuTrigger(QAction *action);
    void charactersmenuTrigger(QAction *action);
    void breakstringsmenuTrigger(QAction *action);
    void optionsmenuTrigger(QAction *action);
    void fontsmenuTrigger(QAction *action);
    void textAddCharacterTrigger();
    void textBreakStringTrigger();
    void textBreakHereTrigger();
    void addIncludeCharacter();
    void removeIncludeCharacter();
    void setIncludeCharacterColor();
    void addBreakString();
    void removeBreakString();
    void saveBreakStringList();
    void loadBreakStringList();
    void automateTrigger();
    void currentColorChanged(const QColor &color);
    // Shows every character's present colour in the text.
    void recolorText();
    void customContextMenuTrigger(const QPoint &pos);
    void reparseTrigger();

    // What became of a request, in the status bar: the file written, or why nothing was.
    void reportWritten(const QString &path);
    void reportNotDone(const QString &what, const QString &reason);
    // File > "Quit": asks about what would be lost, then ends the process with status 2.
    void quit();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // The window tests reach the parts through this.
    friend struct TextVisTestAccess;

    // What a parse made goes to the text view, the thread view and the character list.
    void showAnalysis(const std::shared_ptr<const Analysis> &analysis);
    void forgetAnalysis();
    void makeParts();
    void connectParts();
    void connectDocument();
    void connectReport();
    void connectWindow();
    void connectMenus();
    void fillDrawModes();
    void connectBreakStringButtons();
    void addTextActions();
    // MainWindowWiring.cpp
    void fitPanelToContents();
    void connectThreadView();
    void connectDrawingOptions();
    void connectStorylineView();
    // A change the next parse takes up: the thread view offers to reparse.
    void markOutOfDate();
    void showWarnings(const QStringList &warnings);
    void offerReparse(const QString &title, const QString &done);
    // QuitQuestion.cpp: false when the user keeps the window open.
    bool mayQuit();
    bool saveBeforeQuitting();
    // WindowSize.cpp
    void fitToScreen();

    DocumentController m_document;
    OptionList m_options;    // bound to m_document.settings().options, in config.txt order
    QPoint m_contextMenuPos; // last context-menu request, in webView coordinates

    std::unique_ptr<Ui::textVisClass> m_form;
    // The parts over the form's widgets, made once setupUi has made those.
    std::unique_ptr<CharacterPanel> m_characterPanel;
    std::unique_ptr<BreakStringPanel> m_breakStringPanel;
    StatisticsExport m_statisticsExport{m_document, this};
    std::unique_ptr<CharacterEditor> m_characterEditor;
    std::unique_ptr<AutomateController> m_automate;
};
