#include "FuzzRigReplies.h"

#include "platform/SerialPort.h"
#include "rig/RigPoller.h"
#include "rig/RigSettings.h"

#include <cmath>
#include <cstdlib>
#include <utility>

namespace {

void require(bool rule)
{
    if (!rule)
        std::abort();
}

// The radio's side of the port: what the poll wrote goes nowhere, what the radio sent
// waits in `waiting`.
class ReplyPort final : public SerialPort {
public:
    QByteArray waiting;
    void setComNumber(int) override {}
    int comNumber() const override { return 1; }
    bool setSettings(const SerialSettings&) override { return true; }
    bool setHandshaking(Handshaking) override { return true; }
    bool setDtr(bool) override { return true; }
    bool setRts(bool) override { return true; }
    bool open(QString*) override { return true; }
    void close() override {}
    bool isOpen() const override { return true; }
    bool write(const QByteArray&) override { return true; }
    QByteArray readAll() override { return std::exchange(waiting, {}); }
    qint64 outputQueued() const override { return 0; }
};

} // namespace

void fuzzRigReplies(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const char* name : {"Kenwood", "Kenwood 2", "Elecraft", "Yaesu FTdx9000", "Ten Tec Orion", "Icom",
                             "Ten Tec Omni VI", "Ten Tec Fnt Pnl", "Yaesu", "Yaesu 990", "Other"}) {
        ReplyPort port;
        RigPoller poller(port, {[] { return qint64(0); }, [] {}});
        const RigTypeDefaults d = rigTypeDefaults(QString::fromLatin1(name));
        poller.requests = {d.frequencyRequest, d.modeRequest, d.convertToHex};
        poller.setRigName(QString::fromLatin1(name));
        poller.bandFreqConversion = [](float f) { require(f > 0 && std::isfinite(f)); };
        poller.modeSelection = [](const QString& m) { require(m.size() <= 8); };
        for (qsizetype at = 0, piece = 1; at < bytes.size(); at += piece, piece = piece % 41 + 7) {
            poller.tmrGetData_Timer(); // the request
            port.waiting = bytes.mid(at, piece);
            poller.tmrGetData_Timer(); // the reply
        }
    }
}
