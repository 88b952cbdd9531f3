#include "views/GraphWidget.h"

#include "scenes/TimeIndexVector.h"
#include "shaders/GlslSupport.h"
#include "support/Diagnostics.h"
#include "support/ImageFile.h"
#include "threads/ThreadPicking.h"
#include "threads/ThreadRenderer.h"
#include "threads/ViewInteraction.h"

#include <QColorDialog>
#include <QElapsedTimer>
#include <QImage>
#include <QKeyEvent>
#include <QListWidgetItem>
#include <QMouseEvent>
#include <QOpenGLFramebufferObject>
#include <QPainter>
#include <QSurfaceFormat>
#include <QToolTip>
#include <QWheelEvent>

#include <GL/glu.h>

#include <cmath>
#include <cstdlib>

namespace {

constexpr int redrawIntervalMs = 100;
// The layout clock ticks at the simulation's own step time and spends at most this much
// of each tick on steps, so the window answers while a long screenplay's layout settles.
constexpr int layoutIntervalMs = 16;
constexpr qint64 layoutBudgetMs = 14;
// A frame that only shows the layout's progress waits until this many times as long as the
// last frame took has passed since it began, so drawing takes at most a third of the time
// while the layout settles.
constexpr qint64 progressFrameGapFactor = 3;
// How near the pointer must come to a thread to name it, in pixels.
constexpr int pickTolerance = 6;

// The viewport is in device pixels, so that a high-resolution screen gets every pixel.
QSize devicePixels(const QWidget &widget, int logicalWidth, int logicalHeight)
{
    const qreal ratio = widget.devicePixelRatioF();
    return QSize(static_cast<int>(std::lround(logicalWidth * ratio)),
                 static_cast<int>(std::lround(logicalHeight * ratio)));
}

} // namespace

GraphWidget::GraphWidget(QWidget *parent)
    : QOpenGLWidget(parent)
    , m_colorDialog(new QColorDialog())
{
    // The renderer draws with the fixed-function pipeline, and the threads are smoothed by
    // multisampling.
    QSurfaceFormat surface = format();
    surface.setProfile(QSurfaceFormat::CompatibilityProfile);
    surface.setSamples(4);
    setFormat(surface);

    // A click gives the view the keys, so the digits can pin a thread.
    setFocusPolicy(Qt::StrongFocus);
    connect(&redrawTimer, &QTimer::timeout, this, &GraphWidget::redrawTick);
    redrawTimer.start(redrawIntervalMs);
    connect(&m_layoutTimer, &QTimer::timeout, this, &GraphWidget::layoutTick);
    m_layoutTimer.setInterval(layoutIntervalMs);
    Diagnostics::print("create GL Widget\n");
    connect(m_colorDialog, &QColorDialog::currentColorChanged, this,
            &GraphWidget::currentColorChanged);
}

GraphWidget::~GraphWidget()
{
    // The renderer's GL objects go with the context they were made in.
    if (m_renderer) {
        makeCurrent();
        m_renderer.reset();
        doneCurrent();
    }
    delete m_colorDialog;
}

bool GraphWidget::ensureRenderer()
{
    if (!m_renderer) {
        // The shader layer reads the GL identity when the renderer is made, so the context
        // must be current by then.
        m_renderer = std::make_unique<ThreadRenderer>();
        initGLExtensions();
    }
    return m_renderer->ensureWeaveProgram();
}

void GraphWidget::initializeGL()
{
    if (!ensureRenderer()) {
        Diagnostics::print("shader load error!\n");
        std::exit(-1);
    }
}

void GraphWidget::clearThreads()
{
    m_model.clearThreads();
    ++m_modelGeneration;
    graphReady = false;
    m_timeIndex = nullptr;
    m_stepper.warm();
}

void GraphWidget::buildThreads(const TimeIndexVector *index, float step)
{
    // A view not yet shown has no context: its program is built when it first is.
    if (isValid()) {
        makeCurrent();
        initializeGL();
        doneCurrent();
    }
    m_timeIndex = index;
    ++m_modelGeneration;
    if (m_model.buildThreads(index, step)) {
        graphReady = true;
        upToDate = true;
    } else {
        graphReady = false;
    }
    warmLayout();
}

void GraphWidget::setImageFileName(const QString &name)
{
    pendingImageFile = name;
}

int GraphWidget::settleLayout(int maximumSteps)
{
    updateLayout();
    const int steps = m_stepper.settle(m_model, maximumSteps);
    if (steps > 0)
        m_gate.layoutMoved();
    return steps;
}

void GraphWidget::setSpheres(bool on)
{
    m_state.spheres = on;
}

void GraphWidget::setSprings(bool on)
{
    m_state.springs = on;
}

void GraphWidget::setDrawGrid(bool on)
{
    m_state.drawGrid = on;
}

void GraphWidget::setFlipAxis(bool on)
{
    m_state.flipAxis = on;
}

void GraphWidget::setMoveToPlane(bool on)
{
    m_state.moveToPlane = on;
    updateLayout();
}

