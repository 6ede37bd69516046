#include "keying/WinKeyOutput.h"

#include "keying/WinKeyDevice.h"
#include "keying/WinKeyProtocol.h"
#include "platform/EventWait.h"
#include "platform/SerialPort.h"

WinKeyOutput::WinKeyOutput(KeyerState& keyer, SerialPortFactory makeSerialPort)
    : m_keyer(keyer), m_makeSerialPort(std::move(makeSerialPort))
{
}

WinKeyOutput::~WinKeyOutput()
{
    if (m_device)
        m_device->wk_close();
    // The device is closed now: later CW must not take it for open.
    m_keyer.WinKeyOpen = 0;
    m_keyer.WinKeyStatus = 0;
}

WinKeyDevice& WinKeyOutput::device()
{
    if (!m_device)
        m_device = std::make_unique<WinKeyDevice>(m_makeSerialPort(), m_wireClock, [](int ms) { letEventsRunFor(ms); });
    return *m_device;
}

void WinKeyOutput::open()
{
    // The keying ports and the device are never held at once.
    m_keyer.ports.claim(KeyingPortHolder::WinKey);
    const quint8 port = m_keyer.WinKeyComPort;
    quint8 version = 0;
    const int code = device().wk_open(version, port);
    if (code != WinKeyDevice::AlreadyOpen && version == 0)
        Q_EMIT notConnected(port);
    Q_EMIT openStatus(code);
    if (code == WinKeyDevice::AlreadyOpen)
        return;
    Q_EMIT settingsWanted();
    if (version != 0)
        m_keyer.WinKeyOpen = version;
    Q_EMIT opened(version);
}

void WinKeyOutput::close()
{
    if (m_device)
        m_device->wk_close();
    m_keyer.WinKeyOpen = 0;
    m_keyer.WinKeyStatus = 0;
    Q_EMIT closed();
}

void WinKeyOutput::send()
{
    if (ready())
        transmit();
}

void WinKeyOutput::readStatus()
{
    if (m_keyer.WinKeyOpen != 0)
        m_keyer.WinKeyStatus = device().wk_getstatus();
}

void WinKeyOutput::clearBuffer()
{
    if (m_device)
        m_device->wk_clearbuf();
}

bool WinKeyOutput::ready()
{
    KeyerState& keyer = m_keyer;
    if (keyer.WinKeyOpen == 0)
        open();
    if (keyer.WinKeyOpen == 0) {
        keyer.CWBuffer.clear(); // no device: the text is dropped
        return false;
    }
    // A keyer that went quiet while idle is found here, before anything counts as sent.
    if (!device().answersStatus(feedLimits.unansweredMs)) {
        giveUp();
        return false;
    }
    return true;
}

void WinKeyOutput::transmit()
{
    KeyerState& keyer = m_keyer;
    while (!keyer.CWBuffer.isEmpty()) {
        if (!waitForRoom() || keyer.CWBuffer.isEmpty())
            break;
        const char16_t c = keyer.CWBuffer.front().unicode();
        // "!" marks where the contact is logged, which happened before the send: it is no
        // Morse. Characters beyond one byte have no code on the device.
        if (c != u'!' && c > 0 && c <= 0xFF)
            device().wk_char(quint8(c));
        keyer.CWBuffer.remove(0, 1);
        letEventsRunFor(10);
        // The way out has emptied the device's buffer too.
        if (EventWaits::endRequested())
            keyer.CWBuffer.clear();
    }
}

void WinKeyOutput::followSpeed(quint8 wordsPerMinute)
{
    if (m_keyer.WinKeyOpen != 0)
        device().wk_wpm(wordsPerMinute);
}

bool WinKeyOutput::stopSending()
{
    KeyerState& keyer = m_keyer;
    if (keyer.WinKeyOpen == 0)
        return false;
    keyer.WinKeyStatus = device().wk_getstatus();
    if (keyer.WinKeyStatus <= 0)
        return false;
    device().wk_clearbuf();
    keyer.CWBuffer.clear();
    return true;
}

bool WinKeyOutput::waitForRoom()
{
    KeyerState& keyer = m_keyer;
    const qint64 since = m_wireClock.monotonicMs();
    for (;;) {
        if (keyer.WinKeyOpen == 0 || !device().isOpen())
            return false;
        keyer.WinKeyStatus = device().wk_getstatus();
        // Whether or not it has room: a keyer that stopped answering, or left its port, is
        // given up.
        if (device().unansweredMs() > feedLimits.unansweredMs || device().portLost()) {
            giveUp();
            return false;
        }
        if (keyer.WinKeyStatus < WinKey::BufferFull)
            return true;
        if (m_wireClock.monotonicMs() - since > feedLimits.fullMs) {
            giveUp(QStringLiteral("has kept its buffer full for %1 seconds").arg(feedLimits.fullMs / 1000));
            return false;
        }
        letEventsRunFor(10);
        if (keyer.CWBuffer.isEmpty() || EventWaits::endRequested())
            return false;
    }
}

void WinKeyOutput::giveUp(const QString& why)
{
    const quint8 port = m_keyer.WinKeyComPort;
    const QString reason = !why.isEmpty()          ? why
                           : device().portLost() ? QStringLiteral("is no longer on its port (%1)").arg(device().lastError())
                                                 : QStringLiteral("does not answer");
    device().wk_clearbuf();
    m_keyer.CWBuffer.clear();
    close();
    Q_EMIT givenUp(
        QStringLiteral("The WinKey device on com port %1 %2; it was closed and the text still to send was dropped.")
            .arg(port)
            .arg(reason));
}
