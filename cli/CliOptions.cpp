#include "CliOptions.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QHash>

#include <algorithm>
#include <functional>
#include <utility>

namespace {

const QString helpName = QStringLiteral("help");
const QString jsonName = QStringLiteral("json");
const QString imageName = QStringLiteral("image");
const QString bomName = QStringLiteral("bom");
const QString matrixName = QStringLiteral("matrix");
const QString networkName = QStringLiteral("network");
const QString factsName = QStringLiteral("facts");
const QString workerName = QStringLiteral("worker");
// Left undeclared: Qt would also take "--h" and "-hh" for it, which the tool never did.
const QString shortHelp = QStringLiteral("-h");
const QString noScreenplay = QStringLiteral("no screenplay given");

using ValueSetter = bool (*)(const QString &value, CliOptions &options);

// An option that takes a value ("--name VALUE" or "--name=VALUE"): where the value goes and what
// is said when it is not acceptable.
struct ValueOption
{
    const char *name;
    const char *shortName; // a one-letter alternative, or null
    ValueSetter set;
    const char *invalid; // when `set` refuses the value
};

bool setWorkdir(const QString &value, CliOptions &options)
{
    options.workdir = value;
    return true;
}

bool setFrames(const QString &value, CliOptions &options)
{
    if (value == QLatin1String("settled")) {
        options.frames = 0;
        return true;
    }
    bool ok = false;
    options.frames = value.toInt(&ok);
    return ok && options.frames >= 1 && options.frames <= 100000;
}

bool setMode(const QString &value, CliOptions &options)
{
    bool ok = false;
    options.drawMode = value.toInt(&ok);
    return ok && options.drawMode >= 0 && options.drawMode <= 3;
}

bool setSize(const QString &value, CliOptions &options)
{
    const QStringList parts = value.split(QLatin1Char('x'));
    if (parts.size() != 2)
        return false;
    bool widthOk = false;
    bool heightOk = false;
    options.imageWidth = parts.at(0).toInt(&widthOk);
    options.imageHeight = parts.at(1).toInt(&heightOk);
    const auto inRange = [](int pixels) {
        return pixels >= 1 && pixels <= 8192;
    };
    return widthOk && heightOk && inRange(options.imageWidth) && inRange(options.imageHeight);
}

bool setFilesFrom(const QString &value, CliOptions &options)
{
    options.filesFrom = value;
    return true;
}

bool setSummary(const QString &value, CliOptions &options)
{
    options.summary = value;
    return true;
}

bool setJobs(const QString &value, CliOptions &options)
{
    bool ok = false;
    options.jobs = value.toInt(&ok);
    return ok && options.jobs >= 1 && options.jobs <= 256;
}

bool setTimeLimit(const QString &value, CliOptions &options)
{
    bool ok = false;
    options.timeLimit = value.toInt(&ok);
    return ok && options.timeLimit >= 0 && options.timeLimit <= 1000000;
}

const ValueOption valueOptions[] = {
    {"workdir", nullptr, setWorkdir, ""},
    {"frames", nullptr, setFrames,
     "--frames takes a whole number from 1 to 100000, or \"settled\""},
    {"size", nullptr, setSize, "--size takes WIDTHxHEIGHT, each from 1 to 8192"},
    {"files-from", nullptr, setFilesFrom, ""},
    {"summary", nullptr, setSummary, ""},
    {"jobs", "j", setJobs, "-j takes a whole number from 1 to 256"},
    {"time-limit", nullptr, setTimeLimit,
     "--time-limit takes a whole number of seconds from 0 (no limit) to 1000000"},
    {"mode", nullptr, setMode,
     "--mode takes 0 (Force Directed), 1 (Color Weaving), 2 (Convergence Graph) or 3 (Increasing "
     "Graph)"},
};

const ValueOption *findValueOption(const QString &name)
{
    const auto found = std::find_if(
        std::begin(valueOptions), std::end(valueOptions), [&](const ValueOption &option) {
            return name == option.name || (option.shortName && name == option.shortName);
        });
    return found != std::end(valueOptions) ? found : nullptr;
}

bool isFlagName(const QString &name)
{
    return name == helpName || name == jsonName || name == imageName || name == bomName ||
           name == matrixName || name == networkName || name == factsName || name == workerName;
}

// Whether Qt took `argument` as an option the tool does not have: one with an unknown name, or
// a flag given a value ("--json=1").
bool isRefused(const QString &argument, const QStringList &unknownNames)
{
    if (argument.size() < 2 || !argument.startsWith(QLatin1Char('-')) || argument == shortHelp)
        return false;
    const bool isLong = argument.startsWith(QLatin1String("--"));
    const QString names = argument.mid(isLong ? 2 : 1).section(QLatin1Char('='), 0, 0);
    if (isLong)
        return unknownNames.contains(names) ||
               (argument.contains(QLatin1Char('=')) && isFlagName(names));
    // Qt splits a single-dash word into one-letter names ("-xyz" gives x, y and z).
    return std::any_of(names.begin(), names.end(),
                       [&](QChar letter) { return unknownNames.contains(letter); });
}

int indexOf(const QStringList &arguments, const std::function<bool(const QString &)> &matches)
{
    const auto found = std::find_if(arguments.begin(), arguments.end(), matches);
    return found != arguments.end() ? static_cast<int>(found - arguments.begin()) : -1;
}

// Takes the values over in the order they were given, so that the first unacceptable one is
// reported. A value missing altogether can only be the last argument's, so it comes last.
QString takeValues(const QCommandLineParser &parser, CliOptions &options)
{
    QHash<QString, int> taken;
    QString missing;
    for (const QString &name : parser.optionNames()) {
        const ValueOption *option = findValueOption(name);
        if (option == nullptr)
            continue;
        const QStringList values = parser.values(name);
        const QString longName = QString::fromLatin1(option->name);
        const int index = taken[longName]++;
        if (index >= values.size())
            missing = QStringLiteral("option --%1 needs a value").arg(longName);
        else if (values.at(index).isEmpty())
            return QStringLiteral("option --%1 needs a non-empty value").arg(longName);
        else if (!option->set(values.at(index), options))
            return QString::fromLatin1(option->invalid);
    }
    return missing;
}

void declareOptions(QCommandLineParser &parser)
{
    parser.addOption(QCommandLineOption(helpName));
    parser.addOption(QCommandLineOption(jsonName));
    parser.addOption(QCommandLineOption(imageName));
    parser.addOption(QCommandLineOption(bomName));
    parser.addOption(QCommandLineOption(matrixName));
    parser.addOption(QCommandLineOption(networkName));
    parser.addOption(QCommandLineOption(factsName));
    parser.addOption(QCommandLineOption(workerName));
    for (const ValueOption &option : valueOptions) {
        QStringList names{QString::fromLatin1(option.name)};
        if (option.shortName != nullptr)
            names.prepend(QString::fromLatin1(option.shortName));
        parser.addOption(QCommandLineOption(names, QString(), QStringLiteral("value")));
    }
}

bool isMistakeInValues(const QString &error)
{
    return !error.isEmpty() && error != noScreenplay;
}

int indexOfRefused(const QStringList &arguments, const QStringList &unknownNames)
{
    return indexOf(arguments,
                   [&](const QString &argument) { return isRefused(argument, unknownNames); });
}

// Whether -h or --help comes before the first unacceptable value.
bool helpComesFirst(const QStringList &arguments)
{
    const int helpAt = indexOf(arguments, [](const QString &argument) {
        return argument == shortHelp || argument == QLatin1String("--help");
    });
    return helpAt < 0 || !isMistakeInValues(parseCliArguments(arguments.mid(0, helpAt)).error);
}

} // namespace

