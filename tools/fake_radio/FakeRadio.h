#pragma once

// A radio at the far end of a pseudo-terminal, for tests that run the program's real serial
// port: the program opens name(); the fake answers each command as the family it plays and
// records every byte it received with the time it came.
//   Kenwood (Kenwood, Elecraft, FTdx9000): commands end with ';', a query is the command
//     letters alone ("FA;"), a set carries digits ("FA00007030000;") and is not answered.
//   Ten-Tec Orion: lines end with '\r'; '?' asks, '*' sets, '@' answers.
//     The frequency is set in MHz ("*AF7.03") and reported in Hz ("@AF7030000").
//   Icom CI-V: frames FE FE <to> <from> <command> <data> FD to the radio's address; 03 and
//     04 are answered with the frequency (BCD, least significant byte first) and the mode
//     and filter bytes, 05 and 06 set them and are answered FB (good). With `echo` the
//     line carries every frame the program sent back to it first, as a shared CI-V line does
//     (paced, each byte as it crosses).
//   Yaesu (binary): five-byte commands, the command byte last; 03 is answered with the
//     frequency (BCD in 10 Hz, most significant first) and the mode byte, 10 with the
//     status block of the `yaesuModel`; 01 / 0A set the frequency, 07 / 0C the mode.
//   Ten-Tec front panel: "?A\r" is answered "A" + four bytes of hertz + '\r', "?M\r" with
//     "M" + the main and sub mode digits + '\r'; "*A" + four bytes + '\r' sets.
// Answers come from the radio's state: what a set command stored, or a canned reply a test
// puts in replies (Kenwood and Orion), or `hertz` and `modeCode` (the binary families). It
// runs on the caller's event loop (a socket notifier and a pacing timer), no thread.
// A pseudo-terminal carries bytes at once; pace() makes the fake as slow as a real line.

#include "DevicePty.h"

#include <QByteArray>
#include <QMap>
#include <QObject>
#include <QString>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

class QSocketNotifier;

class FakeRadio : public QObject {
    Q_OBJECT
public:
    enum class Family { Kenwood, Orion, Icom, Yaesu, TenTecPanel };
    // Where the older Yaesu radios put frequency and mode in their status block; Newer
    // answers the 03 command with five bytes instead.
    enum class YaesuModel { Newer, Ft757, Ft890, Ft920, Ft990, Ft1000 };

    struct Received {
        QByteArray bytes;
        qint64 atMs; // monotonic
    };

    explicit FakeRadio(Family family);
    ~FakeRadio() override;

    // The device name the program opens ("/dev/pts/N"); empty when no pseudo-terminal.
    const QString& name() const { return m_pty.name(); }

    // The answer to a query, by its command ("FA", "MD", "IF" or Orion "AF", "RMM").
    // A set command of the same letters replaces it.
    QMap<QByteArray, QByteArray> replies;

    // The binary families' state: the frequency, and the mode as the radio codes it (what
    // the last mode command carried: Icom 03 CW, Yaesu 02 CW, front panel 3 CW).
    qint64 hertz = 14074000;
    quint8 modeCode = 3;
    quint8 civAddress = 0x64;
    int civFrequencyBytes = 5; // the IC-735 answers with four
    bool echo = false;
    YaesuModel yaesuModel = YaesuModel::Newer;
    // Leaves off that many bytes at the end of each answer, as a line that drops them.
    int cutAnswers = 0;
    // Every read, as it came, and the commands one by one.
    std::vector<Received> received;
    std::vector<QByteArray> commands;
    QByteArray allReceived() const;

    // Sends bytes unasked (a reply split across reads, noise on the line).
    void send(const QByteArray& bytes);

    // Carries the bytes both ways at the speed of a line of that many baud, a character
    // being a start bit, eight data bits and the stop bits: a command is taken once its
    // last character has come over, and the answer goes out a character at a time. 0 (the
    // start) carries them as fast as the pseudo-terminal does.
    void pace(int baud, int stopBits = 1);
    // Takes the commands but neither answers nor obeys them, as a radio switched off.
    bool silent = false;
    // Stops taking bytes from the line (true), as a radio holding the program's output with
    // flow control: what the program writes piles up in the line until it cannot take more.
    // False takes everything that waited.
    void holdOutput(bool held);
    // The most answer bytes that were ever waiting to go out at once (paced lines only):
    // a program that asks faster than the line carries the answers makes it grow.
    qsizetype longestBacklog = 0;
    // Told each time an answer's last byte has been handed to the line.
    std::function<void(const QByteArray& answer)> answered;
    // The line goes dead under the program's open port, as a radio's cable pulled with its
    // USB adapter, or a radio program that ended.
    void hangUp() { m_pty.hangUp(); }

private:
    struct Timed {
        char byte;
        qint64 dueNs; // when its last bit has crossed the line
    };

    void readAvailable();
    void take(const QByteArray& bytes);
    void carry();
    void takeCommand(const QByteArray& command);
    QByteArray answerKenwood(const QByteArray& command);
    QByteArray answerOrion(const QByteArray& line);
    QByteArray answerIcom(const QByteArray& frame);
    QByteArray answerYaesu(const QByteArray& command);
    QByteArray yaesuStatus() const;
    QByteArray answerTenTecPanel(const QByteArray& command);
    // The next whole command in what came, taken off it; empty when none is whole yet.
    QByteArray nextCommand();

    Family m_family;
    DevicePty m_pty;
    QByteArray m_pending;
    std::unique_ptr<QSocketNotifier> m_notifier;
    qint64 m_characterNs = 0;
    std::deque<Timed> m_inbound, m_outbound;
    qint64 m_inboundFreeNs = 0, m_outboundFreeNs = 0; // when the line in each way is free
    QTimer m_carrier;
};
