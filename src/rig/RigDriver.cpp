#include "rig/RigDriver.h"

#include "rig/IcomCodec.h"
#include "rig/KenwoodCodec.h"
#include "rig/RigText.h"
#include "rig/TenTecCodec.h"
#include "rig/YaesuCodec.h"

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

// Text replies end with a terminator: what follows the last one is a reply not yet whole.
qsizetype throughLast(const QByteArray& read, char terminator) { return read.lastIndexOf(terminator) + 1; }

// A block read by position is whole once it reaches the last byte its decoder reads.
qsizetype blockOf(const QByteArray& read, qsizetype length) { return read.size() >= length ? read.size() : 0; }

class SilentDriver : public RigDriver {
public:
    std::optional<QByteArray> pollRequest(const RigRequests&, quint8&) const override { return QByteArray(); }
    bool decode(const QByteArray&, const RigRequests&, quint8, RigReport&) const override { return false; }
    std::optional<QByteArray> frequencyCommand(float, const RigRequests&, const RigReport&) const override
    {
        return std::nullopt;
    }
    std::optional<QByteArray> modeCommand(const QString&, const RigRequests&) const override { return std::nullopt; }
};

// The radios whose replies end with ";".
class SemicolonDriver : public RigDriver {
public:
    qsizetype wholeReplies(const QByteArray& read, quint8) const override { return throughLast(read, ';'); }
};

bool decodeFaAndMd(const QByteArray& reply, const RigRequests& r, RigReport& report)
{
    const bool frequency = parseKenwoodFrequency(reply, r, report);
    return parseKenwoodMode(reply, report) || frequency;
}

