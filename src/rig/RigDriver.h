#pragma once

// One radio family behind one interface: what a poll sends, how a reply is read, and the
// commands that tune the radio. rigDriverFor() picks the family from the radio type's name;
// the families themselves are plain functions in their codec files.

#include "rig/RigReport.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

class RigDriver {
public:
    virtual ~RigDriver() = default;

    // False for a radio run by an outside program through files ("Ten Tec Pegasus").
    virtual bool usesPort() const { return true; }

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

    // A radio reached without the port is tuned here ("Ten Tec Pegasus").
    virtual void tuneWithoutPort(float /*mhz*/, const RigReport& /*report*/) const {}
};

// Where the Pegasus exchange files lie.
struct RigDriverOptions {
    QString pegasusFolder;
};

// The driver of a radio type as the rig list names it; a driver that sends and reads
// nothing for "None", an empty name and any name the list does not hold.
std::unique_ptr<RigDriver> rigDriverFor(const QString& rigName, const RigDriverOptions& options = {});

// Whether the name starts with "Yaesu" and is not the FTdx9000 (the binary Yaesu radios,
// which take five zero bytes after the port opens and 00 00 00 00 80 at the end).
bool isBinaryYaesu(const QString& rigName);
