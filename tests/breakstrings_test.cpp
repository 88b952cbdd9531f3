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
    ASSERT_TRUE(loadBreakStringFile(path, list));
    EXPECT_EQ(list, (QStringList{"INT", "EXT ", "  ", "int."}));

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

TEST(ManualBreak, Position_FromScrollAndClickAndAlwaysFinite)
{
    // Scrolled halfway (200 of 400), clicked 100 px down a 1000 px page in a 250 px view.
    EXPECT_FLOAT_EQ(manualBreakPosition(200, 400, 100, 1000, 250), (0.5f + 0.1f) / 1.25f);
    EXPECT_EQ(manualBreakPosition(0, 400, 0, 1000, 250), 0.0f);
    // Two clicks at the same place give the same position.
    EXPECT_EQ(manualBreakPosition(37, 400, 91, 1000, 250),
              manualBreakPosition(37, 400, 91, 1000, 250));

    // No scroll range: counts as the top of the page.
    EXPECT_FLOAT_EQ(manualBreakPosition(0, 0, 100, 500, 500), 0.2f / 2.0f);
    // No contents height either.
    const float empty = manualBreakPosition(0, 0, 100, 0, 500);
    EXPECT_TRUE(std::isfinite(empty));
    EXPECT_EQ(empty, 0.0f);
    EXPECT_TRUE(std::isfinite(manualBreakPosition(5, 0, 10, -3, -3)));
    EXPECT_TRUE(std::isfinite(manualBreakPosition(5, 10, 10, 100, -100)));
}
