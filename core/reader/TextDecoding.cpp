#include "reader/TextDecoding.h"

#include <algorithm>
#include <cstring>

namespace TextDecoding {

namespace {

// The length of the valid UTF-8 sequence at p (1 for ASCII), or 0 when p starts none: an
// overlong form, a surrogate, a code point past U+10FFFF or a sequence cut off by the end.
int sequenceLength(const uchar *p, qint64 left)
{
    const uchar lead = p[0];
    if (lead < 0x80)
        return 1;
    int length = 0;
    uchar low = 0x80;
    uchar high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : low;   // overlong below U+0800
        high = lead == 0xED ? 0x9F : high; // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : low;   // overlong below U+10000
        high = lead == 0xF4 ? 0x8F : high; // past U+10FFFF
    } else {
        return 0;
    }
    if (left < length || p[1] < low || p[1] > high)
        return 0;
    for (int k = 2; k < length; ++k) {
        if (p[k] < 0x80 || p[k] > 0xBF)
            return 0;
    }
    return length;
}

// The index of the first byte at or after i that is not ASCII, eight bytes at a time.
qint64 skipAscii(const uchar *p, qint64 i, qint64 size)
{
    constexpr quint64 highBits = 0x8080808080808080ULL;
    while (i + 8 <= size) {
        quint64 word;
        std::memcpy(&word, p + i, sizeof word);
        if ((word & highBits) != 0)
            break;
        i += 8;
    }
    while (i < size && p[i] < 0x80)
        ++i;
    return i;
}

char32_t codePoint(const uchar *p, int length)
{
    switch (length) {
    case 2:
        return char32_t(p[0] & 0x1F) << 6 | (p[1] & 0x3F);
    case 3:
        return char32_t(p[0] & 0x0F) << 12 | char32_t(p[1] & 0x3F) << 6 | (p[2] & 0x3F);
    default:
        return char32_t(p[0] & 0x07) << 18 | char32_t(p[1] & 0x3F) << 12 |
               char32_t(p[2] & 0x3F) << 6 | (p[3] & 0x3F);
    }
}

// Writes the code point as one or two UTF-16 units; U+FFFD for one that is no character.
QChar *appendCodePoint(QChar *out, char32_t code)
{
    if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        code = QChar::ReplacementCharacter;
    if (code < 0x10000) {
        *out++ = QChar(ushort(code));
        return out;
    }
    *out++ = QChar(QChar::highSurrogate(code));
    *out++ = QChar(QChar::lowSurrogate(code));
    return out;
}

// UTF-16 is recognised without a mark when, over the first bytes, at least half the units
// have a NUL in one byte and hardly any in the other: text in a Latin script, as screenplays
// are.
constexpr int unmarkedSampleBytes = 4096;

std::optional<Encoding> unmarkedUtf16(const QByteArray &bytes)
{
    const int pairs = int(std::min<qsizetype>(bytes.size(), unmarkedSampleBytes) / 2);
    int evenNuls = 0;
    int oddNuls = 0;
    for (int k = 0; k < pairs; ++k) {
        evenNuls += bytes.at(2 * k) == '\0';
        oddNuls += bytes.at(2 * k + 1) == '\0';
    }
    if (pairs == 0)
        return std::nullopt;
    if (oddNuls * 2 >= pairs && evenNuls * 10 <= pairs)
        return Encoding::Utf16LE;
    if (evenNuls * 2 >= pairs && oddNuls * 10 <= pairs)
        return Encoding::Utf16BE;
    return std::nullopt;
}

char32_t unitAt(const uchar *p, int width, bool bigEndian)
{
    char32_t unit = 0;
    for (int k = 0; k < width; ++k)
        unit |= char32_t(p[bigEndian ? k : width - 1 - k]) << (8 * (width - 1 - k));
    return unit;
}

} // namespace

