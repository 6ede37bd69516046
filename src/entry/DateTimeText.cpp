#include "entry/DateTimeText.h"

#include <QRegularExpression>

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
