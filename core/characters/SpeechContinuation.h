#pragma once

#include <QString>
#include <QStringList>

// Follows a typed screenplay line by line to tell a speech that a page break cut in two from
// a new one: printed programs end the page's part with "(MORE)" and repeat the cue at the top
// of the next page, often with "(CONT'D)". That repeated cue is no new speech.
class SpeechContinuation
{
public:
    // A line that is no cue, with its leading-blank count.
    void passLine(const QString &line, int lead);
    // A cue naming `nameWords` with the tokens of its line; true when it continues the speech
    // of the previous page. The cue then becomes the last one either way.
    bool continuesAtCue(const QStringList &nameWords, const QStringList &tokens);

private:
    enum class State { Outside, InSpeech, More, PageBreak };

    State m_state = State::Outside;
    bool m_more = false; // the speech before the page break ended with "(MORE)"
    QStringList m_lastSpeaker;
};
