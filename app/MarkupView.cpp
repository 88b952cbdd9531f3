#include "app/textVis.h"

#include "scenes/MarkupStyles.h"
#include "scenes/SavedMarkup.h"

#include <QDir>
#include <QFileDialog>
#include <QListWidgetItem>
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

} // namespace

void textVis::applyMarkupStyles()
{
    form.webView->setHtml(QString::fromUtf8(document.markupHtml), QUrl());
    // Before the first parse (reached from the Include Characters list) there is nothing
    // to colour and no stage to report to.
    if (!document.timeIndex)
        return;
    QWebFrame *frame = form.webView->page()->mainFrame();
    for (const ElementStyle &style :
         markupElementStyles(document.timeIndex.get(), document.breakStringClass)) {
        for (const auto &property : style.properties)
            styleElements(frame, style.selector, property.first, property.second);
    }
    const QWebElementCollection scenes =
        frame->findAllElements(QStringLiteral("div.") + document.sceneClass);
    int sceneNumber = 0;
    for (QWebElement scene : scenes)
        scene.setStyleProperty(
            QStringLiteral("background-color"),
            sceneBackground(document.sceneColorA, document.sceneColorB, sceneNumber++));
    progress.setValue(int(document.timeIndex->characters.size()) + 1);
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
