#include "views/GraphWidget.h"

#include "threads/ViewTransform.h"
#include "views/MarkupView.h"

#include "../TestSupport.h"
#include "ThreadViewTestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QToolTip>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <optional>

namespace {

class GraphWidgetTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        index =
            makeSceneIndex(3, {{0.0f, 0.4f, {1, 1, 0}}, {0.4f, 1.0f, {0, 1, 1}}}, primaryColors());
        view = shownGraphWidget();
    }

    bool atHome() const
    {
        for (const ThreadNode &node : view->threadModel().nodes()) {
            if (node.position.x != node.homePosition.x || node.position.z != node.homePosition.z)
                return false;
        }
        return true;
    }

    void drawFrames(int count)
    {
        for (int frame = 0; frame < count; ++frame)
            view->paintFrame();
    }

    std::unique_ptr<TimeIndexVector> index;
    std::unique_ptr<GraphWidget> view;
};

// Counts the frames it draws.
class CountingView : public GraphWidget
{
public:
    int frames = 0;
    int exposedFrames = 0; // of those, the ones the window system asked for

protected:
    void paintGL() override
    {
        ++frames;
        GraphWidget::paintGL();
    }
    void paintEvent(QPaintEvent *event) override
    {
        ++exposedFrames;
        GraphWidget::paintEvent(event);
    }
};

void sendMouse(QWidget *widget, QEvent::Type type, QPoint at, Qt::MouseButton button)
{
    QMouseEvent event(type, at, widget->mapToGlobal(at),
                      type == QEvent::MouseMove ? Qt::NoButton : button,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button),
                      Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

} // namespace

TEST_F(GraphWidgetTest, Build_ReadyOnlyWithScenes)
{
    ASSERT_TRUE(view->isValid());
    view->upToDate = false;
    const auto empty = makeSceneIndex(2, {});
    view->buildThreads(empty.get(), 0.01f);
    EXPECT_FALSE(view->graphReady);
    EXPECT_FALSE(view->upToDate); // an index without scenes leaves the prompt as it was
    view->buildThreads(index.get(), 0.01f);
    EXPECT_TRUE(view->graphReady);
    EXPECT_TRUE(view->upToDate);
    EXPECT_EQ(view->threadModel().nodes().size(), 3u * 101u);
    view->clearThreads();
    EXPECT_FALSE(view->graphReady);
    EXPECT_TRUE(view->threadModel().nodes().empty());
    drawFrames(2); // nothing to draw, nothing to trip over
}

TEST_F(GraphWidgetTest, Reset_ByForceDirectedModeAndCheckedFlipAxis)
{
    view->buildThreads(index.get(), 0.05f);
    view->changeDrawMode(2);
    view->settleLayout(3);
    ASSERT_FALSE(atHome());
    view->changeDrawMode(2);
    EXPECT_FALSE(atHome());
    view->changeDrawMode(0);
    EXPECT_TRUE(atHome());
    EXPECT_EQ(view->viewState().drawMode, 0);

    view->settleLayout(3);
    ASSERT_FALSE(atHome());
    view->drawStateChanged(Qt::Unchecked);
    EXPECT_FALSE(atHome());
    view->drawStateChanged(Qt::Checked);
    EXPECT_TRUE(atHome());

    // Through a real check box, as the form wires it.
    QCheckBox flip;
    QObject::connect(&flip, &QCheckBox::stateChanged, view.get(), &GraphWidget::drawStateChanged);
    view->settleLayout(3);
    flip.setChecked(true);
    EXPECT_TRUE(atHome());
}

TEST_F(GraphWidgetTest, Selection_FromListRowsTextAndKeys)
{
    view->selectByText("C1");
    EXPECT_EQ(view->viewState().selectedIndex, -1); // no index yet
    view->buildThreads(index.get(), 0.05f);

    QListWidgetItem row(index->characters[2]->displayText());
    view->ListItemClicked(&row);
    EXPECT_EQ(view->viewState().selectedIndex, 2);
    view->selectByText("c1");
    EXPECT_EQ(view->viewState().selectedIndex, -1);

    MarkupView text;
    text.setHtml("<html><body>C1</body></html>");
    text.selectAll();
    view->setSelectedText(text.selectedPlainText());
    view->selectionChanged();
    EXPECT_EQ(view->viewState().selectedIndex, 1);

    QKeyEvent two(QEvent::KeyPress, Qt::Key_2, Qt::NoModifier, "2");
    QCoreApplication::sendEvent(view.get(), &two);
    EXPECT_EQ(view->viewState().selectedIndex, 2);
    QKeyEvent letter(QEvent::KeyPress, Qt::Key_Q, Qt::NoModifier, "q");
    QCoreApplication::sendEvent(view.get(), &letter);
    EXPECT_EQ(view->viewState().selectedIndex, 0);

    // The selected thread runs down the axis after a layout step.
    view->viewState().selectedIndex = 1;
    view->settleLayout(1);
    for (const int node : view->threadModel().threads()[1].nodes) {
        EXPECT_EQ(view->threadModel().nodes()[node].position.x, 0.0f);
        EXPECT_EQ(view->threadModel().nodes()[node].position.z, 0.0f);
    }
}

