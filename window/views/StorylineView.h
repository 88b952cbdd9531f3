#pragma once

#include "storyline/StorylineLayout.h"
#include "storyline/StorylinePicture.h"

#include <QAbstractScrollArea>
#include <QFutureWatcher>

#include <atomic>
#include <memory>
#include <optional>

struct Analysis;

// The "Storyline" view: the storyline of the last analysis, laid out away from the window's
// thread and shown when ready. The wheel scrolls it (Shift+wheel sideways) and Ctrl+wheel or
// + and - zoom it about the pointer; a drag moves it. Hovering over a line shows its
// character, over a scene its heading. A click on a line or on a scene is only reported: the
// window selects the character or scrolls the text.
class StorylineView : public QAbstractScrollArea
{
    Q_OBJECT
public:
    static constexpr double smallestZoom = 0.1;
    static constexpr double largestZoom = 4.0;

    explicit StorylineView(QWidget *parent = nullptr);
    ~StorylineView() override;

    // Lays out the analysis's storyline in the background and shows it once laid out; a
    // later call, or clear(), drops a layout still being made.
    void showAnalysis(const std::shared_ptr<const Analysis> &analysis);
    void clear();
    // The character whose line is drawn on top and thicker; -1 for none.
    void setEmphasised(int character);
    int emphasised() const { return m_emphasised; }
    // Takes the characters' colours again, after the user changed them.
    void refreshColors();
    double zoom() const { return m_zoom; }
    // Keeps the point of the picture under `anchor` (in the view) where it is.
    void setZoom(double zoom, const QPoint &anchor = QPoint());
    // The picture shown; null before the first layout of an analysis is ready.
    const StorylinePicture *picture() const { return m_picture ? &*m_picture : nullptr; }
    bool isLayingOut() const { return m_watcher.isRunning(); }
    // The point of the picture under a point of the view.
    QPointF pictureAt(const QPoint &viewPoint) const;
    QPoint viewAt(const QPointF &picturePoint) const;

signals:
    // A layout dropped while it was being made has ended, and what it held is freed.
    void droppedLayoutEnded();
    void sceneClicked(int scene);
    void characterClicked(int character);
    // A laid-out picture is shown.
    void pictureShown();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool viewportEvent(QEvent *event) override;

private:
    void layoutDone();
    void makePicture();
    void updateScrollBars();
    QString toolTipAt(const QPoint &viewPoint) const;
    // How far from a line, in the view's pixels, the pointer still touches it.
    qreal reach() const;

    std::shared_ptr<const Analysis> m_analysis;
    std::optional<StorylineLayout> m_layout;
    std::optional<StorylinePicture> m_picture;
    QFutureWatcher<StorylineLayout> m_watcher;
    // Tells the layout being made that its result is no longer wanted.
    std::shared_ptr<std::atomic_bool> m_abandoned;
    int m_emphasised = -1;
    double m_zoom = 1.0;
    QPoint m_pressedAt;
    QPoint m_draggedTo;
    bool m_dragging = false;
};
