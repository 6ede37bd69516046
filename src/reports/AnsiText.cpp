#include "reports/AnsiText.h"

#include <QList>

namespace {

// The characters of the bytes 0x80 to 0x9F. The five bytes Windows-1252 leaves unassigned
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the control characters of the same code, as
// Windows maps them.
constexpr char16_t HighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The byte of one character; nothing when the code page lacks it.
std::optional<char> byteOf(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return char(c);
    for (int i = 0; i < 32; ++i) {
        if (HighControls[i] == c)
            return char(0x80 + i);
    }
    return std::nullopt;
}

bool isCombiningMark(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing: return true;
    default: return false;
    }
}

// Appends the bytes of a character the code page lacks: its decomposition, marks dropped.
bool appendDecomposed(QByteArray& bytes, char32_t c)
{
    const QString decomposed = QString::fromUcs4(&c, 1).normalized(QString::NormalizationForm_KD);
    for (const char32_t part : decomposed.toUcs4()) {
        if (isCombiningMark(part))
            continue;
        const std::optional<char> byte = byteOf(part);
        if (!byte)
            return false;
        bytes += *byte;
    }
    return true;
}

} // namespace

std::optional<QByteArray> toWindows1252(const QString& text, QString* unwritable)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text) {
        const std::optional<char> byte = byteOf(c.unicode());
        if (!byte)
            break;
        bytes += *byte;
    }
    if (bytes.size() == text.size())
        return bytes;

    // Composed first, so that a letter typed with a separate accent ("e" and U+0301)
    // keeps the accented letter the code page has.
    bytes.clear();
    for (const char32_t c : text.normalized(QString::NormalizationForm_C).toUcs4()) {
        if (const std::optional<char> byte = byteOf(c)) {
            bytes += *byte;
        } else if (!appendDecomposed(bytes, c)) {
            if (unwritable)
                *unwritable = QString::fromUcs4(&c, 1);
            return std::nullopt;
        }
    }
    return bytes;
}

QByteArray Ansi::operator()(const QString& text, const char* source, qint32 contact)
{
    QString character;
    if (std::optional<QByteArray> bytes = toWindows1252(text, &character))
        return *std::move(bytes);
    if (m_failure.isEmpty()) {
        QString where = QString::fromLatin1(source);
        if (contact > 0)
            where += QStringLiteral(" of contact %1").arg(contact);
        m_failure = QStringLiteral("The character \"%1\" in %2 cannot be written in the file's character "
                                   "set (Windows-1252).  Please change it and write the file again.")
                        .arg(character, where);
    }
    return {};
}