TEST_F(GraphWidgetTest, Colour_RecoloursTheSelectedCharacterAndSaysWhich)
{
    const QColor blue = index->characters[1]->color;
    view->currentColorChanged(QColor(9, 9, 9)); // before any parse: nothing to recolour
    EXPECT_EQ(index->characters[0]->color, QColor(255, 0, 0));

    view->buildThreads(index.get(), 0.05f);
    view->viewState().selectedIndex = 0;
    QList<int> recoloured;
    QObject::connect(view.get(), &GraphWidget::characterColorChanged,
                     [&recoloured](int character) { recoloured.append(character); });

    const QColor chosen(10, 120, 230);
    view->colorDialog()->setCurrentColor(chosen); // the dialog reports to the view
    EXPECT_EQ(index->characters[0]->color, chosen);
    EXPECT_EQ(index->characters[1]->color, blue);
    EXPECT_EQ(recoloured, QList<int>{0});
    // The threads read the colour through.
    EXPECT_EQ(*view->threadModel().nodes()[0].color, chosen);
}

TEST_F(GraphWidgetTest, Mouse_ReparsePromptAndDrags)
{
    int reparses = 0;
    QObject::connect(view.get(), &GraphWidget::reparse, [&reparses] { ++reparses; });
    view->buildThreads(index.get(), 0.05f);
    sendMouse(view.get(), QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton);
    EXPECT_EQ(reparses, 0);
    view->upToDate = false;
    drawFrames(1); // the prompt
    sendMouse(view.get(), QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton);
    EXPECT_EQ(reparses, 1);

    // A left drag turns the view and cancels a turn in progress.
    view->spinRight();
    EXPECT_EQ(view->viewState().targetRotation[0], 90.0f);
    sendMouse(view.get(), QEvent::MouseMove, {130, 120}, Qt::LeftButton);
    EXPECT_FLOAT_EQ(view->viewState().rotation[0], 3.0f);
    EXPECT_FLOAT_EQ(view->viewState().targetRotation[0], 3.0f);
    sendMouse(view.get(), QEvent::MouseButtonPress, {0, 0}, Qt::RightButton);
    sendMouse(view.get(), QEvent::MouseMove, {0, 100}, Qt::RightButton);
    EXPECT_FLOAT_EQ(view->viewState().viewOffset[2], -25.0f);
}

TEST_F(GraphWidgetTest, Spin_TurnsOverFramesOnceThereIsAGraph)
{
    view->spinRight();
    drawFrames(3); // no graph yet: the target waits
    EXPECT_EQ(view->viewState().rotation[0], 0.0f);
    view->buildThreads(index.get(), 0.05f);
    drawFrames(1);
    EXPECT_EQ(view->viewState().rotation[0], 1.0f);
    drawFrames(1);
    EXPECT_EQ(view->viewState().rotation[0], 3.0f);
    drawFrames(20);
    EXPECT_EQ(view->viewState().rotation[0], 90.0f);
    view->spinLeft();
    EXPECT_EQ(view->viewState().targetRotation[0], 0.0f);
}

