#pragma once

// BandPlan.txt: the US amateur bands and the segments of each licence class. A header (the
// date the plan is effective), then one row per segment in the record format:
//   band ("160", "80", ...), class ("N", "T", "P", "G", "A", "E"; "O" the band's overall
//   range), mode ("CW" or "PH"), lower and upper edge in MHz.
// Tuning takes the mode for a frequency from the Extra-class rows.

#include <QString>
#include <vector>

class RecordReader;

struct BandPlanRow {
    QString band;
    QString licenceClass;
    QString mode;
    float lower = 0;
    float upper = 0;
};

// Every row after the header, in file order, up to the first that cannot be read.
std::vector<BandPlanRow> readBandPlanRows(RecordReader& reader);

// The rows of class "E" (exactly) of BandPlan.txt in the folder, at most 200; none when the
// file is missing.
std::vector<BandPlanRow> LoadBandPlan(const QString& folder);

// The mode for the frequency: the first row that holds it strictly gives it; "PH" becomes
// "LSB" on 80 and 40 m and "USB" elsewhere (60 m included: its channels are USB by rule);
// on 160 m the result is empty. No row: the mode stays as it came.
void ModeFromBandPlan(const std::vector<BandPlanRow>& extraRows, float frequency, QString& mode);

// "Mode by: Frequency": CW or PH by the contest's fixed segments (edges excluded); a
// frequency in none of them keeps the mode.
void ModeFromFrequency(float frequency, QString& mode);
