#include "characters/ColorComponents.h"

#include <algorithm>

namespace {

int colorComponent(const QString &text, QStringList &problems)
{
    bool isNumber = false;
    const qint64 number = text.toLongLong(&isNumber, 10);
    const int component = isNumber ? int(std::clamp<qint64>(number, 0, 255)) : 0;
    if (!isNumber || component != number)
        problems.append(QStringLiteral("colour component \"%1\" is not a number from 0 to 255; "
                                       "read as %2")
                            .arg(text)
                            .arg(component));
    return component;
}

} // namespace

QColor colorFromComponents(const QStringList &components, QStringList &problems)
{
    const int red = colorComponent(components.at(0), problems);
    const int green = colorComponent(components.at(1), problems);
    const int blue = colorComponent(components.at(2), problems);
    return QColor(red, green, blue, 255);
}
