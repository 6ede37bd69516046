#pragma once

// The contest bands: their names and order, their frequencies, and the frequency text
// stored with a contact.

#include <QString>
#include <QStringList>

// The band name for a frequency in MHz (strict edges), or empty; names other than the
// eight contest bands ("30", "17", "12", "1.25", "440", ...) are returned too.
QString bandForFrequency(double mhz);

// The eight contest bands in their order: "160", "80", "40", "20", "15", "10", "6", "2".
// Whatever lists or indexes bands (the Band menu, the band cycle, the per-band DX lists,
// the rate graph's legend, the Cabrillo frequencies) takes them from here.
const QStringList& contestBands();

// The band's place in that order (0 for "160" to 7 for "2"), without case; -1 for any
// other text.
int contestBandIndex(const QString& band);

// Whether the name is one of the contest bands (without case).
bool isContestBand(const QString& band);

// Whether the name is one of the modes "CW", "PH", "DG" (without case).
bool isContestMode(const QString& mode);

// Whether the mode is phone ("PH", without case): reports of two digits (RS), two points.
bool isPhoneMode(const QString& mode);

// The report an empty report field gets, and the most digits a report field takes: "59"
// and 2 in phone, "599" and 3 in the other modes.
QString defaultReport(const QString& mode);
int reportLength(const QString& mode);

// The band after this one in the cycle 160, 80, 40, 20, 15, 10, 6, 2, 160; empty for any
// other text.
QString nextBand(const QString& band);

// "#####.##0": integer digits without leading zeros, a point and three decimals
// (14.025, 7.000, .500).
QString formatFrequency(double mhz);
