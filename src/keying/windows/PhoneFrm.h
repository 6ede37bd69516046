#pragma once

#include "core/forms/Form.h"
#include "core/forms/KeyField.h"
#include "keying/KeyerSettings.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <array>

// The voice keyer: one wave file per function key F1 to F9, the push-to-talk line and the
// repeat interval of the F1 message. Loaded hidden at start-up and kept for the run.
class PhoneFrm : public Form {
    Q_OBJECT
public:
    explicit PhoneFrm(const WindowContext& context);

    std::array<KeyField*, 10> fileBoxes{}; // Text1 ... Text9 at indexes 1 to 9
    KeyField* Text1;
    KeyField* Text2;
    KeyField* Text3;
    KeyField* Text4;
    KeyField* Text5;
    KeyField* Text6;
    KeyField* Text7;
    KeyField* Text8;
    KeyField* Text9;
    KeyField* Text10; // serial port of the push-to-talk line, "0" for none
    KeyField* Text11; // parallel port base address
    KeyField* txtPHLoop;
    QGroupBox* Frame1;
    QRadioButton* Option1; // RTS
    QRadioButton* Option2; // DTR
    QRadioButton* Option3; // Parallel
    QPushButton* Command1; // Done
    QPushButton* Command11; // Test
    QTimer Timer1;
    QTimer tmrRepeat;

    // The settings as the boxes and options show them.
    WaveSettings settings() const;
    // Puts the settings into the boxes and options; without a line none changes.
    void showSettings(const WaveSettings& settings);
};
