#include "scenes/SavedMarkup.h"

#include "reader/TextFile.h"
#include "scenes/MarkupStyles.h"
#include "scenes/TimeIndexVector.h"

QString savedMarkupStyle(const TimeIndexVector *index, const QString &breakStringClass)
{
    // Before the first parse there is no index: only the heading rule.
    return savedMarkupStyle(index != nullptr ? index->characters : CharacterList(),
                            breakStringClass);
}

QString savedMarkupStyle(const CharacterList &characters, const QString &breakStringClass)
{
    QString text = QStringLiteral("<head><meta charset='utf-8'><style type='text/css'>");
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
    return TextFile::writeBytes(
        path, QByteArrayList{savedMarkupStyle(index, breakStringClass).toUtf8(), markupHtml},
        reason);
}
