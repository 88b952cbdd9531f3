#pragma once

#include "FileOutcome.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The frames that pass between the coordinating process and its workers: a 4-byte length
// (big-endian) and then that many bytes. The coordinator first sends a greeting that carries
// the token it put in the worker's environment, so that only a process it started itself, on
// the channel it opened, acts as a worker. Then a request names one screenplay, and the reply
// carries its outcome. The index travels both ways so that a reply is never matched to the
// wrong file.
namespace WorkerChannel {

// The largest frames accepted, checked before anything is allocated for them. A request holds
// a path; a reply the messages, JSON line and table row of one screenplay.
constexpr quint32 maxGreetingBytes = 256;
constexpr quint32 maxRequestBytes = 1u << 20;
constexpr quint32 maxReplyBytes = 1u << 30;

// The environment variable through which a worker learns the token of its coordinator.
constexpr char tokenVariable[] = "QUILLMARK_WORKER_TOKEN";

struct Request
{
    int index = -1; // -1 for a frame that is too long or does not decode
    QString path;
};

struct Reply
{
    int index = -1; // -1 for a frame that is too long or does not decode
    FileOutcome outcome;
};

// A fresh random token, for one run.
QByteArray newToken();

QByteArray encodeGreeting(const QByteArray &token);
QByteArray encodeRequest(const Request &request);
QByteArray encodeReply(const Reply &reply);

// Takes the first whole frame off the front of `buffer`; nothing while it is incomplete. A
// frame longer than the maximum gives a message with the index -1 and empties the buffer:
// nothing after it can be trusted.
std::optional<Request> takeRequest(QByteArray &buffer);
std::optional<Reply> takeReply(QByteArray &buffer);

// Blocking reads and writes on a file descriptor, for the worker side. The reads give nothing
// at the end of the input, and a message with the index -1 (an empty greeting) for a frame
// that is too long or does not decode.
std::optional<QByteArray> readGreeting(int descriptor);
std::optional<Request> readRequest(int descriptor);
bool writeAll(int descriptor, const QByteArray &bytes);

} // namespace WorkerChannel
