#include "WindowTestSupport.h"

#include "dialogs/AboutDialog.h"
#include "views/GraphWidget.h"
#include "app/LocalOnlyNetworkAccess.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QEventLoop>
#include <QFontDialog>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QProcess>
#include <QStatusBar>
#include <QTabWidget>
#include <QWebFrame>
#include <QWebSettings>
#include <QWebView>

#include <gtest/gtest.h>

namespace {

class TextVisTest : public ::testing::Test
{
protected:
    WorkingDirectory dir;
    std::unique_ptr<textVis> window = makeWindow(dir.scratch());
};

void expectSpinBox(const QDoubleSpinBox *box, double value, double maximum, double step)
{
    SCOPED_TRACE(box->objectName().toStdString());
    EXPECT_DOUBLE_EQ(box->value(), value);
    EXPECT_DOUBLE_EQ(box->minimum(), 0.0);
    EXPECT_DOUBLE_EQ(box->maximum(), maximum);
    EXPECT_DOUBLE_EQ(box->singleStep(), step);
    EXPECT_EQ(box->decimals(), 2);
}

} // namespace

TEST_F(TextVisTest, Title_NamesTheVersion)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Quillmark (v 0.2)"));
    EXPECT_EQ(window->objectName(), QStringLiteral("textVisClass"));
}

TEST_F(TextVisTest, DrawModes_FourEntriesWithForceDirectedSelected)
{
    const QComboBox *modes = formOf(*window).comboBox_DrawMode;
    ASSERT_EQ(modes->count(), 4);
    EXPECT_EQ(modes->itemText(0), QStringLiteral("Force Directed"));
    EXPECT_EQ(modes->itemText(1), QStringLiteral("Color Weaving"));
    EXPECT_EQ(modes->itemText(2), QStringLiteral("Convergence Graph"));
    EXPECT_EQ(modes->itemText(3), QStringLiteral("Increasing Graph"));
    EXPECT_EQ(modes->currentIndex(), 0);
}

TEST_F(TextVisTest, Controls_ShowTheirDefaultsWithCharactersTabFirst)
{
    const MainWindowForm &form = window->form;
    expectSpinBox(form.doubleSpinBox_ActiveThreadSize, 3.0, 99.99, 0.1);
    expectSpinBox(form.doubleSpinBox_InactiveThreadSize, 0.5, 99.99, 0.1);
    expectSpinBox(form.doubleSpinBox_ThreadTransparency, 0.2, 1.0, 0.01);
    expectSpinBox(form.doubleSpinBox_DrawM, 0.1, 99.99, 0.01);
    expectSpinBox(form.doubleSpinBox_DrawExp, 2.0, 99.99, 0.1);
    EXPECT_EQ(form.doubleSpinBox_ThreadTransparency->text(), QStringLiteral("0.20"));

    EXPECT_FALSE(form.checkBox_Spheres->isChecked());
    EXPECT_FALSE(form.checkBox_Springs->isChecked());
    EXPECT_FALSE(form.checkBox_DrawGrid->isChecked());
    EXPECT_TRUE(form.checkBox_MoveToPlane->isChecked());
    EXPECT_FALSE(form.checkBox_DrawNames->isChecked());
    EXPECT_TRUE(form.checkBox_FlipAxis->isChecked());

    ASSERT_EQ(form.tabWidget->count(), 3);
    EXPECT_EQ(form.tabWidget->currentIndex(), 0);
    EXPECT_EQ(form.tabWidget->tabText(0), QStringLiteral("Characters"));
    EXPECT_EQ(form.tabWidget->tabText(1), QStringLiteral("BreakStrings"));
    EXPECT_EQ(form.tabWidget->tabText(2), QStringLiteral("Advanced"));
    EXPECT_EQ(form.webView->contextMenuPolicy(), Qt::CustomContextMenu);
    EXPECT_EQ(form.webView->settings()->fontSize(QWebSettings::DefaultFontSize), 11);
}

