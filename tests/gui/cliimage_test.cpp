// The command-line tool's --image option, run as a separate process on the test's display.

#include "../TestSupport.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

namespace {

struct CliRun
{
    int exitCode = -1;
    QByteArray err;
};

CliRun runCli(const QStringList &arguments, const QProcessEnvironment &environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(QUILLMARK_CLI), arguments);
    process.waitForFinished(120000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardError()};
}

QString copyOfExample(const ScratchDir &scratch, const QString &name)
{
    const QString path = scratch.file(name);
    QFile::copy(QStringLiteral(QUILLMARK_SOURCE_DIR "/examples/") + name, path);
    return path;
}

} // namespace

TEST(CliImage, Image_WritesForceDirectedViewOfGivenSize)
{
    ScratchDir scratch;
    const QString screenplay = copyOfExample(scratch, QStringLiteral("the_lighthouse.txt"));
    copyOfExample(scratch, QStringLiteral("breakStrings.txt"));
    const CliRun run =
        runCli({QStringLiteral("--workdir"), scratch.path(), QStringLiteral("--image"),
                QStringLiteral("--frames"), QStringLiteral("3"), QStringLiteral("--size"),
                QStringLiteral("320x240"), screenplay},
               QProcessEnvironment::systemEnvironment());
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    const QImage image(screenplay + QStringLiteral(".png"));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(320, 240));
    // The top of the view is the first scene band: the "Force Directed" grey, not black.
    const QColor corner = image.pixelColor(0, 0);
    EXPECT_GT(corner.red(), 150);
    EXPECT_EQ(corner.red(), corner.blue());
    EXPECT_TRUE(QFile::exists(screenplay + QStringLiteral("-scene.csv")));
    // The threads themselves: the bands are grey, so coloured pixels can only be strands.
    int coloured = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            coloured += pixel.red() != pixel.green() || pixel.green() != pixel.blue() ? 1 : 0;
        }
    }
    EXPECT_GT(coloured, 200);
}

// By default the image shows the settled layout: the same as asking for it by name, and
// (the layout having moved on since) not the picture of the first few steps.
TEST(CliImage, Image_ByDefaultOfTheSettledLayout)
{
    ScratchDir scratch;
    const QString screenplay = copyOfExample(scratch, QStringLiteral("cyber_bob_ep1.txt"));
    copyOfExample(scratch, QStringLiteral("breakStrings.txt"));
    const auto imageWith = [&](const QStringList &frames) {
        QStringList arguments{QStringLiteral("--workdir"), scratch.path(),
                              QStringLiteral("--image")};
        const CliRun run = runCli(arguments + frames + QStringList{screenplay},
                                  QProcessEnvironment::systemEnvironment());
        EXPECT_EQ(run.exitCode, 0) << run.err.constData();
        return QImage(screenplay + QStringLiteral(".png"));
    };
    const QImage byDefault = imageWith({});
    ASSERT_FALSE(byDefault.isNull());
    EXPECT_EQ(imageWith({QStringLiteral("--frames"), QStringLiteral("settled")}), byDefault);
    EXPECT_NE(imageWith({QStringLiteral("--frames"), QStringLiteral("3")}), byDefault);
}

TEST(CliImage, Image_WithoutDisplaySaysSoAndFails)
{
    ScratchDir scratch;
    const QString screenplay = copyOfExample(scratch, QStringLiteral("the_lighthouse.txt"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    const CliRun run = runCli({QStringLiteral("--image"), screenplay}, environment);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains("display")) << run.err.constData();
    EXPECT_FALSE(QFile::exists(screenplay + QStringLiteral(".png")));

    environment.insert(QStringLiteral("DISPLAY"), QStringLiteral(":9999"));
    const CliRun unreachable = runCli({QStringLiteral("--image"), screenplay}, environment);
    EXPECT_EQ(unreachable.exitCode, 1);
    EXPECT_TRUE(unreachable.err.contains("cannot open display :9999"))
        << unreachable.err.constData();
}

TEST(CliImage, Batch_OneShaderProgramDrawsEveryImageAlike)
{
    ScratchDir scratch;
    const QString first = copyOfExample(scratch, QStringLiteral("the_lighthouse.txt"));
    const QString second = scratch.file(QStringLiteral("again.txt"));
    QFile::copy(first, second);
    const CliRun run =
        runCli({QStringLiteral("--image"), QStringLiteral("--mode"), QStringLiteral("1"),
                QStringLiteral("--size"), QStringLiteral("200x150"), first, second},
               QProcessEnvironment::systemEnvironment());
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_EQ(run.err.count("***GLSL Linker Log"), 1) << run.err.constData();
    // Nothing of the first image carries over into the second.
    const QImage firstImage(first + QStringLiteral(".png"));
    ASSERT_FALSE(firstImage.isNull());
    EXPECT_EQ(QImage(second + QStringLiteral(".png")), firstImage);
}
