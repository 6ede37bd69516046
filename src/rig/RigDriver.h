#pragma once

// One radio family behind one interface: how its port is opened and left, what a poll
// sends, how a reply is read, the commands that tune the radio, and what choosing the type
// in the rig list fills in. rigDriverFor() (RigTypes.h) picks the driver from the radio
// type's name; each family's drivers sit beside its codec (KenwoodDriver, IcomDriver,
// YaesuDriver, TenTecDriver), the codecs themselves being plain functions.

#include "rig/RigReport.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

// What choosing a radio type in the rig list sets; an empty optional leaves that control
// as it was.
struct RigTypeDefaults {
    std::optional<QString> baud; // "4800"
    std::optional<QString> parity;
    std::optional<QString> dataBits;
    std::optional<QString> stopBits;
    QString frequencyRequest;
    QString modeRequest;
    bool convertToHex = false;
    // Whether the operator may choose to send the requests as hex pairs.
    bool hexChoice = false;
    // A note on the requests, shown while the type is chosen; `noteAtLoad` when the
    // window's load shows it too for this type.
    QString note;
    bool noteAtLoad = false;
};

class RigDriver {
public:
    virtual ~RigDriver() = default;

    // False for a radio run by an outside program through files.
    virtual bool usesPort() const { return true; }
    // Whether the port needs RTS/CTS handshaking. Once such a radio has been opened, the
    // handshaking stays for the others until the rig window unloads.
    virtual bool hardwareHandshaking() const { return false; }
    // What the radio's interface needs right after the port opens, and on the way out
    // while it is polled; empty for none.
    virtual QByteArray openingBytes() const { return {}; }
    virtual QByteArray closingBytes() const { return {}; }
    virtual RigTypeDefaults defaults() const { return {}; }

    // The bytes one send tick puts out, empty when there is nothing to send. Types that
    // ask frequency and mode in turn read and flip the toggle (0 asks the frequency).
    // Nothing when a request cannot be framed (a pair that is not hexadecimal): the tick
    // then fails and the toggle keeps its value.
    virtual std::optional<QByteArray> pollRequest(const RigRequests& requests, quint8& toggle) const = 0;

    // Whether the replies are read at fixed byte positions from the first byte read. For
    // such a radio whatever is left over from an earlier reply (the rest of a block that came
    // after the read tick) is dropped before each request, so it is never read as a reply of
    // its own.
    virtual bool readsByPosition() const { return false; }

    // How much of what was read (an unfinished reply kept from the last read, then the new
    // bytes) holds whole replies; the rest is a reply still on its way, read again in front
    // of the next read. The toggle as the send tick left it. A type without a frame takes
    // everything.
    virtual qsizetype wholeReplies(const QByteArray& read, quint8 /*toggle*/) const { return read.size(); }

    // How many replies the request a send tick just framed asks for: the poll is answered
    // once that many have come (or the time they may take is up), so the next request never
    // goes out while an answer to this one is still on the line. One for a request of one
    // command; a family whose commands end with a terminator counts them ("FA;MD;": two).
    virtual int repliesAsked(const QByteArray& request) const { return request.isEmpty() ? 0 : 1; }
    // How many replies the whole replies of one read hold, `answered` being what decode said
    // of them: a family whose replies end with a terminator counts them (an answer of "?;"
    // is a reply too), any other counts a read that held an answer as one.
    virtual int repliesIn(const QByteArray& /*replies*/, bool answered) const { return answered ? 1 : 0; }

    // Reads the whole replies of one read tick; the toggle as the send tick left it (1: the
    // frequency was asked). Writes only what the reply holds, and says whether it held an
    // answer of the radio.
    virtual bool decode(const QByteArray& reply, const RigRequests& requests, quint8 toggle,
                        RigReport& report) const = 0;

    // The pauses before the set-frequency command, in ms; window events run between two.
    virtual std::vector<int> frequencyPausesMs() const { return {205}; }
    // The set-frequency command; nothing for a type that has none.
    virtual std::optional<QByteArray> frequencyCommand(float mhz, const RigRequests& requests,
                                                       const RigReport& report) const = 0;
    // The set-mode command; nothing for a type or mode without one.
    virtual std::optional<QByteArray> modeCommand(const QString& mode, const RigRequests& requests) const = 0;

    // A radio reached without the port is tuned here.
    virtual void tuneWithoutPort(float /*mhz*/, const RigReport& /*report*/) const {}
};

// The framing the families' drivers share.
namespace rigframes {

// Requests that go out as typed, frequency first, an empty one skipped.
QByteArray bothAsTyped(const RigRequests& r, const QByteArray& after = {});

// One request per send tick, frequency and mode in turn; a request not longer than
// `shortest` - 1 characters is skipped (the toggle still flips).
template <class Frame>
std::optional<QByteArray> inTurn(const RigRequests& r, quint8& toggle, qsizetype shortest, Frame frame)
{
    const QString& request = toggle == 0 ? r.frequency : r.mode;
    QByteArray bytes;
    if (request.size() >= shortest) {
        const auto framed = frame(request);
        if (!framed)
            return std::nullopt;
        bytes = *framed;
    }
    toggle = toggle == 0 ? 1 : 0;
    return bytes;
}

// Text replies end with a terminator: what follows the last one is a reply not yet whole.
inline qsizetype throughLast(const QByteArray& read, char terminator) { return read.lastIndexOf(terminator) + 1; }

// Text requests and replies of several commands: one for each terminator, and a request
// without any still asks once.
inline int commandsAsked(const QByteArray& request, char terminator)
{
    return request.isEmpty() ? 0 : std::max(1, int(request.count(terminator)));
}

// Decodes each reply (up to and with its terminator) on its own, oldest first, so that of
// several answers read together the newest counts; true when any held an answer.
template <class Decode>
bool eachReply(const QByteArray& replies, char terminator, Decode decode)
{
    bool answered = false;
    for (qsizetype start = 0; start < replies.size();) {
        qsizetype end = replies.indexOf(terminator, start);
        end = end < 0 ? replies.size() : end + 1;
        answered = decode(replies.mid(start, end - start)) || answered;
        start = end;
    }
    return answered;
}

// A block read by position is whole once it reaches the last byte its decoder reads.
inline qsizetype blockOf(const QByteArray& read, qsizetype length) { return read.size() >= length ? read.size() : 0; }

// What a list entry of the usual serial line sets: 8 data bits, no parity.
RigTypeDefaults lineDefaults(const char* baud, const char* stopBits, const QString& frequencyRequest,
                             const QString& modeRequest, bool convertToHex);

} // namespace rigframes
