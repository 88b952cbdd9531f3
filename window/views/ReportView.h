#pragma once

#include "facts/ScriptFacts.h"

#include <QWidget>

#include <memory>
#include <optional>

struct Analysis;
class QChart;
class QChartView;
class QSortFilterProxyModel;
class QStandardItemModel;
namespace Ui {
class ReportView;
}

// The "Report" view: the script facts of the last parse at the top, the charts, and a
// sortable table of the characters' facts. It computes the facts the first time it is shown
// after a parse (and for a printed copy), so a parse costs nothing more while it is hidden.
class ReportView : public QWidget
{
    Q_OBJECT
public:
    explicit ReportView(QWidget *parent = nullptr);
    ~ReportView() override;

    void showAnalysis(const std::shared_ptr<const Analysis> &analysis);
    void clear();
    // The facts of the analysis shown; null when there is none.
    const ScriptFacts *facts();
    QString screenplayName() const;

signals:
    // A character's bar or row was clicked: its position in the scene index.
    void characterClicked(int position);
    // A location's or a scene's bar was clicked: the number of the scene to show.
    void sceneClicked(int sceneNumber);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void refresh();
    void showCharts(const ScriptFacts &facts);
    void fillTable(const ScriptFacts &facts);
    static void setChart(QChartView *view, QChart *chart);

    std::unique_ptr<Ui::ReportView> m_form;
    QStandardItemModel *m_table;
    QSortFilterProxyModel *m_sorted;
    std::shared_ptr<const Analysis> m_analysis;
    std::optional<ScriptFacts> m_facts;
    bool m_shown = false; // the widgets show m_facts
};
