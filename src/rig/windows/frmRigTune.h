#pragma once

#include "core/forms/Form.h"
#include "core/forms/KeyField.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <array>

class RigSession;

// " Change Frequency and Mode (Ctrl G (Go))": tunes the radio from the keyboard or the
// mouse. A typed frequency and "&Go", a band's usual frequency, steps of 10 Hz to 1 MHz
// up or down, the radio's mode, or a scan over a range every 299 ms. The radio work is
// the rig session's: the frequency goes to ChangeFrequency (which also sets the band plan's
// mode), the mode to ChangeMode. Shown modally and unloaded when it closes.
class frmRigTune : public Form {
    Q_OBJECT
public:
    explicit frmRigTune(const WindowContext& context);

    // Sizes the window to the screen and starts the scan timer.
    void Form_Load();

    std::array<QPushButton*, 16> cmdBand{};
    QPushButton *cmdCW, *cmdUSB, *cmdLSB, *cmdAM, *cmdFM, *cmdRTTY;
    QLabel* Label1;
    KeyField* txtFreq;
    QPushButton* Command1; // "&Go"
    QLabel *Label2, *Label3;
    std::array<QPushButton*, 10> cmdTune{};
    QCheckBox* chkScan;
    QLabel* Label4;
    KeyField* txtFrom;
    QLabel* Label5;
    KeyField* txtTo;
    QGroupBox* Frame1;
    QRadioButton *Option5, *Option1, *Option2, *Option3, *Option4; // 2.5 KHz ... 10 Hz
    QPushButton* cmdDone;
    QTimer Timer1;

    // Go: tunes the radio to the box's frequency when it holds one.
    void Command1_Click();
    // One scan step while "Scan" is ticked.
    void Timer1_Timer();

private:
    void buildControls();
    void cmdBand_Click(int Index);
    void cmdTune_Click(int Index);
    void changeMode(const char* mode);
    void chkScan_Click();
    void txtFreq_Change();
    void txtFreq_KeyPress(int& KeyAscii);
    void Form_KeyPress(int& KeyAscii);
    float scanStep() const;

    RigSession& m_rig;
};
