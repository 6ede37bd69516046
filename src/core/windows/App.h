#pragma once

// The running program: its state, its platform services and its windows. Windows reach
// one another through it; it creates each window the first time it is referred to.

#include "core/AppState.h"
#include "platform/Services.h"

#include <QObject>
#include <QPointer>
#include <functional>

class frmStationID;
class PhoneFrm;
class CWFrm;
class BlindFrm;
class MainForm;
class Form1;
class frmCountyChange;
class frmCountyChangeRover;

class App : public QObject {
    Q_OBJECT
public:
    explicit App(Services services);
    ~App() override;

    AppState& state() { return m_state; }
    Services& services() { return m_services; }

    // Runs the start-up sequence: the start-up window's load.
    void start();

    // The station setup window, shown once per run.
    void showStationSetup();
    frmStationID* stationSetup() const;

    // The keyer windows and the prompt player: loaded, hidden, on first reference, and
    // kept for the rest of the run.
    PhoneFrm& phoneFrm();
    CWFrm& cwFrm();
    BlindFrm& blindFrm();
    bool phoneFrmLoaded() const;
    bool cwFrmLoaded() const;

    // Opens the main window that fits the operator's location: Outfrm outside Texas,
    // Infrm inside.
    void showMainWindow();
    // The running main window (nothing before setup's "Done").
    MainForm* mainWindow() const;
    // The forwarding object the companion windows call.
    Form1& form1();
    // The own-county window while it is open, and the county-line window, loaded hidden
    // on first reference and kept (with its list) until the in-state window closes.
    frmCountyChange* countyChange() const;
    void setCountyChange(frmCountyChange* window);
    frmCountyChangeRover& countyChangeRover();

    // Unloads the companion windows as the main window closes.
    void unloadCompanionWindows();

    // The help and colour windows, each loaded afresh for one modal showing.
    void showHelp();
    void showColors();

    // The main window has closed: the run ends once no other window of the program is shown.
    void mainWindowClosed();

    // Ends the run through the event loop. Nothing else ends it: no window closing does.
    void quit();
    bool quitRequested() const { return m_quitRequested; }

private:
    AppState m_state;
    Services m_services;
    QPointer<frmStationID> m_stationSetup;
    QPointer<PhoneFrm> m_phoneFrm;
    QPointer<CWFrm> m_cwFrm;
    QPointer<BlindFrm> m_blindFrm;
    QPointer<MainForm> m_mainWindow;
    QPointer<Form1> m_form1;
    QPointer<frmCountyChange> m_countyChange;
    QPointer<frmCountyChangeRover> m_countyChangeRover;
    bool m_quitRequested = false;

    void endWhenNoWindowShown();
};
