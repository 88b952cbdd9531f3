#include "WindowTestSupport.h"

#include "ThreadViewTestSupport.h"
#include "views/MarkupView.h"

#include <QListWidget>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

const QByteArray twoScenes = "INT. HOUSE - DAY\n"
                             "                    ANNA\n"
                             "          Hello there.\n"
                             "EXT. GARDEN - DAY\n"
                             "                    BEN\n"
                             "          Hi ANNA and welcome.\n";

const QColor firstSceneBackground(255, 255, 255);
const QColor secondSceneBackground(240, 240, 240);

// How the page shows one whole-word occurrence of a text: the format of each of its
// characters and the background of its block.
struct Occurrence
{
    std::vector<QTextCharFormat> characters;
    QColor blockBackground;
};

std::vector<Occurrence> occurrences(const QTextDocument &page, const QString &word)
{
    const QRegularExpression whole(
        QStringLiteral("\\b%1\\b").arg(QRegularExpression::escape(word)));
    std::vector<Occurrence> found;
    for (QTextCursor at = page.find(whole); !at.isNull(); at = page.find(whole, at)) {
        Occurrence occurrence;
        occurrence.blockBackground = at.blockFormat().background().color();
        QTextCursor character = at;
        for (int position = at.selectionStart(); position < at.selectionEnd(); ++position) {
            character.setPosition(position + 1); // the format of the character before
            occurrence.characters.push_back(character.charFormat());
        }
        found.push_back(occurrence);
    }
    return found;
}

// Every character of every occurrence of `word` is in `color`, bold (and italic if asked).
void expectShownAs(const QTextDocument &page, const QString &word, const QColor &color, int count,
                   bool italic = false)
{
    SCOPED_TRACE(word.toStdString());
    const std::vector<Occurrence> found = occurrences(page, word);
    ASSERT_EQ(int(found.size()), count);
    for (const Occurrence &occurrence : found) {
        for (const QTextCharFormat &format : occurrence.characters) {
            EXPECT_EQ(format.foreground().color().name(), color.name());
            EXPECT_EQ(format.fontWeight(), QFont::Bold);
            EXPECT_EQ(format.fontItalic(), italic);
        }
    }
}

// The page's blocks that hold text: one per scene that has any.
std::vector<QTextBlock> textBlocks(const QTextDocument &page)
{
    std::vector<QTextBlock> blocks;
    for (QTextBlock block = page.begin(); block.isValid(); block = block.next()) {
        if (!block.text().trimmed().isEmpty())
            blocks.push_back(block);
    }
    return blocks;
}

class MarkupViewTest : public ::testing::Test
{
protected:
    WorkingDirectory dir;
    std::unique_ptr<textVis> window = makeWindow(dir.scratch());

    void open(const QByteArray &text)
    {
        window->loadScreenplay(dir.scratch().write(QStringLiteral("play.txt"), text));
    }

    MarkupView &view() const { return *formOf(*window).webView; }
    const QTextDocument &page() const { return *view().document(); }

    // A screenplay whose markup is several pieces of the page long: `scenes` scenes in which
    // ANNA speaks once each.
    static QByteArray longScript(int scenes)
    {
        QByteArray text;
        for (int i = 0; i < scenes; ++i)
            text += "INT. ROOM " + QByteArray::number(i) +
                    " - DAY\n                    ANNA\n          Line number " +
                    QByteArray::number(i) + " of a long and winding talk.\n";
        return text;
    }

    CharacterPtr character(const QString &name) const
    {
        for (const CharacterPtr &c : documentOf(*window).analysis()->timeIndex->characters) {
            if (c->names == QStringList{name})
                return c;
        }
        return nullptr;
    }
};

} // namespace

