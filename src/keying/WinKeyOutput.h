#pragma once

// CW handed to the WinKey keyer device, which takes whole messages and times them itself.
// The output owns the device (made with its port on first use) and its commands: opening
// and closing it, feeding it the send buffer, reading its status. What the keyer device's
// window must show goes out as its signals.

#include "core/AppState.h"
#include "keying/KeyerOutput.h"
#include "platform/Clock.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class SerialPort;
class WinKeyDevice;

class WinKeyOutput final : public QObject, public KeyerOutput {
    Q_OBJECT
public:
    using SerialPortFactory = std::function<std::unique_ptr<SerialPort>()>;

    WinKeyOutput(KeyerState& keyer, SerialPortFactory makeSerialPort);
    // Closes the device; the keyer state no longer takes it for open.
    ~WinKeyOutput() override;

    // The device, made with its port on first use.
    WinKeyDevice& device();

    // How long a send waits on a device that keeps its buffer full, or that leaves its
    // status unanswered, before it gives the device up.
    struct FeedLimits {
        int unansweredMs = 3000;
        int fullMs = 30000;
    } feedLimits;

    // Opens the device on the port the keyer state names, taking the serial ports from the
    // other keyers first.
    void open();
    void close();
    // Hands the send buffer to the device; returns when the buffer is empty.
    void send();
    // Reads the device's status into the keyer state when it is open.
    void readStatus();
    // Drops what the device still holds to send, when it was ever made.
    void clearBuffer();

    bool keys() const override { return true; }
    bool takesWholeMessages() const override { return true; }
    // The first half of a send: opens the device when it is closed and checks that it
    // answers a status request within its time. False, with the buffer emptied and the
    // operator told (the device given up when it did not answer), when nothing can be sent.
    bool ready() override;
    // The second half: the buffer to the device, character by character.
    void transmit() override;
    void followSpeed(quint8 wordsPerMinute) override;
    bool stopSending() override;

Q_SIGNALS:
    // The device did not answer its opening on the port.
    void notConnected(quint8 port);
    // The opening's status code (WinKeyDevice's codes).
    void openStatus(int code);
    // The device was opened: the settings are to be sent to it now.
    void settingsWanted();
    // The opening is over; a version of 0 when no device answered.
    void opened(quint8 version);
    void closed();
    // A device that failed while sending was closed, the text still to send dropped.
    void givenUp(const QString& message);

private:
    // Waits, letting events run, while the device takes no character. False when the
    // sending is to end: the buffer was emptied, the device closed, stopped answering or
    // left its port.
    bool waitForRoom();
    // Closes a device that failed while sending and says so; why it failed, when not said,
    // is read from the device.
    void giveUp(const QString& why = {});

    KeyerState& m_keyer;
    SerialPortFactory m_makeSerialPort;
    SystemClock m_wireClock; // the device's waits are on the wire's own time
    std::unique_ptr<WinKeyDevice> m_device;
};