void GraphWidget::setDrawNames(bool on)
{
    m_state.drawNames = on;
}

void GraphWidget::setReadingPosition(int scrollValue, int scrollMaximum)
{
    m_state.hasTextView = true;
    m_state.scrollValue = scrollValue;
    m_state.scrollMaximum = scrollMaximum;
}

void GraphWidget::selectByText(const QString &text)
{
    m_state.selectedIndex =
        m_timeIndex != nullptr ? ViewInteraction::selectByText(m_timeIndex->characters, text) : -1;
    updateLayout();
}

void GraphWidget::saveImage()
{
    Diagnostics::print("save file?\n");
}

void GraphWidget::changeInactiveThreadSize(double value)
{
    m_state.activeThreadSize = static_cast<float>(value);
}

void GraphWidget::changeActiveThreadSize(double value)
{
    m_state.inactiveThreadSize = static_cast<float>(value);
}

void GraphWidget::changeThreadTransparency(double value)
{
    m_state.threadTransparency = static_cast<float>(value);
}

void GraphWidget::selectionChanged()
{
    Diagnostics::print("got selection changed\n");
    selectByText(m_selectedText);
}

void GraphWidget::changeDrawM(double value)
{
    m_state.drawM = static_cast<float>(value);
    updateLayout();
}

void GraphWidget::changeDrawPow(double value)
{
    drawPow = static_cast<float>(value);
}

void GraphWidget::drawStateChanged(int state)
{
    if (state != 0)
        reset();
}

void GraphWidget::spinRight()
{
    m_state.targetRotation[0] = ViewInteraction::spinRightTarget(m_state.targetRotation[0]);
}

void GraphWidget::spinLeft()
{
    m_state.targetRotation[0] = ViewInteraction::spinLeftTarget(m_state.targetRotation[0]);
}

void GraphWidget::reset()
{
    m_model.reset();
    warmLayout();
}

void GraphWidget::ColorPicker()
{
    m_colorDialog->open();
}

void GraphWidget::ListItemClicked(QListWidgetItem *item)
{
    if (item != nullptr)
        selectByText(item->text());
}

void GraphWidget::currentColorChanged(QColor color)
{
    if (m_timeIndex == nullptr)
        return;
    const CharacterList &characters = m_timeIndex->characters;
    const int selected = m_state.selectedIndex;
    // The thread shows it on the next frame: the nodes read the colour through.
    if (selected >= 0 && selected < static_cast<int>(characters.size())) {
        characters[size_t(selected)]->color = color;
        emit characterColorChanged(selected);
    }
}

void GraphWidget::changeDrawMode(int mode)
{
    Diagnostics::print("change mode to %d\n", mode);
    m_state.drawMode = mode;
    if (mode == 0)
        reset();
    updateLayout();
}

void GraphWidget::mousePressEvent(QMouseEvent *event)
{
    lastMouseX = event->position().toPoint().x();
    lastMouseY = event->position().toPoint().y();
    lastMouseButton = event->button();
    if (!upToDate)
        emit reparse();
}

void GraphWidget::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    ViewInteraction::applyDrag(lastMouseButton, at.x() - lastMouseX, at.y() - lastMouseY,
                               m_state.viewOffset, m_state.rotation, m_state.targetRotation);
    lastMouseX = at.x();
    lastMouseY = at.y();
}

void GraphWidget::keyPressEvent(QKeyEvent *event)
{
    m_state.selectedIndex = ViewInteraction::indexFromKeyText(event->text());
    updateLayout();
}

// A notch of a wheel is 120 eighths of a degree; touch pads report finer steps.
void GraphWidget::wheelEvent(QWheelEvent *event)
{
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        event->ignore();
        return;
    }
    ViewInteraction::applyWheel(static_cast<float>(delta) / 120.0f, m_state.viewOffset);
    event->accept();
}

int GraphWidget::threadAt(const QPoint &point) const
{
    if (!graphReady || !upToDate)
        return -1;
    // The viewport is in device pixels.
    const qreal ratio = devicePixelRatioF();
    return ThreadPicking::threadAt(m_model, m_state, QPointF(point) * ratio,
                                   static_cast<float>(pickTolerance * ratio));
}

bool GraphWidget::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QOpenGLWidget::event(event);
    const auto *help = static_cast<QHelpEvent *>(event);
    const int thread = threadAt(help->pos());
    if (thread < 0) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    const CharacterPtr &character = m_model.characters()[size_t(thread)];
    QToolTip::showText(help->globalPos(), character->names.join(QLatin1Char(' ')), this);
    return true;
}

