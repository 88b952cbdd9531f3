#include "WindowTestSupport.h"

#include <QListWidget>
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

    QWebElementCollection find(const QString &selector) const
    {
        return window->form.webView->page()->mainFrame()->findAllElements(selector);
    }

    CharacterPtr character(const QString &name) const
    {
        for (const CharacterPtr &c : window->document.timeIndex->characters) {
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

    EXPECT_FALSE(window->progress.dialog()->isVisible());
}

TEST_F(MarkupViewTest, BeforeAnyParse_ShowsTheEmptyMarkupOnly)
{
    window->applyMarkupStyles();
    EXPECT_TRUE(window->form.webView->page()->mainFrame()->toPlainText().isEmpty());
    EXPECT_EQ(window->progress.dialog(), nullptr);
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

    anna->listItem->setSelected(true);
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
