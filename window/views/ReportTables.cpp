#include "views/ReportTables.h"

#include "facts/ScriptFacts.h"

#include <QCoreApplication>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("Report", text);
}

QString percent(double share)
{
    return QString::number(share * 100.0, 'f', 1) + QLatin1Char('%');
}

QString minutesAndSeconds(double seconds)
{
    const int whole = qRound(seconds);
    return QStringLiteral("%1:%2").arg(whole / 60).arg(whole % 60, 2, 10, QLatin1Char('0'));
}

ReportCell number(int value)
{
    return {QString::number(value), value};
}

ReportCell sceneNumber(int value)
{
    return value < 0 ? ReportCell{QString(), -1} : number(value);
}

QString sharesText(const std::vector<FactShare> &shares)
{
    QStringList parts;
    for (const FactShare &share : shares)
        parts.append(QStringLiteral("%1 %2")
                         .arg(share.value.isEmpty() ? tr("none") : share.value)
                         .arg(share.scenes));
    return parts.join(QStringLiteral(", "));
}

QString networkText(const NetworkMeasures &network)
{
    QString text = tr("%1 characters, %2 links, density %3, %4 component(s)")
                       .arg(network.nodes)
                       .arg(network.edges)
                       .arg(network.density, 0, 'f', 2)
                       .arg(network.components);
    if (network.pathsMeasured)
        text += tr(", diameter %1, average path %2")
                    .arg(network.diameter)
                    .arg(network.averagePathLength, 0, 'f', 2);
    if (network.clusteringMeasured)
        text += tr(", clustering %1").arg(network.averageClustering, 0, 'f', 2);
    return text;
}

QString mostConnected(const ScriptFacts &facts)
{
    QStringList names;
    for (const int position : facts.script.network.maximumDegreeNodes)
        names.append(facts.characters[size_t(position)].name);
    if (names.isEmpty())
        return tr("nobody meets anybody");
    return tr("%1 (%2 others)")
        .arg(names.join(QStringLiteral(", ")))
        .arg(facts.script.network.maximumDegree);
}

} // namespace

QString eighthsText(int eighths)
{
    const int pages = eighths / 8;
    const int rest = eighths % 8;
    if (rest == 0)
        return QString::number(pages);
    const QString fraction = QStringLiteral("%1/8").arg(rest);
    return pages == 0 ? fraction : QStringLiteral("%1 %2").arg(pages).arg(fraction);
}

QList<QPair<QString, QString>> scriptFactRows(const ScriptFacts &facts, const QString &fileName)
{
    const ScriptTotals &script = facts.script;
    QStringList top;
    for (size_t i = 0; i < facts.locations.size() && i < 3; ++i)
        top.append(
            QStringLiteral("%1 (%2)").arg(facts.locations[i].name).arg(facts.locations[i].scenes));
    return {
        {tr("Screenplay"), fileName},
        {tr("Pages"), tr("%1, about %2 minutes")
                          .arg(eighthsText(script.eighths))
                          .arg(qRound(script.runningMinutes))},
        {tr("Scenes"), QString::number(script.scenes)},
        {tr("Characters"),
         tr("%1, %2 of them speaking").arg(script.characters).arg(script.speakingCharacters)},
        {tr("Speeches"),
         tr("%1 (%2 dialogue words)").arg(script.speeches).arg(script.dialogueWords)},
        {tr("Dialogue"), tr("%1 of the lines (%2 dialogue, %3 action)")
                             .arg(percent(script.dialogueShare))
                             .arg(script.dialogueLines)
                             .arg(script.actionLines)},
        {tr("Interior / exterior"), sharesText(script.interiors)},
        {tr("Time of day"), sharesText(script.times)},
        {tr("Most used locations"), top.join(QStringLiteral(", "))},
        {tr("Co-presence"), networkText(script.network)},
        {tr("Most connected"), mostConnected(facts)},
    };
}

QStringList characterColumns()
{
    return {tr("Character"),     tr("Speeches"), tr("Dialogue lines"),  tr("Words"),
            tr("Speaking time"), tr("Share"),    tr("Scenes"),          tr("First scene"),
            tr("Last scene"),    tr("Degree"),   tr("Weighted degree"), tr("Betweenness"),
            tr("Locations")};
}

std::vector<ReportCell> characterCells(const CharacterFacts &character)
{
    const bool measured = character.betweenness >= 0.0;
    return {{character.name, character.name},
            number(character.speeches),
            number(character.dialogueLines),
            number(character.dialogueWords),
            {minutesAndSeconds(character.speakingSeconds), character.speakingSeconds},
            {percent(character.dialogueShare), character.dialogueShare},
            number(character.scenes),
            sceneNumber(character.firstScene),
            sceneNumber(character.lastScene),
            number(character.degree),
            number(character.weightedDegree),
            {measured ? QString::number(character.betweenness, 'f', 3) : QString(),
             character.betweenness},
            {character.locations.join(QStringLiteral(", ")), int(character.locations.size())}};
}

QStringList locationColumns()
{
    return {tr("Location"), tr("Scenes"), tr("Pages"), tr("Interiors"), tr("Times")};
}

std::vector<ReportCell> locationCells(const LocationFacts &location)
{
    return {{location.name, location.name},
            number(location.scenes),
            {eighthsText(location.eighths), location.eighths},
            {sharesText(location.interiors), int(location.interiors.size())},
            {sharesText(location.times), int(location.times.size())}};
}
