#pragma once

// How one window opens or reaches another. App, at the top of the program, implements it;
// every window gets it in its context. A window includes the header of a window it reaches
// only when that window lies in a layer below its own.
//
// Who owns the windows:
// - App creates the windows that outlive one showing on first reference (the setup window,
//   the main window, the keyer windows, the prompt player, the county-line window) and
//   deletes them: the companions as the main window closes, the others at the end of the run.
// - A window shown modally (logo, help, colours, summary, map, graph, edit, county list,
//   own county) is made for that one showing by whoever opens it (App or the opening
//   window) and goes when the showing ends.
// - The start-up, setup and main windows, and the county-line window closed by its close
//   box, delete themselves as they close; App's reference then reads empty.
// No window deletes another.

#include <QtGlobal>
#include <functional>

class BlindFrm;
class CWFrm;
class Form1;
class PhoneFrm;
class QString;
class RigControlfrm;
class frmCountyChangeRover;
class frmWinKey;

class Navigation {
public:
    virtual ~Navigation() = default;

    // The start-up window's end: the station setup window, shown once per run.
    virtual void showStationSetup() = 0;
    // Setup's "Done": the main window that fits the operator's location (Outfrm outside
    // Texas, Infrm inside).
    virtual void showMainWindow() = 0;
    // The forwarding object to the running main window.
    virtual Form1& form1() = 0;
    // The main window closes: the companion windows are unloaded first, then the run ends
    // once no other window of the program is shown.
    virtual void unloadCompanionWindows() = 0;
    virtual void mainWindowClosed() = 0;
    // Ends the run: every keyed line released and every port and link closed first, then
    // the event loop ended. File > Exit, the last window closing and the end signals all
    // come here.
    virtual void quit() = 0;

    // Setup's load: the keyers' settings files read into the keyer session, and the keyer
    // windows loaded hidden to show them (the CW window's keying option selected when the
    // whole file was read). False when wave2.txt is missing or was not read whole.
    virtual bool loadKeyerSettings() = 0;
    // The keyer windows and the prompt player: loaded hidden on first reference and kept.
    virtual PhoneFrm& phoneFrm() = 0;
    virtual CWFrm& cwFrm() = 0;
    virtual BlindFrm& blindFrm() = 0;
    // The spoken prompt <working directory>/<name>.wav, played by the voice navigation
    // window's player and so loading that window on its first use; returns at once.
    virtual void prompt(const QString& name) = 0;
    // The voice navigation window, shown modeless.
    virtual void showVoiceNavigation() = 0;
    // The keyer device's window: loaded hidden on first reference and kept until the main
    // window closes.
    virtual frmWinKey& winKeyFrm() = 0;
    // The keyer device's window shown modal, loaded first when it is not.
    virtual void showWinKeySetup() = 0;
    // The county-line window: loaded hidden on first reference and kept (with its list)
    // until the main window closes.
    virtual frmCountyChangeRover& countyChangeRover() = 0;
    // The rig interface window: loaded hidden on first reference and kept until the main
    // window closes. Shown modeless by Options > "&Rig Interface".
    virtual RigControlfrm& rigControlfrm() = 0;
    virtual void showRigInterface() = 0;
    // The main window's last start-up step: polls the radio the station names.
    virtual void startRigPolling() = 0;

    // Modal windows, each loaded afresh for one showing.
    virtual void showHelp() = 0;
    virtual void showColors() = 0;
    virtual void showSummary() = 0;
    virtual void showCountyMap() = 0;
    virtual void showRateGraph() = 0;
    // File > "Export &ADIF File": its questions, the file dialog and the file.
    virtual void exportAdif() = 0;
    // The spotting window, non-modal, loaded on first use (nothing until there is one).
    virtual void showSpotting() {}
    // The frequency privileges chart, modal, loaded afresh for one showing.
    virtual void showPrivileges() {}
    // The tune window, modal, loaded afresh for one showing; it tunes through the rig session.
    virtual void showRigTune() {}
    // The running main window's edit dialog for one contact, its "Delete Dupe" running
    // deleteContact.
    virtual void editContact(qint32 entry, std::function<void()> deleteContact) = 0;
};
