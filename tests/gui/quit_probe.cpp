// Test-only program: builds the main window, then chooses File > "Quit" through the File
// menu's triggered(QAction*) path. The test checks the exit status and what was printed.
#include "WindowTestSupport.h"

#include <QMenu>

#include <cstdio>

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    textVis *window = nullptr;
    {
        ModalAnswerer answerer;
        window = new textVis();
    }
    window->show();
    QTimer::singleShot(0, [window] {
        std::printf("quit-probe: triggering Quit\n");
        std::fflush(stdout);
        formOf(*window).actionQuit->trigger();
        std::printf("quit-probe: still running\n");
        std::fflush(stdout);
        QApplication::exit(0);
    });
    return application.exec();
}
