// Times the readers of the structured formats on a feature-length screenplay: reading a
// Fountain and a Final Draft file, and reading and analysing a 120-page PDF (the whole
// pipeline of the command-line tool, with its settings files).
// Usage: core_readers_bench [RUNS [FOLDER]]   (best of RUNS, default 5; the generated files
// are kept in FOLDER when one is given, to try them with the command-line tool)

#include "ScreenplayFormats.h"
#include "ScreenplayGenerator.h"

#include "reader/ScreenplayReader.h"
#include "reader/TextFile.h"
#include "document/AnalysisPipeline.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <limits>
#include <optional>
#include <tuple>

namespace {

constexpr int pdfPages = 120;

double bestMs(int runs, const std::function<void()> &work)
{
    double best = std::numeric_limits<double>::max();
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, static_cast<double>(timer.nsecsElapsed()) / 1.0e6);
    }
    return best;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen"); // drawing the PDF needs fonts, not a screen
    const QGuiApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 5;
#ifndef NDEBUG
    std::printf("note: assertions are on; time a Release build (-DCMAKE_BUILD_TYPE=Release)\n");
#endif
    QTemporaryDir scratch;
    const QString folder = argc > 2 ? QString::fromLocal8Bit(argv[2]) : scratch.path();
    const QString typedPath = writeGeneratedScreenplay(folder, 1);
    const std::optional<QStringList> typed = TextFile::readLines(typedPath);
    const QDir dir(folder);
    const QString fountain = dir.filePath(QStringLiteral("feature.fountain"));
    const QString finalDraft = dir.filePath(QStringLiteral("feature.fdx"));
    const QString pdf = dir.filePath(QStringLiteral("feature.pdf"));
    if (!typed || !writeFile(fountain, ScreenplayFormats::fountain(*typed)) ||
        !writeFile(finalDraft, ScreenplayFormats::finalDraft(*typed)) ||
        !writeFile(pdf, ScreenplayFormats::pdf(*typed, pdfPages))) {
        std::fprintf(stderr, "cannot write the generated screenplays\n");
        return 1;
    }
    const SettingsPaths settings = SettingsPaths::in(folder);
    std::printf("best of %d runs\n%-28s %7s %6s %9s %12s\n", runs, "", "lines", "pages", "ms",
                "ms per page");
    const auto report = [](const char *what, const ScreenplayText &text, double ms, int pages) {
        std::printf("%-28s %7d %6d %9.1f %12.2f%s\n", what, static_cast<int>(text.lines.size()),
                    pages, ms, ms / pages, text.ok() ? "" : "  (not read)");
    };
    for (const auto &[what, path] :
         {std::pair{"read Fountain", fountain}, std::pair{"read Final Draft", finalDraft},
          std::pair{"read PDF", pdf}}) {
        ScreenplayText text;
        const double ms = bestMs(runs, [&] { text = readScreenplayFile(path); });
        report(what, text, ms, pdfPages);
    }
    int characters = 0;
    const double analysed = bestMs(runs, [&] {
        characters = static_cast<int>(analyseScreenplay(pdf, settings)->characters.size());
    });
    report("read and analyse PDF", readScreenplayFile(pdf), analysed, pdfPages);
    std::printf("characters found in the PDF: %d\n", characters);
    return 0;
}
