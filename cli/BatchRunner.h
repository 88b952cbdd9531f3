#pragma once

#include "app/LoadPipeline.h"
#include "characters/AnalysisOptions.h"
#include "cli/CliOptions.h"
#include "cli/FileOutcome.h"
#include "cli/StderrCapture.h"
#include "reader/TextFile.h"

#include <QStringList>

#include <memory>

struct DocumentModel;
class OffscreenRenderer;

// Runs the window's open-and-parse pipeline on one screenplay at a time, each on a fresh
// document, and writes the statistics, the saved markup and the asked-for research outputs
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
    bool processFile(const QString &path, DocumentModel &document, FileOutcome &outcome);
    bool analyse(const QString &path, DocumentModel &document, MarkupOutput &markup);
    bool writeOutputs(const QString &path, DocumentModel &document, MarkupOutput &markup);
    bool writeImage(const QString &path, const DocumentModel &document);
    QString summaryRow(const QString &path, const DocumentModel &document,
                       const QString &failure) const;

    CliOptions m_options;
    SettingsPaths m_settings;
    AnalysisOptions m_analysisOptions;
    QStringList m_breakStrings;
    StderrCapture m_messages;
    // The once-only lines of this process's first image, within the current file's messages.
    int m_onceFrom = -1;
    int m_onceLength = 0;
    // Made for the first image and kept for the others: one GL context and shader program.
    std::unique_ptr<OffscreenRenderer> m_renderer;
};
