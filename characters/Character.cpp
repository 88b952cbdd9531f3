#include "characters/Character.h"

#include <cstdlib>

namespace {

// Loose matching drops these from a text word before comparing it with an alias word.
const QString &punctuation()
{
    static const QString set = QStringLiteral("-`~!@#$%^&*()_\u2014+=|:;<>\u00AB\u00BB,.?/{}'\"\\[]");
    return set;
}

QString withoutPunctuation(QString word)
{
    for (const QChar mark : punctuation())
        word.remove(mark);
    return word;
}

Qt::CaseSensitivity sensitivity(bool caseSensitive)
{
    return caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
}

} // namespace

Character::Character(const QStringList &nameWords) : names(nameWords)
{
    std::srand(static_cast<unsigned>(nameSeed(nameWords)));
    const int value = 150 + std::rand() % 56;
    const int hue = std::rand() % 360;
    color = QColor::fromHsv(hue, 200, value, 255);
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
                               bool looseMatch) const
{
    const Qt::CaseSensitivity cs = sensitivity(caseSensitive);
    QStringList found;
    int hits = 0;
    for (int k = 0; k < names.size() && start + k < words.size(); ++k) {
        const QString &word = words.at(start + k);
        const bool hit = looseMatch ? word.contains(names.at(k), cs)
                                    : word.compare(names.at(k), cs) == 0;
        if (hit) {
            found.append(word);
            ++hits;
        }
    }
    if (hits == names.size())
        return found;

    for (const QStringList &alias : aliases) {
        int matched = 0;
        for (int k = 0; k < alias.size() && start + k < words.size(); ++k) {
            QString word = words.at(start + k);
            if (looseMatch)
                word = withoutPunctuation(word);
            if (word.compare(alias.at(k), cs) == 0)
                ++matched;
        }
        if (!alias.isEmpty() && matched == alias.size())
            return alias;
    }
    return found;
}
