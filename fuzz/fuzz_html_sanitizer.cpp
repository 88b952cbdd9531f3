// Makes an HTML screenplay's markup harmless; what comes out may open only allowed tags.
#include "scenes/HtmlSanitizer.h"

#include <QRegularExpression>
#include <QString>

#include <cstdint>
#include <cstdlib>

namespace {

bool isAllowedTagStart(const QString &out, int at)
{
    static const char *const names[] = {
        "b",    "i",   "u",      "em",   "strong",     "p",       "br",   "center",
        "font", "div", "span",   "pre",  "h1",         "h2",      "h3",   "h4",
        "h5",   "h6",  "nofont", "noh2", "hr",         "tt",      "s",    "strike",
        "sub",  "sup", "small",  "big",  "blockquote", "speaker", "style"};
    int i = at + 1;
    if (i < out.size() && out.at(i) == QLatin1Char('/'))
        ++i;
    int end = i;
    while (end < out.size() && out.at(end).isLetterOrNumber())
        ++end;
    const QString name = out.mid(i, end - i).toLower();
    for (const char *allowed : names) {
        if (name == QLatin1String(allowed))
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString html = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
    const QString out = sanitizeHtml(html);
    // An escaped quote in a rebuilt attribute ("&#39;") is the largest growth there is.
    if (out.size() > 5 * html.size() + 16)
        std::abort();
    for (int at = out.indexOf(QLatin1Char('<')); at >= 0;
         at = out.indexOf(QLatin1Char('<'), at + 1)) {
        if (!isAllowedTagStart(out, at))
            std::abort();
        // A kept style sheet is text to a browser, whatever it holds, up to its end tag.
        if (out.mid(at, 6).compare(QLatin1String("<style"), Qt::CaseInsensitive) == 0 &&
            !out.mid(at + 6, 1).contains(QRegularExpression(QStringLiteral("[A-Za-z0-9]")))) {
            at = out.indexOf(QLatin1String("</style"), at, Qt::CaseInsensitive);
            if (at < 0)
                std::abort(); // a style sheet is only kept whole
        }
    }
    return 0;
}
