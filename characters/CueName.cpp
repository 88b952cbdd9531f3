#include "characters/CueName.h"

#include <QRegularExpression>

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

bool isDash(const QString &word)
{
    return word == QLatin1String("-") || word == QChar(0x2013) || word == QChar(0x2014);
}

// "12 - NAME" and "12. NAME": programs that number speeches print the number before the cue.
void dropSpeechNumber(QStringList &nameWords)
{
    static const QRegularExpression bare(QStringLiteral("^\\d{1,4}$"));
    static const QRegularExpression marked(QStringLiteral("^\\d{1,4}[.)]$"));
    if (nameWords.size() >= 3 && bare.match(nameWords.at(0)).hasMatch() && isDash(nameWords.at(1)))
        nameWords.erase(nameWords.begin(), nameWords.begin() + 2);
    else if (nameWords.size() >= 2 && marked.match(nameWords.at(0)).hasMatch())
        nameWords.removeFirst();
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
        dropSpeechNumber(nameWords);
    }
    return nameWords;
}
