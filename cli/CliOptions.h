#pragma once

#include <QString>
#include <QStringList>

// What the command line asked for.
struct CliOptions
{
    QStringList files;
    QString workdir; // folder of the settings files; empty means the current directory
    bool json = false;
    bool bom = false; // a UTF-8 byte-order mark in front of the CSV files
    bool help = false;
    // An image of the "Force Directed" thread view per screenplay, FILE.png.
    bool image = false;
    // Layout steps before the image is taken; 0 (the default, "--frames settled") lets the
    // layout settle, so the picture is the one the window comes to rest with.
    int frames = 0;
    int drawMode = 0; // 0 "Force Directed" ... 3 "Increasing Graph"
    int imageWidth = 640;
    int imageHeight = 480;
    // Corpus runs.
    QString filesFrom;    // a list of further files, one per line; "-" is standard input
    int jobs = 0;         // screenplays analysed at a time; 0 means one per core
    QString summary;      // the corpus table, one row per screenplay
    bool matrix = false;  // FILE-presence.csv, the character-by-scene counts
    bool network = false; // FILE-network.graphml, who shares scenes with whom
    // Seconds one screenplay may take before its worker is stopped and the file reported as
    // failed; 0 for no limit, -1 (the default) for a limit by the file's size.
    int timeLimit = -1;
    bool facts = false; // FILE-facts.json and FILE-locations.csv
    // Set only for the tool's own worker processes, which take their files on standard input.
    bool worker = false;
};

struct CliParseResult
{
    CliOptions options;
    QString error; // empty when the arguments were understood
};

// Parses the arguments after the program name. "--" ends the options, so a screenplay whose
// name starts with "-" can still be given.
CliParseResult parseCliArguments(const QStringList &arguments);

// The arguments that make a worker process analyse as `options` say, its files aside.
QStringList workerArguments(const CliOptions &options);

QString cliUsage();
