#include "view/GraphWidget.h"

#include <QColorDialog>
#include <QListWidgetItem>
#include <QWebView>

#include <cstdio>

// TODO(thread view): drawing, layout and interaction pending; the slots store their values.

GraphWidget::GraphWidget(QWidget *parent)
    : QGLWidget(QGLFormat(QGL::SampleBuffers), parent), m_colorDialog(new QColorDialog())
{
    connect(m_colorDialog, &QColorDialog::currentColorChanged, this,
            &GraphWidget::currentColorChanged);
}

GraphWidget::~GraphWidget()
{
    delete m_colorDialog;
}

void GraphWidget::clearThreads()
{
    graphReady = false;
    m_timeIndex = nullptr;
}

void GraphWidget::buildThreads(TimeIndexVector *index, float)
{
    m_timeIndex = index;
}

void GraphWidget::setImageFileName(const QString &name)
{
    pendingImageFile = name;
}

void GraphWidget::setDrawingControls(QWebView *webView, QCheckBox *, QCheckBox *, QCheckBox *,
                                     QCheckBox *, QCheckBox *, QCheckBox *)
{
    m_webView = webView;
}

void GraphWidget::selectByText(const QString &) {}
void GraphWidget::saveImage() { std::printf("save file?\n"); }
void GraphWidget::changeInactiveThreadSize(double value) { activeThreadSize = float(value); }
void GraphWidget::changeActiveThreadSize(double value) { inactiveThreadSize = float(value); }
void GraphWidget::changeThreadTransparency(double value) { threadTransparency = float(value); }
void GraphWidget::selectionChanged() {}
void GraphWidget::changeDrawM(double value) { drawM = float(value); }
void GraphWidget::changeDrawPow(double value) { drawPow = float(value); }
void GraphWidget::drawStateChanged(int) {}
void GraphWidget::spinRight() { targetRotation[0] = (int(targetRotation[0] / 90) + 1) * 90.0f; }
void GraphWidget::spinLeft() { targetRotation[0] = (int(targetRotation[0] / 90) - 1) * 90.0f; }
void GraphWidget::reset() {}
void GraphWidget::ColorPicker() { m_colorDialog->open(); }
void GraphWidget::ListItemClicked(QListWidgetItem *item) { selectByText(item->text()); }
void GraphWidget::currentColorChanged(QColor) {}
void GraphWidget::changeDrawMode(int mode)
{
    std::printf("change mode to %d\n", mode);
    drawMode = mode;
}
void GraphWidget::paintGL() {}
