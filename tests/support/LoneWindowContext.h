#pragma once

// A context for a window tested on its own, in a program that links only the window's
// library: the state, the services' doubles, and a navigation that fails the test when the
// window reaches for another window.

#include "support/TestServices.h"

#include "core/AppState.h"
#include "core/forms/Form1.h"
#include "core/forms/Navigation.h"
#include "core/forms/Sessions.h"
#include "core/forms/WindowContext.h"

#include <gtest/gtest.h>
#include <stdexcept>

class NoNavigation final : public Navigation {
public:
    explicit NoNavigation(AppState& state) : m_form1(state) {}

    void showStationSetup() override { refuse("the setup window"); }
    void showMainWindow() override { refuse("the main window"); }
    Form1& form1() override { return m_form1; }
    void unloadCompanionWindows() override {}
    void mainWindowClosed() override {}
    void quit() override { refuse("the end of the run"); }
    bool loadKeyerSettings() override { refuse("the keyers' settings"); }
    PhoneFrm& phoneFrm() override { refuse("the phone keyer"); }
    CWFrm& cwFrm() override { refuse("the CW keyer"); }
    BlindFrm& blindFrm() override { refuse("the prompt player"); }
    void prompt(const QString&) override { refuse("the prompt player"); }
    void showVoiceNavigation() override { refuse("the prompt player"); }
    frmWinKey& winKeyFrm() override { refuse("the keyer device window"); }
    void showWinKeySetup() override { refuse("the keyer device window"); }
    frmCountyChangeRover& countyChangeRover() override { refuse("the county-line window"); }
    RigControlfrm& rigControlfrm() override { refuse("the rig window"); }
    void showRigInterface() override { refuse("the rig window"); }
    void startRigPolling() override { refuse("the rig window"); }
    void showHelp() override { refuse("the help window"); }
    void showColors() override { refuse("the colour window"); }
    void showSummary() override { refuse("the summary sheet"); }
    void showCountyMap() override { refuse("the county map"); }
    void showRateGraph() override { refuse("the rate graph"); }
    void exportAdif() override { refuse("the ADIF export"); }
    void editContact(qint32, std::function<void()>) override { refuse("the contact editor"); }

private:
    [[noreturn]] static void refuse(const char* window)
    {
        ADD_FAILURE() << "the window reached " << window;
        throw std::logic_error("a lone window reached another");
    }

    Form1 m_form1;
};

struct LoneWindowContext {
    TestServices services;
    AppState state;
    Services running = std::move(services.services);
    NoNavigation navigation{state};
    // Empty until a test sets the session its window needs.
    Sessions sessions;
    // None until a test sets the log its window needs.
    ContestLog* log = nullptr;

    WindowContext context() { return {state, running, navigation, sessions, log}; }
};