TEST_F(GraphWidgetTest, WheelAndDrags_ZoomAndPanEveryModeAndRestingPicturesStay)
{
    view->buildThreads(index.get(), 0.05f);
    for (int mode = 0; mode < 4; ++mode) {
        SCOPED_TRACE(mode);
        view->changeDrawMode(mode);
        view->settleLayout();
        const QImage rest = view->grabFramebuffer();
        const QPointF middle(320, 240);
        QWheelEvent wheel(middle, view->mapToGlobal(middle), QPoint(), QPoint(0, 240), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(view.get(), &wheel);
        EXPECT_NE(view->grabFramebuffer(), rest);
        view->viewState().viewOffset[2] = -26.0f;
        EXPECT_EQ(view->grabFramebuffer(), rest); // the same picture once back at rest
        for (const Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
            sendMouse(view.get(), QEvent::MouseButtonPress, {300, 200}, button);
            sendMouse(view.get(), QEvent::MouseMove, {300, 300}, button);
            EXPECT_NE(view->grabFramebuffer(), rest) << button;
            view->viewState().viewOffset[1] = 0.0f;
            view->viewState().viewOffset[2] = -26.0f;
        }
    }
}

TEST_F(GraphWidgetTest, PinnedThread_DrawnOpaqueOnTopAndNamedByItsTooltip)
{
    view->buildThreads(index.get(), 0.05f);
    view->settleLayout();
    // C1, blue, speaks in both scenes; where its thread crosses the middle of the view.
    const auto threadPoint = [this] {
        const ThreadModel &model = view->threadModel();
        const std::vector<int> &nodes = model.threads()[1].nodes;
        const Vec3 &at = model.nodes()[size_t(nodes[nodes.size() / 2])].position;
        const QMatrix4x4 transform = ViewTransform::graphProjection(model.graphHeight) *
                                     ViewTransform::threadModelView(view->viewState());
        return ViewTransform::toViewport(transform, {at.x, at.y, at.z}, 640, 480).toPoint();
    };
    const auto allBlueAround = [](const QImage &frame, QPoint at) {
        for (int dx = -2; dx <= 2; ++dx) {
            if (frame.pixelColor(at + QPoint(dx, 0)) != QColor(0, 0, 255))
                return false;
        }
        return true;
    };
    EXPECT_FALSE(allBlueAround(view->grabFramebuffer(), threadPoint()));
    view->selectByText(QStringLiteral("C1"));
    view->settleLayout();
    const QPoint pinned = threadPoint();
    EXPECT_TRUE(allBlueAround(view->grabFramebuffer(), pinned));

    EXPECT_EQ(view->threadAt(pinned), 1);
    QHelpEvent help(QEvent::ToolTip, pinned, view->mapToGlobal(pinned));
    QCoreApplication::sendEvent(view.get(), &help);
    EXPECT_EQ(QToolTip::text(), QStringLiteral("C1"));
    EXPECT_EQ(view->threadAt({2, 2}), -1); // the corner holds no thread
}

TEST(GraphWidgetRedraw, DrawsOnlyWhileTheLayoutOrTheInputsChange)
{
    const auto index =
        makeSceneIndex(3, {{0.0f, 0.4f, {1, 1, 0}}, {0.4f, 1.0f, {0, 1, 1}}}, primaryColors());
    const auto view = shownGraphWidget<CountingView>();
    view->buildThreads(index.get(), 0.05f);
    view->changeDrawMode(1); // Color Weaving: nothing moves
    const auto atRest = [&view] {
        return view->atRest();
    };
    const auto framesGoOn = [&view] {
        const int before = view->frames;
        return processEventsUntil([&] { return view->frames > before + 1; }, 2000);
    };
    ASSERT_TRUE(processEventsUntil(atRest, 15000));
    const int frames = view->frames - view->exposedFrames;
    processEventsUntil([] { return false; }, 400);
    EXPECT_EQ(view->frames - view->exposedFrames, frames); // at rest the clock draws nothing

    view->spinRight(); // a change: the view turns, then rests at its target
    EXPECT_TRUE(framesGoOn());
    ASSERT_TRUE(processEventsUntil(atRest, 20000));
    EXPECT_EQ(view->viewState().rotation[0], 90.0f);

    // A key that selects a thread draws it once; a frame that would look the same is not.
    QKeyEvent key(QEvent::KeyPress, Qt::Key_0, Qt::NoModifier, "0");
    QCoreApplication::sendEvent(view.get(), &key);
    EXPECT_FALSE(view->atRest());
    ASSERT_TRUE(processEventsUntil(atRest, 20000));
    QCoreApplication::sendEvent(view.get(), &key);
    EXPECT_TRUE(view->atRest());

    // Force Directed: the layout moves on its own clock until it settles, then all is still.
    view->changeDrawMode(0);
    EXPECT_FALSE(view->layoutSettled());
    const int before = view->frames;
    ASSERT_TRUE(processEventsUntil(atRest, 20000));
    EXPECT_GT(view->frames, before);
    const int settledFrames = view->frames - view->exposedFrames;
    const std::vector<ThreadNode> settled = view->threadModel().nodes();
    processEventsUntil([] { return false; }, 400);
    EXPECT_EQ(view->frames - view->exposedFrames, settledFrames);
    EXPECT_EQ(view->threadModel().nodes()[4].position.x, settled[4].position.x);
}

TEST(GraphWidgetRedraw, HeldFramesDrawNothingUntilTheLastHoldIsReleased)
{
    const auto index =
        makeSceneIndex(3, {{0.0f, 0.4f, {1, 1, 0}}, {0.4f, 1.0f, {0, 1, 1}}}, primaryColors());
    const auto view = shownGraphWidget<CountingView>();
    view->buildThreads(index.get(), 0.05f);
    view->spinRight(); // the view turns for a while
    const auto framesGoOn = [&view] {
        const int before = view->frames;
        return processEventsUntil([&] { return view->frames > before + 1; }, 2000);
    };
    ASSERT_TRUE(framesGoOn());
    {
        const GraphWidget::FrameHold outer(*view);
        std::optional<GraphWidget::FrameHold> inner(std::in_place, *view);
        const float rotation = view->viewState().rotation[0];
        processEventsUntil([] { return false; }, 300);
        inner.reset();
        processEventsUntil([] { return false; }, 300);
        // The turn waits: no frame of the clock ran while a hold was taken.
        EXPECT_EQ(view->viewState().rotation[0], rotation);
    }
    EXPECT_TRUE(framesGoOn());
}
