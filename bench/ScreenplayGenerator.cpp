#include "ScreenplayGenerator.h"

#include "document/AnalysisSession.h"
#include "reader/TextFile.h"

#include <QDir>
#include <QTemporaryDir>

#include <algorithm>
#include <vector>

namespace {

// The speaking cast, leads first: the earlier a name, the more often it speaks.
const char *const castNames[] = {
    "MARGARET",       "THEODORE",         "BEATRICE",      "ROLAND",
    "ISADORA",        "FLETCHER",         "PRIYA",         "DESMOND",
    "LUCINDA",        "OSWALD",           "HENRIETTA",     "CASIMIR",
    "YOLANDA",        "BARNABY",          "ESTELLE",       "IGNATIUS",
    "MIRABEL",        "THADDEUS",         "ROSALIND",      "CORNELIUS",
    "AGATHA",         "LEOPOLD",          "WINIFRED",      "AMBROSE",
    "CLEMENTINE",     "OFFICER DIAZ",     "GWENDOLYN",     "HORATIO",
    "JOSEPHINE",      "LYSANDER",         "DOCTOR OKAFOR", "NADIA",
    "OCTAVIA",        "PERCIVAL",         "QUENTIN",       "AUNT ROSEMARY",
    "SEBASTIAN",      "TABITHA",          "ULRICH",        "VALENTINA",
    "OLD FISHERMAN",  "WENDELL",          "XIOMARA",       "YUSUF",
    "ZENOBIA",        "MAYOR PELLETIER",  "ANSELM",        "BRIGITTE",
    "CYPRIAN",        "SISTER AGNES",     "DELPHINE",      "EVANDER",
    "FENELLA",        "CAPTAIN HOLLOWAY", "GIDEON",        "HYACINTH",
    "NURSE KOWALSKI", "ORSOLYA",          "PHINEAS",       "RADEGUND"};
constexpr int castSize = sizeof castNames / sizeof castNames[0];
static_assert(castSize == 60, "the cast has sixty speaking characters");

// Aliases of the twenty include characters (the first twenty of the cast).
const char *const nicknames[] = {"MAGGIE", "TEDDY", "BEA",   "ROLY",  "IZZY", "FLETCH", "PRI",
                                 "DES",    "LUCY",  "OZZIE", "HETTY", "CAS",  "YOLI",   "BARNS",
                                 "STELLA", "IGGY",  "MIRA",  "TAD",   "ROS",  "NEELY"};
const char *const surnames[] = {"THORNE",   "VANCE",    "ASHDOWN",  "KEMP",        "MORROW",
                                "PIKE",     "OYELARAN", "STRAND",   "FAIRWEATHER", "GRIMSBY",
                                "LOCKHART", "BRANDT",   "QUINTERO", "MARSH",       "DUVAL",
                                "HARGROVE", "ELLERY",   "TALBOT",   "NAKAMURA",    "WHITLOCK"};
constexpr int includeCount = sizeof nicknames / sizeof nicknames[0];
static_assert(includeCount == 20 && sizeof surnames / sizeof surnames[0] == 20,
              "twenty include characters");

const char *const vocabulary[] = {
    "the",     "a",          "we",       "you",       "they",       "it",      "this",
    "that",    "never",      "always",   "maybe",     "just",       "really",  "still",
    "again",   "here",       "there",    "now",       "then",       "tonight", "tomorrow",
    "know",    "think",      "want",     "need",      "see",        "find",    "take",
    "leave",   "stay",       "tell",     "listen",    "wait",       "look",    "remember",
    "forget",  "believe",    "promise",  "trust",     "lose",       "keep",    "bring",
    "open",    "close",      "house",    "door",      "window",     "river",   "bridge",
    "harbour", "train",      "letter",   "money",     "key",        "boat",    "storm",
    "lamp",    "garden",     "road",     "market",    "church",     "station", "office",
    "map",     "photograph", "suitcase", "coat",      "ticket",     "winter",  "summer",
    "morning", "evening",    "nothing",  "something", "everything", "nobody",  "somebody",
    "quiet",   "cold",       "late",     "early",     "wrong",      "right",   "strange",
    "careful", "honest",     "tired",    "afraid",    "ready",      "gone",    "back",
    "home",    "away",       "inside",   "outside",   "together",   "alone",   "with",
    "without", "before",     "after",    "because",   "if",         "when",    "and",
    "but",     "or",         "so",       "not",       "all",        "only",    "every",
    "long",    "little",     "last",     "first",     "whole",      "truth",   "reason",
    "chance",  "answer",     "question", "problem",   "favour",     "secret",  "mistake",
    "plan",    "minute"};
constexpr int vocabularySize = sizeof vocabulary / sizeof vocabulary[0];

const char *const actionVerbs[] = {
    "crosses to the window", "sets down the suitcase", "stares at the photograph",
    "pockets the key",       "opens the letter",       "waits by the door",
    "studies the map",       "pours two cups of tea",  "glances back at the road",
    "sits heavily",          "laughs despite herself", "turns off the lamp",
    "picks up the ticket",   "listens at the wall",    "folds the coat over a chair"};
const char *const locations[] = {"HARBOUR MASTER'S OFFICE",
                                 "THORNE HOUSE - KITCHEN",
                                 "RAILWAY STATION",
                                 "FISH MARKET",
                                 "OLD BRIDGE",
                                 "CHURCH - VESTRY",
                                 "BOARDING HOUSE - ATTIC",
                                 "LIGHTHOUSE",
                                 "TOWN HALL - CORRIDOR",
                                 "COASTAL ROAD",
                                 "HOSPITAL WARD",
                                 "POLICE STATION",
                                 "ALLOTMENT GARDENS",
                                 "HOTEL BAR",
                                 "FERRY DECK"};
const char *const timesOfDay[] = {"DAY", "NIGHT", "MORNING", "EVENING", "CONTINUOUS", "LATER"};
const char *const parentheticals[] = {"beat",    "quietly",        "to herself", "not looking up",
                                      "smiling", "into the phone", "lying"};
const char *const sentenceEnds[] = {".", ".", "?", "!", "..."};
const char *const transitions[] = {"CUT TO:", "DISSOLVE TO:", "SMASH CUT TO:", "MATCH CUT TO:"};

// splitmix64: small and exactly defined, so the text is the same on every platform.
class Random
{
public:
    explicit Random(std::uint64_t seed)
        : m_state(seed)
    {
    }

    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }
    int below(int bound) { return static_cast<int>(next() % static_cast<std::uint64_t>(bound)); }
    int between(int low, int high) { return low + below(high - low + 1); } // inclusive
    bool chance(int percent) { return below(100) < percent; }
    template<typename T, std::size_t N> const T &pick(const T (&items)[N])
    {
        return items[below(static_cast<int>(N))];
    }

private:
    std::uint64_t m_state;
};

