#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The byte-level rules by which TextFile turns bytes into text, without a codec library: UTF-8,
// Latin-1, and UTF-16 and UTF-32 in either byte order.
namespace TextDecoding {

enum class Encoding { Utf8, Latin1, Utf16LE, Utf16BE, Utf32LE, Utf32BE };

// A Unicode form the bytes announce: by a byte-order mark (`markBytes` long, to be skipped),
// or, for UTF-16 without a mark, by the NUL byte that every other byte of mostly Latin text is.
struct UnicodeForm
{
    Encoding encoding = Encoding::Utf8;
    int markBytes = 0;
};
std::optional<UnicodeForm> unicodeForm(const QByteArray &bytes);

// How well bytes read as UTF-8, added up over pieces that end after a line feed (so no
// sequence is ever cut between two pieces).
struct Utf8Scan
{
    qint64 sequences = 0;    // valid sequences of two to four bytes
    qint64 invalidBytes = 0; // bytes that start no valid sequence, a cut-off end included

    void add(const char *data, qint64 size);
    // Valid UTF-8, or UTF-8 with a few stray bytes: at least as many valid multi-byte
    // sequences as bad bytes. Text with bad bytes and hardly any sequence is Latin-1.
    bool readsAsUtf8() const { return invalidBytes == 0 || sequences >= invalidBytes; }
};

// UTF-8 with every byte that starts no valid sequence read as U+FFFD.
QString fromUtf8(const char *data, int size);

// UTF-16 or UTF-32 from `skip` on; a cut-off last unit or a code point that is none reads as
// U+FFFD.
QString fromUnicodeForm(const QByteArray &bytes, Encoding encoding, int skip);

// NUL characters become blanks: a NUL would end the name it stands in for other programs, and
// split it for this one.
void blankNuls(QString &text);

} // namespace TextDecoding
