#pragma once

#include "FileOutcome.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The frames that pass between the coordinating process and its workers: a 4-byte length
// (big-endian) and then that many bytes. A request names one screenplay; the reply carries
// its outcome. The index travels both ways so that a reply is never matched to the wrong file.
namespace WorkerChannel {

struct Request
{
    int index = -1;
    QString path;
};

struct Reply
{
    int index = -1;
    FileOutcome outcome;
};

QByteArray encodeRequest(const Request &request);
QByteArray encodeReply(const Reply &reply);

// Takes the first whole frame off the front of `buffer`; nothing while it is incomplete.
std::optional<Request> takeRequest(QByteArray &buffer);
std::optional<Reply> takeReply(QByteArray &buffer);

// Blocking reads and writes on a file descriptor, for the worker side. readRequest gives
// nothing at the end of the input.
std::optional<Request> readRequest(int descriptor);
bool writeAll(int descriptor, const QByteArray &bytes);

} // namespace WorkerChannel
