#pragma once

// The log's dates and times: its own forms ("yyyy/mm/dd", "hh:mm:ss"), read and written in
// one place, and what the operator types into the date and time fields.

#include <QDate>
#include <QString>
#include <QTime>

// A date as the log holds it: "yyyy/mm/dd", "yyyy/m/d" (also with "-", blanks around); an
// invalid QDate otherwise.
QDate parseLogDate(const QString& text);

// A time as the log holds it: "h:mm", "hh:mm", "hh:mm:ss" (blanks around); hours 0 to 23.
// An invalid QTime otherwise ("24:00", "14:5").
QTime parseLogTime(const QString& text);

// The log's own forms of a date ("yyyy/mm/dd") and of a time ("hh:mm:ss").
QString logDate(const QDate& date);
QString logTime(const QTime& time);

// "mm/dd" of a log date and "hh:mm" of a log time, as the log list and the duplicate
// messages show them; a text that is not a date or a time is returned as stored.
QString logDateMonthDay(const QString& date);
QString logTimeHourMinute(const QString& time);

// A date typed into one of the log's forms: the log's own order "yyyy/m/d", or day, month
// and year in the order the user's short date format puts them (QLocale's format text,
// such as "M/d/yy", which gives "9/29/2024"). Day and month take one or two digits, the
// year always four; "/" is the only separator. An invalid QDate otherwise.
QDate parseTypedDate(const QString& text, const QString& shortDateFormat);

// A time typed into one of the log's forms: "h:m" or "h:m:s", one or two digits each
// ("12:3" is 12:03); hours 0 to 23. An invalid QTime otherwise.
QTime parseTypedTime(const QString& text);

// The log's own form "yyyy/mm/dd" of a date typed as parseTypedDate reads it; empty when
// the text is not a date.
QString logDateText(const QString& typed, const QString& shortDateFormat);

// The log's own form of a time typed as parseTypedTime reads it: "hh:mm:ss", or "hh:mm"
// when it was typed without seconds; empty when the text is not a time.
QString logTimeText(const QString& typed);

// The post-contest time field as read when a contact is logged: three or four digits take
// a colon before the last two ("930" is "9:30"), which the field then shows; logged is
// that time in the log's "hh:mm" form (seconds typed are dropped), empty when it is no time.
struct PostContestTime {
    QString field;
    QString logged;
};
PostContestTime readPostContestTime(const QString& typed);
