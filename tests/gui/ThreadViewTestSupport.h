#pragma once

#include "../SceneIndexBuilder.h"
#include "views/GraphWidget.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QWindow>

#include <memory>

// A thread view in a top-level window of a fixed size, shown and exposed, so that its
// frames really draw (a window that is not mapped gets no paint events).
template<typename View = GraphWidget>
std::unique_ptr<View> shownGraphWidget(int width = 640, int height = 480)
{
    auto widget = std::make_unique<View>();
    widget->setFixedSize(width, height);
    widget->show();
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 5000 &&
           (widget->windowHandle() == nullptr || !widget->windowHandle()->isExposed()))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return widget;
}

// Three characters in pure, easily told apart colours.
inline std::vector<QColor> primaryColors()
{
    return {QColor(255, 0, 0), QColor(0, 0, 255), QColor(0, 200, 0)};
}

// Runs the event loop until `done` holds or `timeoutMs` have passed; returns `done()`.
template<typename Condition> bool processEventsUntil(Condition done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}
