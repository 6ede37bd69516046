#pragma once

#include "core/forms/Form.h"
#include "core/forms/KeyField.h"
#include "keying/WinKeySettings.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

class KeyerSession;

// The WinKey keyer device's window: opens and closes the device through the keyer session,
// holds its settings (speed, weight, push-to-talk times, dit/dah ratio, pin configuration,
// keyer mode), sends them to it and keeps them in WK.txt, and hands typed text to it. Loaded
// hidden when the WinKey interface is chosen and kept until the main window closes.
class frmWinKey : public Form {
    Q_OBJECT
public:
    explicit frmWinKey(const WindowContext& context);

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

    void cmdOpenWinkey_Click();
    void cmdCloseWinkey_Click();
    // Hands the send buffer to the device; returns when the buffer is empty.
    void WKTransmit();
    static void Capital(int& KeyAscii);

    void cmdDone_Click();
    void Command1_Click();
    void Command3_Click();
    void cmdStop_Click();

    // The settings as the boxes and options hold them.
    WinKeySettings settings() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void SendWinKeySettings();
    void loadSettings();
    void wireSession();
    void showOpenStatus(int code);
    void focusDone();
    void appendAndSend(const QString& text);

    void txtWKComPort_LostFocus();
    void txtWKWPM_LostFocus();
    void txtWeight_LostFocus();
    void txtRatio_LostFocus();
    void leadTail_LostFocus(KeyField* left);
    void Text1_KeyPress(int& KeyAscii);
    void modeChosen(quint8 mode);
    void pinsChosen(quint8 config);

    KeyerSession& m_session;
};
