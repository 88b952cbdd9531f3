#include "views/ReportView.h"

#include "document/Analysis.h"
#include "ui_ReportView.h"
#include "views/ReportCharts.h"
#include "views/ReportTables.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>

namespace {

constexpr int positionRole = Qt::UserRole + 1;

QString factsHtml(const ScriptFacts &facts, const QString &name)
{
    QString html = QStringLiteral("<table cellspacing='2'>");
    for (const auto &[label, value] : scriptFactRows(facts, name))
        html += QStringLiteral("<tr><td><b>%1</b>&nbsp;&nbsp;</td><td>%2</td></tr>")
                    .arg(label.toHtmlEscaped(), value.toHtmlEscaped());
    return html + QStringLiteral("</table>");
}

} // namespace

ReportView::ReportView(QWidget *parent)
    : QWidget(parent)
    , m_form(std::make_unique<Ui::ReportView>())
    , m_table(new QStandardItemModel(this))
    , m_sorted(new QSortFilterProxyModel(this))
{
    m_form->setupUi(this);
    m_sorted->setSourceModel(m_table);
    m_sorted->setSortRole(Qt::UserRole);
    m_form->characterTable->setModel(m_sorted);
    m_form->characterTable->verticalHeader()->hide();
    connect(m_form->characterTable, &QAbstractItemView::clicked, this,
            [this](const QModelIndex &index) {
                emit characterClicked(index.siblingAtColumn(0).data(positionRole).toInt());
            });
    for (QChartView *view : {m_form->dialogueChart, m_form->locationChart, m_form->interiorChart,
                             m_form->timeChart, m_form->sceneLengthChart})
        view->setRenderHint(QPainter::Antialiasing);
    clear();
}

ReportView::~ReportView() = default;

void ReportView::showAnalysis(const std::shared_ptr<const Analysis> &analysis)
{
    m_analysis = analysis;
    m_facts.reset();
    m_shown = false;
    if (isVisible())
        refresh();
}

void ReportView::clear()
{
    m_analysis.reset();
    m_facts.reset();
    m_shown = false;
    refresh();
}

const ScriptFacts *ReportView::facts()
{
    if (!m_facts && m_analysis && m_analysis->timeIndex)
        m_facts = scriptFacts(*m_analysis);
    return m_facts ? &*m_facts : nullptr;
}

QString ReportView::screenplayName() const
{
    return m_analysis ? QFileInfo(m_analysis->filePath).fileName() : QString();
}

void ReportView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_shown)
        refresh();
}

void ReportView::refresh()
{
    const ScriptFacts *shown = facts();
    m_form->emptyLabel->setVisible(shown == nullptr);
    for (QWidget *part :
         {static_cast<QWidget *>(m_form->factsLabel), static_cast<QWidget *>(m_form->dialogueChart),
          static_cast<QWidget *>(m_form->locationChart),
          static_cast<QWidget *>(m_form->interiorChart), static_cast<QWidget *>(m_form->timeChart),
          static_cast<QWidget *>(m_form->sceneLengthChart),
          static_cast<QWidget *>(m_form->tableLabel),
          static_cast<QWidget *>(m_form->characterTable)})
        part->setVisible(shown != nullptr);
    if (shown == nullptr) {
        m_table->clear();
        return;
    }
    m_form->factsLabel->setText(factsHtml(*shown, screenplayName()));
    showCharts(*shown);
    fillTable(*shown);
    m_shown = true;
}

void ReportView::setChart(QChartView *view, QChart *chart)
{
    QChart *previous = view->chart();
    view->setChart(chart);
    delete previous; // the view owns only the chart it shows
}

void ReportView::showCharts(const ScriptFacts &facts)
{
    const auto character = [this](int position) {
        emit characterClicked(position);
    };
    const auto scene = [this](int number) {
        emit sceneClicked(number);
    };
    setChart(m_form->dialogueChart, dialogueShareChart(facts, character));
    setChart(m_form->locationChart, locationChart(facts, scene));
    setChart(m_form->interiorChart, interiorChart(facts));
    setChart(m_form->timeChart, timeOfDayChart(facts));
    setChart(m_form->sceneLengthChart, sceneLengthChart(facts, scene));
}

void ReportView::fillTable(const ScriptFacts &facts)
{
    m_table->clear();
    m_table->setHorizontalHeaderLabels(characterColumns());
    for (const CharacterFacts &character : facts.characters) {
        QList<QStandardItem *> row;
        for (const ReportCell &cell : characterCells(character)) {
            auto *item = new QStandardItem(cell.text);
            item->setData(cell.sortKey, Qt::UserRole);
            if (cell.sortKey.typeId() != QMetaType::QString)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            row.append(item);
        }
        row.first()->setData(character.position, positionRole);
        row.first()->setBackground(character.color);
        m_table->appendRow(row);
    }
    // Most speeches first, as a reader looks for the leads.
    m_form->characterTable->sortByColumn(1, Qt::DescendingOrder);
    m_form->characterTable->resizeColumnsToContents();
}
