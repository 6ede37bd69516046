#include "keying/KeyerSession.h"

#include "core/NumberFormat.h"
#include "core/Tables.h"
#include "keying/Morse.h"
#include "keying/ParallelLineOutput.h"
#include "keying/SerialLineOutput.h"
#include "keying/WinKeyDevice.h"
#include "platform/EventWait.h"
#include "platform/KeyingLine.h"
#include "platform/ParallelPort.h"
#include "platform/SerialPort.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QScopeGuard>

class KeyerSession::CwSide final : public CwKeyerWindow {
public:
    explicit CwSide(KeyerSession& session) : m_session(session) {}

    QString message(int keyCode) const override
    {
        const auto& messages = m_session.m_cw.messages; // F1 ... F9, F10, F11
        if (keyCode >= 112 && keyCode <= 120)
            return messages[size_t(keyCode - 112)];
        if (keyCode == 124)
            return messages[9];
        if (keyCode == 122)
            return messages[10];
        return {};
    }
    QString repeatSeconds() const override { return m_session.m_cw.repeatSeconds; }
    QString wordsPerMinute() const override { return m_session.m_cw.wordsPerMinute; }
    QString wordSpace() const override { return m_session.m_cw.wordSpace; }
    TimingMethod timingMethod() const override { return m_session.m_timing; }
    double loopsPer60ms() const override { return m_session.m_loopsPer60ms; }
    bool echo() const override { return m_session.m_cw.echo; }
    KeyerOutput& output() override { return m_session.output(); }
    void logContact() override { Q_EMIT m_session.contactToLog(); }
    void showOnMainWindow(const QString& text) override { Q_EMIT m_session.mainWindowText(text); }
    void armRepeat() override { m_session.m_cwRepeat.start(); }
    void letEventsRun() override { ::letEventsRun(); }
    QString countyText(const QString& abbreviation) const override
    {
        return CountyTextForCW(m_session.m_tables, abbreviation);
    }

private:
    KeyerSession& m_session;
};

class KeyerSession::VoiceSide final : public VoiceKeyerWindow {
public:
    explicit VoiceSide(KeyerSession& session) : m_session(session) {}

    QString waveFile(int keyCode) const override { return m_session.m_voice.waveFiles[size_t(keyCode - 112)]; }
    QString repeatSeconds() const override { return m_session.m_voice.repeatSeconds; }
    QString pttPortNumber() const override { return m_session.m_voice.serialPort; }
    std::optional<PttLine> pttLine() const override { return m_session.m_voice.pttLine; }
    QString parallelAddress() const override { return m_session.m_voice.parallelAddress; }
    void openPttPort() override { m_session.openPttPort(); }
    void startWatch() override { m_session.m_voiceWatch.start(); }
    void stopWatch() override { m_session.m_voiceWatch.stop(); }
    // A wait of 0 never ends: the timer stays off.
    void armRepeat() override
    {
        if (m_session.m_voiceRepeat.interval() > 0)
            m_session.m_voiceRepeat.start();
    }
    void tellSoundProblem(const WaveProblem& problem) override { Q_EMIT m_session.soundProblem(problem); }
    void tellPlaying() override { Q_EMIT m_session.voiceMessagePlaying(); }

private:
    KeyerSession& m_session;
};

KeyerSession::KeyerSession(KeyerState& keyer, const ReferenceTables& tables, Clock& clock, ParallelPort& parallel,
                           const SerialPortFactory& makeSerialPort, const WavePlayerFactory& makeWavePlayer,
                           OutputFactory makeOutput)
    : m_keyer(keyer),
      m_tables(tables),
      m_clock(clock),
      m_parallel(parallel),
      m_cwSide(std::make_unique<CwSide>(*this)),
      m_voiceSide(std::make_unique<VoiceSide>(*this)),
      m_cwPort(makeSerialPort()),
      m_outputInstead(std::move(makeOutput)),
      m_cwKeyer(keyer, clock, *m_cwSide),
      m_winKey(std::make_unique<WinKeyOutput>(keyer, makeSerialPort)),
      m_voicePlayer(makeWavePlayer()),
      m_pttPort(makeSerialPort()),
      m_voiceKeyer(keyer, *m_voicePlayer, *m_pttPort, parallel, *m_voiceSide, clock),
      m_promptPlayer(makeWavePlayer())
{
    m_cwRepeat.setSingleShot(true);
    m_cwRepeat.setInterval(0);
    connect(&m_cwRepeat, &QTimer::timeout, this, &KeyerSession::repeatCw);
    m_voiceWatch.setInterval(40);
    m_voiceWatch.setTimerType(Qt::PreciseTimer);
    connect(&m_voiceWatch, &QTimer::timeout, this, &KeyerSession::watchVoiceMessage);
    m_voiceRepeat.setSingleShot(true);
    m_voiceRepeat.setInterval(0);
    connect(&m_voiceRepeat, &QTimer::timeout, this, &KeyerSession::repeatVoice);
    // The players' news, always from the event loop: a message's output ready or failed, its
    // end, a probe's answer. The watch acts on it at once, not a tick later.
    m_voicePlayer->setOnChange([this] {
        if (m_voiceWatch.isActive())
            m_voiceKeyer.watchTick();
        Q_EMIT soundOutputChecked();
    });
    m_promptPlayer->setOnChange([this] {
        if (m_promptPlayer->problem().kind == WaveProblem::Kind::Output)
            Q_EMIT promptProblem(m_promptPlayer->problem());
    });

    // A port taken for CW or push-to-talk closes the device first.
    keyer.ports.enter(KeyingPortHolder::WinKey, [this] {
        if (m_keyer.WinKeyOpen != 0)
            m_winKey->close();
    });
    keyer.ports.enter(KeyingPortHolder::CwPort, [this] {
        dropCwSerialLines();
        m_cwPort->close();
    });
    keyer.ports.enter(KeyingPortHolder::PttPort, [this] { closePttPort(); });
}

