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

// Turns the texts of one file into the code page and keeps the first one it cannot write,
// named by where it came from ("the comment", "the call of contact 12").
class Ansi {
public:
    // The text's bytes; none when it cannot be written.
    QByteArray operator()(const QString& text, const char* source, qint32 contact = 0);

    // Empty while every text could be written, else the message that says which could not.
    const QString& failure() const { return m_failure; }

private:
    QString m_failure;
};
