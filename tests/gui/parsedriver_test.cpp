#include "WindowTestSupport.h"

#include "document/AnalysisSession.h"
#include "reader/ScreenplayReader.h"
#include "support/StageProgress.h"
#include "views/GraphWidget.h"
#include "views/MarkupView.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QListWidget>
#include <QStatusBar>

#include <gtest/gtest.h>

namespace {

// Every window title a progress dialog is given, in order.
class ProgressTitles : public QObject
{
public:
    ProgressTitles() { qApp->installEventFilter(this); }
    ~ProgressTitles() override { qApp->removeEventFilter(this); }
    QStringList titles;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::WindowTitleChange) {
            if (auto *dialog = qobject_cast<QProgressDialog *>(watched))
                titles.append(dialog->windowTitle());
        }
        return false;
    }
};

// Two speakers with cues indented past the default of 15 blanks.
const QByteArray indentedScript = "INT. KITCHEN - DAY\n"
                                  "\n"
                                  "                    ANNA\n"
                                  "          Where is it?\n"
                                  "\n"
                                  "                    BEN\n"
                                  "          Gone.\n"
                                  "\n"
                                  "                    ANNA\n"
                                  "          Then we wait.\n";

QStringList namesOf(const CharacterList &characters)
{
    QStringList names;
    for (const CharacterPtr &character : characters)
        names << character->displayText();
    names.sort();
    return names;
}

class ParseDriverTest : public ::testing::Test
{
protected:
    WorkingDirectory dir;
    std::unique_ptr<textVis> window = makeWindow(dir.scratch());

    QString write(const QString &name, const QByteArray &bytes)
    {
        return dir.scratch().write(name, bytes);
    }
};

} // namespace

TEST_F(ParseDriverTest, XmlSuffix_FindsNoCharactersAndShowsNothing)
{
    ProgressTitles progress;
    window->loadScreenplay(write(QStringLiteral("play.xml"), indentedScript));
    EXPECT_TRUE(documentOf(*window).characters().empty());
    EXPECT_TRUE(progress.titles.contains(QStringLiteral("Finding characters: 0")));
    EXPECT_EQ(progress.titles.last(), QStringLiteral("Parsing Text"));
    EXPECT_TRUE(documentOf(*window).analysis()->markupHtml.isEmpty());
    EXPECT_TRUE(documentOf(*window).analysis()->timeIndex->scenes.empty());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Quillmark : play.xml"));
}

TEST_F(ParseDriverTest, OtherSuffixes_AreReadAsPlainText)
{
    for (const QString &name : {QStringLiteral("play.XML"), QStringLiteral("play"),
                                QStringLiteral("play.CSV"), QStringLiteral("play.txt")}) {
        SCOPED_TRACE(name.toStdString());
        ProgressTitles progress;
        window->loadScreenplay(write(name, indentedScript));
        EXPECT_EQ(namesOf(documentOf(*window).characters()), (QStringList{"ANNA ", "BEN "}));
        EXPECT_TRUE(progress.titles.contains(QStringLiteral("Finding characters: 2")));
        EXPECT_EQ(window->windowTitle(), QStringLiteral("Quillmark : ") + name);
        EXPECT_FALSE(documentOf(*window).analysis()->timeIndex->scenes.empty());
    }
}

TEST_F(ParseDriverTest, CsvSuffix_ReadsNamesFromTimeCodedRecords)
{
    window->loadScreenplay(write(QStringLiteral("fight.csv"), "0.0,2.5,\"['ANNA', 'BEN']\"\n"
                                                              "4.0,1.0,\"['ANNA']\"\n"));
    EXPECT_EQ(namesOf(documentOf(*window).characters()), (QStringList{"ANNA ", "BEN "}));
    EXPECT_EQ(documentOf(*window).characters().front()->displayText(), QStringLiteral("ANNA "));
}

TEST_F(ParseDriverTest, FindCharactersOff_LeavesTheListEmpty)
{
    documentOf(*window).settings().options.findCharacters = false;
    ProgressTitles progress;
    window->loadScreenplay(write(QStringLiteral("play.txt"), indentedScript));
    EXPECT_TRUE(documentOf(*window).characters().empty());
    EXPECT_EQ(progress.titles, QStringList{QStringLiteral("Parsing Text")});
    EXPECT_EQ(formOf(*window).listWidget->count(), 0);
}

TEST_F(ParseDriverTest, Reparses_KeepOneRowPerCharacter)
{
    window->loadScreenplay(write(QStringLiteral("play.txt"), indentedScript));
    formOf(*window).actionReparse->trigger();
    window->reparseTrigger();

    const DocumentController &document = documentOf(*window);
    const QListWidget *list = formOf(*window).listWidget;
    ASSERT_EQ(documentOf(*window).characters().size(), 2u);
    ASSERT_EQ(document.analysis()->timeIndex->characters.size(), 2u);
    ASSERT_EQ(list->count(), 2);
    for (int row = 0; row < 2; ++row) {
        const CharacterPtr &character = document.analysis()->timeIndex->characters[row];
        EXPECT_EQ(TextVisTestAccess::characterPanel(*window).characters()[size_t(row)], character);
        EXPECT_EQ(list->item(row)->text(), character->displayText());
        EXPECT_EQ(list->item(row)->background().color(), character->color);
    }
    EXPECT_EQ(document.analysis()->textLines.size(), 10);
}

