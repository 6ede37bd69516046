#pragma once

#include "core/forms/Form.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

class RigSession;

// "Test Change Frequency Function": sends a complete command, typed as text or as hex
// pairs, through the rig session's port while the radio is polled, and tunes the radio to
// a typed frequency through the session's ChangeFrequency. Opened from the rig window's
// "Change Frequency" while it polls; shown modally and unloaded when it closes.
class frmFrequencyTest : public Form {
    Q_OBJECT
public:
    explicit frmFrequencyTest(const WindowContext& context);

    // Sizes the window to the screen and puts the default frequency in.
    void Form_Load();

    QLineEdit* Text1;   // the command
    QCheckBox* Check1;  // "Convert to Hex"
    QPushButton* Command1;
    QLineEdit* Text2;   // frequency in MHz
    QPushButton* Command2;

    // Sends Text1 as it stands, or the bytes its hex pairs spell; nothing on any failure.
    void Command1_Click();
    // Tunes the radio to Text2; nothing when it is no number.
    void Command2_Click();

private:
    RigSession& m_rig;
};