QString blanks(int count)
{
    return QString(count, QLatin1Char(' '));
}

QString titleCase(const QString &upper)
{
    QStringList words = upper.split(QLatin1Char(' '));
    for (QString &word : words)
        word = word.left(1) + word.mid(1).toLower();
    return words.join(QLatin1Char(' '));
}

QStringList wrap(const QString &text, int width)
{
    QStringList lines;
    QString line;
    for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!line.isEmpty() && line.size() + 1 + word.size() > width) {
            lines.append(line);
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    if (!line.isEmpty())
        lines.append(line);
    return lines;
}

constexpr int cueIndent = 20;
constexpr int parentheticalIndent = 15;
constexpr int dialogueIndent = 10;
constexpr int transitionIndent = 50;
constexpr int linesPerPage = 55;

class ScreenplayWriter
{
public:
    explicit ScreenplayWriter(std::uint64_t seed)
        : m_random(seed)
    {
        int total = 0;
        for (int i = 0; i < castSize; ++i) {
            total += 10000 / (i + 1);
            m_cumulativeWeights.push_back(total);
        }
    }

    void writeCopy();
    QStringList lines() const { return m_lines; }

private:
    void add(const QString &line)
    {
        m_lines.append(line);
        ++m_pageLines;
    }
    void pageBreakIfDue();
    void titlePage();
    void scene(int number, int targetLines);
    std::vector<int> sceneCast(int number);
    void action(const std::vector<int> &cast);
    void speech(int speaker, bool continued, const std::vector<int> &cast);
    QString sentence(const std::vector<int> &cast);
    QString nameInText(int member);
    int weightedSpeaker();

    Random m_random;
    QStringList m_lines;
    std::vector<int> m_cumulativeWeights;
    int m_page = 1;
    int m_pageLines = 0;
};

