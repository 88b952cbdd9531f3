#include "views/MarkupView.h"

#include "characters/Character.h"
#include "document/Analysis.h"
#include "scenes/MarkupStyles.h"

#include <QAbstractTextDocumentLayout>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocumentFragment>

#include <algorithm>
#include <climits>

namespace {

// The page is given to the view in pieces of about this many bytes, whole scene blocks each,
// with the events run between them: laying out a long screenplay in one go would leave the
// window (and the dialog's "Abort") without an answer for seconds. Each piece is decoded
// only when it is shown.
constexpr int pagePieceBytes = 256 * 1024;

// What the empty view says, before a screenplay is opened.
const char *const openHint =
    "Open a screenplay with File > Open File (Ctrl+O).\n\n"
    "Quillmark reads plain-text and HTML screenplays, Fountain (.fountain, .spmd), "
    "Final Draft (.fdx) and PDF screenplays, and time-coded CSV files.";

const QString characterAnchorPrefix = QStringLiteral("c:");
const QString sceneAnchorPrefix = QStringLiteral("s:");
// A named anchor marks only the first character of what it holds, so a second, empty one
// marks the character after a span: the span runs up to the next anchor or its block's end.
const QString characterEndAnchor = QStringLiteral("c-end");

// How much of the UTF-8 markup the view shows: all of it, or up to the end of the first line
// (a "<br>") past `limit` bytes, which falls between two characters.
qsizetype shownMarkupEnd(const QByteArray &html, qsizetype limit)
{
    if (html.size() <= limit)
        return html.size();
    const qsizetype lineEnd = html.indexOf("<br>", limit);
    if (lineEnd >= 0)
        return lineEnd + qsizetype(sizeof("<br>")) - 1;
    qsizetype end = limit; // markup of the screenplay's own, without line breaks
    while (end > 0 && (uchar(html.at(end)) & 0xC0) == 0x80)
        --end;
    return end;
}

// Where the pieces of the first `shownEnd` bytes of the UTF-8 markup end: after the "</div>"
// of a scene block that another follows, which falls between two characters.
QVector<int> pagePieceEnds(const QByteArray &html, qsizetype shownEnd, const QString &sceneClass)
{
    const QByteArray boundary = "</div><div class='" + sceneClass.toUtf8() + "'>";
    QVector<int> ends;
    int begin = 0;
    while (shownEnd - begin > pagePieceBytes) {
        const qsizetype cut = html.indexOf(boundary, begin + pagePieceBytes);
        if (cut < 0 || cut >= shownEnd)
            break;
        begin = int(cut) + int(sizeof("</div>")) - 1;
        ends.append(begin);
    }
    ends.append(int(shownEnd));
    return ends;
}

// What the view says above a page it shows only the first part of.
QString shortenedPageNote(qsizetype shownEnd, qsizetype markupSize)
{
    const auto megabytes = [](qsizetype bytes) {
        return QString::number(bytes >> 20);
    };
    return QStringLiteral("<p style='background-color: #fff3c4'><b>") +
           MarkupView::tr("This screenplay is too long for the text view: it shows the first "
                          "%1 MB of %2 MB of marked-up text. The character list, the threads, "
                          "the storyline, the report and everything saved cover the whole "
                          "screenplay.")
               .arg(megabytes(shownEnd), megabytes(markupSize)) +
           QStringLiteral("</b></p>");
}

// The rules that colour the characters' spans and style the headings, for the page's default
// style sheet.
QString pageStyleSheet(const Analysis &analysis)
{
    QString sheet;
    for (const ElementStyle &style :
         markupElementStyles(analysis.timeIndex.get(), analysis.breakStringClass)) {
        sheet += style.selector + QStringLiteral(" {");
        for (const auto &[name, value] : style.properties)
            sheet += QLatin1Char(' ') + name + QStringLiteral(": ") + value + QLatin1Char(';');
        sheet += QStringLiteral(" }\n");
    }
    return sheet;
}

// Qt's HTML reader keeps the character references of an attribute as written, so a class
// written "O&#39;BRIEN" would match neither its style rule nor its character. The class is
// given to it plainly instead, between the quotes it does not hold.
QString quotedPlainAttribute(const QString &escaped)
{
    QString plain = escaped;
    plain.replace(QStringLiteral("&#39;"), QStringLiteral("'"))
        .replace(QStringLiteral("&quot;"), QStringLiteral("\""))
        .replace(QStringLiteral("&lt;"), QStringLiteral("<"))
        .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
        .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    const QChar quote = plain.contains(QLatin1Char('\'')) ? QLatin1Char('"') : QLatin1Char('\'');
    if (plain.contains(quote))
        return QLatin1Char('\'') + escaped + QLatin1Char('\''); // both quotes: left unmatched
    return quote + plain + quote;
}

// A character's span holds only its name: it gets an anchor named after its class, and an
// end anchor after it. Other spans (headings, the screenplay's own) are left as they are.
QString anchorCharacterSpans(const QString &piece)
{
    static const QRegularExpression span(QStringLiteral("<span class='([^']*)'>([^<]*)</span>"));
    QString out;
    out.reserve(piece.size() + piece.size() / 4);
    qsizetype at = 0;
    for (auto it = span.globalMatch(piece); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        out += QStringView(piece).mid(at, match.capturedStart() - at);
        const QString characterClass = match.captured(1);
        const QString anchor = quotedPlainAttribute(characterAnchorPrefix + characterClass);
        out += QStringLiteral("<a name=") + anchor + QStringLiteral("><span class=") +
               quotedPlainAttribute(characterClass) + QLatin1Char('>') + match.captured(2) +
               QStringLiteral("</span></a><a name='") + characterEndAnchor +
               QStringLiteral("'></a>");
        at = match.capturedEnd();
    }
    out += QStringView(piece).mid(at);
    return out;
}

} // namespace

