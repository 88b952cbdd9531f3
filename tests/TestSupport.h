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

QByteArray readBytes(const QString &path);
QString testDataFile(const QString &name);
// The public-domain screenplays shipped in examples/, which the tests read as real input.
QString corpusFile(const QString &name);