// Reading stops at the first mistake, and --help counts when it comes before it. Qt reads the
// whole line first, so what came before a mistake or a --help is read once more on its own.
CliParseResult parseCliArguments(const QStringList &arguments)
{
    QCommandLineParser parser;
    declareOptions(parser);
    // Qt takes "-" and everything after "--" as files, and the next argument as the value of
    // "--name VALUE" even when it starts with a dash.
    const bool understood = parser.parse(QStringList{QStringLiteral("quillmark-cli")} + arguments);
    const QStringList unknownNames = parser.unknownOptionNames();

    const int refusedAt = understood ? -1 : indexOfRefused(arguments, unknownNames);
    if (refusedAt >= 0) {
        CliParseResult before = parseCliArguments(arguments.mid(0, refusedAt));
        if (!before.options.help && !isMistakeInValues(before.error))
            before.error = QStringLiteral("unknown option %1").arg(arguments.at(refusedAt));
        return before;
    }

    CliParseResult result;
    CliOptions &options = result.options;
    options.json = parser.isSet(jsonName);
    options.image = parser.isSet(imageName);
    options.bom = parser.isSet(bomName);
    options.matrix = parser.isSet(matrixName);
    options.network = parser.isSet(networkName);
    options.facts = parser.isSet(factsName);
    options.worker = parser.isSet(workerName);
    options.files = parser.positionalArguments();
    result.error = takeValues(parser, options);
    // With nothing refused, an unknown "h" can only come from "-h" itself.
    options.help = (parser.isSet(helpName) || unknownNames.contains(QStringLiteral("h"))) &&
                   (result.error.isEmpty() || helpComesFirst(arguments));
    if (result.error.isEmpty() && !options.help && !options.worker && options.files.isEmpty() &&
        options.filesFrom.isEmpty())
        result.error = noScreenplay;
    return result;
}

