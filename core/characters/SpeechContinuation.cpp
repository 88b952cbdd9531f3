#include "characters/SpeechContinuation.h"

#include "reader/ScreenplayWords.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

bool isContinuedMark(const QString &token)
{
    static const QRegularExpression contd(QStringLiteral("^\\(?CONT['\\x{2019}]?D\\.?\\)?$"),
                                          QRegularExpression::CaseInsensitiveOption);
    return contd.match(token).hasMatch();
}

} // namespace

void SpeechContinuation::passLine(const QString &line, int lead)
{
    const QString text = line.trimmed();
    if (text.isEmpty()) {
        // Blank lines end a speech but not the gap at the top of a page.
        if (m_state != State::PageBreak)
            m_state = State::Outside;
    } else if (text == QLatin1String("\f") || isPageMarker(text)) {
        if (m_state == State::InSpeech || m_state == State::More) {
            m_more = m_state == State::More;
            m_state = State::PageBreak;
        }
    } else if (m_state == State::InSpeech &&
               text.compare(QLatin1String("(MORE)"), Qt::CaseInsensitive) == 0) {
        m_state = State::More;
    } else if (m_state == State::InSpeech && lead > 0) {
        // Dialogue and parentheticals stand indented; action and headings at the edge.
    } else {
        m_state = State::Outside;
    }
}

bool SpeechContinuation::continuesAtCue(const QStringList &nameWords, const QStringList &tokens)
{
    // Unmerged cue names keep their "(CONT'D)": "ANNA (CONT'D)" repeats ANNA's cue.
    QStringList speaker = nameWords;
    speaker.removeIf(isContinuedMark);
    const bool continued = m_state == State::PageBreak && speaker == m_lastSpeaker &&
                           (m_more || std::any_of(tokens.begin(), tokens.end(), isContinuedMark));
    m_state = State::InSpeech;
    m_more = false;
    m_lastSpeaker = std::move(speaker);
    return continued;
}