class KenwoodDriver final : public SemicolonDriver {
public:
    std::optional<QByteArray> pollRequest(const RigRequests& r, quint8&) const override { return bothAsTyped(r); }
    bool decode(const QByteArray& reply, const RigRequests& r, quint8, RigReport& report) const override
    {
        return decodeFaAndMd(reply, r, report);
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

class Kenwood2Driver final : public SemicolonDriver {
public:
    std::optional<QByteArray> pollRequest(const RigRequests& r, quint8&) const override { return bothAsTyped(r); }
    bool decode(const QByteArray& reply, const RigRequests&, quint8, RigReport& report) const override
    {
        return parseKenwoodIfReply(reply, report);
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

class ElecraftDriver final : public SemicolonDriver {
public:
    std::optional<QByteArray> pollRequest(const RigRequests& r, quint8&) const override { return bothAsTyped(r); }
    bool decode(const QByteArray& reply, const RigRequests& r, quint8, RigReport& report) const override
    {
        return decodeFaAndMd(reply, r, report);
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

class Ftdx9000Driver final : public SemicolonDriver {
public:
    std::optional<QByteArray> pollRequest(const RigRequests& r, quint8& toggle) const override
    {
        return inTurn(r, toggle, 2, [](const QString& s) { return std::optional(s.toLatin1()); });
    }
    bool decode(const QByteArray& reply, const RigRequests& r, quint8, RigReport& report) const override
    {
        return parseFtdx9000Reply(reply, r, report);
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
    qsizetype wholeReplies(const QByteArray& read, quint8) const override { return throughLast(read, '\r'); }
    bool decode(const QByteArray& reply, const RigRequests&, quint8, RigReport& report) const override
    {
        const bool frequency = parseOrionFrequency(reply, report);
        return parseOrionMode(reply, report) || frequency;
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
    bool decode(const QByteArray&, const RigRequests&, quint8, RigReport& report) const override
    {
        return readPegasusFile(m_folder, report);
    }
    void tuneWithoutPort(float mhz, const RigReport& report) const override
    {
        writePegasusFile(m_folder, mhz, report.mode);
    }

private:
    QString m_folder;
};

// Frequency and mode asked in turn, six hex pairs each; CI-V frames back. Each frame names
// its command, so every whole frame is read for what it answers, whichever was asked last:
// a slow radio's answer that comes after the next request still reaches the log.
class IcomDriver final : public RigDriver {
public:
    struct Options {
        int frequencyBytes = 5;            // the IC-735 answers with four
        std::vector<int> pausesMs = {140}; // the Omni VI needs longer
        bool modeCommand = true;           // the IC-735 has none
    };
    explicit IcomDriver(Options options) : m_options(std::move(options)) {}

    std::optional<QByteArray> pollRequest(const RigRequests& r, quint8& toggle) const override
    {
        return inTurn(r, toggle, 17, [](const QString& s) { return hexPairsToBytes(s, 6); });
    }
    qsizetype wholeReplies(const QByteArray& read, quint8) const override { return icomWholeFrames(read); }
    bool decode(const QByteArray& reply, const RigRequests&, quint8, RigReport& report) const override
    {
        const bool frequency = parseIcomFrequency(reply, m_options.frequencyBytes, report);
        return parseIcomMode(reply, report) || frequency;
    }
    std::vector<int> frequencyPausesMs() const override { return m_options.pausesMs; }
    std::optional<QByteArray> frequencyCommand(float mhz, const RigRequests& r, const RigReport&) const override
    {
        return icomFrequencyCommand(mhz, r);
    }
    std::optional<QByteArray> modeCommand(const QString& mode, const RigRequests& r) const override
    {
        return m_options.modeCommand ? icomModeCommand(mode, r) : std::nullopt;
    }

private:
    Options m_options;
};

// One five-byte request asks for frequency and mode together; the block back is read by
// the model's decoder.
class YaesuDriver final : public RigDriver {
public:
    using Decoder = bool (*)(const QByteArray&, RigReport&);
    // The block is whole at the last byte its decoder needs for the frequency.
    YaesuDriver(Decoder decoder, YaesuCommandSet set, qsizetype blockLength = 5, int pauseMs = 205)
        : m_decoder(decoder), m_set(set), m_blockLength(blockLength), m_pauseMs(pauseMs) {}

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
    qsizetype m_blockLength;
    int m_pauseMs;
};

// Frequency and mode asked in turn, three hex pairs each; binary replies read by position.
class TenTecPanelDriver final : public RigDriver {
public:
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

class OtherDriver final : public SilentDriver {
public:
    // Whatever comes back is shown raw: any bytes are an answer.
    bool decode(const QByteArray& reply, const RigRequests&, quint8, RigReport&) const override
    {
        return !reply.isEmpty();
    }
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
    if (is("Icom"))
        return std::make_unique<IcomDriver>(IcomDriver::Options{});
    if (is("Icom 735"))
        return std::make_unique<IcomDriver>(IcomDriver::Options{4, {140}, false});
    if (is("Ten Tec Omni VI"))
        return std::make_unique<IcomDriver>(IcomDriver::Options{5, {140, 220}, true});
    if (is("Ten Tec Fnt Pnl"))
        return std::make_unique<TenTecPanelDriver>();
    if (is("Yaesu"))
        return std::make_unique<YaesuDriver>(parseYaesuReply, YaesuCommandSet::Newer);
    if (is("Yaesu 757 GX II"))
        return std::make_unique<YaesuDriver>(parseYaesu757Status, YaesuCommandSet::Older, 9);
    if (is("Yaesu 890"))
        return std::make_unique<YaesuDriver>(parseYaesu890Status, YaesuCommandSet::Older);
    if (is("Yaesu 920"))
        return std::make_unique<YaesuDriver>(parseYaesu920Status, YaesuCommandSet::Older);
    if (is("Yaesu 990") || is("Yaesu 1000 D"))
        return std::make_unique<YaesuDriver>(parseYaesu990Status, YaesuCommandSet::Older);
    if (is("Yaesu 1000"))
        return std::make_unique<YaesuDriver>(parseYaesu1000Status, YaesuCommandSet::Older, 5, 10);
    if (is("Other"))
        return std::make_unique<OtherDriver>();
    return std::make_unique<SilentDriver>();
}