void GraphWidget::resizeGL(int logicalWidth, int logicalHeight)
{
    const QSize pixels = devicePixels(*this, logicalWidth, logicalHeight);
    const int width = pixels.width();
    const int height = pixels.height();
    Diagnostics::print("resize %d %d \n", width, height);
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const double aspect = height == 0 ? width : static_cast<double>(width) / height;
    gluPerspective(45.0, aspect, 1.0, 5000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    m_state.viewportWidth = width;
    m_state.viewportHeight = height;
}

bool GraphWidget::atRest() const
{
    return m_stepper.settled() && !m_gate.needsFrame(frameInputs(), !pendingImageFile.isEmpty());
}

GraphWidget::FrameHold::FrameHold(GraphWidget &view)
    : m_view(view)
{
    ++m_view.m_frameHolds;
}

GraphWidget::FrameHold::~FrameHold()
{
    if (--m_view.m_frameHolds == 0)
        m_view.update();
}

void GraphWidget::paintFrame()
{
    // Renders into the view's framebuffer, making its context first where it has none.
    grabFramebuffer();
}

void GraphWidget::redrawTick()
{
    if (m_frameHolds > 0)
        return;
    const FrameInputs inputs = frameInputs();
    const bool imagePending = !pendingImageFile.isEmpty();
    if (!m_gate.needsFrame(inputs, imagePending))
        return;
    const bool progressOnly = !m_gate.inputsNeedFrame(inputs, imagePending);
    if (progressOnly && m_sinceFrame.isValid() &&
        m_sinceFrame.elapsed() < progressFrameGapFactor * m_lastFrameMs)
        return;
    update();
}

void GraphWidget::holdLayout(bool held)
{
    m_layoutHeld = held;
    if (held)
        m_layoutTimer.stop();
    else
        updateLayout();
}

void GraphWidget::layoutTick()
{
    if (m_frameHolds > 0 || m_layoutHeld)
        return; // the threads are about to be replaced, or the layout is held
    QElapsedTimer spent;
    spent.start();
    bool moved = false;
    while (m_stepper.step(m_model)) {
        moved = true;
        if (spent.elapsed() >= layoutBudgetMs)
            break;
    }
    if (moved)
        m_gate.layoutMoved();
    if (m_stepper.settled())
        m_layoutTimer.stop();
}

void GraphWidget::updateLayout()
{
    m_stepper.setSettings(
        {m_state.drawMode, m_state.selectedIndex, m_state.moveToPlane, m_state.drawM});
    if (!m_stepper.settled() && !m_layoutHeld && !m_layoutTimer.isActive())
        m_layoutTimer.start();
}

void GraphWidget::warmLayout()
{
    m_stepper.warm();
    updateLayout();
}

FrameInputs GraphWidget::frameInputs() const
{
    FrameInputs inputs;
    inputs.state = m_state;
    inputs.colors.reserve(m_model.characters().size());
    for (const CharacterPtr &character : m_model.characters())
        inputs.colors.push_back(character->color);
    inputs.modelGeneration = m_modelGeneration;
    inputs.upToDate = upToDate;
    inputs.graphReady = graphReady;
    return inputs;
}

void GraphWidget::drawReparsePrompt()
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-1.0, 1.0, -1.0, 1.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // Starting at the centre of the view, on its baseline.
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.drawText(QPoint(width() / 2, height() / 2), QStringLiteral("Click here to reparse"));
}

// The frame just drawn is read from the buffer it was drawn into, before the swap, so the
// image is the picture of this frame and not the one shown before it.
void GraphWidget::writePendingImage()
{
    if (pendingImageFile.isEmpty())
        return;
    // The view's framebuffer is multisampled and cannot be read: it is resolved into one
    // that can.
    const QSize pixels(m_state.viewportWidth, m_state.viewportHeight);
    QOpenGLFramebufferObject resolved(pixels);
    QOpenGLFramebufferObject::blitFramebuffer(&resolved, QRect(QPoint(), pixels), nullptr,
                                              QRect(QPoint(), pixels));
    resolved.bind();
    const QImage image =
        ThreadRenderer::captureFrame(pixels.width(), pixels.height(), GL_COLOR_ATTACHMENT0);
    QOpenGLFramebufferObject::bindDefault();
    QString reason;
    const bool written = saveImageFile(image, pendingImageFile, &reason);
    // Cleared first: a slot of the signal may ask for the next image.
    const QString path = pendingImageFile;
    pendingImageFile.clear();
    emit imageWritten(path, written, reason);
}

void GraphWidget::paintGL()
{
    m_sinceFrame.start();
    // A view drawn by paintFrame before it was ever shown has had no resize event, and so
    // no viewport: it gets one of its present size.
    if (QSize(m_state.viewportWidth, m_state.viewportHeight) !=
        devicePixels(*this, width(), height()))
        resizeGL(width(), height());
    ThreadRenderer::beginFrame();
    // Only the background while held, for a part of the view the window system asks for.
    if (m_frameHolds > 0)
        return;
    if (!upToDate)
        drawReparsePrompt();
    if (graphReady && upToDate && m_model.graphReady()) {
        ViewInteraction::turnStep(m_state.rotation, m_state.targetRotation, m_state.spinSpeed);
        m_renderer->drawGraph(m_model, m_state);
        writePendingImage();
    }
    m_gate.frameDrawn(frameInputs());
    glFlush();
    m_lastFrameMs = m_sinceFrame.elapsed();
}
