#include "WindowTestSupport.h"

#include "automation/AutomationRun.h"
#include "automation/BatchTarget.h"
#include "views/GraphWidget.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QSpinBox>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

const QStringList examples = {QStringLiteral("the_lighthouse.txt"),
                              QStringLiteral("the_harbour.html"), QStringLiteral("the_duel.csv")};

QString examplePath(const QString &name)
{
    return QStringLiteral(QUILLMARK_SOURCE_DIR "/examples/") + name;
}

// The outputs a run writes next to `screenplay` with every output switched on.
QStringList outputsOf(const QString &screenplay)
{
    return {screenplay + QStringLiteral(".png"), screenplay + QStringLiteral("-scene.csv"),
            screenplay + QStringLiteral("-character.csv")};
}

// What the settings dialog showed: row texts top to bottom, the delay and the three flags.
struct SettingsRows
{
    QString title;
    QStringList texts;
    int delay = 0;
    QList<bool> flags;
};

// Answers "Select screenplays" with `names` (relative to `folder`; none cancels it), then
// records the settings dialog and sets its delay and flags (when `accept`) or cancels it.
class AutomateAnswers
{
public:
    QString folder;
    QStringList names;
    bool accept = true;
    int delay = 0;
    QList<bool> flags = {true, true, true};
    SettingsRows shown;
    bool settingsShown = false;

    bool answer(QWidget *modal)
    {
        if (auto *files = qobject_cast<QFileDialog *>(modal))
            return answerFiles(files);
        if (modal->objectName() != QLatin1String("OptionsDialog"))
            return false;
        auto *dialog = static_cast<QDialog *>(modal);
        settingsShown = true;
        record(*dialog);
        if (!accept) {
            dialog->reject();
            return true;
        }
        dialog->findChild<QSpinBox *>()->setValue(delay);
        const QList<QCheckBox *> boxes = dialog->findChildren<QCheckBox *>();
        for (int i = 0; i < boxes.size() && i < flags.size(); ++i)
            boxes[i]->setChecked(flags[i]);
        dialog->accept();
        return true;
    }

private:
    bool answerFiles(QFileDialog *dialog)
    {
        if (names.isEmpty()) {
            dialog->reject();
            return true;
        }
        dialog->setDirectory(folder);
        QStringList quoted;
        for (const QString &name : names)
            quoted << QLatin1Char('"') + name + QLatin1Char('"');
        dialog->selectFile(quoted.join(QLatin1Char(' ')));
        // Closed only once every name has been taken up by the dialog.
        if (dialog->selectedFiles().size() == names.size())
            static_cast<QDialog *>(dialog)->done(QDialog::Accepted);
        return true;
    }

    void record(const QDialog &dialog)
    {
        shown.title = dialog.windowTitle();
        for (const QLabel *label : dialog.findChildren<QLabel *>())
            shown.texts << label->text();
        for (const QCheckBox *box : dialog.findChildren<QCheckBox *>()) {
            shown.texts << box->text();
            shown.flags << box->isChecked();
        }
        shown.delay = dialog.findChild<QSpinBox *>()->value();
    }
};

// Counts the emissions of one signal of the run.
class Count
{
public:
    template<typename Signal> Count(AutomationRun &run, Signal signal)
    {
        m_connection = QObject::connect(&run, signal, [this] { ++m_count; });
    }
    ~Count() { QObject::disconnect(m_connection); }
    Count(const Count &) = delete;
    Count &operator=(const Count &) = delete;

    int value() const { return m_count; }

private:
    int m_count = 0;
    QMetaObject::Connection m_connection;
};

