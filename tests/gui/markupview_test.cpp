#include "WindowTestSupport.h"

#include <QListWidget>
#include <QStatusBar>
#include <QWebElement>
#include <QWebFrame>
#include <QWebView>

#include <gtest/gtest.h>

namespace {

const QByteArray twoScenes = "INT. HOUSE - DAY\n"
                             "                    ANNA\n"
                             "          Hello there.\n"
                             "EXT. GARDEN - DAY\n"
                             "                    BEN\n"
                             "          Hi ANNA and welcome.\n";

// WebKit reports inline colours as rgb(r, g, b).
QString cssColor(const QColor &color)
{
    return QStringLiteral("rgb(%1, %2, %3)").arg(color.red()).arg(color.green()).arg(color.blue());
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

    int pageBlocks() const
    {
        const QWebElement body =
            formOf(*window).webView->page()->mainFrame()->findFirstElement(QStringLiteral("body"));
        int blocks = 0;
        for (QWebElement block = body.firstChild(); !block.isNull(); block = block.nextSibling())
            ++blocks;
        return blocks;
    }

    QWebElementCollection find(const QString &selector) const
    {
        return formOf(*window).webView->page()->mainFrame()->findAllElements(selector);
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
    ASSERT_TRUE(anna);

    const QWebElementCollection annaSpans = find(QStringLiteral("span.ANNA"));
    ASSERT_EQ(annaSpans.count(), 2);
    for (const QWebElement &span : annaSpans) {
        EXPECT_EQ(span.styleProperty(QStringLiteral("color"), QWebElement::InlineStyle),
                  cssColor(anna->color));
        EXPECT_EQ(span.styleProperty(QStringLiteral("font-weight"), QWebElement::InlineStyle),
                  QStringLiteral("bold"));
    }

    const QWebElementCollection scenes = find(QStringLiteral("div.scene"));
    ASSERT_EQ(scenes.count(), 3);
    const QString background = QStringLiteral("background-color");
    EXPECT_EQ(scenes.at(0).styleProperty(background, QWebElement::InlineStyle),
              cssColor(QColor(255, 255, 255)));
    EXPECT_EQ(scenes.at(1).styleProperty(background, QWebElement::InlineStyle),
              cssColor(QColor(240, 240, 240)));
    EXPECT_EQ(scenes.at(2).styleProperty(background, QWebElement::InlineStyle),
              cssColor(QColor(255, 255, 255)));

    const QWebElementCollection headings = find(QStringLiteral("span.breakString"));
    ASSERT_EQ(headings.count(), 2);
    EXPECT_EQ(headings.at(0).styleProperty(QStringLiteral("color"), QWebElement::InlineStyle),
              QStringLiteral("purple"));
    EXPECT_EQ(headings.at(0).styleProperty(QStringLiteral("font-style"), QWebElement::InlineStyle),
              QStringLiteral("italic"));

    EXPECT_FALSE(documentOf(*window).progress().dialog()->isVisible());
}

TEST_F(MarkupViewTest, LongText_IsShownWholeInStyledPiecesAndGivesWayToTheNextText)
{
    const int sceneCount = 3000;
    open(longScript(sceneCount));
    ASSERT_GT(documentOf(*window).analysis()->markupHtml.size(), 2 * 256 * 1024);
    EXPECT_GE(pageBlocks(), 3);

    // Every scene is there, and the backgrounds alternate across the pieces.
    const QWebElementCollection scenes = find(QStringLiteral("div.scene"));
    ASSERT_EQ(scenes.count(), sceneCount + 1);
    const QString background = QStringLiteral("background-color");
    for (int i = 0; i < scenes.count(); ++i) {
        const QColor expected = i % 2 == 0 ? QColor(255, 255, 255) : QColor(240, 240, 240);
        ASSERT_EQ(scenes.at(i).styleProperty(background, QWebElement::InlineStyle),
                  cssColor(expected))
            << "scene " << i;
    }
    const CharacterPtr anna = character(QStringLiteral("ANNA"));
    ASSERT_TRUE(anna);
    const QWebElementCollection annaSpans = find(QStringLiteral("span.ANNA"));
    ASSERT_EQ(annaSpans.count(), sceneCount);
    EXPECT_EQ(annaSpans.last().styleProperty(QStringLiteral("color"), QWebElement::InlineStyle),
              cssColor(anna->color));
    EXPECT_TRUE(formOf(*window).statusBar->currentMessage().isEmpty());

    // The next screenplay's text replaces the long one entirely.
    open(twoScenes);
    EXPECT_EQ(pageBlocks(), 1);
    EXPECT_EQ(find(QStringLiteral("div.scene")).count(), 3);
    EXPECT_FALSE(
        formOf(*window).webView->page()->mainFrame()->toPlainText().contains(QStringLiteral("ROOM")));
    EXPECT_FALSE(documentOf(*window).progress().dialog()->isVisible());
}

TEST_F(MarkupViewTest, LayingOutStopped_ShowsTheFirstPieceAndSaysSo)
{
    AbortStage abort(QStringLiteral("Laying out text"));
    open(longScript(3000));
    EXPECT_EQ(abort.aborted, 1);
    EXPECT_EQ(pageBlocks(), 1);
    EXPECT_TRUE(formOf(*window).statusBar->currentMessage().startsWith(
        QStringLiteral("Text view stopped: 1 of ")))
        << formOf(*window).statusBar->currentMessage().toStdString();
    EXPECT_FALSE(documentOf(*window).progress().dialog()->isVisible());
}

TEST_F(MarkupViewTest, BeforeAnyParse_ShowsTheEmptyMarkupOnly)
{
    window->applyMarkupStyles();
    EXPECT_TRUE(formOf(*window).webView->page()->mainFrame()->toPlainText().isEmpty());
    EXPECT_EQ(documentOf(*window).progress().dialog(), nullptr);
    window->currentColorChanged(Qt::red); // no index: nothing to recolour, no crash
}

TEST_F(MarkupViewTest, ColourChange_RecoloursOnlySelectedCharacters)
{
    open(twoScenes);
    const CharacterPtr anna = character(QStringLiteral("ANNA"));
    const CharacterPtr ben = character(QStringLiteral("BEN"));
    ASSERT_TRUE(anna && ben);
    const QString benBefore = find(QStringLiteral("span.BEN"))
                                  .at(0)
                                  .styleProperty(QStringLiteral("color"), QWebElement::InlineStyle);

    formOf(*window).listWidget->findItems(anna->displayText(), Qt::MatchExactly)
        .at(0)
        ->setSelected(true);
    anna->color = QColor(1, 2, 3);
    ben->color = QColor(4, 5, 6);
    window->currentColorChanged(QColor(7, 8, 9));

    for (const QWebElement &span : find(QStringLiteral("span.ANNA")))
        EXPECT_EQ(span.styleProperty(QStringLiteral("color"), QWebElement::InlineStyle),
                  cssColor(QColor(1, 2, 3)));
    EXPECT_EQ(find(QStringLiteral("span.BEN"))
                  .at(0)
                  .styleProperty(QStringLiteral("color"), QWebElement::InlineStyle),
              benBefore);
}
