#include "FuzzAgwFrames.h"

#include "spots/AgwFrames.h"
#include "spots/AgwLink.h"
#include "spots/SpotLines.h"

#include <cstdlib>
#include <utility>

namespace {

void require(bool rule)
{
    if (!rule)
        std::abort();
}

// An engine that is always there: it connects at once, accepts the registration, and
// delivers what the fuzzer hands it.
class EngineEnd final : public TcpLink {
public:
    QByteArray incoming;

    void connectToHost(const QString&, quint16) override
    {
        m_state = State::Connected;
        if (onConnected)
            onConnected();
    }
    void close() override { m_state = State::Closed; }
    State state() const override { return m_state; }
    bool write(const QByteArray& bytes) override
    {
        if (m_state != State::Connected)
            return false;
        if (bytes.size() >= AgwHeaderSize && bytes[4] == 'X') {
            QByteArray accepted(AgwHeaderSize, '\0');
            accepted[4] = 'X';
            accepted[28] = 1; // one byte of data: 1, accepted
            deliver(accepted + '\x01');
        }
        return true;
    }
    QByteArray readAll() override { return std::exchange(incoming, {}); }
    void deliver(const QByteArray& bytes)
    {
        incoming += bytes;
        if (onDataArrived)
            onDataArrived();
    }

private:
    State m_state = State::Closed;
};

void fuzzDecoder(const QByteArray& bytes)
{
    AgwFrameDecoder decoder;
    for (qsizetype at = 0, piece = 1; at < bytes.size(); at += piece, piece = piece % 53 + 7) {
        decoder.feed(QByteArrayView(bytes).sliced(at, std::min(piece, bytes.size() - at)), [](AgwFrame&& f) {
            require(f.data.size() <= AgwDataKept);
            require(f.callFrom.size() <= AgwCallSize && f.callTo.size() <= AgwCallSize);
        });
        require(decoder.held() <= AgwHeaderSize + AgwDataKept);
    }
}

} // namespace

void fuzzAgwFrames(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    fuzzDecoder(bytes);

    auto end = std::make_unique<EngineEnd>();
    EngineEnd* engineEnd = end.get();
    AgwLink link(std::make_unique<AgwEngine>(std::move(end), QStringLiteral("127.0.0.1"), AgwDefaultPort, 0));
    QString monitor;
    bool dxOnly = false;
    int spots = 0;
    link.monitorText = [&] { return monitor; };
    link.listDxOnly = [&] { return dxOnly; };
    link.onStatus = [&](const QString& text) {
        monitor += text;
        TrimMonitor(monitor);
    };
    link.onSpot = [&](const QString&, const QString&, const QString& line) {
        require(agwSpotText(line));
        ++spots;
    };
    link.onCaption = [](const QString&) {};
    link.onBeep = [] {};
    link.onMessage = [](const QString&, const QString&) {};
    link.onShowWindow = [] {};
    require(link.StartAgw(QStringLiteral("K5TQP"), QStringLiteral("Form1")) == SpotOpen::Running);

    for (qsizetype at = 0, piece = 3; at < bytes.size(); at += piece, piece = piece % 211 + 29) {
        engineEnd->deliver(bytes.mid(at, piece));
        require(link.engine().waitingFrames() <= AgwEngine::MaxWaitingFrames);
        dxOnly = (bytes[at] & 1) != 0;
        for (int tick = 0; tick < 3; ++tick) {
            link.PollAgw();
            require(monitor.size() <= MonitorTrimThreshold);
        }
        if ((bytes[at] & 6) == 6)
            link.SendAgw(QString::fromLatin1(bytes.mid(at, 12)));
    }
    while (link.engine().waitingFrames() > 0)
        link.PollAgw();
    require(monitor.size() <= MonitorTrimThreshold);
    link.closeLink();
}
