#pragma once

#include "core/forms/Form.h"
#include "core/forms/Form1.h"
#include "core/forms/KeyField.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <array>

class SpotSession;
struct SpotLinkControls;
struct SpotLinkKind;

// The spotting window: where the operator chooses the source of DX spots (a TNC on a serial
// port, a telnet cluster, the AGW packet engine), sets it up, opens and closes the link,
// watches what arrives in the monitor and types text to send. The link itself is the spot
// session's: the window collects its settings, calls it, shows its monitor and hands the
// spots it reports to the main window through Form1. Loaded on first showing; "&Done" only
// hides it, so the link keeps running while the operator logs. The link goes with the
// window when it unloads.
class PacketSpotfrm : public Form, public SpotAreaChoice {
    Q_OBJECT
public:
    explicit PacketSpotfrm(const WindowContext& context);
    ~PacketSpotfrm() override;

    QLabel* Label1;
    QListWidget* List1;
    QCheckBox* chkDX;
    QGroupBox* fraDisplay;
    QRadioButton *OptList, *OptBand;
    QGroupBox* fraPort;
    std::array<QRadioButton*, 10> optComm{};
    QGroupBox* fraBaud;
    QRadioButton *optBaud12, *optBaud24, *optBaud48, *optBaud96, *optBaud144, *optBaud192;
    QGroupBox* fraParity;
    QRadioButton *optParityOdd, *optParityNone, *optParityEven;
    QGroupBox* fraData;
    QRadioButton *optData7, *optData8;
    QGroupBox* fraStop;
    QRadioButton *optStop1, *optStop2;
    QGroupBox* fraPower;
    QRadioButton *optPowerNone, *optPowerRTS, *optPowerDTR;
    QGroupBox* fraHandshaking;
    QRadioButton *Option1, *Option2, *Option3, *Option4;
    QLabel* Label2;
    KeyField* txtHex;
    QLabel* Label7;
    KeyField* txtTelnetHost;
    QLabel* Label3;
    KeyField* txtTelnetPort;
    QCheckBox* chkConvToHex;
    QPushButton* cmdDone;
    QPushButton* Command1; // Open Port
    QPushButton* Command2; // Close Port
    QLabel* Label4;        // "Listening": the link is open
    QPlainTextEdit* txtUnProcessed;
    QLabel* Label6;
    KeyField* txtSent;
    QPushButton* Command3; // Spot Last

    // The window's variables.
    QString SpotTransport;
    quint8 SpotSettingsLoading = 0;
    QString TncBaud, TncParity, TncDataBits, TncStopBits, TncPower, TncSettings;
    quint8 TncPort = 0;
    quint8 TncHandshaking = 0;
    float LabelUpdateTimeCounter = 0;

    // The monitor's text; the box shows it once pending events have run.
    const QString& monitorText() const;

    void Command1_Click(); // Open Port
    void Command2_Click(); // Close Port
    void Command3_Click(); // Spot Last
    void cmdDone_Click();
    void List1_Click();
    // The session's 333 ms tick.
    void Timer1_Timer();
    void Form_KeyDown(int& KeyCode, int Shift);
    void Form_Activate();

    // The spot area's choices for the main window.
    bool listChosen() const override { return OptList->isChecked(); }
    QString transport() const override;

protected:
    bool event(QEvent* event) override;

private:
    void buildControls();
    void connectControls();
    void scaleToScreen();
    QRadioButton* addOption(QGroupBox* frame, const QString& caption, float left, float top, float width);
    std::vector<QRadioButton*> settingButtons() const;

    SpotSession& session() const;
    void wireSession();
    // The kind of SpotTransport; a transport not in the list is "None".
    const SpotLinkKind& chosen() const;
    // The kind of the list's current row; nothing when no row is current.
    const SpotLinkKind* listed() const;
    void setSpotTransport(const QString& transport);

    void LoadSpotSettings();
    void SaveSpotSettings();
    void applyLoadedButtons();
    void DisableSpotSettings();
    // The enabling per transport: the groups of settings the kind's row names.
    void EnableSpotSettings(const SpotLinkControls& enables);
    void setTncDefaults();
    void ShowSpotHelp();
    void ReadSerialSettings();
    void openLink();
    void tncOpenFailed();

    void PostSpot(const QString& frequency, const QString& call, const QString& line);
    void TrimMonitor();
    void appendMonitor(const QString& text);
    void replaceMonitor(const QString& text);
    void linkFailed(const QString& message);
    void showMonitor();

    void txtSent_KeyPress(int& KeyAscii);
    void txtSent_Change();
    void focusSendBox();

    bool m_monitorShowPending = false;
};
