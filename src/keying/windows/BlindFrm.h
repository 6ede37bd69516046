#pragma once

#include "core/forms/Form.h"
#include "platform/WavePlayer.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <memory>

// Voice navigation: plays a named prompt for operators who cannot see the screen.
class BlindFrm : public Form {
    Q_OBJECT
public:
    explicit BlindFrm(const WindowContext& context);

    QGroupBox* Frame1;
    QRadioButton* Option1; // Off
    QRadioButton* Option2; // Call Only
    QRadioButton* Option3; // All Data Fields
    QPushButton* Command1; // Done
    std::unique_ptr<WavePlayer> MMControl1;

    // Plays <working directory>/<q>.wav and returns at once; a missing file or no sound
    // device leaves it silent.
    void BlindKeyPhone(const QString& q);
};
