#include "keying/WinKeyDevice.h"

#include "keying/WinKeyProtocol.h"
#include "platform/Clock.h"
#include "platform/SerialPort.h"

WinKeyDevice::WinKeyDevice(std::unique_ptr<SerialPort> port, Clock& clock, std::function<void(int)> wait)
    : m_port(std::move(port)), m_clock(clock), m_wait(std::move(wait))
{
    // The port closes itself when its device goes; portLost() then tells, and this says why.
    m_port->onFailed = [this](const QString& reason) { m_error = reason; };
}

WinKeyDevice::~WinKeyDevice()
{
    *m_alive = false;
    wk_close();
}

int WinKeyDevice::wk_open(quint8& version, quint8 port)
{
    if (m_state != State::Closed)
        return AlreadyOpen;
    m_state = State::Opening;
    m_error.clear();
    m_answers.clear();
    m_port->setComNumber(port);
    if (!m_port->setSettings(WinKey::LineSettings))
        return failOpen(SetComStFailed, QStringLiteral("COM%1 refuses 1200 baud, 8 data bits, 2 stop bits.").arg(port));
    // A keyer powered from the port takes its supply from DTR; RTS stays low.
    m_port->setDtr(true);
    m_port->setRts(false);
    QString why;
    if (!m_port->open(&why))
        return failOpen(ComOpenFailed, why);
    // The waits let events run: the device may be closed or destroyed meanwhile.
    const std::shared_ptr<bool> alive = m_alive;
    if (!pause(timing.settleMs))
        return NotOpen;
    m_port->readAll(); // whatever the keyer said before it was asked
    send(WinKey::resynchronise() + WinKey::echoTest(WinKey::EchoProbe));
    const auto echo = awaitAnswer();
    if (!*alive || m_state != State::Opening)
        return NotOpen;
    if (!echo)
        return failOpen(NoEchoResponse, QStringLiteral("No keyer answers on COM%1.").arg(port));
    if (*echo != WinKey::EchoProbe)
        return failOpen(EchoMismatch, QStringLiteral("The device on COM%1 answered the echo test wrongly.").arg(port));
    send(WinKey::hostOpen());
    const auto answer = awaitAnswer();
    if (!*alive || m_state != State::Opening)
        return NotOpen;
    if (!answer || *answer == 0)
        return failOpen(NoOpenResponse, QStringLiteral("The keyer on COM%1 gave no version.").arg(port));
    version = *answer;
    m_status = 0xC0;
    m_requestedAt.reset();
    m_handedOver = false;
    m_writeRefused = false;
    m_state = State::Open;
    return Success;
}

int WinKeyDevice::failOpen(int code, const QString& why)
{
    m_error = why;
    m_port->setDtr(false);
    m_port->close();
    m_state = State::Closed;
    return code;
}

int WinKeyDevice::wk_close()
{
    const bool wasOpen = m_state == State::Open;
    if (m_state == State::Closed)
        return NotOpen;
    if (wasOpen)
        m_port->write(WinKey::hostClose());
    m_port->setDtr(false);
    m_port->close();
    m_state = State::Closed;
    m_requestedAt.reset();
    return Success;
}

int WinKeyDevice::send(const QByteArray& bytes)
{
    if (m_state == State::Closed)
        return NotOpen;
    if (!m_port->write(bytes)) {
        m_error = QStringLiteral("COM%1 refused the bytes for the keyer.").arg(m_port->comNumber());
        m_writeRefused = m_state == State::Open;
        return NotOpen;
    }
    return Success;
}

int WinKeyDevice::wk_char(quint8 code)
{
    const auto bytes = WinKey::character(code);
    if (!isOpen())
        return NotOpen;
    if (!bytes)
        return Success; // a command code is no character: nothing goes out
    const int result = send(*bytes);
    if (result == Success) {
        m_handedOver = true;
        m_requestCoversHandover = false;
    }
    return result;
}

