#include "characters/PaletteFile.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

CharacterList charactersNamed(const QStringList &names)
{
    CharacterList list;
    for (const QString &name : names)
        list.push_back(std::make_shared<Character>(QStringList{name}));
    return list;
}

} // namespace

TEST(PaletteFile, Load_SingleBlankPiecesKeepEmptyOnes)
{
    ScratchDir dir;
    QVector<QColor> palette{QColor(9, 9, 9)};
    ASSERT_TRUE(loadPalette(
        dir.write("colors.txt", "10  20 30\n1 2\n4 5 6 7\n\nx 300 -1\r\n 8 9\n"), palette));
    // "10  20 30" has an empty second piece; "1 2" is too short; the fourth number is
    // ignored; components are clamped; a leading blank gives an empty first piece.
    EXPECT_EQ(palette, (QVector<QColor>{QColor(10, 0, 20), QColor(4, 5, 6), QColor(0, 255, 0),
                                        QColor(0, 8, 9)}));
}

TEST(PaletteFile, Load_EachUnreadableComponentIsReportedWithWhatItReadAs)
{
    ScratchDir dir;
    QVector<QColor> palette;
    const QString path = dir.write("colors.txt", "abc 1 2\n\n999 -5 70000\n7\n");
    const SettingsRead read = loadPalette(path, palette);
    EXPECT_EQ(palette, (QVector<QColor>{QColor(0, 1, 2), QColor(255, 0, 255)}));
    const QString range = "is not a number from 0 to 255; read as";
    EXPECT_EQ(read.warnings,
              (QStringList{path + " line 1: colour component \"abc\" " + range + " 0",
                           path + " line 3: colour component \"999\" " + range + " 255",
                           path + " line 3: colour component \"-5\" " + range + " 0",
                           path + " line 3: colour component \"70000\" " + range + " 255",
                           path + " line 4: not three colour components; line skipped"}));
}

TEST(PaletteFile, Load_MissingFileKeepsThePalette)
{
    ScratchDir dir;
    QVector<QColor> palette{QColor(9, 9, 9)};
    EXPECT_FALSE(loadPalette(dir.file("absent.txt"), palette));
    EXPECT_EQ(palette, QVector<QColor>{QColor(9, 9, 9)});
    EXPECT_FALSE(loadPalette(QString(), palette));
    EXPECT_EQ(palette.size(), 1);
}

TEST(PaletteFile, SaveThenLoad_RestoresEveryColour)
{
    ScratchDir dir;
    CharacterList characters = charactersNamed({"AL", "BO", "CY"});
    characters[1]->color = QColor(0, 128, 255);
    // Name-derived colours are HSV ones, so they are compared as RGB values.
    const QVector<QRgb> before{characters[0]->color.rgba(), characters[1]->color.rgba(),
                               characters[2]->color.rgba()};
    ASSERT_TRUE(savePalette(dir.file("colors.txt"), characters));
    EXPECT_TRUE(readBytes(dir.file("colors.txt")).contains("\n0 128 255\n"));

    QVector<QColor> palette;
    ASSERT_TRUE(loadPalette(dir.file("colors.txt"), palette));
    for (const CharacterPtr &c : characters)
        c->color = Qt::black;
    applyPalette(characters, palette);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(characters[i]->color.rgba(), before[i]) << i;

    EXPECT_FALSE(savePalette(dir.file("no/such/dir/colors.txt"), characters));
}

TEST(PaletteFile, Apply_LastEntryRepeatsForcedIncludedEmptyKeepsAll)
{
    CharacterList characters = charactersNamed({"AL", "BO", "CY"});
    characters[2]->forcedColor = true;
    const QColor original = characters[0]->color;

    applyPalette(characters, {});
    EXPECT_EQ(characters[0]->color, original);

    applyPalette(characters, {QColor(1, 1, 1), QColor(2, 2, 2)});
    EXPECT_EQ(characters[0]->color, QColor(1, 1, 1));
    EXPECT_EQ(characters[1]->color, QColor(2, 2, 2));
    EXPECT_EQ(characters[2]->color, QColor(2, 2, 2));
}
