#include "reader/TextContent.h"

#include <algorithm>

namespace {

// The characters looked at for binary data: enough to judge, however long the file.
constexpr int sampleCharacters = 64 * 1024;
// Typed text has next to no control characters; binary data has them in almost every line.
constexpr int controlShareLimit = 20; // one in 20

// Control characters other than those a typed file lays its text out with (tab, form feed),
// and the replacement character that stands for bytes that were not text.
bool isBinaryMark(QChar c)
{
    if (c == QChar::ReplacementCharacter || c.unicode() == 0)
        return true;
    return c.category() == QChar::Other_Control && c != QLatin1Char('\t') &&
           c != QLatin1Char('\f') && c != QLatin1Char('\v');
}

bool looksBinary(const QStringList &lines)
{
    int looked = 0;
    int marks = 0;
    for (const QString &line : lines) {
        const int take = std::min(int(line.size()), sampleCharacters - looked);
        marks += int(std::count_if(line.cbegin(), line.cbegin() + take, isBinaryMark));
        looked += take;
        if (looked == sampleCharacters)
            break;
    }
    return marks * controlShareLimit > looked;
}

} // namespace

QString textContentRefusal(const QStringList &lines)
{
    const bool hasText = std::any_of(lines.cbegin(), lines.cend(), [](const QString &line) {
        return std::any_of(line.cbegin(), line.cend(), [](QChar c) { return !c.isSpace(); });
    });
    if (!hasText)
        return QStringLiteral("is empty");
    if (looksBinary(lines))
        return QStringLiteral("is not a text file: it holds binary data");
    return QString();
}
