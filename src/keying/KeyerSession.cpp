#include "keying/KeyerSession.h"

#include "core/NumberFormat.h"
#include "core/Tables.h"
#include "keying/Morse.h"
#include "keying/WinKeyDevice.h"
#include "keying/WinKeyProtocol.h"
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

// RTS or DTR of the CW keying port.
class KeyerSession::SerialLineOutput final : public KeyerOutput {
public:
    SerialLineOutput(KeyerSession& session, ModemLine line) : m_session(session), m_modemLine(line) {}

    bool keys() const override { return true; }
    KeyingTarget keyingLine() override
    {
        using State = KeyingTarget::State;
        SerialPort& port = *m_session.m_cwPort;
        if (!port.isOpen() && !m_session.openCwPort())
            return {State::Failed};
        if (!port.isOpen())
            return {State::NoLine}; // port "0"
        m_line = std::make_unique<SerialKeyingLine>(port, m_modemLine);
        return {State::Ready, m_line.get()};
    }
    void keyingFailed() override { m_session.keyingFailed(); }

private:
    KeyerSession& m_session;
    ModemLine m_modemLine;
    std::unique_ptr<KeyingLine> m_line;
};

// The control register of the parallel port at the address the settings give.
class KeyerSession::ParallelLineOutput final : public KeyerOutput {
public:
    explicit ParallelLineOutput(KeyerSession& session) : m_session(session) {}

    bool keys() const override { return true; }
    KeyingTarget keyingLine() override
    {
        if (const auto base = parseBaseAddress(m_session.m_cw.parallelAddress)) {
            m_line = std::make_unique<ParallelKeyingLine>(m_session.m_parallel, *base);
            return {KeyingTarget::State::Ready, m_line.get()};
        }
        return {KeyingTarget::State::Refused};
    }
    void keyingFailed() override { m_session.keyingFailed(); }
    void release() override
    {
        if (const auto base = parseBaseAddress(m_session.m_cw.parallelAddress))
            ParallelKeyingLine(m_session.m_parallel, *base).setKeyed(false);
    }

private:
    KeyerSession& m_session;
    std::unique_ptr<KeyingLine> m_line;
};

// The WinKey device.
class KeyerSession::WinKeyOutput final : public KeyerOutput {
public:
    explicit WinKeyOutput(KeyerSession& session) : m_session(session) {}

    bool keys() const override { return true; }
    bool takesWholeMessages() const override { return true; }
    bool ready() override { return m_session.prepareWinKeySend(); }
    void transmit() override { m_session.feedWinKey(); }
    void followSpeed(quint8 wordsPerMinute) override
    {
        if (m_session.m_keyer.WinKeyOpen != 0)
            m_session.winKey().wk_wpm(wordsPerMinute);
    }
    bool stopSending() override
    {
        KeyerState& keyer = m_session.m_keyer;
        if (keyer.WinKeyOpen == 0)
            return false;
        keyer.WinKeyStatus = m_session.winKey().wk_getstatus();
        if (keyer.WinKeyStatus <= 0)
            return false;
        m_session.winKey().wk_clearbuf();
        keyer.CWBuffer.clear();
        return true;
    }

private:
    KeyerSession& m_session;
};

KeyerSession::KeyerSession(KeyerState& keyer, const ReferenceTables& tables, Clock& clock, ParallelPort& parallel,
                           const SerialPortFactory& makeSerialPort, const WavePlayerFactory& makeWavePlayer)
    : m_keyer(keyer),
      m_tables(tables),
      m_clock(clock),
      m_parallel(parallel),
      m_cwSide(std::make_unique<CwSide>(*this)),
      m_voiceSide(std::make_unique<VoiceSide>(*this)),
      m_cwPort(makeSerialPort()),
      m_cwKeyer(keyer, clock, *m_cwSide),
      m_makeSerialPort(makeSerialPort),
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
            closeWinKey();
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
    if (m_winKey)
        m_winKey->wk_close();
    // The device is closed now: later CW must not take it for open.
    m_keyer.WinKeyOpen = 0;
    m_keyer.WinKeyStatus = 0;
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
    if (m_winKey)
        m_winKey->wk_clearbuf();
    closeWinKey();
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
    std::unique_ptr<KeyerOutput>& made = m_outputs[m_keyer.CWKeyingInterface];
    if (!made)
        made = makeOutput(m_keyer.CWKeyingInterface);
    return *made;
}

std::unique_ptr<KeyerOutput> KeyerSession::makeOutput(KeyingInterface keying)
{
    switch (keying) {
    case KeyingInterface::Rts: return std::make_unique<SerialLineOutput>(*this, ModemLine::Rts);
    case KeyingInterface::Dtr: return std::make_unique<SerialLineOutput>(*this, ModemLine::Dtr);
    case KeyingInterface::Printer: return std::make_unique<ParallelLineOutput>(*this);
    case KeyingInterface::WinKey: return std::make_unique<WinKeyOutput>(*this);
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
            winKey().wk_clearbuf();
        m_keyer.CWBuffer.clear();
        m_keyer.CWRepeatActive = 0;
        m_cwRepeat.stop();
    }
    if (m_keyer.PhoneRepeatActive != 0) {
        m_keyer.PhoneRepeatActive = 0;
        m_voiceRepeat.stop();
    }
}

// --- WinKey ---

WinKeyDevice& KeyerSession::winKey()
{
    if (!m_winKey)
        m_winKey = std::make_unique<WinKeyDevice>(m_makeSerialPort(), m_wireClock, [](int ms) { letEventsRunFor(ms); });
    return *m_winKey;
}

