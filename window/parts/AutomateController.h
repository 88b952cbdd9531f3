#pragma once

#include "automation/AutomationRun.h"
#include "automation/BatchTarget.h"

#include <QObject>

class DocumentController;
class GraphWidget;
class QWidget;
class StatisticsExport;

// The window's side of Automate: the dialog that sets a batch going, and what each step does
// with the window (load a screenplay, draw and write its picture, write its statistics).
class AutomateController : public QObject, public BatchTarget
{
    Q_OBJECT
public:
    AutomateController(DocumentController &document, StatisticsExport &statistics,
                       GraphWidget &view, QWidget *window);

    AutomationRun automation{*this}; // the timer chain over automateFiles

    // File > "Automate": choose the screenplays and the outputs, then start the run.
    void showDialog();

    bool loadScreenplay(const QString &path) override;
    QString screenplayPath() const override;
    // Paints the thread view directly (not waiting for its timer) until it has written
    // `name`; a request it cannot serve is withdrawn.
    bool writeThreadImage(const QString &name) override;
    void writeSceneStats(const QString &name) override;
    void writeCharacterStats(const QString &name) override;

signals:
    void notDone(const QString &what, const QString &reason);

private:
    DocumentController &m_document;
    StatisticsExport &m_statistics;
    GraphWidget &m_view;
    QWidget *m_window;
};
