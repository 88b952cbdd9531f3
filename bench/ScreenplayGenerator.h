#pragma once

#include <memory>

#include <QString>
#include <QStringList>

#include <cstdint>

struct Analysis;

// Builds a feature-length plain-text screenplay for timing the analysis: about 7,000 lines
// per copy with 150 scene headings, 60 speaking characters (some cues with (CONT'D) and (V.O.)),
// page markers, and the usual layout (action at column 0, dialogue at 10 blanks,
// parentheticals at 15, cues at 20). The same seed always gives the same text; it never uses
// the C library's generator, which the analysis itself reseeds.
class ScreenplayGenerator
{
public:
    static constexpr std::uint64_t defaultSeed = 0x5eed2024;
    static constexpr int linesPerCopy = 7000;
    static constexpr int scenesPerCopy = 150;

    explicit ScreenplayGenerator(std::uint64_t seed = defaultSeed);

    // `copies` screenplays of the same cast one after another, pages numbered throughout.
    QStringList screenplay(int copies) const;

    // characters.txt for the cast: 20 include characters with aliases, some with forced colours.
    static QStringList characterListLines();
    // breakStrings.txt: the markers that open the generated scene headings.
    static QStringList breakStringLines();
    // The cue names of the speaking cast, leads first.
    static QStringList speakingCharacters();

private:
    std::uint64_t m_seed;
};

// Writes "screenplay.txt" (`copies` copies), "characters.txt" and "breakStrings.txt" into the
// folder and returns the screenplay's path, or an empty string when a file cannot be written.
QString writeGeneratedScreenplay(const QString &folder, int copies);

// The generated screenplay opened and parsed as the window does it (characters found, markup
// built, scene index filled), ready to hand to the thread view.
std::shared_ptr<const Analysis> parsedGeneratedScreenplay(int copies);
