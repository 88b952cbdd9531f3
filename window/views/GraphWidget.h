#pragma once

#include "threads/LayoutStepper.h"
#include "threads/RedrawGate.h"
#include "threads/ThreadModel.h"
#include "threads/ViewState.h"

#include <QColor>
#include <QElapsedTimer>
#include <QOpenGLWidget>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <memory>

class QColorDialog;
class QListWidgetItem;
class ThreadRenderer;
class TimeIndexVector;

// The OpenGL thread view. It owns the drawing state, the thread model and the stepper that
// lays the model out on its own clock; frames only read the model. The main window feeds it
// the scene index after every parse and pushes its controls' values in through the setters
// and slots; the view holds none of the window's widgets.
class GraphWidget : public QOpenGLWidget
{
    Q_OBJECT
public:
    explicit GraphWidget(QWidget *parent = nullptr);
    ~GraphWidget() override;

    void clearThreads();
    // Makes the view's context current (the weave program is built on the first call; a
    // failure ends the process) and lays out the threads of `index`, which must stay alive
    // until the next clearThreads.
    void buildThreads(const TimeIndexVector *index, float step);
    // The next frame that draws the graph writes itself to `name` and reports it through
    // imageWritten.
    void setImageFileName(const QString &name);
    // Draws one frame now, outside the redraw timer, even while the view is hidden (the batch
    // run writes images this way).
    void paintFrame();
    // Advances the layout until it settles (at most `maximumSteps` steps), at once and
    // whatever the display's speed; returns the steps taken.
    int settleLayout(int maximumSteps = LayoutStepper::settleStepLimit);
    bool layoutSettled() const { return m_stepper.settled(); }
    // Keeps the layout where it stands, or lets it go on: while it is held, only
    // settleLayout() steps it. The frame benchmark holds it to time the drawing of a moving
    // layout apart from the steps.
    void holdLayout(bool held);
    // The character whose thread is drawn under `point` (in the widget's coordinates), or -1.
    int threadAt(const QPoint &point) const;

    // The drawing options of the window's check boxes.
    void setSpheres(bool on);
    void setSprings(bool on);
    void setDrawGrid(bool on);
    void setFlipAxis(bool on);
    void setMoveToPlane(bool on);
    void setDrawNames(bool on);
    // The text view's vertical scroll bar, which the reading grid follows.
    void setReadingPosition(int scrollValue, int scrollMaximum);
    // The text selected in the text view, which selectionChanged() selects by.
    void setSelectedText(const QString &text) { m_selectedText = text; }
    QColorDialog *colorDialog() const { return m_colorDialog; }
    void selectByText(const QString &text);

    ThreadModel &threadModel() { return m_model; }
    const ThreadModel &threadModel() const { return m_model; }

    bool upToDate = true;
    bool graphReady = false;
    float drawPow = 0.5f; // stored only; no drawing reads it
    QString pendingImageFile;

    // What the renderer draws the model with: the slots, the setters and the mouse change it
    // in place, and each frame turns its rotation one step.
    ViewState &viewState() { return m_state; }
    const ViewState &viewState() const { return m_state; }

    // Whether the view draws nothing: the layout has settled and no frame would differ from
    // the one drawn last.
    bool atRest() const;

    // While a hold is taken (a screenplay is being opened or parsed) the view draws no
    // threads: they are about to be replaced, and one frame of a long screenplay's threads
    // takes longer than a progress dialog may go without events. Holds nest; the last one
    // released draws the view again.
    class FrameHold
    {
    public:
        explicit FrameHold(GraphWidget &view);
        ~FrameHold();
        FrameHold(const FrameHold &) = delete;
        FrameHold &operator=(const FrameHold &) = delete;

    private:
        GraphWidget &m_view;
    };

signals:
    void reparse();
    // The colour dialog recoloured the index character at `characterIndex`.
    void characterColorChanged(int characterIndex);
    // A frame has written the requested image, or could not (`reason` says why).
    void imageWritten(const QString &path, bool written, const QString &reason);

public slots:
    void saveImage();
    void changeInactiveThreadSize(double value);
    void changeActiveThreadSize(double value);
    void changeThreadTransparency(double value);
    void selectionChanged();
    void changeDrawM(double value);
    void changeDrawPow(double value);
    void drawStateChanged(int state);
    void spinRight();
    void spinLeft();
    void reset();
    void ColorPicker();
    void ListItemClicked(QListWidgetItem *item);
    void currentColorChanged(QColor color);
    void changeDrawMode(int mode);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    // A tooltip names the character whose thread is under the pointer.
    bool event(QEvent *event) override;
    void initializeGL() override;
    void resizeGL(int width, int height) override;
    void paintGL() override;

private:
    // The redraw clock: draws a frame when it would differ from the last one.
    void redrawTick();
    // The layout clock: steps the layout for a share of each tick until it settles.
    void layoutTick();
    // Passes the settings the layout depends on to the stepper, which warms the layout
    // when they changed, and runs the layout clock while the layout moves.
    void updateLayout();
    void warmLayout();
    FrameInputs frameInputs() const;
    void drawReparsePrompt();
    void writePendingImage();
    // The renderer and the weave program, made once the view's context exists; false when
    // the program cannot be built.
    bool ensureRenderer();

    QColorDialog *m_colorDialog = nullptr;
    QTimer redrawTimer;
    QTimer m_layoutTimer;
    // Since the last frame began, and how long it took: while the layout moves, frames that
    // only show its progress leave most of the time to the steps.
    QElapsedTimer m_sinceFrame;
    qint64 m_lastFrameMs = 0;
    bool m_layoutHeld = false;
    ViewState m_state;
    const TimeIndexVector *m_timeIndex = nullptr;
    ThreadModel m_model;
    LayoutStepper m_stepper;
    std::uint64_t m_modelGeneration = 0;
    RedrawGate m_gate;
    int lastMouseX = 0;
    int lastMouseY = 0;
    Qt::MouseButton lastMouseButton = Qt::NoButton;
    QString m_selectedText;
    std::unique_ptr<ThreadRenderer> m_renderer;
    int m_frameHolds = 0;
};
