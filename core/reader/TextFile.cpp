#include "reader/TextFile.h"

#include "reader/TemporaryFile.h"
#include "reader/TextDecoding.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace TextFile {

namespace {

constexpr qint64 megabyte = 1024 * 1024;

bool fail(QString *reason, const QString &why)
{
    if (reason != nullptr)
        *reason = why;
    return false;
}

QString systemError(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

using TextDecoding::Encoding;

// Large texts are decoded this many bytes at a time (cut after a line feed), so that the
// whole decoded text, twice the size of the file, is never held beside its lines.
constexpr int decodePieceBytes = 4 * 1024 * 1024;

// The end of the piece that starts at `begin`: just after a line feed, or the end of the bytes.
// A line end is never cut in two, so the pieces' lines are the lines of the whole text; nor is
// a UTF-8 sequence, which holds no line feed.
int pieceEnd(const QByteArray &bytes, int begin)
{
    if (bytes.size() - begin <= decodePieceBytes)
        return bytes.size();
    const int feed = bytes.indexOf('\n', begin + decodePieceBytes);
    return feed < 0 ? bytes.size() : feed + 1;
}

// How the bytes from `skip` on read as UTF-8, judged piece by piece without keeping the text.
// A cancelled check answers for the bytes looked at.
TextDecoding::Utf8Scan scanUtf8(const QByteArray &bytes, int skip, const StageProgress &progress)
{
    TextDecoding::Utf8Scan scan;
    for (int begin = skip; begin < bytes.size();) {
        const int end = pieceEnd(bytes, begin);
        scan.add(bytes.constData() + begin, end - begin);
        begin = end;
        progress.report(int(qint64(begin) * 1000 / bytes.size()));
        if (progress.wasCanceled())
            break;
    }
    return scan;
}

QString decodePiece(const QByteArray &bytes, int begin, int end, bool utf8)
{
    QString piece = utf8 ? TextDecoding::fromUtf8(bytes.constData() + begin, end - begin)
                         : QString::fromLatin1(bytes.constData() + begin, end - begin);
    TextDecoding::blankNuls(piece);
    return piece;
}

// decode followed by splitLines, for UTF-8 (with or without its mark) and Latin-1 text.
QStringList decodeLinesInPieces(const QByteArray &bytes, int skip, bool utf8,
                                const StageProgress &progress)
{
    QStringList lines;
    for (int begin = skip; begin < bytes.size();) {
        const int end = pieceEnd(bytes, begin);
        lines += splitLines(decodePiece(bytes, begin, end, utf8));
        begin = end;
        progress.report(int(qint64(begin) * 1000 / bytes.size()));
        if (progress.wasCanceled())
            break;
    }
    return lines;
}

// UTF-8 with its mark, or without one when the bytes read as UTF-8: then bytes that are no
// UTF-8 are counted into `notes`. Otherwise Latin-1.
bool choosesUtf8(const std::optional<TextDecoding::UnicodeForm> &form,
                 const TextDecoding::Utf8Scan &scan, DecodeNotes *notes)
{
    const bool utf8 = form.has_value() || scan.readsAsUtf8();
    if (utf8 && notes != nullptr)
        notes->replacedBytes = scan.invalidBytes;
    return utf8;
}

// Empty for a regular file; otherwise why a file of this kind is neither read nor replaced.
QString notRegularReason(mode_t mode)
{
    if (S_ISREG(mode))
        return QString();
    if (S_ISDIR(mode))
        return QStringLiteral("is a folder, not a file");
    if (S_ISFIFO(mode))
        return QStringLiteral("is a named pipe (FIFO), not a regular file");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("is a device, not a regular file");
    if (S_ISSOCK(mode))
        return QStringLiteral("is a socket, not a regular file");
    return QStringLiteral("is not a regular file");
}

// In whole megabytes, unless rounding would make a refused file look no larger than the limit.
QString tooLargeReason(qint64 bytes)
{
    const qint64 rounded = (bytes + megabyte / 2) / megabyte;
    const QString size = rounded * megabyte > maxReadBytes ? QStringLiteral("%1 MB").arg(rounded)
                                                           : QStringLiteral("%1 bytes").arg(bytes);
    return QStringLiteral("is %1; files over %2 MB are not read")
        .arg(size)
        .arg(maxReadBytes / megabyte);
}

// Empty when the opened file may be read; checked again after opening because the name may
// have been replaced since it was looked at.
QString unreadableReason(const struct stat &info)
{
    const QString kind = notRegularReason(info.st_mode);
    if (!kind.isEmpty())
        return kind;
    if (info.st_size > maxReadBytes)
        return tooLargeReason(info.st_size);
    return QString();
}

// Files are read this many bytes at a time, so that a large one reports its progress and can
// be stopped while it is read.
constexpr qint64 readPieceBytes = 4 * megabyte;

// Reads to the end rather than trusting the size: some regular files (in /proc, or one still
// being written) report another size than they deliver.
std::optional<QByteArray> readOpenFile(int fd, qint64 sizeHint, QString *reason,
                                       const StageProgress &progress)
{
    QByteArray bytes(int(std::min(sizeHint + 1, maxReadBytes + 1)), Qt::Uninitialized);
    qint64 used = 0;
    for (;;) {
        if (used == bytes.size()) {
            if (used > maxReadBytes) {
                fail(reason, tooLargeReason(used));
                return std::nullopt;
            }
            bytes.resize(int(std::min(maxReadBytes + 1, std::max<qint64>(used * 2, 4096))));
        }
        const qint64 wanted = std::min<qint64>(bytes.size() - used, readPieceBytes);
        const ssize_t got = ::read(fd, bytes.data() + used, size_t(wanted));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            fail(reason, QStringLiteral("could not be read: ") + systemError(errno));
            return std::nullopt;
        }
        if (got == 0)
            break;
        used += got;
        progress.report(int(std::min<qint64>(1000, used * 1000 / std::max<qint64>(sizeHint, 1))));
        if (progress.wasCanceled()) {
            fail(reason, stoppedReason());
            return std::nullopt;
        }
    }
    bytes.truncate(int(used));
    return bytes;
}

bool isMissing(const QString &path)
{
    struct stat info;
    return path.isEmpty() || (::lstat(QFile::encodeName(path).constData(), &info) != 0 &&
                              (errno == ENOENT || errno == ENOTDIR));
}

// The settings are read again for every screenplay; one line per file and fault is enough,
// so a batch does not repeat it for every file it analyses.
void reportUnreadSettings(const QString &path, const QString &reason)
{
    static QSet<QString> reported;
    const QString program = QCoreApplication::applicationName();
    const QString line = (program.isEmpty() ? QString() : program + QStringLiteral(": ")) + path +
                         QLatin1Char(' ') + reason + QStringLiteral("; going on without it\n");
    if (reported.contains(line))
        return;
    reported.insert(line);
    std::fputs(line.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
}

bool writeAll(int fd, const QByteArray &bytes)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote < 0)
            return false;
        done += wrote;
    }
    return true;
}