// Runs the event loop until `done` holds or `timeoutMs` has passed; returns `done()`.
template<typename Predicate> bool processUntil(Predicate done, int timeoutMs = 60000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

void processFor(int ms)
{
    processUntil([] { return false; }, ms);
}

class AutomationTest : public ::testing::Test
{
protected:
    WorkingDirectory dir;
    std::unique_ptr<textVis> window;
    QStringList screenplays;
    QStringList filesBefore;

    void SetUp() override
    {
        QFile::copy(examplePath(QStringLiteral("breakStrings.txt")),
                    dir.scratch().file(QStringLiteral("breakStrings.txt")));
        for (const QString &name : examples) {
            screenplays << dir.scratch().file(name);
            QFile::copy(examplePath(name), screenplays.last());
        }
        window = makeWindow(dir.scratch());
        showWindow();
        filesBefore = filesInScratch();
    }

    // The thread view draws only into a mapped window.
    void showWindow()
    {
        window->show();
        QWindow *handle = window->windowHandle();
        for (int i = 0; i < 250 && !(handle && handle->isExposed()); ++i) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            handle = window->windowHandle();
        }
    }

    QStringList filesInScratch() const
    {
        QStringList paths;
        for (const QString &name : QDir(dir.scratch().path()).entryList(QDir::Files))
            paths << dir.scratch().file(name);
        paths.sort();
        return paths;
    }

    QStringList filesWritten() const
    {
        QStringList written;
        for (const QString &path : filesInScratch()) {
            if (!filesBefore.contains(path))
                written << path;
        }
        return written;
    }

    void setSettings(int delay, bool images, bool scenes, bool characters)
    {
        TextVisTestAccess::automate(*window).automateDelayMs = delay;
        TextVisTestAccess::automate(*window).automateWriteImages = images;
        TextVisTestAccess::automate(*window).automateWriteSceneStats = scenes;
        TextVisTestAccess::automate(*window).automateWriteCharacterStats = characters;
    }

    // Runs the menu entry with its dialogs answered; returns once both have been answered.
    void useMenuEntry(AutomateAnswers &answers)
    {
        answers.folder = dir.scratch().path();
        ModalAnswerer answerer([&answers](QWidget *modal) { return answers.answer(modal); });
        formOf(*window).actionAutomate->trigger();
    }

    static bool waitForSteps(const Count &steps, int count)
    {
        return processUntil([&steps, count] { return steps.value() >= count; });
    }

    static bool waitForEnd(const Count &finished)
    {
        return processUntil([&finished] { return finished.value() > 0; });
    }
};

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

QByteArray firstLine(const QByteArray &bytes)
{
    return bytes.left(bytes.indexOf('\n'));
}

bool hasMoreThanOneColour(const QImage &image)
{
    for (int y = 0; y < image.height(); y += 4) {
        for (int x = 0; x < image.width(); x += 4) {
            if (image.pixel(x, y) != image.pixel(0, 0))
                return true;
        }
    }
    return false;
}

} // namespace

TEST_F(AutomationTest, MenuRunOverThreeScreenplays_WritesExactlyTheirImagesAndStatistics)
{
    Count steps(TextVisTestAccess::automate(*window).automation, &AutomationRun::stepDone);
    Count finished(TextVisTestAccess::automate(*window).automation, &AutomationRun::finished);
    AutomateAnswers answers;
    answers.names = examples;
    useMenuEntry(answers);
    ASSERT_TRUE(waitForEnd(finished));

    QStringList expected;
    for (const QString &screenplay : screenplays)
        expected << outputsOf(screenplay);
    EXPECT_EQ(filesWritten(), sorted(expected));
    EXPECT_EQ(steps.value(), 4);
    EXPECT_FALSE(TextVisTestAccess::automate(*window).automation.isPending());

    const QSize viewSize = formOf(*window).ThreadView->size() * window->devicePixelRatioF();
    for (const QString &screenplay : screenplays) {
        const QImage image(screenplay + QStringLiteral(".png"));
        EXPECT_EQ(image.size(), viewSize) << screenplay.toStdString();
        EXPECT_TRUE(hasMoreThanOneColour(image)) << screenplay.toStdString();
        EXPECT_TRUE(firstLine(readBytes(screenplay + QStringLiteral("-scene.csv")))
                        .startsWith("SceneNumber,"));
    }
    // Each statistics file belongs to its own screenplay: only the harbour has Margaret.
    for (int i = 0; i < screenplays.size(); ++i)
        EXPECT_EQ(readBytes(screenplays[i] + QStringLiteral("-character.csv")).contains("MARGARET"),
                  i == 1);
    EXPECT_EQ(documentOf(*window).filePath(), screenplays[2]);
}

