#include "cli/WorkerChannel.h"

#include <QDataStream>
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

} // namespace

QByteArray encodeRequest(const Request &request)
{
    QByteArray payload;
    QDataStream stream(&payload, QIODevice::WriteOnly);
    stream.setVersion(streamVersion);
    stream << qint32(request.index) << request.path;
    return framed(payload);
}

QByteArray encodeReply(const Reply &reply)
{
    QByteArray payload;
    QDataStream stream(&payload, QIODevice::WriteOnly);
    stream.setVersion(streamVersion);
    stream << qint32(reply.index) << reply.outcome;
    return framed(payload);
}

std::optional<Request> takeRequest(QByteArray &buffer)
{
    const std::optional<QByteArray> payload = takePayload(buffer);
    if (!payload)
        return std::nullopt;
    QDataStream stream(*payload);
    stream.setVersion(streamVersion);
    qint32 index = -1;
    Request request;
    stream >> index >> request.path;
    request.index = index;
    return request;
}

std::optional<Reply> takeReply(QByteArray &buffer)
{
    const std::optional<QByteArray> payload = takePayload(buffer);
    if (!payload)
        return std::nullopt;
    QDataStream stream(*payload);
    stream.setVersion(streamVersion);
    qint32 index = -1;
    Reply reply;
    stream >> index >> reply.outcome;
    reply.index = stream.status() == QDataStream::Ok ? index : -1;
    return reply;
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
