#include "entry/QsoRates.h"

#include "core/NumberFormat.h"
#include "entry/DateTimeText.h"

#include <QDate>
#include <QTime>
#include <algorithm>
#include <cmath>

namespace {

// Date and time compare by their wall-clock values: the log and the "now" passed in are
// both UTC readings, whatever time zone the QDateTime is marked with.
QDateTime wallClock(const QDate& date, const QTime& time) { return QDateTime(date, time, Qt::UTC); }

std::optional<QDateTime> readLogDateTime(const LogEntry& entry)
{
    const QDate date = parseLogDate(entry.Date);
    const QTime time = parseLogTime(entry.Time);
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return wallClock(date, time);
}

// A figure as the operating-time text writes it: "0" and the number below 10, else the
// last two characters of its decimal form.
QString twoDigits(double value)
{
    const QString text = formatDouble(value);
    return value < 10 ? QLatin1Char('0') + text : text.right(2);
}

} // namespace

std::optional<QsoRates> countQsoRates(const AppState& state, const QDateTime& utcNow)
{
    if (!utcNow.isValid())
        return std::nullopt;
    const QTime nowTime = utcNow.time();
    const QDateTime now = wallClock(utcNow.date(), QTime(nowTime.hour(), nowTime.minute(), nowTime.second()));

    int c20 = 0;
    int c60 = 0;
    const qint32 last = std::clamp<qint32>(state.log.QsoCount, 0, qint32(state.log.Log.size()) - 1);
    for (qint32 n = last; n >= 1; --n) {
        const std::optional<QDateTime> at = readLogDateTime(state.log.Log[n]);
        if (!at)
            return std::nullopt;
        const qint64 age = at->secsTo(now);
        if (age < 1200)
            ++c20;
        if (age >= 3600)
            break;
        ++c60;
    }
    return QsoRates{c60, 3 * c20};
}

QString operatingTimeText(float seconds)
{
    const double s = double(seconds);
    const double h = std::floor(s / 3600);
    const double m = std::floor(s / 60 - h * 60);
    const double x = s - std::floor(s / 60) * 60;
    return twoDigits(h) + QLatin1Char(':') + twoDigits(m) + QLatin1Char(':') + twoDigits(x);
}

QDateTime utcFromLocal(const QDateTime& local, float utcOffsetHours)
{
    const qint64 minutes = qRound64(double(utcOffsetHours) * 60);
    return wallClock(local.date(), local.time()).addSecs(minutes * 60);
}
