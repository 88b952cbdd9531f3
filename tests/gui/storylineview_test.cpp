#include "WindowTestSupport.h"

#include "document/AnalysisSession.h"
#include "document/SceneTitle.h"
#include "scenes/ResearchName.h"
#include "views/GraphWidget.h"
#include "views/MarkupView.h"
#include "views/StorylineView.h"

#include <QListWidget>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

namespace {

std::shared_ptr<const Analysis> analysedCorpus(const QString &name)
{
    AnalysisSession session(SettingsPaths::in(QDir::currentPath()));
    session.readSettings();
    return session.analyse(corpusFile(name));
}

// Waits for the layout made away from the window's thread.
bool waitForPicture(StorylineView &view)
{
    QSignalSpy shown(&view, &StorylineView::pictureShown);
    return view.picture() != nullptr || shown.wait(30000);
}

// A step where the character's line is drawn.
int stepOfLine(const StorylinePicture &picture, int character)
{
    const std::vector<int> &line = picture.layout().lineSlots[size_t(character)];
    return int(std::find_if(line.begin(), line.end(), [](int slot) { return slot >= 0; }) -
               line.begin());
}

} // namespace

TEST(StorylineViewTest, ClicksOnALineAndOnAScene_AreReported_AndHoveringNamesThem)
{
    WorkingDirectory dir;
    dir.scratch().write(QStringLiteral("breakStrings.txt"), "INT.\nEXT.\n");
    StorylineView view;
    view.resize(900, 600);
    view.show();
    const std::shared_ptr<const Analysis> analysis =
        analysedCorpus(QStringLiteral("the_library_freak_out.txt"));
    view.showAnalysis(analysis);
    ASSERT_TRUE(waitForPicture(view));
    const StorylinePicture &picture = *view.picture();

    const int step = stepOfLine(picture, 0);
    view.setZoom(1.5, QPoint());
    const QPoint onLine = view.viewAt(picture.pointAt(0, step));
    view.horizontalScrollBar()->setValue(view.horizontalScrollBar()->value() + onLine.x() - 300);
    view.verticalScrollBar()->setValue(view.verticalScrollBar()->value() + onLine.y() - 200);
    const QPoint at = view.viewAt(picture.pointAt(0, step));
    ASSERT_TRUE(view.viewport()->rect().contains(at));
    QSignalSpy characters(&view, &StorylineView::characterClicked);
    QSignalSpy scenes(&view, &StorylineView::sceneClicked);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, at);
    ASSERT_EQ(characters.count(), 1);
    EXPECT_EQ(characters.at(0).at(0).toInt(), 0);
    QHelpEvent hover(QEvent::ToolTip, at, view.viewport()->mapToGlobal(at));
    QApplication::sendEvent(view.viewport(), &hover);
    EXPECT_TRUE(QToolTip::text().startsWith(researchName(*analysis->timeIndex->characters[0]) +
                                            QLatin1Char('\n')))
        << QToolTip::text().toStdString();
    EXPECT_TRUE(QToolTip::text().contains(QStringLiteral("speaker lines")));

    // The scene's column below every line, at the numbers of the time axis.
    view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum());
    const QPoint axis =
        view.viewAt(QPointF(picture.pointAt(0, step).x(), picture.size().height() - 4));
    ASSERT_TRUE(view.viewport()->rect().contains(axis));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, axis);
    EXPECT_EQ(characters.count(), 1);
    ASSERT_EQ(scenes.count(), 1);
    EXPECT_EQ(scenes.at(0).at(0).toInt(), step);
    QHelpEvent hoverScene(QEvent::ToolTip, axis, view.viewport()->mapToGlobal(axis));
    QApplication::sendEvent(view.viewport(), &hoverScene);
    EXPECT_EQ(QToolTip::text(),
              QStringLiteral("Scene %1: %2").arg(step).arg(sceneTitle(*analysis, step)));

    // A drag moves the picture instead of clicking.
    view.setZoom(StorylineView::largestZoom, QPoint());
    ASSERT_GT(view.horizontalScrollBar()->maximum(), 200);
    view.horizontalScrollBar()->setValue(view.horizontalScrollBar()->maximum() / 2);
    const int before = view.horizontalScrollBar()->value();
    QTest::mousePress(view.viewport(), Qt::LeftButton, {}, QPoint(400, 300));
    QMouseEvent move(QEvent::MouseMove, QPointF(300, 300), QPointF(), Qt::NoButton, Qt::LeftButton,
                     {});
    QApplication::sendEvent(view.viewport(), &move);
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, QPoint(300, 300));
    EXPECT_EQ(view.horizontalScrollBar()->value(), before + 100);
    EXPECT_EQ(scenes.count() + characters.count(), 2);
}

TEST(StorylineViewTest, Window_TabBesideTheThreads_LineSelectsTheCharacter_SceneScrollsTheText)
{
    WorkingDirectory dir;
    std::unique_ptr<textVis> window = makeWindow(dir.scratch());
    Ui::textVisClass &form = formOf(*window);
    ASSERT_GE(form.viewTabs->count(), 2);
    EXPECT_EQ(form.viewTabs->tabText(0), QStringLiteral("Threads"));
    EXPECT_EQ(form.viewTabs->tabText(1), QStringLiteral("Storyline")) << "beside the threads";
    window->show();
    const QString screenplay = dir.scratch().file(QStringLiteral("library.txt"));
    QFile::copy(corpusFile(QStringLiteral("the_library_freak_out.txt")), screenplay);
    {
        ModalAnswerer answerer;
        ASSERT_TRUE(window->loadScreenplay(screenplay));
    }
    form.viewTabs->setCurrentIndex(1);
    ASSERT_TRUE(waitForPicture(*form.storylineView));

    emit form.storylineView->characterClicked(2);
    EXPECT_EQ(form.listWidget->currentRow(), 2);
    EXPECT_TRUE(form.listWidget->item(2)->isSelected());
    EXPECT_EQ(form.ThreadView->viewState().selectedIndex, 2) << "pinned as a click on its row";
    EXPECT_EQ(form.storylineView->emphasised(), 2);

    const int lastScene = int(form.storylineView->picture()->layout().stepCount) - 1;
    form.webView->verticalScrollBar()->setValue(0);
    emit form.storylineView->sceneClicked(lastScene);
    EXPECT_GT(form.webView->verticalScrollBar()->value(), 0);

    const QString saved = dir.scratch().file(QStringLiteral("story.svg"));
    {
        ModalAnswerer answerer(chooseFile(saved));
        form.actionSave_Storyline->trigger();
    }
    EXPECT_TRUE(readBytes(saved).contains("<svg"));
    EXPECT_EQ(form.statusBar->currentMessage(), QStringLiteral("Wrote %1").arg(saved));
}
