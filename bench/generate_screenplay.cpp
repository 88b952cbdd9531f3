// Writes a generated screenplay and its settings files into a folder, for trying the program
// and the command-line tool on a feature-length input.

#include "ScreenplayGenerator.h"

#include "reader/TextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>

int main(int argc, char *argv[])
{
    const QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    bool copiesValid = true;
    const int copies = arguments.size() > 2 ? arguments.at(2).toInt(&copiesValid) : 1;
    if (arguments.size() < 2 || arguments.size() > 3 || !copiesValid || copies < 1) {
        std::fprintf(stderr, "Usage: generate_screenplay FOLDER [COPIES]\n"
                             "Writes screenplay.txt (about 7,000 lines per copy), characters.txt\n"
                             "and breakStrings.txt into FOLDER.\n");
        return 2;
    }
    const QString folder = arguments.at(1);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "generate_screenplay: cannot create %s\n",
                     QFile::encodeName(folder).constData());
        return 1;
    }
    const QString path = writeGeneratedScreenplay(folder, copies);
    if (path.isEmpty()) {
        std::fprintf(stderr, "generate_screenplay: cannot write into %s\n",
                     QFile::encodeName(folder).constData());
        return 1;
    }
    const int lines = TextFile::readLines(path).value_or(QStringList()).size();
    std::printf("%s: %d lines\n", QFile::encodeName(path).constData(), lines);
    return 0;
}