TEST_F(AutomationTest, CancelledSettings_ShowFreshDefaultsAndRunWithThem)
{
    setSettings(7, false, true, true); // what an earlier run chose
    AutomateAnswers answers;
    answers.names = QStringList{examples[0]};
    answers.accept = false;
    Count steps(TextVisTestAccess::automate(*window).automation, &AutomationRun::stepDone);
    useMenuEntry(answers);

    EXPECT_EQ(answers.shown.title, QStringLiteral("Automate Settings"));
    EXPECT_EQ(answers.shown.texts,
              (QStringList{QStringLiteral("Delay Until Write (ms)"), QStringLiteral("Write Images"),
                           QStringLiteral("Write Scene Stats"),
                           QStringLiteral("Write Character Stats")}));
    EXPECT_EQ(answers.shown.delay, 5000);
    EXPECT_EQ(answers.shown.flags, (QList<bool>{true, false, false}));

    ASSERT_TRUE(waitForSteps(steps, 1));
    EXPECT_EQ(documentOf(*window).filePath(), screenplays[0]);
    EXPECT_TRUE(TextVisTestAccess::automate(*window).automation.isPending());
    EXPECT_EQ(TextVisTestAccess::automate(*window).automation.pendingDelayMs(), 5000);
    EXPECT_TRUE(filesWritten().isEmpty());

    // Rather than wait out the five seconds, the test runs the pending step itself.
    Count finished(TextVisTestAccess::automate(*window).automation, &AutomationRun::finished);
    window->automateTrigger();
    EXPECT_EQ(finished.value(), 1);
    EXPECT_FALSE(TextVisTestAccess::automate(*window).automation.isPending());
    EXPECT_EQ(filesWritten(), QStringList{screenplays[0] + QStringLiteral(".png")});
}

TEST_F(AutomationTest, NoFileChosen_StillShowsSettingsButStartsNothing)
{
    AutomateAnswers answers;
    useMenuEntry(answers);
    EXPECT_TRUE(answers.settingsShown);
    EXPECT_FALSE(TextVisTestAccess::automate(*window).automation.isPending());
    EXPECT_TRUE(TextVisTestAccess::automate(*window).automateFiles.isEmpty());
    processFor(50);
    EXPECT_TRUE(documentOf(*window).filePath().isEmpty());
    EXPECT_TRUE(filesWritten().isEmpty());
}

TEST_F(AutomationTest, SingleFile_LoadsThenWritesInTwoSteps)
{
    setSettings(0, true, true, false);
    Count steps(TextVisTestAccess::automate(*window).automation, &AutomationRun::stepDone);
    Count finished(TextVisTestAccess::automate(*window).automation, &AutomationRun::finished);
    TextVisTestAccess::automate(*window).automation.start(QStringList{screenplays[1]});
    EXPECT_EQ(steps.value(), 0); // nothing happens before the event loop runs

    ASSERT_TRUE(waitForEnd(finished));
    EXPECT_EQ(steps.value(), 2);
    EXPECT_EQ(filesWritten(), sorted({screenplays[1] + QStringLiteral(".png"),
                                      screenplays[1] + QStringLiteral("-scene.csv")}));
    processFor(50);
    EXPECT_EQ(steps.value(), 2);
}

TEST_F(AutomationTest, NegativeDelay_RunsAsNoDelay)
{
    setSettings(-1, true, false, false);
    Count steps(TextVisTestAccess::automate(*window).automation, &AutomationRun::stepDone);
    Count finished(TextVisTestAccess::automate(*window).automation, &AutomationRun::finished);
    TextVisTestAccess::automate(*window).automation.start(QStringList{screenplays[0]});
    ASSERT_TRUE(waitForSteps(steps, 1));
    EXPECT_EQ(TextVisTestAccess::automate(*window).automation.pendingDelayMs(), 0);
    ASSERT_TRUE(waitForEnd(finished));
    EXPECT_EQ(filesWritten(), QStringList{screenplays[0] + QStringLiteral(".png")});
}

