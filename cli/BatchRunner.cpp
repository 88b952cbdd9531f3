#include "BatchRunner.h"

#include "FactsJson.h"
#include "JsonExport.h"
#include "characters/ConfigFile.h"
#include "facts/LocationsCsv.h"
#include "facts/ScriptFacts.h"
#include "reader/ScreenplayReader.h"
#include "reader/TextFile.h"
#include "scenes/CoPresenceNetwork.h"
#include "scenes/CorpusSummary.h"
#include "scenes/PresenceMatrix.h"
#include "scenes/SavedMarkup.h"
#include "scenes/Statistics.h"
#include "support/Random15.h"
#include "support/StageProgress.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>

#ifdef QUILLMARK_HAS_RENDER
#include "threads/OffscreenImage.h"
#else
class OffscreenRenderer // never made: a build without OpenGL draws no images
{
};
#endif

#include <cstdio>
#include <new>
#include <optional>
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

void reportWarnings(const QStringList &warnings)
{
    for (const QString &warning : warnings)
        std::fprintf(stderr, "quillmark-cli: warning: %s\n", warning.toLocal8Bit().constData());
}

} // namespace

BatchRunner::BatchRunner(CliOptions options)
    : m_options(std::move(options))
{
    if (!m_options.workdir.isEmpty())
        m_session = AnalysisSession(SettingsPaths::in(m_options.workdir));
}

BatchRunner::~BatchRunner() = default;

bool BatchRunner::prepare()
{
    if (!m_options.workdir.isEmpty() && !QFileInfo(m_options.workdir).isDir()) {
        reportFailure("settings folder not found:", m_options.workdir);
        return false;
    }
    // As the window does at start-up: the options before the first discovery, and the break
    // strings once (a missing file simply means none; there is nobody to offer a sample to).
    m_session.readSettings();
    reportSettingsWarnings(m_session.takeSettingsWarnings());
    return true;
}

FileOutcome BatchRunner::analyseFile(const QString &path)
{
    FileOutcome outcome;
    m_messages.begin();
    Random15::seed(1);
    m_onceFrom = -1;
    m_onceLength = 0;
    outcome.succeeded = processFileGuarded(path, outcome);
    outcome.messages = m_messages.end();
    outcome.onceFrom = m_onceFrom;
    outcome.onceLength = m_onceLength;
    return outcome;
}

// One screenplay that needs more memory than there is costs that screenplay, not the batch.
bool BatchRunner::processFileGuarded(const QString &path, FileOutcome &outcome)
{
    try {
        return processFile(path, outcome);
    } catch (const std::bad_alloc &) {
        const QString reason = QStringLiteral("not enough memory");
        std::fprintf(stderr, "quillmark-cli: cannot analyse %s: %s\n", printable(path).constData(),
                     reason.toLocal8Bit().constData());
        outcome.json.clear();
        if (!m_options.summary.isEmpty())
            outcome.summaryRow =
                corpusFailureRow(path, screenplayFormat(path), reason, m_breakStrings);
        return false;
    }
}

bool BatchRunner::processFile(const QString &path, FileOutcome &outcome)
{
    MarkupOutput markup;
    markup.path = path + QStringLiteral("-markup.html");
    const std::shared_ptr<const Analysis> analysis = analyse(path, markup);
    const bool analysed = analysis->readError.isEmpty() && analysis->analysisError.isEmpty();
    // One computation for both outputs that show the facts.
    std::optional<ScriptFacts> facts;
    if (analysed && (m_options.facts || !m_options.summary.isEmpty()))
        facts = scriptFacts(*analysis);
    if (!m_options.summary.isEmpty()) {
        const QString failure = !analysed ? (analysis->readError.isEmpty() ? analysis->analysisError
                                                                           : analysis->readError)
                                          : QString();
        outcome.summaryRow = summaryRow(path, *analysis, facts ? &*facts : nullptr, failure);
    }
    if (!analysed)
        return false;
    bool written = writeOutputs(path, *analysis, markup);
    if (m_options.facts)
        written = writeFacts(path, *facts) && written;

    if (m_options.json) {
        const int lineCount = analysis->textLines.size();
        outcome.json = QJsonDocument(documentToJson(path, *analysis, lineCount))
                           .toJson(QJsonDocument::Compact);
        outcome.json.append('\n');
    }
    return written;
}

QString BatchRunner::summaryRow(const QString &path, const Analysis &analysis,
                                const ScriptFacts *facts, const QString &failure) const
{
    SummarySource source;
    source.file = path;
    source.format = analysis.format.isEmpty() ? screenplayFormat(path) : analysis.format;
    source.lines = failure.isEmpty() || analysis.readError.isEmpty()
                       ? static_cast<int>(analysis.textLines.size())
                       : 0;
    source.pages = analysis.pageCount;
    source.index = failure.isEmpty() ? analysis.timeIndex.get() : nullptr;
    source.facts = failure.isEmpty() ? facts : nullptr;
    source.failure = failure;
    return corpusSummaryRow(source, m_breakStrings);
}

