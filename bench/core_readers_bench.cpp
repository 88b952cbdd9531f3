// Times the readers of the structured formats on a feature-length screenplay: reading a
// Fountain and a Final Draft file, and reading and analysing a 120-page PDF (the whole
// pipeline of the command-line tool, with its settings files), both as a plain typed PDF and
// as a screenwriting program prints it (US Letter, scene numbers in both margins, continued
// pages, numbered speeches), each against `pdftotext -layout` (poppler-utils) when it is
// installed.
// Usage: core_readers_bench [RUNS [FOLDER]]   (best of RUNS, default 5; the generated files
// are kept in FOLDER when one is given, to try them with the command-line tool)

#include "PrintedScreenplay.h"
#include "ScreenplayFormats.h"
#include "ScreenplayGenerator.h"

#include "document/AnalysisSession.h"
#include "reader/ScreenplayReader.h"
#include "reader/TextFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
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

PrintStyle programStyle()
{
    PrintStyle style;
    style.sceneNumbers = style.continued = style.speechNumbers = true;
    style.maxPages = pdfPages;
    return style;
}

// The time `pdftotext -layout` takes for the file, or -1 when it is not installed.
double pdftotextMs(int runs, const QString &pdf)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        return -1.0;
    return bestMs(runs, [&] {
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        process.start(tool, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        process.waitForFinished(-1);
    });
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
    const QString printed = dir.filePath(QStringLiteral("feature-printed.pdf"));
    if (!typed || !writeFile(fountain, ScreenplayFormats::fountain(*typed)) ||
        !writeFile(finalDraft, ScreenplayFormats::finalDraft(*typed)) ||
        !writeFile(pdf, ScreenplayFormats::pdf(*typed, pdfPages)) ||
        !writeFile(printed, PrintedScreenplay::pdf(*typed, programStyle()))) {
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
    for (const auto &[what, path] : {std::pair{"read and analyse PDF", pdf},
                                     std::pair{"read and analyse printed PDF", printed}}) {
        int characters = 0;
        const double analysed = bestMs(runs, [&, path = path] {
            AnalysisSession session(settings);
            session.readSettings();
            characters = static_cast<int>(session.analyse(path)->characters.size());
        });
        report(what, readScreenplayFile(path), analysed, pdfPages);
        const double layoutText = pdftotextMs(runs, path);
        if (layoutText > 0.0)
            std::printf("%-28s %7s %6d %9.1f %12.2f  (%.2fx)\n", "  pdftotext -layout", "",
                        pdfPages, layoutText, layoutText / pdfPages, analysed / layoutText);
        std::printf("  characters found: %d\n", characters);
    }
    return 0;
}
