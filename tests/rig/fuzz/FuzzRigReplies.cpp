#include "FuzzRigReplies.h"

#include "platform/SerialPort.h"
#include "rig/IcomCodec.h"
#include "rig/RigPoller.h"
#include "rig/TenTecCodec.h"
#include "rig/YaesuCodec.h"

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

// The CI-V frame scanner keeps only frames closed by FD: their data holds neither FD nor
// the FE that starts a frame, and a reply without FD decodes to nothing.
void checkIcomFrames(const QByteArray& bytes)
{
    for (const quint8 command : {quint8(0x03), quint8(0x04)})
        for (const QByteArray& data : icomFrames(bytes, command))
            require(!data.contains('\xFD') && !data.contains('\xFE'));
    // The frames of one radio to the program: whole frames only, so taking them again keeps
    // them all.
    const QByteArray ours = icomFramesFromTo(bytes, 0x64, IcomController);
    require(icomFramesFromTo(ours, 0x64, IcomController) == ours);
    require(ours.isEmpty() || (ours.startsWith("\xFE\xFE\xE0\x64") && ours.endsWith('\xFD')));
    if (bytes.contains('\xFD'))
        return;
    RigReport report;
    parseIcomFrequency(bytes, 5, report);
    parseIcomFrequency(bytes, 4, report);
    parseIcomMode(bytes, report);
    require(report.frequency == 0 && report.mode.isEmpty());
}

// The replies read by position look no further than their fields (the tenth byte at most),
// and what they decode stays within what the fields can hold.
void checkPositionalReplies(const QByteArray& bytes)
{
    using Decoder = bool (*)(const QByteArray&, RigReport&);
    const struct {
        Decoder decoder;
        float highestMhz;
    } decoders[] = {{parseYaesuReply, 1000},     {parseYaesu757Status, 1000},       {parseYaesu890Status, 168},
                    {parseYaesu920Status, 4295}, {parseYaesu990Status, 168},        {parseYaesu1000Status, 168},
                    {parseTenTecPanelFrequency, 4295}, {parseTenTecPanelMode, 0}};
    const QByteArray head = bytes.left(10);
    for (const auto& d : decoders) {
        RigReport whole;
        RigReport headOnly;
        d.decoder(bytes, whole);
        d.decoder(head, headOnly);
        require(whole.frequency == headOnly.frequency && whole.mode == headOnly.mode);
        require(whole.frequency >= 0 && whole.frequency <= d.highestMhz);
        require(whole.mode.isEmpty() || whole.mode == QLatin1String("CW") || whole.mode == QLatin1String("PH")
                || whole.mode == QLatin1String("AM") || whole.mode == QLatin1String("FM"));
    }
}

} // namespace

void fuzzRigReplies(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    checkIcomFrames(bytes);
    checkPositionalReplies(bytes);
    for (const char* name : {"Kenwood", "Kenwood 2", "Elecraft", "Yaesu FTdx9000", "Ten Tec Orion", "Icom", "Icom 735",
                             "Ten Tec Omni VI", "Ten Tec Fnt Pnl", "Yaesu", "Yaesu 757 GX II", "Yaesu 890",
                             "Yaesu 920", "Yaesu 990", "Yaesu 1000", "Other"}) {
        ReplyPort port;
        RigPoller poller(port, {[] { return qint64(0); }, [] {}});
        const RigTypeDefaults d = rigDriverFor(QString::fromLatin1(name))->defaults();
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
