#include "reader/TextFile.h"

#include "TestSupport.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

TEST(TextFile, ReadLines_SplitsOnBothLineEndsWithoutTrailingEmptyLine)
{
    ScratchDir dir;
    const QString path = dir.write("a.txt", "one\r\ntwo\n\nthree\n");
    const auto lines = TextFile::readLines(path);
    ASSERT_TRUE(lines.has_value());
    EXPECT_EQ(*lines, (QStringList{"one", "two", "", "three"}));
}

TEST(TextFile, ReadLines_MissingOrEmptyPathGivesNothing)
{
    EXPECT_FALSE(TextFile::readLines(QString()).has_value());
    EXPECT_FALSE(TextFile::readLines("/no/such/file.txt").has_value());
}

TEST(TextFile, Decode_Utf8WithAndWithoutMarkElseLatin1)
{
    EXPECT_EQ(TextFile::decode("Ren\xC3\xA9"), QString::fromUtf8("Ren\xC3\xA9"));
    EXPECT_EQ(TextFile::decode("\xEF\xBB\xBFZo\xC3\xAB"), QString::fromUtf8("Zo\xC3\xAB"));
    // 0xE9 alone is not UTF-8, so the bytes are Latin-1.
    EXPECT_EQ(TextFile::decode("Ren\xE9"), QString::fromUtf8("Ren\xC3\xA9"));
}

TEST(TextFile, Encode_Latin1WhenEverythingFitsElseUtf8)
{
    EXPECT_EQ(TextFile::encode(QString::fromUtf8("Ren\xC3\xA9")), QByteArray("Ren\xE9"));
    const QString greek = QString::fromUtf8("\xCE\x91NNA");
    EXPECT_EQ(TextFile::encode(greek), greek.toUtf8());
    EXPECT_EQ(TextFile::decode(TextFile::encode(greek)), greek);
}

TEST(TextFile, WriteText_ReplacesFileAndFailsWithoutTouchingIt)
{
    ScratchDir dir;
    const QString path = dir.write("out.txt", "old\n");
    ASSERT_TRUE(TextFile::writeText(path, "new\n"));
    EXPECT_EQ(readBytes(path), QByteArray("new\n"));
    EXPECT_FALSE(TextFile::writeText(dir.file("missing-folder/x.txt"), "x"));
    EXPECT_FALSE(TextFile::writeText(QString(), "x"));
    EXPECT_FALSE(TextFile::writeText(dir.path(), "x"));
    EXPECT_EQ(readBytes(path), QByteArray("new\n"));
}
