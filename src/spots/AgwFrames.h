#pragma once

// Frames of the packet engine's TCP interface. Each frame is a 36-byte header, all numbers
// little-endian, followed by the data:
//
//   offset size
//    0      1   radio port (0 = the first); 3 reserved bytes follow
//    4      1   data kind, a character ('X' register, 'm' monitor, 'C' connected, ...);
//               1 reserved byte follows
//    6      1   PID (0xF0: no layer 3); 1 reserved byte follows
//    8     10   call from, NUL-padded
//   18     10   call to, NUL-padded
//   28      4   data length
//   32      4   user, reserved (0)
//   36      -   data
//
// The decoder is fed the stream in pieces as it arrives. It holds at most one header and
// the first AgwDataKept bytes of one frame's data; the rest of a longer frame is passed
// over as it arrives. A header announcing more than AgwDataLimit bytes comes from no
// engine (its frames carry an AX.25 frame's text, a few hundred bytes, or a list of a few
// kilobytes): the stream is broken, and waiting for gigabytes would swallow every frame
// after it.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <functional>

constexpr int AgwHeaderSize = 36;
constexpr int AgwCallSize = 10;
constexpr int AgwDataKept = 4000;
constexpr quint32 AgwDataLimit = 65536;
constexpr quint8 AgwNoLayer3 = 0xF0;

struct AgwFrame {
    quint8 port = 0;
    char kind = 0;
    quint8 pid = 0;
    QByteArray callFrom; // without its padding
    QByteArray callTo;
    QByteArray data;
};

// The frame as it goes on the wire. A call is cut to 9 characters so that its field keeps a
// NUL.
QByteArray encodeAgwFrame(const AgwFrame& frame);

// The text of a call field: up to its first NUL, the whole field when there is none.
QByteArray agwCallField(QByteArrayView field);

class AgwFrameDecoder {
public:
    // Takes received bytes; every frame completed by them goes to the sink, in order. A
    // frame whose data is longer than AgwDataKept keeps its first AgwDataKept bytes. False
    // at a header announcing more than AgwDataLimit bytes: nothing after it is read, and
    // badFrame() names it, until reset().
    bool feed(QByteArrayView bytes, const std::function<void(AgwFrame&& frame)>& sink);
    const QString& badFrame() const { return m_badFrame; }
    // Forgets a partly received frame (the link was closed).
    void reset();
    // Bytes held for the frame now arriving: never more than the header and the kept data.
    qsizetype held() const { return m_header.size() + m_frame.data.size(); }

private:
    QByteArray m_header;
    AgwFrame m_frame;
    quint32 m_dataLeft = 0;
    bool m_inData = false;
    QString m_badFrame;
};
