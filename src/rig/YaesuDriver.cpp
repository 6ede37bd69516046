#include "rig/YaesuDriver.h"

#include "rig/RigText.h"
#include "rig/YaesuCodec.h"

using namespace rigframes;

namespace {

// What the radio's interface takes after the port opens, and on the way out.
QByteArray wakeUp() { return QByteArray(5, '\0'); }
QByteArray signOff() { return QByteArray("\0\0\0\0\x80", 5); }

// One five-byte request asks for frequency and mode together; the block back is read by
// the model's decoder.
class YaesuDriver final : public RigDriver {
public:
    using Decoder = bool (*)(const QByteArray&, RigReport&);
    // The block is whole at the last byte its decoder needs for the frequency.
    YaesuDriver(Decoder decoder, YaesuCommandSet set, const char* request, qsizetype blockLength = 5,
                int pauseMs = 205)
        : m_decoder(decoder), m_set(set), m_request(request), m_blockLength(blockLength), m_pauseMs(pauseMs) {}

    QByteArray openingBytes() const override { return wakeUp(); }
    QByteArray closingBytes() const override { return signOff(); }
    RigTypeDefaults defaults() const override { return lineDefaults("4800", "2", QString::fromLatin1(m_request), "", true); }

    bool readsByPosition() const override { return true; }
    qsizetype wholeReplies(const QByteArray& read, quint8) const override { return blockOf(read, m_blockLength); }
    std::optional<QByteArray> pollRequest(const RigRequests& r, quint8&) const override
    {
        if (r.frequency.size() < 14)
            return QByteArray();
        return hexPairsToBytes(r.frequency, 5);
    }
    bool decode(const QByteArray& reply, const RigRequests&, quint8, RigReport& report) const override
    {
        return m_decoder(reply, report);
    }
    std::vector<int> frequencyPausesMs() const override { return {m_pauseMs}; }
    std::optional<QByteArray> frequencyCommand(float mhz, const RigRequests&, const RigReport&) const override
    {
        return yaesuFrequencyCommand(mhz, m_set);
    }
    std::optional<QByteArray> modeCommand(const QString& mode, const RigRequests&) const override
    {
        return yaesuModeCommand(mode, m_set);
    }

private:
    Decoder m_decoder;
    YaesuCommandSet m_set;
    const char* m_request;
    qsizetype m_blockLength;
    int m_pauseMs;
};

class UnlistedYaesuDriver final : public RigDriver {
public:
    QByteArray openingBytes() const override { return wakeUp(); }
    QByteArray closingBytes() const override { return signOff(); }
    std::optional<QByteArray> pollRequest(const RigRequests&, quint8&) const override { return QByteArray(); }
    bool decode(const QByteArray&, const RigRequests&, quint8, RigReport&) const override { return false; }
    std::optional<QByteArray> frequencyCommand(float, const RigRequests&, const RigReport&) const override
    {
        return std::nullopt;
    }
    std::optional<QByteArray> modeCommand(const QString&, const RigRequests&) const override { return std::nullopt; }
};

// The status request of the older command set.
constexpr const char* StatusBlock = "00 00 00 02 10";

} // namespace

std::unique_ptr<RigDriver> yaesuDriver(YaesuModel model)
{
    using enum YaesuCommandSet;
    switch (model) {
    case YaesuModel::Newer:
        return std::make_unique<YaesuDriver>(parseYaesuReply, Newer, "00 00 00 00 03");
    case YaesuModel::Ft757GxII:
        return std::make_unique<YaesuDriver>(parseYaesu757Status, Older, "00 00 00 00 10", 9);
    case YaesuModel::Ft890:
        return std::make_unique<YaesuDriver>(parseYaesu890Status, Older, StatusBlock);
    case YaesuModel::Ft920:
        return std::make_unique<YaesuDriver>(parseYaesu920Status, Older, StatusBlock);
    case YaesuModel::Ft990:
        return std::make_unique<YaesuDriver>(parseYaesu990Status, Older, StatusBlock);
    case YaesuModel::Ft1000:
        return std::make_unique<YaesuDriver>(parseYaesu1000Status, Older, StatusBlock, 5, 10);
    }
    return nullptr;
}

std::unique_ptr<RigDriver> unlistedYaesuDriver() { return std::make_unique<UnlistedYaesuDriver>(); }
