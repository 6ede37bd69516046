#pragma once

// A WinKey keyer at the far end of a pseudo-terminal, for tests that run the program's real
// serial port: the program opens name(); the fake reads the host-mode command stream as
// the keyer does, answers the echo test, host open and status requests, keeps a send
// buffer that it "keys" one character every msPerCharacter, and records every byte it
// received with the time it came. It runs on the caller's event loop (a socket notifier
// and a timer), no thread.
//
// Its status byte is 0xC0 with bit 2 (busy) while it has text to key and bit 0 (buffer
// nearly full) while more than two thirds of its 128 places are taken, or while a test
// holds it full with holdFull(true). Like the keyer, it sends its status unasked whenever
// it changes while the host has it open.

#include "DevicePty.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>
#include <optional>
#include <vector>

class QSocketNotifier;

class FakeWinKey : public QObject {
    Q_OBJECT
public:
    struct Received {
        QByteArray bytes;
        qint64 atMs; // monotonic
    };
    struct Taken {
        char character;
        qint64 atMs;
    };

    FakeWinKey();
    ~FakeWinKey() override;

    // The device name the program opens ("/dev/pts/N"); empty when no pseudo-terminal.
    const QString& name() const { return m_pty.name(); }

    // How the keyer answers.
    quint8 version = 23;
    bool answersEcho = true;
    std::optional<quint8> echoInstead; // a wrong echo
    bool answersOpen = true;
    bool silent = false;               // answers nothing at all, as a stalled keyer
    int msPerCharacter = 20;
    void holdFull(bool full);
    // The keyer goes away: its line hangs up under the program's open port.
    void hangUp();

    // What it saw: every read as it came; the commands one by one (each with its parameter
    // bytes); the characters it took into its buffer with their times; what it has keyed.
    std::vector<Received> received;
    std::vector<QByteArray> commands;
    std::vector<Taken> taken;
    QByteArray keyed;
    QByteArray allReceived() const;
    QByteArray takenText() const;
    bool hostOpen() const { return m_hostOpen; }
    const QByteArray& buffer() const { return m_buffer; }
    quint8 status() const;

    static qint64 nowMs();

private:
    void readAvailable();
    void take(quint8 byte);
    void runCommand(const QByteArray& command);
    void keyOne();
    void reportIfChanged();
    void send(const QByteArray& bytes);
    int parameterCount(const QByteArray& command) const;

    DevicePty m_pty;
    std::unique_ptr<QSocketNotifier> m_notifier;
    QTimer m_keyer;
    QByteArray m_command; // a command still waiting for parameter bytes
    QByteArray m_buffer;
    bool m_hostOpen = false;
    bool m_heldFull = false;
    quint8 m_reported = 0xC0;
};
