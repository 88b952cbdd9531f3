#include "app/textVis.h"

#include "scenes/MarkupStyles.h"

#include <QHash>
#include <QRegularExpression>
#include <QStatusBar>
#include <QWebElement>
#include <QWebFrame>
#include <QWebView>

namespace {

void styleElements(QWebFrame *frame, const QString &selector, const QString &name,
                   const QString &value)
{
    const QWebElementCollection elements = frame->findAllElements(selector);
    for (QWebElement element : elements)
        element.setStyleProperty(name, value);
}

// The page is given to the web view in pieces of about this many bytes, whole scene blocks
// each, with the events run between them: parsing and laying out a long screenplay in one go
// would leave the window (and the dialog's "Abort") without an answer for seconds. Each piece
// is decoded only when it is shown, as decoding the whole markup of a large file takes seconds
// of its own.
constexpr int pagePieceBytes = 256 * 1024;

// Where the pieces of the UTF-8 markup end: after the "</div>" of a scene block that another
// follows, which falls between two characters.
QVector<int> pagePieceEnds(const QByteArray &html, const QString &sceneClass)
{
    const QByteArray boundary = "</div><div class='" + sceneClass.toUtf8() + "'>";
    QVector<int> ends;
    int begin = 0;
    while (html.size() - begin > pagePieceBytes) {
        const int cut = html.indexOf(boundary, begin + pagePieceBytes);
        if (cut < 0)
            break;
        begin = cut + int(sizeof("</div>")) - 1;
        ends.append(begin);
    }
    ends.append(html.size());
    return ends;
}

// The styles by the class they name. A class with a blank in it names no element (a class
// attribute is a list of names separated by blanks), as its selector would not.
QHash<QString, QVector<int>> stylesByClass(const std::vector<ElementStyle> &styles)
{
    static const QRegularExpression blank(QStringLiteral("\\s"));
    QHash<QString, QVector<int>> byClass;
    for (int i = 0; i < int(styles.size()); ++i) {
        const QString &name = styles[size_t(i)].className;
        if (!name.isEmpty() && !name.contains(blank))
            byClass[name].append(i);
    }
    return byClass;
}

// Styles the elements of one piece of the page; scenes are numbered across the pieces. Every
// span is looked at once, whatever the number of characters: a query per character and piece
// took seconds for thousands of speakers.
void stylePiece(const QWebElement &piece, const std::vector<ElementStyle> &styles,
                const QHash<QString, QVector<int>> &byClass, const Analysis &analysis,
                int &sceneNumber)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    for (QWebElement span : piece.findAll(QStringLiteral("span"))) {
        const QStringList names =
            span.attribute(QStringLiteral("class")).split(blanks, Qt::SkipEmptyParts);
        for (const QString &name : names) {
            for (const int i : byClass.value(name)) {
                for (const auto &property : styles[size_t(i)].properties)
                    span.setStyleProperty(property.first, property.second);
            }
        }
    }
    for (QWebElement scene : piece.findAll(QStringLiteral("div.") + analysis.sceneClass))
        scene.setStyleProperty(
            QStringLiteral("background-color"),
            sceneBackground(analysis.sceneColorA, analysis.sceneColorB, sceneNumber++));
}

// The blocks of the page shown now: one per piece it was given in.
int pageBlocks(const QWebElement &body)
{
    int blocks = 0;
    for (QWebElement block = body.firstChild(); !block.isNull(); block = block.nextSibling())
        ++blocks;
    return blocks;
}

} // namespace

void textVis::applyMarkupStyles()
{
    // Before the first parse (reached from the Include Characters list) there is nothing
    // to colour and no stage to report to.
    if (!document.analysis()) {
        form.webView->setHtml(QString(), QUrl());
        return;
    }
    const Analysis &analysis = *document.analysis();
    DialogProgress &progress = document.progress();
    const QByteArray &html = analysis.markupHtml;
    const QVector<int> ends = pagePieceEnds(html, analysis.sceneClass);
    const auto piece = [&html, &ends](int i) {
        const int begin = i == 0 ? 0 : ends.at(i - 1);
        return QStringLiteral("<div>") +
               QString::fromUtf8(html.constData() + begin, ends.at(i) - begin) +
               QStringLiteral("</div>");
    };
    const std::vector<ElementStyle> styles =
        markupElementStyles(analysis.timeIndex.get(), analysis.breakStringClass);
    const QHash<QString, QVector<int>> byClass = stylesByClass(styles);
    QWebFrame *frame = form.webView->page()->mainFrame();
    QWebElement body = frame->findFirstElement(QStringLiteral("body"));
    // A long page shown before goes block by block: the web view takes seconds to let go of
    // it in one piece. Stopped on the way, the view keeps the rest of it.
    const int shownBlocks = pageBlocks(body);
    const int oldBlocks = shownBlocks > 1 ? shownBlocks : 0;
    progress.begin(tr("Laying out text"), oldBlocks + ends.size());
    const auto stopped = [this, &progress, &ends](int shown) {
        if (!progress.wasCanceled())
            return false;
        form.statusBar->showMessage(
            tr("Text view stopped: %1 of %2 parts of the text shown").arg(shown).arg(ends.size()));
        return true;
    };
    for (int i = 0; i < oldBlocks; ++i) {
        progress.setValue(i);
        if (stopped(0)) {
            progress.finish();
            return;
        }
        // Scene by scene: the web view lets go of many small parts much sooner than of one
        // block of them (a block of a very long page can take it a second).
        QWebElement block = body.lastChild();
        for (QWebElement scene = block.lastChild(); !scene.isNull(); scene = block.lastChild()) {
            scene.removeFromDocument();
            progress.setValue(i);
        }
        block.removeFromDocument();
    }
    // Each piece is a block of its own, styled before the web view lays it out, so that no
    // style change makes it lay out the whole text again.
    form.webView->setHtml(piece(0), QUrl());
    body = frame->findFirstElement(QStringLiteral("body"));
    int sceneNumber = 0;
    stylePiece(body.lastChild(), styles, byClass, analysis, sceneNumber);
    for (int i = 1; i < ends.size(); ++i) {
        progress.setValue(oldBlocks + i);
        if (stopped(i))
            break;
        body.appendInside(piece(i));
        stylePiece(body.lastChild(), styles, byClass, analysis, sceneNumber);
    }
    progress.setValue(oldBlocks + ends.size());
    progress.finish();
}

// The colour is taken from the characters: the thread view and the character panel have
// stored it in the selected ones before this runs.
void textVis::currentColorChanged(const QColor &)
{
    if (!document.analysis())
        return;
    QWebFrame *frame = form.webView->page()->mainFrame();
    for (const CharacterPtr &character : characterPanel->selectedCharacters())
        styleElements(frame, characterSelector(*character), QStringLiteral("color"),
                      character->color.name());
}
