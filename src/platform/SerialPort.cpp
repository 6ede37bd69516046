#include "platform/SerialPort.h"

#include "platform/Environment.h"
#include "platform/UserSettings.h"

#include <QStringList>
#include <cerrno>
#include <poll.h>
#include <sys/ioctl.h>

std::optional<SerialSettings> parseSerialSettings(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return std::nullopt;
    SerialSettings s;
    bool baudOk = false;
    bool dataOk = false;
    bool stopOk = false;
    s.baud = parts[0].trimmed().toInt(&baudOk);
    const QString parity = parts[1].trimmed().toUpper();
    s.dataBits = parts[2].trimmed().toInt(&dataOk);
    s.stopBits = parts[3].trimmed().toInt(&stopOk);
    if (!baudOk || s.baud <= 0 || parity.size() != 1 || !QStringLiteral("NEOMS").contains(parity)
        || !dataOk || s.dataBits < 5 || s.dataBits > 8 || !stopOk || (s.stopBits != 1 && s.stopBits != 2))
        return std::nullopt;
    s.parity = parity[0].toLatin1();
    return s;
}

QString comPortDevice(int com, const Environment& environment, const UserSettings& settings)
{
    const QByteArray variable = "BREVANT_COM" + QByteArray::number(com);
    QString device = environment.variable(variable.constData());
    if (device.isEmpty())
        device = settings.portDevice(com);
    if (device.isEmpty())
        device = QStringLiteral("/dev/ttyS%1").arg(com - 1);
    return device;
}

namespace {

QSerialPort::Parity qtParity(char parity)
{
    switch (parity) {
    case 'E': return QSerialPort::EvenParity;
    case 'O': return QSerialPort::OddParity;
    case 'M': return QSerialPort::MarkParity;
    case 'S': return QSerialPort::SpaceParity;
    default: return QSerialPort::NoParity;
    }
}

bool usesRtsCts(Handshaking h) { return h == Handshaking::RtsCts || h == Handshaking::RtsCtsAndXonXoff; }

QSerialPort::FlowControl qtFlowControl(Handshaking h)
{
    switch (h) {
    case Handshaking::XonXoff: return QSerialPort::SoftwareControl;
    // Qt has no mode with both; the lines matter more than the characters.
    case Handshaking::RtsCts:
    case Handshaking::RtsCtsAndXonXoff: return QSerialPort::HardwareControl;
    default: return QSerialPort::NoFlowControl;
    }
}

// A device without modem lines (a pseudo-terminal) has nothing to key: not a failure.
bool lineSet(QSerialPort& port, bool ok)
{
    if (ok || port.error() != QSerialPort::UnsupportedOperationError)
        return ok;
    port.clearError();
    return true;
}

} // namespace

QtSerialPort::QtSerialPort(std::function<QString(int)> deviceForCom) : m_deviceForCom(std::move(deviceForCom))
{
    QObject::connect(&m_port, &QSerialPort::errorOccurred, &m_port,
                     [this](QSerialPort::SerialPortError error) { portError(error); });
    QObject::connect(&m_port, &QSerialPort::readyRead, &m_port, [this] {
        if (onReadyRead && isOpen())
            onReadyRead();
    });
    m_heldOutput.setInterval(10);
    QObject::connect(&m_heldOutput, &QTimer::timeout, &m_port, [this] { retryHeldOutput(); });
}

QtSerialPort::~QtSerialPort() { close(); }

bool QtSerialPort::setSettings(const SerialSettings& settings)
{
    m_settings = settings;
    return !isOpen() || applySettings();
}

bool QtSerialPort::setHandshaking(Handshaking handshaking)
{
    m_handshaking = handshaking;
    return !isOpen() || m_port.setFlowControl(qtFlowControl(handshaking));
}

bool QtSerialPort::setDtr(bool on)
{
    m_dtr = on;
    return !isOpen() || lineSet(m_port, m_port.setDataTerminalReady(on));
}

bool QtSerialPort::setRts(bool on)
{
    m_rts = on;
    // Under RTS/CTS handshaking the driver holds RTS itself.
    if (!isOpen() || usesRtsCts(m_handshaking))
        return true;
    return lineSet(m_port, m_port.setRequestToSend(on));
}

