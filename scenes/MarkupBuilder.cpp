#include "scenes/MarkupBuilder.h"

#include "app/AnalysisProgress.h"
#include "app/DocumentModel.h"
#include "scenes/MarkupStyles.h"
#include "scenes/NameWordFilter.h"
#include "scenes/TimedMarkup.h"

#include <memory>

namespace {

// What stays the same for every line of one pass.
struct MarkupPass
{
    DocumentModel &document;
    TimeIndexVector &index;
    const NameWordFilter &filter;
    QString sceneOpen;     // "<div class='scene'>"
    QString sceneBoundary; // closes the current scene block and opens the next
    QString headingOpen;   // "<span class='breakString'>"
};

struct CharacterMatch
{
    int characterIndex = -1; // position in document.characters
    QStringList words;
};

TimeIndexVector &indexOf(DocumentModel &document)
{
    // The parse driver makes the index; a caller that did not still gets a consistent one.
    if (!document.timeIndex)
        document.timeIndex = std::make_unique<TimeIndexVector>(document.characters);
    return *document.timeIndex;
}

MarkupPass makePass(DocumentModel &document, const NameWordFilter &filter)
{
    const QString sceneOpen =
        QStringLiteral("<div class='") + document.sceneClass + QStringLiteral("'>");
    return MarkupPass{document,
                      indexOf(document),
                      filter,
                      sceneOpen,
                      QStringLiteral("</div>") + sceneOpen,
                      QStringLiteral("<span class='") + document.breakStringClass +
                          QStringLiteral("'>")};
}

// The longest match wins; a later one only when strictly longer, so ties go to the earliest.
void keepLongest(CharacterMatch &best, int characterIndex, QStringList &&words)
{
    if (best.characterIndex < 0 || words.size() > best.words.size()) {
        best.characterIndex = characterIndex;
        best.words = std::move(words);
    }
}

CharacterMatch findCharacter(DocumentModel &document, const QStringList &words, int start)
{
    const bool caseSensitive = document.options.caseSensitive;
    const bool looseMatch = document.options.looseMatch;
    CharacterMatch best;
    CharacterList &characters = document.characters;
    const int known = static_cast<int>(characters.size());
    for (int k = 0; k < known; ++k) {
        QStringList found = characters[k]->matchAt(words, start, caseSensitive, looseMatch);
        if (!found.isEmpty())
            keepLongest(best, k, std::move(found));
    }
    if (best.characterIndex >= 0)
        return best;
    // Characters named only in the include list join the document once they are met, so
    // every later search finds them among the characters.
    for (const CharacterPtr &included : document.includeCharacters) {
        QStringList found = included->matchAt(words, start, caseSensitive, looseMatch);
        if (found.isEmpty())
            continue;
        characters.push_back(included);
        keepLongest(best, static_cast<int>(characters.size()) - 1, std::move(found));
    }
    return best;
}

void appendManualBreaks(const MarkupPass &pass, float x, QString &out)
{
    DocumentModel &document = pass.document;
    for (const float position : document.manualBreaks) {
        if (document.lastBreakPosition < position && position <= x) {
            pass.index.addScene(x, QStringLiteral("USER_SET"));
            out += pass.sceneBoundary;
        }
    }
    document.lastBreakPosition = x;
}

// Each matching entry opens a scene with a heading span holding the words up to, not
// including, the line's last word. Returns the word position the walk goes on from.
int appendHeadings(const MarkupPass &pass, const QStringList &words, int l, float x, QString &out)
{
    const int m = words.size();
    for (const QString &entry : pass.document.breakStrings) {
        if (l >= m || words.at(l).compare(entry, Qt::CaseInsensitive) != 0)
            continue;
        out += pass.sceneBoundary;
        out += pass.headingOpen;
        for (; l < m - 1; ++l) {
            out += words.at(l);
            out += QLatin1Char(' ');
        }
        out += QLatin1String("</span>");
        pass.index.addScene(x, entry);
    }
    return l;
}

void countPageMarker(const MarkupPass &pass, const QString &word)
{
    if (!word.startsWith(QLatin1Char('[')) || !word.endsWith(QLatin1Char(']')))
        return;
    QString number = word;
    number.remove(QLatin1Char('['));
    number.remove(QLatin1Char(']'));
    bool ok = false;
    const int page = number.toInt(&ok, 10);
    pass.index.addPage(ok ? page : 0);
}

void appendCharacterSpan(const MarkupPass &pass, const CharacterMatch &match, QString &out)
{
    const Character &character = *pass.document.characters[match.characterIndex];
    out += QLatin1String("<span class='");
    out += characterClassAttribute(character);
    out += QLatin1String("'>");
    for (const QString &word : match.words) {
        out += word;
        out += QLatin1Char(' ');
    }
    out += QLatin1String("</span>");
    pass.index.countCharacter(match.characterIndex);
}

void appendLine(const MarkupPass &pass, const QString &line, float x, QString &out)
{
    const QStringList words = line.split(QLatin1Char(' '));
    const int m = words.size();
    appendManualBreaks(pass, x, out);
    const std::vector<bool> candidates = pass.filter.candidates(words);
    for (int l = 0; l < m; ++l) {
        CharacterMatch match;
        if (candidates[static_cast<size_t>(l)])
            match = findCharacter(pass.document, words, l);
        if (match.characterIndex >= 0) {
            appendCharacterSpan(pass, match, out);
            // The walk resumes as many words on as the match returned.
            l += match.words.size() - 1;
            continue;
        }
        l = appendHeadings(pass, words, l, x, out);
        if (l >= m)
            continue;
        const QString &word = words.at(l);
        countPageMarker(pass, word);
        if (word.isEmpty()) {
            out += QLatin1Char(' ');
        } else {
            out += word;
            out += QLatin1Char(' ');
        }
    }
    out += QLatin1String("<br>");
}

int expectedLength(const QStringList &lines)
{
    qint64 total = 64;
    for (const QString &line : lines)
        total += line.size() + 8;
    // Spans and boundaries add roughly a fifth; growing past the guess is still fine.
    total += total / 5;
    return static_cast<int>(qMin<qint64>(total, 256 * 1024 * 1024));
}

} // namespace

QString buildMarkup(DocumentModel &document, AnalysisProgress &progress)
{
    if (document.fileSuffix == QLatin1String("xml"))
        return QString();
    if (document.fileSuffix == QLatin1String("csv"))
        return markupTimed(document, progress);
    return markupText(document, progress);
}

QString markupText(DocumentModel &document, AnalysisProgress &progress)
{
    const NameWordFilter filter(document.characters, document.includeCharacters, document.options);
    const MarkupPass pass = makePass(document, filter);
    pass.index.addScene(0.0f, QStringLiteral("START"));

    QString out;
    out.reserve(expectedLength(document.textLines));
    out += pass.sceneOpen;
    const int n = document.textLines.size();
    for (int i = 0; i < n; ++i) {
        if (progress.wasCanceled())
            break;
        progress.setValue(i);
        const float x = static_cast<float>(i) / static_cast<float>(n);
        appendLine(pass, document.textLines.at(i), x, out);
    }
    if (!pass.index.scenes.empty())
        pass.index.scenes.back().end = 1.0f;
    out += QLatin1String("</div>");
    return out;
}

QString markupLine(DocumentModel &document, const QString &line, float x)
{
    const NameWordFilter filter(document.characters, document.includeCharacters, document.options);
    QString out;
    appendLine(makePass(document, filter), line, x, out);
    return out;
}
