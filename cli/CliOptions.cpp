#include "cli/CliOptions.h"

namespace {

const QString workdirFlag = QStringLiteral("--workdir");

// Takes the value of an option given as "--name VALUE" or "--name=VALUE"; advances index past
// what it consumed. Returns false (and sets error) when the value is missing.
bool takeValue(const QStringList &arguments, int &index, const QString &flag, QString &value,
               QString &error)
{
    const QString &argument = arguments.at(index);
    if (argument.startsWith(flag + QLatin1Char('='))) {
        value = argument.mid(flag.size() + 1);
    } else if (index + 1 < arguments.size()) {
        value = arguments.at(++index);
    } else {
        error = QStringLiteral("option %1 needs a value").arg(flag);
        return false;
    }
    if (value.isEmpty()) {
        error = QStringLiteral("option %1 needs a non-empty value").arg(flag);
        return false;
    }
    return true;
}

bool isFlag(const QString &argument, const QString &flag)
{
    return argument == flag || argument.startsWith(flag + QLatin1Char('='));
}

} // namespace

CliParseResult parseCliArguments(const QStringList &arguments)
{
    CliParseResult result;
    CliOptions &options = result.options;
    bool optionsEnded = false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (optionsEnded || !argument.startsWith(QLatin1Char('-')) ||
            argument == QLatin1String("-")) {
            options.files.append(argument);
        } else if (argument == QLatin1String("--")) {
            optionsEnded = true;
        } else if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            options.help = true;
        } else if (argument == QLatin1String("--json")) {
            options.json = true;
        } else if (isFlag(argument, workdirFlag)) {
            if (!takeValue(arguments, i, workdirFlag, options.workdir, result.error))
                return result;
        } else {
            result.error = QStringLiteral("unknown option %1").arg(argument);
            return result;
        }
    }
    if (!options.help && options.files.isEmpty())
        result.error = QStringLiteral("no screenplay given");
    return result;
}

QString cliUsage()
{
    return QStringLiteral(
        "Usage: quillmark-cli [--workdir DIR] [--json] FILE...\n"
        "\n"
        "Analyses each screenplay as the window does when it is opened (characters, scenes,\n"
        "markup) and writes next to it FILE-scene.csv, FILE-character.csv and\n"
        "FILE-markup.html.\n"
        "\n"
        "Options:\n"
        "  --workdir DIR  read config.txt, breakStrings.txt, characters.txt and colors.txt\n"
        "                 from DIR instead of the current directory\n"
        "  --json         print one JSON object per analysed screenplay on standard output,\n"
        "                 one object per line (JSON Lines); the XML walk's lines then go to\n"
        "                 standard error so that standard output stays valid JSON\n"
        "  -h, --help     show this text\n"
        "  --             end of options: every later argument is a file\n"
        "\n"
        "Each JSON object holds \"file\", \"lines\", \"speakerIndent\", \"characters\" (in index\n"
        "order: \"names\", \"count\", \"indent\", \"color\", \"forced\") and \"scenes\" "
        "(\"type\",\n"
        "\"start\", \"end\", \"pages\", \"counts\" with one entry per character). A screenplay\n"
        "that cannot be read gets no object.\n"
        "\n"
        "Progress goes to standard error when more than one file is given. A file that cannot\n"
        "be read or an output that cannot be written is reported on standard error and the\n"
        "other files are still processed.\n"
        "\n"
        "Exit status: 0 when every file was analysed and written, 1 when any failed,\n"
        "2 for a usage error.\n");
}