// A new file next to `name`, with the permissions a fresh file gets (the umask applies), or
// -1. O_EXCL with a random name, so no other file is ever opened by mistake.
int createTemporary(const QByteArray &name, QByteArray *temporaryName)
{
    const int slash = name.lastIndexOf('/');
    const QByteArray folder = name.left(slash + 1);
    const QByteArray base = name.mid(slash + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        *temporaryName = folder + TemporaryFile::nameFor(base, ::getpid(),
                                                         QRandomGenerator::global()->generate());
        const int fd =
            ::open(temporaryName->constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Gives the finished temporary file the mode of the file it replaces, as an edit in place
// would, forces it to disk and closes it; errno tells why when false.
bool finishTemporary(int fd, const mode_t *previousMode)
{
    bool ok = previousMode == nullptr || ::fchmod(fd, *previousMode & 07777) == 0;
    // A full disk or a failing device may only show when the data is forced out; file
    // systems without sync support report EINVAL and have nothing to force.
    if (ok && ::fsync(fd) != 0 && errno != EINVAL)
        ok = false;
    const int savedError = errno;
    if (::close(fd) != 0 && ok)
        return false;
    errno = savedError;
    return ok;
}

} // namespace

QString decode(const QByteArray &bytes, DecodeNotes *notes)
{
    const std::optional<TextDecoding::UnicodeForm> form = TextDecoding::unicodeForm(bytes);
    const int skip = form ? form->markBytes : 0;
    if (form && form->encoding != Encoding::Utf8) {
        QString text = TextDecoding::fromUnicodeForm(bytes, form->encoding, skip);
        TextDecoding::blankNuls(text);
        return text;
    }
    const bool utf8 = choosesUtf8(form, scanUtf8(bytes, skip, {}), notes);
    return decodePiece(bytes, skip, bytes.size(), utf8);
}

QString replacedBytesWarning(qint64 replacedBytes)
{
    return QStringLiteral("%1 %2 not UTF-8 in otherwise UTF-8 text; each read as U+FFFD")
        .arg(replacedBytes)
        .arg(QLatin1String(replacedBytes == 1 ? "byte is" : "bytes are"));
}

QByteArray encode(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() > 0xFF)
            return text.toUtf8();
    }
    return text.toLatin1();
}

