#include "scenes/HtmlSanitizer.h"

#include <QSet>
#include <QStringList>

#include <algorithm>

namespace {

// Formatting that screenplay HTML uses, plus the reader's inert renamings of "font" and "h2"
// and its "speaker" headings.
const QSet<QString> &allowedElements()
{
    static const QSet<QString> names{
        "b",    "i",   "u",  "em",     "strong", "p",   "br",    "center", "font",       "div",
        "span", "pre", "h1", "h2",     "h3",     "h4",  "h5",    "h6",     "nofont",     "noh2",
        "hr",   "tt",  "s",  "strike", "sub",    "sup", "small", "big",    "blockquote", "speaker"};
    return names;
}

const QSet<QString> &allowedAttributes()
{
    static const QSet<QString> names{"align", "color", "face", "size",  "class",
                                     "id",    "dir",   "lang", "title", "valign"};
    return names;
}

// Dropped with everything up to their end tag: what they hold is code, data or a document
// of its own, never screenplay text.
const QSet<QString> &droppedWithContent()
{
    static const QSet<QString> names{"script",   "style",  "title",    "iframe",   "frame",
                                     "frameset", "object", "embed",    "applet",   "noscript",
                                     "template", "svg",    "math",     "textarea", "select",
                                     "audio",    "video",  "noframes", "noembed"};
    return names;
}

bool isNameCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_') ||
           c == QLatin1Char(':');
}

struct Attribute
{
    QString name;
    QString value;
    bool hasValue = false;
};

struct Tag
{
    QString name; // lower case
    bool closing = false;
    bool selfClosing = false;
    QList<Attribute> attributes;
    int end = -1; // index just past the ">"
};

int skipBlanks(const QString &html, int i)
{
    while (i < html.size() && html.at(i).isSpace())
        ++i;
    return i;
}

// The value of an attribute from position i: quoted or bare. Returns the position after it.
int readValue(const QString &html, int i, QString &value)
{
    if (i < html.size() && (html.at(i) == QLatin1Char('"') || html.at(i) == QLatin1Char('\''))) {
        const QChar quote = html.at(i);
        const int close = html.indexOf(quote, i + 1);
        if (close < 0)
            return -1;
        value = html.mid(i + 1, close - i - 1);
        return close + 1;
    }
    const int start = i;
    while (i < html.size() && !html.at(i).isSpace() && html.at(i) != QLatin1Char('>'))
        ++i;
    value = html.mid(start, i - start);
    return i;
}

// Reads a tag starting at the "<" at position `start`; false when it is no complete tag.
bool readTag(const QString &html, int start, Tag &tag)
{
    int i = start + 1;
    if (i < html.size() && html.at(i) == QLatin1Char('/')) {
        tag.closing = true;
        ++i;
    }
    const int nameStart = i;
    while (i < html.size() && isNameCharacter(html.at(i)))
        ++i;
    if (i == nameStart || !html.at(nameStart).isLetter())
        return false;
    tag.name = html.mid(nameStart, i - nameStart).toLower();
    while (i < html.size()) {
        i = skipBlanks(html, i);
        if (i >= html.size())
            return false;
        const QChar c = html.at(i);
        if (c == QLatin1Char('>')) {
            tag.end = i + 1;
            return true;
        }
        if (c == QLatin1Char('/')) {
            tag.selfClosing = true;
            ++i;
            continue;
        }
        Attribute attribute;
        const int attributeStart = i;
        while (i < html.size() && !html.at(i).isSpace() && html.at(i) != QLatin1Char('=') &&
               html.at(i) != QLatin1Char('>') && html.at(i) != QLatin1Char('/'))
            ++i;
        attribute.name = html.mid(attributeStart, i - attributeStart).toLower();
        if (i == attributeStart)
            ++i; // a stray character such as a lone quote
        i = skipBlanks(html, i);
        if (i < html.size() && html.at(i) == QLatin1Char('=')) {
            i = readValue(html, skipBlanks(html, i + 1), attribute.value);
            if (i < 0)
                return false;
            attribute.hasValue = true;
        }
        if (!attribute.name.isEmpty())
            tag.attributes.append(attribute);
    }
    return false;
}

