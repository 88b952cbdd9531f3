#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <sys/mount.h>

void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

void PrintTo(const QStringList &list, std::ostream *out)
{
    *out << '[';
    for (int i = 0; i < list.size(); ++i) {
        if (i > 0)
            *out << ", ";
        PrintTo(list.at(i), out);
    }
    *out << ']';
}

ScratchDir::ScratchDir()
{
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/quillmark-test-XXXXXX"));
    dir.setAutoRemove(false);
    m_path = dir.path();
}

ScratchDir::~ScratchDir()
{
    QDir(m_path).removeRecursively();
}

QString ScratchDir::path() const
{
    return m_path;
}

QString ScratchDir::file(const QString &name) const
{
    return QDir(m_path).filePath(name);
}

QString ScratchDir::write(const QString &name, const QByteArray &bytes) const
{
    const QString path = file(name);
    QFile out(path);
    if (out.open(QIODevice::WriteOnly))
        out.write(bytes);
    return path;
}

FullFileSystem::FullFileSystem()
{
    if (::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0, "size=64k") != 0)
        m_skipReason = QStringLiteral("cannot mount a small tmpfs to fill (needs root): ") +
                       QString::fromLocal8Bit(std::strerror(errno));
}

FullFileSystem::~FullFileSystem()
{
    if (m_skipReason.isEmpty())
        ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
}

QString FullFileSystem::writeThenFill(const QString &name, const QByteArray &bytes) const
{
    const QString path = m_dir.write(name, bytes);
    QFile filler(m_dir.file(QStringLiteral("filler")));
    if (filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        // Unbuffered, so the last short write fills the last page and the next one fails.
        const QByteArray block(512, 'x');
        while (filler.write(block) > 0) {
        }
    }
    return path;
}

QByteArray readBytes(const QString &path)
{
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        return QByteArray();
    return in.readAll();
}

QString testDataFile(const QString &name)
{
    return QStringLiteral(QUILLMARK_TEST_DATA "/") + name;
}

QString corpusFile(const QString &name)
{
    return QStringLiteral(QUILLMARK_SOURCE_DIR "/examples/") + name;
}