void KeyerSession::openWinKey()
{
    // The keying ports and the device are never held at once.
    m_keyer.ports.claim(KeyingPortHolder::WinKey);
    const quint8 port = m_keyer.WinKeyComPort;
    quint8 version = 0;
    const int code = winKey().wk_open(version, port);
    if (code != WinKeyDevice::AlreadyOpen && version == 0)
        Q_EMIT winKeyNotConnected(port);
    Q_EMIT winKeyOpenStatus(code);
    if (code == WinKeyDevice::AlreadyOpen)
        return;
    Q_EMIT winKeySettingsWanted();
    if (version != 0)
        m_keyer.WinKeyOpen = version;
    Q_EMIT winKeyOpened(version);
}

void KeyerSession::closeWinKey()
{
    if (m_winKey)
        m_winKey->wk_close();
    m_keyer.WinKeyOpen = 0;
    m_keyer.WinKeyStatus = 0;
    Q_EMIT winKeyClosed();
}

void KeyerSession::transmitWinKey()
{
    if (prepareWinKeySend())
        feedWinKey();
}

bool KeyerSession::prepareWinKeySend()
{
    KeyerState& keyer = m_keyer;
    if (keyer.WinKeyOpen == 0)
        openWinKey();
    if (keyer.WinKeyOpen == 0) {
        keyer.CWBuffer.clear(); // no device: the text is dropped
        return false;
    }
    // A keyer that went quiet while idle is found here, before anything counts as sent.
    if (!winKey().answersStatus(winKeyFeedLimits.unansweredMs)) {
        giveUpWinKey();
        return false;
    }
    return true;
}

void KeyerSession::feedWinKey()
{
    KeyerState& keyer = m_keyer;
    while (!keyer.CWBuffer.isEmpty()) {
        if (!waitForWinKeyRoom() || keyer.CWBuffer.isEmpty())
            break;
        const char16_t c = keyer.CWBuffer.front().unicode();
        // "!" marks where the contact is logged, which happened before the send: it is no
        // Morse. Characters beyond one byte have no code on the device.
        if (c != u'!' && c > 0 && c <= 0xFF)
            winKey().wk_char(quint8(c));
        keyer.CWBuffer.remove(0, 1);
        letEventsRunFor(10);
        // The way out has emptied the device's buffer too.
        if (EventWaits::endRequested())
            keyer.CWBuffer.clear();
    }
}

bool KeyerSession::waitForWinKeyRoom()
{
    KeyerState& keyer = m_keyer;
    const qint64 since = m_wireClock.monotonicMs();
    for (;;) {
        if (keyer.WinKeyOpen == 0 || !winKey().isOpen())
            return false;
        keyer.WinKeyStatus = winKey().wk_getstatus();
        // Whether or not it has room: a keyer that stopped answering, or left its port, is
        // given up.
        if (winKey().unansweredMs() > winKeyFeedLimits.unansweredMs || winKey().portLost()) {
            giveUpWinKey();
            return false;
        }
        if (keyer.WinKeyStatus < WinKey::BufferFull)
            return true;
        if (m_wireClock.monotonicMs() - since > winKeyFeedLimits.fullMs) {
            giveUpWinKey(QStringLiteral("has kept its buffer full for %1 seconds").arg(winKeyFeedLimits.fullMs / 1000));
            return false;
        }
        letEventsRunFor(10);
        if (keyer.CWBuffer.isEmpty() || EventWaits::endRequested())
            return false;
    }
}

void KeyerSession::giveUpWinKey(const QString& why)
{
    const quint8 port = m_keyer.WinKeyComPort;
    const QString reason = !why.isEmpty()          ? why
                           : winKey().portLost() ? QStringLiteral("is no longer on its port (%1)").arg(winKey().lastError())
                                                  : QStringLiteral("does not answer");
    winKey().wk_clearbuf();
    m_keyer.CWBuffer.clear();
    closeWinKey();
    Q_EMIT winKeyGivenUp(
        QStringLiteral("The WinKey device on com port %1 %2; it was closed and the text still to send was dropped.")
            .arg(port)
            .arg(reason));
}

void KeyerSession::readWinKeyStatus()
{
    if (m_keyer.WinKeyOpen != 0)
        m_keyer.WinKeyStatus = winKey().wk_getstatus();
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

bool KeyerSession::playPrompt(const QString& path)
{
    // A new prompt cuts off the one still playing.
    m_promptPlayer->close();
    if (!m_promptPlayer->open(path) || !m_promptPlayer->play())
        return false;
    m_promptGiveUpAtMs = m_clock.monotonicMs() + m_promptPlayer->durationMs() + WavePlayer::EndMarginMs;
    return true;
}

WaveProblem KeyerSession::waitForPrompt()
{
    // The player learns that a prompt has ended from events, so they must run here; keys
    // and clicks are held back, as nothing may act before the prompt is over. Only the
    // session's own members are touched: whatever window asked may be gone on return.
    while (m_promptPlayer->mode() == WavePlayer::ModePlaying) {
        if (m_clock.monotonicMs() >= m_promptGiveUpAtMs) {
            m_promptPlayer->close();
            return {WaveProblem::Kind::Output, QStringLiteral("The sound output did not end the prompt in time.")};
        }
        ::letEventsRun(QEventLoop::ExcludeUserInputEvents);
        if (m_promptPlayer->mode() != WavePlayer::ModePlaying || EventWaits::endRequested())
            break;
        m_clock.sleepMs(10);
    }
    if (m_promptPlayer->problem().kind == WaveProblem::Kind::Output)
        return m_promptPlayer->problem();
    return {};
}

void KeyerSession::closePrompt() { m_promptPlayer->close(); }

void KeyerSession::repeatVoice()
{
    m_voiceRepeat.stop();
    FKeyPhone(VoiceKeyer::RepeatKey);
}
