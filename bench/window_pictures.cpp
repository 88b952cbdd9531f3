// Takes the README's pictures of the main window: a screenplay opened as a user opens it, then
// the whole window in each draw mode once its thread view has come to rest, names drawn in
// the two modes where they label threads, and the window showing the report. The settings files are
// read from the screenplay's folder. Usage: window_pictures SCREENPLAY OUTPUT_FOLDER   (run under a
// display)

#include "app/TextVisAccess.h"
#include "views/GraphWidget.h"
#include "views/MarkupView.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPixmap>
#include <QProgressDialog>
#include <QScreen>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>
#include <QWindow>

#include <cstdio>

namespace {

// Long enough for the simulated layout of a short screenplay to settle.
constexpr int restTimeoutMs = 120000;

struct Picture
{
    int mode;
    bool names;
    const char *file;
};

const Picture pictures[] = {{0, true, "window-mode-0-force-directed.png"},
                            {1, false, "window-mode-1-color-weaving.png"},
                            {2, true, "window-mode-2-convergence-graph.png"},
                            {3, false, "window-mode-3-increasing-graph.png"}};

template<typename Condition> void processEventsUntil(Condition done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

bool take(textVis &window, const Picture &picture, const QDir &output)
{
    GraphWidget *view = formOf(window).ThreadView;
    formOf(window).checkBox_DrawNames->setChecked(picture.names);
    formOf(window).comboBox_DrawMode->setCurrentIndex(picture.mode);
    view->changeDrawMode(picture.mode); // as choosing it in the list does
    processEventsUntil([view] { return view->atRest(); }, restTimeoutMs);
    const QPixmap shot = window.screen()->grabWindow(window.winId());
    const QString path = output.filePath(QString::fromLatin1(picture.file));
    const bool saved = shot.save(path);
    std::printf("%s: %s%s\n", qPrintable(path), saved ? "written" : "NOT written",
                view->atRest() ? "" : " (the view had not come to rest)");
    return saved;
}

bool takeReport(textVis &window, const QDir &output)
{
    QTabWidget *tabs = formOf(window).viewTabs;
    tabs->setCurrentWidget(formOf(window).reportTab);
    processEventsUntil([] { return false; }, 500); // the charts are laid out and drawn
    const QPixmap shot = window.screen()->grabWindow(window.winId());
    const QString path = output.filePath(QStringLiteral("window-report.png"));
    const bool saved = shot.save(path);
    std::printf("%s: %s\n", qPrintable(path), saved ? "written" : "NOT written");
    tabs->setCurrentWidget(formOf(window).threadsTab);
    return saved;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3) {
        std::fprintf(stderr, "Usage: window_pictures SCREENPLAY OUTPUT_FOLDER\n");
        return 2;
    }
    const QFileInfo screenplay(arguments.at(1));
    const QDir output(QFileInfo(arguments.at(2)).absoluteFilePath());
    QDir::setCurrent(screenplay.absolutePath());

    QTimer answerer; // accepts the About dialog of the window's construction
    QObject::connect(&answerer, &QTimer::timeout, [] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (dialog != nullptr && qobject_cast<QProgressDialog *>(dialog) == nullptr)
            dialog->accept();
    });
    answerer.start(10);
    textVis window;
    window.show();
    processEventsUntil(
        [&window] { return window.windowHandle() && window.windowHandle()->isExposed(); }, 5000);
    answerer.stop();
    if (!window.loadScreenplay(screenplay.absoluteFilePath())) {
        std::fprintf(stderr, "window_pictures: cannot read %s\n", qPrintable(arguments.at(1)));
        return 1;
    }
    // Past the title page, so the marked-up dialogue shows.
    formOf(window).webView->verticalScrollBar()->setValue(420);
    bool allSaved = true;
    for (const Picture &picture : pictures)
        allSaved = take(window, picture, output) && allSaved;
    allSaved = takeReport(window, output) && allSaved;
    return allSaved ? 0 : 1;
}
