#include "app/App.h"

#include "core/forms/Form.h"
#include "core/windows/Form5.h"
#include "core/windows/Form6.h"
#include "core/windows/frmSplash.h"
#include "core/windows/frmStationID.h"
#include "entry/windows/frmCountyChangeRover.h"
#include "keying/KeyerSession.h"
#include "keying/windows/BlindFrm.h"
#include "keying/windows/CWFrm.h"
#include "keying/windows/PhoneFrm.h"
#include "keying/windows/frmWinKey.h"
#include "mainwindow/Infrm.h"
#include "mainwindow/Outfrm.h"
#include "platform/EventWait.h"
#include "reports/windows/AdifExportDialogs.h"
#include "reports/windows/CountyMapTX.h"
#include "reports/windows/DECabrilloIn.h"
#include "reports/windows/DEEditInfrm.h"
#include "reports/windows/DEEditOut.h"
#include "reports/windows/GraphQSO.h"
#include "rig/RigBandPlan.h"
#include "rig/RigSession.h"
#include "rig/RigSettings.h"
#include "rig/windows/RadioToLog.h"
#include "rig/windows/RigControlfrm.h"
#include "rig/windows/frmBandPlan.h"
#include "rig/windows/frmRigTune.h"
#include "spots/SpotSession.h"
#include "spots/windows/PacketSpotfrm.h"

#include <QApplication>
#include <QInputEvent>

namespace {

// A modal window made for one showing: loaded, shown, and gone when the showing ends.
template <class W, class... Arguments>
void showOnce(const WindowContext& context, Arguments&&... arguments)
{
    W window(context, std::forward<Arguments>(arguments)...);
    window.Form_Load();
    window.showModal();
}

} // namespace

App::App(Services services) : m_services(std::move(services))
{
    EventWaits::clearEndRequest();
    m_keyerSession = std::make_unique<KeyerSession>(
        m_state.keyer, m_state.tables, *m_services.clock, *m_services.parallelPort,
        [this] { return m_services.makeSerialPort(); }, [this] { return m_services.makeWavePlayer(); });
    m_sessions.keyer = m_keyerSession.get();
    // The keyer's "!" and echo go to the running main window.
    connect(m_keyerSession.get(), &KeyerSession::contactToLog, this, [this] { m_form1.MainsFromKeyer(); });
    connect(m_keyerSession.get(), &KeyerSession::mainWindowText, this,
            [this](const QString& text) { m_form1.SetDialogCaption(text); });
    // The run ends only where the program says so (App::quit, Services::endProgram): a
    // window closing, a dialog with no parent window among them, never ends it on its own.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    // The paths that end the program at once (a log that cannot be read) let go of the
    // transmitter first, and make the writes that wait, as quit() does.
    m_services.endProgram = [this, end = std::move(m_services.endProgram)](int code) {
        releaseDevices();
        if (m_services.delayedWrites)
            m_services.delayedWrites->flush();
        end(code);
    };
    m_spotSession = std::make_unique<SpotSession>(
        SpotLinkDevices{[this] { return m_services.makeSerialPort(); }, [this] { return m_services.makeTcpLink(); },
                        [this] { return m_services.environment->variable("BREVANT_AGW"); }});
    m_sessions.spots = m_spotSession.get();
    // The port is made as the radio first needs it, by the services as they are then. What
    // the radio reads goes to the running main window.
    m_rigSession = std::make_unique<RigSession>([this] { return m_services.makeSerialPort(); });
    m_sessions.rig = m_rigSession.get();
    m_form1.attachRadio(*m_rigSession);
    m_radioToLog = std::make_unique<RadioToLog>(*m_rigSession, m_form1, *m_services.dialogs);
}

App::~App()
{
    // A window is hidden before it goes, so no focus change reaches a half-destroyed one.
    for (QWidget* w : std::initializer_list<QWidget*>{m_mainWindow, m_stationSetup}) {
        if (w)
            w->hide();
    }
    delete m_stationSetup;
    unloadCompanionWindows();
    delete m_mainWindow;
}

void App::start()
{
    auto* splash = new frmSplash(context());
    splash->Form_Load();
}