TEST_F(AutomationTest, SecondStart_CancelsThePendingRunFirst)
{
    setSettings(60000, true, true, true);
    Count steps(TextVisTestAccess::automate(*window).automation, &AutomationRun::stepDone);
    TextVisTestAccess::automate(*window).automation.start(
        QStringList{screenplays[0], screenplays[2]});
    ASSERT_TRUE(waitForSteps(steps, 1)); // file 1 is loaded, its delay running

    setSettings(0, true, false, false);
    Count finished(TextVisTestAccess::automate(*window).automation, &AutomationRun::finished);
    testing::internal::CaptureStdout();
    TextVisTestAccess::automate(*window).automation.start(QStringList{screenplays[1]});
    const bool ended = waitForEnd(finished);
    const std::string printed = testing::internal::GetCapturedStdout();
    ASSERT_TRUE(ended);

    EXPECT_NE(printed.find("automate: run cancelled"), std::string::npos);
    EXPECT_EQ(steps.value(), 3);
    EXPECT_EQ(filesWritten(), QStringList{screenplays[1] + QStringLiteral(".png")});
    EXPECT_FALSE(TextVisTestAccess::automate(*window).automation.isPending());
    EXPECT_EQ(documentOf(*window).filePath(), screenplays[1]);
}

TEST_F(AutomationTest, MenuEntry_CancelsAPendingRunEvenWhenNoFileIsChosen)
{
    setSettings(60000, true, false, false);
    Count steps(TextVisTestAccess::automate(*window).automation, &AutomationRun::stepDone);
    TextVisTestAccess::automate(*window).automation.start(
        QStringList{screenplays[0], screenplays[1]});
    ASSERT_TRUE(waitForSteps(steps, 1));

    AutomateAnswers answers;
    useMenuEntry(answers);
    EXPECT_FALSE(TextVisTestAccess::automate(*window).automation.isPending());
    EXPECT_TRUE(TextVisTestAccess::automate(*window).automateFiles.isEmpty());
    processFor(50);
    EXPECT_EQ(steps.value(), 1);
    EXPECT_TRUE(filesWritten().isEmpty());
}

TEST_F(AutomationTest, FileGoneMidRun_IsSkippedAndTheOthersAreWritten)
{
    setSettings(0, true, true, true);
    const QString first = screenplays[0];
    const QString gone = screenplays[2];
    const QString last = screenplays[1];
    // An earlier run's image of the vanished screenplay must survive.
    const QString oldImage = dir.scratch().write(examples[2] + QStringLiteral(".png"), "earlier");
    filesBefore = filesInScratch();

    Count finished(TextVisTestAccess::automate(*window).automation, &AutomationRun::finished);
    QObject::connect(&TextVisTestAccess::automate(*window).automation, &AutomationRun::stepDone,
                     [gone] {
                         QFile::remove(gone); // once the first file is loaded
                     });
    testing::internal::CaptureStdout();
    TextVisTestAccess::automate(*window).automation.start(QStringList{first, gone, last});
    const bool ended = waitForEnd(finished);
    const std::string printed = testing::internal::GetCapturedStdout();
    ASSERT_TRUE(ended);

    EXPECT_NE(printed.find("automate: could not read " + gone.toStdString()), std::string::npos);
    EXPECT_EQ(filesWritten(), sorted(outputsOf(first) + outputsOf(last)));
    EXPECT_EQ(readBytes(oldImage), QByteArray("earlier"));
    for (const QString &path : outputsOf(first))
        EXPECT_FALSE(readBytes(path).isEmpty()) << path.toStdString();

    // The summary, shown without waiting for an answer, names the file and the reason.
    const AutomationSummary &summary = TextVisTestAccess::automate(*window).automation.summary();
    EXPECT_EQ(summary.written.size(), 6);
    ASSERT_EQ(summary.failures.size(), 1);
    EXPECT_TRUE(summary.failures[0].startsWith(QStringLiteral("Cannot read ") + examples[2] +
                                               QStringLiteral(": cannot be opened")))
        << summary.failures[0].toStdString();
    const auto *box = window->findChild<QMessageBox *>();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), QStringLiteral("Automate has finished: 6 files written for 3 "
                                          "screenplays; 1 failure."));
    EXPECT_TRUE(box->informativeText().contains(summary.failures[0]));
}