bool harmlessValue(const QString &value)
{
    const QString folded = value.simplified().toLower();
    return !folded.contains(QLatin1String("javascript:")) &&
           !folded.contains(QLatin1String("url(")) && !folded.contains(QLatin1String("//"));
}

// The tag as written when all its attributes are allowed; otherwise rebuilt with those only.
bool keptAttribute(const Attribute &attribute)
{
    return allowedAttributes().contains(attribute.name) && harmlessValue(attribute.value);
}

QString keptTag(const QString &html, int start, const Tag &tag)
{
    if (std::all_of(tag.attributes.begin(), tag.attributes.end(), keptAttribute))
        return html.mid(start, tag.end - start);
    QString out = QLatin1Char('<') + QLatin1String(tag.closing ? "/" : "") + tag.name;
    for (const Attribute &attribute : tag.attributes) {
        if (!keptAttribute(attribute))
            continue;
        out += QLatin1Char(' ') + attribute.name;
        if (attribute.hasValue)
            out += QLatin1String("='") + escapeHtml(attribute.value) + QLatin1Char('\'');
    }
    out += QLatin1Char('>');
    return out;
}

// The position after the end tag of `name` that closes the element opened before `from`,
// or the end of the text when it is never closed.
int skipElement(const QString &html, int from, const QString &name)
{
    int i = from;
    while (true) {
        const int close = html.indexOf(QLatin1String("</") + name, i, Qt::CaseInsensitive);
        if (close < 0)
            return html.size();
        const int after = close + 2 + name.size();
        if (after >= html.size() || !isNameCharacter(html.at(after))) {
            const int end = html.indexOf(QLatin1Char('>'), after);
            return end < 0 ? html.size() : end + 1;
        }
        i = after;
    }
}

// A style sheet that can fetch nothing and run nothing.
bool harmlessStyleSheet(const QString &css)
{
    const QString folded = css.toLower();
    for (const char *risky : {"url(", "@import", "expression", "behavior", "javascript:", "\\"}) {
        if (folded.contains(QLatin1String(risky)))
            return false;
    }
    return true;
}

// Comments, declarations and processing instructions: "<!", "<?" up to their end.
int skipMarkupDeclaration(const QString &html, int start)
{
    if (QStringView(html).mid(start, 4) == QLatin1String("<!--")) {
        const int end = html.indexOf(QLatin1String("-->"), start + 4);
        return end < 0 ? html.size() : end + 3;
    }
    const int end = html.indexOf(QLatin1Char('>'), start);
    return end < 0 ? html.size() : end + 1;
}

} // namespace

QString escapeHtml(const QString &text)
{
    QString out;
    out.reserve(text.size() + text.size() / 8);
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '&':
            out += QLatin1String("&amp;");
            break;
        case '<':
            out += QLatin1String("&lt;");
            break;
        case '>':
            out += QLatin1String("&gt;");
            break;
        case '"':
            out += QLatin1String("&quot;");
            break;
        case '\'':
            out += QLatin1String("&#39;");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString sanitizeHtml(const QString &html)
{
    QString out;
    out.reserve(html.size());
    int i = 0;
    while (i < html.size()) {
        const int open = html.indexOf(QLatin1Char('<'), i);
        if (open < 0) {
            out += QStringView(html).mid(i);
            break;
        }
        out += QStringView(html).mid(i, open - i);
        const QChar next = open + 1 < html.size() ? html.at(open + 1) : QChar();
        if (next == QLatin1Char('!') || next == QLatin1Char('?')) {
            i = skipMarkupDeclaration(html, open);
            continue;
        }
        Tag tag;
        if (!readTag(html, open, tag)) {
            out += QLatin1String("&lt;");
            i = open + 1;
            continue;
        }
        i = tag.end;
        if (tag.name == QLatin1String("style") && !tag.closing && !tag.selfClosing) {
            const int end = skipElement(html, i, tag.name);
            const QStringView element = QStringView(html).mid(open, end - open);
            if (harmlessStyleSheet(element.toString()) && tag.attributes.isEmpty())
                out += element;
            i = end;
        } else if (allowedElements().contains(tag.name))
            out += keptTag(html, open, tag);
        else if (!tag.closing && !tag.selfClosing && droppedWithContent().contains(tag.name))
            i = skipElement(html, i, tag.name);
    }
    return out;
}
