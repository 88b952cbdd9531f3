#include "WorkerChannel.h"

#include <QDataStream>
#include <QIODevice>
#include <QtEndian>

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

std::optional<QByteArray> takePayload(QByteArray &buffer)
{
    if (buffer.size() < headerSize)
        return std::nullopt;
    const quint32 length = qFromBigEndian<quint32>(buffer.constData());
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

// A message is its index and then its body; both kinds are framed alike.
template<typename Body> QByteArray encodeMessage(int index, const Body &body)
{
    QByteArray payload;
    QDataStream stream(&payload, QIODevice::WriteOnly);
    stream.setVersion(streamVersion);
    stream << qint32(index) << body;
    return framed(payload);
}

// A frame that does not decode gets the index -1, which matches no file.
template<typename Message, typename Body>
std::optional<Message> takeMessage(QByteArray &buffer, Body Message::*body)
{
    const std::optional<QByteArray> payload = takePayload(buffer);
    if (!payload)
        return std::nullopt;
    QDataStream stream(*payload);
    stream.setVersion(streamVersion);
    qint32 index = -1;
    Message message;
    stream >> index >> message.*body;
    message.index = stream.status() == QDataStream::Ok ? index : -1;
    return message;
}

} // namespace

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
    return takeMessage(buffer, &Request::path);
}

std::optional<Reply> takeReply(QByteArray &buffer)
{
    return takeMessage(buffer, &Reply::outcome);
}

std::optional<Request> readRequest(int descriptor)
{
    QByteArray buffer(headerSize, '\0');
    if (!readExactly(descriptor, buffer.data(), headerSize))
        return std::nullopt;
    const quint32 length = qFromBigEndian<quint32>(buffer.constData());
    buffer.resize(headerSize + static_cast<int>(length));
    if (!readExactly(descriptor, buffer.data() + headerSize, length))
        return std::nullopt;
    return takeRequest(buffer);
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
