#include "WorkerChannel.h"

#include <QDataStream>
#include <QIODevice>
#include <QRandomGenerator>
#include <QtEndian>

#include <algorithm>
#include <cerrno>

#include <unistd.h>

namespace WorkerChannel {

namespace {

constexpr int headerSize = 4;
constexpr QDataStream::Version streamVersion = QDataStream::Qt_5_15;

QByteArray framed(const QByteArray &payload)
{
    QByteArray frame(headerSize, '\0');
    qToBigEndian<quint32>(static_cast<quint32>(payload.size()), frame.data());
    return frame + payload;
}

// The payload of the first whole frame, taken off the buffer; nothing while it is incomplete,
// and an empty buffer with `tooLong` set for a frame over `maxBytes`.
std::optional<QByteArray> takePayload(QByteArray &buffer, quint32 maxBytes, bool &tooLong)
{
    tooLong = false;
    if (buffer.size() < headerSize)
        return std::nullopt;
    const quint32 length = qFromBigEndian<quint32>(buffer.constData());
    if (length > maxBytes) {
        tooLong = true;
        buffer.clear();
        return QByteArray();
    }
    if (static_cast<quint64>(buffer.size()) < headerSize + static_cast<quint64>(length))
        return std::nullopt;
    QByteArray payload = buffer.mid(headerSize, static_cast<int>(length));
    buffer.remove(0, headerSize + static_cast<int>(length));
    return payload;
}

bool readExactly(int descriptor, char *into, qint64 size)
{
    qint64 done = 0;
    while (done < size) {
        const ssize_t got = read(descriptor, into + done, static_cast<size_t>(size - done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        done += got;
    }
    return true;
}

// One whole frame from the descriptor, its length checked before the payload is allocated.
// Nothing at the end of the input; `tooLong` (and an empty frame) for a frame over `maxBytes`.
std::optional<QByteArray> readFrame(int descriptor, quint32 maxBytes, bool &tooLong)
{
    tooLong = false;
    char header[headerSize];
    if (!readExactly(descriptor, header, headerSize))
        return std::nullopt;
    const quint32 length = qFromBigEndian<quint32>(header);
    if (length > maxBytes) {
        tooLong = true;
        return QByteArray();
    }
    // The memory grows with the bytes that come, not with what the header claims.
    constexpr qint64 piece = 64 * 1024;
    QByteArray frame(header, headerSize);
    for (qint64 left = length; left > 0;) {
        const qint64 size = std::min(left, piece);
        const qint64 at = frame.size();
        frame.resize(at + size);
        if (!readExactly(descriptor, frame.data() + at, size))
            return std::nullopt;
        left -= size;
    }
    return frame;
}

// A message is its index and then its body; both kinds are framed alike.
template<typename Body> QByteArray encodeMessage(int index, const Body &body)
{
    QByteArray payload;
    QDataStream stream(&payload, QIODevice::WriteOnly);
    stream.setVersion(streamVersion);
    stream << qint32(index) << body;
    return framed(payload);
}

// A frame that is too long or does not decode gets the index -1, which matches no file.
template<typename Message, typename Body>
std::optional<Message> takeMessage(QByteArray &buffer, quint32 maxBytes, Body Message::*body)
{
    bool tooLong = false;
    const std::optional<QByteArray> payload = takePayload(buffer, maxBytes, tooLong);
    if (!payload || tooLong)
        return payload ? std::optional<Message>(Message()) : std::nullopt;
    QDataStream stream(*payload);
    stream.setVersion(streamVersion);
    qint32 index = -1;
    Message message;
    stream >> index >> message.*body;
    const bool whole = stream.status() == QDataStream::Ok && stream.atEnd() && index >= 0;
    message.index = whole ? index : -1;
    return message;
}

} // namespace

QByteArray newToken()
{
    quint64 words[2];
    QRandomGenerator::system()->fillRange(words);
    return QByteArray(reinterpret_cast<const char *>(words), sizeof words).toHex();
}

QByteArray encodeGreeting(const QByteArray &token)
{
    return framed(token);
}

QByteArray encodeRequest(const Request &request)
{
    return encodeMessage(request.index, request.path);
}

QByteArray encodeReply(const Reply &reply)
{
    return encodeMessage(reply.index, reply.outcome);
}

std::optional<Request> takeRequest(QByteArray &buffer)
{
    return takeMessage(buffer, maxRequestBytes, &Request::path);
}

std::optional<Reply> takeReply(QByteArray &buffer)
{
    return takeMessage(buffer, maxReplyBytes, &Reply::outcome);
}

std::optional<QByteArray> readGreeting(int descriptor)
{
    bool tooLong = false;
    std::optional<QByteArray> frame = readFrame(descriptor, maxGreetingBytes, tooLong);
    if (frame)
        frame->remove(0, tooLong ? frame->size() : headerSize);
    return frame;
}

std::optional<Request> readRequest(int descriptor)
{
    bool tooLong = false;
    std::optional<QByteArray> frame = readFrame(descriptor, maxRequestBytes, tooLong);
    if (!frame)
        return std::nullopt;
    if (tooLong)
        return Request();
    return takeRequest(*frame);
}

bool writeAll(int descriptor, const QByteArray &bytes)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t written =
            write(descriptor, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

} // namespace WorkerChannel
