#pragma once

#include "core/forms/Form.h"
#include "core/forms/KeyField.h"
#include "keying/CwKeyer.h"
#include "keying/KeyerSettings.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <array>

class KeyerSession;

// The CW keyer's settings: the function-key messages, the keying line and speed. Loaded
// hidden at start-up and kept for the run; what the boxes show goes to the keyer session
// as the operator changes it, and the session keys.
class CWFrm : public Form {
    Q_OBJECT
public:
    explicit CWFrm(const WindowContext& context);

    KeyField* Text1;
    KeyField* Text2;
    KeyField* Text3;
    KeyField* Text4;
    KeyField* Text5;
    KeyField* Text6;
    KeyField* Text7;
    KeyField* Text8;
    KeyField* Text9;
    KeyField* Text10; // serial port of the keying line
    KeyField* Text11; // words per minute
    KeyField* Text12; // F10
    KeyField* Text13; // F11
    KeyField* Text14; // parallel port base address
    KeyField* txtSpace;
    KeyField* txtCWLoop;
    QCheckBox* Check1;
    QGroupBox* Frame1; // Keying Options
    QRadioButton* Option1; // RTS
    QRadioButton* Option2; // DTR
    QRadioButton* Option3; // Printer
    QRadioButton* Option4; // None
    QRadioButton* Option5; // WinKey
    QPushButton* cmdConfWinkey;
    QPushButton* Command1; // Done
    QPushButton* Command2; // Faster
    QPushButton* Command3; // Slower
    QPushButton* Command4; // Test
    QPushButton* Command5; // Less word space
    QPushButton* Command6; // More word space
    QPushButton* Command7; // Send Code Practice
    QTextEdit* txtHelp;    // how to set up and use the keyer
    QLabel* Label23;       // "Sending!"
    QRadioButton* optTimer;
    QRadioButton* OptSleep;
    QRadioButton* optLoop;
    KeyField* txtLoop; // loops per 60 ms
    QLabel* lblLoop;
    QPushButton* cmdLoopFaster;
    QPushButton* cmdLoopSlower;
    double LoopsPer60ms = 0;

    // The keyer.
    void FKeyCW(int KeyCode);
    void UpDown1_UpClick();
    void UpDown1_DownClick();
    // (Re)opens the keying port named by the port box; false when it would not open, after
    // telling the operator.
    bool CWSetup();
    void CalibrateCWLoop();

    void Command1_Click();
    void Command4_Click();
    // Opens the code practice window modal; once it closes, nothing it left is sent.
    void Command7_Click();

    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Option4_Click();
    void Option5_Click();
    void cmdConfWinkey_Click();

    // The settings as the boxes show them (the keying interface as the program holds it).
    CwSettings settings() const;
    // Puts the settings into the boxes; the keying options stay as they are.
    void showSettings(const CwSettings& settings);
    // Sets the option of the keying interface alone, running its click.
    void selectKeyingInterface(KeyingInterface keying);

protected:
    // No close box: "Done" is the only way out.
    void closeEvent(QCloseEvent* event) override;

private:
    // The layout.
    void placeMessageBoxes();
    void placeSettingBoxes();
    void placeKeyingOptions();
    void addHelpTexts();
    void placeButtons();
    void placeTimingOptions();
    // The handlers and the key filters of the controls.
    void wireControls();
    void wireBoxes();
    // The timing method and its loop count, as this user left them.
    void restoreTiming();

    std::array<KeyField*, 11> messageBoxes() const; // F1 ... F11
    void stepWordSpace(int by);
    void scaleLoops(double factor);
    void setLoopControlsEnabled(bool enabled);
    void optLoop_Click();
    void txtCWLoop_LostFocus();
    TimingMethod timingMethod() const;
    // What the boxes show, to the session.
    void sendSettings();
    void reportInvalidPort();

    KeyerSession& m_session;
};