TEST_F(ParseDriverTest, ReparseAfterRecolour_ShowsNewColourWithoutReadingTheFile)
{
    const QString path = write(QStringLiteral("play.txt"), indentedScript);
    window->loadScreenplay(path);
    QFile::remove(path);
    documentOf(*window).characters().front()->color = QColor(1, 2, 3);
    window->parseText();
    EXPECT_EQ(documentOf(*window).analysis()->textLines.size(), 10);
    EXPECT_EQ(formOf(*window).listWidget->item(0)->background().color(), QColor(1, 2, 3));
}

TEST_F(ParseDriverTest, MissingFile_OpensNothingAndKeepsTitle)
{
    QString failure;
    EXPECT_FALSE(documentOf(*window).loadScreenplay(
        dir.scratch().file(QStringLiteral("missing.txt")), &failure));
    EXPECT_TRUE(failure.startsWith(QStringLiteral("Cannot read missing.txt: cannot be opened")))
        << failure.toStdString();
    EXPECT_EQ(documentOf(*window).analysis(), nullptr);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Quillmark (v 0.2)"));
}

TEST_F(ParseDriverTest, UnreadableFiles_AreNamedWithTheReadersReasonAndTheOpenOneStays)
{
    const QString good = write(QStringLiteral("good.txt"), indentedScript);
    ASSERT_TRUE(window->loadScreenplay(good));
    QByteArray program("\x7f"
                       "ELF");
    for (int i = 0; i < 100; ++i)
        program += QByteArray("\x02\x01\0\0\x03\0\x3e\0", 8);
    const QList<QPair<QString, QByteArray>> files{
        {QStringLiteral("notpdf.pdf"), "no PDF at all"},
        {QStringLiteral("empty.fountain"), ""},
        {QStringLiteral("cut.fdx"), "<?xml version=\"1.0\"?><FinalDraft><Content><Paragraph"},
        {QStringLiteral("empty.txt"), ""},
        {QStringLiteral("program.txt"), program}};
    for (const auto &[name, bytes] : files) {
        SCOPED_TRACE(name.toStdString());
        const QString path = write(name, bytes);
        // As the command line says it: the reader's own reason.
        const QString expected =
            QStringLiteral("Cannot read %1: %2").arg(name, readScreenplayFile(path).error);
        QStringList shown;
        ModalAnswerer answerer([&](QWidget *modal) {
            if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                shown << box->text() << box->informativeText();
                box->accept();
                return true;
            }
            return chooseFile(path)(modal);
        });
        formOf(*window).actionOpen_File->trigger();
        EXPECT_EQ(shown, (QStringList{expected, QStringLiteral("good.txt stays open.")}));
        EXPECT_EQ(formOf(*window).statusBar->currentMessage(), expected);
        EXPECT_EQ(window->windowTitle(), QStringLiteral("Quillmark : good.txt"));
        EXPECT_EQ(documentOf(*window).analysis()->filePath, good);
        EXPECT_EQ(formOf(*window).listWidget->count(), 2);
    }
}

TEST_F(ParseDriverTest, OpenFileMenu_ReadsTheChosenFileAndCancelKeepsTheOpenOne)
{
    const QString path = write(QStringLiteral("chosen.txt"), indentedScript);
    {
        ModalAnswerer answerer(chooseFile(path));
        formOf(*window).actionOpen_File->trigger();
    }
    EXPECT_EQ(documentOf(*window).filePath(), path);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Quillmark : chosen.txt"));
    EXPECT_EQ(formOf(*window).listWidget->count(), 2);

    documentOf(*window).settings().manualBreaks = {0.5f};
    const QStringList lines = documentOf(*window).analysis()->textLines;
    {
        ModalAnswerer answerer(chooseFile(QString()));
        formOf(*window).actionOpen_File->trigger();
    }
    EXPECT_EQ(documentOf(*window).filePath(), path);
    EXPECT_EQ(documentOf(*window).analysis()->textLines, lines);
    EXPECT_EQ(documentOf(*window).settings().manualBreaks, QVector<float>{0.5f});
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Quillmark : chosen.txt"));
    EXPECT_EQ(formOf(*window).listWidget->count(), 2);

    // Breaks belong to the screenplay they were set on.
    ASSERT_TRUE(window->loadScreenplay(write(QStringLiteral("other.txt"), indentedScript)));
    EXPECT_TRUE(documentOf(*window).settings().manualBreaks.isEmpty());
}

