#pragma once

#include <QString>
#include <QStringList>

// What the command line asked for.
struct CliOptions
{
    QStringList files;
    QString workdir; // folder of the settings files; empty means the current directory
    bool json = false;
    bool help = false;
    // Rendering options (an image of the thread view per screenplay) will join here once an
    // off-screen renderer exists; parseCliArguments then learns their flags in one place.
};

struct CliParseResult
{
    CliOptions options;
    QString error; // empty when the arguments were understood
};

// Parses the arguments after the program name. "--" ends the options, so a screenplay whose
// name starts with "-" can still be given.
CliParseResult parseCliArguments(const QStringList &arguments);

QString cliUsage();
