#include "reader/PdfPageFurniture.h"

#include "reader/ScreenplayWords.h"

#include <QRegularExpression>
#include <QStringList>

namespace PdfPageFurniture {

namespace {

// Scene numbers go up to four digits and may carry a letter for an inserted scene ("12A").
bool isSceneNumber(const QString &word)
{
    static const QRegularExpression number(QStringLiteral("^\\d{1,4}[A-Z]{0,2}\\.?$"));
    return number.match(word).hasMatch();
}

double gapInCharacters(const PdfWord &left, const PdfWord &right, double pitch)
{
    return (right.box.left() - left.box.right()) / pitch;
}

// Programs print scene numbers well into the margin; a number nearer is the line's own text.
constexpr double marginGapInCharacters = 2.0;

} // namespace

QString takeSceneNumbers(QVector<PdfWord> &words, double pitch)
{
    QString number;
    if (words.size() >= 2 && isSceneNumber(words.first().text) && isCapitals(words.at(1).text) &&
        gapInCharacters(words.at(0), words.at(1), pitch) >= marginGapInCharacters) {
        number = words.takeFirst().text;
    }
    const int last = static_cast<int>(words.size()) - 1;
    if (last >= 1 && isSceneNumber(words.at(last).text) &&
        gapInCharacters(words.at(last - 1), words.at(last), pitch) >= marginGapInCharacters &&
        (number.isEmpty() || number == words.at(last).text || isCapitals(words.first().text))) {
        const QString right = words.takeLast().text;
        if (number.isEmpty())
            number = right;
    }
    if (number.endsWith(QLatin1Char('.')))
        number.chop(1);
    return number;
}

QString takeSpeechNumber(QVector<PdfWord> &words)
{
    QStringList texts;
    for (const PdfWord &word : words)
        texts.append(word.text);
    const int length = speechNumberWords(texts);
    if (length == 0)
        return QString();
    QString number = texts.first();
    if (!number.at(number.size() - 1).isDigit())
        number.chop(1);
    words.remove(0, length);
    return number;
}

bool isFurniture(const QVector<PdfWord> &words, bool atEdge, int *pageNumber)
{
    static const QRegularExpression continued(QStringLiteral("^\\(?CONTINUED\\)?:?$"),
                                              QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression contd(QStringLiteral("^\\(?CONT['\\x{2019}]?D\\)?:?$"),
                                          QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression count(QStringLiteral("^\\(\\d{1,3}\\)$"));
    bool mark = false;
    QStringList numbers;
    for (const PdfWord &word : words) {
        if (continued.match(word.text).hasMatch() || (atEdge && contd.match(word.text).hasMatch()))
            mark = true;
        else if (isSceneNumber(word.text))
            numbers.append(word.text);
        else if (!count.match(word.text).hasMatch())
            return false;
    }
    if (!mark || pageNumber == nullptr)
        return mark;
    // Scene numbers come in pairs; the page number is the one with a full stop, or alone.
    for (const QString &number : numbers) {
        if (number.endsWith(QLatin1Char('.')) || numbers.size() == 1) {
            bool isNumber = false;
            const int value = QString(number).remove(QLatin1Char('.')).toInt(&isNumber);
            if (isNumber)
                *pageNumber = value;
        }
    }
    return mark;
}

} // namespace PdfPageFurniture