TEST_F(MarkupViewTest, Parse_ColoursNamesScenesAndHeadings)
{
    open(twoScenes);
    const CharacterPtr anna = character(QStringLiteral("ANNA"));
    const CharacterPtr ben = character(QStringLiteral("BEN"));
    ASSERT_TRUE(anna && ben);
    expectShownAs(page(), QStringLiteral("ANNA"), anna->color, 2);
    expectShownAs(page(), QStringLiteral("BEN"), ben->color, 1);
    // The rest of the speech is left as it is.
    const std::vector<Occurrence> plain = occurrences(page(), QStringLiteral("welcome"));
    ASSERT_EQ(plain.size(), 1u);
    EXPECT_NE(plain[0].characters[0].foreground().color().name(), anna->color.name());
    EXPECT_NE(plain[0].characters[0].fontWeight(), QFont::Bold);

    // Headings in purple, bold and italic, up to their last word.
    expectShownAs(page(), QStringLiteral("HOUSE"), QColor(QStringLiteral("purple")), 1, true);
    expectShownAs(page(), QStringLiteral("GARDEN"), QColor(QStringLiteral("purple")), 1, true);

    // The scene before the first heading is empty; the two scenes after it alternate.
    const std::vector<QTextBlock> scenes = textBlocks(page());
    ASSERT_EQ(scenes.size(), 2u);
    EXPECT_TRUE(scenes[0].text().contains(QStringLiteral("Hello there.")));
    EXPECT_EQ(scenes[0].blockFormat().background().color().name(), secondSceneBackground.name());
    EXPECT_EQ(scenes[1].blockFormat().background().color().name(), firstSceneBackground.name());

    EXPECT_FALSE(documentOf(*window).progress().dialog()->isVisible());
}

TEST_F(MarkupViewTest, LongText_IsShownWholeInStyledPiecesAndGivesWayToTheNextText)
{
    const int sceneCount = 3000;
    open(longScript(sceneCount));
    ASSERT_GT(documentOf(*window).analysis()->markupHtml.size(), 2 * 256 * 1024);
    const QProgressDialog *layingOut = documentOf(*window).progress().dialog();
    EXPECT_TRUE(layingOut->labelText().startsWith(QStringLiteral("Laying out text")));
    EXPECT_GE(layingOut->maximum(), 3);

    // Every scene is there, in order, and the backgrounds alternate across the pieces.
    const std::vector<QTextBlock> scenes = textBlocks(page());
    ASSERT_EQ(int(scenes.size()), sceneCount);
    for (int i = 0; i < sceneCount; ++i) {
        ASSERT_TRUE(scenes[size_t(i)].text().contains(QStringLiteral("ROOM %1 ").arg(i)))
            << "scene " << i;
        // Scene 0 is the empty one before the first heading.
        const QColor expected = i % 2 == 0 ? secondSceneBackground : firstSceneBackground;
        ASSERT_EQ(scenes[size_t(i)].blockFormat().background().color().name(), expected.name())
            << "scene " << i;
    }
    const CharacterPtr anna = character(QStringLiteral("ANNA"));
    ASSERT_TRUE(anna);
    const std::vector<Occurrence> annas = occurrences(page(), QStringLiteral("ANNA"));
    ASSERT_EQ(int(annas.size()), sceneCount);
    for (const QTextCharFormat &format : annas.back().characters)
        EXPECT_EQ(format.foreground().color().name(), anna->color.name());
    EXPECT_TRUE(formOf(*window).statusBar->currentMessage().isEmpty());

    // The next screenplay's text replaces the long one entirely.
    open(twoScenes);
    EXPECT_EQ(textBlocks(page()).size(), 2u);
    EXPECT_FALSE(view().toPlainText().contains(QStringLiteral("ROOM")));
    EXPECT_FALSE(documentOf(*window).progress().dialog()->isVisible());
}

TEST_F(MarkupViewTest, TooLongForTheView_ShowsTheFirstPartUnderANoteAndTheWindowHasAll)
{
    const int sceneCount = 3000;
    view().setShownBytesLimit(200 * 1024);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    open(longScript(sceneCount));
    ASSERT_GT(documentOf(*window).analysis()->markupHtml.size(), 500 * 1024);
    EXPECT_TRUE(view().isShortened());
    EXPECT_TRUE(view().toPlainText().startsWith(
        QStringLiteral("This screenplay is too long for the text view")));
    // Whole scenes from the first, then a cut at the end of a line; the rest is left out.
    const std::vector<QTextBlock> scenes = textBlocks(page());
    ASSERT_GT(scenes.size(), 100u);
    ASSERT_LT(scenes.size(), size_t(sceneCount) / 2);
    EXPECT_TRUE(scenes[1].text().contains(QStringLiteral("ROOM 0 ")));
    EXPECT_FALSE(view().toPlainText().contains(QStringLiteral("ROOM %1 ").arg(sceneCount - 1)));
    // The threads have every scene, and the text's end stands where the shown part ends.
    EXPECT_EQ(int(documentOf(*window).analysis()->timeIndex->scenes.size()), sceneCount + 1);
    const int shownMaximum = view().verticalScrollBar()->maximum();
    EXPECT_GT(view().scrollMaximum(), 2 * shownMaximum);

    // A screenplay that fits is shown whole again, without the note.
    open(twoScenes);
    EXPECT_FALSE(view().isShortened());
    EXPECT_FALSE(view().toPlainText().contains(QStringLiteral("too long")));
    EXPECT_EQ(view().scrollMaximum(), view().verticalScrollBar()->maximum());
}

