#include "views/StorylineView.h"

#include "document/Analysis.h"
#include "document/SceneTitle.h"
#include "scenes/ResearchName.h"
#include "storyline/StorylineCast.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <cmath>

namespace {

// One press of + or -, or one notch of the wheel with Ctrl, zooms by this factor.
constexpr double zoomStep = 1.25;
// A press that moves less than this is a click, not a drag.
constexpr int clickDistance = 4;
constexpr qreal reachPixels = 5.0;

} // namespace

StorylineView::StorylineView(QWidget *parent)
    : QAbstractScrollArea(parent)
{
    viewport()->setMouseTracking(true);
    viewport()->setBackgroundRole(QPalette::Base);
    setFocusPolicy(Qt::StrongFocus);
    horizontalScrollBar()->setSingleStep(20);
    verticalScrollBar()->setSingleStep(20);
    connect(&m_watcher, &QFutureWatcher<StorylineLayout>::finished, this,
            &StorylineView::layoutDone);
}

StorylineView::~StorylineView()
{
    // The layout being made stops early; its thread drops the result.
    if (m_abandoned)
        *m_abandoned = true;
}

void StorylineView::showAnalysis(const std::shared_ptr<const Analysis> &analysis)
{
    clear();
    if (!analysis || !analysis->timeIndex)
        return;
    m_analysis = analysis;
    m_abandoned = std::make_shared<std::atomic_bool>(false);
    const std::shared_ptr<std::atomic_bool> abandoned = m_abandoned;
    // The job holds the steps only: the screenplay's text and markup are let go of with the
    // analysis when the next one comes, even while a long layout is still being stopped. The
    // steps are freed before the job reports its end.
    m_watcher.setFuture(
        QtConcurrent::run([steps = analysis->storylineSteps(), abandoned]() mutable {
            const StorylineSteps held = std::move(steps);
            return layoutStoryline(held, [abandoned] { return bool(*abandoned); });
        }));
    viewport()->update();
}

void StorylineView::clear()
{
    if (m_abandoned)
        *m_abandoned = true;
    m_abandoned.reset();
    // A layout still being made ends on its own once stopped (within a round of its search,
    // which on a very long screenplay may take a while); its end is told, its result not
    // looked at.
    if (m_watcher.isRunning()) {
        auto *dropped = new QFutureWatcher<StorylineLayout>(this);
        connect(dropped, &QFutureWatcherBase::finished, this, [this, dropped] {
            dropped->deleteLater();
            emit droppedLayoutEnded();
        });
        dropped->setFuture(m_watcher.future());
    }
    m_watcher.disconnect(this);
    m_watcher.setFuture(QFuture<StorylineLayout>());
    connect(&m_watcher, &QFutureWatcher<StorylineLayout>::finished, this,
            &StorylineView::layoutDone);
    m_analysis.reset();
    m_layout.reset();
    m_picture.reset();
    m_emphasised = -1;
    updateScrollBars();
    viewport()->update();
}

void StorylineView::layoutDone()
{
    if (!m_analysis || !m_watcher.future().isValid() || m_watcher.future().resultCount() == 0)
        return;
    m_layout = m_watcher.result();
    makePicture();
    emit pictureShown();
}

void StorylineView::makePicture()
{
    m_picture.emplace(*m_layout, m_analysis->storylineSteps(), storylineCast(*m_analysis), font());
    updateScrollBars();
    viewport()->update();
}

void StorylineView::refreshColors()
{
    if (m_layout && m_analysis)
        makePicture();
}

void StorylineView::setEmphasised(int character)
{
    m_emphasised = character;
    viewport()->update();
}

void StorylineView::setZoom(double zoom, const QPoint &anchor)
{
    zoom = std::clamp(zoom, smallestZoom, largestZoom);
    const QPointF held = pictureAt(anchor);
    m_zoom = zoom;
    updateScrollBars();
    // The held point goes back under the anchor.
    horizontalScrollBar()->setValue(int(std::lround(held.x() * m_zoom - anchor.x())));
    verticalScrollBar()->setValue(int(std::lround(held.y() * m_zoom - anchor.y())));
    viewport()->update();
}

QPointF StorylineView::pictureAt(const QPoint &viewPoint) const
{
    return QPointF((viewPoint.x() + horizontalScrollBar()->value()) / m_zoom,
                   (viewPoint.y() + verticalScrollBar()->value()) / m_zoom);
}

QPoint StorylineView::viewAt(const QPointF &picturePoint) const
{
    return QPoint(int(std::lround(picturePoint.x() * m_zoom)) - horizontalScrollBar()->value(),
                  int(std::lround(picturePoint.y() * m_zoom)) - verticalScrollBar()->value());
}

