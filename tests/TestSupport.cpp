#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

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
