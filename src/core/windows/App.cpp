#include "core/windows/App.h"

#include "core/windows/frmSplash.h"

App::App(Services services) : m_services(std::move(services)) {}

App::~App() = default;

void App::start()
{
    auto* splash = new frmSplash(*this);
    splash->Form_Load();
}

void App::showStationSetup()
{
    // The setup window arrives with the station setup; until then start-up ends here.
}

void App::showMainWindow()
{
    if (openMainWindow)
        openMainWindow();
}
