#include "characters/Character.h"

#include "support/Random15.h"

#include <array>

namespace {

// Loose matching drops these from a text word before comparing it with an alias word.
const QString &punctuation()
{
    static const QString set =
        QStringLiteral("-`~!@#$%^&*()_\u2014+=|:;<>\u00AB\u00BB,.?/{}'\"\\[]");
    return set;
}

Qt::CaseSensitivity sensitivity(bool caseSensitive)
{
    return caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
}

// Case folding maps one UTF-16 unit to one, so equal words have equal lengths; the length
// test rejects most pairs before any comparison.
bool wordEquals(const QString &word, const QString &other, Qt::CaseSensitivity cs)
{
    return word.size() == other.size() && word.compare(other, cs) == 0;
}

bool nameWordHit(const QString &word, const QString &nameWord, Qt::CaseSensitivity cs,
                 bool looseMatch)
{
    if (looseMatch)
        return word.size() >= nameWord.size() && word.contains(nameWord, cs);
    return wordEquals(word, nameWord, cs);
}

// The text word without punctuation equals the alias word; the stripped copy is only made
// when the lengths already agree.
bool looseAliasWordEquals(const QString &word, const QString &aliasWord, Qt::CaseSensitivity cs)
{
    int kept = 0;
    for (const QChar c : word) {
        if (!Character::isLoosePunctuation(c))
            ++kept;
    }
    if (kept != aliasWord.size())
        return false;
    if (kept == word.size())
        return word.compare(aliasWord, cs) == 0;
    QString stripped;
    stripped.reserve(kept);
    for (const QChar c : word) {
        if (!Character::isLoosePunctuation(c))
            stripped.append(c);
    }
    return stripped.compare(aliasWord, cs) == 0;
}

// Every word of the alias in its aligned place; running out of text is a miss. An empty
// alias never matches, so it cannot hide a partial match of the name.
bool aliasMatches(const QStringList &alias, const QStringList &words, int start,
                  Qt::CaseSensitivity cs, bool looseMatch)
{
    if (alias.isEmpty() || start + alias.size() > words.size())
        return false;
    for (int k = 0; k < alias.size(); ++k) {
        const QString &word = words.at(start + k);
        const bool equal = looseMatch ? looseAliasWordEquals(word, alias.at(k), cs)
                                      : wordEquals(word, alias.at(k), cs);
        if (!equal)
            return false;
    }
    return true;
}

} // namespace

Character::Character(const QStringList &nameWords)
    : names(nameWords)
{
    Random15::seed(static_cast<unsigned>(nameSeed(nameWords)));
    const int value = 150 + Random15::drawFull() % 56;
    const int hue = Random15::drawFull() % 360;
    color = QColor::fromHsv(hue, 200, value, 255);
}

// Matching runs for every token of every line, so membership is a table look-up.
bool Character::isLoosePunctuation(const QChar c)
{
    static const std::array<bool, 256> table = [] {
        std::array<bool, 256> marks{};
        for (const QChar mark : punctuation()) {
            if (mark.unicode() < marks.size())
                marks[mark.unicode()] = true;
        }
        return marks;
    }();
    const ushort code = c.unicode();
    return code < table.size() ? table[code] : code == 0x2014;
}

int Character::nameSeed(const QStringList &nameWords)
{
    int seed = 0;
    for (const QString &word : nameWords) {
        for (const QChar c : word) {
            const ushort code = c.unicode();
            if (code <= 0xFF)
                seed += static_cast<signed char>(static_cast<unsigned char>(code));
        }
    }
    return seed;
}

QString Character::displayText() const
{
    QString text;
    for (const QString &word : names)
        text += word + QLatin1Char(' ');
    return text;
}

QString Character::characterClass() const
{
    return names.join(QString());
}

QStringList Character::matchAt(const QStringList &words, int start, bool caseSensitive,
                               bool looseMatch, bool wholeName) const
{
    QStringList found;
    if (start < 0)
        return found;
    const Qt::CaseSensitivity cs = sensitivity(caseSensitive);
    int hits = 0;
    for (int k = 0; k < names.size() && start + k < words.size(); ++k) {
        const QString &word = words.at(start + k);
        if (nameWordHit(word, names.at(k), cs, looseMatch)) {
            found.append(word);
            ++hits;
        }
    }
    if (hits == names.size())
        return found;
    for (const QStringList &alias : aliases) {
        if (aliasMatches(alias, words, start, cs, looseMatch))
            return alias;
    }
    if (wholeName)
        found.clear();
    return found;
}

bool Character::occursAt(const QStringList &words, int start, bool caseSensitive, bool looseMatch,
                         bool wholeName) const
{
    if (start < 0 || names.isEmpty())
        return false;
    const Qt::CaseSensitivity cs = sensitivity(caseSensitive);
    int hits = 0;
    for (int k = 0; k < names.size() && start + k < words.size(); ++k) {
        if (nameWordHit(words.at(start + k), names.at(k), cs, looseMatch)) {
            if (!wholeName)
                return true;
            ++hits;
        }
    }
    if (hits == names.size())
        return true;
    for (const QStringList &alias : aliases) {
        if (aliasMatches(alias, words, start, cs, looseMatch))
            return true;
    }
    return false;
}
