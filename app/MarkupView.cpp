#include "app/textVis.h"

#include "scenes/MarkupStyles.h"
#include "scenes/SavedMarkup.h"

#include <QDir>
#include <QFileDialog>
#include <QHash>
#include <QListWidgetItem>
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

// The page is given to the web view in pieces of about this many characters, whole scene
// blocks each, with the events run between them: parsing and laying out a long screenplay in
// one go would leave the window (and the dialog's "Abort") without an answer for seconds.
constexpr int pagePieceCharacters = 256 * 1024;

// The markup cut after the "</div>" of a scene block that another follows.
QStringList pagePieces(const QString &html, const QString &sceneClass)
{
    const QString boundary =
        QStringLiteral("</div><div class='") + sceneClass + QStringLiteral("'>");
    QStringList pieces;
    int begin = 0;
    while (html.size() - begin > pagePieceCharacters) {
        const int cut = html.indexOf(boundary, begin + pagePieceCharacters);
        if (cut < 0)
            break;
        const int end = cut + int(sizeof("</div>")) - 1;
        pieces.append(html.mid(begin, end - begin));
        begin = end;
    }
    pieces.append(html.mid(begin));
    return pieces;
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
                const QHash<QString, QVector<int>> &byClass, const DocumentModel &document,
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
    for (QWebElement scene : piece.findAll(QStringLiteral("div.") + document.sceneClass))
        scene.setStyleProperty(
            QStringLiteral("background-color"),
            sceneBackground(document.sceneColorA, document.sceneColorB, sceneNumber++));
}

} // namespace

void textVis::applyMarkupStyles()
{
    // Before the first parse (reached from the Include Characters list) there is nothing
    // to colour and no stage to report to.
    if (!document.timeIndex) {
        form.webView->setHtml(QString::fromUtf8(document.markupHtml), QUrl());
        return;
    }
    const QStringList pieces =
        pagePieces(QString::fromUtf8(document.markupHtml), document.sceneClass);
    const std::vector<ElementStyle> styles =
        markupElementStyles(document.timeIndex.get(), document.breakStringClass);
    const QHash<QString, QVector<int>> byClass = stylesByClass(styles);
    progress.begin(tr("Laying out text"), pieces.size());
    // Each piece is a block of its own, styled before the web view lays it out, so that no
    // style change makes it lay out the whole text again.
    const QString open = QStringLiteral("<div>");
    const QString close = QStringLiteral("</div>");
    form.webView->setHtml(open + pieces.first() + close, QUrl());
    QWebElement body = form.webView->page()->mainFrame()->findFirstElement(QStringLiteral("body"));
    int sceneNumber = 0;
    stylePiece(body.lastChild(), styles, byClass, document, sceneNumber);
    for (int i = 1; i < pieces.size(); ++i) {
        progress.setValue(i);
        if (progress.wasCanceled()) {
            form.statusBar->showMessage(tr("Text view stopped: %1 of %2 parts of the text shown")
                                            .arg(i)
                                            .arg(pieces.size()));
            break;
        }
        body.appendInside(open + pieces.at(i) + close);
        stylePiece(body.lastChild(), styles, byClass, document, sceneNumber);
    }
    progress.setValue(pieces.size());
    progress.finish();
}

// The colour is taken from the characters: the thread view has stored it in the selected
// ones before this runs.
void textVis::currentColorChanged(const QColor &)
{
    if (!document.timeIndex)
        return;
    QWebFrame *frame = form.webView->page()->mainFrame();
    for (const CharacterPtr &character : document.timeIndex->characters) {
        const QListWidgetItem *item = character->listItem;
        if (item && item->listWidget() && item->isSelected())
            styleElements(frame, characterSelector(*character), QStringLiteral("color"),
                          character->color.name());
    }
}

void textVis::saveMarkup()
{
    if (reportMissingIndex(tr("Markup")))
        return;
    const QString path =
        QFileDialog::getSaveFileName(this, tr("Save Markup"), QDir::currentPath(),
                                     tr("html (*.html);;xml (*.xml);; All files (*.*)"));
    QString reason;
    const bool written = ::saveMarkup(path, document.timeIndex.get(), document.breakStringClass,
                                      document.markupHtml, &reason);
    reportWriteOutcome(tr("Markup"), path, written, reason);
}
