#include "entry/windows/ClockRatesPanel.h"

#include "core/AppState.h"
#include "core/Preferences.h"
#include "core/forms/Form.h"
#include "entry/QsoRates.h"
#include "platform/Services.h"

#include <QLabel>
#include <QLocale>

ClockRatesPanel::ClockRatesPanel(Form& host, QPointF origin, const Captions& captions)
    : QObject(&host), m_host(host)
{
    // Design places relative to the panel's corner.
    auto label = [&](const QString& text, float left, float top, float width) {
        return host.place(new QLabel(text, &host), ControlKind::Label, float(origin.x()) + left,
                          float(origin.y()) + top, width, 255);
    };
    lblCurTime = label(QStringLiteral("Reg Time"), 0, 240, 1080);
    Label16 = label(QStringLiteral("am"), 1080, 240, 360);
    Label11 = label(QStringLiteral("UTC"), 1560, 0, 1200);
    lblutctime = label(QStringLiteral("UTC TIME"), 1560, 240, 1200);
    Label12 = label(captions.operatingTime, 0, 600, 1440);
    lblttrack = label(QStringLiteral("00:00:00"), 0, 840, 1440);
    Label9 = label(QStringLiteral("QSOs / Hr (last 60 min)"), 1560, 600, 1560);
    host.controlFor(Label9)->FontSize = 6;
    lblAQSO60 = label(QString(), 1560, 840, 1200);
    Label8 = label(QStringLiteral("QSOs / Hr (last 20 min)"), 1560, 1140, 1560);
    host.controlFor(Label8)->FontSize = 6;
    lblAQSO20 = label(QString(), 1560, 1380, 1200);

    Timer1.setInterval(60000);
    Timer2.setInterval(1000);
    connect(&Timer1, &QTimer::timeout, this, &ClockRatesPanel::Timer1_Timer);
    connect(&Timer2, &QTimer::timeout, this, &ClockRatesPanel::Timer2_Timer);
}

void ClockRatesPanel::start()
{
    Timer1.start();
    Timer2.start();
}

void ClockRatesPanel::stop()
{
    Timer1.stop();
    Timer2.stop();
}

void ClockRatesPanel::Timer1_Timer() { UpdateQsoRates(); }

void ClockRatesPanel::UpdateQsoRates()
{
    const AppState& state = m_host.context().state;
    const QDateTime utc = utcFromLocal(m_host.context().services.clock->localNow(), state.station.UtcOffsetHours);
    const auto rates = countQsoRates(state, utc);
    if (!rates)
        return;
    lblAQSO60->setText(QString::number(rates->last60));
    lblAQSO20->setText(QString::number(rates->last20x3));
}

void ClockRatesPanel::Timer2_Timer()
{
    AppState& state = m_host.context().state;
    const QDateTime local = m_host.context().services.clock->localNow();
    const QDateTime utc = utcFromLocal(local, state.station.UtcOffsetHours);
    const QLocale c = QLocale::c();
    QString twelveHour = c.toString(local.time(), QStringLiteral("h:mm:ss AP"));
    lblCurTime->setText(twelveHour.left(twelveHour.size() - 3));
    Label16->setText(c.toString(local.time(), QStringLiteral("AP")));
    lblutctime->setText(utc.toString(QStringLiteral("HH:mm:ss")));
    if (state.clock.TimedOn != 1)
        return;
    state.clock.OperatingSeconds =
        std::abs(state.station.StoredOperatingSeconds + float(m_timeOnAt.secsTo(local)));
    lblttrack->setText(operatingTimeText(state.clock.OperatingSeconds));
}

void ClockRatesPanel::startOperatingTime()
{
    m_timeOnAt = m_host.context().services.clock->localNow();
    m_host.context().state.clock.TimedOn = 1;
}

void ClockRatesPanel::stopOperatingTime()
{
    AppState& state = m_host.context().state;
    state.clock.TimedOn = 0;
    state.station.StoredOperatingSeconds = state.clock.OperatingSeconds;
}

void ClockRatesPanel::showStoredOperatingTime()
{
    AppState& state = m_host.context().state;
    state.clock.OperatingSeconds = state.station.StoredOperatingSeconds;
    lblttrack->setText(operatingTimeText(state.clock.OperatingSeconds));
}

void ClockRatesPanel::saveOperatingTimeIfRunning()
{
    AppState& state = m_host.context().state;
    if (state.clock.TimedOn != 1)
        return;
    state.station.StoredOperatingSeconds = state.clock.OperatingSeconds;
    SavePrefFile(state, m_host.context().services.fileWriter.get());
    state.clock.TimedOn = 0;
}