QStringList splitLines(const QString &text)
{
    QStringList lines;
    const QChar *chars = text.constData();
    const int size = text.size();
    int begin = 0;
    while (begin < size) {
        int end = begin;
        while (end < size && chars[end] != QLatin1Char('\n') && chars[end] != QLatin1Char('\r'))
            ++end;
        lines.append(text.mid(begin, end - begin));
        if (end + 1 < size && chars[end] == QLatin1Char('\r') &&
            chars[end + 1] == QLatin1Char('\n'))
            ++end;
        begin = end + 1;
    }
    return lines;
}

QString stoppedReason()
{
    return QStringLiteral("was not read: reading was stopped");
}

QStringList decodeLines(const QByteArray &bytes, const StageProgress &progress, DecodeNotes *notes)
{
    const std::optional<TextDecoding::UnicodeForm> form = TextDecoding::unicodeForm(bytes);
    const int skip = form ? form->markBytes : 0;
    // UTF-16 and UTF-32 text is rare and cannot be cut at a byte.
    if (form && form->encoding != Encoding::Utf8)
        return splitLines(decode(bytes));
    // The check is a quicker pass over the bytes than the decoding.
    const bool utf8 = choosesUtf8(form, scanUtf8(bytes, skip, progress.step(0, 250)), notes);
    return decodeLinesInPieces(bytes, skip, utf8, progress.step(250, 1000));
}

std::optional<QByteArray> readBytes(const QString &path, QString *reason,
                                    const StageProgress &progress)
{
    if (path.isEmpty()) {
        fail(reason, QStringLiteral("no file was chosen"));
        return std::nullopt;
    }
    const QByteArray name = QFile::encodeName(path);
    struct stat info;
    // Looked at before opening: opening a pipe waits for a writer, and opening some devices
    // has effects of its own.
    if (::stat(name.constData(), &info) != 0) {
        fail(reason, QStringLiteral("cannot be opened: ") + systemError(errno));
        return std::nullopt;
    }
    QString why = unreadableReason(info);
    if (!why.isEmpty()) {
        fail(reason, why);
        return std::nullopt;
    }
    // Non-blocking, in case a pipe has taken the name since; it is then refused below.
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        fail(reason, QStringLiteral("cannot be opened: ") + systemError(errno));
        return std::nullopt;
    }
    std::optional<QByteArray> bytes;
    if (::fstat(fd, &info) != 0)
        fail(reason, QStringLiteral("cannot be opened: ") + systemError(errno));
    else if (!(why = unreadableReason(info)).isEmpty())
        fail(reason, why);
    else
        bytes = readOpenFile(fd, info.st_size, reason, progress);
    ::close(fd);
    return bytes;
}

std::optional<QStringList> readLines(const QString &path, QString *reason)
{
    std::optional<QByteArray> bytes = readBytes(path, reason);
    if (!bytes)
        return std::nullopt;
    QStringList lines = decodeLines(*bytes);
    bytes.reset();
    return lines;
}

