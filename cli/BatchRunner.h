#pragma once

#include "CliOptions.h"
#include "FileOutcome.h"
#include "StderrCapture.h"
#include "characters/AnalysisOptions.h"
#include "document/AnalysisSession.h"
#include "reader/TextFile.h"

#include <QSet>
#include <QStringList>

#include <memory>

class OffscreenRenderer;
struct ScriptFacts;

// Runs the window's open-and-parse pipeline on one screenplay at a time, each with fresh
// settings, and writes the statistics, the saved markup and the asked-for research outputs
// next to each file.
class BatchRunner
{
public:
    explicit BatchRunner(CliOptions options);
    ~BatchRunner();
    BatchRunner(const BatchRunner &) = delete;
    BatchRunner &operator=(const BatchRunner &) = delete;

    // Reads the settings as the window does at start-up. False (after saying so) when the
    // settings folder is missing, which ends the run with exit status 2.
    bool prepare();
    const QStringList &breakStrings() const { return m_breakStrings; }
    const SettingsPaths &settings() const { return m_session.paths(); }

    // Everything one screenplay gives. Each analysis starts from the generator state of a
    // fresh process, so a screenplay gets the same colours and layout alone, anywhere in a
    // batch and in any worker process.
    FileOutcome analyseFile(const QString &path);

private:
    // FILE-markup.html, written while the markup is made.
    struct MarkupOutput
    {
        QString path;
        TextFile::AtomicWriter file;
        QString openError; // why the file could not be begun; empty when it was
    };

    // Whether the file could be read and all its outputs were written.
    bool processFileGuarded(const QString &path, FileOutcome &outcome);
    bool processFile(const QString &path, FileOutcome &outcome);
    // The analysis of the file; when it could not be read, one that holds only the screenplay
    // with its readError (no index).
    std::shared_ptr<const Analysis> analyse(const QString &path, MarkupOutput &markup);
    bool writeOutputs(const QString &path, const Analysis &analysis, MarkupOutput &markup);
    void reportSettingsWarnings(const QStringList &warnings);
    // One output file; a failure is reported on standard error.
    bool writeOutput(const QString &output, const QString &text, TextFile::ByteOrderMark mark);
    static void reportWriteFailure(const QString &output, const QString &reason);
    TextFile::ByteOrderMark csvMark() const;
    bool writeImage(const QString &path, const Analysis &analysis);
    // FILE-facts.json and FILE-locations.csv.
    bool writeFacts(const QString &path, const ScriptFacts &facts);
    QString summaryRow(const QString &path, const Analysis &analysis, const ScriptFacts *facts,
                       const QString &failure) const;

    CliOptions m_options;
    AnalysisSession m_session; // the options and break strings as read at start-up
    const QStringList &m_breakStrings = m_session.settings().breakStrings;
    StderrCapture m_messages;
    QSet<QString> m_settingsWarningsSaid;
    // The once-only lines of this process's first image, within the current file's messages.
    int m_onceFrom = -1;
    int m_onceLength = 0;
    // Made for the first image and kept for the others: one GL context and shader program.
    std::unique_ptr<OffscreenRenderer> m_renderer;
};
