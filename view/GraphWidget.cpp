#include "view/GraphWidget.h"

#include "reader/Diagnostics.h"
#include "scenes/TimeIndexVector.h"
#include "shaders/GlslSupport.h"
#include "view/ImageFile.h"
#include "view/ThreadRenderer.h"
#include "view/ViewInteraction.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QImage>
#include <QKeyEvent>
#include <QListWidgetItem>
#include <QMouseEvent>
#include <QWebFrame>
#include <QWebPage>
#include <QWebView>
#include <QWheelEvent>

#include <GL/glu.h>

#include <cmath>
#include <cstdlib>

namespace {

constexpr int redrawIntervalMs = 100;

bool isChecked(const QPointer<QCheckBox> &box)
{
    return !box.isNull() && box->isChecked();
}

} // namespace

GraphWidget::GraphWidget(QWidget *parent)
    : QGLWidget(QGLFormat(QGL::SampleBuffers), parent)
    , m_colorDialog(new QColorDialog())
{
    // paintGL swaps the buffers itself (it is also called directly, outside updateGL).
    setAutoBufferSwap(false);
    // The shader layer reads the GL identity when the renderer is made, so the context
    // must be current by then.
    makeCurrent();
    m_renderer = std::make_unique<ThreadRenderer>();
    initGLExtensions();

    // A click gives the view the keys, so the digits can pin a thread.
    setFocusPolicy(Qt::StrongFocus);
    connect(&redrawTimer, &QTimer::timeout, this, &GraphWidget::redrawTick);
    redrawTimer.start(redrawIntervalMs);
    Diagnostics::print("create GL Widget\n");
    connect(m_colorDialog, &QColorDialog::currentColorChanged, this,
            &GraphWidget::currentColorChanged);
}

GraphWidget::~GraphWidget()
{
    makeCurrent();
    m_renderer.reset();
    delete m_colorDialog;
}

void GraphWidget::clearThreads()
{
    m_model.clearThreads();
    ++m_modelGeneration;
    graphReady = false;
    m_timeIndex = nullptr;
}

void GraphWidget::buildThreads(const TimeIndexVector *index, float step)
{
    makeCurrent();
    if (!m_renderer->ensureWeaveProgram()) {
        Diagnostics::print("shader load error!\n");
        std::exit(-1);
    }
    m_timeIndex = index;
    ++m_modelGeneration;
    if (m_model.buildThreads(index, step)) {
        graphReady = true;
        upToDate = true;
    } else {
        graphReady = false;
    }
}

void GraphWidget::setImageFileName(const QString &name)
{
    pendingImageFile = name;
}

void GraphWidget::setDrawingControls(QWebView *webView, QCheckBox *spheres, QCheckBox *springs,
                                     QCheckBox *drawGrid, QCheckBox *flipAxis,
                                     QCheckBox *moveToPlane, QCheckBox *drawNames)
{
    m_webView = webView;
    checkBox_Spheres = spheres;
    checkBox_Springs = springs;
    checkBox_DrawGrid = drawGrid;
    checkBox_FlipAxis = flipAxis;
    checkBox_MoveToPlane = moveToPlane;
    checkBox_DrawNames = drawNames;
}

void GraphWidget::selectByText(const QString &text)
{
    m_state.selectedIndex =
        m_timeIndex != nullptr ? ViewInteraction::selectByText(m_timeIndex->characters, text) : -1;
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
    if (!m_webView.isNull())
        selectByText(m_webView->selectedText());
}

void GraphWidget::changeDrawM(double value)
{
    m_state.drawM = static_cast<float>(value);
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
    m_gate.wake();
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
}

void GraphWidget::mousePressEvent(QMouseEvent *event)
{
    lastMouseX = event->x();
    lastMouseY = event->y();
    lastMouseButton = event->button();
    m_gate.wake();
    if (!upToDate)
        emit reparse();
}

void GraphWidget::mouseMoveEvent(QMouseEvent *event)
{
    ViewInteraction::applyDrag(lastMouseButton, event->x() - lastMouseX, event->y() - lastMouseY,
                               m_state.viewOffset, m_state.rotation, m_state.targetRotation);
    lastMouseX = event->x();
    lastMouseY = event->y();
    m_gate.wake();
}

