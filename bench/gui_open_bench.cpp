// Times opening a screenplay in the main window as a user sees it: when the first progress
// dialog is shown and first painted, how long the event loop goes without running (the
// longest wait an "Abort" click would have), the whole load, when the text is shown (the text
// view's last paint up to a second after the load), and the resident memory 2 and
// 10 seconds after it. With --abort MS the dialog's "Abort" button is pressed that long after
// the start, and the time until the window takes the click is reported; with --picture PNG
// the window is saved as a picture a second after the load; with --after EARLIER the window
// has opened EARLIER before the timed load, so the time to let go of it is counted and the
// memory held with it open is reported; with --mode N the thread view is put in draw mode N
// after the load; with --idle SECONDS the thread view is given that long to come to rest,
// and the process's processor time over the 10 s that follow is reported. The settings
// files are read from the screenplay's folder.
//
// Usage: gui_open_bench SCREENPLAY [--abort MS] [--picture PNG] [--after EARLIER]
//                      [--mode N] [--idle SECONDS]   (run under a display)

#include "app/TextVisAccess.h"
#include "views/GraphWidget.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

// Watches every progress dialog: the first show, the first paint and each press of Abort;
// and the last paint of the text view.
class DialogWatch : public QObject
{
public:
    explicit DialogWatch(const QElapsedTimer &clock)
        : m_clock(clock)
    {
    }

    qint64 firstShown = -1;
    qint64 firstPainted = -1;
    qint64 abortTaken = -1;
    QString firstPaintedLabel;
    qint64 textLastPainted = -1;

protected:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (m_clock.isValid() && event->type() == QEvent::Paint && isTextView(object))
            textLastPainted = m_clock.elapsed();
        auto *dialog = qobject_cast<QProgressDialog *>(object);
        if (dialog == nullptr || !m_clock.isValid())
            return false;
        if (event->type() == QEvent::Show && firstShown < 0)
            firstShown = m_clock.elapsed();
        if (event->type() == QEvent::Paint && firstPainted < 0) {
            firstPainted = m_clock.elapsed();
            firstPaintedLabel = dialog->labelText();
        }
        return false;
    }

private:
    // The text view, or the viewport it paints its text in.
    static bool isTextView(QObject *object)
    {
        const QString name = QStringLiteral("webView");
        return object->objectName() == name ||
               (object->parent() != nullptr && object->parent()->objectName() == name);
    }

    const QElapsedTimer &m_clock;
};

QString visibleDialogLabel()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        auto *dialog = qobject_cast<QProgressDialog *>(widget);
        if (dialog != nullptr && dialog->isVisible())
            return dialog->labelText() + QStringLiteral(" ") + QString::number(dialog->value()) +
                   QStringLiteral("/") + QString::number(dialog->maximum());
    }
    return QStringLiteral("no dialog");
}

// The longest time between two runs of the event loop while the clock runs.
class Heartbeat
{
public:
    explicit Heartbeat(const QElapsedTimer &clock)
        : m_clock(clock)
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { beat(); });
        m_timer.start(5);
    }
    qint64 longestGap = 0;

    // Each gap of more than this is listed with the progress dialog shown when it ended.
    static constexpr qint64 listedGapMs = 100;
    QStringList longGaps;

    // Counts the gap from the last run of the event loop up to now.
    void beat()
    {
        if (!m_clock.isValid())
            return;
        const qint64 now = m_clock.elapsed();
        longestGap = std::max(longestGap, now - m_last);
        if (now - m_last > listedGapMs)
            longGaps.append(QStringLiteral("%1 ms from %2 ms (%3)")
                                .arg(now - m_last)
                                .arg(m_last)
                                .arg(visibleDialogLabel()));
        m_last = now;
    }

private:
    const QElapsedTimer &m_clock;
    QTimer m_timer;
    qint64 m_last = 0;
};

// Accepts the About dialog of the window's construction.
void acceptModalDialogs(QTimer &timer)
{
    QObject::connect(&timer, &QTimer::timeout, [] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (dialog != nullptr && qobject_cast<QProgressDialog *>(dialog) == nullptr)
            dialog->accept();
    });
    timer.start(10);
}

void pressAbortAfter(QTimer &timer, int milliseconds, const QElapsedTimer &clock,
                     DialogWatch &watch)
{
    timer.setSingleShot(false);
    QObject::connect(&timer, &QTimer::timeout, [&timer, milliseconds, &clock, &watch] {
        if (!clock.isValid() || clock.elapsed() < milliseconds)
            return;
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            auto *dialog = qobject_cast<QProgressDialog *>(widget);
            if (dialog == nullptr || !dialog->isVisible())
                continue;
            if (auto *button = dialog->findChild<QPushButton *>()) {
                button->click();
                watch.abortTaken = clock.elapsed();
                timer.stop();
            }
        }
    });
    timer.start(1);
}

// The process's resident memory now and at its peak, in MB, as /proc/self/status gives them.
QString residentMemory()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return QStringLiteral("unknown");
    QString now;
    QString peak;
    for (const QByteArray &line : status.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() >= 2 && fields[0] == "VmRSS:")
            now = QString::number(fields[1].toLongLong() / 1024);
        if (fields.size() >= 2 && fields[0] == "VmHWM:")
            peak = QString::number(fields[1].toLongLong() / 1024);
    }
    return now + QStringLiteral(" MB (peak ") + peak + QStringLiteral(" MB)");
}

double processSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// Runs the window's own event loop, which sleeps while nothing happens, until `done` holds
// (looked at every 100 ms) or `milliseconds` have passed.
template<typename Condition> void runEventsUntil(Condition done, qint64 milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (done() || clock.elapsed() >= milliseconds)
            loop.quit();
    });
    poll.start(100);
    loop.exec();
}

void runEventsFor(qint64 milliseconds)
{
    runEventsUntil([] { return false; }, milliseconds);
}

// Runs the events until the thread view rests, notes when, and goes on until `seconds` have
// passed since the load; then reports the share of a core the whole process (the renderer's
// threads included) uses over the next 10 s.
void reportIdle(textVis &window, int seconds)
{
    QElapsedTimer settling;
    settling.start();
    const GraphWidget &view = *formOf(window).ThreadView;
    runEventsUntil([&view] { return view.atRest(); }, qint64(seconds) * 1000);
    std::fprintf(stderr, "  thread view %s after %.1f s\n",
                 view.atRest() ? "at rest" : "still moving", settling.elapsed() / 1000.0);
    runEventsFor(qint64(seconds) * 1000 - settling.elapsed());
    std::fprintf(stderr, "  measured from %.1f s after the load\n", settling.elapsed() / 1000.0);
    const double before = processSeconds();
    QElapsedTimer measured;
    measured.start();
    runEventsFor(10000);
    std::fprintf(stderr, "  processor over 10 s   %.1f %% of a core\n",
                 100.0 * (processSeconds() - before) / (measured.elapsed() / 1000.0));
}

} // namespace

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    // The options and their values, in pairs after the screenplay.
    QHash<QString, QString> options;
    for (int i = 2; i + 1 < arguments.size(); i += 2)
        options.insert(arguments.at(i), arguments.at(i + 1));
    const QStringList known = {"--abort", "--picture", "--after", "--idle", "--mode"};
    const bool valid = arguments.size() >= 2 && arguments.size() % 2 == 0 &&
                       std::all_of(options.keyBegin(), options.keyEnd(),
                                   [&known](const QString &key) { return known.contains(key); });
    if (!valid) {
        std::fprintf(stderr, "Usage: gui_open_bench SCREENPLAY [--abort MS] [--picture PNG] "
                             "[--after EARLIER] [--idle SECONDS] [--mode N]\n");
        return 2;
    }
    const QFileInfo screenplay(arguments.at(1));
    QDir::setCurrent(screenplay.absolutePath());

    QTimer answerer;
    acceptModalDialogs(answerer);
    textVis window;
    window.show();
    while (window.windowHandle() == nullptr || !window.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    answerer.stop();
    if (options.contains("--after")) {
        // The earlier screenplay is shown and the window left alone for a while, as a user
        // would read it before choosing the next one.
        window.loadScreenplay(QFileInfo(options.value("--after")).absoluteFilePath());
        runEventsFor(3000);
        std::fprintf(stderr, "  memory with the earlier one open  %s\n",
                     qPrintable(residentMemory()));
    }

    QElapsedTimer clock;
    DialogWatch watch(clock);
    application.installEventFilter(&watch);
    Heartbeat heartbeat(clock);
    QTimer abort;
    const int abortAfter = options.value("--abort", "-1").toInt();
    if (abortAfter >= 0)
        pressAbortAfter(abort, abortAfter, clock, watch);

    clock.start();
    window.loadScreenplay(screenplay.absoluteFilePath());
    const qint64 total = clock.elapsed();
    heartbeat.beat();
    // A text view may lay its page out only when it first paints it, after the load: the text
    // is shown with the last paint of the view in the second that follows.
    runEventsFor(1000);
    std::fflush(stdout);
    std::fprintf(stderr, "\n%s: %d lines\n", qPrintable(screenplay.fileName()),
                 int(documentOf(window).analysis()->textLines.size()));
    std::fprintf(stderr, "  first dialog shown    %lld ms\n", watch.firstShown);
    std::fprintf(stderr, "  first dialog painted  %lld ms (%s)\n", watch.firstPainted,
                 qPrintable(watch.firstPaintedLabel));
    std::fprintf(stderr, "  longest event stall   %lld ms\n", heartbeat.longestGap);
    for (const QString &gap : heartbeat.longGaps)
        std::fprintf(stderr, "    stall %s\n", qPrintable(gap));
    if (abortAfter >= 0)
        std::fprintf(stderr, "  Abort pressed at      %lld ms\n", watch.abortTaken);
    std::fprintf(stderr, "  whole load            %lld ms\n", total);
    std::fprintf(stderr, "  text shown            %lld ms\n", watch.textLastPainted);
    // What is let go of is freed off the window's thread: given a moment first.
    runEventsFor(1000);
    std::fprintf(stderr, "  memory 2 s later      %s\n", qPrintable(residentMemory()));
    runEventsFor(8000);
    std::fprintf(stderr, "  memory 10 s later     %s\n", qPrintable(residentMemory()));
    if (options.contains("--mode"))
        formOf(window).ThreadView->changeDrawMode(options.value("--mode").toInt());
    if (options.contains("--idle"))
        reportIdle(window, options.value("--idle").toInt());
    if (options.contains("--picture")) {
        // A second of the window as it is left, then its picture.
        runEventsFor(1000);
        // From the screen: a grab of the widgets would not read the OpenGL view.
        window.screen()->grabWindow(window.winId()).save(options.value("--picture"));
    }
    return 0;
}