KeyerSession::~KeyerSession()
{
    for (const auto holder : {KeyingPortHolder::WinKey, KeyingPortHolder::CwPort, KeyingPortHolder::PttPort})
        m_keyer.ports.leave(holder);
    releaseTransmitter();
    releaseCwKeying();
    m_winKey.reset(); // the device closed
    m_promptPlayer->close();
}

void KeyerSession::releaseAll()
{
    // A send under way stops after the character it keys, and nothing repeats.
    m_keyer.CWBuffer.clear();
    m_keyer.CWRepeatActive = 0;
    m_keyer.PhoneRepeatActive = 0;
    releaseTransmitter();
    releaseCwKeying();
    m_winKey->clearBuffer();
    m_winKey->close();
    m_promptPlayer->close();
}

// --- CW ---

KeyerSession::SettingsRead KeyerSession::loadSettingsFiles(const Folders& folders)
{
    SettingsRead read;
    WaveSettings voice = m_voice;
    read.voiceItems = loadWaveSettings(folders, voice);
    setVoiceSettings(voice);
    CwSettings cw = m_cw;
    read.cwItems = loadCwSettings(folders, cw);
    setCwSettings(cw);
    // The keying interface (item 15) counts once its item was read.
    constexpr int KeyingInterfaceItem = 15;
    if (read.cwItems >= KeyingInterfaceItem)
        m_keyer.CWKeyingInterface = cw.keyingInterface;
    return read;
}

void KeyerSession::setCwSettings(const CwSettings& settings)
{
    const QString speed = m_cw.wordsPerMinute;
    m_cw = settings;
    // The speed changes through setWordsPerMinute alone, so that whatever follows it does.
    m_cw.wordsPerMinute = speed;
    setWordsPerMinute(settings.wordsPerMinute);
}

void KeyerSession::setCwTiming(TimingMethod method, double loopsPer60ms)
{
    m_timing = method;
    m_loopsPer60ms = loopsPer60ms;
}

void KeyerSession::setWordsPerMinute(const QString& wordsPerMinute)
{
    if (wordsPerMinute == m_cw.wordsPerMinute)
        return;
    m_cw.wordsPerMinute = wordsPerMinute;
    // The keyer device follows the speed while it keys.
    const auto speed = parsePlainNumber(wordsPerMinute);
    if (speed && *speed > 4 && *speed < 100)
        output().followSpeed(quint8(roundHalfEven(*speed)));
    Q_EMIT wordsPerMinuteChanged(wordsPerMinute);
}

void KeyerSession::stepSpeed(int by)
{
    if (const auto speed = parsePlainNumber(m_cw.wordsPerMinute))
        setWordsPerMinute(formatDouble(*speed + by));
}

namespace {

// A keying or push-to-talk port opens with both of its lines down: nothing keys until the
// keyer raises one.
bool openWithLinesDown(SerialPort& port, double number)
{
    port.setComNumber(int(roundHalfEven(number)));
    port.setDtr(false);
    port.setRts(false);
    return port.open();
}

} // namespace

bool KeyerSession::openCwPort()
{
    dropCwSerialLines();
    m_cwPort->close();
    const auto port = parsePlainNumber(m_cw.serialPort);
    bool opened = true;
    if (!port) {
        opened = false;
    } else if (*port > 0) {
        m_keyer.ports.claim(KeyingPortHolder::CwPort);
        opened = openWithLinesDown(*m_cwPort, *port);
    }
    if (!opened)
        Q_EMIT cwPortInvalid();
    return opened;
}

void KeyerSession::releaseCwKeying()
{
    m_cwRepeat.stop();
    dropCwSerialLines();
    m_cwPort->close();
    output().release();
}

void KeyerSession::dropCwSerialLines()
{
    if (m_cwPort->isOpen()) {
        m_cwPort->setDtr(false);
        m_cwPort->setRts(false);
    }
}

void KeyerSession::repeatCw()
{
    m_cwRepeat.stop();
    FKeyCW(CwKeyer::RepeatKey);
}

