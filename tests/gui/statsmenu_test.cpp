#include "WindowTestSupport.h"

#include "views/GraphWidget.h"

#include <QFile>
#include <tuple>

#include <gtest/gtest.h>

namespace {

// Discovery keeps the speakers of the most common cue indent, which takes two of them.
const QByteArray script = "INT. HOUSE - DAY\n"
                          "                    JOHN\n"
                          "          Hello there.\n"
                          "EXT. GARDEN - NIGHT\n"
                          "                    MARY\n"
                          "          Hello JOHN.\n";

QByteArray firstLine(const QByteArray &bytes)
{
    return bytes.left(bytes.indexOf('\n'));
}

class StatsMenuTest : public ::testing::Test
{
protected:
    WorkingDirectory dir;
    std::unique_ptr<textVis> window = makeWindow(dir.scratch());

    void open() { window->loadScreenplay(dir.scratch().write(QStringLiteral("play.txt"), script)); }

    // Triggers `action` with its save dialog answered by `path`; returns what was printed.
    std::string saveWith(QAction *action, const QString &path)
    {
        ModalAnswerer answerer(chooseFile(path));
        testing::internal::CaptureStdout();
        action->trigger();
        return testing::internal::GetCapturedStdout();
    }
};

} // namespace

TEST_F(StatsMenuTest, StatsEntriesAndButtons_WriteTheirCsvFiles)
{
    open();
    const QString scenes = dir.scratch().file(QStringLiteral("scenes.csv"));
    const QString characters = dir.scratch().file(QStringLiteral("characters.csv"));
    saveWith(formOf(*window).actionWrite_Scene_Stats, scenes);
    saveWith(formOf(*window).actionWrite_Character_Stats, characters);

    const QByteArray sceneText = readBytes(scenes);
    EXPECT_EQ(firstLine(sceneText), QByteArray("SceneNumber,Type,NumCharacters,Start,Stop,Length,"
                                               "NumLines,startPage,endPage,Characters,"));
    EXPECT_TRUE(sceneText.contains("1,INT.,1,0,0.5,0.5,3,0,0,JOHN ;,\n"));
    const QByteArray characterText = readBytes(characters);
    EXPECT_EQ(
        firstLine(characterText),
        QByteArray("characters,NumScenes,NumDialogueLines,NumInstances,PerInvolved,Start,Stop,"));
    EXPECT_TRUE(characterText.contains("JOHN ,1,1,1,0.5,0,0.5,\n"));

    const QString fromButton = dir.scratch().file(QStringLiteral("button.csv"));
    {
        ModalAnswerer answerer(chooseFile(fromButton));
        formOf(*window).pushButton_WriteSceneStats->click();
    }
    EXPECT_EQ(readBytes(fromButton), sceneText);
}

TEST_F(StatsMenuTest, SaveDialogs_SayWhatTheyAreForSuggestNamesAndAddTheSuffix)
{
    open();
    const QString play = dir.scratch().file(QStringLiteral("play.txt"));
    const Ui::textVisClass &form = formOf(*window);
    const QList<std::tuple<QAction *, QString, QString, QString>> saves{
        {form.actionWrite_Scene_Stats, "Write Scene Stats", "-scene.csv", ".csv"},
        {form.actionWrite_Character_Stats, "Write Character Stats", "-character.csv", ".csv"},
        {form.actionSave_markup, "Save Markup", "-markup.html", ".html"},
        {form.actionSave_Image, "Save Image", ".png", ".png"}};
    for (const auto &[action, title, ending, suffix] : saves) {
        SCOPED_TRACE(title.toStdString());
        const QString chosen = dir.scratch().file(QStringLiteral("out-") + title.left(5));
        QString shownTitle;
        QString suggested;
        ModalAnswerer answerer([&](QWidget *modal) {
            if (auto *dialog = qobject_cast<QFileDialog *>(modal); dialog && shownTitle.isEmpty()) {
                shownTitle = dialog->windowTitle();
                suggested = dialog->selectedFiles().value(0);
            }
            return chooseFile(chosen)(modal); // typed without a suffix
        });
        action->trigger();
        form.ThreadView->paintFrame(); // the image is written by the next frame
        EXPECT_EQ(shownTitle, title);
        EXPECT_EQ(suggested, play + ending);
        EXPECT_TRUE(QFile::exists(chosen + suffix));
    }
}

TEST_F(StatsMenuTest, UnwritablePath_PrintsFileNotFound)
{
    open();
    EXPECT_EQ(saveWith(formOf(*window).actionWrite_Scene_Stats, QString()), "file not found\n");
    testing::internal::CaptureStdout();
    window->writeCharacterStats(dir.scratch().file(QStringLiteral("no/such/dir/x.csv")));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "file not found\n");
}

TEST_F(StatsMenuTest, BeforeAnyParse_WritesNothingAndSaysWhy)
{
    const QString path = dir.scratch().file(QStringLiteral("early.csv"));
    testing::internal::CaptureStdout();
    window->writeSceneStats(path);
    formOf(*window).pushButton_WriteCharacterStats->click(); // asks for no file
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_NE(printed.find("no screenplay has been parsed"), std::string::npos);
}

TEST_F(StatsMenuTest, SaveMarkup_WritesStyleBlockThenMarkup)
{
    open();
    const QString path = dir.scratch().file(QStringLiteral("marked.html"));
    saveWith(formOf(*window).actionSave_markup, path);
    QByteArray expectedStart = "<head><meta charset='utf-8'><style type='text/css'>";
    for (const CharacterPtr &character : documentOf(*window).analysis()->timeIndex->characters)
        expectedStart += "span." + character->characterClass().toLatin1() +
                         "{ color: " + character->color.name().toLatin1() + " } ";
    expectedStart += "span.breakString{ color: purple; font-weight: bold; font-style: italic;}"
                     "</style></head><div class='scene'>";
    ASSERT_EQ(documentOf(*window).analysis()->timeIndex->characters.size(), 2u);
    const QByteArray saved = readBytes(path);
    EXPECT_TRUE(saved.startsWith(expectedStart)) << saved.toStdString();
    EXPECT_TRUE(saved.endsWith(documentOf(*window).analysis()->markupHtml));

    EXPECT_EQ(saveWith(formOf(*window).actionSave_markup, QString()),
              "got here!\nfile not found\n");
}
