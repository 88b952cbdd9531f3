#include "threads/ThreadRenderer.h"

#include "../TestSupport.h"
#include "OffscreenTarget.h"
#include "ThreadViewTestSupport.h"
#include "shaders/GlslSupport.h"
#include "shaders/WeaveShaderSources.h"
#include "shaders/glShader.h"
#include "shaders/glShaderManager.h"
#include "shaders/glShaderObject.h"
#include "threads/OffscreenImage.h"

#include <QCheckBox>
#include <QFile>
#include <QImage>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <set>
#include <tuple>

namespace {

using Rgb = std::tuple<int, int, int>;

Rgb rgbAt(const QImage &image, int x, int y)
{
    const QColor color = image.pixelColor(x, y);
    return {color.red(), color.green(), color.blue()};
}

Rgb rgbOf(const QColor &color)
{
    return {color.red(), color.green(), color.blue()};
}

// The colours found in the rows first..last (inclusive) of an image, sampled every few
// pixels away from the left and right edges.
std::set<Rgb> colorsInRows(const QImage &image, int first, int last)
{
    std::set<Rgb> found;
    for (int y = first; y <= last; y += 3) {
        for (int x = 4; x < image.width() - 4; x += 5)
            found.insert(rgbAt(image, x, y));
    }
    return found;
}

// Draws one frame of the view with the given file requested and loads what was written.
QImage captureOneFrame(GraphWidget &view, const QString &path)
{
    view.setImageFileName(path);
    view.paintFrame();
    return QImage(path);
}

// A context of its own for the shader layer's tests.
class OffscreenContext
{
public:
    OffscreenContext()
    {
        m_context.create();
        m_surface.setFormat(m_context.format());
        m_surface.create();
        m_context.makeCurrent(&m_surface);
    }
    ~OffscreenContext() { m_context.doneCurrent(); }

private:
    QOpenGLContext m_context;
    QOffscreenSurface m_surface;
};

} // namespace

TEST(ThreadRenderer, EveryMode_DrawsWithoutGLErrors)
{
    const auto index = makeSceneIndex(
        3, {{0.0f, 0.3f, {1, 0, 1}}, {0.3f, 0.6f, {0, 0, 0}}, {0.6f, 1.0f, {2, 1, 0}}});
    index->characters[1]->names = QStringList{"MARY", "ANN", "LEE"};
    const auto view = shownGraphWidget();
    for (const auto setter :
         {&GraphWidget::setSpheres, &GraphWidget::setSprings, &GraphWidget::setDrawGrid,
          &GraphWidget::setMoveToPlane, &GraphWidget::setDrawNames})
        (view.get()->*setter)(true);
    view->setReadingPosition(0, 0); // no scroll range: the grid goes to the top
    view->buildThreads(index.get(), 0.02f);
    view->viewState().selectedIndex = 2;
    view->spinRight();

    for (const bool flipped : {true, false}) {
        view->setFlipAxis(flipped);
        for (const int mode : {0, 1, 2, 3, -1, 7}) {
            view->changeDrawMode(mode);
            testing::internal::CaptureStdout();
            view->settleLayout(50);
            view->paintFrame();
            view->paintFrame();
            std::fflush(stdout);
            const std::string output = testing::internal::GetCapturedStdout();
            view->makeCurrent();
            EXPECT_EQ(reportGLErrors("test", __LINE__), 0) << "mode " << mode;
            EXPECT_EQ(output.find("GL Error"), std::string::npos) << output;
            EXPECT_EQ(output.find("nan"), std::string::npos) << output;
        }
    }
    for (const ThreadNode &node : view->threadModel().nodes())
        ASSERT_TRUE(std::isfinite(node.position.x) && std::isfinite(node.position.z));

    // The reparse prompt, and the graph again after it.
    view->upToDate = false;
    view->paintFrame();
    view->makeCurrent();
    EXPECT_EQ(reportGLErrors("test", __LINE__), 0);
    view->upToDate = true;
    view->changeDrawMode(1);
    view->paintFrame();
    view->makeCurrent();
    EXPECT_EQ(reportGLErrors("test", __LINE__), 0);
}

