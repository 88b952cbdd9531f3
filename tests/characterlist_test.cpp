#include "characters/CharacterListFile.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

class CharacterListFile : public testing::Test
{
protected:
    CharacterList load(const QByteArray &content)
    {
        CharacterList list;
        const SettingsRead read = loadCharacterList(dir.write("characters.txt", content), list);
        EXPECT_TRUE(read);
        warnings = read.warnings;
        return list;
    }

    ScratchDir dir;
    QStringList warnings; // of the last load
};

} // namespace

TEST_F(CharacterListFile, Load_NamesAliasesAndForcedColour)
{
    const CharacterList list = load("JOHN SMITH, JOHNNY, MR SMITH :255 0 0\nANN\n\n");
    ASSERT_EQ(list.size(), 2u);
    const Character &john = *list[0];
    EXPECT_EQ(john.names, (QStringList{"JOHN", "SMITH"}));
    EXPECT_EQ(john.aliases, (QList<QStringList>{{"JOHNNY"}, {"MR", "SMITH"}}));
    EXPECT_EQ(john.color, QColor(255, 0, 0));
    EXPECT_TRUE(john.forcedColor);
    EXPECT_EQ(list[1]->names, QStringList{"ANN"});
    EXPECT_FALSE(list[1]->forcedColor);
    // An unforced entry keeps its name-derived colour.
    EXPECT_EQ(list[1]->color, Character(QStringList{"ANN"}).color);
}

TEST_F(CharacterListFile, Load_TolerantFieldSplitting)
{
    const CharacterList list =
        load("  MARY   JANE ,  MJ  : 10  20 30 40 : ignored\nTOM:1 2\nSUE:7 x 300\nEVE:-5 0 0\n");
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0]->names, (QStringList{"MARY", "JANE"}));
    EXPECT_EQ(list[0]->aliases, QList<QStringList>{{"MJ"}});
    EXPECT_EQ(list[0]->color, QColor(10, 20, 30));
    // Too few numbers: no colour.
    EXPECT_FALSE(list[1]->forcedColor);
    // Not a number reads 0; components outside 0..255 are clamped.
    EXPECT_EQ(list[2]->color, QColor(7, 0, 255));
    EXPECT_EQ(list[3]->color, QColor(0, 0, 0));
}

TEST_F(CharacterListFile, Load_EmptyFirstNameExtendsThePreviousEntry)
{
    const CharacterList list = load("BOB\n, BOBBY, B\n:1 2 3\n");
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0]->aliases, (QList<QStringList>{{"BOBBY"}, {"B"}}));
    EXPECT_EQ(list[0]->color, QColor(1, 2, 3));
    EXPECT_TRUE(list[0]->forcedColor);

    // With no entry before, the names and the colour have nowhere to go.
    const CharacterList orphan = load(", LOST :4 5 6\nREAL\n :1 2 300\n");
    ASSERT_EQ(orphan.size(), 1u);
    EXPECT_EQ(orphan[0]->names, QStringList{"REAL"});
    EXPECT_TRUE(orphan[0]->aliases.isEmpty());
    EXPECT_EQ(orphan[0]->color, QColor(1, 2, 255));
    const QString path = dir.file("characters.txt");
    EXPECT_EQ(warnings,
              (QStringList{path + " line 1: no name before \":\" or \",\", and no character "
                                  "before it; line skipped",
                           path + " line 3: no name before \":\"; the colour went to REAL, the "
                                  "character before it",
                           path + " line 3: colour component \"300\" is not a number from 0 to "
                                  "255; read as 255"}));
}

TEST_F(CharacterListFile, Load_MissingFileKeepsTheList)
{
    CharacterList list{std::make_shared<Character>(QStringList{"KEPT"})};
    EXPECT_FALSE(loadCharacterList(dir.file("absent.txt"), list));
    ASSERT_EQ(list.size(), 1u);

    // A successful load replaces the entries without touching the old records.
    const CharacterPtr old = list.front();
    ASSERT_TRUE(loadCharacterList(dir.write("characters.txt", "NEW\n"), list));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0]->names, QStringList{"NEW"});
    EXPECT_EQ(old->names, QStringList{"KEPT"});
}

TEST_F(CharacterListFile, Save_WritesNamesAliasesAndForcedColour)
{
    CharacterList list = load("JOHN SMITH, JOHNNY, MR SMITH :255 0 0\nANN\n");
    ASSERT_TRUE(saveCharacterList(dir.file("out.txt"), list));
    EXPECT_EQ(readBytes(dir.file("out.txt")), "JOHN SMITH, JOHNNY, MR SMITH : 255 0 0\nANN\n");

    CharacterList again;
    ASSERT_TRUE(loadCharacterList(dir.file("out.txt"), again));
    ASSERT_EQ(again.size(), 2u);
    EXPECT_EQ(again[0]->names, list[0]->names);
    EXPECT_EQ(again[0]->aliases, list[0]->aliases);
    EXPECT_EQ(again[0]->color, list[0]->color);
    EXPECT_TRUE(again[0]->forcedColor);
    EXPECT_FALSE(again[1]->forcedColor);

    EXPECT_FALSE(saveCharacterList(dir.file("no/such/dir/out.txt"), list));
}
