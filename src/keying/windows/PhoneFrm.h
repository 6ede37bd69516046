#pragma once

#include "core/forms/Form.h"
#include "core/forms/KeyField.h"
#include "keying/KeyerSettings.h"
#include "keying/VoiceKeyer.h"
#include "platform/SerialPort.h"
#include "platform/WavePlayer.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <array>
#include <memory>

// The voice keyer: one wave file per function key F1 to F9, the push-to-talk line and the
// repeat interval of the F1 message. Loaded hidden at start-up and kept for the run; it
// carries the keyer itself, which reads these boxes whenever it plays.
class PhoneFrm : public Form, private VoiceKeyerWindow {
    Q_OBJECT
public:
    explicit PhoneFrm(const WindowContext& context);
    // Stops the message, releases the transmitter and the port.
    ~PhoneFrm() override;

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
    QTimer Timer1;    // the playback watch
    QTimer tmrRepeat; // the wait before F1 plays again
    std::unique_ptr<WavePlayer> MMControl1;
    std::unique_ptr<SerialPort> CommPhone; // only its RTS and DTR lines are used

    // Plays the message of F1 (112) to F9 (120) with the transmitter keyed.
    void FKeyPhone(int KeyCode) { m_keyer.FKeyPhone(KeyCode); }
    // (Re)opens the push-to-talk port named by the port box.
    void OpenPhonePttPort();
    // Lets go of the push-to-talk port: its keyed line dropped, the port closed.
    void closePttPort();
    // Stops the message and its repeat, and releases every push-to-talk output (serial
    // line and parallel register) and the port.
    void releaseTransmitter();

    void Command1_Click();
    void browse(int key); // the "Browse" of F1 (1) ... F9 (9)
    void Command11_Click();
    void Timer1_Timer() { m_keyer.watchTick(); }
    void tmrRepeat_Timer();

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

    // What the keyer reads and asks for.
    QString waveFile(int keyCode) const override { return fileBoxes[size_t(keyCode - 111)]->text(); }
    QString repeatSeconds() const override { return txtPHLoop->text(); }
    QString pttPortNumber() const override { return Text10->text(); }
    std::optional<PttLine> pttLine() const override { return settings().pttLine; }
    QString parallelAddress() const override { return Text11->text(); }
    void openPttPort() override { OpenPhonePttPort(); }
    void startWatch() override { Timer1.start(); }
    void stopWatch() override { Timer1.stop(); }
    // A wait of 0 never ends: the timer stays off.
    void armRepeat() override
    {
        if (tmrRepeat.interval() > 0)
            tmrRepeat.start();
    }
    // In this window's sound line; a fault of the sound output also in the log window's
    // message line, where the operator pressed the key.
    void tellSoundProblem(const WaveProblem& problem) override;

    VoiceKeyer m_keyer;
};
