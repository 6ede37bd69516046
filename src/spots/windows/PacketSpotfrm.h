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
#include <QTimer>
#include <array>
#include <memory>

class AgwLink;
class SpotSource;
class TelnetLink;
class TncLink;
struct TncSerialOptions;

// The spotting window: where the operator chooses the source of DX spots (a TNC on a serial
// port, a telnet cluster, the AGW packet engine), sets it up, opens and closes the link,
// watches what arrives in the monitor and types text to send. Received lines are filtered,
// shown and their spots handed to the main window through Form1. Loaded on first showing;
// "&Done" only hides it, so the link keeps running while the operator logs.
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
    QTimer Timer1;

    // The window's variables.
    QString SpotTransport;
    quint8 SpotSettingsLoading = 0;
    QString TncBaud, TncParity, TncDataBits, TncStopBits, TncPower, TncSettings;
    quint8 TncPort = 0;
    quint8 TncHandshaking = 0;
    float LabelUpdateTimeCounter = 0;

    // The monitor's text; the box shows it once pending events have run.
    const QString& monitorText() const { return m_monitor; }

    void Command1_Click(); // Open Port
    void Command2_Click(); // Close Port
    void Command3_Click(); // Spot Last
    void cmdDone_Click();
    void List1_Click();
    void Timer1_Timer();
    void Form_KeyDown(int& KeyCode, int Shift);
    void Form_Activate();
    // The main window closes: the packet engine is told before the window goes.
    void Form_Unload();

    // The spot area's choices for the main window.
    bool listChosen() const override { return OptList->isChecked(); }
    QString transport() const override;

    // The sources behind the list's choices.
    TncLink& tnc() { return *m_tnc; }
    TelnetLink& telnet() { return *m_telnet; }
    // The packet engine's source; without one that choice opens nothing.
    void installAgwSource(std::unique_ptr<SpotSource> source);

protected:
    bool event(QEvent* event) override;

private:
    enum class Transport { None, Tnc, Telnet, Agw };

    void buildControls();
    void connectControls();
    void scaleToScreen();
    QRadioButton* addOption(QGroupBox* frame, const QString& caption, float left, float top, float width);
    std::vector<QRadioButton*> settingButtons() const;

    // The chosen link; a choice not in the list, or one without its source, is "None".
    Transport chosen() const;
    SpotSource* source(Transport transport) const;
    void wireSource(SpotSource& source, Transport transport);

    void LoadSpotSettings();
    void SaveSpotSettings();
    void applyLoadedButtons();
    void DisableSpotSettings();
    void EnableTncSettings();
    void EnableTelnetSettings();
    void EnableAgwSettings();
    void enableCommon();
    void ShowSpotHelp();
    void ReadSerialSettings();
    void OpenTncPort();
    void ConnectTelnet();
    void tncOpenFailed();
    std::unique_ptr<SpotSource> makeAgwSource();
    void StartAgw();

    void PostSpot(const QString& frequency, const QString& call, const QString& line);
    void TrimMonitor();
    void appendMonitor(const QString& text);
    void replaceMonitor(const QString& text);
    void linkFailed(const QString& message);
    void tncLine(const QString& line);
    void telnetText(const QString& text);
    void telnetLine(const QString& line);
    void showMonitor();

    void txtSent_KeyPress(int& KeyAscii);
    void txtSent_Change();
    void focusSendBox();

    std::unique_ptr<TncLink> m_tnc;
    std::unique_ptr<TelnetLink> m_telnet;
    std::unique_ptr<SpotSource> m_agw;
    AgwLink* m_agwLink = nullptr; // the packet engine's link, inside m_agw
    QString m_monitor;
    bool m_monitorShowPending = false;
};
