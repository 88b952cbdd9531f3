#include "parts/DialogProgress.h"

#include "ThreadViewTestSupport.h"

#include <QApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

TEST(DialogProgressTest, PaintsAsTheStageBeginsAndTakesAbortWhileTheStageRuns)
{
    QWidget window;
    window.resize(400, 300);
    window.show();
    DialogProgress progress(&window);
    progress.begin(QStringLiteral("Stage"), 1000000);
    ASSERT_NE(progress.dialog(), nullptr);
    // On the screen before the stage does any work.
    EXPECT_TRUE(progress.dialog()->windowHandle()->isExposed());

    // A stage that never returns to the event loop but reports each "line": the click,
    // queued 200 ms in, is taken while it runs.
    QTimer::singleShot(200,
                       [&progress] { progress.dialog()->findChild<QPushButton *>()->click(); });
    QElapsedTimer clock;
    clock.start();
    int line = 0;
    while (!progress.wasCanceled() && clock.elapsed() < 3000)
        progress.setValue(++line % 1000000);
    EXPECT_TRUE(progress.wasCanceled());
    EXPECT_LT(clock.elapsed(), 200 + 2 * DialogProgress::eventIntervalMs + 100);
    progress.finish();
    EXPECT_FALSE(progress.dialog()->isVisible());
}

TEST(DialogProgressTest, TitlesOfABurstEndWithTheLastOne)
{
    QWidget window;
    window.show();
    DialogProgress progress(&window);
    progress.begin(QStringLiteral("Stage"), 100);
    for (int i = 0; i <= 1000; ++i)
        progress.setTitle(QStringLiteral("Found: %1").arg(i));
    // Held back: the window system is not given a thousand titles in a few milliseconds.
    EXPECT_NE(progress.dialog()->windowTitle(), QStringLiteral("Found: 1000"));
    progress.finish();
    EXPECT_EQ(progress.dialog()->windowTitle(), QStringLiteral("Found: 1000"));
}