TEST_F(AutomationTest, NothingToDraw_LeavesNoImageRequestForTheNextScreenplay)
{
    setSettings(0, true, false, false);
    const QString xml =
        dir.scratch().write(QStringLiteral("notes.xml"), "<div style='a'>no speakers</div>\n");
    filesBefore = filesInScratch();
    Count finished(TextVisTestAccess::automate(*window).automation, &AutomationRun::finished);
    testing::internal::CaptureStdout();
    TextVisTestAccess::automate(*window).automation.start(QStringList{xml});
    const bool ended = waitForEnd(finished);
    const std::string printed = testing::internal::GetCapturedStdout();
    ASSERT_TRUE(ended);
    EXPECT_NE(printed.find("notes.xml.png not written: no thread view to draw"), std::string::npos);
    EXPECT_TRUE(formOf(*window).ThreadView->pendingImageFile.isEmpty());

    // The next screenplay is drawn by the view's own timer; its picture must not be taken
    // under the earlier name.
    window->loadScreenplay(screenplays[0]);
    processFor(300);
    EXPECT_TRUE(filesWritten().isEmpty());
}

namespace {

// A batch target without a window: it records what the run asks of it, in order.
class RecordingTarget : public BatchTarget
{
public:
    QStringList calls;
    QStringList unreadable;
    bool canDraw = true;

    bool loadScreenplay(const QString &path, QString *reason) override
    {
        calls << QStringLiteral("load ") + path;
        *reason = QStringLiteral("Cannot read ") + path;
        return !unreadable.contains(path);
    }
    bool writeThreadImage(const QString &name, QString *reason) override
    {
        calls << QStringLiteral("image ") + name;
        *reason = QStringLiteral("no thread view to draw");
        return canDraw;
    }
    bool writeSceneStats(const QString &name, QString *) override
    {
        calls << QStringLiteral("scenes ") + name;
        return true;
    }
    bool writeCharacterStats(const QString &name, QString *) override
    {
        calls << QStringLiteral("characters ") + name;
        return true;
    }
};

} // namespace

TEST(AutomationRunTarget, Run_LoadsEachFileThenWritesWhatIsAskedOfTheOneItRead)
{
    RecordingTarget target;
    target.automateDelayMs = 0;
    target.automateWriteSceneStats = true;
    target.unreadable = QStringList{"b"};
    target.canDraw = false;
    AutomationRun run(target);
    Count finished(run, &AutomationRun::finished);
    testing::internal::CaptureStdout();
    run.start(QStringList{"a", "b"});
    const bool ended = processUntil([&finished] { return finished.value() > 0; });
    const std::string printed = testing::internal::GetCapturedStdout();
    ASSERT_TRUE(ended);

    EXPECT_EQ(target.calls, (QStringList{"load a", "image a.png", "scenes a-scene.csv", "load b"}));
    EXPECT_NE(printed.find("a.png not written: no thread view to draw"), std::string::npos);
    EXPECT_NE(printed.find("could not read b"), std::string::npos);
    EXPECT_TRUE(target.automateFiles.isEmpty());
    EXPECT_FALSE(run.isPending());
    // The summary says what was written and what was not, and why.
    EXPECT_EQ(run.summary().written, QStringList{"a-scene.csv"});
    EXPECT_EQ(run.summary().failures,
              (QStringList{"a.png: no thread view to draw", "Cannot read b"}));
    EXPECT_EQ(run.summary().outcome(), "1 file written for 2 screenplays; 2 failures");
}
