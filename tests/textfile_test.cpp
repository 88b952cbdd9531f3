#include "reader/TextFile.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <sys/stat.h>

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

TEST(TextFile, Decode_EveryByteAndTheMarkedUnicodeForms)
{
    // A Latin-1 file (0xE9 is no UTF-8) goes on past a NUL byte, which becomes a blank.
    EXPECT_EQ(TextFile::decode(QByteArray("caf\xE9\0ANNA", 9)),
              QString::fromUtf8("caf\xC3\xA9 ANNA"));
    // "A" and U+2014 (em dash) behind each byte-order mark.
    const QString text = QStringLiteral("A") + QChar(0x2014);
    EXPECT_EQ(TextFile::decode(QByteArray("\xFF\xFE\x41\0\x14\x20", 6)), text);
    EXPECT_EQ(TextFile::decode(QByteArray("\xFE\xFF\0A\x20\x14", 6)), text);
    EXPECT_EQ(TextFile::decode(QByteArray("\xFF\xFE\0\0A\0\0\0\x14\x20\0\0", 12)), text);
    EXPECT_EQ(TextFile::decode(QByteArray("\0\0\xFE\xFF\0\0\0A\0\0\x20\x14", 12)), text);
    // An odd last byte of UTF-16 is no character, but it is not dropped silently either.
    EXPECT_EQ(TextFile::decode(QByteArray("\xFF\xFE\x41\0x", 5)),
              QStringLiteral("A") + QChar(QChar::ReplacementCharacter));
}

TEST(TextFile, Decode_Utf16WithoutMarkAndUtf8WithStrayBytes)
{
    const QString cue = QString::fromUtf8("ZO\xC3\x8B\n");
    QByteArray little;
    QByteArray big;
    for (const QChar c : cue) {
        little += char(c.cell()) + QByteArray(1, char(c.row()));
        big += QByteArray(1, char(c.row())) + char(c.cell());
    }
    EXPECT_EQ(TextFile::decode(little), cue);
    EXPECT_EQ(TextFile::decode(big), cue);

    // One stray byte among valid sequences: UTF-8, the stray byte replaced and counted.
    TextFile::DecodeNotes notes;
    EXPECT_EQ(TextFile::decode("JOS\xC3\x89 \xFF", &notes),
              QString::fromUtf8("JOS\xC3\x89 \xEF\xBF\xBD"));
    EXPECT_EQ(notes.replacedBytes, 1);
    EXPECT_EQ(TextFile::decodeLines("\xC3\x89\xC3\x89\n\xE2\x82\n", {}, &notes),
              QString::fromUtf8("\xC3\x89\xC3\x89\n\xEF\xBF\xBD\xEF\xBF\xBD").split('\n'));
    EXPECT_EQ(notes.replacedBytes, 2);
    // More stray bytes than sequences: Latin-1, with nothing replaced.
    notes = {};
    EXPECT_EQ(TextFile::decode("\xC3\x89 \xE9\xE8", &notes),
              QString::fromUtf8("\xC3\x83\xC2\x89 \xC3\xA9\xC3\xA8"));
    EXPECT_EQ(notes.replacedBytes, 0);
}

TEST(TextFile, SplitLines_CrLfAndCrlfEachEndOneLine)
{
    EXPECT_EQ(TextFile::splitLines("a\rb\r\nc\n\rd\r\r\ne\r"),
              (QStringList{"a", "b", "c", "", "d", "", "e"}));
    EXPECT_EQ(TextFile::splitLines("\n"), QStringList{""});
    EXPECT_TRUE(TextFile::splitLines("").isEmpty());
}

TEST(TextFile, DecodeLines_LargeTextsGiveTheLinesOfTheWholeText)
{
    // Over 4 MB, so the text is decoded in more than one piece; the line ends vary so that
    // some piece ends next to a "\r\n" or a lone "\r".
    QByteArray utf8;
    for (int i = 0; utf8.size() < 9 * 1024 * 1024; ++i)
        utf8 += QByteArray("caf\xC3\xA9 ANNA ") + QByteArray::number(i) +
                (i % 3 == 0   ? "\r\n"
                 : i % 3 == 1 ? "\n"
                              : "\r");
    const QByteArray latin1 = utf8 + "\xE9";                    // one stray byte: all Latin-1
    const QByteArray marked = "\xEF\xBB\xBF" + utf8 + "\n\xE2"; // a cut-off sequence at the end
    for (const QByteArray &bytes : {utf8, latin1, marked}) {
        const QStringList whole = TextFile::splitLines(TextFile::decode(bytes));
        EXPECT_EQ(TextFile::decodeLines(bytes), whole);
    }
    EXPECT_EQ(TextFile::decodeLines("\xEF\xBB\xBF"), QStringList());
    EXPECT_EQ(TextFile::decodeLines("a\n\xEF\xBB\xBF"), (QStringList{"a", QString(QChar(0xFEFF))}));
}