void ScreenplayWriter::pageBreakIfDue()
{
    if (m_pageLines < linesPerPage)
        return;
    m_pageLines = 0;
    add(QStringLiteral("[%1]").arg(++m_page));
}

void ScreenplayWriter::titlePage()
{
    add(blanks(25) + QStringLiteral("THE LONG WAY ROUND"));
    add(QString());
    add(blanks(31) + QStringLiteral("by"));
    add(QString());
    add(blanks(26) + QStringLiteral("Agnes Winterbourne"));
    for (int i = 0; i < 6; ++i)
        add(QString());
    add(QStringLiteral("[%1]").arg(m_page));
    m_pageLines = 0;
    add(blanks(transitionIndent) + QStringLiteral("FADE IN:"));
    add(QString());
}

void ScreenplayWriter::writeCopy()
{
    const int first = m_lines.size();
    titlePage();
    for (int number = 0; number < ScreenplayGenerator::scenesPerCopy; ++number) {
        const int written = m_lines.size() - first;
        const int scenesLeft = ScreenplayGenerator::scenesPerCopy - number;
        const int target = (ScreenplayGenerator::linesPerCopy - 3 - written) / scenesLeft;
        scene(number, target);
    }
    while (m_lines.size() - first < ScreenplayGenerator::linesPerCopy - 3)
        add(QString());
    add(blanks(transitionIndent) + QStringLiteral("FADE OUT."));
    add(QString());
    add(blanks(30) + QStringLiteral("THE END"));
}

int ScreenplayWriter::weightedSpeaker()
{
    const int draw = m_random.below(m_cumulativeWeights.back());
    const auto found =
        std::upper_bound(m_cumulativeWeights.begin(), m_cumulativeWeights.end(), draw);
    return static_cast<int>(found - m_cumulativeWeights.begin());
}

// Scene n always includes cast member n mod 60, so every member speaks in each copy.
std::vector<int> ScreenplayWriter::sceneCast(int number)
{
    std::vector<int> cast{number % castSize};
    const std::size_t size = static_cast<std::size_t>(m_random.between(2, 5));
    while (cast.size() < size) {
        const int member = weightedSpeaker();
        if (std::find(cast.begin(), cast.end(), member) == cast.end())
            cast.push_back(member);
    }
    return cast;
}

void ScreenplayWriter::scene(int number, int targetLines)
{
    const int first = m_lines.size();
    const std::vector<int> cast = sceneCast(number);
    pageBreakIfDue();
    const QString place = m_random.chance(60) ? QStringLiteral("INT.") : QStringLiteral("EXT.");
    add(place + QLatin1Char(' ') + QLatin1String(m_random.pick(locations)) + QStringLiteral(" - ") +
        QLatin1String(m_random.pick(timesOfDay)));
    add(QString());
    action(cast);

    int previous = -1;
    bool afterAction = false;
    // Scenes may overshoot by a speech; the next scene's target makes up for it.
    while (m_lines.size() - first < targetLines - 3) {
        if (previous >= 0 && m_random.chance(18)) {
            action(cast);
            afterAction = true;
            continue;
        }
        int speaker = previous < 0 ? cast.front() : cast[m_random.below(int(cast.size()))];
        if (speaker == previous && !afterAction)
            speaker = cast[(std::find(cast.begin(), cast.end(), speaker) - cast.begin() + 1) %
                           cast.size()];
        speech(speaker, speaker == previous, cast);
        previous = speaker;
        afterAction = false;
    }
    if (m_random.chance(30)) {
        add(blanks(transitionIndent) + QLatin1String(m_random.pick(transitions)));
        add(QString());
    }
}

QString ScreenplayWriter::nameInText(int member)
{
    if (member < includeCount && m_random.chance(30)) {
        return m_random.chance(50)
                   ? titleCase(QLatin1String(nicknames[member]))
                   : QStringLiteral("Ms ") + titleCase(QLatin1String(surnames[member]));
    }
    return titleCase(QLatin1String(castNames[member]));
}

