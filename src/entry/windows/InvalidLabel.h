#pragma once

class QLabel;

// Styles the "   Invalid!" label of the county windows (white on dark red), hidden until
// a check shows it.
void styleInvalidLabel(QLabel* label);