MarkupView::MarkupView(QWidget *parent)
    : QTextBrowser(parent)
{
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setUndoRedoEnabled(false);
    QFont pageFont = font();
    pageFont.setPointSize(defaultFontPoints);
    setFont(pageFont);
    const QScrollBar *bar = verticalScrollBar();
    connect(bar, &QScrollBar::valueChanged, this, &MarkupView::relayReadingPosition);
    connect(bar, &QScrollBar::rangeChanged, this, &MarkupView::relayReadingPosition);
    setPlaceholderText(tr(openHint));
}

MarkupView::~MarkupView() = default;

int MarkupView::startMarkup(const std::shared_ptr<const Analysis> &analysis)
{
    clearMarkup();
    // An empty page now means an empty screenplay, not that none is open.
    setPlaceholderText(QString());
    m_analysis = analysis;
    const qsizetype shownEnd = shownMarkupEnd(analysis->markupHtml, m_shownBytesLimit);
    m_pieceEnds = pagePieceEnds(analysis->markupHtml, shownEnd, analysis->sceneClass);
    m_shownShare = double(shownEnd) / double(std::max<qsizetype>(analysis->markupHtml.size(), 1));
    document()->setDefaultStyleSheet(pageStyleSheet(*analysis));
    return int(m_pieceEnds.size());
}

void MarkupView::appendPiece(int piece)
{
    if (!m_analysis || piece < 0 || piece >= m_pieceEnds.size())
        return;
    const Analysis &analysis = *m_analysis;
    const int begin = piece == 0 ? 0 : m_pieceEnds.at(piece - 1);
    QString html = anchorCharacterSpans(
        QString::fromUtf8(analysis.markupHtml.constData() + begin, m_pieceEnds.at(piece) - begin));
    // Each scene block gets its background and an anchor that marks where it starts.
    const QString sceneOpening =
        QStringLiteral("<div class='") + analysis.sceneClass + QStringLiteral("'>");
    const int firstSceneNumber = m_nextScene;
    QString styled;
    styled.reserve(html.size() + html.size() / 8);
    qsizetype at = 0;
    for (qsizetype found = html.indexOf(sceneOpening); found >= 0;
         found = html.indexOf(sceneOpening, at)) {
        styled += QStringView(html).mid(at, found - at);
        styled += QStringLiteral("<div class='%1' style='background-color: %2'><a name='%3%4'></a>")
                      .arg(analysis.sceneClass,
                           sceneBackground(analysis.sceneColorA, analysis.sceneColorB, m_nextScene),
                           sceneAnchorPrefix)
                      .arg(m_nextScene);
        ++m_nextScene;
        at = found + sceneOpening.size();
    }
    styled += QStringView(html).mid(at);
    html.clear();
    if (piece == 0) {
        if (isShortened())
            styled.prepend(shortenedPageNote(m_pieceEnds.last(), analysis.markupHtml.size()));
        setHtml(styled);
    } else {
        // The piece begins with a scene. Inserted at the end of the page, its first block
        // would join the page's last one and lose its background, so it gets a block of its
        // own with its scene's background.
        QTextCursor end(document());
        end.movePosition(QTextCursor::End);
        QTextBlockFormat firstScene;
        firstScene.setBackground(
            QColor(sceneBackground(analysis.sceneColorA, analysis.sceneColorB, firstSceneNumber)));
        end.insertBlock(firstScene);
        end.insertHtml(styled);
    }
    m_indexed = false;
}

