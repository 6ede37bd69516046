#include "rig/KenwoodDriver.h"

#include "rig/KenwoodCodec.h"

using namespace rigframes;

namespace {

// The radios whose replies end with ";".
class SemicolonDriver : public RigDriver {
public:
    qsizetype wholeReplies(const QByteArray& read, quint8) const override { return throughLast(read, ';'); }
    int repliesAsked(const QByteArray& request) const override { return commandsAsked(request, ';'); }
    int repliesIn(const QByteArray& replies, bool) const override { return int(replies.count(';')); }
};

bool decodeFaAndMd(const QByteArray& replies, const RigRequests& r, RigReport& report)
{
    return eachReply(replies, ';', [&](const QByteArray& reply) {
        const bool frequency = parseKenwoodFrequency(reply, r, report);
        return parseKenwoodMode(reply, report) || frequency;
    });
}

class KenwoodDriver final : public SemicolonDriver {
public:
    RigTypeDefaults defaults() const override { return lineDefaults("4800", "2", "FA;", "MD;", false); }
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

class KenwoodIfDriver final : public SemicolonDriver {
public:
    RigTypeDefaults defaults() const override { return lineDefaults("4800", "2", "IF;", "", false); }
    std::optional<QByteArray> pollRequest(const RigRequests& r, quint8&) const override { return bothAsTyped(r); }
    bool decode(const QByteArray& reply, const RigRequests&, quint8, RigReport& report) const override
    {
        return eachReply(reply, ';', [&](const QByteArray& one) { return parseKenwoodIfReply(one, report); });
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
    RigTypeDefaults defaults() const override { return lineDefaults("4800", "2", "FA;", "MD;", false); }
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
    // Only the speed: data bits, stop bits and parity stay as they were.
    RigTypeDefaults defaults() const override
    {
        RigTypeDefaults d;
        d.baud = QStringLiteral("4800");
        d.frequencyRequest = QStringLiteral("FA;");
        d.modeRequest = QStringLiteral("MD0;");
        return d;
    }
    std::optional<QByteArray> pollRequest(const RigRequests& r, quint8& toggle) const override
    {
        return inTurn(r, toggle, 2, [](const QString& s) { return std::optional(s.toLatin1()); });
    }
    bool decode(const QByteArray& reply, const RigRequests& r, quint8, RigReport& report) const override
    {
        return eachReply(reply, ';', [&](const QByteArray& one) { return parseFtdx9000Reply(one, r, report); });
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

} // namespace

std::unique_ptr<RigDriver> kenwoodDriver() { return std::make_unique<KenwoodDriver>(); }
std::unique_ptr<RigDriver> kenwoodIfDriver() { return std::make_unique<KenwoodIfDriver>(); }
std::unique_ptr<RigDriver> elecraftDriver() { return std::make_unique<ElecraftDriver>(); }
std::unique_ptr<RigDriver> ftdx9000Driver() { return std::make_unique<Ftdx9000Driver>(); }
