#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// Every file the program reads or writes goes through here, so that encoding and
// replacement rules are the same for screenplays, settings, lists and exports.
namespace TextFile {

// UTF-8 when the bytes are valid UTF-8 (a byte-order mark is dropped), Latin-1 otherwise.
QString decode(const QByteArray &bytes);

// Latin-1 when every character fits, UTF-8 otherwise, so no name is ever written as "?".
QByteArray encode(const QString &text);

// The file's bytes; empty when it cannot be opened, and then `reason` (when given) says why,
// in words for the user.
std::optional<QByteArray> readBytes(const QString &path, QString *reason = nullptr);

// The lines of a text file without their terminators ("\n" or "\r\n"); a final line end
// does not make an extra empty line. Empty when the file cannot be opened; then `reason`
// (when given) says why, in words for the user.
std::optional<QStringList> readLines(const QString &path, QString *reason = nullptr);

// Replaces the file with the text, atomically: a temporary file in the same folder is
// written and then renamed, so a failure leaves the previous file as it was.
bool writeText(const QString &path, const QString &text);

} // namespace TextFile
