#include "WindowTestSupport.h"

#include "dialogs/AboutDialog.h"
#include "views/GraphWidget.h"
#include "views/MarkupView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QEventLoop>
#include <QFontDialog>
#include <QImage>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>

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

// Whether a resource of a page holds anything: the bytes of a file or a picture.
bool holdsData(const QVariant &resource)
{
    return !resource.toByteArray().isEmpty() || !resource.value<QImage>().isNull() ||
           !resource.value<QPixmap>().isNull();
}

// The size in points the text view shows its page in.
int pagePointSize(const MarkupView *view)
{
    EXPECT_EQ(view->document()->defaultFont().pointSize(), view->font().pointSize());
    return view->document()->defaultFont().pointSize();
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
    const Ui::textVisClass &form = formOf(*window);
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
    EXPECT_EQ(pagePointSize(form.webView), 11);
}

TEST_F(TextVisTest, Menus_HoldTheirActionsInOrder)
{
    QStringList fileTexts;
    for (const QAction *action : formOf(*window).menuFile->actions())
        fileTexts << (action->isSeparator() ? QStringLiteral("|") : action->text());
    EXPECT_EQ(fileTexts,
              (QStringList{"Open File", "Reparse", "Automate", "Save Image", "Save Markup",
                           "Save Report", "Save Storyline", "About", "|", "Quit"}));
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
    EXPECT_EQ(pagePointSize(formOf(*window).webView), 14);
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
    EXPECT_EQ(pagePointSize(formOf(*window).webView), 11);
}

TEST_F(TextVisTest, TextView_RunsNoScriptsLoadsNothingAndFollowsNoLink)
{
    MarkupView *view = formOf(*window).webView;
    // A screenplay's page is shown with setHtml; an inline script must not run.
    view->setHtml(QStringLiteral("<p id='t'>before</p><script>document.getElementById('t')"
                                 ".innerHTML='after';</script>"));
    EXPECT_EQ(view->toPlainText(), QStringLiteral("before"));

    // Images are fetched neither from disk nor from the network; a plain browser reads the
    // one on disk.
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::red);
    const QString pictureFile = dir.scratch().file(QStringLiteral("picture.png"));
    ASSERT_TRUE(picture.save(pictureFile));
    const QUrl local = QUrl::fromLocalFile(pictureFile);
    const QUrl remote(QStringLiteral("http://127.0.0.1:9/image.png"));
    const QString pictures =
        QStringLiteral("<img src='%1'><img src='%2'>").arg(local.toString(), remote.toString());
    QTextBrowser plain;
    plain.setHtml(pictures);
    ASSERT_TRUE(holdsData(plain.document()->resource(QTextDocument::ImageResource, local)));
    view->setHtml(pictures);
    for (const QUrl &url : {local, remote}) {
        EXPECT_FALSE(holdsData(view->document()->resource(QTextDocument::ImageResource, url)))
            << url.toString().toStdString();
    }

    // A click on a link changes nothing on the page.
    const QString other = dir.scratch().write(QStringLiteral("other.html"), "<p>elsewhere</p>");
    view->setHtml(QStringLiteral("<p><a href='%1'>a link</a></p>")
                      .arg(QUrl::fromLocalFile(other).toString()));
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QUrl clicked;
    QObject::connect(view, &QTextBrowser::anchorClicked,
                     [&clicked](const QUrl &link) { clicked = link; });
    QTextCursor onLink(view->document());
    onLink.setPosition(2);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                      view->cursorRect(onLink).center());
    QCoreApplication::processEvents();
    EXPECT_EQ(clicked, QUrl::fromLocalFile(other)); // the click reached the link
    EXPECT_EQ(view->toPlainText(), QStringLiteral("a link"));
    EXPECT_TRUE(view->source().isEmpty());
}

TEST_F(TextVisTest, Opening_FitsTheScreenAndSaysHowToOpenAScreenplay)
{
    const QSize available = window->screen()->availableGeometry().size();
    EXPECT_TRUE(window->width() <= available.width() * 0.9 ||
                window->width() == window->minimumSizeHint().width());
    EXPECT_TRUE(window->height() <= available.height() * 0.9 ||
                window->height() == window->minimumSizeHint().height());
    EXPECT_TRUE(formOf(*window).webView->placeholderText().startsWith(
        QStringLiteral("Open a screenplay with File > Open File (Ctrl+O).")));
}

TEST_F(TextVisTest, Closing_AsksAboutUnsavedBreakStringsAndCharacters)
{
    window->show();
    documentOf(*window).settings().breakStrings.append(QStringLiteral("FLASHBACK"));
    TextVisTestAccess::characterEditor(*window).addCharacter(QStringLiteral("MARY JANE"));
    const auto answerWith = [](QMessageBox::StandardButton button, QString *shown) {
        return [button, shown](QWidget *modal) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            if (box == nullptr)
                return false;
            *shown = box->informativeText();
            box->button(button)->click();
            return true;
        };
    };
    QString question;
    {
        ModalAnswerer answerer(answerWith(QMessageBox::Cancel, &question));
        EXPECT_FALSE(window->close());
    }
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(question, QStringLiteral("The break strings differ from breakStrings.txt.\n"
                                       "Characters added from the text are not in "
                                       "characters.txt: MARY JANE."));
    {
        ModalAnswerer answerer(answerWith(QMessageBox::Save, &question));
        EXPECT_TRUE(window->close());
    }
    EXPECT_EQ(readBytes(dir.scratch().file(QStringLiteral("breakStrings.txt"))),
              QByteArray("INT.\nEXT.\nFLASHBACK\n"));
    EXPECT_EQ(readBytes(dir.scratch().file(QStringLiteral("characters.txt"))),
              QByteArray("MARY JANE\n"));
    // Nothing is left unsaved, so nothing is asked.
    window->show();
    ModalAnswerer nothing;
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(nothing.answeredTitles.isEmpty());
}

TEST(StartupTest, AboutDialog_ShowsBundledPageBeforeTheWindow)
{
    WorkingDirectory dir;
    dir.scratch().write(QStringLiteral("breakStrings.txt"), "INT\n");
    QString aboutTitle;
    QString pageTitle;
    QString pageShown;
    bool windowShown = true;
    ModalAnswerer answerer([&](QWidget *modal) {
        auto *about = qobject_cast<AboutDialog *>(modal);
        if (!about)
            return false;
        const auto *page = about->findChild<QTextBrowser *>();
        pageTitle = page->documentTitle();
        pageShown = page->isVisible() ? about->pageText() : QString();
        aboutTitle = about->windowTitle();
        windowShown = false;
        for (QWidget *top : QApplication::topLevelWidgets())
            windowShown = windowShown || (qobject_cast<textVis *>(top) && top->isVisible());
        about->findChild<QPushButton *>()->click();
        return true;
    });
    textVis window;
    EXPECT_EQ(aboutTitle, QStringLiteral("About Quillmark Version: 0.2"));
    EXPECT_EQ(pageTitle, QStringLiteral("About Quillmark 0.2"));
    EXPECT_TRUE(pageShown.contains(QStringLiteral("shows the structure of a screenplay")))
        << pageShown.toStdString();
    // Every format the program reads is named.
    for (const char *format : {"plain-text", "HTML", "Fountain", "Final Draft", "PDF", "CSV"})
        EXPECT_TRUE(pageShown.contains(QLatin1String(format))) << format;
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
