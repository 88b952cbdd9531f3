#include "app/textVis.h"

#include "ui_textVis.h"
#include "views/GraphWidget.h"
#include "views/MarkupView.h"
#include "views/StorylineView.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>

#include <utility>

namespace {

// 10-point Arial, or larger where the application's font is larger.
QString panelStyle()
{
    const double points = qMax(10.0, QApplication::font().pointSizeF());
    return QStringLiteral("font: %1pt \"Arial\";").arg(points);
}

} // namespace

// The panel's 275 pixels are a minimum: with wider fonts the tab titles and the controls
// need more, and an explicit minimum would otherwise let the splitter cut them off. Its
// height is what its contents need at the font in use; the scroll area shows the rest.
void textVis::fitPanelToContents()
{
    Ui::textVisClass &form = *m_form;
    form.groupBox_2->setStyleSheet(panelStyle());
    form.tabWidget->setStyleSheet(panelStyle());
    form.groupBox->ensurePolished(); // the style sheets' font applies from here on
    form.tabWidget->ensurePolished();
    // The tab bar shows every title whole, so it is as wide as all of them together, and
    // the tab widget's frame lies around it.
    form.tabWidget->setMinimumWidth(form.tabWidget->tabBar()->sizeHint().width() + 4);
    form.groupBox->setMinimumWidth(qMax(275, form.groupBox->minimumSizeHint().width()));
    const int scrollBarWidth = form.panelScrollArea->verticalScrollBar()->sizeHint().width();
    form.panelScrollArea->setMinimumWidth(form.groupBox->minimumWidth() + scrollBarWidth);
}

void textVis::connectThreadView()
{
    Ui::textVisClass &form = *m_form;
    GraphWidget *view = form.ThreadView;
    const auto valueChanged = qOverload<double>(&QDoubleSpinBox::valueChanged);
    connect(form.doubleSpinBox_DrawM, valueChanged, view, &GraphWidget::changeDrawM);
    connect(form.doubleSpinBox_DrawExp, valueChanged, view, &GraphWidget::changeDrawPow);
    connect(form.checkBox_FlipAxis, &QCheckBox::stateChanged, view, &GraphWidget::drawStateChanged);
    connect(form.pushButton_2, &QPushButton::clicked, view, &GraphWidget::ColorPicker);
    connect(form.listWidget, &QListWidget::itemClicked, view, &GraphWidget::ListItemClicked);
    // Crosswise by name: each box drives the width its label names (see GraphWidget).
    connect(form.doubleSpinBox_InactiveThreadSize, valueChanged, view,
            &GraphWidget::changeActiveThreadSize);
    connect(form.pushButton_SpinLeft, &QPushButton::released, view, &GraphWidget::spinLeft);
    connect(form.pushButton, &QPushButton::released, view, &GraphWidget::reset);
    connect(form.pushButton_SpinRight, &QPushButton::released, view, &GraphWidget::spinRight);
    connect(form.doubleSpinBox_ActiveThreadSize, valueChanged, view,
            &GraphWidget::changeInactiveThreadSize);
    connect(form.comboBox_DrawMode, qOverload<int>(&QComboBox::currentIndexChanged), view,
            &GraphWidget::changeDrawMode);
    // The selected text reaches the view first: connections run in the order they are made.
    MarkupView *text = form.webView;
    connect(text, &QTextBrowser::selectionChanged, view,
            [text, view] { view->setSelectedText(text->selectedPlainText()); });
    connect(text, &QTextBrowser::selectionChanged, view, &GraphWidget::selectionChanged);
    connect(form.doubleSpinBox_ThreadTransparency, valueChanged, view,
            &GraphWidget::changeThreadTransparency);
    connect(form.comboBox_DrawMode, qOverload<int>(&QComboBox::activated), view,
            &GraphWidget::changeDrawMode);
}

// The switches of the "Advanced" tab and the text view's scroll position reach the thread
// view as they change; it holds none of these widgets.
void textVis::connectDrawingOptions()
{
    Ui::textVisClass &form = *m_form;
    GraphWidget *view = form.ThreadView;
    const std::pair<QCheckBox *, void (GraphWidget::*)(bool)> switches[] = {
        {form.checkBox_Spheres, &GraphWidget::setSpheres},
        {form.checkBox_Springs, &GraphWidget::setSprings},
        {form.checkBox_DrawGrid, &GraphWidget::setDrawGrid},
        {form.checkBox_FlipAxis, &GraphWidget::setFlipAxis},
        {form.checkBox_MoveToPlane, &GraphWidget::setMoveToPlane},
        {form.checkBox_DrawNames, &GraphWidget::setDrawNames}};
    for (const auto &[box, setter] : switches) {
        (view->*setter)(box->isChecked());
        connect(box, &QCheckBox::toggled, view, setter);
    }
    view->setReadingPosition(form.webView->scrollValue(), form.webView->scrollMaximum());
    connect(form.webView, &MarkupView::readingPositionChanged, view,
            &GraphWidget::setReadingPosition);
}

// A scene clicked in the storyline scrolls the text to it; a line clicked selects its
// character as a click on its row of the character list does (the row selected, the thread
// pinned), and the storyline draws the line of the character last clicked on top.
void textVis::connectStorylineView()
{
    Ui::textVisClass &form = *m_form;
    StorylineView *storyline = form.storylineView;
    // A long layout dropped for the next screenplay frees its memory only when it ends.
    connect(storyline, &StorylineView::droppedLayoutEnded, this,
            [this] { m_document.backgroundRelease().returnFreedMemory(); });
    QListWidget *list = form.listWidget;
    connect(storyline, &StorylineView::sceneClicked, form.webView, &MarkupView::scrollToScene);
    connect(storyline, &StorylineView::characterClicked, this, [list, this](int character) {
        QListWidgetItem *item = list->item(character);
        if (item == nullptr)
            return;
        list->setCurrentItem(item, QItemSelectionModel::ClearAndSelect);
        m_form->ThreadView->ListItemClicked(item);
        m_form->storylineView->setEmphasised(character);
    });
    connect(list, &QListWidget::itemClicked, storyline, [list, storyline](QListWidgetItem *item) {
        storyline->setEmphasised(list->row(item));
    });
    connect(form.ThreadView, &GraphWidget::characterColorChanged, storyline,
            &StorylineView::refreshColors);
}
