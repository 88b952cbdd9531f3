#include "scenes/HtmlSanitizer.h"

#include <QHash>
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
// of its own, never screenplay text. Void elements ("embed", "frame", "img", ...) have no
// content and are not listed: only their tag goes.
const QSet<QString> &droppedWithContent()
{
    static const QSet<QString> names{"script",   "style",    "title",    "iframe",   "frameset",
                                     "object",   "applet",   "noscript", "template", "svg",
                                     "math",     "textarea", "select",   "audio",    "video",
                                     "noframes", "noembed"};
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
    // Characters between the name and the ">" that make no attribute, such as a lone "=":
    // the tag is then rebuilt, since a browser may read them otherwise.
    bool strayText = false;
    int end = -1; // index just past the ">"
};

// Finds text ahead of a position that only moves forward, remembering the last answer for
// each needle, so that a page of many unclosed tags is searched once and not once per tag.
class ForwardSearch
{
public:
    explicit ForwardSearch(const QString &html)
        : m_html(html)
    {
    }

    int find(const QString &needle, int from, Qt::CaseSensitivity sensitivity = Qt::CaseSensitive)
    {
        Answer &answer = m_answers[needle];
        const bool stillValid =
            answer.from >= 0 && from >= answer.from && (answer.at < 0 || answer.at >= from);
        if (!stillValid)
            answer = {from, int(m_html.indexOf(needle, from, sensitivity))};
        return answer.at;
    }

private:
    struct Answer
    {
        int from = -1;
        int at = -1;
    };
    const QString &m_html;
    QHash<QString, Answer> m_answers;
};

int skipBlanks(const QString &html, int i)
{
    while (i < html.size() && html.at(i).isSpace())
        ++i;
    return i;
}

// Reads tags at a "<". A tag that cannot be read says where reading failed, so that the
// text up to there is taken as text and not read again from every "<" inside it.
class TagReader
{
public:
    explicit TagReader(const QString &html)
        : m_html(html)
        , m_search(html)
    {
    }

    // The tag starting at the "<" at `start`; false when it is none, with `failedAt` just
    // past where it stopped being one.
    bool read(int start, Tag &tag, int &failedAt);
    // The position after the end tag that closes `name`, searched from `from`; -1 when it is
    // never closed.
    int elementEnd(int from, const QString &name);
    // The position after the end of a comment or declaration at `start`; -1 when it never ends.
    int declarationEnd(int start);

private:
    int readValue(int i, QString &value, int &failedAt);

    const QString &m_html;
    ForwardSearch m_search;
};

// The value of an attribute from position i: quoted or bare. Returns the position after it.
int TagReader::readValue(int i, QString &value, int &failedAt)
{
    const QString &html = m_html;
    if (i < html.size() && (html.at(i) == QLatin1Char('"') || html.at(i) == QLatin1Char('\''))) {
        const QChar quote = html.at(i);
        const int close = m_search.find(QString(quote), i + 1);
        if (close < 0) {
            failedAt = i + 1;
            return -1;
        }
        value = html.mid(i + 1, close - i - 1);
        return close + 1;
    }
    const int start = i;
    while (i < html.size() && !html.at(i).isSpace() && html.at(i) != QLatin1Char('>'))
        ++i;
    value = html.mid(start, i - start);
    return i;
}

bool TagReader::read(int start, Tag &tag, int &failedAt)
{
    const QString &html = m_html;
    failedAt = start + 1;
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
    // No tag ends without a ">": then nothing after this "<" is a tag either.
    if (m_search.find(QStringLiteral(">"), i) < 0) {
        failedAt = html.size();
        return false;
    }
    tag.name = html.mid(nameStart, i - nameStart).toLower();
    while (i < html.size()) {
        i = skipBlanks(html, i);
        if (i >= html.size())
            break;
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
            i = readValue(skipBlanks(html, i + 1), attribute.value, failedAt);
            if (i < 0)
                return false;
            attribute.hasValue = true;
        }
        if (attribute.name.isEmpty())
            tag.strayText = true;
        else
            tag.attributes.append(attribute);
    }
    failedAt = html.size();
    return false;
}

int TagReader::elementEnd(int from, const QString &name)
{
    const QString endTag = QLatin1String("</") + name;
    int i = from;
    while (true) {
        const int close = m_search.find(endTag, i, Qt::CaseInsensitive);
        if (close < 0)
            return -1;
        const int after = close + endTag.size();
        if (after >= m_html.size() || !isNameCharacter(m_html.at(after))) {
            const int end = m_search.find(QStringLiteral(">"), after);
            return end < 0 ? -1 : end + 1;
        }
        i = after;
    }
}

int TagReader::declarationEnd(int start)
{
    if (m_html.mid(start, 4) == QLatin1String("<!--")) {
        const int end = m_search.find(QStringLiteral("-->"), start + 4);
        return end < 0 ? -1 : end + 3;
    }
    const int end = m_search.find(QStringLiteral(">"), start);
    return end < 0 ? -1 : end + 1;
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
    if (!tag.strayText && std::all_of(tag.attributes.begin(), tag.attributes.end(), keptAttribute))
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

void appendPart(QString &out, const QString &html, int from, int to)
{
    out.append(html.constData() + from, to - from);
}

// Text in which a "<" opens no tag: every "<" is shown as one.
void appendAsText(QString &out, const QString &html, int from, int to)
{
    for (int i = from; i < to; ++i) {
        if (html.at(i) == QLatin1Char('<'))
            out += QLatin1String("&lt;");
        else
            out += html.at(i);
    }
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
    TagReader reader(html);
    int i = 0;
    while (i < html.size()) {
        const int open = html.indexOf(QLatin1Char('<'), i);
        if (open < 0) {
            appendPart(out, html, i, html.size());
            break;
        }
        appendPart(out, html, i, open);
        const QChar next = open + 1 < html.size() ? html.at(open + 1) : QChar();
        if (next == QLatin1Char('!') || next == QLatin1Char('?')) {
            const int end = reader.declarationEnd(open);
            if (end < 0)
                out += QLatin1String("&lt;");
            i = end < 0 ? open + 1 : end;
            continue;
        }
        Tag tag;
        int failedAt = open + 1;
        if (!reader.read(open, tag, failedAt)) {
            appendAsText(out, html, open, failedAt);
            i = failedAt;
            continue;
        }
        i = tag.end;
        const bool opens = !tag.closing && !tag.selfClosing;
        if (tag.name == QLatin1String("style") && opens) {
            const int end = reader.elementEnd(i, tag.name);
            if (end >= 0 && harmlessStyleSheet(html.mid(open, end - open)) &&
                tag.attributes.isEmpty())
                appendPart(out, html, open, end);
            i = std::max(end, i);
        } else if (allowedElements().contains(tag.name))
            out += keptTag(html, open, tag);
        else if (opens && droppedWithContent().contains(tag.name))
            i = std::max(reader.elementEnd(i, tag.name), i);
    }
    return out;
}
