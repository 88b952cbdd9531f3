#pragma once

#include "document/AnalysisSession.h"
#include "parts/BackgroundRelease.h"
#include "parts/DialogProgress.h"

#include <QObject>
#include <QString>

#include <memory>

class QWidget;

// The open screenplay of the window and its last analysis: opens files, parses, and hands
// each new analysis to the parts that show it. It holds what the user edits between parses
// (options, include characters, palette, break strings, manual breaks) and the characters
// the next parse starts from.
class DocumentController : public QObject
{
    Q_OBJECT
public:
    explicit DocumentController(QWidget *window);

    AnalysisSettings &settings() { return m_session.settings(); }
    const AnalysisSettings &settings() const { return m_session.settings(); }
    // Where the settings files are that the window reads and writes.
    const SettingsPaths &settingsPaths() const { return m_session.paths(); }
    // The characters the next parse starts from: those of the last parse, and what
    // "Add Character" added since.
    CharacterList &characters() { return m_screenplay.characters; }
    const QString &filePath() const { return m_screenplay.filePath; }
    // The last parse, or null before the first.
    const std::shared_ptr<const Analysis> &analysis() const { return m_analysis; }
    DialogProgress &progress() { return m_progress; }
    BackgroundRelease &backgroundRelease() { return m_release; }

    // File > "Open File": asks for a screenplay, then loadScreenplay. Returns what to tell
    // the user when the chosen file could not be opened, else nothing.
    QString openFile();
    // Everything openFile does after its file dialog: read the file, find its characters,
    // parse. Returns whether the file could be read. A file that cannot be read replaces
    // nothing: the screenplay open before stays open, and `failure` (when given) says which
    // file could not be read and why, in the reader's words.
    bool loadScreenplay(const QString &path, QString *failure = nullptr);
    // A parse of the screenplay held, with the settings as they are now (a reparse).
    void parseText();

signals:
    // The analysis shown is about to be let go of: the views drop what refers to it.
    void parseStarting();
    // A parse has made `analysis`; it is shown in the order the parts were connected.
    void analysed(const std::shared_ptr<const Analysis> &analysis);
    // A file was read and is now the open screenplay. `fileName` is its name without the
    // folders.
    void screenplayOpened(const QString &fileName);
    // A file could not be read, and `failure` says which and why; nothing was replaced.
    void openFailed(const QString &failure);
    // The user stopped the reading of a file: it was not opened.
    void readingStopped(const QString &fileName);
    // A parse could not count the screenplay.
    void notDone(const QString &what, const QString &reason);
    // What the last open and parse read otherwise than written (a settings line, bytes
    // that are not UTF-8, records left out), each naming its file; sent only when any were.
    void warned(const QStringList &warnings);

private:
    // `countJoined`: include characters this parse meets for the first time are counted by a
    // second pass.
    void parse(bool countJoined);

    QWidget *m_window;
    BackgroundRelease m_release; // frees a closed screenplay and an old parse
    DialogProgress m_progress;
    AnalysisSession m_session;
    Screenplay m_screenplay;
    std::shared_ptr<const Analysis> m_analysis;
};
