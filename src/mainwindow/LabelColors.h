#pragma once

// Colours of the log windows' labels, as colour values (0xBBGGRR).

#include <QtGlobal>

class QLabel;

void setBackground(QLabel* label, quint32 color);
void setTextColor(QLabel* label, quint32 color);
// The continent, bearing and distance labels and the own county: white on dark blue.
void whiteOnDarkBlue(QLabel* label);
