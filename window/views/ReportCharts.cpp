#include "views/ReportCharts.h"

#include "facts/ScriptFacts.h"

#include <QCoreApplication>
#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QHorizontalBarSeries>
#include <QtCharts/QPieSeries>
#include <QtCharts/QStackedBarSeries>
#include <QtCharts/QValueAxis>

#include <algorithm>
#include <numeric>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("Report", text);
}

QChart *newChart(const QString &title)
{
    auto *chart = new QChart;
    chart->setTitle(title);
    QFont titleFont = chart->titleFont();
    titleFont.setBold(true);
    chart->setTitleFont(titleFont);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->setBackgroundRoundness(0);
    return chart;
}

QFont smallFont(const QChart *chart)
{
    QFont font = chart->font();
    font.setPointSizeF(std::max(7.0, font.pointSizeF() - 1.0));
    return font;
}

// A bar's name, shortened to `length` letters: the chart lets a longer one run out of its
// left edge rather than take the room from the bars.
QString barName(const QString &name, int length)
{
    return name.size() > length ? name.left(length - 1) + QChar(0x2026) : name;
}

// Horizontal bars, the first value at the top.
QChart *barChart(const QString &title, const QStringList &names, const QList<qreal> &values,
                 const QColor &color, const QString &valueTitle)
{
    QChart *chart = newChart(title);
    auto *set = new QBarSet(valueTitle);
    set->setColor(color);
    QStringList categories;
    for (qsizetype i = names.size() - 1; i >= 0; --i) {
        *set << values.at(i);
        categories << names.at(i);
    }
    auto *series = new QHorizontalBarSeries;
    series->append(set);
    chart->addSeries(series);
    auto *nameAxis = new QBarCategoryAxis;
    nameAxis->append(categories);
    // Names are what the chart is read by: shown whole, in a smaller font when many.
    nameAxis->setTruncateLabels(false);
    nameAxis->setLabelsFont(smallFont(chart));
    chart->addAxis(nameAxis, Qt::AlignLeft);
    series->attachAxis(nameAxis);
    auto *axis = new QValueAxis;
    axis->setTitleText(valueTitle);
    axis->setMin(0.0);
    const qreal largest = values.isEmpty() ? 0.0 : *std::max_element(values.begin(), values.end());
    axis->setMax(std::max(1.0, largest * 1.1));
    axis->applyNiceNumbers();
    axis->setLabelFormat(QStringLiteral("%g"));
    axis->setTruncateLabels(false);
    chart->addAxis(axis, Qt::AlignBottom);
    series->attachAxis(axis);
    chart->legend()->hide();
    return chart;
}

// A click on bar i (counted from the top) calls `clicked` with targets[i]; -1 calls nothing.
void onBarClicked(QChart *chart, const std::vector<int> &targets, const ReportClick &clicked)
{
    if (!clicked || chart->series().isEmpty())
        return;
    auto *series = qobject_cast<QAbstractBarSeries *>(chart->series().first());
    const int count = int(targets.size());
    QObject::connect(series, &QAbstractBarSeries::clicked, chart,
                     [targets, clicked, count](int index, QBarSet *) {
                         const int fromTop = count - 1 - index;
                         if (fromTop >= 0 && fromTop < count && targets[size_t(fromTop)] >= 0)
                             clicked(targets[size_t(fromTop)]);
                     });
}

QChart *donut(const QString &title, const std::vector<FactShare> &shares,
              const std::function<QColor(const QString &)> &colorOf)
{
    QChart *chart = newChart(title);
    auto *series = new QPieSeries;
    series->setHoleSize(0.45);
    for (const FactShare &share : shares) {
        const QString name = share.value.isEmpty() ? tr("none") : share.value;
        QPieSlice *slice =
            series->append(QStringLiteral("%1 %2").arg(name).arg(share.scenes), share.scenes);
        slice->setColor(colorOf(share.value));
        slice->setBorderColor(Qt::white);
    }
    chart->addSeries(series);
    chart->legend()->setAlignment(Qt::AlignRight);
    chart->legend()->setFont(smallFont(chart));
    return chart;
}

QColor interiorColor(const QString &interior)
{
    if (interior == QLatin1String("INT"))
        return QColor(70, 110, 180);
    if (interior == QLatin1String("EXT"))
        return QColor(90, 160, 90);
    if (interior == QLatin1String("INT/EXT"))
        return QColor(80, 160, 170);
    return QColor(190, 190, 190);
}

} // namespace

QColor timeOfDayColor(const QString &time)
{
    static const QList<QPair<const char *, QColor>> known = {{"DAY", QColor(240, 190, 60)},
                                                             {"NIGHT", QColor(40, 55, 110)},
                                                             {"MORNING", QColor(250, 150, 70)},
                                                             {"DAWN", QColor(250, 170, 120)},
                                                             {"EVENING", QColor(150, 90, 150)},
                                                             {"DUSK", QColor(190, 100, 120)},
                                                             {"CONTINUOUS", QColor(140, 150, 160)},
                                                             {"LATER", QColor(110, 170, 160)},
                                                             {"", QColor(200, 200, 200)}};
    for (const auto &[name, color] : known) {
        if (time == QLatin1String(name))
            return color;
    }
    // Other times get a colour of their own, the same for the same name.
    return QColor::fromHsv(int(qHash(time) % 360), 120, 190);
}

