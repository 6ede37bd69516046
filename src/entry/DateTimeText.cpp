#include "entry/DateTimeText.h"

#include <QRegularExpression>
#include <array>

QDate parseLogDate(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral(R"(^\s*(\d{4})[/-](\d{1,2})[/-](\d{1,2})\s*$)"));
    const auto match = pattern.match(text);
    if (!match.hasMatch())
        return {};
    return QDate(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt());
}

QTime parseLogTime(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral(R"(^\s*(\d{1,2}):(\d{2})(?::(\d{2}))?\s*$)"));
    const auto match = pattern.match(text);
    if (!match.hasMatch())
        return {};
    const int seconds = match.captured(3).isEmpty() ? 0 : match.captured(3).toInt();
    return QTime(match.captured(1).toInt(), match.captured(2).toInt(), seconds);
}

QString logDate(const QDate& date) { return date.toString(QStringLiteral("yyyy/MM/dd")); }

QString logTime(const QTime& time) { return time.toString(QStringLiteral("HH:mm:ss")); }

QString logDateMonthDay(const QString& date)
{
    const QDate parsed = parseLogDate(date);
    return parsed.isValid() ? parsed.toString(QStringLiteral("MM/dd")) : date;
}

QString logTimeHourMinute(const QString& time)
{
    const QTime parsed = parseLogTime(time);
    return parsed.isValid() ? parsed.toString(QStringLiteral("HH:mm")) : time;
}

namespace {

// The order of day ('d'), month ('M') and year ('y') in a QLocale date format, skipping
// quoted literals and day names ("ddd"); empty when one of the three is missing.
QString dayMonthYearOrder(const QString& format)
{
    QString order;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
            continue;
        }
        if (quoted || (c != QLatin1Char('d') && c != QLatin1Char('M') && c != QLatin1Char('y')))
            continue;
        qsizetype run = 1;
        while (i + run < format.size() && format[i + run] == c)
            ++run;
        const bool dayName = c == QLatin1Char('d') && run >= 3;
        if (!dayName && !order.contains(c))
            order += c;
        i += run - 1;
    }
    return order.size() == 3 ? order : QString();
}

QDate dateInOrder(const std::array<QString, 3>& parts, const QString& order)
{
    int year = 0, month = 0, day = 0;
    for (int i = 0; i < 3; ++i) {
        const QString& part = parts[size_t(i)];
        const bool isYear = order[i] == QLatin1Char('y');
        if (isYear ? part.size() != 4 : part.size() > 2)
            return {};
        (isYear ? year : order[i] == QLatin1Char('M') ? month : day) = part.toInt();
    }
    return QDate(year, month, day);
}

} // namespace

QDate parseTypedDate(const QString& text, const QString& shortDateFormat)
{
    static const QRegularExpression pattern(QStringLiteral(R"(^(\d{1,4})/(\d{1,4})/(\d{1,4})$)"));
    const auto match = pattern.match(text);
    if (!match.hasMatch())
        return {};
    const std::array<QString, 3> parts = {match.captured(1), match.captured(2), match.captured(3)};
    if (parts[0].size() == 4)
        return dateInOrder(parts, QStringLiteral("yMd"));
    const QString order = dayMonthYearOrder(shortDateFormat);
    return order.isEmpty() ? QDate() : dateInOrder(parts, order);
}

QTime parseTypedTime(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral(R"(^(\d{1,2}):(\d{1,2})(?::(\d{1,2}))?$)"));
    const auto match = pattern.match(text);
    if (!match.hasMatch())
        return {};
    return QTime(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt());
}

QString logDateText(const QString& typed, const QString& shortDateFormat)
{
    const QDate date = parseTypedDate(typed, shortDateFormat);
    return date.isValid() ? logDate(date) : QString();
}

QString logTimeText(const QString& typed)
{
    const QTime time = parseTypedTime(typed);
    if (!time.isValid())
        return {};
    const bool withSeconds = typed.count(QLatin1Char(':')) > 1;
    return time.toString(withSeconds ? QStringLiteral("HH:mm:ss") : QStringLiteral("HH:mm"));
}

PostContestTime readPostContestTime(const QString& typed)
{
    PostContestTime read{typed, {}};
    bool numeric = false;
    typed.toInt(&numeric);
    if ((typed.size() == 3 || typed.size() == 4) && numeric)
        read.field.insert(typed.size() - 2, QLatin1Char(':'));
    const QTime time = parseTypedTime(read.field);
    if (time.isValid())
        read.logged = time.toString(QStringLiteral("HH:mm"));
    return read;
}
