#include "rig/TenTecDriver.h"

#include "rig/RigText.h"
#include "rig/TenTecCodec.h"

using namespace rigframes;

namespace {

// Frequency and mode asked in turn, three hex pairs each; binary replies read by position.
class TenTecPanelDriver final : public RigDriver {
public:
    bool hardwareHandshaking() const override { return true; }
    RigTypeDefaults defaults() const override { return lineDefaults("56000", "1", "3F 41 0D", "3F 4D 0D", true); }
    bool readsByPosition() const override { return true; }
    std::optional<QByteArray> pollRequest(const RigRequests& r, quint8& toggle) const override
    {
        return inTurn(r, toggle, 7, [](const QString& s) { return hexPairsToBytes(s, 3); });
    }
    // The frequency's block reaches byte 5, the mode's byte 3.
    qsizetype wholeReplies(const QByteArray& read, quint8 toggle) const override
    {
        return blockOf(read, toggle == 1 ? 5 : 3);
    }
    bool decode(const QByteArray& reply, const RigRequests&, quint8 toggle, RigReport& report) const override
    {
        return toggle == 1 ? parseTenTecPanelFrequency(reply, report) : parseTenTecPanelMode(reply, report);
    }
    std::optional<QByteArray> frequencyCommand(float mhz, const RigRequests&, const RigReport&) const override
    {
        return tenTecPanelFrequencyCommand(mhz);
    }
    std::optional<QByteArray> modeCommand(const QString&, const RigRequests&) const override { return std::nullopt; }
};

class OrionDriver final : public RigDriver {
public:
    bool hardwareHandshaking() const override { return true; }
    // Wakes the radio's interface.
    QByteArray openingBytes() const override { return QByteArrayLiteral("X\r"); }
    RigTypeDefaults defaults() const override { return lineDefaults("56000", "1", "?AF", "?RMM", false); }
    std::optional<QByteArray> pollRequest(const RigRequests& r, quint8&) const override
    {
        return bothAsTyped(r, "\r");
    }
    qsizetype wholeReplies(const QByteArray& read, quint8) const override { return throughLast(read, '\r'); }
    int repliesAsked(const QByteArray& request) const override { return commandsAsked(request, '\r'); }
    int repliesIn(const QByteArray& replies, bool) const override { return int(replies.count('\r')); }
    bool decode(const QByteArray& reply, const RigRequests&, quint8, RigReport& report) const override
    {
        return eachReply(reply, '\r', [&](const QByteArray& one) {
            const bool frequency = parseOrionFrequency(one, report);
            return parseOrionMode(one, report) || frequency;
        });
    }
    std::optional<QByteArray> frequencyCommand(float mhz, const RigRequests&, const RigReport&) const override
    {
        return orionFrequencyCommand(mhz);
    }
    std::optional<QByteArray> modeCommand(const QString&, const RigRequests&) const override { return std::nullopt; }
};

// Nothing goes over a port: each read tick reads the outside program's file, and tuning
// writes the other.
class PegasusDriver final : public RigDriver {
public:
    explicit PegasusDriver(QString folder) : m_folder(std::move(folder)) {}
    bool usesPort() const override { return false; }
    std::optional<QByteArray> pollRequest(const RigRequests&, quint8&) const override { return QByteArray(); }
    bool decode(const QByteArray&, const RigRequests&, quint8, RigReport& report) const override
    {
        return readPegasusFile(m_folder, report);
    }
    std::optional<QByteArray> frequencyCommand(float, const RigRequests&, const RigReport&) const override
    {
        return std::nullopt;
    }
    std::optional<QByteArray> modeCommand(const QString&, const RigRequests&) const override { return std::nullopt; }
    void tuneWithoutPort(float mhz, const RigReport& report) const override
    {
        writePegasusFile(m_folder, mhz, report.mode);
    }

private:
    QString m_folder;
};

} // namespace

std::unique_ptr<RigDriver> tenTecPanelDriver() { return std::make_unique<TenTecPanelDriver>(); }
std::unique_ptr<RigDriver> orionDriver() { return std::make_unique<OrionDriver>(); }
std::unique_ptr<RigDriver> pegasusDriver(const QString& folder) { return std::make_unique<PegasusDriver>(folder); }
