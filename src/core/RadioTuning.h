#pragma once

// What tunes the radio for the band maps and the spot list: a frequency in MHz, nothing
// while the radio is not polled. The rig session does it; Form1 passes the calls on.

class RadioTuning {
public:
    virtual void ChangeFrequency(float& qChangeFreq) = 0;
    // Whether a tuning command is running: its waits let events run, so a window that goes
    // away meanwhile may be on the command's way back.
    virtual bool tuning() const { return false; }
    // Ends the running command's waits at once; it sends nothing more and the poll stays
    // stopped (the program is on its way out).
    virtual void endTuning() {}

protected:
    ~RadioTuning() = default;
};
