#pragma once

#include "characters/Character.h"
#include "document/AnalysisSession.h"
#include "scenes/BreakStringFile.h"
#include "scenes/MarkupBuilder.h"
#include "support/StageProgress.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

// A character whose name words are the blank-separated words of `name`.
inline CharacterPtr characterNamed(const QString &name, const QList<QStringList> &aliases = {})
{
    auto character = std::make_shared<Character>(name.split(QLatin1Char(' ')));
    character->aliases = aliases;
    return character;
}

// What a parse starts from: a screenplay as opening leaves it, and a session whose settings
// are held in memory (no settings file is read).
struct ParseCase
{
    Screenplay screenplay;
    AnalysisSession session = AnalysisSession::inMemory(AnalysisSettings());
    std::shared_ptr<const Analysis> analysis; // the last parse

    AnalysisSettings &settings() { return session.settings(); }
    const Analysis &parse(const StageProgress &progress = {})
    {
        analysis = session.parse(screenplay, progress);
        return *analysis;
    }
    // What a markup pass over the case reads, for the passes tested on their own.
    MarkupSources sources() const { return markupSources(screenplay, session.settings()); }
};

// A screenplay of `lines` whose characters are `characters`, parsed with `breakStrings`.
inline ParseCase parseCase(const QStringList &lines, const CharacterList &characters,
                           const QStringList &breakStrings = sampleBreakStrings())
{
    ParseCase parseCase;
    parseCase.screenplay.textLines = lines;
    parseCase.screenplay.characters = characters;
    parseCase.settings().breakStrings = breakStrings;
    return parseCase;
}

inline QString markupOf(const Analysis &analysis)
{
    return QString::fromUtf8(analysis.markupHtml);
}
