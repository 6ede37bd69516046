#pragma once

#include "core/forms/Form.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

class KeyerSession;
struct WaveProblem;

// Voice navigation: the operator's choice of how far the spoken field prompts go, and the
// prompts that name a field aloud on the keyer session's prompt player. Loaded hidden on
// first use and kept for the run; "Done" is the only way out and only hides it.
class BlindFrm : public Form {
    Q_OBJECT
public:
    explicit BlindFrm(const WindowContext& context);

    QGroupBox* Frame1;
    QRadioButton* Option1; // Off
    QRadioButton* Option2; // Call Only
    QRadioButton* Option3; // All Data Fields
    QPushButton* Command1; // Done
    QLabel* Label5;        // the instructions
    QLabel* Label7;        // where the recordings go

    // Selects the option of the saved level; selecting it speaks it, as a click would.
    void Form_Load();

    // Plays <working directory>/<q>.wav and returns at once; a missing file is silent. When
    // the sound output fails, the operator who asked for prompts is told once a run.
    void BlindKeyPhone(const QString& q);
    // Returns once the prompt playing has ended, or when it has played its length and the
    // player's margin without reporting the end (a stuck sound system must not hold the
    // program): that prompt is then given up. Painting, timers and the player's own news
    // go on meanwhile; keys and clicks wait until after. False when this window was deleted
    // meanwhile (the program closed): the caller then touches nothing of it.
    bool waitWhilePlaying();

    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Command1_Click();

protected:
    // No close box: "Done" is the only way out.
    void closeEvent(QCloseEvent* event) override;

private:
    // A fault of the sound output, in a message box once a run, for an operator who has
    // prompts on or this window open; a recording that is missing or broken stays silent.
    void tellSoundProblem(const WaveProblem& problem);

    KeyerSession& m_session;
    bool m_told = false;
};
