#include "rig/IcomDriver.h"

#include "rig/IcomCodec.h"
#include "rig/RigText.h"

using namespace rigframes;

namespace {

// The requests name the radio by its address, which differs from one radio to the next.
const QString AddressNote = QStringLiteral(
    "Icom radio users will have to replace the 64 in the string with the ID for your particular radio.  "
    "Please check your Icom user's manual for details.");

// Frequency and mode asked in turn, six hex pairs each; CI-V frames back. Each frame names
// its command, so every whole frame is read for what it answers, whichever was asked last:
// a slow radio's answer that comes after the next request still reaches the log.
class IcomDriver final : public RigDriver {
public:
    struct Options {
        int frequencyBytes = 5;            // the IC-735 answers with four
        std::vector<int> pausesMs = {140}; // the Omni VI needs longer
        bool modeCommand = true;           // the IC-735 has none
        const char* address = "64";        // in the default requests
        bool addressNote = true;           // the Omni VI's requests need no change
        bool noteAtLoad = true;            // the window's load leaves the IC-735's hidden
    };
    explicit IcomDriver(Options options) : m_options(std::move(options)) {}

    RigTypeDefaults defaults() const override
    {
        const QByteArray frame = QByteArray("FE FE ") + m_options.address + " E0 ";
        RigTypeDefaults d = lineDefaults("1200", "1", QString::fromLatin1(frame + "03 FD"),
                                         QString::fromLatin1(frame + "04 FD"), true);
        if (m_options.addressNote)
            d.note = AddressNote;
        d.noteAtLoad = m_options.addressNote && m_options.noteAtLoad;
        return d;
    }
    std::optional<QByteArray> pollRequest(const RigRequests& r, quint8& toggle) const override
    {
        return inTurn(r, toggle, 17, [](const QString& s) { return hexPairsToBytes(s, 6); });
    }
    qsizetype wholeReplies(const QByteArray& read, quint8) const override { return icomWholeFrames(read); }
    // Only what our radio (the address in the request) says to the program is read.
    bool decode(const QByteArray& reply, const RigRequests& r, quint8, RigReport& report) const override
    {
        const auto radio = icomRadioAddress(r.frequency);
        const QByteArray ours = radio ? icomFramesFromTo(reply, *radio, IcomController) : reply;
        const bool frequency = parseIcomFrequency(ours, m_options.frequencyBytes, report);
        return parseIcomMode(ours, report) || frequency;
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

} // namespace

std::unique_ptr<RigDriver> icomDriver() { return std::make_unique<IcomDriver>(IcomDriver::Options{}); }

std::unique_ptr<RigDriver> icom735Driver()
{
    IcomDriver::Options options;
    options.frequencyBytes = 4;
    options.modeCommand = false;
    options.noteAtLoad = false;
    return std::make_unique<IcomDriver>(options);
}

std::unique_ptr<RigDriver> omniViDriver()
{
    IcomDriver::Options options;
    options.pausesMs = {140, 220};
    options.address = "04";
    options.addressNote = false;
    return std::make_unique<IcomDriver>(options);
}
