#include "core/KeyFilters.h"

void KeyToUpper(int& KeyAscii)
{
    if (KeyAscii >= 'a' && KeyAscii <= 'z')
        KeyAscii -= 32;
}

void KeyDigitsOnly(int& KeyAscii)
{
    if (KeyAscii == 8 || (KeyAscii >= '0' && KeyAscii <= '9'))
        return;
    KeyAscii = 0;
}

QString CallForFileName(const QString& call)
{
    QString kept;
    for (const QChar c : call) {
        const char16_t u = c.unicode();
        if (!((u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z')))
            break;
        kept += c;
    }
    return kept.isEmpty() ? QStringLiteral("YourCall") : kept;
}