QStringList workerArguments(const CliOptions &options)
{
    QStringList arguments{QStringLiteral("--worker")};
    if (!options.workdir.isEmpty())
        arguments << QStringLiteral("--workdir") << options.workdir;
    const std::pair<bool, const QString &> flags[] = {
        {options.json, jsonName},       {options.bom, bomName},     {options.matrix, matrixName},
        {options.network, networkName}, {options.facts, factsName}, {options.image, imageName}};
    for (const auto &flag : flags) {
        if (flag.first)
            arguments << QStringLiteral("--") + flag.second;
    }
    arguments << QStringLiteral("--frames")
              << (options.frames == 0 ? QStringLiteral("settled") : QString::number(options.frames))
              << QStringLiteral("--size")
              << QStringLiteral("%1x%2").arg(options.imageWidth).arg(options.imageHeight)
              << QStringLiteral("--mode") << QString::number(options.drawMode);
    // The corpus table is the coordinating process's, which gathers the workers' rows.
    if (!options.summary.isEmpty())
        arguments << QStringLiteral("--summary") << options.summary;
    return arguments;
}

QString cliUsage()
{
    return QStringLiteral(
        "Usage: quillmark-cli [--workdir DIR] [--json] [--bom] [--image [--frames N|settled]\n"
        "                     [--size WxH]\n"
        "                     [--mode M]] [--matrix] [--network] [--facts]\n"
        "                     [--summary FILE.csv]\n"
        "                     [-j N] [--time-limit SECONDS] [--files-from LIST] FILE|FOLDER...\n"
        "\n"
        "Analyses each screenplay as the window does when it is opened (characters, scenes,\n"
        "markup) and writes next to it FILE-scene.csv, FILE-character.csv and\n"
        "FILE-markup.html, all in UTF-8. A FOLDER stands for every screenplay below it\n"
        "(.txt .csv .xml .html .htm .fountain .spmd .fdx .pdf, at any depth, sorted by path),\n"
        "leaving out the settings files and the files this tool writes.\n"
        "\n"
        "Options:\n"
        "  --workdir DIR  read config.txt, breakStrings.txt, characters.txt and colors.txt\n"
        "                 from DIR instead of the current directory\n"
        "  --json         print one JSON object per analysed screenplay on standard output,\n"
        "                 one object per line (JSON Lines); the XML walk's lines then go to\n"
        "                 standard error so that standard output stays valid JSON\n"
        "  --bom          start the CSV files with a UTF-8 byte-order mark, which spreadsheet\n"
        "                 programs need to read them as UTF-8\n"
        "  --image        also write FILE.png, the \"Force Directed\" thread view once its\n"
        "                 layout has settled, drawn off-screen with the window's drawing code;\n"
        "                 OpenGL still needs a display (a real one or xvfb-run)\n"
        "  --frames N|settled\n"
        "                 layout steps taken before the image is drawn, or (the default)\n"
        "                 as many as the layout takes to settle\n"
        "  --size WxH     image size in pixels (default 640x480)\n"
        "  --mode M       draw mode of the image: 0 Force Directed (default), 1 Color\n"
        "                 Weaving, 2 Convergence Graph, 3 Increasing Graph\n"
        "  --matrix       also write FILE-presence.csv: one row per character, one column\n"
        "                 per scene, each cell the character's count in that scene\n"
        "  --network      also write FILE-network.graphml: a node per character (name,\n"
        "                 count, color, scenes), an edge between characters who share\n"
        "                 scenes, weighted by the number of scenes they share\n"
        "  --facts        also write FILE-facts.json (the screenplay's facts: \"script\",\n"
        "                 \"scenes\", \"characters\", \"locations\") and FILE-locations.csv\n"
        "                 (scenes, pages, interiors and times of each location)\n"
        "  --summary FILE.csv\n"
        "                 write one row per screenplay (failed ones included): file, format,\n"
        "                 lines, pages, scenes, characters, speaker lines, scenes per break\n"
        "                 string, the character with most lines and its share, the\n"
        "                 characters in most scenes, the screenplay's facts and network\n"
        "                 measures, and why reading failed\n"
        "  -j, --jobs N   analyse N screenplays at a time in separate processes (default:\n"
        "                 one per core); every output, message and exit status is the same\n"
        "                 for every N\n"
        "  --time-limit SECONDS\n"
        "                 stop the analysis of one screenplay after this long and report it as\n"
        "                 failed (default: 600, and 10 more for every MB of the file;\n"
        "                 0 for no limit)\n"
        "  --files-from LIST\n"
        "                 also analyse the files (or folders) listed in LIST, one per line;\n"
        "                 \"-\" reads the list from standard input\n"
        "  -h, --help     show this text\n"
        "  --             end of options: every later argument is a file\n"
        "\n"
        "Each JSON object holds \"file\", \"lines\", \"speakerIndent\", \"options\" (the analysis\n"
        "options used, by their config.txt keys), \"characters\" (in index order: \"names\",\n"
        "\"count\", \"indent\", \"color\", \"forced\", \"scenes\" = the number of scenes the\n"
        "character is in) and \"scenes\" (\"type\", \"start\", \"end\", \"pages\", \"counts\" "
        "with\n"
        "one entry per character). A screenplay that cannot be read gets no object.\n"
        "\n"
        "Progress goes to standard error when more than one file is given: one updating line\n"
        "(done/total, screenplays per second, time left) on a terminal, otherwise one line\n"
        "per screenplay. A file that cannot be read or an output that cannot be written is\n"
        "reported on standard error and the other files are still processed.\n"
        "\n"
        "No output may be a file the run reads: such a run is refused before anything is\n"
        "written. Each screenplay is analysed in a separate process, so one that crashes\n"
        "or runs out of memory costs only that file.\n"
        "\n"
        "Exit status: 0 when every file was analysed and written, 1 when any failed or\n"
        "standard output could not be written, 2 for a usage error, 128 + N when signal N\n"
        "(SIGINT, SIGTERM, SIGHUP) stopped the run.\n");
}
