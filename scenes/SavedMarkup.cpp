#include "scenes/SavedMarkup.h"

#include "reader/TextFile.h"
#include "scenes/MarkupStyles.h"
#include "scenes/TimeIndexVector.h"

QString savedMarkupText(const TimeIndexVector *index, const QString &breakStringClass,
                        const QString &markupHtml)
{
    QString text = QStringLiteral("<head><style type='text/css'>");
    // Before the first parse there is no index: only the heading rule, then the (empty)
    // markup.
    if (index != nullptr) {
        for (const CharacterPtr &character : index->characters) {
            text += characterSelector(*character);
            text += QLatin1String("{ color: ");
            text += character->color.name();
            text += QLatin1String(" } ");
        }
    }
    text += QStringLiteral("span.") + breakStringClass;
    text += QLatin1String("{ color: purple; font-weight: bold; font-style: italic;}");
    text += QLatin1String("</style></head>");
    text += markupHtml;
    return text;
}

bool saveMarkup(const QString &path, const TimeIndexVector *index, const QString &breakStringClass,
                const QString &markupHtml, QString *reason)
{
    return TextFile::writeText(path, savedMarkupText(index, breakStringClass, markupHtml), reason);
}
