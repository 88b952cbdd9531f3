#include "app/textVis.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    auto *window = new textVis();
    window->show();
    const int status = application.exec();
    delete window;
    return status;
}
