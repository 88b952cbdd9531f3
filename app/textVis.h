#pragma once

// Where the operations of textVis live (all in app/):
//   textVis.cpp              constructor, form wiring, draw modes, text-view actions
//   ParseDriver.cpp          openFile, loadScreenplay, parseText, reparseTrigger,
//                            fillCharacterList (the analysis itself: LoadPipeline.cpp)
//   FileMenu.cpp             filemenuTrigger, fontsmenuTrigger, saveImage, showAbout
//   MarkupView.cpp           applyMarkupStyles, currentColorChanged, saveMarkup
//   StatsMenu.cpp            statsmenuTrigger, writeCharacterStats, writeSceneStats
//   CharactersMenu.cpp       charactersmenuTrigger, loadColors, textAddCharacterTrigger
//   IncludeCharacterEdits.cpp showIncludeCharacters and the Include Characters buttons
//   BreakStringUi.cpp        break-string tab, its menu and files, the context menu,
//                            textBreakStringTrigger, textBreakHereTrigger
//   OptionsMenu.cpp          optionsmenuTrigger
//   AutomateRun.cpp          automateTrigger, showAutomateDialog (the run: automation/)

#include "app/BackgroundRelease.h"
#include "app/DialogProgress.h"
#include "app/DocumentModel.h"
#include "app/IncludeCharactersDialog.h"
#include "app/MainWindowForm.h"
#include "automation/AutomationRun.h"
#include "automation/BatchTarget.h"
#include "characters/ConfigFile.h"

#include <QColor>
#include <QMainWindow>
#include <QPoint>
#include <QStringList>

class QAction;

// The main window: it holds the document of the open screenplay, shows it in the text and
// thread views and runs the menus, buttons and dialogs around it. As the target of batch
// runs it holds their settings and files (automateFiles and the rest, from BatchTarget).
class textVis : public QMainWindow, public BatchTarget
{
    Q_OBJECT
public:
    static constexpr int versionMajor = 0;
    static constexpr int versionMinor = 2;

    explicit textVis(QWidget *parent = nullptr, Qt::WindowFlags flags = {});
    ~textVis() override;

    BackgroundRelease backgroundRelease; // frees what a closed screenplay or an old parse leaves
    DocumentModel document;
    OptionList options; // bound to document.options, in config.txt order
    DialogProgress progress;
    QPoint contextMenuPos;         // last context-menu request, in webView coordinates
    IncludeCharactersUi includeUi; // set while the Include Characters dialog is open

    AutomationRun automation{*this}; // the timer chain over automateFiles

    MainWindowForm form;

    // File > "Open File": asks for a screenplay, then loadScreenplay.
    void openFile();
    // Everything openFile does after its file dialog: empty the document, read the file,
    // find its characters, parse. The title names the file only when it could be read;
    // returns whether it could.
    bool loadScreenplay(const QString &path) override;
    // File > "Reparse": scenes, markup, threads and the character list from the lines and
    // characters already held.
    void parseText();
    // Shows the markup and styles it, as stages of the progress dialog that Abort stops.
    void applyMarkupStyles();
    void showAbout();
    void showAutomateDialog();
    QString screenplayPath() const override;
    // Paints the thread view directly (not waiting for its timer) until it has written
    // `name`; a request it cannot serve is withdrawn.
    bool writeThreadImage(const QString &name) override;
    void saveMarkup();

    // Characters > "Force Character": edit characters.txt in the Include Characters dialog.
    void showIncludeCharacters();
    void refreshIncludeList();
    // Characters > "Load Colors...": recolour the characters by position from a colour file.
    void loadColors(const QString &path);

    bool loadBreakStringFile(const QString &path);
    bool saveBreakStringFile(const QString &path);
    void refreshBreakStringList();

public slots:
    void saveImage();
    void writeCharacterStats();
    void writeCharacterStats(const QString &fname) override;
    void writeSceneStats();
    void writeSceneStats(const QString &fname) override;
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
    void customContextMenuTrigger(const QPoint &pos);
    void reparseTrigger();

    // What became of a request, in the status bar: the file written, or why nothing was.
    void reportWritten(const QString &path);
    void reportNotDone(const QString &what, const QString &reason);
    // Says so and returns true when there is no scene index yet.
    bool reportMissingIndex(const QString &what);
    // The same, with the statistics' own diagnostic line.
    bool reportMissingStatistics(const QString &what);
    void reportWriteOutcome(const QString &what, const QString &path, bool written,
                            const QString &reason);

private:
    void connectWindow();
    void fillDrawModes();
    void connectBreakStringButtons();
    void addTextActions();
    void loadStartupBreakStrings();
    void fillCharacterList();
};
