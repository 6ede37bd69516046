#pragma once

// Our client of the AGW Packet Engine, over the engine's TCP interface (AgwFrames.h). It
// offers the four calls the spotting window makes of the engine:
//   AGWStartPoll  connects, registers the call ('X', answered by 'X' with 1 = accepted) and
//                 turns monitoring on ('m').
//   AGWPutData    queues one frame of the given kind to the given call, from the registered
//                 call: 'c' asks for a connection (PID 0xF0), 'P' is the engine's login
//                 frame (no user name: asks nothing of an engine without secure login),
//                 'd' ends the connection, 'D' carries text to the connected station.
//   AGWGetData    hands out one received frame. The engine's 'C' (connected) comes out as
//                 'c'; 'd' (disconnected), 'D' (the station's text) and the monitored
//                 frames 'I', 'U', 'S', 'T' keep their kinds. The engine's answers to our own
//                 requests are taken here and never handed out.
//   AGWClose      unregisters ('x') and closes the link.
// Frames wait here between two fetches; a peer that sends faster than they are fetched
// loses its oldest frames beyond MaxWaitingFrames.
// Losing the engine once registered (it closes the connection, its port goes away, it
// sends a frame no engine sends) ends the registration and is told through onLost, with
// the text of the socket error or the bad frame.

#include "platform/TcpLink.h"
#include "spots/AgwFrames.h"

#include <QString>
#include <array>
#include <deque>
#include <functional>
#include <memory>

class QEventLoop;

constexpr int AgwFromCallField = 25;
constexpr int AgwDataField = 4000;
constexpr quint16 AgwDefaultPort = 8000;

// Where the engine listens: "host:port", ":port" or "port" (the host then 127.0.0.1), or
// empty for 127.0.0.1 port 8000. A port that is not a number leaves the default.
struct AgwAddress {
    QString host = QStringLiteral("127.0.0.1");
    quint16 port = AgwDefaultPort;
};
AgwAddress agwAddress(const QString& text);

class AgwEngine {
public:
    static constexpr int MaxWaitingFrames = 500;

    // The engine listens on host:port; each wait for it (the connection, the answer to the
    // registration) ends after waitMs. While waiting, pending events run.
    AgwEngine(std::unique_ptr<TcpLink> link, QString host = QStringLiteral("127.0.0.1"),
              quint16 port = AgwDefaultPort, int waitMs = 3000);
    ~AgwEngine();
    AgwEngine(const AgwEngine&) = delete;
    AgwEngine& operator=(const AgwEngine&) = delete;

    // Nonzero when the engine accepted the registration of the call.
    short AGWStartPoll(const QByteArray& call, const QByteArray& application, int callLength,
                       int applicationLength);
    // Nonzero when the frame was queued for the engine.
    short AGWPutData(const QByteArray& call, const QByteArray& data, int kind, int length, int reserved);
    // Nonzero when a frame was returned: the from-call ends with a NUL, the data's first
    // length characters are the frame's, kind is its character code, port its radio port.
    short AGWGetData(std::array<char, AgwFromCallField>& fromCall, std::array<char, AgwDataField>& data,
                     int& kind, int& length, int& port);
    void AGWClose();

    bool isRegistered() const { return m_registered; }
    qsizetype waitingFrames() const { return qsizetype(m_waiting.size()); }

    std::function<void(const QString& message)> onLost;

private:
    enum class Answer { None, Pending, Accepted, Refused };

    void takeBytes();
    void takeFrame(AgwFrame&& frame);
    void linkLost(const QString& message);
    bool send(char kind, const QByteArray& callTo, const QByteArray& data = {}, quint8 pid = 0);
    // Lets events run until done() or the wait ends; false when it ended first.
    template <typename Done> bool waitFor(Done done);
    void wake();

    std::unique_ptr<TcpLink> m_link;
    QString m_host;
    quint16 m_port;
    int m_waitMs;
    QByteArray m_call;
    bool m_registered = false;
    Answer m_registration = Answer::None;
    AgwFrameDecoder m_decoder;
    std::deque<AgwFrame> m_waiting;
    QEventLoop* m_wait = nullptr;
};
