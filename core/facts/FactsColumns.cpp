#include "facts/FactsColumns.h"

#include "facts/LocationsCsv.h"
#include "facts/ScriptFacts.h"
#include "scenes/CsvField.h"

namespace {

int scenesWith(const std::vector<FactShare> &shares, const QString &value)
{
    for (const FactShare &share : shares) {
        if (share.value == value)
            return share.scenes;
    }
    return 0;
}

// Scenes with a time of day other than DAY and NIGHT.
int scenesAtOtherTimes(const std::vector<FactShare> &times)
{
    int scenes = 0;
    for (const FactShare &share : times) {
        if (!share.value.isEmpty() && share.value != QLatin1String("DAY") &&
            share.value != QLatin1String("NIGHT"))
            scenes += share.scenes;
    }
    return scenes;
}

QString decimal(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

// The three locations with most scenes: "HALL (4); YARD (2)".
QString topLocations(const ScriptFacts &facts)
{
    QStringList parts;
    for (size_t i = 0; i < facts.locations.size() && i < 3; ++i)
        parts.append(
            QStringLiteral("%1 (%2)").arg(facts.locations[i].name).arg(facts.locations[i].scenes));
    return parts.join(QStringLiteral("; "));
}

QString maximumDegreeNames(const ScriptFacts &facts)
{
    QStringList names;
    for (const int position : facts.script.network.maximumDegreeNodes)
        names.append(facts.characters[static_cast<size_t>(position)].name);
    return names.join(QStringLiteral("; "));
}

QStringList networkFields(const ScriptFacts &facts)
{
    const NetworkMeasures &network = facts.script.network;
    const auto measured = [](bool known, const QString &value) {
        return known ? value : QString();
    };
    return {QString::number(network.nodes),
            QString::number(network.edges),
            decimal(network.density, 4),
            decimal(network.averageDegree, 4),
            QString::number(network.maximumDegree),
            csvField(maximumDegreeNames(facts)),
            measured(network.clusteringMeasured, decimal(network.averageClustering, 4)),
            QString::number(network.components),
            measured(network.pathsMeasured, QString::number(network.diameter)),
            measured(network.pathsMeasured, decimal(network.averagePathLength, 4))};
}

} // namespace

QStringList factsColumnNames()
{
    return {QStringLiteral("script pages"),
            QStringLiteral("script scenes"),
            QStringLiteral("speaking characters"),
            QStringLiteral("speeches"),
            QStringLiteral("dialogue share"),
            QStringLiteral("running minutes"),
            QStringLiteral("INT scenes"),
            QStringLiteral("EXT scenes"),
            QStringLiteral("INT/EXT scenes"),
            QStringLiteral("DAY scenes"),
            QStringLiteral("NIGHT scenes"),
            QStringLiteral("other time scenes"),
            QStringLiteral("top locations"),
            QStringLiteral("network nodes"),
            QStringLiteral("network edges"),
            QStringLiteral("density"),
            QStringLiteral("average degree"),
            QStringLiteral("max degree"),
            QStringLiteral("max degree characters"),
            QStringLiteral("average clustering"),
            QStringLiteral("components"),
            QStringLiteral("diameter"),
            QStringLiteral("average path length")};
}

QStringList factsColumnFields(const ScriptFacts &facts)
{
    const ScriptTotals &script = facts.script;
    QStringList fields{pagesText(script.eighths),
                       QString::number(script.scenes),
                       QString::number(script.speakingCharacters),
                       QString::number(script.speeches),
                       decimal(script.dialogueShare, 4),
                       decimal(script.runningMinutes, 1),
                       QString::number(scenesWith(script.interiors, QStringLiteral("INT"))),
                       QString::number(scenesWith(script.interiors, QStringLiteral("EXT"))),
                       QString::number(scenesWith(script.interiors, QStringLiteral("INT/EXT"))),
                       QString::number(scenesWith(script.times, QStringLiteral("DAY"))),
                       QString::number(scenesWith(script.times, QStringLiteral("NIGHT"))),
                       QString::number(scenesAtOtherTimes(script.times)),
                       csvField(topLocations(facts))};
    return fields + networkFields(facts);
}
