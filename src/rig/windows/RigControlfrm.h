#pragma once

#include "core/forms/Form.h"
#include "core/forms/Form1.h"
#include "rig/RigSettings.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include <memory>

class RigSession;

// The rig interface: which radio, on which port and how, how often it is polled and where
// the logged mode comes from. It shows and collects the settings, hands them to the rig
// session of its context as they change, and shows the session's readings; the session
// holds the port and the poll, which the window's unloading ends. "&Done" only hides it,
// so polling goes on in the background. Loaded hidden on first reference and kept until
// the main window closes; loaded while the session polls, it shows what runs.
class RigControlfrm : public Form {
    Q_OBJECT
public:
    explicit RigControlfrm(const WindowContext& context);
    ~RigControlfrm() override;

    QListWidget* List1;
    QLineEdit* txtFreq;
    QLineEdit* txtMode;
    std::array<QRadioButton*, 9> optBaud{}; // 1.2 ... 56
    QRadioButton *optParityOdd, *optParityNone, *optParityEven;
    QRadioButton *optData7, *optData8;
    QRadioButton *optStop1, *optStop2;
    std::array<QRadioButton*, 10> optComm{};
    QRadioButton *optPowerNone, *optPowerRTS, *optPowerDTR;
    QRadioButton *optPollFast, *optPollMed, *optPollSlow, *optReallySlow;
    QRadioButton *OptRig, *OptFreq, *OptDont;
    QCheckBox* chkFrequency;
    QCheckBox* chkConvToHex;
    QCheckBox* ChkConvHex;
    QPushButton* Command1; // Test
    QPushButton* Command2; // End Test
    QPushButton* cmdDone;
    QPushButton* Command3; // Change Frequency
    QPushButton* Command4; // Copy unprocessed data to clipboard
    QLabel* lblFreq;
    QLabel* lblMode;
    QLabel* lblUnProcess;
    QLabel* Label2;  // "Polling Rig"
    QLabel* Label10; // the note on the chosen type's requests

    // The variables of the settings file, RigName apart (it lives in the station state).
    RigSettings rig;
    quint8 RigSettingsLoading = 0;

    // "Test": collects the settings, opens the port and starts polling.
    void Command1_Click();
    void Command2_Click();
    void cmdDone_Click();
    // The port would not open: a beep and the message, and the window shown modal when it
    // is hidden, so the operator can choose again.
    void reportRefusedPort();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void LoadRigSettings();
    void showSettings();
    void handToSession();
    void SaveRigSettings();
    void List1_Click();
    void showPolling();
    void applyRestoredOptions();
    void collectOptions();
    void showIdle();
    void showReply(const QByteArray& reply);
    void showReadings();
    void showSilent(const QString& why);
    void showAnswering();
    QRadioButton* addOption(QGroupBox* frame, const QString& caption, float left, float top, float width);

    RigSession& m_session;
};
