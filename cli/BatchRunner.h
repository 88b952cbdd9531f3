#pragma once

#include "app/LoadPipeline.h"
#include "characters/AnalysisOptions.h"
#include "cli/CliOptions.h"

#include <QStringList>

#include <memory>

struct DocumentModel;
class OffscreenRenderer;

// Runs the window's open-and-parse pipeline over every file of the command line, each on a
// fresh document, and writes the statistics and the saved markup next to each file.
class BatchRunner
{
public:
    explicit BatchRunner(CliOptions options);
    ~BatchRunner();
    BatchRunner(const BatchRunner &) = delete;
    BatchRunner &operator=(const BatchRunner &) = delete;

    // The process exit status: 0 when every file was read and all its outputs written, 1 when
    // any file failed (the others are still processed), 2 when the settings folder is missing.
    int run();

private:
    // Whether the file could be read and all its outputs were written.
    bool processFileGuarded(const QString &path);
    bool processFile(const QString &path);
    bool analyse(const QString &path, DocumentModel &document);
    bool writeOutputs(const QString &path, DocumentModel &document);
    bool writeImage(const QString &path, const DocumentModel &document);

    CliOptions m_options;
    SettingsPaths m_settings;
    AnalysisOptions m_analysisOptions;
    QStringList m_breakStrings;
    // Made for the first image and kept for the others: one GL context and shader program.
    std::unique_ptr<OffscreenRenderer> m_renderer;
};