void StorylineView::updateScrollBars()
{
    const QSizeF size = m_picture ? m_picture->size() * m_zoom : QSizeF();
    const QSize shown = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, int(std::ceil(size.width())) - shown.width()));
    verticalScrollBar()->setRange(0, std::max(0, int(std::ceil(size.height())) - shown.height()));
    horizontalScrollBar()->setPageStep(shown.width());
    verticalScrollBar()->setPageStep(shown.height());
}

void StorylineView::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    if (!m_picture) {
        painter.fillRect(event->rect(), palette().base());
        const QString message = m_analysis ? tr("Laying out the storyline…")
                                           : tr("Open a screenplay to see its storyline.");
        painter.drawText(viewport()->rect(), Qt::AlignCenter, message);
        return;
    }
    painter.fillRect(event->rect(), palette().base());
    painter.translate(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
    painter.scale(m_zoom, m_zoom);
    const QRectF exposed = painter.transform().inverted().mapRect(QRectF(event->rect()));
    m_picture->paint(painter, m_emphasised, exposed);
}

void StorylineView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void StorylineView::wheelEvent(QWheelEvent *event)
{
    if (event->modifiers() & Qt::ControlModifier) {
        const int notches = event->angleDelta().y() / 120;
        if (notches != 0)
            setZoom(m_zoom * std::pow(zoomStep, notches), event->position().toPoint());
        event->accept();
        return;
    }
    QAbstractScrollArea::wheelEvent(event);
}

void StorylineView::keyPressEvent(QKeyEvent *event)
{
    const QPoint centre = viewport()->rect().center();
    if (event->key() == Qt::Key_Plus || event->key() == Qt::Key_Equal)
        setZoom(m_zoom * zoomStep, centre);
    else if (event->key() == Qt::Key_Minus)
        setZoom(m_zoom / zoomStep, centre);
    else
        QAbstractScrollArea::keyPressEvent(event);
}

void StorylineView::mousePressEvent(QMouseEvent *event)
{
    m_pressedAt = event->position().toPoint();
    m_draggedTo = m_pressedAt;
    m_dragging = false;
}

void StorylineView::mouseMoveEvent(QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return;
    const QPoint at = event->position().toPoint();
    if (!m_dragging && (at - m_pressedAt).manhattanLength() < clickDistance)
        return;
    m_dragging = true;
    const QPoint moved = at - m_draggedTo;
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() - moved.x());
    verticalScrollBar()->setValue(verticalScrollBar()->value() - moved.y());
    m_draggedTo = at;
    viewport()->setCursor(Qt::ClosedHandCursor);
}

void StorylineView::mouseReleaseEvent(QMouseEvent *event)
{
    viewport()->unsetCursor();
    if (m_dragging || event->button() != Qt::LeftButton || !m_picture)
        return;
    const QPointF at = pictureAt(event->position().toPoint());
    const int character = m_picture->lineAt(at, reach());
    if (character >= 0) {
        emit characterClicked(character);
        return;
    }
    const int step = m_picture->stepAt(at);
    if (step >= 0)
        emit sceneClicked(step);
}

bool StorylineView::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const QString text = toolTipAt(help->pos());
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, viewport());
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

qreal StorylineView::reach() const
{
    return reachPixels / m_zoom;
}

QString StorylineView::toolTipAt(const QPoint &viewPoint) const
{
    if (!m_picture || !m_analysis)
        return QString();
    const QPointF at = pictureAt(viewPoint);
    const TimeIndexVector &index = *m_analysis->timeIndex;
    const QString stepName = m_analysis->sessionSteps ? tr("step") : tr("scene");
    const int character = m_picture->lineAt(at, reach());
    if (character >= 0 && character < int(index.characters.size())) {
        const std::vector<int> &line = m_layout->lineSlots[size_t(character)];
        const auto first =
            std::find_if(line.begin(), line.end(), [](int slot) { return slot >= 0; });
        const auto last =
            std::find_if(line.rbegin(), line.rend(), [](int slot) { return slot >= 0; });
        return tr("%1\nin %2 %3s, %4 %5 to %6\n%7 speaker lines")
            .arg(researchName(*index.characters[size_t(character)]))
            .arg(scenesWithCharacter(index, character))
            .arg(stepName)
            .arg(stepName)
            .arg(m_picture->cast().stepLabels.value(int(first - line.begin())))
            .arg(m_picture->cast().stepLabels.value(int(line.rend() - last) - 1))
            .arg(speakerLines(index, character));
    }
    const int step = m_picture->stepAt(at);
    if (step < 0)
        return QString();
    return tr("%1 %2: %3")
        .arg(m_picture->cast().axisTitle, m_picture->cast().stepLabels.value(step),
             sceneTitle(*m_analysis, step));
}
