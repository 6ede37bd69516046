#pragma once

// Lets GoogleTest show file lines as text in failure messages.

#include <QByteArray>
#include <ostream>

inline void PrintTo(const QByteArray& bytes, std::ostream* os)
{
    *os << '"' << bytes.toStdString() << '"';
}
