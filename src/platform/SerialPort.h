#pragma once

// A serial port as the settings windows see one: a COM number, line settings, the DTR and
// RTS lines, bytes out and in, and how many bytes still wait to go out. A port whose device
// fails while open (a USB adapter pulled, the line hung up, an I/O error) closes itself,
// drops what was still to go out and tells its owner once through onFailed. A line that
// cannot take more for now (the far end holding it with XOFF or CTS) is no failure: what
// was written waits in the output and goes as the line lets it.

#include <QByteArray>
#include <QSerialPort>
#include <QString>
#include <QTimer>
#include <functional>
#include <optional>

class Environment;
class UserSettings;

// Baud, parity, data bits and stop bits, written "9600,N,8,1".
struct SerialSettings {
    qint32 baud = 9600;
    char parity = 'N'; // 'N', 'E', 'O', 'M' or 'S'
    int dataBits = 8;  // 5 to 8
    int stopBits = 1;  // 1 or 2

    bool operator==(const SerialSettings&) const = default;
};

// Reads "4800,N,8,2" (parity in either case, blanks allowed); nothing when a part is
// missing or out of range.
std::optional<SerialSettings> parseSerialSettings(const QString& text);

enum class Handshaking { None, XonXoff, RtsCts, RtsCtsAndXonXoff };

class SerialPort {
public:
    virtual ~SerialPort() = default;

    // The port the next open() takes: COM1 is 1.
    virtual void setComNumber(int com) = 0;
    virtual int comNumber() const = 0;
    // Taken by the next open(), and at once when the port is open; false when the open
    // port refuses them.
    virtual bool setSettings(const SerialSettings& settings) = 0;
    virtual bool setHandshaking(Handshaking handshaking) = 0;
    // Raise (true) or drop (false) a line. Set before open(), the state holds from the
    // opening on; false when the open port could not set it.
    virtual bool setDtr(bool on) = 0;
    virtual bool setRts(bool on) = 0;

    // False, with the reason in *error, when the port is missing, busy or refuses the
    // settings.
    virtual bool open(QString* error = nullptr) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // Queues the bytes for sending; false when the port is closed or refuses them. Bytes
    // the line cannot take yet stay queued (outputQueued) and go when it can.
    virtual bool write(const QByteArray& bytes) = 0;
    // Every byte received and not yet taken.
    virtual QByteArray readAll() = 0;
    // Bytes written and not yet sent.
    virtual qint64 outputQueued() const = 0;

    // The open port's device failed; the port is already closed when this is called, so the
    // owner may reopen it. The reason names the port and what went wrong.
    std::function<void(const QString& reason)> onFailed;
    // Bytes have come in and wait for readAll(); told from the event loop, after they came.
    std::function<void()> onReadyRead;
};

// The device of COM port n: the environment variable BREVANT_COM<n>, else the per-user
// setting Ports/COM<n>, else /dev/ttyS<n-1>.
QString comPortDevice(int com, const Environment& environment, const UserSettings& settings);

// QSerialPort on the device that a COM number stands for.
class QtSerialPort final : public SerialPort {
public:
    explicit QtSerialPort(std::function<QString(int)> deviceForCom);
    ~QtSerialPort() override;

    void setComNumber(int com) override { m_com = com; }
    int comNumber() const override { return m_com; }
    bool setSettings(const SerialSettings& settings) override;
    bool setHandshaking(Handshaking handshaking) override;
    bool setDtr(bool on) override;
    bool setRts(bool on) override;
    bool open(QString* error = nullptr) override;
    void close() override;
    bool isOpen() const override { return m_port.isOpen() && !m_failing; }
    bool write(const QByteArray& bytes) override;
    QByteArray readAll() override;
    qint64 outputQueued() const override;

private:
    bool applySettings();
    bool applyLines();
    void portError(QSerialPort::SerialPortError error);
    bool lineHungUp() const;
    void retryHeldOutput();

    std::function<QString(int)> m_deviceForCom;
    QSerialPort m_port;
    int m_com = 1;
    QString m_device; // what the COM number stood for at the last opening
    SerialSettings m_settings;
    Handshaking m_handshaking = Handshaking::None;
    bool m_dtr = false;
    bool m_rts = false;
    // Set at a failure until the port has been closed for it, a turn of the event loop later.
    bool m_failing = false;
    quint64 m_openings = 0;
    // Output the line held back is offered to it again this often until it has gone.
    QTimer m_heldOutput;
};