TEST(TextFile, ReadLines_OnlyRegularFilesAreRead)
{
    ScratchDir dir;
    const QString fifo = dir.file("pipe.txt");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QString reason;
    // Opening the pipe would wait for a writer for ever.
    EXPECT_FALSE(TextFile::readLines(fifo, &reason).has_value());
    EXPECT_EQ(reason, "is a named pipe (FIFO), not a regular file");
    EXPECT_FALSE(TextFile::readLines(dir.path(), &reason).has_value());
    EXPECT_EQ(reason, "is a folder, not a file");
    EXPECT_FALSE(TextFile::readLines("/dev/zero", &reason).has_value());
    EXPECT_EQ(reason, "is a device, not a regular file");
}

TEST(TextFile, ReadBytes_FileOverTheLimitIsRefusedWithItsSize)
{
    ScratchDir dir;
    QFile file(dir.file("huge.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(300 * 1024 * 1024)); // sparse: nothing is written
    QString reason;
    EXPECT_FALSE(TextFile::readBytes(file.fileName(), &reason).has_value());
    EXPECT_EQ(reason, "is 300 MB; files over 256 MB are not read");
}

TEST(TextFile, ReadSettingsLines_ReportsUnreadableFilesButNotMissingOnes)
{
    ScratchDir dir;
    QDir(dir.path()).mkdir("config.txt");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(TextFile::readSettingsLines(dir.file("colors.txt")).has_value());
    EXPECT_FALSE(TextFile::readSettingsLines(dir.file("config.txt")).has_value());
    const QString expected =
        dir.file("config.txt") + " is a folder, not a file; going on without it\n";
    // One line, after the program's name when an earlier test of this process has set one.
    const QString printed = QString::fromStdString(testing::internal::GetCapturedStderr());
    EXPECT_TRUE(printed.endsWith(expected)) << printed.toStdString();
    EXPECT_EQ(printed.count(QLatin1Char('\n')), 1);
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

TEST(TextFile, WriteText_ReplacesALinkItselfAndKeepsAFilesMode)
{
    ScratchDir dir;
    const QString target = dir.write("target.txt", "precious\n");
    const QString link = dir.file("out.csv");
    ASSERT_TRUE(QFile::link(target, link));
    ASSERT_TRUE(TextFile::writeText(link, "new\n"));
    EXPECT_FALSE(QFileInfo(link).isSymLink());
    EXPECT_EQ(readBytes(link), QByteArray("new\n"));
    EXPECT_EQ(readBytes(target), QByteArray("precious\n"));

    const auto mode = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(target, mode));
    ASSERT_TRUE(TextFile::writeText(target, "again\n"));
    EXPECT_EQ(QFile::permissions(target) & 0x7077, mode); // owner, group, others
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2); // no leftovers
}

// The streamed form replaces the file only on commit; dropped or failing, it leaves the old one.
TEST(TextFile, AtomicWriter_ReplacesOnlyOnCommit)
{
    ScratchDir dir;
    const QString path = dir.write("markup.html", "old\n");
    {
        TextFile::AtomicWriter writer;
        ASSERT_TRUE(writer.open(path));
        writer.append("dropped");
    }
    EXPECT_EQ(readBytes(path), QByteArray("old\n"));
    TextFile::AtomicWriter writer;
    ASSERT_TRUE(writer.open(path));
    writer.append("new ");
    writer.append("content\n");
    EXPECT_EQ(readBytes(path), QByteArray("old\n"));
    ASSERT_TRUE(writer.commit());
    EXPECT_EQ(readBytes(path), QByteArray("new content\n"));
    QString reason;
    EXPECT_FALSE(writer.commit(&reason)); // once only
    EXPECT_FALSE(writer.open(dir.path(), &reason));
    EXPECT_EQ(reason, "is a folder, not a file");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1); // no leftovers
}

TEST(TextFile, WriteText_FullDiskKeepsTheOldFileAndSaysWhy)
{
    const FullFileSystem disk;
    if (!disk.skipReason().isEmpty())
        GTEST_SKIP() << disk.skipReason().toStdString();
    const QString path = disk.writeThenFill("scene.csv", "old\n");
    QString reason;
    EXPECT_FALSE(TextFile::writeText(path, "new content\n", &reason));
    EXPECT_EQ(reason, "No space left on device");
    EXPECT_EQ(readBytes(path), QByteArray("old\n"));
    EXPECT_EQ(QDir(QFileInfo(path).path()).entryList(QDir::Files | QDir::Hidden).size(), 2);

    // Pieces that run out of room part-way: later pieces are dropped and the commit fails.
    TextFile::AtomicWriter writer;
    ASSERT_TRUE(writer.open(path));
    for (int piece = 0; piece < 64; ++piece)
        writer.append(QByteArray(64 * 1024, 'x'));
    reason.clear();
    EXPECT_FALSE(writer.commit(&reason));
    EXPECT_EQ(reason, "No space left on device");
    EXPECT_EQ(readBytes(path), QByteArray("old\n"));
    EXPECT_EQ(QDir(QFileInfo(path).path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}
