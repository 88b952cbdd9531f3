#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The XML parser reads UTF-8 only; this brings a document in another encoding to it. A
// byte-order mark (or UTF-16's NUL bytes) wins over the declaration; otherwise the encoding
// of the XML declaration counts: UTF-8, ISO-8859-1 (Latin-1), US-ASCII or Windows-1252. None
// declared means UTF-8. nullopt for any other, with the reason in `error`.
std::optional<QByteArray> xmlAsUtf8(const QByteArray &bytes, QString *error);
