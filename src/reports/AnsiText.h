#pragma once

// Text for files read on the operators' Windows machines, whose "ANSI" code page is
// Windows-1252: Latin-1 plus curly quotes, dashes, the euro sign and a few more in the
// bytes 0x80 to 0x9F.

#include <QByteArray>
#include <QString>
#include <optional>

// The text's bytes in Windows-1252. A character the code page lacks is written as its
// compatibility decomposition (NFKD) without combining marks: "ő" as "o", "ﬁ" as "fi",
// "①" as "1". Nothing when a character still has no byte; *unwritable then holds it.
std::optional<QByteArray> toWindows1252(const QString& text, QString* unwritable = nullptr);
