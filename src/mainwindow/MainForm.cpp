// The log window's life: building, loading the log, closing and the message lines.

#include "mainwindow/MainForm.h"

#include "core/AppState.h"
#include "core/LogStore.h"
#include "core/Preferences.h"
#include "core/Tables.h"
#include "core/WorkFiles.h"
#include "core/forms/FormScaler.h"
#include "core/forms/Navigation.h"
#include "mainwindow/LabelColors.h"
#include "platform/Colors.h"
#include "platform/EventWait.h"
#include "platform/Services.h"

#include <QCloseEvent>
#include <QMouseEvent>

namespace {

const QString WindowTitle =
    QStringLiteral("Vexol's Brevant Log 2.3                    www.vexolsoftware.example");

} // namespace

MainForm::MainForm(const WindowContext& context, const LogWindowProfile& profile)
    : Form(context, WindowTitle, ReferenceScreenWidth, ReferenceScreenHeight), m_profile(profile), m_log(*context.log)
{
    Q_ASSERT(context.log != nullptr);
    setAttribute(Qt::WA_DeleteOnClose);
    setOuterFrame(true);
    setMouseTracking(true);
    buildMenus();
    buildControls();
}

MainForm::~MainForm() { context().navigation.form1().detach(*this); }

void MainForm::Form_Load()
{
    context().navigation.form1().attach(*this);
    AppState& state = context().state;
    StationData& s = state.station;
    Label3->hide();

    LocalScaling scaling;
    scaling.windowFont = LocalScaling::WindowFont::NewWidthRatio;
    scaling.controlFont = LocalScaling::ControlFont::Smaller;
    scaling.scaledKinds = {ControlKind::Label, ControlKind::TextBox, ControlKind::CommandButton,
                           ControlKind::ListBox, ControlKind::ListView, ControlKind::Frame,
                           ControlKind::OptionButton, ControlKind::CheckBox};
    scaling.fontKinds = scaling.scaledKinds;
    ScaleFormLocally(*this, scaling);
    applyGeometry2();
    FitListHeights();

    setDialog(m_profile.loadMessage);
    createListColumns();
    PartialDupesOn = 1;
    // Any size but the full one goes through the percentage layout, which also turns a
    // size outside 30 to 100 (a first run's 0, an edited 150) into 100 and saves it.
    if (s.FormSizePercent != 100)
        ApplyFormSizePercent();
    loadWindowSpecific();
    showSavedBandAndMode();
    if (s.ListPreviousContacts == 1)
        mnuListPrevious->setChecked(true);

    qint32 countiesLeftOut = 0;
    if (!LoadCountyTable(state, &countiesLeftOut)) {
        // Reported, and the load goes on: the log is still loaded and shown.
        context().services.dialogs->messageBox(QStringLiteral("Error opening file"),
                                               QStringLiteral("Error opeining file"));
    }
    if (countiesLeftOut > 0)
        reportCountiesLeftOut(countiesLeftOut);
    PromptOpenExistingLog();
    clocks->showStoredOperatingTime();
    ReloadLog();
    ApplyFullScreenLayout();
    show();
    clocks->start();
    clocks->Timer2_Timer();
    txtCall->setFocus();
    // Last, so the radio's port errors show over the visible window with the log loaded.
    context().navigation.startRigPolling();
}

void MainForm::PromptOpenExistingLog()
{
    const auto answer = context().services.dialogs->messageBox(
        QStringLiteral("Do you want to continue an existing contest? (Yes opens your existing log, No "
                       "erases any existing log and starts a new log.)"),
        QStringLiteral("Open existing log?"), Dialogs::Buttons::YesNo, Dialogs::Icon::Question);
    if (answer != Dialogs::Answer::Yes)
        m_log.startNew(context().services, promptsOf(*context().services.dialogs));
    cmdEdit->hide();
    cmdDelete->hide();
}

void MainForm::reportCountiesLeftOut(qint32 leftOut)
{
    const AppState& state = context().state;
    context().services.dialogs->messageBox(
        QStringLiteral("county2.txt holds more than %1 counties of %2. Only the first %1 are used; the other %3 "
                       "were left out and cannot be logged.")
            .arg(MaxHostCounties)
            .arg(state.station.HostState)
            .arg(leftOut),
        QStringLiteral("County Table"));
}

void MainForm::ReloadLog()
{
    if (reloadCommon())
        showReloadedLog();
}

bool MainForm::reloadCommon()
{
    QString notice;
    const LoadLogResult loaded = m_log.load(&notice);
    if (!notice.isEmpty())
        context().services.dialogs->messageBox(notice, unfinishedLineTitle());
    if (loaded != LoadLogResult::Loaded) {
        // The text of the window names bad data; a log too long for the program is not that.
        context().services.dialogs->messageBox(loaded == LoadLogResult::OverCap ? overCapText() : reloadErrorText(),
                                               QStringLiteral("File Error"));
        context().services.endProgram(1);
        return false;
    }
    m_fittedLogList.reset();
    m_log.tally().applyTo(context().state.score, inState());
    return true;
}

void MainForm::setDialog(const QString& text) { lblDialog->setText(text); }

void MainForm::setDialogColor(quint32 color) { setBackground(lblDialog, color); }

void MainForm::resetDupeLine()
{
    setBackground(lblDupe, ColorButtonFace);
    lblDupe->setText(QString());
}

void MainForm::beep() { context().services.beeper->beep(); }

void MainForm::prompt(const QString& name) { context().navigation.prompt(name); }

void MainForm::mnuExit_Click()
{
    // Ends at once, without closing the companion windows and without the backup copy;
    // the lines and ports are let go all the same.
    clocks->saveOperatingTimeIfRunning();
    context().navigation.quit();
}

void MainForm::mouseMoveEvent(QMouseEvent* event)
{
    Form::mouseMoveEvent(event);
    // A control passes the moves it does not take on to the window: those are not moves
    // over the bare window (a state label's totals stay).
    if (childAt(event->position().toPoint()) == nullptr)
        lblDupe->setText(QString());
}

void MainForm::closeEvent(QCloseEvent* event)
{
    AppState& state = context().state;
    state.keyer.CWBuffer.clear();
    if (EventWaits::running() > 0) {
        // The close comes from inside a wait that lets events run: a CW message between two
        // characters, a send to the keyer device, a spot link's or the radio's wait. The
        // windows and devices it runs in stay until it has returned: the emptied buffer ends
        // a message after the character it keys and a device's send at its next step, a
        // link's wait ends within its time, a tune's wait for the radio's port now; then the
        // window closes.
        // Closing the main window ends the program, so every wait stops at its next step.
        EventWaits::requestEnd();
        if (context().navigation.form1().radioTuning())
            context().navigation.form1().endRadioTuning();
        event->ignore();
        EventWaits::whenNoneRuns(this, [this] {
            if (isVisible())
                close();
        });
        return;
    }
    if (state.keyer.CWSending == 1) {
        event->ignore(); // the message stops after its character: a second close succeeds
        return;
    }
    clocks->stop();
    context().navigation.unloadCompanionWindows();
    m_log.backUp(context().services);
    clocks->saveOperatingTimeIfRunning();
    event->accept();
    context().navigation.form1().detach(*this);
    context().navigation.mainWindowClosed();
}
