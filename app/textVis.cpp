#include "app/textVis.h"

#include "app/LocalOnlyNetworkAccess.h"
#include "characters/CharacterListFile.h"
#include "view/GraphWidget.h"

#include <QAction>
#include <QColorDialog>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QWebPage>
#include <QWebSettings>
#include <QWebView>

textVis::textVis(QWidget *parent, Qt::WindowFlags flags)
    : QMainWindow(parent, flags)
    , progress(this)
{
    document.releaseLines = [this](QStringList &&lines) {
        backgroundRelease.release(std::move(lines));
    };
    options = makeAnalysisOptions(document.options);
    readConfig(QStringLiteral("config.txt"), options);

    form.setupUi(this);
    // The text view shows whatever the opened file holds: no scripts, no remote loads.
    LocalOnlyNetworkAccess::install(form.webView, {QStringLiteral("data")});
    // A link in the screenplay must not replace the screenplay: clicks are only reported.
    form.webView->page()->setLinkDelegationPolicy(QWebPage::DelegateAllLinks);
    connectWindow();
    fillDrawModes();
    connectBreakStringButtons();
    connect(form.ThreadView->colorDialog(), &QColorDialog::currentColorChanged, this,
            &textVis::currentColorChanged);
    connect(form.webView, &QWidget::customContextMenuRequested, this,
            &textVis::customContextMenuTrigger);
    addTextActions();
    loadStartupBreakStrings();
    connect(form.ThreadView, &GraphWidget::reparse, this, &textVis::reparseTrigger);
    connect(form.ThreadView, &GraphWidget::imageWritten, this,
            [this](const QString &path, bool written, const QString &reason) {
                written ? reportWritten(path) : reportNotDone(tr("Image %1").arg(path), reason);
            });
    loadCharacterList(QStringLiteral("characters.txt"), document.includeCharacters);
    form.webView->settings()->setFontSize(QWebSettings::DefaultFontSize, 11);
    showAbout();
    setWindowTitle(QStringLiteral("Quillmark (v %1.%2)").arg(versionMajor).arg(versionMinor));
}

textVis::~textVis()
{
    // The thread view outlives the document members; it must not keep the index.
    form.ThreadView->clearThreads();
}

void textVis::connectWindow()
{
    connect(form.pushButton_SaveImage, &QPushButton::clicked, this, &textVis::saveImage);
    connect(form.pushButton_WriteSceneStats, &QPushButton::clicked, this,
            qOverload<>(&textVis::writeSceneStats));
    connect(form.pushButton_WriteCharacterStats, &QPushButton::clicked, this,
            qOverload<>(&textVis::writeCharacterStats));
    connect(form.menuFile, &QMenu::triggered, this, &textVis::filemenuTrigger);
    connect(form.menuStats, &QMenu::triggered, this, &textVis::statsmenuTrigger);
    connect(form.menuOptions, &QMenu::triggered, this, &textVis::optionsmenuTrigger);
    connect(form.menuCharacters, &QMenu::triggered, this, &textVis::charactersmenuTrigger);
    connect(form.menuBreakStrings, &QMenu::triggered, this, &textVis::breakstringsmenuTrigger);
    connect(form.menuFonts, &QMenu::triggered, this, &textVis::fontsmenuTrigger);
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
