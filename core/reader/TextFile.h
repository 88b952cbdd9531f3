#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QString>
#include <QStringList>

#include "support/StageProgress.h"

#include <optional>

#include <sys/types.h>

// Every file the program reads or writes goes through here, so that encoding and
// replacement rules are the same for screenplays, settings, lists and exports.
namespace TextFile {

// Larger files are refused before they are read: the text and its lines take several times
// the file's size in memory.
constexpr qint64 maxReadBytes = qint64(256) * 1024 * 1024;

// What decoding changed that the user should hear of.
struct DecodeNotes
{
    qint64 replacedBytes = 0; // bytes that were not UTF-8 in UTF-8 text, each now U+FFFD
};

// Decodes every byte. A byte-order mark selects UTF-8, UTF-16 or UTF-32 (either byte order) and
// is dropped; without one, UTF-16 is known by its NUL bytes, and bytes that read as UTF-8 (with
// at most as many stray bytes as valid multi-byte sequences, each stray byte then U+FFFD) are
// UTF-8, and any other bytes are Latin-1. NUL characters become blanks.
QString decode(const QByteArray &bytes, DecodeNotes *notes = nullptr);

// The warning for DecodeNotes::replacedBytes, in words that follow the file name and ": ".
QString replacedBytesWarning(qint64 replacedBytes);

// Latin-1 when every character fits, UTF-8 otherwise, so no name is ever written as "?".
QByteArray encode(const QString &text);

// The lines of a text without their terminators: "\r\n", "\n" and a lone "\r" each end a
// line, and a final line end does not make an extra empty line.
QStringList splitLines(const QString &text);

// splitLines(decode(bytes)), without ever holding the whole decoded text. `progress` is told
// the thousandths of the bytes decoded; once it is cancelled, the lines decoded so far are
// returned.
QStringList decodeLines(const QByteArray &bytes, const StageProgress &progress = {},
                        DecodeNotes *notes = nullptr);

// Why a read that its progress cancelled gave nothing.
QString stoppedReason();

// The whole content of a regular file of at most maxReadBytes. A folder, a named pipe, a
// device or a larger file is refused without being read (a pipe would block). Empty when the
// file is not read; then `reason` (when given) says why, in words for the user. `progress` is
// told the thousandths of the file read, and may cancel the read (the reason is then
// stoppedReason()).
std::optional<QByteArray> readBytes(const QString &path, QString *reason = nullptr,
                                    const StageProgress &progress = {});

// readBytes, decoded and split into lines.
std::optional<QStringList> readLines(const QString &path, QString *reason = nullptr);

// The lines of a list the user gives: a file, a named pipe (as a shell's process substitution
// makes) or, for "-", standard input. Read to its end, so a pipe is meant to be read here.
std::optional<QStringList> readListLines(const QString &path, QString *reason = nullptr);

// readLines for the settings and list files. A missing file is the normal case and stays
// silent; a file that is there but cannot be read is reported on standard error, so that
// nobody mistakes the defaults the caller then keeps for the file's content.
std::optional<QStringList> readSettingsLines(const QString &path);

// Replaces the file with the bytes, atomically: a temporary file in the same folder is
// written, flushed to disk and then renamed over the name, so a failure (a full disk
// included) leaves the previous file as it was. A symbolic link at the name is replaced
// itself, never written through. False on failure; then `reason` (when given) says why.
bool writeBytes(const QString &path, const QByteArray &bytes, QString *reason = nullptr);
// writeBytes of the pieces one after the other, without joining them in memory first.
bool writeBytes(const QString &path, const QByteArrayList &pieces, QString *reason = nullptr);

// writeBytes for bytes that are made a piece at a time and are too many to hold at once: the
// pieces go straight to the temporary file, and only commit() puts it in the file's place.
// Destroyed or discarded before commit(), it leaves the previous file as it was.
class AtomicWriter
{
public:
    AtomicWriter() = default;
    ~AtomicWriter();
    AtomicWriter(const AtomicWriter &) = delete;
    AtomicWriter &operator=(const AtomicWriter &) = delete;

    // Makes the temporary file; false (with why) when the name cannot be replaced.
    bool open(const QString &path, QString *reason = nullptr);
    // The first failed write is kept for commit(), which then fails; later pieces are dropped.
    void append(const QByteArray &bytes);
    // Forces the pieces to disk and renames the temporary file over the name.
    bool commit(QString *reason = nullptr);
    void discard();
    bool isOpen() const { return m_fd >= 0; }

private:
    QByteArray m_name;
    QByteArray m_temporaryName;
    int m_fd = -1;
    int m_error = 0;                  // errno of the first failed append
    std::optional<mode_t> m_keptMode; // of the regular file the temporary one replaces
};

// writeBytes of the encoded text.
bool writeText(const QString &path, const QString &text, QString *reason = nullptr);

// How writeUnicodeText marks its files: spreadsheet programs only read a CSV file as UTF-8
// when it starts with a byte-order mark.
enum class ByteOrderMark { None, Written };

// writeBytes of the text as UTF-8 whatever it holds, as the usual CSV and JSON readers expect.
bool writeUnicodeText(const QString &path, const QString &text, ByteOrderMark mark,
                      QString *reason = nullptr);

} // namespace TextFile
