#include "rig/RigDriver.h"

#include "rig/KenwoodCodec.h"
#include "rig/RigText.h"
#include "rig/TenTecCodec.h"

namespace {

// Requests that go out as typed, frequency first, an empty one skipped.
QByteArray bothAsTyped(const RigRequests& r, const QByteArray& after = {})
{
    QByteArray bytes;
    for (const QString& request : {r.frequency, r.mode})
        if (!request.isEmpty())
            bytes += request.toLatin1() + after;
    return bytes;
}

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

class SilentDriver : public RigDriver {
public:
    std::optional<QByteArray> pollRequest(const RigRequests&, quint8&) const override { return QByteArray(); }
    void decode(const QByteArray&, const RigRequests&, quint8, RigReport&) const override {}
    std::optional<QByteArray> frequencyCommand(float, const RigRequests&, const RigReport&) const override
    {
        return std::nullopt;
    }
    std::optional<QByteArray> modeCommand(const QString&, const RigRequests&) const override { return std::nullopt; }
};

class KenwoodDriver final : public RigDriver {
public:
    std::optional<QByteArray> pollRequest(const RigRequests& r, quint8&) const override { return bothAsTyped(r); }
    void decode(const QByteArray& reply, const RigRequests& r, quint8, RigReport& report) const override
    {
        parseKenwoodFrequency(reply, r, report);
        parseKenwoodMode(reply, report);
    }
    std::optional<QByteArray> frequencyCommand(float mhz, const RigRequests& r, const RigReport&) const override
    {
        return kenwoodFrequencyCommand(mhz, r);
    }
    std::optional<QByteArray> modeCommand(const QString& mode, const RigRequests&) const override
    {
        return kenwoodModeCommand(mode);
    }
};

class Kenwood2Driver final : public RigDriver {
public:
    std::optional<QByteArray> pollRequest(const RigRequests& r, quint8&) const override { return bothAsTyped(r); }
    void decode(const QByteArray& reply, const RigRequests&, quint8, RigReport& report) const override
    {
        parseKenwoodIfReply(reply, report);
    }
    std::optional<QByteArray> frequencyCommand(float mhz, const RigRequests&, const RigReport& report) const override
    {
        return kenwood2FrequencyCommand(mhz, report);
    }
    std::optional<QByteArray> modeCommand(const QString& mode, const RigRequests&) const override
    {
        return kenwoodModeCommand(mode);
    }
};

class ElecraftDriver final : public RigDriver {
public:
    std::optional<QByteArray> pollRequest(const RigRequests& r, quint8&) const override { return bothAsTyped(r); }
    void decode(const QByteArray& reply, const RigRequests& r, quint8, RigReport& report) const override
    {
        parseKenwoodFrequency(reply, r, report);
        parseKenwoodMode(reply, report);
    }
    // The radio needs a second after its mode change before it takes a frequency.
    std::vector<int> frequencyPausesMs() const override { return {205, 1000}; }
    std::optional<QByteArray> frequencyCommand(float mhz, const RigRequests&, const RigReport&) const override
    {
        return elecraftFrequencyCommand(mhz);
    }
    std::optional<QByteArray> modeCommand(const QString& mode, const RigRequests&) const override
    {
        return kenwoodModeCommand(mode);
    }
};

class Ftdx9000Driver final : public RigDriver {
public:
    std::optional<QByteArray> pollRequest(const RigRequests& r, quint8& toggle) const override
    {
        return inTurn(r, toggle, 2, [](const QString& s) { return std::optional(s.toLatin1()); });
    }
    void decode(const QByteArray& reply, const RigRequests& r, quint8, RigReport& report) const override
    {
        parseFtdx9000Reply(reply, r, report);
    }
    std::optional<QByteArray> frequencyCommand(float mhz, const RigRequests& r, const RigReport&) const override
    {
        return ftdx9000FrequencyCommand(mhz, r);
    }
    std::optional<QByteArray> modeCommand(const QString& mode, const RigRequests& r) const override
    {
        return ftdx9000ModeCommand(mode, r);
    }
};

class OrionDriver final : public RigDriver {
public:
    std::optional<QByteArray> pollRequest(const RigRequests& r, quint8&) const override
    {
        return bothAsTyped(r, "\r");
    }
    void decode(const QByteArray& reply, const RigRequests&, quint8, RigReport& report) const override
    {
        parseOrionFrequency(reply, report);
        parseOrionMode(reply, report);
    }
    std::optional<QByteArray> frequencyCommand(float mhz, const RigRequests&, const RigReport&) const override
    {
        return orionFrequencyCommand(mhz);
    }
    std::optional<QByteArray> modeCommand(const QString&, const RigRequests&) const override { return std::nullopt; }
};

class PegasusDriver final : public SilentDriver {
public:
    explicit PegasusDriver(QString folder) : m_folder(std::move(folder)) {}
    bool usesPort() const override { return false; }
    void decode(const QByteArray&, const RigRequests&, quint8, RigReport& report) const override
    {
        readPegasusFile(m_folder, report);
    }
    void tuneWithoutPort(float mhz, const RigReport& report) const override
    {
        writePegasusFile(m_folder, mhz, report.mode);
    }

private:
    QString m_folder;
};

// The binary radios whose replies are read elsewhere: here only their requests, framed
// from the hex pairs of the request texts, go out.
class HexRequestDriver final : public SilentDriver {
public:
    // The request must be longer than `longerThan` characters to go out.
    HexRequestDriver(int pairs, qsizetype longerThan, bool inTurn)
        : m_pairs(pairs), m_shortest(longerThan + 1), m_inTurn(inTurn) {}
    std::optional<QByteArray> pollRequest(const RigRequests& r, quint8& toggle) const override
    {
        const qsizetype shortest = m_shortest;
        auto frame = [this](const QString& s) { return hexPairsToBytes(s, m_pairs); };
        if (m_inTurn)
            return inTurn(r, toggle, shortest, frame);
        if (r.frequency.size() < shortest)
            return QByteArray();
        return frame(r.frequency);
    }

private:
    int m_pairs;
    qsizetype m_shortest;
    bool m_inTurn;
};

class OtherDriver final : public SilentDriver {
public:
    std::optional<QByteArray> pollRequest(const RigRequests& r, quint8&) const override
    {
        if (!r.convertToHex)
            return bothAsTyped(r);
        QByteArray bytes;
        for (const QString& request : {r.frequency, r.mode}) {
            if (request.isEmpty())
                continue;
            const auto framed = hexPairsToBytes(request);
            if (!framed)
                return std::nullopt;
            bytes += *framed;
        }
        return bytes;
    }
};

} // namespace

