#include "characters/ConfigFile.h"

#include "TestSupport.h"

#include <QVariant>

#include <gtest/gtest.h>

namespace {

class ConfigFile : public testing::Test
{
protected:
    // Applies the lines as the content of config.txt to fresh defaults.
    AnalysisOptions read(const QByteArray &content)
    {
        AnalysisOptions options;
        EXPECT_TRUE(readConfig(dir.write("config.txt", content), options));
        return options;
    }

    ScratchDir dir;
};

} // namespace

TEST_F(ConfigFile, Read_KeysIgnoreCase)
{
    const AnalysisOptions options = read(
        "looseMatch TRUE\ncasesensitivity true\nNUMBERSTEPS 50\nminnumberofcharacterinstances 3\n");
    EXPECT_TRUE(options.looseMatch);
    EXPECT_TRUE(options.caseSensitive);
    EXPECT_EQ(options.numberSteps, 50);
    EXPECT_EQ(options.minCharacterInstances, 3);
}

TEST_F(ConfigFile, Read_SeveralPairsPerLineAndLaterPairWins)
{
    AnalysisOptions options = read("MinCharacterSpaces 10 NumberSteps 20\nNumberSteps 30\n");
    EXPECT_EQ(options.minCharacterSpaces, 10);
    EXPECT_EQ(options.numberSteps, 30);
    options = read("junk looseMatch True CaseSensitivity True looseMatch False\n");
    EXPECT_FALSE(options.looseMatch);
    EXPECT_TRUE(options.caseSensitive);
}

TEST_F(ConfigFile, Read_BadValues)
{
    // A value that cannot be read (two blanks give an empty one) leaves the default.
    EXPECT_EQ(read("NumberSteps  50\n").numberSteps, 100);
    EXPECT_EQ(read("NumberSteps fifty\n").numberSteps, 100);
    EXPECT_EQ(read("NumberSteps -7\n").numberSteps, 100);
    EXPECT_EQ(read("NumberSteps 0\nMinCharacterSpaces -1\n").minCharacterSpaces, -1);
    // An unknown bool word leaves the default.
    EXPECT_FALSE(read("CaseSensitivity yes\n").caseSensitive);
    EXPECT_TRUE(read("CaseSensitivity True\nCaseSensitivity 1\n").caseSensitive);
    // Tabs are not separators, so the whole "key\tvalue" token matches nothing.
    EXPECT_EQ(read("NumberSteps\t50\n").numberSteps, 100);
}

TEST_F(ConfigFile, Read_UnreadableValuesAreReportedWithWhatWasKept)
{
    AnalysisOptions options;
    const QString path =
        dir.write("config.txt", "CaseSensitivity Maybe\n\nNumberSteps -1 looseMatch True\n"
                                "MinCharacterSpaces\n");
    const SettingsRead read = readConfig(path, options);
    EXPECT_TRUE(options.looseMatch);
    EXPECT_EQ(read.warnings,
              (QStringList{path + " line 1: \"Maybe\" is not True or False; CaseSensitivity "
                                  "stays False",
                           path + " line 3: \"-1\" is not a whole number from 1 to 99999999; "
                                  "NumberSteps stays 100",
                           path + " line 4: MinCharacterSpaces has no value; MinCharacterSpaces "
                                  "stays 15"}));
}

TEST_F(ConfigFile, Read_KeyAsLastTokenLeavesMemberUnchanged)
{
    const AnalysisOptions options =
        read("NumberSteps 40\nNumberSteps\nlooseMatch True looseMatch\n");
    EXPECT_EQ(options.numberSteps, 40);
    EXPECT_TRUE(options.looseMatch);
}

TEST_F(ConfigFile, Read_MultiWordKey)
{
    EXPECT_FALSE(read("find the characters in the text FALSE\n").findCharacters);
    EXPECT_FALSE(read("NumberSteps 5 Find the Characters in the Text False\n").findCharacters);
    // Part of the key is not the key.
    EXPECT_TRUE(read("the Characters in the Text False\n").findCharacters);
    EXPECT_TRUE(read("Find the Characters in the Text\n").findCharacters);
}

TEST_F(ConfigFile, Read_MissingFileKeepsValues)
{
    AnalysisOptions options;
    options.numberSteps = 12;
    EXPECT_FALSE(readConfig(dir.file("absent.txt"), options));
    EXPECT_EQ(options.numberSteps, 12);
    EXPECT_TRUE(options.findCharacters);
    EXPECT_EQ(options.minCharacterSpaces, 15);
}

TEST_F(ConfigFile, Write_DefaultsGiveOneLinePerOptionInOrder)
{
    AnalysisOptions options;
    const OptionList list = makeAnalysisOptions(options);
    ASSERT_TRUE(writeConfig(dir.file("config.txt"), list));
    EXPECT_EQ(readBytes(dir.file("config.txt")),
              "Find the Characters in the Text True\nlooseMatch False\nCaseSensitivity False\n"
              "MinCharacterSpaces 15\nMinNumberOfCharacterInstances 0\nNumberSteps 100\n"
              "MergeCueExtensions False\nWholeNameMatch False\n");
}

TEST_F(ConfigFile, Write_RoundTripsEveryValue)
{
    AnalysisOptions written;
    written.findCharacters = false;
    written.looseMatch = true;
    written.caseSensitive = true;
    written.minCharacterSpaces = -1;
    written.minCharacterInstances = 4;
    written.numberSteps = 99999999;
    written.mergeCueExtensions = true;
    written.wholeNameMatch = true;
    ASSERT_TRUE(writeConfig(dir.file("config.txt"), makeAnalysisOptions(written)));

    AnalysisOptions readBack;
    ASSERT_TRUE(readConfig(dir.file("config.txt"), readBack));
    EXPECT_FALSE(readBack.findCharacters);
    EXPECT_TRUE(readBack.looseMatch);
    EXPECT_TRUE(readBack.caseSensitive);
    EXPECT_EQ(readBack.minCharacterSpaces, -1);
    EXPECT_EQ(readBack.minCharacterInstances, 4);
    EXPECT_EQ(readBack.numberSteps, 99999999);
    EXPECT_TRUE(readBack.mergeCueExtensions);
    EXPECT_TRUE(readBack.wholeNameMatch);
}

TEST_F(ConfigFile, Write_TakesWidgetValuesOnlyWhenTheFileIsWritten)
{
    AnalysisOptions options;
    const OptionList list = makeAnalysisOptions(options);
    QObject checkBox;
    checkBox.setProperty("checked", false);
    QObject spinBox;
    spinBox.setProperty("value", 42);
    list[0]->valueWidget = &checkBox;
    list[5]->valueWidget = &spinBox;

    EXPECT_FALSE(writeConfig(dir.file("no/such/folder/config.txt"), list));
    EXPECT_TRUE(options.findCharacters);
    EXPECT_EQ(options.numberSteps, 100);

    ASSERT_TRUE(writeConfig(dir.file("config.txt"), list));
    EXPECT_FALSE(options.findCharacters);
    EXPECT_EQ(options.numberSteps, 42);
    const QByteArray text = readBytes(dir.file("config.txt"));
    EXPECT_TRUE(text.startsWith("Find the Characters in the Text False\n"));
    EXPECT_TRUE(text.contains("\nNumberSteps 42\n"));
}