QChart *dialogueShareChart(const ScriptFacts &facts, const ReportClick &characterClicked,
                           int nameLength)
{
    std::vector<const CharacterFacts *> speakers;
    for (const CharacterFacts &character : facts.characters) {
        if (character.dialogueWords > 0)
            speakers.push_back(&character);
    }
    std::stable_sort(speakers.begin(), speakers.end(), [](const auto *a, const auto *b) {
        return a->dialogueWords > b->dialogueWords;
    });
    QStringList names;
    QList<qreal> shares;
    std::vector<int> targets;
    for (size_t i = 0; i < speakers.size() && i < size_t(reportTopCount); ++i) {
        names << barName(speakers[i]->name, nameLength);
        shares << speakers[i]->dialogueShare * 100.0;
        targets.push_back(speakers[i]->position);
    }
    if (speakers.size() > size_t(reportTopCount)) {
        const double rest = std::accumulate(
            speakers.begin() + reportTopCount, speakers.end(), 0.0,
            [](double sum, const CharacterFacts *c) { return sum + c->dialogueShare; });
        names << tr("%1 others").arg(speakers.size() - size_t(reportTopCount));
        shares << rest * 100.0;
        targets.push_back(-1);
    }
    QChart *chart = barChart(tr("Dialogue share"), names, shares, QColor(70, 110, 180),
                             tr("% of dialogue words"));
    onBarClicked(chart, targets, characterClicked);
    return chart;
}

QChart *locationChart(const ScriptFacts &facts, const ReportClick &sceneClicked, int nameLength)
{
    QStringList names;
    QList<qreal> scenes;
    std::vector<int> targets;
    for (size_t i = 0; i < facts.locations.size() && i < size_t(reportTopCount); ++i) {
        const LocationFacts &location = facts.locations[i];
        // The chart gives the names a third of its width; the table has them whole.
        names << barName(location.name, nameLength);
        scenes << location.scenes;
        targets.push_back(location.sceneNumbers.front());
    }
    QChart *chart =
        barChart(tr("Scenes per location"), names, scenes, QColor(90, 160, 90), tr("scenes"));
    onBarClicked(chart, targets, sceneClicked);
    return chart;
}

QChart *interiorChart(const ScriptFacts &facts)
{
    return donut(tr("Interior / exterior"), facts.script.interiors, interiorColor);
}

QChart *timeOfDayChart(const ScriptFacts &facts)
{
    return donut(tr("Time of day"), facts.script.times, timeOfDayColor);
}

QChart *sceneLengthChart(const ScriptFacts &facts, const ReportClick &sceneClicked)
{
    QChart *chart = newChart(
        tr("Scene lengths in pages, the %1 scenes in script order").arg(facts.scenes.size()));
    auto *series = new QStackedBarSeries;
    series->setBarWidth(1.0);
    // One set per time of day, each holding only its own scenes, so the bars take its colour.
    for (const FactShare &time : facts.script.times) {
        auto *set = new QBarSet(time.value.isEmpty() ? tr("none") : time.value);
        set->setColor(timeOfDayColor(time.value));
        set->setBorderColor(timeOfDayColor(time.value));
        for (const SceneFacts &scene : facts.scenes)
            *set << (scene.time == time.value ? scene.eighths / 8.0 : 0.0);
        series->append(set);
    }
    chart->addSeries(series);
    auto *order = new QBarCategoryAxis;
    QStringList numbers;
    for (const SceneFacts &scene : facts.scenes)
        numbers << QString::number(scene.number);
    order->append(numbers);
    // A feature has a hundred scenes and more: their numbers would cover each other.
    order->setLabelsVisible(facts.scenes.size() <= 20);
    order->setTruncateLabels(false);
    order->setGridLineVisible(false);
    chart->addAxis(order, Qt::AlignBottom);
    series->attachAxis(order);
    auto *pages = new QValueAxis;
    pages->setMin(0.0);
    pages->setLabelFormat(QStringLiteral("%g"));
    pages->setTruncateLabels(false);
    chart->addAxis(pages, Qt::AlignLeft);
    series->attachAxis(pages);
    pages->applyNiceNumbers();
    chart->legend()->setAlignment(Qt::AlignBottom);
    if (sceneClicked) {
        std::vector<int> numbersInOrder;
        for (const SceneFacts &scene : facts.scenes)
            numbersInOrder.push_back(scene.number);
        QObject::connect(series, &QAbstractBarSeries::clicked, chart,
                         [numbersInOrder, sceneClicked](int index, QBarSet *) {
                             if (index >= 0 && index < int(numbersInOrder.size()))
                                 sceneClicked(numbersInOrder[size_t(index)]);
                         });
    }
    return chart;
}
