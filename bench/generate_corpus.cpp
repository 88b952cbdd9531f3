// Writes a corpus of generated feature-length screenplays (each from its own seed, so no two
// are the same text) and the settings they share, for timing corpus runs of quillmark-cli:
// bench/corpus_run.sh.

#include "ScreenplayGenerator.h"

#include "document/AnalysisSession.h"
#include "reader/TextFile.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

namespace {

QString joined(const QStringList &lines)
{
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace

int main(int argc, char *argv[])
{
    const QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    bool countValid = false;
    const int count = arguments.size() == 3 ? arguments.at(2).toInt(&countValid) : 0;
    if (!countValid || count < 1) {
        std::fprintf(stderr, "Usage: generate_corpus FOLDER COUNT\n"
                             "Writes COUNT screenplays of about 7,000 lines into FOLDER/corpus,\n"
                             "and characters.txt and breakStrings.txt into FOLDER.\n");
        return 2;
    }
    const QDir folder(arguments.at(1));
    if (!QDir().mkpath(folder.filePath(QStringLiteral("corpus")))) {
        std::fprintf(stderr, "generate_corpus: cannot create the folder\n");
        return 1;
    }
    const SettingsPaths settings = SettingsPaths::in(folder.path());
    bool written =
        TextFile::writeText(settings.characters,
                            joined(ScreenplayGenerator::characterListLines())) &&
        TextFile::writeText(settings.breakStrings, joined(ScreenplayGenerator::breakStringLines()));
    for (int i = 0; written && i < count; ++i) {
        const ScreenplayGenerator generator(ScreenplayGenerator::defaultSeed + std::uint64_t(i));
        const QString name =
            QStringLiteral("corpus/screenplay-%1.txt").arg(i, 4, 10, QLatin1Char('0'));
        written = TextFile::writeText(folder.filePath(name), joined(generator.screenplay(1)));
    }
    if (!written) {
        std::fprintf(stderr, "generate_corpus: cannot write into the folder\n");
        return 1;
    }
    return 0;
}
