#include "document/SceneTitle.h"

#include "document/Analysis.h"

#include <QRegularExpression>

#include <cmath>

QString sceneTitle(const Analysis &analysis, int scene)
{
    if (!analysis.timeIndex || scene < 0 ||
        scene >= static_cast<int>(analysis.timeIndex->scenes.size()))
        return QString();
    const Scene &at = analysis.timeIndex->scenes[static_cast<size_t>(scene)];
    const int lines = analysis.textLines.size();
    if (analysis.sessionSteps && scene < lines) {
        QString step = analysis.textLines.at(scene);
        return step.replace(QLatin1Char('\t'), QLatin1String(" | ")).simplified();
    }
    // A typed screenplay's scenes start at a line: its index over the number of lines.
    const bool positionsAreLines =
        analysis.fileSuffix != QLatin1String("csv") && !analysis.sessionSteps;
    const int line = static_cast<int>(std::lround(double(at.start) * lines));
    if (!positionsAreLines || scene == 0 || line < 0 || line >= lines)
        return at.type;
    // The markup's tags are not part of the heading.
    QString heading = analysis.textLines.at(line);
    heading.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    return heading.simplified();
}
