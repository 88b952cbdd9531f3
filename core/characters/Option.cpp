#include "characters/Option.h"

#include <QVariant>

Option::Option(const QString &name, qint32 *member)
    : name(name)
    , intValue(member)
{
}

Option::Option(const QString &name, bool *member)
    : name(name)
    , boolValue(member)
{
}

bool Option::readToken(const QStringList &tokens, int i, QString *problem)
{
    // A key with blanks in it spans several tokens; its value is the token after the last.
    const QStringList keyWords = name.split(QLatin1Char(' '));
    if (i < 0 || i + keyWords.size() > tokens.size())
        return false;
    for (int k = 0; k < keyWords.size(); ++k) {
        if (tokens.at(i + k).compare(keyWords.at(k), Qt::CaseInsensitive) != 0)
            return false;
    }
    const int valueAt = i + keyWords.size();
    const QString kept = QStringLiteral("; %1 stays %2").arg(name, valueText());
    if (valueAt >= tokens.size()) {
        if (problem != nullptr)
            *problem = QStringLiteral("%1 has no value").arg(name) + kept;
        return true;
    }
    const QString &value = tokens.at(valueAt);
    if (boolValue != nullptr) {
        if (value.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
            *boolValue = true;
        else if (value.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
            *boolValue = false;
        else if (problem != nullptr)
            *problem = QStringLiteral("\"%1\" is not True or False").arg(value) + kept;
    } else if (intValue != nullptr) {
        bool isNumber = false;
        const qint64 number = value.toLongLong(&isNumber, 10);
        if (isNumber && number >= minimum && number <= maximum)
            *intValue = qint32(number);
        else if (problem != nullptr)
            *problem = QStringLiteral("\"%1\" is not a whole number from %2 to %3")
                           .arg(value)
                           .arg(minimum)
                           .arg(maximum) +
                       kept;
    }
    return true;
}

QString Option::configLine()
{
    if (valueWidget != nullptr) {
        if (boolValue != nullptr) {
            const QVariant checked = valueWidget->property("checked");
            if (checked.isValid())
                *boolValue = checked.toBool();
        } else if (intValue != nullptr) {
            const QVariant value = valueWidget->property("value");
            if (value.isValid())
                *intValue = value.toInt();
        }
    }
    return name + QLatin1Char(' ') + valueText() + QLatin1Char('\n');
}

QString Option::valueText() const
{
    if (boolValue != nullptr)
        return *boolValue ? QStringLiteral("True") : QStringLiteral("False");
    if (intValue != nullptr)
        return QString::number(*intValue);
    return QString();
}