std::optional<UnicodeForm> unicodeForm(const QByteArray &bytes)
{
    struct Mark
    {
        QByteArray bytes;
        Encoding encoding;
    };
    // UTF-32 LE first: its mark begins with the UTF-16 LE one.
    static const Mark marks[] = {{QByteArray("\xFF\xFE\0\0", 4), Encoding::Utf32LE},
                                 {QByteArray("\0\0\xFE\xFF", 4), Encoding::Utf32BE},
                                 {QByteArray("\xFF\xFE"), Encoding::Utf16LE},
                                 {QByteArray("\xFE\xFF"), Encoding::Utf16BE},
                                 {QByteArray("\xEF\xBB\xBF"), Encoding::Utf8}};
    for (const Mark &mark : marks) {
        if (bytes.startsWith(mark.bytes))
            return UnicodeForm{mark.encoding, int(mark.bytes.size())};
    }
    if (const std::optional<Encoding> utf16 = unmarkedUtf16(bytes))
        return UnicodeForm{*utf16, 0};
    return std::nullopt;
}

void Utf8Scan::add(const char *data, qint64 size)
{
    const auto *p = reinterpret_cast<const uchar *>(data);
    qint64 i = 0;
    while ((i = skipAscii(p, i, size)) < size) {
        const int length = sequenceLength(p + i, size - i);
        if (length == 0) {
            ++invalidBytes;
            ++i;
        } else {
            ++sequences;
            i += length;
        }
    }
}

QString fromUtf8(const char *data, int size)
{
    Utf8Scan scan;
    scan.add(data, size);
    if (scan.invalidBytes == 0)
        return QString::fromUtf8(data, size);
    const auto *p = reinterpret_cast<const uchar *>(data);
    // Never more units than bytes: a four-byte sequence makes two.
    QString text(size, Qt::Uninitialized);
    QChar *out = text.data();
    for (int i = 0; i < size;) {
        const int length = sequenceLength(p + i, size - i);
        if (length == 1)
            *out++ = QChar(ushort(p[i]));
        else
            out = appendCodePoint(out, length == 0 ? char32_t(QChar::ReplacementCharacter)
                                                   : codePoint(p + i, length));
        i += std::max(length, 1);
    }
    text.resize(int(out - text.constData()));
    return text;
}

QString fromUnicodeForm(const QByteArray &bytes, Encoding encoding, int skip)
{
    const bool wide = encoding == Encoding::Utf32LE || encoding == Encoding::Utf32BE;
    const bool bigEndian = encoding == Encoding::Utf16BE || encoding == Encoding::Utf32BE;
    const int width = wide ? 4 : 2;
    const auto *p = reinterpret_cast<const uchar *>(bytes.constData());
    const int units = (bytes.size() - skip) / width;
    const bool cutOff = (bytes.size() - skip) % width != 0;
    // A UTF-32 unit may make two UTF-16 ones; a UTF-16 unit never makes more than one.
    QString text((wide ? units * 2 : units) + 1, Qt::Uninitialized);
    QChar *out = text.data();
    for (int k = 0; k < units; ++k) {
        char32_t unit = unitAt(p + skip + k * width, width, bigEndian);
        // A UTF-16 high surrogate followed by a low one is one code point; alone, it is none.
        if (!wide && QChar::isHighSurrogate(unit) && k + 1 < units) {
            const char32_t next = unitAt(p + skip + (k + 1) * width, width, bigEndian);
            if (QChar::isLowSurrogate(next)) {
                unit = QChar::surrogateToUcs4(ushort(unit), ushort(next));
                ++k;
            }
        }
        out = appendCodePoint(out, unit);
    }
    if (cutOff)
        *out++ = QChar(QChar::ReplacementCharacter);
    text.resize(int(out - text.constData()));
    return text;
}

void blankNuls(QString &text)
{
    if (text.contains(QChar(0)))
        text.replace(QChar(0), QLatin1Char(' '));
}

} // namespace TextDecoding
