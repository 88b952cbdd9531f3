#include "scenes/MarkupStyles.h"

#include "characters/Character.h"
#include "scenes/HtmlSanitizer.h"
#include "scenes/TimeIndexVector.h"

namespace {

bool isAsciiDigit(ushort code)
{
    return code >= '0' && code <= '9';
}

bool isPlainIdentifierCharacter(ushort code)
{
    return code >= 0x80 || code == '-' || code == '_' || isAsciiDigit(code) ||
           (code >= 'a' && code <= 'z') || (code >= 'A' && code <= 'Z');
}

void appendHexEscape(QString &out, ushort code)
{
    // The trailing blank ends the escape, so a following hex digit is not swallowed.
    out += QLatin1Char('\\');
    out += QString::number(code, 16);
    out += QLatin1Char(' ');
}

// A CSS identifier that matches exactly the given class name, whatever it holds.
QString cssIdentifier(const QString &name)
{
    QString out;
    out.reserve(name.size() + 8);
    for (int i = 0; i < name.size(); ++i) {
        const ushort code = name.at(i).unicode();
        if (code == 0) {
            out += QChar(0xFFFD);
        } else if (code < 0x20 || code == 0x7F) {
            appendHexEscape(out, code);
        } else if (isAsciiDigit(code) && (i == 0 || (i == 1 && name.at(0) == QLatin1Char('-')))) {
            appendHexEscape(out, code);
        } else if (i == 0 && code == '-' && name.size() == 1) {
            out += QLatin1String("\\-");
        } else if (isPlainIdentifierCharacter(code)) {
            out += name.at(i);
        } else {
            out += QLatin1Char('\\');
            out += name.at(i);
        }
    }
    return out;
}

} // namespace

QString characterClassAttribute(const Character &character)
{
    return escapeHtml(character.characterClass());
}

QString characterSelector(const Character &character)
{
    return QStringLiteral("span.") + cssIdentifier(character.characterClass());
}

std::vector<ElementStyle> markupElementStyles(const TimeIndexVector *index,
                                              const QString &breakStringClass)
{
    std::vector<ElementStyle> styles;
    if (index == nullptr)
        return styles;
    const QString bold = QStringLiteral("bold");
    for (const CharacterPtr &character : index->characters) {
        styles.push_back(ElementStyle{characterSelector(*character),
                                      {{QStringLiteral("color"), character->color.name()},
                                       {QStringLiteral("font-weight"), bold}},
                                      character->characterClass()});
    }
    styles.push_back(ElementStyle{QStringLiteral("span.") + breakStringClass,
                                  {{QStringLiteral("color"), QStringLiteral("purple")},
                                   {QStringLiteral("font-weight"), bold},
                                   {QStringLiteral("font-style"), QStringLiteral("italic")}},
                                  breakStringClass});
    return styles;
}

QString sceneBackground(const QColor &even, const QColor &odd, int sceneNumber)
{
    const QColor &color = sceneNumber % 2 == 0 ? even : odd;
    return color.name();
}
