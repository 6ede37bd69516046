#pragma once

#include "core/forms/Form.h"
#include "platform/WavePlayer.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <memory>

// Voice navigation: the operator's choice of how far the spoken field prompts go, and the
// player that names a field aloud. Loaded hidden on first use and kept for the run; "Done"
// is the only way out and only hides it.
class BlindFrm : public Form {
    Q_OBJECT
public:
    explicit BlindFrm(const WindowContext& context);
    ~BlindFrm() override;

    // The longest a caller waits for a prompt to end: a prompt that never reports its end
    // (a stuck sound device) must not hold the program.
    static constexpr int LongestPromptWaitMs = 5000;

    QGroupBox* Frame1;
    QRadioButton* Option1; // Off
    QRadioButton* Option2; // Call Only
    QRadioButton* Option3; // All Data Fields
    QPushButton* Command1; // Done
    QLabel* Label5;        // the instructions
    QLabel* Label7;        // where the recordings go
    std::unique_ptr<WavePlayer> MMControl1;

    // Selects the option of the saved level; selecting it speaks it, as a click would.
    void Form_Load();

    // Plays <working directory>/<q>.wav and returns at once; a missing file or no sound
    // device leaves it silent.
    void BlindKeyPhone(const QString& q);
    // Returns once the prompt playing has ended, or after LongestPromptWaitMs. Painting,
    // timers and the player's own news go on meanwhile; keys and clicks wait until after.
    void waitWhilePlaying();

    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Command1_Click();

protected:
    // No close box: "Done" is the only way out.
    void closeEvent(QCloseEvent* event) override;
};
