#pragma once

#include "automation/AutomationRun.h"
#include "automation/BatchTarget.h"

#include <QObject>

class DocumentController;
class GraphWidget;
class QProgressBar;
class QStatusBar;
class QWidget;
class StatisticsExport;

// The window's side of Automate: the dialog that sets a batch going, what each step does
// with the window (load a screenplay, draw and write its picture, write its statistics), the
// run's progress in the status bar and its summary at the end.
class AutomateController : public QObject, public BatchTarget
{
    Q_OBJECT
public:
    AutomateController(DocumentController &document, StatisticsExport &statistics,
                       GraphWidget &view, QStatusBar &statusBar, QWidget *window);

    AutomationRun automation{*this}; // the timer chain over automateFiles

    // File > "Automate": choose the screenplays and the outputs, then start the run.
    void showDialog();

    bool loadScreenplay(const QString &path, QString *reason) override;
    // Paints the thread view directly (not waiting for its timer) until it has written
    // `name`; a request it cannot serve is withdrawn.
    bool writeThreadImage(const QString &name, QString *reason) override;
    bool writeSceneStats(const QString &name, QString *reason) override;
    bool writeCharacterStats(const QString &name, QString *reason) override;

signals:
    void notDone(const QString &what, const QString &reason);

private:
    void showProgress(int done, int total);
    void showSummary();

    DocumentController &m_document;
    StatisticsExport &m_statistics;
    GraphWidget &m_view;
    QStatusBar &m_statusBar;
    QProgressBar *m_progressBar; // in the status bar, shown while a run goes on
    QWidget *m_window;
};
