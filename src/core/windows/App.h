#pragma once

// The running program: its state, its platform services and its windows. Windows reach
// one another through it; it creates each window the first time it is referred to.

#include "core/AppState.h"
#include "platform/Services.h"

#include <QObject>
#include <QPointer>
#include <functional>

class frmStationID;

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
    frmStationID* stationSetup() const { return m_stationSetup; }

    // Opens the main window that fits the operator's location.
    void showMainWindow();
    // Set by the main-window code once it exists; until then setup's "Done" ends in the
    // stored files.
    std::function<void()> openMainWindow;

private:
    AppState m_state;
    Services m_services;
    QPointer<frmStationID> m_stationSetup;
};