TEST(ThreadRenderer, ColorWeaving_BandsOnlyInPresentColours)
{
    // Top scene: red and blue speak; middle scene: nobody; bottom scene: green only.
    const auto index = makeSceneIndex(
        3, {{0.0f, 0.4f, {2, 1, 0}}, {0.4f, 0.6f, {0, 0, 0}}, {0.6f, 1.0f, {0, 0, 5}}},
        primaryColors());
    const auto view = shownGraphWidget(640, 480);
    view->buildThreads(index.get(), 0.01f);
    view->changeDrawMode(1);
    ScratchDir dir;
    const QImage image = captureOneFrame(*view, dir.file("weave.png"));
    ASSERT_EQ(image.size(), QSize(640, 480));

    // Bands: rows 0..192 (top scene), 192..288 (empty), 288..480 (bottom), with margins.
    const std::set<Rgb> top = colorsInRows(image, 4, 186);
    EXPECT_EQ(top, (std::set<Rgb>{rgbOf(Qt::red), rgbOf(Qt::blue)}));
    EXPECT_EQ(colorsInRows(image, 198, 282), (std::set<Rgb>{Rgb{0, 0, 0}}));
    EXPECT_EQ(colorsInRows(image, 294, 475), (std::set<Rgb>{Rgb{0, 200, 0}}));
}

TEST(ThreadRenderer, IncreasingGraph_FillsUpToTheRunningTotal)
{
    // C0 speaks in the upper half only: its total reaches 0.5 + 0.0001 and then stays, so
    // in the lower half its translucent fill covers the left half of the value axis.
    // C1 never speaks and stays at 0, where its fill is out of sight.
    const auto index =
        makeSceneIndex(2, {{0.0f, 0.5f, {1, 0}}, {0.5f, 1.0f, {0, 0}}}, primaryColors());
    const auto view = shownGraphWidget(640, 480);
    view->buildThreads(index.get(), 0.01f);
    view->changeDrawMode(3);
    ScratchDir dir;
    const QImage image = captureOneFrame(*view, dir.file("increasing.png"));
    ASSERT_EQ(image.size(), QSize(640, 480));
    const auto near = [](const QColor &color, int red, int green, int blue) {
        return std::abs(color.red() - red) <= 3 && std::abs(color.green() - green) <= 3 &&
               std::abs(color.blue() - blue) <= 3;
    };
    // Red at alpha 0.2 over the 0.9 grey of the second band, then the bare band.
    EXPECT_TRUE(near(image.pixelColor(100, 400), 235, 184, 184))
        << image.pixelColor(100, 400).name().toStdString();
    EXPECT_TRUE(near(image.pixelColor(500, 400), 230, 230, 230))
        << image.pixelColor(500, 400).name().toStdString();
    // In the upper band the total grows from 0 to 0.5 on the way down: at a quarter of the
    // height the fill reaches about a quarter of the width.
    EXPECT_TRUE(near(image.pixelColor(100, 120), 214, 163, 163))
        << image.pixelColor(100, 120).name().toStdString();
    EXPECT_TRUE(near(image.pixelColor(240, 120), 204, 204, 204))
        << image.pixelColor(240, 120).name().toStdString();
}

TEST(ThreadRenderer, Capture_ViewSizeWithTopRowFirst)
{
    EXPECT_EQ(ThreadRenderer::captureDimension(640), 1024);
    EXPECT_EQ(ThreadRenderer::captureDimension(480), 512);
    EXPECT_EQ(ThreadRenderer::captureDimension(1024), 2048);
    EXPECT_EQ(ThreadRenderer::captureDimension(1), 1);

    // Only the upper half of the screenplay has a speaker: the top of the image is red.
    const auto index =
        makeSceneIndex(2, {{0.0f, 0.5f, {1, 0}}, {0.5f, 1.0f, {0, 0}}}, primaryColors());
    const auto view = shownGraphWidget(640, 480);
    view->buildThreads(index.get(), 0.01f);
    view->changeDrawMode(1);
    ScratchDir dir;
    const QImage image = captureOneFrame(*view, dir.file("view.png"));
    ASSERT_EQ(image.size(), QSize(640, 480));
    EXPECT_EQ(rgbAt(image, 320, 5), rgbOf(Qt::red));
    EXPECT_EQ(rgbAt(image, 320, 474), (Rgb{0, 0, 0}));
    EXPECT_TRUE(view->pendingImageFile.isEmpty());

    // JPEG by suffix; a tiny view still reads back within its buffer.
    EXPECT_EQ(captureOneFrame(*view, dir.file("view.jpg")).size(), QSize(640, 480));
    const auto narrow = shownGraphWidget(1, 40);
    narrow->buildThreads(index.get(), 0.01f);
    EXPECT_EQ(captureOneFrame(*narrow, dir.file("narrow.png")).size(), QSize(1, 40));
}

