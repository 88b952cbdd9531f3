#include "scenes/PresenceMatrix.h"

#include "scenes/CsvField.h"
#include "scenes/ResearchName.h"
#include "scenes/TimeIndexVector.h"

QString presenceMatrixCsv(const TimeIndexVector &index)
{
    const QChar comma(QLatin1Char(','));
    QString text = QStringLiteral("character");
    for (size_t scene = 0; scene < index.scenes.size(); ++scene)
        text += comma + QString::number(scene);
    text += QLatin1Char('\n');
    for (size_t k = 0; k < index.characters.size(); ++k) {
        text += csvField(researchName(*index.characters[k]));
        for (const Scene &scene : index.scenes) {
            const int position = static_cast<int>(k);
            text += comma;
            text += QString::number(position < scene.counts.size() ? scene.counts.at(position) : 0);
        }
        text += QLatin1Char('\n');
    }
    return text;
}
