#pragma once

#include <QColor>
#include <QGLWidget>
#include <QString>

class QCheckBox;
class QColorDialog;
class QListWidgetItem;
class QWebView;
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
    void buildThreads(TimeIndexVector *index, float step);
    void setImageFileName(const QString &name);
    void setDrawingControls(QWebView *webView, QCheckBox *spheres, QCheckBox *springs,
                            QCheckBox *drawGrid, QCheckBox *flipAxis, QCheckBox *moveToPlane,
                            QCheckBox *drawNames);
    QColorDialog *colorDialog() const { return m_colorDialog; }
    void selectByText(const QString &text);

    bool upToDate = true;
    bool graphReady = false;
    int selectedIndex = -1;
    float activeThreadSize = 3.0f;
    float inactiveThreadSize = 0.5f;
    float threadTransparency = 0.2f;
    float drawM = 0.1f;
    float drawPow = 0.5f;
    int drawMode = 0;
    float rotation[3] = {0, 0, 0};
    float targetRotation[3] = {0, 0, 0};
    QString pendingImageFile;

signals:
    void reparse();

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
    void paintGL() override;

private:
    QColorDialog *m_colorDialog = nullptr;
    TimeIndexVector *m_timeIndex = nullptr;
    QWebView *m_webView = nullptr;
};
