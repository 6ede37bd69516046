#pragma once

#include "core/forms/Form.h"
#include "core/forms/KeyField.h"
#include "keying/KeyerSettings.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <array>

class KeyerSession;
struct WaveProblem;

// The voice keyer: one wave file per function key F1 to F9, the push-to-talk line and the
// repeat interval of the F1 message. Loaded hidden at start-up and kept for the run; what
// the boxes show goes to the keyer session as the operator changes it, and the session plays.
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
    std::array<QPushButton*, 10> browseButtons{}; // Command2 ... Command10, for F1 ... F9 at 1 to 9
    QPushButton* Command11; // Test
    QLabel* lblSound; // why messages cannot play, when they cannot

    // Plays the message of F1 (112) to F9 (120) with the transmitter keyed.
    void FKeyPhone(int KeyCode);
    // (Re)opens the push-to-talk port named by the port box.
    void OpenPhonePttPort();

    void Command1_Click();
    void browse(int key); // the "Browse" of F1 (1) ... F9 (9)
    void Command11_Click();

    // The settings as the boxes and options show them.
    WaveSettings settings() const;
    // Puts the settings into the boxes and options; without a line none changes.
    void showSettings(const WaveSettings& settings);

protected:
    // No close box: "Done" is the only way out.
    void closeEvent(QCloseEvent* event) override;
    // Says on showing when the machine has no sound output.
    void showEvent(QShowEvent* event) override;

private:
    void placeInstructions();
    void placeFileRows();
    void placePttSettings();
    void txtPHLoop_LostFocus();
    void Text10_LostFocus();
    void wireSession();
    // What the boxes show, to the session.
    void sendSettings();
    void reportInvalidPort();
    // In this window's sound line; a fault of the sound output also in the log window's
    // message line, where the operator pressed the key.
    void tellSoundProblem(const WaveProblem& problem);
    // Says in red when the sound output was last found missing.
    void showOutputFound();

    KeyerSession& m_session;
};