TEST(ThreadRenderer, Capture_WaitsForTheReparse)
{
    const auto index =
        makeSceneIndex(2, {{0.0f, 0.5f, {1, 0}}, {0.5f, 1.0f, {0, 0}}}, primaryColors());
    const auto view = shownGraphWidget(320, 240);
    view->changeDrawMode(1);
    view->buildThreads(index.get(), 0.01f);
    view->upToDate = false; // the user edited the analysis: the prompt shows
    ScratchDir dir;
    const QString path = dir.file("later.png");
    view->setImageFileName(path);
    for (int frame = 0; frame < 3; ++frame)
        view->paintFrame();
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(view->pendingImageFile, path);

    view->clearThreads();
    view->buildThreads(index.get(), 0.01f);
    view->paintFrame();
    const QImage image(path);
    ASSERT_EQ(image.size(), QSize(320, 240));
    // The picture of the graph, not of the prompt that was shown before.
    EXPECT_EQ(rgbAt(image, 160, 3), rgbOf(Qt::red));
    EXPECT_TRUE(view->pendingImageFile.isEmpty());
}

TEST(ThreadRenderer, Offscreen_WritesImageWithoutWindow)
{
    const auto index =
        makeSceneIndex(3, {{0.0f, 0.5f, {1, 1, 0}}, {0.5f, 1.0f, {0, 1, 1}}}, primaryColors());
    ScratchDir dir;
    QString error;
    const QString path = dir.file("threads.png");
    ASSERT_TRUE(renderThreadImage(*index, 100, 3, 300, 200, path, &error)) << error.toStdString();
    const QImage image(path);
    ASSERT_EQ(image.size(), QSize(300, 200));
    // Grey scene bands with coloured threads across them.
    const std::set<Rgb> colors = colorsInRows(image, 0, 199);
    EXPECT_TRUE(colors.count(Rgb{204, 204, 204}) || colors.count(Rgb{230, 230, 230}));
    EXPECT_GT(colors.size(), 3u);

    const auto empty = makeSceneIndex(3, {});
    EXPECT_FALSE(renderThreadImage(*empty, 100, 3, 300, 200, dir.file("none.png"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(renderThreadImage(*index, 100, 3, 0, 200, dir.file("zero.png"), &error));
    EXPECT_FALSE(QFile::exists(dir.file("none.png")));
}

TEST(GlslShader, BuiltInProgram_LinksAndRelinks)
{
    OffscreenContext context;
    EXPECT_TRUE(initGLExtensions());
    ASSERT_TRUE(GlslSupport::glslAvailable);
    testing::internal::CaptureStdout();
    EXPECT_TRUE(initGLExtensions()); // the second time says nothing
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");

    glShaderManager manager;
    testing::internal::CaptureStdout();
    glShader *program = manager.createProgram(weaveVertexSource, weaveFragmentSource);
    const std::string log = testing::internal::GetCapturedStdout();
    ASSERT_NE(program, nullptr) << log;
    EXPECT_NE(log.find("***GLSL Compiler Log (Vertex Shader):"), std::string::npos);
    EXPECT_NE(log.find("***GLSL Linker Log:"), std::string::npos);
    EXPECT_TRUE(program->linked);
    EXPECT_TRUE(program->ownsObjects);
    ASSERT_EQ(program->objects.size(), 2u);
    EXPECT_EQ(program->objects[0]->kind, 1);
    EXPECT_EQ(program->objects[1]->kind, 2);
    EXPECT_EQ(manager.programs.size(), 1u);

    testing::internal::CaptureStdout();
    EXPECT_TRUE(program->link());
    std::fflush(stdout);
    const std::string relink = testing::internal::GetCapturedStdout();
    EXPECT_NE(relink.find("**warning** Object is already linked, trying to link again"),
              std::string::npos);
    EXPECT_EQ(relink.find("GL Error"), std::string::npos) << relink;
    program->use();
    program->unuse();
    EXPECT_EQ(reportGLErrors("test", __LINE__), 0);
    delete program;
    EXPECT_EQ(reportGLErrors("test", __LINE__), 0);
}

TEST(GlslShader, Objects_CompileOnAddAndReportFailures)
{
    OffscreenContext context;
    ASSERT_TRUE(initGLExtensions());
    glShader program;
    EXPECT_STREQ(program.linkerLog(), "[e05] Linker log is not available!");

    aVertexShader vertex;
    vertex.setSource(weaveVertexSource);
    testing::internal::CaptureStdout();
    program.addObject(&vertex); // not compiled yet: compiled on the way in
    EXPECT_NE(testing::internal::GetCapturedStdout().find("...ok!"), std::string::npos);
    EXPECT_TRUE(vertex.compiled);

    aFragmentShader broken;
    broken.setSource("void main(void) { this is not GLSL }\n");
    testing::internal::CaptureStdout();
    program.addObject(&broken);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("...compile ERROR!"), std::string::npos);
    EXPECT_EQ(program.objects.size(), 1u);
    EXPECT_STRNE(broken.compilerLog(), "[e06] Compiler log is not available!");

    aFragmentShader empty;
    EXPECT_FALSE(empty.compile()); // no source
    glShaderObject none;
    EXPECT_STREQ(none.compilerLog(), "[e01] Not a valid program object!");

    glShaderManager manager;
    testing::internal::CaptureStdout();
    EXPECT_EQ(manager.createProgram(weaveVertexSource, "void main(void) { oops }\n"), nullptr);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("***COMPILER ERROR (Fragment Shader):"),
              std::string::npos);
    EXPECT_TRUE(manager.programs.empty());
    EXPECT_EQ(reportGLErrors("test", __LINE__), 0);
}

// Each frame of a renderer that keeps its buffers and its last picture is the frame a fresh
// renderer draws, whatever changed in between; and the change shows in the modes it concerns.
TEST(ThreadRenderer, KeptBuffers_RedrawnWhenWhatTheyShowChanges)
{
    const auto index = makeSceneIndex(
        3, {{0.0f, 0.3f, {1, 0, 1}}, {0.3f, 0.6f, {0, 1, 0}}, {0.6f, 1.0f, {2, 1, 0}}},
        primaryColors());
    OffscreenTarget target(QSize(320, 240), 4);
    ASSERT_TRUE(target.valid());
    ThreadRenderer kept;
    ThreadModel model;
    ASSERT_TRUE(model.buildThreads(index.get(), 0.05f));
    ViewState state;
    const auto startFrom = [&state](int mode) {
        state = ViewState();
        state.drawMode = mode;
        state.viewportWidth = 320;
        state.viewportHeight = 240;
        state.drawGrid = true;
        state.hasTextView = true;
        state.scrollMaximum = 100;
    };

    struct Change
    {
        const char *name;
        std::function<void()> apply;
        std::set<int> showsIn; // draw modes
    };
    const std::vector<Change> changes = {
        {"layout", [&] { model.simulate(0.5f); }, {0, 2}},
        {"colour",
         [&] {
             QColor &color = index->characters[0]->color;
             color = color == QColor(250, 200, 0) ? QColor(0, 160, 250) : QColor(250, 200, 0);
         },
         {0, 1, 2, 3}},
        {"transparency",
         [&] { state.threadTransparency = 0.8f - state.threadTransparency; },
         {0, 2, 3}},
        {"thread size", [&] { state.activeThreadSize = 4.5f - state.activeThreadSize; }, {0, 2, 3}},
        {"scroll", [&] { state.scrollValue += 20; }, {0, 2, 3}},
        {"flip", [&] { state.flipAxis = !state.flipAxis; }, {3}},
        {"names", [&] { state.drawNames = !state.drawNames; }, {0, 2}},
        {"spheres", [&] { state.spheres = !state.spheres; }, {0}},
        {"springs", [&] { state.springs = !state.springs; }, {0}},
        {"turn", [&] { state.rotation[0] += 30.0f; }, {0, 2}}};
    for (const int mode : {0, 1, 2, 3}) {
        startFrom(mode);
        // The threads converge as the view's layout puts them in that mode.
        if (mode == ViewState::ConvergenceGraph)
            model.placeConvergence(0.1f);
        for (const Change &change : changes) {
            const QImage before = target.frame(kept, model, state);
            EXPECT_EQ(target.frame(kept, model, state), before) << change.name << ", mode " << mode;
            change.apply();
            const QImage after = target.frame(kept, model, state);
            ThreadRenderer fresh;
            EXPECT_EQ(after, target.frame(fresh, model, state)) << change.name << ", mode " << mode;
            EXPECT_EQ(after != before, change.showsIn.count(mode) == 1)
                << change.name << ", mode " << mode;
        }
    }
    EXPECT_EQ(reportGLErrors("test", __LINE__), 0);
}

namespace {

// The colour the window would show: the framebuffer's red, green and blue as they stand. The
// window lays the view down opaque, and the two ways of drawing strands leave different
// alpha, which a premultiplied image would divide by.
QImage shownColours(const QImage &frame)
{
    QImage shown = frame;
    if (shown.format() == QImage::Format_ARGB32_Premultiplied)
        shown.reinterpretAsFormat(QImage::Format_RGB32);
    else if (shown.format() == QImage::Format_RGBA8888_Premultiplied)
        shown.reinterpretAsFormat(QImage::Format_RGBX8888);
    return shown.convertToFormat(QImage::Format_RGB32);
}

// The mean difference of two pictures of one size, over the red, green and blue of every pixel.
double meanDifference(const QImage &a, const QImage &b)
{
    const QImage first = shownColours(a);
    const QImage second = shownColours(b);
    double sum = 0.0;
    for (int y = 0; y < first.height(); ++y) {
        for (int x = 0; x < first.width(); ++x) {
            const QRgb p = first.pixel(x, y);
            const QRgb q = second.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    }
    return sum / (3.0 * first.width() * first.height());
}

} // namespace

// The strands drawn on the processor and laid over the picture look as GL's lines do, placed
// alike whatever the view's turn, pan and zoom.
TEST(ThreadRenderer, StrandsOnProcessor_LookAsGLLines)
{
    const auto index =
        makeSceneIndex(5,
                       {{0.0f, 0.2f, {1, 1, 0, 0, 1}},
                        {0.2f, 0.5f, {0, 1, 1, 0, 0}},
                        {0.5f, 0.7f, {1, 0, 0, 1, 1}},
                        {0.7f, 1.0f, {0, 0, 1, 1, 0}}},
                       {QColor(220, 30, 30), QColor(30, 30, 220), QColor(20, 160, 20),
                        QColor(200, 120, 0), QColor(140, 0, 160)});
    OffscreenTarget target(QSize(320, 240), 4);
    ASSERT_TRUE(target.valid());
    ThreadModel model;
    ASSERT_TRUE(model.buildThreads(index.get(), 0.02f));
    for (int step = 0; step < 100; ++step)
        model.simulate(0.016f);
    for (const int mode : {ViewState::ForceDirected, ViewState::ConvergenceGraph}) {
        ViewState state;
        state.drawMode = mode;
        state.viewportWidth = 320;
        state.viewportHeight = 240;
        state.threadTransparency = 0.6f;
        state.rotation[0] = 35.0f;
        state.viewOffset[0] = 1.5f;
        state.viewOffset[2] = -20.0f;
        ThreadRenderer lines;
        lines.setStrandsOnProcessor(false);
        const QImage drawnByGL = target.frame(lines, model, state);
        ThreadRenderer layer;
        layer.setStrandsOnProcessor(true);
        const QImage drawnAsLayer = target.frame(layer, model, state);
        state.threadTransparency = 0.0f;
        const QImage withoutStrands = target.frame(lines, model, state);
        const double strands = meanDifference(drawnByGL, withoutStrands);
        EXPECT_GT(strands, 1.0) << "mode " << mode;
        EXPECT_LT(meanDifference(drawnByGL, drawnAsLayer), 0.2 * strands) << "mode " << mode;
    }
    EXPECT_EQ(reportGLErrors("test", __LINE__), 0);
}
