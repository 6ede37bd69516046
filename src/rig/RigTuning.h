#pragma once

// The numbers and bytes of the windows that tune the radio by hand: the frequency box of
// the tune window, its steps and its scan, and the raw command of the test window.

#include <QByteArray>
#include <QString>
#include <optional>

// The frequency in the box as the radio gets it, in single precision; nothing when the
// text is not a plain number or is too large for single precision.
std::optional<float> tuneFrequency(const QString& text);

// Whether the box holds a number at all (the step buttons are enabled only then).
bool holdsNumber(const QString& text);

// A step button: the box's number in double precision plus the change, as number text
// ("14.175" and 0.005 give "14.18"); nothing when the box holds no number.
std::optional<QString> steppedFrequencyText(const QString& text, double change);

// One scan step in single precision: a result above the upper end starts again at the
// lower end; the upper end itself is kept, and a frequency below the lower end is not raised.
float nextScanFrequency(float frequency, float step, float lower, float upper);

// "####.#####": up to five decimals without trailing zeros; a whole number keeps its point
// ("7.0005", "7.").
QString scanFrequencyText(float mhz);

// The test window's command as it goes to the radio: the text without the blanks around
// it, as typed, or, for hex pairs, the bytes that the pairs at every third character spell
// (a lone digit at the very end counts as a pair: "FEFE" gives FE 0E). Nothing when a pair
// is not hexadecimal or a character does not fit in a byte.
std::optional<QByteArray> testCommandBytes(const QString& text, bool hexPairs);

// What the test window says about the radios: its example command (a Kenwood's set
// frequency) with the note that names it, and which families tune by frequency.
struct FrequencyTestNotes {
    QString exampleCommand;
    QString exampleNote;
    QString familiesNote;
};
const FrequencyTestNotes& frequencyTestNotes();