bool QtSerialPort::applySettings()
{
    return m_port.setBaudRate(m_settings.baud) && m_port.setParity(qtParity(m_settings.parity))
           && m_port.setDataBits(QSerialPort::DataBits(m_settings.dataBits))
           && m_port.setStopBits(m_settings.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop)
           && m_port.setFlowControl(qtFlowControl(m_handshaking));
}

bool QtSerialPort::applyLines()
{
    if (!lineSet(m_port, m_port.setDataTerminalReady(m_dtr)))
        return false;
    return usesRtsCts(m_handshaking) || lineSet(m_port, m_port.setRequestToSend(m_rts));
}

bool QtSerialPort::open(QString* error)
{
    close();
    ++m_openings;
    m_device = m_deviceForCom(m_com);
    m_port.setPortName(m_device);
    // Opening raises DTR and RTS on Linux, which would key a transmitter: they take the
    // states asked for at once.
    if (!m_port.open(QIODevice::ReadWrite) || !applyLines() || !applySettings()) {
        if (error)
            *error = QStringLiteral("Cannot open COM%1 (%2): %3").arg(m_com).arg(m_device, m_port.errorString());
        close();
        return false;
    }
    return true;
}

void QtSerialPort::close()
{
    m_heldOutput.stop();
    if (m_port.isOpen())
        m_port.close(); // what Qt still held to send goes with it
    m_port.clearError();
    m_failing = false;
}

// Qt keeps a failed device's notifiers armed: a hung-up line wakes the read notifier, and a
// write that failed stays queued and wakes the write notifier, each time failing again, for
// as long as the port is open. So a failure closes the port. Qt is inside the notifier when
// it reports, so the close comes from the event loop, and only once for the failure.
void QtSerialPort::portError(QSerialPort::SerialPortError error)
{
    const int systemError = errno; // the write's own, still: Qt reports it at once
    // A write the line would not take now (the far end holds it with XOFF, or CTS is low
    // under hardware handshaking): the bytes stay queued and are offered again until the
    // line takes them. Only a hang-up, a removed device or an I/O error fails the port.
    const bool writing = error == QSerialPort::WriteError || error == QSerialPort::ResourceError;
    if (writing && (systemError == EAGAIN || systemError == EWOULDBLOCK)) {
        m_port.clearError();
        if (m_port.isOpen())
            m_heldOutput.start();
        return;
    }
    // A read error on a line that is still up is a read that found nothing: no failure.
    const bool failed = error == QSerialPort::ResourceError || error == QSerialPort::WriteError
                        || (error == QSerialPort::ReadError && lineHungUp());
    if (!failed || m_failing || !m_port.isOpen())
        return;
    m_failing = true;
    // A read that ends the line leaves no error of its own, only a stale errno's text.
    const QString why = error == QSerialPort::ReadError ? QStringLiteral("the line hung up") : m_port.errorString();
    const QString reason = QStringLiteral("COM%1 (%2) failed: %3").arg(m_com).arg(m_device, why);
    QMetaObject::invokeMethod(
        &m_port,
        [this, reason, opening = m_openings] {
            // The owner closed or reopened the port since: nothing of this failure is left.
            if (!m_failing || opening != m_openings)
                return;
            close();
            if (onFailed)
                onFailed(reason);
        },
        Qt::QueuedConnection);
}

void QtSerialPort::retryHeldOutput()
{
    if (!isOpen() || m_port.bytesToWrite() == 0) {
        m_heldOutput.stop();
        return;
    }
    m_port.flush();
}

bool QtSerialPort::lineHungUp() const
{
    pollfd line{int(m_port.handle()), POLLIN, 0};
    return ::poll(&line, 1, 0) > 0 && (line.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

bool QtSerialPort::write(const QByteArray& bytes)
{
    if (!isOpen() || m_port.write(bytes) != bytes.size())
        return false;
    // Hand the bytes to the driver now, as the port's own queue would take them.
    m_port.flush();
    return !m_failing;
}

QByteArray QtSerialPort::readAll()
{
    if (!isOpen())
        return {};
    m_port.waitForReadyRead(0); // takes what the driver holds without waiting for events
    return m_port.readAll();
}

qint64 QtSerialPort::outputQueued() const
{
    if (!isOpen())
        return 0;
    int inDriver = 0;
    if (::ioctl(m_port.handle(), TIOCOUTQ, &inDriver) != 0)
        inDriver = 0;
    return m_port.bytesToWrite() + inDriver;
}
