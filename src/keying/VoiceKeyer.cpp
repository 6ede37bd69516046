#include "keying/VoiceKeyer.h"

#include "core/NumberFormat.h"
#include "keying/Morse.h"
#include "platform/Clock.h"
#include "platform/KeyingLine.h"
#include "platform/ParallelPort.h"
#include "platform/SerialPort.h"
#include "platform/WavePlayer.h"

std::optional<double> readVoiceKeyerNumber(const QString& text)
{
    const QString t = text.trimmed();
    if (t.startsWith(QLatin1String("&H"), Qt::CaseInsensitive)) {
        bool ok = false;
        const qlonglong value = t.mid(2).toLongLong(&ok, 16);
        return ok ? std::optional<double>(double(value)) : std::nullopt;
    }
    return parsePlainNumber(t);
}

VoiceKeyer::VoiceKeyer(KeyerState& keyer, WavePlayer& player, SerialPort& pttPort, ParallelPort& parallel,
                       VoiceKeyerWindow& window, const Clock& clock)
    : m_keyer(keyer), m_player(player), m_port(pttPort), m_parallel(parallel), m_window(window), m_clock(clock)
{
}

void VoiceKeyer::FKeyPhone(int KeyCode)
{
    if (KeyCode < 112 || KeyCode > 120)
        return;
    // Ends at once whatever message still plays; its outputs stay raised until this
    // message keys them again or the watch releases them.
    m_player.close();
    if (KeyCode == RepeatKey) {
        const auto seconds = readVoiceKeyerNumber(m_window.repeatSeconds());
        if (!seconds)
            return;
        if (*seconds > 0)
            m_keyer.PhoneRepeatActive = 1;
    }
    const QString file = m_window.waveFile(KeyCode);
    if (file.trimmed().isEmpty())
        return;
    // A file that cannot play keys nothing; what an earlier message keyed, its watch releases.
    if (!m_player.open(file)) {
        m_window.tellSoundProblem(m_player.problem());
        return;
    }
    // Keyed once the output is ready for the message: at once when it already is, else on
    // the watch's tick (or the player's news) that finds it so.
    m_waitingForOutput = true;
    m_giveUpAtMs = m_clock.monotonicMs() + WavePlayer::OpeningLimitMs;
    m_window.startWatch();
    if (m_player.mode() != WavePlayer::ModeOpening)
        keyAndPlay();
}

void VoiceKeyer::keyAndPlay()
{
    m_waitingForOutput = false;
    if (m_player.mode() != WavePlayer::ModeStopped || m_player.problem().kind != WaveProblem::Kind::None) {
        // The output failed while it opened.
        giveUp(m_player.problem());
        return;
    }
    if (!keySerialLine() || !keyParallel()) {
        // A box that cannot be read leaves nothing keyed.
        m_player.close();
        m_window.stopWatch();
        releaseAll();
        return;
    }
    if (!m_player.play()) {
        giveUp(m_player.problem());
        return;
    }
    m_giveUpAtMs = m_clock.monotonicMs() + m_player.durationMs() + WavePlayer::EndMarginMs;
    m_window.tellPlaying();
}

bool VoiceKeyer::keySerialLine()
{
    const auto port = readVoiceKeyerNumber(m_window.pttPortNumber());
    if (!port)
        return false;
    if (*port <= 0)
        return true;
    if (!m_port.isOpen())
        m_window.openPttPort();
    // A line set on a closed port would come up raised at its next opening.
    if (!m_port.isOpen())
        return true;
    if (m_window.pttLine() == PttLine::Dtr) {
        m_dtr = true;
        return m_port.setDtr(true);
    }
    m_rts = true;
    return m_port.setRts(true);
}

bool VoiceKeyer::keyParallel()
{
    if (m_window.pttLine() != PttLine::Parallel)
        return true;
    const auto base = parseBaseAddress(m_window.parallelAddress());
    if (!base)
        return false;
    if (m_parallelBase && *m_parallelBase != *base)
        releaseParallel();
    m_parallelBase = *base;
    return m_parallel.write(quint16(*base + 2), ParallelKeyingLine::KeyedValue);
}

void VoiceKeyer::watchTick()
{
    if (m_waitingForOutput) {
        if (m_player.mode() != WavePlayer::ModeOpening)
            keyAndPlay();
        else if (m_clock.monotonicMs() >= m_giveUpAtMs)
            giveUp({WaveProblem::Kind::Output, QStringLiteral("The sound output did not answer.")});
        return;
    }
    if (m_player.mode() == WavePlayer::ModePlaying) {
        if (m_clock.monotonicMs() >= m_giveUpAtMs)
            giveUp({WaveProblem::Kind::Output, QStringLiteral("The sound output did not end the message in time; "
                                                              "push-to-talk was dropped.")});
        return;
    }
    m_window.stopWatch();
    releaseAll();
    if (const WaveProblem problem = m_player.problem(); problem.kind == WaveProblem::Kind::Output) {
        giveUp(problem);
        return;
    }
    if (m_keyer.PhoneRepeatActive == 1)
        m_window.armRepeat();
}

bool VoiceKeyer::stopMessage()
{
    if (m_waitingForOutput) {
        // Nothing keyed for it yet: whatever an earlier message keyed goes down with it.
        m_waitingForOutput = false;
        m_player.close();
        m_window.stopWatch();
        releaseAll();
        return true;
    }
    if (m_player.mode() != WavePlayer::ModePlaying)
        return false;
    m_player.stop();
    return true;
}

void VoiceKeyer::giveUp(const WaveProblem& problem)
{
    m_waitingForOutput = false;
    m_player.close();
    m_window.stopWatch();
    releaseAll();
    m_keyer.PhoneRepeatActive = 0;
    m_window.tellSoundProblem(problem);
}

void VoiceKeyer::releaseAll()
{
    releaseSerialLines();
    releaseParallel();
}

void VoiceKeyer::releaseSerialLines()
{
    if (m_rts)
        m_port.setRts(false);
    if (m_dtr)
        m_port.setDtr(false);
    m_rts = false;
    m_dtr = false;
}

void VoiceKeyer::releaseParallel()
{
    if (!m_parallelBase)
        return;
    m_parallel.write(quint16(*m_parallelBase + 2), ParallelKeyingLine::ReleasedValue);
    m_parallelBase.reset();
}
