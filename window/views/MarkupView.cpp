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

// Where the pieces of the UTF-8 markup end: after the "</div>" of a scene block that another
// follows, which falls between two characters.
QVector<int> pagePieceEnds(const QByteArray &html, const QString &sceneClass)
{
    const QByteArray boundary = "</div><div class='" + sceneClass.toUtf8() + "'>";
    QVector<int> ends;
    int begin = 0;
    while (html.size() - begin > pagePieceBytes) {
        const int cut = int(html.indexOf(boundary, begin + pagePieceBytes));
        if (cut < 0)
            break;
        begin = cut + int(sizeof("</div>")) - 1;
        ends.append(begin);
    }
    ends.append(int(html.size()));
    return ends;
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
        out += QStringLiteral("<a name='") + characterAnchorPrefix + match.captured(1) +
               QStringLiteral("'>") + match.captured(0) + QStringLiteral("</a><a name='") +
               characterEndAnchor + QStringLiteral("'></a>");
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
    m_pieceEnds = pagePieceEnds(analysis->markupHtml, analysis->sceneClass);
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
    setPlaceholderText(tr(openHint));
    document()->setDefaultStyleSheet(QString());
    m_analysis.reset();
    m_pieceEnds.clear();
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

int MarkupView::scrollMaximum() const
{
    return verticalScrollBar()->maximum();
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
