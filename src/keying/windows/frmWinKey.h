#pragma once

#include "core/forms/Form.h"
#include "core/forms/KeyField.h"
#include "keying/WinKeyDevice.h"
#include "keying/WinKeySettings.h"
#include "platform/Clock.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <memory>

// The WinKey keyer device: opens and closes it, holds its settings (speed, weight,
// push-to-talk times, dit/dah ratio, pin configuration, keyer mode), sends them to it and
// keeps them in WK.txt, and hands the CW send buffer to it character by character. Loaded
// hidden when the WinKey interface is chosen and kept until the main window closes.
class frmWinKey : public Form {
    Q_OBJECT
public:
    explicit frmWinKey(const WindowContext& context);
    // Closes the device; the program then knows it closed.
    ~frmWinKey() override;

    KeyField* txtWKComPort;
    KeyField* txtWKWPM;
    KeyField* txtWeight;
    KeyField* txtLeadIn;
    KeyField* txtTail;
    KeyField* txtRatio;
    QGroupBox* fraMode;
    QRadioButton* optIambicA;
    QRadioButton* optIambicB;
    QRadioButton* optUltimatic;
    QRadioButton* optBug;
    QGroupBox* fraPins;
    QRadioButton* optPTT;
    QRadioButton* optTone;
    QRadioButton* optKey5Off3Out;
    QRadioButton* optKey5Out3Off;
    QLabel* lblOpenStatus;
    QLabel* lblVersion;
    QPushButton* cmdOpenWinkey;
    QPushButton* cmdCloseWinkey;
    QPushButton* cmdDone;
    QPushButton* Command1; // Buffer Test
    QPushButton* Command3; // Test
    QPushButton* cmdStop;
    QPushButton* Command2; // Defaults Test
    KeyField* Text1;       // type to send

    // How long the send waits on a device that keeps its buffer full, or that leaves its
    // status unanswered, before it gives the device up.
    struct FeedLimits {
        int unansweredMs = 3000;
        int fullMs = 30000;
    } feedLimits;

    void cmdOpenWinkey_Click();
    void cmdCloseWinkey_Click();
    // Hands the send buffer to the device; returns when the buffer is empty.
    void WKTransmit();
    // The first half of a send: opens the device when it is closed and checks that it
    // answers a status request within its time. False, with the buffer emptied and the
    // operator told (the device given up when it did not answer), when nothing can be sent.
    bool prepareSend();
    // The second half: the buffer to the device, character by character.
    void feed();
    static void Capital(int& KeyAscii);

    void cmdDone_Click();
    void Command1_Click();
    void Command3_Click();
    void cmdStop_Click();

    // The device's calls, for the windows that stop, take back or speed up its sending.
    WinKeyDevice& device() { return *m_device; }

    // The settings as the boxes and options hold them.
    WinKeySettings settings() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void SendWinKeySettings();
    void loadSettings();
    void showOpenStatus(int code);
    void focusDone();
    void appendAndSend(const QString& text);
    // Waits, letting events run, while the device takes no character. False when the
    // sending is to end: the buffer was emptied, the device closed, stopped answering or
    // left its port.
    bool waitForRoom();
    // Closes a device that failed while sending and says so; why it failed, when not said,
    // is read from the device.
    void giveUpDevice(const QString& why = {});

    void txtWKComPort_LostFocus();
    void txtWKWPM_LostFocus();
    void txtWeight_LostFocus();
    void txtRatio_LostFocus();
    void leadTail_LostFocus(KeyField* left);
    void Text1_KeyPress(int& KeyAscii);
    void modeChosen(quint8 mode);
    void pinsChosen(quint8 config);

    SystemClock m_clock; // the device's waits are on the wire's own time
    std::unique_ptr<WinKeyDevice> m_device;
};
