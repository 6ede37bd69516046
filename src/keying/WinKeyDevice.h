#pragma once

// The WinKey keyer on a serial port, through the calls the keyer window and the main
// windows make of it. Each call keeps the contract the program relies on:
//   wk_open      opens the port and the keyer's host mode; a status code (below) and the
//                keyer's version, which is not 0 on success
//   wk_getstatus a number below 5 while the keyer takes a character, above 0 while it
//                still has text to send; read from the status bytes the keyer reports
//   the others   send one command; 0, or NotOpen when the keyer is not open
// Waits for the keyer's answers let window events run and end at a deadline.
// The protocol itself is in WinKeyProtocol.h.

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <functional>
#include <memory>
#include <optional>

class Clock;
class SerialPort;

class WinKeyDevice {
public:
    // The status codes of wk_open, as the keyer window names them.
    static constexpr int Success = 0;
    static constexpr int NoEchoResponse = -1;
    static constexpr int EchoMismatch = -2;
    static constexpr int NoOpenResponse = -3;
    static constexpr int ComOpenFailed = -4;
    static constexpr int SetComStFailed = -6;
    static constexpr int AlreadyOpen = -8;
    static constexpr int NotOpen = -9;

    struct Timing {
        int settleMs = 400;   // after the port opens: a keyer powered from the port wakes up
        int answerMs = 2000;  // for the echo and the version
        int pollMs = 5;       // between looks at the port while waiting
    };

    // The port is the device's own. Its waits go through wait(ms), which lets events run
    // meanwhile; the clock tells when a wait is over.
    WinKeyDevice(std::unique_ptr<SerialPort> port, Clock& clock, std::function<void(int ms)> wait);
    ~WinKeyDevice();

    Timing timing;

    int wk_open(quint8& version, quint8 port);
    int wk_close();
    int wk_char(quint8 code);
    qint32 wk_getstatus();
    int wk_clearbuf();
    int wk_backspace();
    int wk_wpm(quint8 wordsPerMinute);
    int wk_weight(quint8 weight);
    int wk_ptt_leadtail(quint8 leadIn, quint8 tail);
    int wk_ditdah_ratio(quint8 ratio);
    int wk_pincfg(quint8 config);
    int wk_setmode(quint8 mode);

    bool isOpen() const { return m_state == State::Open; }
    // How long a status request has gone unanswered; 0 when none waits.
    qint64 unansweredMs() const;
    // Asks the keyer for its status and waits for the answer, letting events run; false when
    // none came within the time (a request already waiting counts from when it went out),
    // when the port has gone, or when the device was closed meanwhile.
    bool answersStatus(int withinMs);
    // The device is open but its port is not, or refused the last bytes: the keyer is gone.
    bool portLost() const;
    // Why the last open failed, or the last write was refused.
    const QString& lastError() const { return m_error; }

private:
    enum class State { Closed, Opening, Open };

    int send(const QByteArray& bytes);
    void takeReplies();
    bool requestStatus();
    // The first byte other than a status or pot reading, within the answer time; nothing
    // when none came, or when the device was closed or destroyed meanwhile.
    std::optional<quint8> awaitAnswer();
    bool pause(int ms);
    int failOpen(int code, const QString& why);

    std::unique_ptr<SerialPort> m_port;
    Clock& m_clock;
    std::function<void(int)> m_wait;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
    State m_state = State::Closed;
    QString m_error;
    QByteArray m_answers;                 // bytes that answer admin commands, in order
    quint8 m_status = 0xC0;               // the last status byte
    std::optional<qint64> m_requestedAt;  // a status request waits for its answer
    bool m_handedOver = false;            // a character went out since the keyer said idle
    bool m_requestCoversHandover = false;
    bool m_writeRefused = false;          // the port refused bytes since the device opened
};