std::shared_ptr<const Analysis> BatchRunner::analyse(const QString &path, MarkupOutput &markup)
{
    // Each screenplay starts from the settings read at start-up, as if it were alone.
    AnalysisSession session = m_session;
    const OpenedScreenplay opened = session.open(path, {});
    reportSettingsWarnings(session.takeSettingsWarnings());
    if (opened.outcome != OpenOutcome::Read) {
        std::fprintf(stderr, "quillmark-cli: cannot read %s: %s\n", printable(path).constData(),
                     opened.screenplay.readError.toLocal8Bit().constData());
        auto unread = std::make_shared<Analysis>();
        static_cast<Screenplay &>(*unread) = opened.screenplay;
        return unread;
    }
    // The markup, the largest output by far, goes to its file as the pass makes it, behind
    // the style block of the characters the pass is about to count. The file only replaces
    // the old one when it is committed with the other outputs.
    const QString breakStringClass = Analysis().breakStringClass;
    MarkupSink sink;
    if (markup.file.open(markup.path, &markup.openError)) {
        markup.file.append(
            savedMarkupStyle(opened.screenplay.characters, breakStringClass).toUtf8());
        sink = [&markup](const QByteArray &piece) {
            markup.file.append(piece);
        };
    }
    std::shared_ptr<const Analysis> analysis = session.parse(opened.screenplay, {}, sink);
    reportSettingsWarnings(session.takeSettingsWarnings());
    reportWarnings(analysis->warnings);
    if (!analysis->analysisError.isEmpty())
        std::fprintf(stderr, "quillmark-cli: cannot analyse %s: %s\n", printable(path).constData(),
                     analysis->analysisError.toLocal8Bit().constData());
    return analysis;
}

void BatchRunner::reportSettingsWarnings(const QStringList &warnings)
{
    // The settings are read again for every screenplay; each of their lines is said once.
    QStringList unsaid;
    for (const QString &warning : warnings) {
        if (!m_settingsWarningsSaid.contains(warning))
            unsaid.append(warning);
        m_settingsWarningsSaid.insert(warning);
    }
    reportWarnings(unsaid);
}

bool BatchRunner::writeOutput(const QString &output, const QString &text,
                              TextFile::ByteOrderMark mark)
{
    QString reason;
    if (TextFile::writeUnicodeText(output, text, mark, &reason))
        return true;
    reportWriteFailure(output, reason);
    return false;
}

void BatchRunner::reportWriteFailure(const QString &output, const QString &reason)
{
    std::fprintf(stderr, "quillmark-cli: cannot write %s: %s\n", printable(output).constData(),
                 reason.toLocal8Bit().constData());
}

TextFile::ByteOrderMark BatchRunner::csvMark() const
{
    return m_options.bom ? TextFile::ByteOrderMark::Written : TextFile::ByteOrderMark::None;
}

bool BatchRunner::writeOutputs(const QString &path, const Analysis &analysis, MarkupOutput &markup)
{
    // Files for other programs are UTF-8, which the usual CSV and JSON readers expect.
    const TimeIndexVector &index = *analysis.timeIndex;
    bool allWritten = writeOutput(path + QStringLiteral("-scene.csv"),
                                  sceneStatsCsv(index, analysis.textLines.size()), csvMark());
    allWritten =
        writeOutput(path + QStringLiteral("-character.csv"), characterStatsCsv(index), csvMark()) &&
        allWritten;
    QString reason = markup.openError;
    if (!markup.file.isOpen() || !markup.file.commit(&reason)) {
        reportWriteFailure(markup.path, reason);
        allWritten = false;
    }
    if (m_options.matrix)
        allWritten = writeOutput(path + QStringLiteral("-presence.csv"), presenceMatrixCsv(index),
                                 csvMark()) &&
                     allWritten;
    const QString networkTooLarge = m_options.network ? coPresenceTooLarge(index) : QString();
    if (!networkTooLarge.isEmpty()) {
        reportWriteFailure(path + QStringLiteral("-network.graphml"), networkTooLarge);
        allWritten = false;
    } else if (m_options.network) {
        allWritten = writeOutput(path + QStringLiteral("-network.graphml"),
                                 coPresenceGraphml(index), TextFile::ByteOrderMark::None) &&
                     allWritten;
    }
    if (m_options.image)
        allWritten = writeImage(path, analysis) && allWritten;
    return allWritten;
}

bool BatchRunner::writeFacts(const QString &path, const ScriptFacts &facts)
{
    const QByteArray json = QJsonDocument(factsToJson(path, facts)).toJson(QJsonDocument::Indented);
    const bool jsonWritten = writeOutput(path + QStringLiteral("-facts.json"),
                                         QString::fromUtf8(json), TextFile::ByteOrderMark::None);
    const bool csvWritten =
        writeOutput(path + QStringLiteral("-locations.csv"), locationsCsv(facts), csvMark());
    return jsonWritten && csvWritten;
}

bool BatchRunner::writeImage(const QString &path, const Analysis &analysis)
{
    const QString imagePath = path + QStringLiteral(".png");
    QString error = QStringLiteral("this build has no image support");
#ifdef QUILLMARK_HAS_RENDER
    const bool first = !m_renderer;
    if (first) {
        m_renderer = std::make_unique<OffscreenRenderer>();
        m_onceFrom = m_messages.collected();
    }
    const bool rendered = m_renderer->render(
        *analysis.timeIndex, analysis.options.numberSteps, m_options.frames, m_options.imageWidth,
        m_options.imageHeight, imagePath, &error, m_options.drawMode);
    if (first)
        m_onceLength = m_messages.collected() - m_onceFrom;
    if (rendered)
        return true;
#else
    Q_UNUSED(analysis)
#endif
    reportWriteFailure(imagePath, error);
    return false;
}
