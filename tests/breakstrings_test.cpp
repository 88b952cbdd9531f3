#include "scenes/BreakStringFile.h"

#include "TestSupport.h"
#include "scenes/ManualBreak.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(BreakStringFile, Load_SkipsEmptyLinesAndKeepsBlanks)
{
    ScratchDir dir;
    const QString path = dir.write("breakStrings.txt", "INT\r\n\r\nEXT \n  \nint.\n");
    QStringList list{"old"};
    const SettingsRead read = loadBreakStringFile(path, list);
    ASSERT_TRUE(read);
    EXPECT_EQ(list, (QStringList{"INT", "EXT ", "  ", "int."}));
    EXPECT_EQ(read.warnings,
              QStringList{path + " line 4: \"  \" holds no word, so it never matches; kept as "
                                 "written"});

    // A missing file changes nothing.
    EXPECT_FALSE(loadBreakStringFile(dir.file("missing.txt"), list));
    EXPECT_EQ(list, (QStringList{"INT", "EXT ", "  ", "int."}));
}

TEST(BreakStringFile, Save_RoundTripsWithoutBlankLines)
{
    ScratchDir dir;
    const QString path = dir.file("breakStrings.txt");
    ASSERT_TRUE(saveBreakStringFile(path, sampleBreakStrings()));
    EXPECT_EQ(readBytes(path), QByteArray("int.\next.\nINTERIOR\nEXTERIOR\nINT\nEXT\n"));

    const QStringList list{"INT", QStringLiteral("EXT\u00C9 "), "x"};
    ASSERT_TRUE(saveBreakStringFile(path, list));
    EXPECT_EQ(readBytes(path), QByteArray("INT\nEXT\xC9 \nx\n")); // Latin-1 fits
    QStringList back;
    ASSERT_TRUE(loadBreakStringFile(path, back));
    EXPECT_EQ(back, list);

    ASSERT_TRUE(saveBreakStringFile(path, {}));
    EXPECT_EQ(readBytes(path), QByteArray());
    EXPECT_FALSE(saveBreakStringFile(dir.file("no/dir/file.txt"), list));
}

TEST(BreakStringFile, Remove_AllDuplicatesOfTheSelectedTexts)
{
    EXPECT_EQ(withoutBreakStrings({"INT", "EXT", "INT"}, {"INT"}), QStringList{"EXT"});
    // Exact, case-sensitive comparison; nothing selected changes nothing.
    EXPECT_EQ(withoutBreakStrings({"INT", "int", "INT "}, {"INT"}), (QStringList{"int", "INT "}));
    EXPECT_EQ(withoutBreakStrings({"INT", "EXT"}, {}), (QStringList{"INT", "EXT"}));
    EXPECT_EQ(withoutBreakStrings({"INT", "EXT", "X"}, {"X", "INT"}), QStringList{"EXT"});
}

TEST(ManualBreak, Position_IsWhereTheClickLiesInThePage)
{
    // Scrolled 200 px down a 1000 px page, clicked 100 px below the top of the view.
    EXPECT_FLOAT_EQ(manualBreakPosition(200, 100, 1000), 0.3f);
    // A page that fits the view: the click's own height, not half of it.
    EXPECT_FLOAT_EQ(manualBreakPosition(0, 250, 500), 0.5f);
    EXPECT_EQ(manualBreakPosition(0, 0, 1000), 0.0f);
    // No contents height, or a click below the page, stays within the document.
    EXPECT_EQ(manualBreakPosition(0, 100, 0), 0.0f);
    EXPECT_EQ(manualBreakPosition(900, 400, 1000), 1.0f);
    EXPECT_EQ(manualBreakPosition(5, -30, 100), 0.0f);
}
