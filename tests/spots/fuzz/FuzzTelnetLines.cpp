#include "FuzzTelnetLines.h"

#include "spots/SpotLines.h"
#include "spots/TelnetLink.h"

#include <cstdlib>
#include <memory>
#include <utility>

namespace {

void require(bool rule)
{
    if (!rule)
        std::abort();
}

// The cluster's end of the link: whatever the fuzzer sends, one read at a time.
class PeerLink final : public TcpLink {
public:
    void connectToHost(const QString&, quint16) override { m_state = State::Connected; }
    void close() override { m_state = State::Closed; }
    State state() const override { return m_state; }
    bool write(const QByteArray&) override { return m_state == State::Connected; }
    QByteArray readAll() override { return std::exchange(m_pending, {}); }

    void deliver(const QByteArray& bytes)
    {
        m_pending += bytes;
        if (onDataArrived)
            onDataArrived();
    }

private:
    State m_state = State::Closed;
    QByteArray m_pending;
};

} // namespace

void fuzzTelnetLines(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return;
    const int step = data[0] % 64 + 1;
    const QByteArray stream(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    auto owned = std::make_unique<PeerLink>();
    PeerLink& peer = *owned;
    TelnetLink telnet(std::move(owned));
    QString monitor;
    bool listDxOnly = (data[0] & 0x40) != 0;
    bool promptBefore = false;
    telnet.onReceived = [&](const QString& text) {
        if (listDxOnly)
            return;
        monitor += text;
        TrimMonitor(monitor);
    };
    telnet.onShownLine = [&](const QString& line) {
        // A whole line, or the text a spot line followed on it, that spot line next.
        if (promptBefore)
            require(line.startsWith(QLatin1String("DX de "), Qt::CaseInsensitive));
        promptBefore = !line.endsWith(u'\r') && !line.endsWith(u'\n');
        if (isSpotLine(line)) {
            const SpotLineFields fields = parseSpotLine(line);
            // Read by columns or by words, the fields come from the line before its ending.
            const QString firstLine = upToLineEnd(line);
            require(firstLine.contains(fields.call) && firstLine.contains(fields.frequency));
            if (listDxOnly) {
                monitor += line;
                TrimMonitor(monitor);
            }
        }
        listDxOnly = !listDxOnly;
        require(monitor.size() <= MonitorTrimThreshold);
    };
    telnet.setRemote(QStringLiteral("127.0.0.1"), QStringLiteral("7300"));
    require(telnet.open() == SpotOpen::Running);
    for (qsizetype at = 0, piece = step; at < stream.size(); at += piece, piece = piece % 61 + step) {
        peer.deliver(stream.mid(at, piece));
        require(telnet.waitingText().size() <= TncLineAssembler::MaxWaitingLine + 128);
        require(!telnet.waitingText().contains(u'\r') && !telnet.waitingText().contains(u'\n'));
    }
}
