#include "scenes/SavedMarkup.h"

#include "reader/TextFile.h"
#include "scenes/MarkupStyles.h"
#include "scenes/TimeIndexVector.h"

#include <algorithm>

namespace {

bool isAscii(const QByteArray &bytes)
{
    return std::all_of(bytes.begin(), bytes.end(),
                       [](const char byte) { return static_cast<unsigned char>(byte) < 0x80; });
}

// UTF-8 sequences of characters above U+00FF start with a byte of 0xC4 or more.
bool hasCharacterBeyondLatin1(const QByteArray &utf8)
{
    return std::any_of(utf8.begin(), utf8.end(),
                       [](const char byte) { return static_cast<unsigned char>(byte) >= 0xC4; });
}

bool hasCharacterBeyondLatin1(const QString &text)
{
    return std::any_of(text.begin(), text.end(), [](const QChar c) { return c.unicode() > 0xFF; });
}

} // namespace

QString savedMarkupStyle(const TimeIndexVector *index, const QString &breakStringClass)
{
    // Before the first parse there is no index: only the heading rule.
    return savedMarkupStyle(index != nullptr ? index->characters : CharacterList(),
                            breakStringClass);
}

QString savedMarkupStyle(const CharacterList &characters, const QString &breakStringClass)
{
    QString text = QStringLiteral("<head><style type='text/css'>");
    for (const CharacterPtr &character : characters) {
        text += characterSelector(*character);
        text += QLatin1String("{ color: ");
        text += character->color.name();
        text += QLatin1String(" } ");
    }
    text += QStringLiteral("span.") + breakStringClass;
    text += QLatin1String("{ color: purple; font-weight: bold; font-style: italic;}");
    text += QLatin1String("</style></head>");
    return text;
}

QString savedMarkupText(const TimeIndexVector *index, const QString &breakStringClass,
                        const QByteArray &markupHtml)
{
    return savedMarkupStyle(index, breakStringClass) + QString::fromUtf8(markupHtml);
}

bool saveMarkup(const QString &path, const TimeIndexVector *index, const QString &breakStringClass,
                const QByteArray &markupHtml, QString *reason)
{
    const QString style = savedMarkupStyle(index, breakStringClass);
    if (hasCharacterBeyondLatin1(style) || hasCharacterBeyondLatin1(markupHtml))
        return TextFile::writeBytes(path, QByteArrayList{style.toUtf8(), markupHtml}, reason);
    // ASCII is the same in Latin-1; other Latin-1 characters take one byte instead of two.
    const QByteArray markup =
        isAscii(markupHtml) ? markupHtml : QString::fromUtf8(markupHtml).toLatin1();
    return TextFile::writeBytes(path, QByteArrayList{style.toLatin1(), markup}, reason);
}
