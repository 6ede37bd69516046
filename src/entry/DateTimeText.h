#pragma once

// Dates and times typed by the operator, and the log's own forms.

#include <QDate>
#include <QString>
#include <QTime>

// "yyyy/mm/dd", "yyyy/m/d" (also with "-"); an invalid QDate otherwise.
QDate parseLogDate(const QString& text);

// "h:mm", "hh:mm", "hh:mm:ss"; hours 0 to 23. An invalid QTime otherwise ("24:00").
QTime parseLogTime(const QString& text);

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
