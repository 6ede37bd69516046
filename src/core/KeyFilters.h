#pragma once

#include <QString>

// Key filters for the entry fields: each takes the typed character's code by reference;
// 0 swallows the key.
void KeyToUpper(int& KeyAscii);
void KeyDigitsOnly(int& KeyAscii);

// The leading letters and digits of a call sign, for file names; "YourCall" when none.
QString CallForFileName(const QString& call);
