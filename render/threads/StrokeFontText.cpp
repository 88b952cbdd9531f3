#include "threads/StrokeFontText.h"

#include <QString>
#include <QVector>

namespace {

// Characters without a canonical decomposition to ASCII, in their usual plain spelling.
const char *plainSpelling(char32_t c)
{
    switch (c) {
    case U'\u2018': // left and right single quotation marks, low and reversed ones, prime
    case U'\u2019':
    case U'\u201A':
    case U'\u201B':
    case U'\u2032':
    case U'\u00B4':
        return "'";
    case U'\u201C':
    case U'\u201D':
    case U'\u201E':
    case U'\u201F':
    case U'\u2033':
    case U'\u00AB':
    case U'\u00BB':
        return "\"";
    case U'\u2010': // hyphens, dashes and the minus sign
    case U'\u2011':
    case U'\u2012':
    case U'\u2013':
    case U'\u2014':
    case U'\u2212':
        return "-";
    case U'\u00A0': // no-break and narrow spaces
    case U'\u202F':
    case U'\u2009':
        return " ";
    case U'\u2026':
        return "...";
    case U'\u00DF':
        return "ss";
    case U'\u00E6':
        return "ae";
    case U'\u00C6':
        return "AE";
    case U'\u0153':
        return "oe";
    case U'\u0152':
        return "OE";
    case U'\u00F8':
        return "o";
    case U'\u00D8':
        return "O";
    case U'\u0142':
        return "l";
    case U'\u0141':
        return "L";
    case U'\u0111':
        return "d";
    case U'\u0110':
        return "D";
    default:
        return nullptr;
    }
}

bool isCombiningMark(char32_t c)
{
    const QChar::Category category = QChar::category(c);
    return category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining ||
           category == QChar::Mark_Enclosing;
}

} // namespace

QByteArray strokeFontText(const QString &text)
{
    QByteArray bytes;
    const QVector<uint> decomposed = text.normalized(QString::NormalizationForm_D).toUcs4();
    for (const uint code : decomposed) {
        const auto c = static_cast<char32_t>(code);
        if (c >= 0x20 && c < 0x7F)
            bytes.append(static_cast<char>(c));
        else if (const char *plain = plainSpelling(c))
            bytes.append(plain);
        else if (!isCombiningMark(c))
            bytes.append('?');
    }
    return bytes;
}
