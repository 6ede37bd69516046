#pragma once

// What tunes the radio for the band maps and the spot list: a frequency in MHz, nothing
// while the radio is not polled. The rig session does it; Form1 passes the calls on.

class RadioTuning {
public:
    virtual void ChangeFrequency(float& qChangeFreq) = 0;

protected:
    ~RadioTuning() = default;
};
