#pragma once

#include "core/forms/Form.h"
#include "core/forms/KeyField.h"
#include "keying/KeyerSettings.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <array>

// The CW keyer's settings: the function-key messages, the keying line and speed. Loaded
// hidden at start-up and kept for the run.
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
    QTimer tmrRepeat;

    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Option4_Click();
    void Option5_Click();

    // The settings as the boxes show them (the keying interface as the program holds it).
    CwSettings settings() const;
    // Puts the settings into the boxes; the keying options stay as they are.
    void showSettings(const CwSettings& settings);
    // Sets the option of the keying interface alone, running its click.
    void selectKeyingInterface(KeyingInterface keying);

private:
    std::array<KeyField*, 11> messageBoxes() const; // F1 ... F11
};
