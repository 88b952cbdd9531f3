#pragma once

#include "view/RedrawGate.h"
#include "view/ThreadModel.h"
#include "view/ViewState.h"

#include <QColor>
#include <QGLWidget>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <memory>

class QCheckBox;
class QColorDialog;
class QListWidgetItem;
class QWebView;
class ThreadRenderer;
class TimeIndexVector;

// The OpenGL thread view. It owns the drawing state and forwards everything it computes to
// the thread model; the main window feeds it the scene index after every parse.
class GraphWidget : public QGLWidget
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
    // Draws one frame now, outside the redraw timer (the batch run writes images this way).
    void paintFrame() { paintGL(); }
    void setDrawingControls(QWebView *webView, QCheckBox *spheres, QCheckBox *springs,
                            QCheckBox *drawGrid, QCheckBox *flipAxis, QCheckBox *moveToPlane,
                            QCheckBox *drawNames);
    QColorDialog *colorDialog() const { return m_colorDialog; }
    void selectByText(const QString &text);

    ThreadModel &threadModel() { return m_model; }
    const ThreadModel &threadModel() const { return m_model; }

    bool upToDate = true;
    bool graphReady = false;
    float drawPow = 0.5f; // stored only; no drawing reads it
    QString pendingImageFile;

    // What the renderer draws the model with: the slots and the mouse change it in place,
    // each frame turns its rotation one step and reads the main window's controls into it.
    ViewState &viewState() { return m_state; }
    const ViewState &viewState() const { return m_state; }

    // Whether the redraw clock skips its frames: the layout has come to rest and nothing has
    // changed since (the main window's check boxes are read at the clock's next tick).
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
    void paintEvent(QPaintEvent *event) override;
    void resizeGL(int width, int height) override;
    void paintGL() override;

private:
    // The redraw clock: draws a frame unless the layout rests and nothing has changed.
    void redrawTick();
    FrameInputs frameInputs() const;
    void readControls();
    void drawReparsePrompt();
    void writePendingImage();

    QPointer<QCheckBox> checkBox_Spheres;
    QPointer<QCheckBox> checkBox_Springs;
    QPointer<QCheckBox> checkBox_DrawGrid;
    QPointer<QCheckBox> checkBox_FlipAxis;
    QPointer<QCheckBox> checkBox_MoveToPlane;
    QPointer<QCheckBox> checkBox_DrawNames;
    QColorDialog *m_colorDialog = nullptr;
    QTimer redrawTimer;
    ViewState m_state;
    const TimeIndexVector *m_timeIndex = nullptr;
    ThreadModel m_model;
    std::uint64_t m_modelGeneration = 0;
    RedrawGate m_gate;
    int lastMouseX = 0;
    int lastMouseY = 0;
    Qt::MouseButton lastMouseButton = Qt::NoButton;
    QPointer<QWebView> m_webView;
    std::unique_ptr<ThreadRenderer> m_renderer;
    int m_frameHolds = 0;
};