void App::showStationSetup()
{
    m_stationSetup = new frmStationID(context());
    m_stationSetup->Form_Load();
    m_stationSetup->show();
    m_stationSetup->Text1->setFocus();
}

frmStationID* App::stationSetup() const { return m_stationSetup; }
bool App::phoneFrmLoaded() const { return !m_phoneFrm.isNull(); }
bool App::cwFrmLoaded() const { return !m_cwFrm.isNull(); }

bool App::loadKeyerSettings()
{
    const KeyerSession::SettingsRead read = m_keyerSession->loadSettingsFiles(m_state.folders);
    // A window loaded earlier shows them too; one loading now takes them from the session.
    // Copies: each box a window fills hands the session the window's settings at once.
    const WaveSettings voice = m_keyerSession->voiceSettings();
    phoneFrm().showSettings(voice);
    const CwSettings cwSettings = m_keyerSession->cwSettings();
    CWFrm& cw = cwFrm();
    cw.showSettings(cwSettings);
    if (read.cwItems == CwSettings::ItemCount)
        cw.selectKeyingInterface(m_state.keyer.CWKeyingInterface);
    return read.voiceItems == WaveSettings::ItemCount;
}

PhoneFrm& App::phoneFrm()
{
    if (!m_phoneFrm)
        m_phoneFrm = new PhoneFrm(context());
    return *m_phoneFrm;
}

frmWinKey& App::winKeyFrm()
{
    if (!m_winKeyFrm)
        m_winKeyFrm = new frmWinKey(context());
    return *m_winKeyFrm;
}

void App::showWinKeySetup() { winKeyFrm().showModal(); }

CWFrm& App::cwFrm()
{
    if (!m_cwFrm)
        m_cwFrm = new CWFrm(context());
    return *m_cwFrm;
}

void App::prompt(const QString& name) { blindFrm().BlindKeyPhone(name); }

void App::showVoiceNavigation() { blindFrm().showModeless(Form::WindowState::Kept); }

BlindFrm& App::blindFrm()
{
    if (!m_blindFrm) {
        m_blindFrm = new BlindFrm(context());
        m_blindFrm->Form_Load();
    }
    return *m_blindFrm;
}

void App::showMainWindow()
{
    if (m_stationSetup)
        m_stationSetup->hide(); // the setup window closes as the main window loads
    MainForm* window = nullptr;
    if (m_state.station.OutOfState != 0)
        window = new Outfrm(context());
    else
        window = new Infrm(context());
    m_mainWindow = window;
    window->Form_Load();
}

MainForm* App::mainWindow() const { return m_mainWindow; }

frmCountyChangeRover& App::countyChangeRover()
{
    if (!m_countyChangeRover)
        m_countyChangeRover = new frmCountyChangeRover(context());
    return *m_countyChangeRover;
}

RigControlfrm& App::rigControlfrm()
{
    if (!m_rigControlfrm)
        m_rigControlfrm = new RigControlfrm(context());
    return *m_rigControlfrm;
}

void App::showRigInterface()
{
    rigControlfrm().showModeless(Form::WindowState::Kept);
}

// Loaded on first showing; shown non-modal and brought back from minimised.
void App::showSpotting()
{
    if (!m_packetSpotfrm)
        m_packetSpotfrm = new PacketSpotfrm(context());
    m_packetSpotfrm->showModeless();
}

// The radio named by the station (or by RigCntrl.txt) is polled on the stored settings, as
// the rig window's "Test" would poll it; the rig window is loaded only to tell a port that
// would not open. A new install names no radio in either file: no port is opened and no
// error greets the operator.
void App::startRigPolling()
{
    QString& rigName = m_state.station.RigName;
    if (rigName.compare(QLatin1String("None"), Qt::CaseInsensitive) == 0)
        return;
    const QString& folder = m_state.folders.WorkingDirectory;
    RigSettings settings;
    settings.RigPortSettings = portSettingsText(settings);
    if (const auto stored = loadRigSettings(folder, rigName)) {
        settings = stored->settings;
        if (stored->items >= 11)
            rigName = settings.RigName;
    }
    if (rigName.isEmpty() || rigName == QLatin1String("None"))
        return;
    settings.RigName = rigName;
    RigSession& radio = *m_rigSession;
    radio.setExtraBandPlan(LoadBandPlan(folder));
    radio.setSettings(settings);
    radio.clearMode();
    if (!radio.beginTest())
        rigControlfrm().reportRefusedPort();
    radio.startPolling();
}