TEST_F(MarkupViewTest, LayingOutStopped_ShowsTheFirstPieceAndSaysSo)
{
    const int sceneCount = 3000;
    AbortStage abort(QStringLiteral("Laying out text"));
    open(longScript(sceneCount));
    EXPECT_EQ(abort.aborted, 1);
    const std::vector<QTextBlock> scenes = textBlocks(page());
    ASSERT_FALSE(scenes.empty());
    EXPECT_TRUE(scenes.front().text().contains(QStringLiteral("ROOM 0 ")));
    EXPECT_LT(int(scenes.size()), sceneCount / 2);
    EXPECT_TRUE(formOf(*window).statusBar->currentMessage().startsWith(
        QStringLiteral("Text view stopped: 1 of ")))
        << formOf(*window).statusBar->currentMessage().toStdString();
    EXPECT_FALSE(documentOf(*window).progress().dialog()->isVisible());
}

TEST_F(MarkupViewTest, BeforeAnyParse_ShowsTheEmptyMarkupOnly)
{
    window->applyMarkupStyles();
    EXPECT_TRUE(view().toPlainText().isEmpty());
    EXPECT_EQ(documentOf(*window).progress().dialog(), nullptr);
    window->currentColorChanged(Qt::red); // no index: nothing to recolour, no crash
}

TEST_F(MarkupViewTest, ColourChange_RecoloursOnlySelectedCharactersWhereTheReaderIs)
{
    // Long enough to scroll; BEN answers ANNA in every scene.
    QByteArray text;
    for (int i = 0; i < 200; ++i)
        text += "INT. ROOM " + QByteArray::number(i) +
                " - DAY\n                    ANNA\n          Hello.\n"
                "                    BEN\n          Hi ANNA and welcome.\n";
    open(text);
    window->resize(1192, 881);
    window->show();
    ASSERT_TRUE(processEventsUntil([this] { return window->windowHandle()->isExposed(); }, 5000));
    const CharacterPtr anna = character(QStringLiteral("ANNA"));
    const CharacterPtr ben = character(QStringLiteral("BEN"));
    ASSERT_TRUE(anna && ben);
    const QColor benBefore = ben->color;
    ASSERT_TRUE(processEventsUntil([this] { return view().scrollMaximum() > 1000; }, 5000));
    const int reading = view().scrollMaximum() / 2;
    view().verticalScrollBar()->setValue(reading);

    formOf(*window)
        .listWidget->findItems(anna->displayText(), Qt::MatchExactly)
        .at(0)
        ->setSelected(true);
    anna->color = QColor(1, 2, 3);
    ben->color = QColor(4, 5, 6);
    window->currentColorChanged(QColor(7, 8, 9));
    QCoreApplication::processEvents();

    expectShownAs(page(), QStringLiteral("ANNA"), QColor(1, 2, 3), 400);
    expectShownAs(page(), QStringLiteral("BEN"), benBefore, 200);
    for (const Occurrence &hello : occurrences(page(), QStringLiteral("Hello")))
        EXPECT_NE(hello.characters[0].foreground().color().name(), QColor(1, 2, 3).name());
    EXPECT_EQ(view().scrollValue(), reading);
}

TEST_F(MarkupViewTest, NameWithQuote_IsColouredAndRecoloured)
{
    open("INT. HOUSE - DAY\n                    O'BRIEN\n          Hello there.\n"
         "EXT. GARDEN - DAY\n                    O'BRIEN\n          Hi again.\n");
    const CharacterPtr obrien = character(QStringLiteral("O'BRIEN"));
    ASSERT_TRUE(obrien);
    expectShownAs(page(), QStringLiteral("O'BRIEN"), obrien->color, 2);

    formOf(*window).listWidget->item(0)->setSelected(true);
    obrien->color = QColor(1, 2, 3);
    window->currentColorChanged(QColor(7, 8, 9));
    QCoreApplication::processEvents();
    expectShownAs(page(), QStringLiteral("O'BRIEN"), QColor(1, 2, 3), 2);
}
