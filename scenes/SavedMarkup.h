#pragma once

#include <QString>

struct DocumentModel;

// A style block with every index character's colour and the heading style, then markupHtml.
QString savedMarkupText(const DocumentModel &document);
bool saveMarkup(const QString &path, const DocumentModel &document);