void App::unloadCompanionWindows()
{
    releaseDevices();
    delete m_phoneFrm;
    delete m_cwFrm;
    delete m_blindFrm;
    if (m_packetSpotfrm) {
        m_packetSpotfrm->hide();
        delete m_packetSpotfrm;
    }
    if (m_rigControlfrm) {
        m_rigControlfrm->hide();
        delete m_rigControlfrm;
    }
    delete m_countyChangeRover;
    delete m_winKeyFrm;
}

void App::releaseDevices()
{
    m_keyerSession->releaseAll();
    closeLinks();
}

void App::closeLinks()
{
    // The links' closing steps go out once.
    if (m_linksClosed)
        return;
    m_linksClosed = true;
    m_spotSession->release();
    m_rigSession->release();
}

void App::showHelp() { showOnce<Form5>(context()); }

void App::showColors() { showOnce<Form6>(context()); }

void App::showSummary() { showOnce<DECabrilloIn>(context()); }

void App::showCountyMap() { showOnce<CountyMapTX>(context()); }

void App::showRateGraph() { showOnce<GraphQSO>(context()); }

void App::exportAdif() { WriteADIFFile(m_state, m_services); }

void App::showPrivileges() { showOnce<frmBandPlan>(context()); }

void App::showRigTune() { showOnce<frmRigTune>(context()); }

void App::editContact(qint32 entry, std::function<void()> deleteContact)
{
    // Each log window has its own editor.
    const bool inState = m_mainWindow ? m_mainWindow->inState() : m_state.station.OutOfState == 0;
    if (inState)
        showOnce<DEEditInfrm>(context(), entry, std::move(deleteContact));
    else
        showOnce<DEEditOut>(context(), entry, std::move(deleteContact));
}

void App::mainWindowClosed()
{
    endWhenNoWindowShown();
}

void App::endWhenNoWindowShown()
{
    // The main window has gone; the run goes on while another of the program's windows
    // is still shown, and ends when the last of them closes.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* form = qobject_cast<Form*>(window);
        if (!form || form == m_mainWindow || !form->isVisible())
            continue;
        connect(form, &Form::hidden, this, &App::endWhenNoWindowShown,
                Qt::ConnectionType(Qt::QueuedConnection | Qt::UniqueConnection));
        connect(form, &QObject::destroyed, this, &App::endWhenNoWindowShown,
                Qt::ConnectionType(Qt::QueuedConnection | Qt::UniqueConnection));
        return;
    }
    quit();
}

void App::quit()
{
    // Whatever loop of waits runs stops at its next step.
    EventWaits::requestEnd();
    m_keyerSession->releaseAll();
    // A wait may be running inside a link's session (the radio's port draining): the
    // session is left alone until it has returned, or else until the run has ended
    // (~App), whichever comes first.
    EventWaits::whenNoneRuns(this, [this] { closeLinks(); });
    if (m_services.delayedWrites)
        m_services.delayedWrites->flush();
    if (!m_quitRequested)
        qApp->installEventFilter(this);
    m_quitRequested = true;
    // Not quit(): that first asks every window to close, and the main window refuses while a
    // character is keyed, which would keep the run going.
    QCoreApplication::exit(0);
}

void App::endOnSignal()
{
    // The transmitter first, whatever the way out then does.
    EventWaits::requestEnd();
    m_keyerSession->releaseAll();
    if (m_mainWindow)
        m_mainWindow->mnuExit_Click();
    else
        quit();
}

bool App::eventFilter(QObject* watched, QEvent* event)
{
    if (m_quitRequested && dynamic_cast<QInputEvent*>(event))
        return true;
    return QObject::eventFilter(watched, event);
}
