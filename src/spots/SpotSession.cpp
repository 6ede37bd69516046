#include "spots/SpotSession.h"

#include "spots/SpotLines.h"

#include <utility>

SpotSession::SpotSession(SpotLinkDevices devices) : m_devices(std::move(devices))
{
    m_tick.setInterval(TickMs);
    QObject::connect(&m_tick, &QTimer::timeout, [this] {
        if (onTick)
            onTick();
        else
            poll();
    });
    choose(noSpotLink());
}

SpotSession::~SpotSession() = default;

void SpotSession::choose(const SpotLinkKind& kind)
{
    m_chosen = &kind;
    std::unique_ptr<SpotSource>& made = m_sources[&kind];
    if (made)
        return;
    made = kind.makeSource(m_devices);
    wire(*made);
}

void SpotSession::wire(SpotSource& source)
{
    source.onStatus = [this](const QString& text) { appendMonitor(text); };
    source.onError = [this](const QString& message) {
        if (onError)
            onError(message);
    };
    source.onLine = [this](const QString& line) { filteredLine(line); };
    source.onReceived = [this](const QString& text) { arrivedText(text); };
    source.onShownLine = [this](const QString& line) { arrivedLine(line); };
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
    SpotSource& chosen = source();
    chosen.configure(settings);
    const SpotOpen opened = chosen.open();
    if (opened == SpotOpen::Running) {
        const QString notice = chosen.openingNotice();
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
    source().close();
    m_tick.stop();
}

bool SpotSession::sendLine(const QString& text) { return source().sendLine(text); }

bool SpotSession::sendCommandCharacter(const QString& hexDigits) { return source().sendCommandCharacter(hexDigits); }

bool SpotSession::sendAtWordBreak(const QString& text)
{
    SpotSource& chosen = source();
    if (!chosen.isOpen() || chosen.wordBreakLength() <= 0 || text.size() <= chosen.wordBreakLength()
        || !text.endsWith(u' '))
        return false;
    chosen.sendLine(text.left(text.size() - 1));
    return true;
}

void SpotSession::poll() { source().poll(); }

void SpotSession::release() { source().close(); }

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
    m_sources.clear();
    choose(noSpotLink());
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
