#pragma once

// The running program: its state, its platform services and its windows. It creates each
// window the first time it is referred to, hands every window its context, and is the
// navigation between the windows (see Navigation.h for who owns which window).

#include "core/AppState.h"
#include "core/forms/Form1.h"
#include "core/forms/Navigation.h"
#include "core/forms/Sessions.h"
#include "core/forms/WindowContext.h"
#include "entry/ContestLog.h"
#include "platform/Services.h"

#include <QObject>
#include <QPointer>
#include <memory>

class KeyerSession;
class frmStationID;
class MainForm;
class PacketSpotfrm;
class RadioToLog;
class RigSession;

class App : public QObject, public Navigation {
    Q_OBJECT
public:
    explicit App(Services services);
    ~App() override;

    AppState& state() { return m_state; }
    Services& services() { return m_services; }
    WindowContext context() { return {m_state, m_services, *this, m_sessions, &m_log}; }
    ContestLog& log() { return m_log; }
    KeyerSession& keyerSession() { return *m_keyerSession; }

    // Runs the start-up sequence: the start-up window's load.
    void start();

    void showStationSetup() override;
    frmStationID* stationSetup() const;

    bool loadKeyerSettings() override;
    PhoneFrm& phoneFrm() override;
    CWFrm& cwFrm() override;
    BlindFrm& blindFrm() override;
    void prompt(const QString& name) override;
    void showVoiceNavigation() override;
    frmWinKey& winKeyFrm() override;
    void showWinKeySetup() override;
    bool winKeyFrmLoaded() const { return !m_winKeyFrm.isNull(); }
    bool phoneFrmLoaded() const;
    bool cwFrmLoaded() const;

    void showMainWindow() override;
    // The running main window (nothing before setup's "Done").
    MainForm* mainWindow() const;
    Form1& form1() override { return m_form1; }
    frmCountyChangeRover& countyChangeRover() override;
    RigControlfrm& rigControlfrm() override;
    RigSession& rigSession() { return *m_rigSession; }
    bool rigControlfrmLoaded() const { return !m_rigControlfrm.isNull(); }
    void showRigInterface() override;
    void showSpotting() override;
    void startRigPolling() override;
    void unloadCompanionWindows() override;

    void showHelp() override;
    void showColors() override;
    void showSummary() override;
    void showCountyMap() override;
    void showRateGraph() override;
    void exportAdif() override;
    void showPrivileges() override;
    void showRigTune() override;
    void editContact(qint32 entry, std::function<void()> deleteContact) override;

    // The main window has closed: the run ends once no other window of the program is shown.
    void mainWindowClosed() override;

    // Ends the run through the event loop, after releasing every keyed line and closing
    // every port and link (releaseDevices). Nothing else ends it: no window closing does.
    void quit() override;
    bool quitRequested() const { return m_quitRequested; }
    // A signal that ends the program (SIGTERM, SIGINT, SIGHUP, SIGQUIT): the keyed lines
    // dropped at once, then as File > Exit.
    void endOnSignal();

protected:
    // Once the run ends, keys and clicks still queued reach no window.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    AppState m_state;
    // The log of the run, over the state's record arrays; the log window takes it.
    ContestLog m_log{m_state};
    // After the state: the delayed writes read it as they go.
    Services m_services;
    Form1 m_form1{m_state, m_services.fileWriter.get()};
    Sessions m_sessions;
    std::unique_ptr<SpotSession> m_spotSession;
    std::unique_ptr<RigSession> m_rigSession;
    // After the session: goes first, with its connections.
    std::unique_ptr<RadioToLog> m_radioToLog;
    std::unique_ptr<KeyerSession> m_keyerSession;
    QPointer<frmStationID> m_stationSetup;
    QPointer<PhoneFrm> m_phoneFrm;
    QPointer<CWFrm> m_cwFrm;
    QPointer<BlindFrm> m_blindFrm;
    QPointer<frmWinKey> m_winKeyFrm;
    QPointer<MainForm> m_mainWindow;
    QPointer<frmCountyChangeRover> m_countyChangeRover;
    QPointer<RigControlfrm> m_rigControlfrm;
    QPointer<PacketSpotfrm> m_packetSpotfrm;
    bool m_quitRequested = false;
    bool m_linksClosed = false;

    void endWhenNoWindowShown();
    // Push-to-talk and the keying lines dropped, the keyer device and the keying ports
    // closed (the keyer session's release), the radio and spot links closed with their
    // closing bytes. The windows stay.
    void releaseDevices();
    // The radio's and the spot link's closing steps sent, their ports closed; once.
    void closeLinks();
};
