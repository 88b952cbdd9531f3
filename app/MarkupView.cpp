#include "app/textVis.h"

#include <QWebView>

void textVis::applyMarkupStyles()
{
    form.webView->setHtml(document.markupHtml, QUrl());
    if (!document.timeIndex)
        return;
    progress.setValue(int(document.timeIndex->characters.size()) + 1);
    progress.finish();
}

void textVis::currentColorChanged(const QColor &) {}
void textVis::saveMarkup() {}
