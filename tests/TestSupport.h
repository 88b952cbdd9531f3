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

// A 64 KiB tmpfs on a scratch folder, for writes that must fail with "No space left on
// device". Mounting needs root; `skipReason()` is empty when it is mounted.
class FullFileSystem
{
public:
    FullFileSystem();
    ~FullFileSystem();
    QString skipReason() const { return m_skipReason; }
    // Writes the file while there is room, then takes every free byte.
    QString writeThenFill(const QString &name, const QByteArray &bytes) const;

private:
    ScratchDir m_dir;
    QString m_skipReason;
};

QByteArray readBytes(const QString &path);
QString testDataFile(const QString &name);
// The public-domain screenplays shipped in examples/, which the tests read as real input.
QString corpusFile(const QString &name);