TEST_F(TextVisTest, Menus_HoldTheirActionsInOrder)
{
    QStringList fileTexts;
    for (const QAction *action : formOf(*window).menuFile->actions())
        fileTexts << (action->isSeparator() ? QStringLiteral("|") : action->text());
    EXPECT_EQ(fileTexts, (QStringList{"Open File", "Reparse", "Automate", "Save Image",
                                      "Save Markup", "About", "|", "Quit"}));
    QStringList titles;
    for (const QAction *action : formOf(*window).menuBar->actions())
        titles << action->text();
    EXPECT_EQ(titles,
              (QStringList{"File", "Fonts", "Characters", "BreakStrings", "Stats", "Options"}));
    EXPECT_EQ(formOf(*window).actionOpen_File->shortcutContext(), Qt::WindowShortcut);
    EXPECT_EQ(formOf(*window).actionQuit->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
}

TEST_F(TextVisTest, ChangeFont_AcceptedSetsDefaultFontSizeOfTextView)
{
    ModalAnswerer answerer([](QWidget *modal) {
        auto *dialog = qobject_cast<QFontDialog *>(modal);
        if (!dialog)
            return false;
        QFont font = dialog->currentFont();
        font.setPointSize(14);
        dialog->setCurrentFont(font);
        dialog->accept();
        return true;
    });
    formOf(*window).actionChange_Font->trigger();
    EXPECT_EQ(formOf(*window).webView->settings()->fontSize(QWebSettings::DefaultFontSize), 14);
    EXPECT_EQ(formOf(*window).webView->font().pointSize(), 14);
}

TEST_F(TextVisTest, ChangeFont_CancelledChangesNothing)
{
    ModalAnswerer answerer([](QWidget *modal) {
        auto *dialog = qobject_cast<QFontDialog *>(modal);
        if (dialog)
            dialog->reject();
        return dialog != nullptr;
    });
    formOf(*window).actionChange_Font->trigger();
    EXPECT_EQ(formOf(*window).webView->settings()->fontSize(QWebSettings::DefaultFontSize), 11);
}

TEST_F(TextVisTest, TextView_RunsNoScriptsAndLoadsNothingRemote)
{
    QWebSettings *settings = formOf(*window).webView->settings();
    EXPECT_FALSE(settings->testAttribute(QWebSettings::JavascriptEnabled));
    EXPECT_FALSE(settings->testAttribute(QWebSettings::PluginsEnabled));

    // A screenplay is shown with setHtml; an inline script must not run.
    formOf(*window).webView->setHtml(
        QStringLiteral("<p id='t'>before</p><script>document.getElementById('t')"
                       ".innerHTML='after';</script>"));
    EXPECT_EQ(formOf(*window).webView->page()->mainFrame()->toPlainText(), QStringLiteral("before"));

    // Requests of the page never reach the network: they fail without a connection attempt.
    auto *network = qobject_cast<LocalOnlyNetworkAccess *>(
        formOf(*window).webView->page()->networkAccessManager());
    ASSERT_NE(network, nullptr);
    EXPECT_TRUE(network->allows(QUrl(QStringLiteral("data:text/plain,x"))));
    EXPECT_FALSE(network->allows(QUrl(QStringLiteral("file:///etc/passwd"))));
    QNetworkReply *reply =
        network->get(QNetworkRequest(QUrl(QStringLiteral("http://127.0.0.1:9/image.png"))));
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec();
    EXPECT_EQ(reply->error(), QNetworkReply::ProtocolUnknownError);
    reply->deleteLater();
}

TEST(StartupTest, AboutDialog_ShowsBundledPageBeforeTheWindow)
{
    WorkingDirectory dir;
    dir.scratch().write(QStringLiteral("breakStrings.txt"), "INT\n");
    QString aboutTitle;
    QString pageTitle;
    bool windowShown = true;
    int polls = 0;
    ModalAnswerer answerer([&](QWidget *modal) {
        auto *about = qobject_cast<AboutDialog *>(modal);
        if (!about)
            return false;
        // Give the bundled page time to load before closing the dialog.
        pageTitle = about->webView->title();
        if (pageTitle.isEmpty() && ++polls < 300)
            return true;
        aboutTitle = about->windowTitle();
        windowShown = false;
        for (QWidget *top : QApplication::topLevelWidgets())
            windowShown = windowShown || (qobject_cast<textVis *>(top) && top->isVisible());
        about->pushButton->click();
        return true;
    });
    textVis window;
    EXPECT_EQ(aboutTitle, QStringLiteral("About Quillmark Version: 0.2"));
    EXPECT_EQ(pageTitle, QStringLiteral("About Quillmark 0.2"));
    EXPECT_FALSE(windowShown);
    EXPECT_EQ(AboutDialog::pageUrl(0, 2).toString(), QStringLiteral("qrc:/about/about-0-2.html"));
}

TEST(StartupTest, MissingBreakStringFile_SampleWrittenOnlyOnOk)
{
    {
        WorkingDirectory dir;
        ModalAnswerer answerer;
        answerer.messageBoxAnswer = QMessageBox::No;
        textVis window;
        EXPECT_TRUE(documentOf(window).settings().breakStrings.isEmpty());
        EXPECT_FALSE(QFile::exists(dir.scratch().file(QStringLiteral("breakStrings.txt"))));
    }
    WorkingDirectory dir;
    ModalAnswerer answerer;
    answerer.messageBoxAnswer = QMessageBox::Ok;
    textVis window;
    const QStringList sample{"int.", "ext.", "INTERIOR", "EXTERIOR", "INT", "EXT"};
    EXPECT_EQ(documentOf(window).settings().breakStrings, sample);
    EXPECT_EQ(formOf(window).listWidget_BreakString->count(), 6);
    EXPECT_EQ(readBytes(dir.scratch().file(QStringLiteral("breakStrings.txt"))),
              QByteArray("int.\next.\nINTERIOR\nEXTERIOR\nINT\nEXT\n"));
}

TEST(StartupTest, ConfigFile_OverridesOnlyTheValuesItSets)
{
    WorkingDirectory dir;
    dir.scratch().write(QStringLiteral("config.txt"), "NumberSteps 50\nlooseMatch True\n");
    const std::unique_ptr<textVis> window = makeWindow(dir.scratch());
    EXPECT_EQ(documentOf(*window).settings().options.numberSteps, 50);
    EXPECT_TRUE(documentOf(*window).settings().options.looseMatch);
    EXPECT_EQ(documentOf(*window).settings().options.minCharacterSpaces, 15);
    EXPECT_TRUE(documentOf(*window).settings().options.findCharacters);
}

TEST(QuitTest, Quit_EndsTheProcessWithStatusTwoAfterItsTrace)
{
    WorkingDirectory dir;
    dir.scratch().write(QStringLiteral("breakStrings.txt"), "INT\n");
    QProcess probe;
    probe.setWorkingDirectory(dir.scratch().path());
    probe.start(QStringLiteral(QUIT_PROBE_PATH), QStringList());
    ASSERT_TRUE(probe.waitForFinished(60000)) << probe.errorString().toStdString();
    EXPECT_EQ(probe.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(probe.exitCode(), 2);
    const QByteArray out = probe.readAllStandardOutput();
    const QByteArray marker("quit-probe: triggering Quit\n");
    const int at = out.indexOf(marker);
    ASSERT_GE(at, 0) << out.toStdString();
    EXPECT_TRUE(out.mid(at + marker.size()).startsWith("got here!\n")) << out.toStdString();
}

TEST_F(TextVisTest, ImageWrites_AreAnsweredInTheStatusBar)
{
    window->loadScreenplay(dir.scratch().write(QStringLiteral("play.txt"),
                                               "INT. HOUSE - DAY\n                    JOHN\n"
                                               "          Hello.\n                    MARY\n"
                                               "          Hi.\n"));
    GraphWidget *view = formOf(*window).ThreadView;
    const QString good = dir.scratch().file(QStringLiteral("view.png"));
    view->setImageFileName(good);
    view->paintFrame();
    EXPECT_EQ(formOf(*window).statusBar->currentMessage(), QStringLiteral("Wrote ") + good);
    const QString unwritable = dir.scratch().file(QStringLiteral("missing/view.png"));
    view->setImageFileName(unwritable);
    view->paintFrame();
    EXPECT_TRUE(formOf(*window).statusBar->currentMessage().startsWith(
        QStringLiteral("Image %1 not written: ").arg(unwritable)))
        << formOf(*window).statusBar->currentMessage().toStdString();
}
