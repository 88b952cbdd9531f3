#include "CliOptions.h"
#include "RunBatch.h"
#include "StandardOutput.h"
#include "StderrCapture.h"
#include "WorkerMain.h"
#include "support/Diagnostics.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>
#include <memory>

#ifdef QUILLMARK_HAS_RENDER
#include "DisplayCheck.h"

#include <QGuiApplication>
#endif

namespace {

QStringList argumentsAfterProgramName(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

int usageError(const QString &message)
{
    std::fprintf(stderr, "quillmark-cli: %s\n\n%s", message.toLocal8Bit().constData(),
                 cliUsage().toLocal8Bit().constData());
    return 2;
}

// Images need a GUI application (and so a display) for their OpenGL context; everything
// else runs with a plain core application on headless machines.
std::unique_ptr<QCoreApplication> makeApplication(int &argc, char *argv[], bool image,
                                                  QString *error)
{
#ifdef QUILLMARK_HAS_RENDER
    if (image) {
        const DisplayProbe display;
        if (!display.available()) {
            *error = display.reason();
            return nullptr;
        }
        return std::make_unique<QGuiApplication>(argc, argv);
    }
#else
    if (image) {
        *error = QStringLiteral("this build has no image support (built without OpenGL)");
        return nullptr;
    }
#endif
    return std::make_unique<QCoreApplication>(argc, argv);
}

} // namespace

int main(int argc, char *argv[])
{
    // Standard output carries the results (the usage text, JSON); the library's diagnostic
    // lines would break a JSON stream.
    StandardOutput::guardClosedDescriptors();
    Diagnostics::setStream(stderr);
    const CliParseResult parsed = parseCliArguments(argumentsAfterProgramName(argc, argv));
    if (parsed.options.help) {
        StandardOutput::write(cliUsage().toLocal8Bit());
        return StandardOutput::reportFailure() ? 0 : 1;
    }
    if (!parsed.error.isEmpty())
        return usageError(parsed.error);
    if (parsed.options.worker) {
        const QString refused = admitWorker();
        if (!refused.isEmpty()) {
            std::fprintf(stderr, "quillmark-cli: %s\n", refused.toLocal8Bit().constData());
            return 2;
        }
    }

    QString error;
    // A worker's start-up lines (Qt's own notes among them) were the coordinating process's
    // to print, and it has.
    StderrCapture startup;
    if (parsed.options.worker)
        startup.begin();
    const auto application = makeApplication(argc, argv, parsed.options.image, &error);
    startup.end();
    if (!application) {
        std::fprintf(stderr, "quillmark-cli: --image: %s\n", error.toLocal8Bit().constData());
        return 1;
    }
    return parsed.options.worker ? runBatchWorker(parsed.options) : runBatch(parsed.options);
}
