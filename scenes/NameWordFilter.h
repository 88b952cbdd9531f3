#pragma once

#include "characters/Character.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <vector>

struct AnalysisOptions;

// A quick, conservative test of where in a line any character could match. The markup pass
// asks every character for matchAt at every word; most words are no name word at all, and
// this lets it skip those positions without changing a single result: a position it rejects
// is one where matchAt returns an empty list for every given character.
class NameWordFilter
{
public:
    NameWordFilter(const CharacterList &characters, const CharacterList &includeCharacters,
                   const AnalysisOptions &options);

    // One flag per word: false where no given character can match starting there.
    std::vector<bool> candidates(const QStringList &words) const;

private:
    void addNames(const CharacterList &characters);
    // Whether the word could equal some name or alias word under the case rule.
    bool couldHit(const QString &word) const;
    // Hash of the word as the comparison sees it (case-folded unless case-sensitive).
    uint key(const QString &word) const;

    bool m_caseSensitive = false;
    // Loose matching looks for names inside words, which no hash can decide.
    bool m_everyPosition = false;
    int m_span = 1; // words of the longest name or alias
    QSet<uint> m_keys;
};
