// The clocks and rates panel on a window of its own, as the rate graph will show it.

#include "entry/windows/ClockRatesPanel.h"

#include "core/forms/Form.h"
#include "support/LoneWindowContext.h"
#include "support/TestLog.h"

#include <QLabel>
#include <gtest/gtest.h>

namespace {

struct PanelHost {
    LoneWindowContext lone;
    Form form{lone.context(), QStringLiteral("host"), 9600, 7200};
    ClockRatesPanel panel{form, {1000, 2000}, {QStringLiteral("Operating Time")}};
    FakeClock& clock = *lone.services.clock;

    PanelHost() { lone.state.station.UtcOffsetHours = 5; }
};

TEST(ClockRatesPanel, SitsOnItsHostFromItsCornerAndShowsTheClocksAndTheOperatingTime)
{
    PanelHost host;
    const Control* utc = host.form.controlFor(host.panel.lblutctime);
    ASSERT_NE(utc, nullptr);
    EXPECT_FLOAT_EQ(utc->Left, 2560);
    EXPECT_FLOAT_EQ(utc->Top, 2240);
    EXPECT_EQ(host.panel.Label12->text(), QStringLiteral("Operating Time"));

    host.lone.state.station.StoredOperatingSeconds = 600;
    host.panel.showStoredOperatingTime();
    host.panel.Timer2_Timer();
    EXPECT_EQ(host.panel.lblCurTime->text(), QStringLiteral("1:05:00"));
    EXPECT_EQ(host.panel.Label16->text(), QStringLiteral("PM"));
    EXPECT_EQ(host.panel.lblutctime->text(), QStringLiteral("18:05:00"));
    EXPECT_EQ(host.panel.lblttrack->text(), QStringLiteral("00:10:00"));

    // The operating time runs only between time on and time off.
    host.panel.startOperatingTime();
    host.clock.local = host.clock.local.addSecs(65);
    host.panel.Timer2_Timer();
    EXPECT_EQ(host.panel.lblttrack->text(), QStringLiteral("00:11:05"));
    host.panel.stopOperatingTime();
    EXPECT_FLOAT_EQ(host.lone.state.station.StoredOperatingSeconds, 665);
    host.clock.local = host.clock.local.addSecs(100);
    host.panel.Timer2_Timer();
    EXPECT_EQ(host.panel.lblttrack->text(), QStringLiteral("00:11:05"));
}

TEST(ClockRatesPanel, RatesCountTheLog)
{
    PanelHost host;
    // UTC now is 18:05:00: three contacts in the last hour, two of them in the last twenty
    // minutes (shown three times over, as an hourly rate).
    for (const char* time : {"16:50:00", "17:30:00", "17:50:00", "18:00:00"})
        appendContact(host.lone.state, {.time = QString::fromLatin1(time)});
    host.panel.Timer1_Timer();
    EXPECT_EQ(host.panel.lblAQSO60->text(), QStringLiteral("3"));
    EXPECT_EQ(host.panel.lblAQSO20->text(), QStringLiteral("6"));
}

} // namespace
