#include "scenes/SavedMarkup.h"

#include "app/DocumentModel.h"
#include "reader/TextFile.h"
#include "scenes/MarkupStyles.h"

QString savedMarkupText(const DocumentModel &document)
{
    QString text = QStringLiteral("<head><style type='text/css'>");
    // Before the first parse there is no index: only the heading rule, then the (empty)
    // markup.
    if (document.timeIndex) {
        for (const CharacterPtr &character : document.timeIndex->characters) {
            text += characterSelector(*character);
            text += QLatin1String("{ color: ");
            text += character->color.name();
            text += QLatin1String(" } ");
        }
    }
    text += QStringLiteral("span.") + document.breakStringClass;
    text += QLatin1String("{ color: purple; font-weight: bold; font-style: italic;}");
    text += QLatin1String("</style></head>");
    text += document.markupHtml;
    return text;
}

bool saveMarkup(const QString &path, const DocumentModel &document)
{
    return TextFile::writeText(path, savedMarkupText(document));
}
