// Prints a typed screenplay as a PDF in the layout of a screenwriting program, to try the
// PDF reader on the layouts real programs make.
// Usage: print_screenplay [LAYOUT...] IN.txt OUT.pdf
//   LAYOUT: a4, scene-numbers, continued, no-more, lower-contd, speech-numbers,
//   multi-camera, reversed, nudged, title-keys, cast-page

#include "PrintedScreenplay.h"

#include "reader/TextFile.h"

#include <QFile>
#include <QGuiApplication>

#include <cstdio>
#include <functional>
#include <map>

namespace {

const std::map<QString, std::function<void(PrintStyle &)>> &layouts()
{
    static const std::map<QString, std::function<void(PrintStyle &)>> all{
        {"a4",
         [](PrintStyle &s) {
             s.usLetter = false;
         }},
        {"scene-numbers",
         [](PrintStyle &s) {
             s.sceneNumbers = true;
         }},
        {"continued",
         [](PrintStyle &s) {
             s.continued = true;
         }},
        {"no-more",
         [](PrintStyle &s) {
             s.more = false;
         }},
        {"lower-contd",
         [](PrintStyle &s) {
             s.lowerContd = true;
         }},
        {"speech-numbers",
         [](PrintStyle &s) {
             s.speechNumbers = true;
         }},
        {"multi-camera",
         [](PrintStyle &s) {
             s.multiCamera = true;
         }},
        {"reversed",
         [](PrintStyle &s) {
             s.reversed = true;
         }},
        {"nudged",
         [](PrintStyle &s) {
             s.nudgedCues = true;
         }},
        {"title-keys",
         [](PrintStyle &s) {
             s.titleKeys = true;
         }},
        {"cast-page",
         [](PrintStyle &s) {
             s.castPage = true;
         }},
    };
    return all;
}

int usage()
{
    std::fprintf(stderr, "Usage: print_screenplay [LAYOUT...] IN.txt OUT.pdf\nLAYOUT:");
    for (const auto &layout : layouts())
        std::fprintf(stderr, " %s", qPrintable(layout.first));
    std::fprintf(stderr, "\n");
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen"); // drawing the PDF needs fonts, not a screen
    const QGuiApplication application(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() < 3)
        return usage();
    PrintStyle style;
    for (int a = 1; a < arguments.size() - 2; ++a) {
        const auto layout = layouts().find(arguments.at(a));
        if (layout == layouts().end())
            return usage();
        layout->second(style);
    }
    const std::optional<QStringList> typed =
        TextFile::readLines(arguments.at(arguments.size() - 2));
    QFile out(arguments.last());
    if (!typed || !out.open(QIODevice::WriteOnly) ||
        out.write(PrintedScreenplay::pdf(*typed, style)) < 0) {
        std::fprintf(stderr, "print_screenplay: cannot read or write the files\n");
        return 1;
    }
    return 0;
}
