#include "core/UtcOffset.h"

#include "core/AppState.h"
#include "core/NumberFormat.h"
#include "core/Preferences.h"
#include "platform/CoreServices.h"
#include "platform/Prompts.h"

#include <cmath>
#include <limits>

namespace {

// Wall-clock fields to the minute, compared as if both were in one zone.
QDateTime wallMinutes(const QDateTime& t)
{
    const QTime time = t.time();
    return QDateTime(t.date(), QTime(time.hour(), time.minute()), Qt::UTC);
}

} // namespace

float recommendedUtcOffset(const ClockReading& reading)
{
    const qint64 minutes = wallMinutes(reading.local).secsTo(wallMinutes(reading.utc)) / 60;
    return float(roundHalfEven(double(minutes) / 60.0 * 100.0) / 100.0);
}

bool CheckUTCOffset(AppState& state, CoreServices& services, const Prompts& prompts, bool saveAccepted)
{
    const float kept = state.station.UtcOffsetHours;
    const ClockReading reading = services.clock->now();
    if (!reading.local.isValid() || !reading.utc.isValid())
        return false;
    const float recommended = recommendedUtcOffset(reading);
    if (kept == recommended)
        return false;

    const QString prompt =
        QStringLiteral("Would you like to adjust the UTC offset in this program for your local time setting?")
        + QStringLiteral("\n\nCurrent System Time: ") + reading.utc.toString(QStringLiteral("HH:mm"))
        + QStringLiteral("\n\nCurrent Local Time: ") + reading.local.toString(QStringLiteral("HH:mm"))
        + QStringLiteral("\n\nRecommended Offset Setting: ") + formatSingle(recommended)
        + QStringLiteral("\n\nCurrent Offset Setting: ") + formatSingle(kept)
        + QStringLiteral("\n\nPlease click OK to accept the recommended change or Cancel to keep the current setting.");
    const auto answer = prompts.ask(
        prompt, QStringLiteral("Update the Local Time / UTC Offset?"), formatSingle(recommended));
    if (!answer)
        return false;
    const auto number = parsePlainNumber(*answer);
    if (!number || std::fabs(*number) > std::numeric_limits<float>::max())
        return false;
    state.station.UtcOffsetHours = float(*number);
    if (saveAccepted)
        SavePrefFile(state, services.fileWriter.get());
    return true;
}