std::optional<QStringList> readListLines(const QString &path, QString *reason)
{
    QFile file;
    const bool standardInput = path == QLatin1String("-");
    const bool opened = standardInput ? file.open(stdin, QIODevice::ReadOnly)
                                      : (file.setFileName(path), file.open(QIODevice::ReadOnly));
    if (!opened || QFileInfo(path).isDir()) {
        if (reason != nullptr)
            *reason = opened ? QStringLiteral("is a folder") : file.errorString();
        return std::nullopt;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (reason != nullptr)
            *reason = file.errorString();
        return std::nullopt;
    }
    const QString text = decode(bytes);
    bytes.clear();
    return splitLines(text);
}

std::optional<QStringList> readSettingsLines(const QString &path)
{
    QString reason;
    std::optional<QStringList> lines = readLines(path, &reason);
    if (!lines && !isMissing(path))
        reportUnreadSettings(path, reason);
    return lines;
}

bool writeBytes(const QString &path, const QByteArray &bytes, QString *reason)
{
    return writeBytes(path, QByteArrayList{bytes}, reason);
}

bool writeBytes(const QString &path, const QByteArrayList &pieces, QString *reason)
{
    AtomicWriter writer;
    if (!writer.open(path, reason))
        return false;
    for (const QByteArray &piece : pieces)
        writer.append(piece);
    return writer.commit(reason);
}

AtomicWriter::~AtomicWriter()
{
    discard();
}

bool AtomicWriter::open(const QString &path, QString *reason)
{
    discard();
    const QByteArray name = QFile::encodeName(path);
    if (name.isEmpty() || name.endsWith('/'))
        return fail(reason, QStringLiteral("is not a file name"));
    struct stat previous;
    const bool exists = ::lstat(name.constData(), &previous) == 0;
    // A link is replaced like a file; anything else (a folder, a device) is left alone.
    if (exists && !S_ISLNK(previous.st_mode) && !S_ISREG(previous.st_mode))
        return fail(reason, notRegularReason(previous.st_mode));
    // A file its owner made read-only is not replaced behind their back.
    if (exists && S_ISREG(previous.st_mode) && ::access(name.constData(), W_OK) != 0)
        return fail(reason, systemError(errno));
    m_fd = createTemporary(name, &m_temporaryName);
    if (m_fd < 0)
        return fail(reason, systemError(errno));
    m_name = name;
    m_keptMode = exists && S_ISREG(previous.st_mode) ? std::optional<mode_t>(previous.st_mode)
                                                     : std::nullopt;
    m_error = 0;
    return true;
}

void AtomicWriter::append(const QByteArray &bytes)
{
    if (m_fd >= 0 && m_error == 0 && !writeAll(m_fd, bytes))
        m_error = errno;
}

bool AtomicWriter::commit(QString *reason)
{
    if (m_fd < 0)
        return fail(reason, QStringLiteral("was not opened"));
    const int fd = std::exchange(m_fd, -1);
    int error = m_error;
    if (error != 0)
        ::close(fd);
    else if (!finishTemporary(fd, m_keptMode ? &*m_keptMode : nullptr) ||
             ::rename(m_temporaryName.constData(), m_name.constData()) != 0)
        error = errno;
    if (error == 0)
        return true;
    ::unlink(m_temporaryName.constData());
    return fail(reason, systemError(error));
}

void AtomicWriter::discard()
{
    if (m_fd < 0)
        return;
    ::close(std::exchange(m_fd, -1));
    ::unlink(m_temporaryName.constData());
}

bool writeText(const QString &path, const QString &text, QString *reason)
{
    return writeBytes(path, encode(text), reason);
}

bool writeUnicodeText(const QString &path, const QString &text, ByteOrderMark mark, QString *reason)
{
    QByteArray bytes = mark == ByteOrderMark::Written ? QByteArray("\xEF\xBB\xBF") : QByteArray();
    bytes += text.toUtf8();
    return writeBytes(path, bytes, reason);
}

} // namespace TextFile
