#include "cli/CliOptions.h"

namespace {

const QString workdirFlag = QStringLiteral("--workdir");
const QString framesFlag = QStringLiteral("--frames");
const QString sizeFlag = QStringLiteral("--size");
const QString modeFlag = QStringLiteral("--mode");

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

bool parseFrames(const QString &text, int &frames, QString &error)
{
    bool ok = false;
    frames = text.toInt(&ok);
    if (!ok || frames < 1 || frames > 100000)
        error = QStringLiteral("--frames takes a whole number from 1 to 100000");
    return error.isEmpty();
}

bool parseMode(const QString &text, int &mode, QString &error)
{
    bool ok = false;
    mode = text.toInt(&ok);
    if (!ok || mode < 0 || mode > 3)
        error = QStringLiteral("--mode takes 0 (Force Directed), 1 (Color Weaving), "
                               "2 (Convergence Graph) or 3 (Increasing Graph)");
    return error.isEmpty();
}

bool parseSize(const QString &text, int &width, int &height, QString &error)
{
    const QStringList parts = text.split(QLatin1Char('x'));
    bool widthOk = false;
    bool heightOk = false;
    if (parts.size() == 2) {
        width = parts.at(0).toInt(&widthOk);
        height = parts.at(1).toInt(&heightOk);
    }
    if (!widthOk || !heightOk || width < 1 || height < 1 || width > 8192 || height > 8192)
        error = QStringLiteral("--size takes WIDTHxHEIGHT, each from 1 to 8192");
    return error.isEmpty();
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
        } else if (argument == QLatin1String("--image")) {
            options.image = true;
        } else if (isFlag(argument, framesFlag)) {
            QString value;
            if (!takeValue(arguments, i, framesFlag, value, result.error) ||
                !parseFrames(value, options.frames, result.error))
                return result;
        } else if (isFlag(argument, modeFlag)) {
            QString value;
            if (!takeValue(arguments, i, modeFlag, value, result.error) ||
                !parseMode(value, options.drawMode, result.error))
                return result;
        } else if (isFlag(argument, sizeFlag)) {
            QString value;
            if (!takeValue(arguments, i, sizeFlag, value, result.error) ||
                !parseSize(value, options.imageWidth, options.imageHeight, result.error))
                return result;
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
        "Usage: quillmark-cli [--workdir DIR] [--json] [--image [--frames N] [--size WxH] [--mode "
        "M]] "
        "FILE...\n"
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
        "  --image        also write FILE.png, the \"Force Directed\" thread view after N\n"
        "                 simulated frames, drawn off-screen with the window's drawing code;\n"
        "                 OpenGL still needs a display (a real one or xvfb-run)\n"
        "  --frames N     frames simulated before the image is taken (default 10)\n"
        "  --size WxH     image size in pixels (default 640x480)\n"
        "  --mode M       draw mode of the image: 0 Force Directed (default), 1 Color\n"
        "                 Weaving, 2 Convergence Graph, 3 Increasing Graph\n"
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