QString ScreenplayWriter::sentence(const std::vector<int> &cast)
{
    QStringList words;
    const int count = m_random.between(4, 10);
    for (int i = 0; i < count; ++i)
        words.append(QLatin1String(vocabulary[m_random.below(vocabularySize)]));
    if (m_random.chance(15))
        words.insert(m_random.below(count), nameInText(cast[m_random.below(int(cast.size()))]));
    QString text = words.join(QLatin1Char(' '));
    text[0] = text[0].toUpper();
    return text + QLatin1String(m_random.pick(sentenceEnds));
}

void ScreenplayWriter::action(const std::vector<int> &cast)
{
    pageBreakIfDue();
    QString paragraph;
    const int sentences = m_random.between(1, 3);
    for (int i = 0; i < sentences; ++i) {
        const int member = cast[m_random.below(int(cast.size()))];
        paragraph += nameInText(member) + QLatin1Char(' ') +
                     QLatin1String(m_random.pick(actionVerbs)) + QStringLiteral(". ");
        if (m_random.chance(50))
            paragraph += sentence(cast) + QLatin1Char(' ');
    }
    for (const QString &line : wrap(paragraph, 60))
        add(line);
    add(QString());
}

void ScreenplayWriter::speech(int speaker, bool continued, const std::vector<int> &cast)
{
    pageBreakIfDue();
    QString cue = QLatin1String(castNames[speaker]);
    if (continued)
        cue += QStringLiteral(" (CONT'D)");
    else if (m_random.chance(5))
        cue += QStringLiteral(" (V.O.)");
    add(blanks(cueIndent) + cue);
    if (m_random.chance(20)) {
        add(blanks(parentheticalIndent) + QLatin1Char('(') +
            QLatin1String(m_random.pick(parentheticals)) + QLatin1Char(')'));
    }
    QString speech;
    const int sentences = m_random.between(1, 3);
    for (int i = 0; i < sentences; ++i)
        speech += sentence(cast) + QLatin1Char(' ');
    for (const QString &line : wrap(speech, 35))
        add(blanks(dialogueIndent) + line);
    add(QString());
}

QString joinedText(const QStringList &lines)
{
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace

ScreenplayGenerator::ScreenplayGenerator(std::uint64_t seed)
    : m_seed(seed)
{
}

QStringList ScreenplayGenerator::screenplay(int copies) const
{
    ScreenplayWriter writer(m_seed);
    for (int i = 0; i < copies; ++i)
        writer.writeCopy();
    return writer.lines();
}

QStringList ScreenplayGenerator::characterListLines()
{
    const char *const forcedColors[] = {"200 40 40", "40 120 200", "30 160 90", "180 120 20",
                                        "120 60 180"};
    QStringList lines;
    for (int i = 0; i < includeCount; ++i) {
        QString line = QLatin1String(castNames[i]) + QStringLiteral(", ") +
                       QLatin1String(nicknames[i]) + QStringLiteral(", MS ") +
                       QLatin1String(surnames[i]);
        if (i % 4 == 0)
            line += QStringLiteral(" : ") + QLatin1String(forcedColors[i / 4]);
        lines.append(line);
    }
    return lines;
}

QStringList ScreenplayGenerator::breakStringLines()
{
    return {QStringLiteral("int."),     QStringLiteral("ext."), QStringLiteral("INTERIOR"),
            QStringLiteral("EXTERIOR"), QStringLiteral("INT"),  QStringLiteral("EXT")};
}

QStringList ScreenplayGenerator::speakingCharacters()
{
    QStringList names;
    for (const char *name : castNames)
        names.append(QLatin1String(name));
    return names;
}

QString writeGeneratedScreenplay(const QString &folder, int copies)
{
    const QString screenplayPath = QDir(folder).filePath(QStringLiteral("screenplay.txt"));
    const SettingsPaths settings = SettingsPaths::in(folder);
    const bool written =
        TextFile::writeText(screenplayPath, joinedText(ScreenplayGenerator().screenplay(copies))) &&
        TextFile::writeText(settings.characters,
                            joinedText(ScreenplayGenerator::characterListLines())) &&
        TextFile::writeText(settings.breakStrings,
                            joinedText(ScreenplayGenerator::breakStringLines()));
    return written ? screenplayPath : QString();
}

std::shared_ptr<const Analysis> parsedGeneratedScreenplay(int copies)
{
    QTemporaryDir folder;
    const QString path = writeGeneratedScreenplay(folder.path(), copies);
    AnalysisSession session(SettingsPaths::in(folder.path()));
    session.readSettings();
    return session.analyse(path);
}