TEST_F(ParseDriverTest, ReadingStopped_KeepsTheOpenScreenplayItsTitleAndThreads)
{
    const QString first = write(QStringLiteral("first.txt"), indentedScript);
    ASSERT_TRUE(window->loadScreenplay(first));
    const QStringList lines = documentOf(*window).analysis()->textLines;
    const QString page = formOf(*window).webView->toPlainText();
    ASSERT_TRUE(page.contains(QStringLiteral("Where is it?")));

    AbortStage abort(QStringLiteral("Reading"));
    EXPECT_FALSE(window->loadScreenplay(write(QStringLiteral("second.txt"), "INT. HALL\n")));
    EXPECT_EQ(abort.aborted, 1);
    EXPECT_EQ(documentOf(*window).filePath(), first);
    EXPECT_EQ(documentOf(*window).analysis()->textLines, lines);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Quillmark : first.txt"));
    EXPECT_EQ(formOf(*window).statusBar->currentMessage(),
              QStringLiteral("Reading stopped: second.txt was not opened"));
    EXPECT_EQ(formOf(*window).listWidget->count(), 2);
    EXPECT_EQ(formOf(*window).webView->toPlainText(), page);
    EXPECT_TRUE(formOf(*window).ThreadView->graphReady);
    EXPECT_EQ(formOf(*window).ThreadView->threadModel().characters().size(), size_t(2));
}

TEST(ExamplesTest, SampleScreenplays_OpenWithTheirSpeakersAndScenes)
{
    WorkingDirectory dir;
    const QDir examples(QStringLiteral(QUILLMARK_SOURCE_DIR "/examples"));
    for (const QString &name : examples.entryList(QDir::Files))
        QFile::copy(examples.filePath(name), dir.scratch().file(name));
    const std::unique_ptr<textVis> window = makeWindow(dir.scratch());

    const QList<QPair<QString, int>> samples{{QStringLiteral("the_lighthouse.txt"), 5},
                                             {QStringLiteral("the_harbour.html"), 3},
                                             {QStringLiteral("the_duel.csv"), 10}};
    for (const auto &sample : samples) {
        SCOPED_TRACE(sample.first.toStdString());
        window->loadScreenplay(dir.scratch().file(sample.first));
        const QStringList names = namesOf(documentOf(*window).characters());
        EXPECT_TRUE(names.contains(QStringLiteral("ANNA "))) << names.join('|').toStdString();
        EXPECT_GE(names.size(), 3);
        EXPECT_GE(int(documentOf(*window).analysis()->timeIndex->scenes.size()), sample.second);
        EXPECT_EQ(formOf(*window).listWidget->count(), int(names.size()));
    }
}

TEST_F(ParseDriverTest, EmptyFile_LeavesNoProgressDialogStanding)
{
    ASSERT_FALSE(window->loadScreenplay(write("empty.txt", ""))); // refused: it is empty
    QElapsedTimer waited;
    waited.start();
    // A progress dialog shows itself once its minimum duration (4 s) has passed, unless
    // it was reset.
    while (waited.elapsed() < 4300)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<QProgressDialog *>(widget) != nullptr) {
            EXPECT_FALSE(widget->isVisible()) << widget->windowTitle().toStdString();
        }
    }
}

TEST_F(ParseDriverTest, ReadOtherwiseThanWritten_SaidInTheStatusBarNamingEachFile)
{
    write(QStringLiteral("config.txt"), "looseMatch Maybe\n");
    window->loadScreenplay(write(QStringLiteral("play.txt"),
                                 "INT. HALL\n" + indentedScript + "caf\xc3\xa9 and JOS\xc9\n"));
    const QStatusBar *status = formOf(*window).statusBar;
    EXPECT_EQ(status->currentMessage(),
              QStringLiteral("Warning: config.txt line 1: \"Maybe\" is not True or False; "
                             "looseMatch stays False (and 1 more: see the tooltip)"));
    EXPECT_TRUE(status->toolTip().contains(QStringLiteral("play.txt: 1 byte is not UTF-8")))
        << status->toolTip().toStdString();

    // A clean screenplay clears them.
    write(QStringLiteral("config.txt"), "looseMatch False\n");
    window->loadScreenplay(write(QStringLiteral("clean.txt"), indentedScript));
    EXPECT_TRUE(status->currentMessage().isEmpty());
    EXPECT_TRUE(status->toolTip().isEmpty());
}

TEST_F(ParseDriverTest, OpenCountsAsTheCommandLine_ReparseCountsIncludeCharactersMetInTheText)
{
    // CAL is an include character the cues never name: only the text's fall-back meets him.
    write(QStringLiteral("characters.txt"), "CAL\n");
    const QString path =
        write(QStringLiteral("play.txt"), indentedScript + "          Have you seen CAL today?\n");
    window->loadScreenplay(path);
    AnalysisSession session(SettingsPaths::in(dir.scratch().path()));
    const auto alone = session.parse(session.open(path, StageProgress()).screenplay, {});
    const auto namesOfIndex = [](const Analysis &analysis) {
        QStringList names;
        for (const CharacterPtr &character : analysis.timeIndex->characters)
            names << character->names.join(QLatin1Char(' '));
        return names;
    };
    EXPECT_EQ(namesOfIndex(*documentOf(*window).analysis()), namesOfIndex(*alone));
    EXPECT_FALSE(namesOfIndex(*alone).contains(QStringLiteral("CAL")));

    window->parseText();
    EXPECT_TRUE(namesOfIndex(*documentOf(*window).analysis()).contains(QStringLiteral("CAL")));
}
