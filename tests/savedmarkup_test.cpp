#include "scenes/SavedMarkup.h"

#include "DocumentBuilder.h"
#include "TestSupport.h"
#include "scenes/MarkupBuilder.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const QString headingRule =
    "span.breakString{ color: purple; font-weight: bold; font-style: italic;}";

std::shared_ptr<const Analysis> parsed(const QStringList &lines, const CharacterList &characters,
                                       const QString &suffix = "txt")
{
    ParseCase parseCase = ::parseCase(lines, characters);
    parseCase.screenplay.fileSuffix = suffix;
    parseCase.parse();
    return parseCase.analysis;
}

bool saveAnalysisMarkup(const QString &path, const Analysis &analysis)
{
    return saveMarkup(path, analysis.timeIndex.get(), analysis.breakStringClass,
                      analysis.markupHtml);
}

} // namespace

TEST(SavedMarkup, StyleBlock_WorkedExampleAndEdgeCases)
{
    const auto john = std::make_shared<Character>(QStringList{"JOHN"});
    john->color = QColor(0x3c, 0x96, 0x50);
    auto doc = parsed({"INT. HOUSE - DAY", "JOHN", "Hello there."}, {john});
    const QString text = doc->savedMarkup();
    EXPECT_TRUE(text.startsWith(
        "<head><meta charset='utf-8'><style type='text/css'>span.JOHN{ color: #3c9650 } " +
        headingRule + "</style></head><div class='scene'>"))
        << text.toStdString();
    EXPECT_TRUE(text.endsWith(doc->markupHtml));
    EXPECT_TRUE(text.contains("<span class='JOHN'>JOHN </span>"));

    // No characters: the heading rule alone.
    auto none = parsed({"x"}, {});
    EXPECT_EQ(none->savedMarkup(), "<head><meta charset='utf-8'><style type='text/css'>" +
                                       headingRule +
                                       "</style></head><div class='scene'>x <br></div>");

    // An xml screenplay has no markup: the style block is the whole file.
    auto xml = parsed({"<a>JOHN</a>"}, {john}, "xml");
    EXPECT_EQ(xml->savedMarkup(),
              "<head><meta charset='utf-8'><style type='text/css'>span.JOHN{ color: #3c9650 } " +
                  headingRule + "</style></head>");

    // Before any parse: no index, so no character rules.
    EXPECT_EQ(Analysis().savedMarkup(), "<head><meta charset='utf-8'><style type='text/css'>" +
                                            headingRule + "</style></head>");
}

TEST(SavedMarkup, OddNames_SelectorsCannotLeaveTheStyleBlock)
{
    const auto odd = std::make_shared<Character>(QStringList{"</style><b>", "O'K"});
    odd->color = QColor(1, 2, 3);
    auto doc = parsed({"</style><b> O'K"}, {odd});
    const QString text = doc->savedMarkup();
    EXPECT_TRUE(text.startsWith(
        "<head><meta charset='utf-8'><style type='text/css'>span.\\<\\/style\\>\\<b\\>O\\'K{ "
        "color: #010203 } "))
        << text.toStdString();
    EXPECT_EQ(text.indexOf("</style>"), text.indexOf("</style></head>"));
    EXPECT_TRUE(text.contains("<span class='&lt;/style&gt;&lt;b&gt;O&#39;K'>"));
}

TEST(SavedMarkup, SaveMarkup_WritesTheTextOrFails)
{
    ScratchDir dir;
    const auto anna = std::make_shared<Character>(QStringList{QStringLiteral("ANN\u00C9")});
    auto doc = parsed({QStringLiteral("ANN\u00C9 sings")}, {anna});
    ASSERT_TRUE(saveAnalysisMarkup(dir.file("out.xml"), *doc));
    // UTF-8 as the head declares, though every character would fit in Latin-1.
    EXPECT_EQ(readBytes(dir.file("out.xml")), doc->savedMarkup().toUtf8());
    EXPECT_FALSE(saveAnalysisMarkup(QString(), *doc));
    EXPECT_FALSE(saveAnalysisMarkup(dir.file("no/such/dir.html"), *doc));
}
