#pragma once

// Dates and times typed by the operator, recognised the same way whatever the user's
// locale, and the log's own forms.

#include <QDate>
#include <QString>
#include <QTime>

// "yyyy/mm/dd", "yyyy/m/d" (also with "-"); an invalid QDate otherwise.
QDate parseLogDate(const QString& text);

// "h:mm", "hh:mm", "hh:mm:ss"; hours 0 to 23. An invalid QTime otherwise ("24:00").
QTime parseLogTime(const QString& text);