void MarkupView::clearMarkup()
{
    clear();
    document()->setDefaultStyleSheet(QString());
    m_analysis.reset();
    m_pieceEnds.clear();
    m_shownShare = 1.0;
    m_nextScene = 0;
    m_indexed = false;
    m_characterSpans.clear();
    m_sceneStarts.clear();
}

void MarkupView::indexAnchors()
{
    if (m_indexed)
        return;
    m_characterSpans.clear();
    m_sceneStarts.clear();
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        // The span being read: its character's class and where it began.
        QString spanClass;
        int spanStart = -1;
        const auto closeSpan = [this, &spanClass, &spanStart](int end) {
            if (spanStart >= 0)
                m_characterSpans[spanClass].append({spanStart, end - spanStart});
            spanStart = -1;
        };
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            if (!format.isAnchor())
                continue;
            closeSpan(fragment.position());
            for (const QString &name : format.anchorNames()) {
                if (name.startsWith(characterAnchorPrefix)) {
                    spanClass = name.mid(characterAnchorPrefix.size());
                    spanStart = fragment.position();
                } else if (name.startsWith(sceneAnchorPrefix)) {
                    m_sceneStarts.append(fragment.position());
                }
            }
        }
        closeSpan(block.position() + block.length() - 1);
    }
    m_indexed = true;
}

void MarkupView::recolorCharacter(const Character &character)
{
    indexAnchors();
    QTextCharFormat color;
    color.setForeground(character.color);
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    for (const auto &[position, length] : m_characterSpans.value(character.characterClass())) {
        cursor.setPosition(position);
        cursor.setPosition(position + length, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(color);
    }
    cursor.endEditBlock();
}

QString MarkupView::selectedPlainText() const
{
    return textCursor().selection().toPlainText();
}

int MarkupView::scrollValue() const
{
    return verticalScrollBar()->value();
}

// A shortened page stands for the whole screenplay: its end is where the shown part ends.
int MarkupView::scrollMaximum() const
{
    return int(std::min(double(verticalScrollBar()->maximum()) / m_shownShare, double(INT_MAX)));
}

void MarkupView::setShownBytesLimit(qsizetype bytes)
{
    m_shownBytesLimit = std::max<qsizetype>(bytes, 1);
}

bool MarkupView::isShortened() const
{
    return m_shownShare < 1.0;
}

int MarkupView::contentsHeight() const
{
    return int(document()->documentLayout()->documentSize().height());
}

void MarkupView::scrollToScene(int scene)
{
    indexAnchors();
    if (scene < 0 || scene >= m_sceneStarts.size())
        return;
    const QTextBlock block = document()->findBlock(m_sceneStarts.at(scene));
    // Asking for the block's place lays the page out as far as the block.
    const QRectF place = document()->documentLayout()->blockBoundingRect(block);
    verticalScrollBar()->setValue(int(place.top()));
}

int MarkupView::lineAt(const QPoint &point) const
{
    if (!m_analysis)
        return -1;
    const QTextCursor at = cursorForPosition(point);
    const QTextBlock atBlock = at.block();
    int breaks = 0;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        const qsizetype end = block == atBlock ? at.positionInBlock() : text.size();
        breaks += int(QStringView(text).left(end).count(QChar::LineSeparator));
        if (block == atBlock)
            break;
    }
    return breaks;
}

// An empty resource rather than none: given none, the document reads a local file itself.
QVariant MarkupView::loadResource(int, const QUrl &)
{
    return QByteArray();
}

void MarkupView::relayReadingPosition()
{
    const int value = scrollValue();
    const int maximum = scrollMaximum();
    if (value == m_relayedValue && maximum == m_relayedMaximum)
        return;
    m_relayedValue = value;
    m_relayedMaximum = maximum;
    emit readingPositionChanged(value, maximum);
}
