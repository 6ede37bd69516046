#pragma once

// Doubles of the device seams: a serial port, the parallel port, a keying line and a TCP
// link. Each records what the program did to it, with the time of every line change and
// register write, and lets the test play the far side.

#include "platform/KeyingLine.h"
#include "platform/ParallelPort.h"
#include "platform/SerialPort.h"
#include "platform/TcpLink.h"
#include "support/Listed.h"

#include <chrono>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

// The time of the records, in nanoseconds; the steady clock unless a test sets another.
using DeviceClock = std::function<qint64()>;

inline qint64 steadyNanoseconds()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// A serial port with nothing behind it: it opens unless told to fail, records the lines
// and the bytes, and hands out what the test queued as received.
class FakeSerialPort final : public SerialPort, public Listed<FakeSerialPort> {
public:
    struct LineChange {
        ModemLine line;
        bool on;
        bool open; // whether the port was open at the change
        qint64 atNs;
    };

    // The lines and the port as they stood last, shared so that a test can still look at
    // them once the window that owned the port has deleted it.
    struct Lines {
        bool dtr = false;
        bool rts = false;
        bool open = false;
        QByteArray written;
    };

    DeviceClock now = steadyNanoseconds;
    bool refuseOpen = false;
    int opens = 0;
    SerialSettings settings;
    Handshaking handshaking = Handshaking::None;
    bool dtr = false;
    bool rts = false;
    std::vector<LineChange> lineChanges;
    QByteArray written;
    QByteArray received; // what the far side sent and the program has not taken
    qint64 queued = 0;   // what outputQueued() reports
    std::shared_ptr<Lines> lines = std::make_shared<Lines>();

    void setComNumber(int com) override { m_com = com; }
    int comNumber() const override { return m_com; }
    bool setSettings(const SerialSettings& s) override
    {
        settings = s;
        return true;
    }
    bool setHandshaking(Handshaking h) override
    {
        handshaking = h;
        return true;
    }
    bool setDtr(bool on) override { return setLine(ModemLine::Dtr, on); }
    bool setRts(bool on) override { return setLine(ModemLine::Rts, on); }
    bool open(QString* error = nullptr) override
    {
        if (refuseOpen) {
            if (error)
                *error = QStringLiteral("Cannot open COM%1: no such port").arg(m_com);
            return false;
        }
        ++opens;
        m_open = lines->open = true;
        return true;
    }
    void close() override { m_open = lines->open = false; }
    bool isOpen() const override { return m_open; }
    bool write(const QByteArray& bytes) override
    {
        if (!m_open)
            return false;
        written += bytes;
        lines->written += bytes;
        return true;
    }
    QByteArray readAll() override { return std::exchange(received, {}); }
    qint64 outputQueued() const override { return queued; }

    // The far side sends: the bytes wait to be read and the owner is told, as a real port
    // tells it from the event loop.
    void arrive(const QByteArray& bytes)
    {
        received += bytes;
        if (onReadyRead && m_open)
            onReadyRead();
    }

    // The device goes away under the open port: it closes, drops its output and says why.
    void fail(const QString& reason = QStringLiteral("COM1 (/dev/ttyUSB0) failed: Input/output error"))
    {
        m_open = lines->open = false;
        queued = 0;
        if (onFailed)
            onFailed(reason);
    }

private:
    bool setLine(ModemLine line, bool on)
    {
        (line == ModemLine::Dtr ? dtr : rts) = on;
        (line == ModemLine::Dtr ? lines->dtr : lines->rts) = on;
        lineChanges.push_back({line, on, m_open, now()});
        return true;
    }

    int m_com = 1;
    bool m_open = false;
};

// Every register write, with its time; refuses addresses where no port register is.
class RecordingParallelPort final : public ParallelPort {
public:
    struct Write {
        quint16 address;
        quint8 value;
        qint64 atNs;
    };

    DeviceClock now = steadyNanoseconds;
    std::vector<Write> writes;

    bool write(quint16 address, quint8 value, QString* error = nullptr) override
    {
        if (!parallelRegisterAt(address)) {
            if (error)
                *error = QStringLiteral("No parallel port register at address %1").arg(address, 0, 16);
            return false;
        }
        writes.push_back({address, value, now()});
        return true;
    }
};

// A keying line that records each change with its time.
class RecordingKeyingLine final : public KeyingLine {
public:
    struct Change {
        bool keyed;
        qint64 atNs;
    };

    DeviceClock now = steadyNanoseconds;
    std::vector<Change> changes;
    bool keyed = false;
    // From this many changes on the line refuses every change, as one whose port went away.
    int failAfterChanges = -1;

    bool setKeyed(bool on) override
    {
        if (failAfterChanges >= 0 && int(changes.size()) >= failAfterChanges)
            return false;
        keyed = on;
        changes.push_back({on, now()});
        return true;
    }
};

// A TCP link the test drives: connect() records where to and waits for the test to
// accept, refuse or send.
class FakeTcpLink final : public TcpLink, public Listed<FakeTcpLink> {
public:
    QString host;
    quint16 port = 0;
    QByteArray written;
    QByteArray received;

    void connectToHost(const QString& h, quint16 p) override
    {
        host = h;
        port = p;
        m_state = State::Connecting;
    }
    void close() override { m_state = State::Closed; }
    State state() const override { return m_state; }
    bool write(const QByteArray& bytes) override
    {
        if (m_state != State::Connected)
            return false;
        written += bytes;
        return true;
    }
    QByteArray readAll() override { return std::exchange(received, {}); }

    // The far side: accepts, sends, closes, or the link fails.
    void accept()
    {
        m_state = State::Connected;
        if (onConnected)
            onConnected();
    }
    void send(const QByteArray& bytes)
    {
        received += bytes;
        if (onDataArrived)
            onDataArrived();
    }
    void hangUp()
    {
        m_state = State::Closed;
        if (onClosed)
            onClosed();
    }
    void fail(int number, const QString& description = {})
    {
        m_state = State::Closed;
        if (onError)
            onError(number, description);
    }

private:
    State m_state = State::Closed;
};
