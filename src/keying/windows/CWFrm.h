#pragma once

#include "core/forms/Form.h"
#include "core/forms/KeyField.h"
#include "keying/CwKeyer.h"
#include "keying/KeyerSettings.h"
#include "platform/KeyingLine.h"
#include "platform/SerialPort.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QTimer>
#include <array>
#include <memory>

// The keyer windows' own scaling: sized to the screen and centred, every control with it,
// the fonts at most 1.5 times.
void ScaleKeyerWindow(Form& form);

// The CW keyer's settings: the function-key messages, the keying line and speed. Loaded
// hidden at start-up and kept for the run; it carries the keyer itself, which reads these
// boxes whenever it sends.
class CWFrm : public Form, private CwKeyerWindow {
    Q_OBJECT
public:
    explicit CWFrm(const WindowContext& context);
    // Drops the keying lines and releases the port.
    ~CWFrm() override;

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
    QTimer tmrRepeat;
    std::unique_ptr<SerialPort> Comm; // the serial port of the keying line
    double LoopsPer60ms = 0;

    // The keyer.
    void FKeyCW(int KeyCode) { m_keyer.FKeyCW(KeyCode); }
    void LoopThroughCWBuffer() { m_keyer.LoopThroughCWBuffer(); }
    void UpDown1_UpClick();
    void UpDown1_DownClick();
    // (Re)opens the keying port named by the port box; false when it would not open, after
    // telling the operator.
    bool CWSetup();
    void CalibrateCWLoop();
    // Lets go of the keying line: no repeat comes back, the serial lines are dropped and
    // the port closed, the parallel port's control register released.
    void releaseKeyingLine();

    void Command1_Click();
    void Command4_Click();
    // Opens the code practice window modal; once it closes, nothing it left is sent.
    void Command7_Click();
    void tmrRepeat_Timer();

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
    std::array<KeyField*, 11> messageBoxes() const; // F1 ... F11
    void addHelpTexts();
    void stepSpeed(int by);
    void stepWordSpace(int by);
    void scaleLoops(double factor);
    void setLoopControlsEnabled(bool enabled);
    void optLoop_Click();
    void txtCWLoop_LostFocus();
    void Text11_Change();
    void dropSerialLines();

    // What the keyer reads and asks for.
    QString message(int keyCode) const override;
    QString repeatSeconds() const override { return txtCWLoop->text(); }
    QString wordsPerMinute() const override { return Text11->text(); }
    QString wordSpace() const override { return txtSpace->text(); }
    TimingMethod timingMethod() const override;
    double loopsPer60ms() const override { return LoopsPer60ms; }
    bool echo() const override { return Check1->isChecked(); }
    KeyingTarget keyingLine() override;
    void keyingFailed() override;
    void reportInvalidPort();
    void logContact() override;
    void showOnMainWindow(const QString& text) override;
    void armRepeat() override { tmrRepeat.start(); }
    void letEventsRun() override;
    QString countyText(const QString& abbreviation) const override;
    bool winKeyReady() override;
    void winKeyTransmit() override;

    std::unique_ptr<KeyingLine> m_line;
    CwKeyer m_keyer;
};