bool isBinaryYaesu(const QString& rigName)
{
    return rigName.startsWith(QLatin1String("Yaesu")) && rigName != QLatin1String("Yaesu FTdx9000");
}

std::unique_ptr<RigDriver> rigDriverFor(const QString& rigName, const RigDriverOptions& options)
{
    const auto is = [&](const char* name) { return rigName == QLatin1String(name); };
    if (is("Kenwood"))
        return std::make_unique<KenwoodDriver>();
    if (is("Kenwood 2"))
        return std::make_unique<Kenwood2Driver>();
    if (is("Elecraft"))
        return std::make_unique<ElecraftDriver>();
    if (is("Yaesu FTdx9000"))
        return std::make_unique<Ftdx9000Driver>();
    if (is("Ten Tec Orion"))
        return std::make_unique<OrionDriver>();
    if (is("Ten Tec Pegasus"))
        return std::make_unique<PegasusDriver>(options.pegasusFolder);
    if (is("Icom") || is("Icom 735") || is("Ten Tec Omni VI"))
        return std::make_unique<HexRequestDriver>(6, 16, true);
    if (is("Ten Tec Fnt Pnl"))
        return std::make_unique<HexRequestDriver>(3, 6, true);
    if (isBinaryYaesu(rigName))
        return std::make_unique<HexRequestDriver>(5, 13, false);
    if (is("Other"))
        return std::make_unique<OtherDriver>();
    return std::make_unique<SilentDriver>();
}