qint32 WinKeyDevice::wk_getstatus()
{
    if (!isOpen())
        return NotOpen;
    takeReplies();
    requestStatus();
    const qint32 state = WinKey::feedState(m_status);
    // A character handed over counts as text to send until the keyer has told its state
    // after taking it.
    return state == WinKey::Idle && m_handedOver ? WinKey::Sending : state;
}

bool WinKeyDevice::requestStatus()
{
    if (m_requestedAt)
        return true;
    if (send(WinKey::statusRequest()) != Success)
        return false;
    m_requestedAt = m_clock.monotonicMs();
    m_requestCoversHandover = m_handedOver;
    return true;
}

qint64 WinKeyDevice::unansweredMs() const
{
    return m_requestedAt ? m_clock.monotonicMs() - *m_requestedAt : 0;
}

bool WinKeyDevice::portLost() const
{
    return m_state == State::Open && (m_writeRefused || !m_port->isOpen());
}

bool WinKeyDevice::answersStatus(int withinMs)
{
    if (!isOpen())
        return false;
    takeReplies();
    if (!requestStatus())
        return false;
    const std::shared_ptr<bool> alive = m_alive;
    while (m_requestedAt) {
        if (unansweredMs() > withinMs || portLost())
            return false;
        m_wait(timing.pollMs);
        if (!*alive || !isOpen())
            return false;
        takeReplies();
    }
    return true;
}

void WinKeyDevice::takeReplies()
{
    for (const char c : m_port->readAll()) {
        const auto byte = quint8(c);
        switch (WinKey::replyKind(byte)) {
        case WinKey::ReplyKind::Status:
            m_status = byte;
            m_requestedAt.reset();
            if (m_requestCoversHandover || WinKey::feedState(byte) != WinKey::Idle) {
                m_handedOver = false;
                m_requestCoversHandover = false;
            }
            break;
        case WinKey::ReplyKind::SpeedPot: break;
        case WinKey::ReplyKind::Other: m_answers += c; break;
        }
    }
}

int WinKeyDevice::wk_clearbuf()
{
    const int result = isOpen() ? send(WinKey::clearBuffer()) : NotOpen;
    if (result == Success)
        m_handedOver = false;
    return result;
}

int WinKeyDevice::wk_backspace() { return isOpen() ? send(WinKey::backspace()) : NotOpen; }
int WinKeyDevice::wk_wpm(quint8 wordsPerMinute) { return isOpen() ? send(WinKey::speed(wordsPerMinute)) : NotOpen; }
int WinKeyDevice::wk_weight(quint8 weight) { return isOpen() ? send(WinKey::weight(weight)) : NotOpen; }

int WinKeyDevice::wk_ptt_leadtail(quint8 leadIn, quint8 tail)
{
    return isOpen() ? send(WinKey::pttLeadTail(leadIn, tail)) : NotOpen;
}

int WinKeyDevice::wk_ditdah_ratio(quint8 ratio) { return isOpen() ? send(WinKey::ditDahRatio(ratio)) : NotOpen; }
int WinKeyDevice::wk_pincfg(quint8 config) { return isOpen() ? send(WinKey::pinConfig(config)) : NotOpen; }
int WinKeyDevice::wk_setmode(quint8 mode) { return isOpen() ? send(WinKey::mode(mode)) : NotOpen; }

bool WinKeyDevice::pause(int ms)
{
    const std::shared_ptr<bool> alive = m_alive;
    const qint64 until = m_clock.monotonicMs() + ms;
    while (m_clock.monotonicMs() < until) {
        m_wait(timing.pollMs);
        if (!*alive || m_state != State::Opening)
            return false;
    }
    return true;
}

std::optional<quint8> WinKeyDevice::awaitAnswer()
{
    const std::shared_ptr<bool> alive = m_alive;
    const qint64 until = m_clock.monotonicMs() + timing.answerMs;
    for (;;) {
        takeReplies();
        if (!m_answers.isEmpty()) {
            const auto answer = quint8(m_answers.front());
            m_answers.remove(0, 1);
            return answer;
        }
        if (m_clock.monotonicMs() >= until)
            return std::nullopt;
        m_wait(timing.pollMs);
        if (!*alive || m_state != State::Opening)
            return std::nullopt;
    }
}