void GraphWidget::keyPressEvent(QKeyEvent *event)
{
    m_state.selectedIndex = ViewInteraction::indexFromKeyText(event->text());
    m_gate.wake();
}

// The wheel steers nothing; it only counts as the user's presence.
void GraphWidget::wheelEvent(QWheelEvent *event)
{
    m_gate.wake();
    QGLWidget::wheelEvent(event);
}

void GraphWidget::paintEvent(QPaintEvent *)
{
    paintGL();
}

void GraphWidget::resizeGL(int width, int height)
{
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
    return !m_gate.needsFrame(frameInputs(), !pendingImageFile.isEmpty());
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

void GraphWidget::redrawTick()
{
    if (m_frameHolds > 0)
        return;
    readControls();
    if (m_gate.needsFrame(frameInputs(), !pendingImageFile.isEmpty()))
        updateGL();
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

// The check boxes and the text view belong to the main window and may change or go away
// between frames, so they are read as each frame begins.
void GraphWidget::readControls()
{
    m_state.spheres = isChecked(checkBox_Spheres);
    m_state.springs = isChecked(checkBox_Springs);
    m_state.drawGrid = isChecked(checkBox_DrawGrid);
    m_state.flipAxis = isChecked(checkBox_FlipAxis);
    m_state.moveToPlane = isChecked(checkBox_MoveToPlane);
    m_state.drawNames = isChecked(checkBox_DrawNames);
    const QWebFrame *frame = m_webView.isNull() ? nullptr : m_webView->page()->mainFrame();
    m_state.hasTextView = frame != nullptr;
    m_state.scrollValue = frame != nullptr ? frame->scrollBarValue(Qt::Vertical) : 0;
    m_state.scrollMaximum = frame != nullptr ? frame->scrollBarMaximum(Qt::Vertical) : 0;
}

void GraphWidget::drawReparsePrompt()
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-1.0, 1.0, -1.0, 1.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glColor3f(0.0f, 0.0f, 0.0f);
    glScalef(2.0f, 2.0f, 2.0f);
    renderText(0.0, 0.0, 0.0, QStringLiteral("Click here to reparse"), QFont());
}

// The frame just drawn is read from the buffer it was drawn into, before the swap, so the
// image is the picture of this frame and not the one shown before it.
void GraphWidget::writePendingImage()
{
    if (pendingImageFile.isEmpty())
        return;
    const qreal ratio = devicePixelRatioF();
    const int pixelWidth = static_cast<int>(std::lround(width() * ratio));
    const int pixelHeight = static_cast<int>(std::lround(height() * ratio));
    const QImage image =
        ThreadRenderer::captureFrame(pixelWidth, pixelHeight, doubleBuffer() ? GL_BACK : GL_FRONT);
    QString reason;
    const bool written = saveImageFile(image, pendingImageFile, &reason);
    // Cleared first: a slot of the signal may ask for the next image.
    const QString path = pendingImageFile;
    pendingImageFile.clear();
    emit imageWritten(path, written, reason);
}

void GraphWidget::paintGL()
{
    // Also called directly (batch runs), so it does not rely on updateGL's makeCurrent.
    makeCurrent();
    ThreadRenderer::beginFrame();
    if (m_frameHolds > 0) {
        // Only the background, for a part of the view the window system asks to be drawn.
        if (doubleBuffer())
            swapBuffers();
        return;
    }
    readControls();
    const FrameInputs inputs = frameInputs();
    if (!upToDate)
        drawReparsePrompt();
    if (graphReady && upToDate && m_model.graphReady()) {
        m_renderer->drawGraph(m_model, m_state);
        writePendingImage();
    }
    m_gate.frameDrawn(inputs, m_model.nodes(),
                      RedrawGate::restDistance(m_state.viewportWidth, m_state.viewportHeight,
                                               m_model.graphHeight));
    glFlush();
    if (doubleBuffer())
        swapBuffers();
}
