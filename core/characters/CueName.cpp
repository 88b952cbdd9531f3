#include "characters/CueName.h"

#include "reader/ScreenplayWords.h"

namespace {

QString straightApostrophes(QString word)
{
    word.replace(QChar(0x2019), QLatin1Char('\''));
    word.replace(QChar(0x2018), QLatin1Char('\''));
    return word;
}

void dropDualDialogueMark(QStringList &nameWords)
{
    if (nameWords.isEmpty())
        return;
    QString &last = nameWords.last();
    if (last.endsWith(QLatin1Char('^')))
        last.chop(1);
    if (last.isEmpty())
        nameWords.removeLast();
}

} // namespace

int leadingBlanks(const QStringList &tokens)
{
    int lead = 0;
    while (lead < tokens.size() && tokens.at(lead).isEmpty())
        ++lead;
    return lead;
}

QStringList cueNameWords(const QStringList &tokens, int lead, bool mergeExtensions)
{
    QStringList nameWords;
    for (int t = lead; t < tokens.size(); ++t) {
        const QString &token = tokens.at(t);
        if (mergeExtensions && token.startsWith(QLatin1Char('(')))
            break;
        if (token.isEmpty() || token.toUpper() != token)
            continue;
        nameWords.append(mergeExtensions ? straightApostrophes(token) : token);
    }
    if (mergeExtensions) {
        dropDualDialogueMark(nameWords);
        nameWords.erase(nameWords.begin(), nameWords.begin() + speechNumberWords(nameWords));
    }
    return nameWords;
}
