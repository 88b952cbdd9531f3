#pragma once

#include <QString>
#include <QStringList>

#include <ostream>

// Readable failure output for Qt strings.
void PrintTo(const QString &text, std::ostream *out);
void PrintTo(const QStringList &list, std::ostream *out);

// A fresh temporary folder for one test; removed when the object goes away.
class ScratchDir
{
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir &) = delete;
    ScratchDir &operator=(const ScratchDir &) = delete;

    QString path() const;
    QString file(const QString &name) const;
    // Writes raw bytes to a file in the folder and returns its path.
    QString write(const QString &name, const QByteArray &bytes) const;

private:
    QString m_path;
};

// A 64 KiB tmpfs mounted on a scratch folder and filled to the last byte, for writes that
// must fail with "No space left on device". Mounting needs root (or CAP_SYS_ADMIN);
// `skipReason()` is empty when it is mounted. Unmounted when the object goes away.
class FullFileSystem
{
public:
    FullFileSystem();
    ~FullFileSystem();
    FullFileSystem(const FullFileSystem &) = delete;
    FullFileSystem &operator=(const FullFileSystem &) = delete;

    QString skipReason() const { return m_skipReason; }
    QString file(const QString &name) const { return m_dir.file(name); }
    // Writes the file while there is room, then takes every free byte that is left.
    QString writeThenFill(const QString &name, const QByteArray &bytes) const;

private:
    ScratchDir m_dir;
    QString m_skipReason;
};

QByteArray readBytes(const QString &path);
QString testDataFile(const QString &name);
// The public-domain screenplays shipped in examples/, which the tests read as real input.
QString corpusFile(const QString &name);
