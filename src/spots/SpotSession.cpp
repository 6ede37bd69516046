#include "spots/SpotSession.h"

#include "spots/AgwEngine.h"
#include "spots/AgwLink.h"
#include "spots/SpotLines.h"
#include "spots/TelnetLink.h"
#include "spots/TncLink.h"

#include <utility>

namespace {

size_t slot(SpotLinkKind kind) { return size_t(kind) - 1; }

} // namespace

SpotLinkKind spotLinkKind(const QString& transport)
{
    const auto is = [&transport](const char* name) {
        return transport.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
    };
    if (is("TNC"))
        return SpotLinkKind::Tnc;
    if (is("Telnet"))
        return SpotLinkKind::Telnet;
    if (is("AGW Packet Engine"))
        return SpotLinkKind::Agw;
    return SpotLinkKind::None;
}

std::unique_ptr<SpotSource> makeSpotSource(SpotLinkKind kind, const SpotLinkDevices& devices)
{
    switch (kind) {
    case SpotLinkKind::Tnc: return std::make_unique<TncLink>(devices.makeSerialPort());
    case SpotLinkKind::Telnet: return std::make_unique<TelnetLink>(devices.makeTcpLink());
    case SpotLinkKind::Agw: {
        // The engine listens on 127.0.0.1:8000 unless the address says otherwise.
        const AgwAddress engine = agwAddress(devices.agwAddress ? devices.agwAddress() : QString());
        return std::make_unique<AgwLink>(std::make_unique<AgwEngine>(devices.makeTcpLink(), engine.host, engine.port));
    }
    case SpotLinkKind::None: break;
    }
    return nullptr;
}

SpotSession::SpotSession(SpotLinkDevices devices) : m_devices(std::move(devices))
{
    m_tick.setInterval(TickMs);
    QObject::connect(&m_tick, &QTimer::timeout, [this] {
        if (onTick)
            onTick();
        else
            poll();
    });
}

SpotSession::~SpotSession() = default;

void SpotSession::choose(SpotLinkKind kind)
{
    m_chosen = kind;
    if (kind == SpotLinkKind::None)
        return;
    std::unique_ptr<SpotSource>& made = m_sources[slot(kind)];
    if (made)
        return;
    made = makeSpotSource(kind, m_devices);
    wire(*made, kind);
}

SpotSource* SpotSession::source() const
{
    return m_chosen == SpotLinkKind::None ? nullptr : m_sources[slot(m_chosen)].get();
}

void SpotSession::wire(SpotSource& source, SpotLinkKind kind)
{
    source.onStatus = [this](const QString& text) { appendMonitor(text); };
    source.onError = [this](const QString& message) {
        if (onError)
            onError(message);
    };
    if (kind == SpotLinkKind::Telnet) {
        source.onReceived = [this](const QString& text) { arrivedText(text); };
        source.onLine = [this](const QString& line) { arrivedLine(line); };
    } else {
        source.onLine = [this](const QString& line) { filteredLine(line); };
    }
    source.monitorText = [this] { return m_monitor; };
    source.listDxOnly = [this] { return dxOnly(); };
    source.onSpot = [this](const QString& frequency, const QString& call, const QString& line) {
        spot(frequency, call, line);
    };
    source.onCaption = [this](const QString& caption) {
        if (onCaption)
            onCaption(caption);
    };
    source.onBeep = [this] {
        if (onBeep)
            onBeep();
    };
    source.onMessage = [this](const QString& text, const QString& title) {
        if (onMessage)
            onMessage(text, title);
    };
    source.onShowWindow = [this] {
        if (onShowWindow)
            onShowWindow();
    };
}

SpotOpen SpotSession::open(const SpotLinkSettings& settings)
{
    SpotSource* chosen = source();
    if (!chosen)
        return SpotOpen::Refused;
    chosen->configure(settings);
    const SpotOpen opened = chosen->open();
    if (opened == SpotOpen::Running) {
        const QString notice = chosen->openingNotice();
        if (!notice.isEmpty())
            replaceMonitor(notice);
        m_tick.start();
    } else if (opened == SpotOpen::Refused) {
        m_tick.stop();
    }
    return opened;
}

void SpotSession::close()
{
    if (SpotSource* chosen = source())
        chosen->close();
    m_tick.stop();
}

bool SpotSession::sendLine(const QString& text)
{
    SpotSource* chosen = source();
    return chosen && chosen->sendLine(text);
}

bool SpotSession::sendCommandCharacter(const QString& hexDigits)
{
    SpotSource* chosen = source();
    return chosen && chosen->sendCommandCharacter(hexDigits);
}

bool SpotSession::sendAtWordBreak(const QString& text)
{
    SpotSource* chosen = source();
    if (!chosen || !chosen->isOpen() || chosen->wordBreakLength() <= 0 || text.size() <= chosen->wordBreakLength()
        || !text.endsWith(u' '))
        return false;
    chosen->sendLine(text.left(text.size() - 1));
    return true;
}

void SpotSession::poll()
{
    if (SpotSource* chosen = source())
        chosen->poll();
}

void SpotSession::release()
{
    if (SpotSource* chosen = source())
        chosen->close();
}

void SpotSession::unload()
{
    m_tick.stop();
    onTick = nullptr;
    listDxOnly = nullptr;
    onMonitorChanged = nullptr;
    onSpot = nullptr;
    onError = nullptr;
    onCaption = nullptr;
    onBeep = nullptr;
    onMessage = nullptr;
    onShowWindow = nullptr;
    for (auto& made : m_sources)
        made.reset();
    m_chosen = SpotLinkKind::None;
    m_monitor.clear();
}

// The monitor ---------------------------------------------------------------------------

void SpotSession::replaceMonitor(const QString& text)
{
    m_monitor = text;
    monitorChanged();
}

void SpotSession::appendMonitor(const QString& text)
{
    m_monitor += text;
    trimMonitor();
}

void SpotSession::trimMonitor()
{
    TrimMonitor(m_monitor);
    monitorChanged();
}

void SpotSession::monitorChanged()
{
    if (onMonitorChanged)
        onMonitorChanged();
}

// What arrives ---------------------------------------------------------------------------

void SpotSession::spot(const QString& frequency, const QString& call, const QString& line)
{
    if (onSpot)
        onSpot(frequency, call, line);
}

void SpotSession::filteredLine(const QString& line)
{
    monitorLine(m_monitor, line, dxOnly(), [this](const QString& spotLine) {
        const SpotLineFields fields = parseSpotLine(spotLine);
        spot(fields.frequency, fields.call, spotLine);
    });
    monitorChanged();
}

void SpotSession::arrivedText(const QString& text)
{
    if (dxOnly())
        return;
    appendMonitor(text);
}

void SpotSession::arrivedLine(const QString& line)
{
    if (!isSpotLine(line))
        return;
    const SpotLineFields fields = parseSpotLine(line);
    spot(fields.frequency, fields.call, line);
    if (dxOnly())
        appendMonitor(line);
}
