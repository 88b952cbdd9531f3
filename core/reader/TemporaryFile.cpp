#include "reader/TemporaryFile.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <csignal>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace TemporaryFile {

namespace {

const QByteArray suffix = QByteArrayLiteral(".tmp");

bool isTag(const QByteArray &text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z');
    });
}

bool isRunning(qint64 process)
{
    // EPERM: it runs, under another user.
    return process > 0 && (::kill(static_cast<pid_t>(process), 0) == 0 || errno == EPERM);
}

qint64 millisecondsOf(const struct timespec &time)
{
    return qint64(time.tv_sec) * 1000 + time.tv_nsec / 1000000;
}

// Removes the regular files in `folder` with a temporary file's name that `shouldRemove` picks
// (links are left alone: a link is never one of ours).
template<typename Pick> int removeWhere(const QString &folder, Pick shouldRemove)
{
    const QByteArray path = QFile::encodeName(folder.isEmpty() ? QStringLiteral(".") : folder);
    DIR *directory = ::opendir(path.constData());
    if (directory == nullptr)
        return 0;
    int removed = 0;
    while (const dirent *entry = ::readdir(directory)) {
        const QByteArray name(entry->d_name);
        const std::optional<NameParts> parts = parse(name);
        if (!parts)
            continue;
        const QByteArray full = path + '/' + name;
        struct stat status;
        if (::lstat(full.constData(), &status) != 0 || !S_ISREG(status.st_mode))
            continue;
        if (shouldRemove(*parts, status) && ::unlink(full.constData()) == 0)
            ++removed;
    }
    ::closedir(directory);
    return removed;
}

} // namespace

QByteArray nameFor(const QByteArray &target, qint64 writer, quint32 tag)
{
    return '.' + target + '.' + QByteArray::number(writer) + '-' + QByteArray::number(tag, 36) +
           suffix;
}

std::optional<NameParts> parse(const QByteArray &name)
{
    if (!name.startsWith('.') || !name.endsWith(suffix))
        return std::nullopt;
    const QByteArray stem = name.mid(1, name.size() - 1 - suffix.size());
    const int dot = stem.lastIndexOf('.');
    if (dot <= 0)
        return std::nullopt;
    NameParts parts;
    parts.target = stem.left(dot);
    const QByteArray mark = stem.mid(dot + 1);
    const int dash = mark.indexOf('-');
    if (dash < 0)
        return isTag(mark) ? std::optional<NameParts>(parts) : std::nullopt;
    bool isNumber = false;
    parts.writer = mark.left(dash).toLongLong(&isNumber);
    if (!isNumber || parts.writer <= 0 || !isTag(mark.mid(dash + 1)))
        return std::nullopt;
    return parts;
}

int removeLeftBy(const QString &folder, qint64 writer, const TargetFilter &accepted)
{
    return removeWhere(folder, [&](const NameParts &parts, const struct stat &) {
        return parts.writer == writer && accepted(parts.target);
    });
}

int removeStale(const QString &folder, qint64 changedBefore, const TargetFilter &accepted)
{
    return removeWhere(folder, [&](const NameParts &parts, const struct stat &status) {
        return millisecondsOf(status.st_mtim) < changedBefore && !isRunning(parts.writer) &&
               accepted(parts.target);
    });
}

} // namespace TemporaryFile
