#include "cli/BatchRunner.h"

#include "app/AnalysisProgress.h"
#include "app/DocumentModel.h"
#include "characters/ConfigFile.h"
#include "cli/JsonExport.h"
#include "reader/TextFile.h"
#include "scenes/BreakStringFile.h"
#include "scenes/Statistics.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>

#ifdef QUILLMARK_HAS_RENDER
#include "view/OffscreenImage.h"
#else
class OffscreenRenderer // never made: a build without OpenGL draws no images
{
};
#endif

#include <cstdio>
#include <new>
#include <utility>

namespace {

QByteArray printable(const QString &path)
{
    return QFile::encodeName(path);
}

void reportFailure(const char *what, const QString &path)
{
    std::fprintf(stderr, "quillmark-cli: %s %s\n", what, printable(path).constData());
}

} // namespace

BatchRunner::BatchRunner(CliOptions options)
    : m_options(std::move(options))
{
    if (!m_options.workdir.isEmpty())
        m_settings = SettingsPaths::in(m_options.workdir);
}

BatchRunner::~BatchRunner() = default;

int BatchRunner::run()
{
    if (!m_options.workdir.isEmpty() && !QFileInfo(m_options.workdir).isDir()) {
        reportFailure("settings folder not found:", m_options.workdir);
        return 2;
    }
    // As the window does at start-up: the options before the first discovery, and the break
    // strings once (a missing file simply means none; there is nobody to offer a sample to).
    readConfig(m_settings.config, m_analysisOptions);
    loadBreakStringFile(m_settings.breakStrings, m_breakStrings);

    const int total = m_options.files.size();
    int failures = 0;
    for (int i = 0; i < total; ++i) {
        const QString &path = m_options.files.at(i);
        if (total > 1) {
            std::fprintf(stderr, "[%d/%d] %s\n", i + 1, total, printable(path).constData());
            std::fflush(stderr);
        }
        if (!processFileGuarded(path))
            ++failures;
    }
    std::fflush(stdout);
    return failures == 0 ? 0 : 1;
}

// One screenplay that needs more memory than there is costs that screenplay, not the batch.
bool BatchRunner::processFileGuarded(const QString &path)
{
    try {
        return processFile(path);
    } catch (const std::bad_alloc &) {
        std::fprintf(stderr, "quillmark-cli: cannot analyse %s: not enough memory\n",
                     printable(path).constData());
        return false;
    }
}

bool BatchRunner::processFile(const QString &path)
{
    DocumentModel document;
    document.options = m_analysisOptions;
    document.breakStrings = m_breakStrings;

    if (!analyse(path, document))
        return false;
    const bool written = writeOutputs(path, document);

    if (m_options.json) {
        const QByteArray line =
            QJsonDocument(documentToJson(path, document)).toJson(QJsonDocument::Compact);
        std::fwrite(line.constData(), 1, line.size(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
    }
    return written;
}

bool BatchRunner::analyse(const QString &path, DocumentModel &document)
{
    SilentProgress progress;
    if (!openScreenplay(document, path, m_settings, progress)) {
        std::fprintf(stderr, "quillmark-cli: cannot read %s: %s\n", printable(path).constData(),
                     document.readError.toLocal8Bit().constData());
        return false;
    }
    parseDocument(document, m_settings, progress);
    if (!document.analysisError.isEmpty()) {
        std::fprintf(stderr, "quillmark-cli: cannot analyse %s: %s\n", printable(path).constData(),
                     document.analysisError.toLocal8Bit().constData());
        return false;
    }
    return true;
}

bool BatchRunner::writeOutputs(const QString &path, DocumentModel &document)
{
    bool allWritten = true;
    // Files for other programs are UTF-8, which the usual CSV and JSON readers expect.
    auto report = [&](const QString &output, bool written, const QString &reason) {
        if (written)
            return;
        std::fprintf(stderr, "quillmark-cli: cannot write %s: %s\n", printable(output).constData(),
                     reason.toLocal8Bit().constData());
        allWritten = false;
    };
    auto write = [&](const QString &output, const QString &text, TextFile::ByteOrderMark mark) {
        QString reason;
        const bool written = TextFile::writeUnicodeText(output, text, mark, &reason);
        report(output, written, reason);
    };
    const TimeIndexVector &index = *document.timeIndex;
    const TextFile::ByteOrderMark csvMark =
        m_options.bom ? TextFile::ByteOrderMark::Written : TextFile::ByteOrderMark::None;
    write(path + QStringLiteral("-scene.csv"), sceneStatsCsv(index, document.textLines.size()),
          csvMark);
    write(path + QStringLiteral("-character.csv"), characterStatsCsv(index), csvMark);
    // The markup, the largest output by far, is written without another copy of it.
    const QString markupPath = path + QStringLiteral("-markup.html");
    QString reason;
    const bool markupWritten = document.saveUnicodeMarkup(markupPath, &reason);
    report(markupPath, markupWritten, reason);
    if (m_options.image)
        allWritten = writeImage(path, document) && allWritten;
    return allWritten;
}

bool BatchRunner::writeImage(const QString &path, const DocumentModel &document)
{
    const QString imagePath = path + QStringLiteral(".png");
    QString error = QStringLiteral("this build has no image support");
#ifdef QUILLMARK_HAS_RENDER
    if (!m_renderer)
        m_renderer = std::make_unique<OffscreenRenderer>();
    if (m_renderer->render(*document.timeIndex, document.options.numberSteps, m_options.frames,
                           m_options.imageWidth, m_options.imageHeight, imagePath, &error,
                           m_options.drawMode))
        return true;
#else
    Q_UNUSED(document)
#endif
    std::fprintf(stderr, "quillmark-cli: cannot write %s: %s\n", printable(imagePath).constData(),
                 error.toLocal8Bit().constData());
    return false;
}