KeyerOutput& KeyerSession::output()
{
    const KeyingInterface keying = m_keyer.CWKeyingInterface;
    auto made = m_outputs.find(keying);
    if (made == m_outputs.end())
        made = m_outputs.emplace(keying, makeOutput(keying)).first;
    return made->second ? *made->second : *m_winKey;
}

std::unique_ptr<KeyerOutput> KeyerSession::makeOutput(KeyingInterface keying)
{
    if (m_outputInstead) {
        if (auto instead = m_outputInstead(keying))
            return instead;
    }
    const auto openPort = [this] { return openCwPort(); };
    const auto failed = [this] { keyingFailed(); };
    switch (keying) {
    case KeyingInterface::Rts: return std::make_unique<SerialLineOutput>(*m_cwPort, ModemLine::Rts, openPort, failed);
    case KeyingInterface::Dtr: return std::make_unique<SerialLineOutput>(*m_cwPort, ModemLine::Dtr, openPort, failed);
    case KeyingInterface::Printer:
        return std::make_unique<ParallelLineOutput>(m_parallel, [this] { return m_cw.parallelAddress; }, failed);
    case KeyingInterface::WinKey: return nullptr; // the session's own, made with it
    case KeyingInterface::None: break;
    }
    return std::make_unique<NoKeyerOutput>();
}

void KeyerSession::keyingFailed()
{
    // A port gone while keying is let go and reported as one that will not open.
    dropCwSerialLines();
    m_cwPort->close();
    Q_EMIT cwPortInvalid();
}

void KeyerSession::stopRepeats()
{
    if (m_keyer.CWRepeatActive != 0) {
        if (m_keyer.WinKeyOpen != 0)
            m_winKey->device().wk_clearbuf();
        m_keyer.CWBuffer.clear();
        m_keyer.CWRepeatActive = 0;
        m_cwRepeat.stop();
    }
    if (m_keyer.PhoneRepeatActive != 0) {
        m_keyer.PhoneRepeatActive = 0;
        m_voiceRepeat.stop();
    }
}

// --- Voice ---

void KeyerSession::setVoiceSettings(const WaveSettings& settings) { m_voice = settings; }

void KeyerSession::openPttPort()
{
    const auto port = readVoiceKeyerNumber(m_voice.serialPort);
    if (port && *port <= 0)
        return; // a port opened earlier stays open, its lines no longer driven
    bool opened = false;
    if (port && roundHalfEven(*port) <= 32767) {
        m_keyer.ports.claim(KeyingPortHolder::PttPort);
        closePttPort();
        opened = openWithLinesDown(*m_pttPort, *port);
    }
    if (!opened)
        Q_EMIT pttPortInvalid();
}

void KeyerSession::closePttPort()
{
    m_voiceKeyer.releaseSerialLines();
    m_pttPort->close();
}

void KeyerSession::releaseTransmitter()
{
    m_voiceWatch.stop();
    m_voiceRepeat.stop();
    m_voicePlayer->close();
    m_voiceKeyer.releaseAll();
    m_pttPort->close();
}

bool KeyerSession::stopVoiceMessage() { return m_voiceKeyer.stopMessage(); }

bool KeyerSession::soundOutputFound() const { return m_voicePlayer->outputFound(); }

void KeyerSession::probeSoundOutput() { m_voicePlayer->probeOutput(); }

// --- Spoken prompts ---

WaveProblem KeyerSession::playPrompt(const QString& path)
{
    // A new prompt cuts off the one still playing.
    m_promptPlayer->close();
    if (!m_promptPlayer->open(path) || !m_promptPlayer->play())
        return m_promptPlayer->problem();
    m_promptGiveUpAtMs = m_clock.monotonicMs() + m_promptPlayer->durationMs() + WavePlayer::EndMarginMs;
    return {};
}

WaveProblem KeyerSession::waitForPrompt()
{
    // The player learns that a prompt has ended from events, so they must run here; keys
    // and clicks are held back, as nothing may act before the prompt is over. Only the
    // session's own members are touched: whatever window asked may be gone on return.
    while (m_promptPlayer->mode() == WavePlayer::ModePlaying) {
        if (m_clock.monotonicMs() >= m_promptGiveUpAtMs) {
            m_promptPlayer->close();
            return givePromptProblem(
                {WaveProblem::Kind::Output, QStringLiteral("The sound output did not end the prompt in time.")});
        }
        ::letEventsRun(QEventLoop::ExcludeUserInputEvents);
        if (m_promptPlayer->mode() != WavePlayer::ModePlaying || EventWaits::endRequested())
            break;
        m_clock.sleepMs(10);
    }
    if (m_promptPlayer->problem().kind == WaveProblem::Kind::Output)
        return givePromptProblem(m_promptPlayer->problem());
    return {};
}

WaveProblem KeyerSession::givePromptProblem(const WaveProblem& problem)
{
    Q_EMIT promptProblem(problem);
    return problem;
}

void KeyerSession::closePrompt() { m_promptPlayer->close(); }

void KeyerSession::repeatVoice()
{
    m_voiceRepeat.stop();
    FKeyPhone(VoiceKeyer::RepeatKey);
}
