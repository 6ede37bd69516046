#pragma once

#include <QString>

// The text without the spaces around it; tabs and line ends stay.
QString trimSpaces(const QString& text);
