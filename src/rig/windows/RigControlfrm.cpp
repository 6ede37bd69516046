#include "rig/windows/RigControlfrm.h"

#include "core/AppState.h"
#include "core/WorkFiles.h"
#include "core/RecordFile.h"
#include "core/forms/Form1.h"
#include "core/forms/FormScaler.h"
#include "core/forms/Navigation.h"
#include "core/forms/Sessions.h"
#include "platform/FileWriter.h"
#include "platform/FileLookup.h"
#include "platform/Services.h"
#include "rig/RigSession.h"
#include "rig/RigText.h"
#include "rig/RigTypes.h"
#include "rig/windows/frmFrequencyTest.h"

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>

namespace {

const char* const BaudRates[] = {"1200", "2400", "4800", "9600", "14400", "19200", "28800", "38400", "56000"};
const char* const BaudCaptions[] = {"1.2", "2.4", "4.8", "9.6", "14.4", "19.2", "28.8", "38.4", "56"};

const QString SettingsFile = QStringLiteral("RigCntrl.txt");

QString trimmedRight(const QString& text)
{
    QString t = text;
    while (t.endsWith(QLatin1Char(' ')))
        t.chop(1);
    return t;
}

} // namespace

RigControlfrm::RigControlfrm(const WindowContext& context)
    : Form(context, QStringLiteral(" Rig Interface Setup"), 9480, 6900),
      m_session(*context.sessions.rig)
{
    buildControls();
    ResizeFormToScreen(*this);
    applyGeometry();

    connect(&m_session, &RigSession::replyRead, this, &RigControlfrm::showReply);
    connect(&m_session, &RigSession::radioSilent, this, &RigControlfrm::showSilent);
    connect(&m_session, &RigSession::radioAnswering, this, &RigControlfrm::showAnswering);

    List1->addItems(rigTypes());
    RigSettingsLoading = 1;
    if (m_session.polling()) {
        // Polled from the stored settings since the start: the window shows what runs.
        rig = m_session.settings();
        showSettings();
        showPolling();
        showReadings();
        RigSettingsLoading = 0;
        return;
    }
    LoadRigSettings();
    m_session.setExtraBandPlan(LoadBandPlan(this->context().state.folders.WorkingDirectory));
    RigSettingsLoading = 0;
    handToSession();
    m_session.forgetVfo();
}

RigControlfrm::~RigControlfrm() { m_session.unload(); }

QRadioButton* RigControlfrm::addOption(QGroupBox* frame, const QString& caption, float left, float top, float width)
{
    auto* option = place(new QRadioButton(caption, frame), ControlKind::OptionButton, left, top, width, 255);
    return option;
}

void RigControlfrm::buildControls()
{
    place(new QLabel(QStringLiteral("Select Rig:"), this), ControlKind::Label, 120, 120, 2000, 255);
    List1 = place(new QListWidget(this), ControlKind::ListBox, 120, 380, 2200, 2900);

    place(new QLabel(QStringLiteral("String to read frequency:"), this), ControlKind::Label, 2520, 120, 2400, 255);
    txtFreq = place(new QLineEdit(this), ControlKind::TextBox, 2520, 380, 2400, 315);
    place(new QLabel(QStringLiteral("String to read mode:"), this), ControlKind::Label, 2520, 780, 2400, 255);
    txtMode = place(new QLineEdit(this), ControlKind::TextBox, 2520, 1040, 2400, 315);

    auto* baud = place(new QGroupBox(QStringLiteral("Baud Rate (k):"), this), ControlKind::Frame, 5040, 120, 4320, 900);
    for (int i = 0; i < 9; ++i)
        optBaud[size_t(i)] = addOption(baud, QLatin1String(BaudCaptions[i]), 120 + 840 * (i % 5), 260 + 300 * (i / 5), 800);
    auto* parity = place(new QGroupBox(QStringLiteral("Parity:"), this), ControlKind::Frame, 5040, 1080, 2100, 600);
    optParityOdd = addOption(parity, QStringLiteral("Odd"), 120, 260, 620);
    optParityNone = addOption(parity, QStringLiteral("None"), 760, 260, 680);
    optParityEven = addOption(parity, QStringLiteral("Even"), 1460, 260, 620);
    auto* data = place(new QGroupBox(QStringLiteral("Data Bits:"), this), ControlKind::Frame, 7260, 1080, 1000, 600);
    optData7 = addOption(data, QStringLiteral("7"), 120, 260, 400);
    optData8 = addOption(data, QStringLiteral("8"), 540, 260, 400);
    auto* stop = place(new QGroupBox(QStringLiteral("Stop Bits:"), this), ControlKind::Frame, 8340, 1080, 1020, 600);
    optStop1 = addOption(stop, QStringLiteral("1"), 120, 260, 400);
    optStop2 = addOption(stop, QStringLiteral("2"), 540, 260, 400);
    auto* comm = place(new QGroupBox(QStringLiteral("Comm Port:"), this), ControlKind::Frame, 5040, 1740, 4320, 900);
    for (int i = 0; i < 10; ++i)
        optComm[size_t(i)] = addOption(comm, QString::number(i + 1), 120 + 840 * (i % 5), 260 + 300 * (i / 5), 800);
    auto* power = place(new QGroupBox(QStringLiteral("Connection Power:"), this), ControlKind::Frame, 5040, 2700, 4320, 600);
    optPowerNone = addOption(power, QStringLiteral("None"), 120, 260, 1000);
    optPowerRTS = addOption(power, QStringLiteral("RTS"), 1440, 260, 1000);
    optPowerDTR = addOption(power, QStringLiteral("DTR"), 2760, 260, 1000);
    auto* poll = place(new QGroupBox(QStringLiteral("Radio Polling Rate:"), this), ControlKind::Frame, 5040, 3360, 4320, 600);
    optPollFast = addOption(poll, QStringLiteral("100 ms"), 120, 260, 1000);
    optPollMed = addOption(poll, QStringLiteral("500 ms"), 1160, 260, 1000);
    optPollSlow = addOption(poll, QStringLiteral("2 Sec"), 2200, 260, 1000);
    optReallySlow = addOption(poll, QStringLiteral("10 Sec"), 3240, 260, 1000);
    auto* modeBy = place(new QGroupBox(QStringLiteral("Mode by:"), this), ControlKind::Frame, 2520, 1440, 2400, 1000);
    OptRig = addOption(modeBy, QStringLiteral("Rig"), 120, 260, 2000);
    OptFreq = addOption(modeBy, QStringLiteral("Frequency"), 120, 500, 2000);
    OptDont = addOption(modeBy, QStringLiteral("Don't Use"), 120, 740, 2000);

    chkFrequency = place(new QCheckBox(QStringLiteral("Use Frequency"), this), ControlKind::CheckBox, 2520, 2520, 2400, 255);
    chkConvToHex = place(new QCheckBox(QStringLiteral("Convert to Hex"), this), ControlKind::CheckBox, 2520, 2800, 2400, 255);
    ChkConvHex = place(new QCheckBox(QStringLiteral("Convert from Hex"), this), ControlKind::CheckBox, 2520, 3080, 2400, 255);

    place(new QLabel(QStringLiteral("Frequency:"), this), ControlKind::Label, 120, 4080, 1200, 255);
    lblFreq = place(new QLabel(this), ControlKind::Label, 1380, 4020, 2000, 375);
    place(new QLabel(QStringLiteral("Mode:"), this), ControlKind::Label, 3600, 4080, 700, 255);
    lblMode = place(new QLabel(this), ControlKind::Label, 4380, 4020, 1400, 375);
    place(new QLabel(QStringLiteral("Should be PH or CW"), this), ControlKind::Label, 5880, 4080, 2000, 255);
    for (QLabel* readout : {lblFreq, lblMode})
        readout->setStyleSheet(QStringLiteral("color: red; background: black; font-weight: bold"));
    place(new QLabel(QStringLiteral("Unprocessed data returned:"), this), ControlKind::Label, 120, 4560, 2400, 255);
    lblUnProcess = place(new QLabel(this), ControlKind::Label, 2580, 4500, 6780, 375);
    lblUnProcess->setStyleSheet(QStringLiteral("color: red; background: black; font-weight: bold"));
    Label2 = place(new QLabel(QStringLiteral("Polling Rig"), this), ControlKind::Label, 120, 3420, 2200, 315);
    Label2->setStyleSheet(QStringLiteral("color: white; background: blue"));
    Label2->setAlignment(Qt::AlignCenter);
    Label2->hide();
    Label10 = place(new QLabel(this), ControlKind::Label, 120, 5040, 9240, 500);
    Label10->setWordWrap(true);
    Label10->hide();
    place(new QLabel(QStringLiteral("Select your rig, check the settings, click Test and watch the readouts; "
                                    "Done saves the settings and keeps polling."),
                     this),
          ControlKind::Label, 120, 5580, 9240, 255);
    place(new QLabel(QStringLiteral("Change Frequency tunes the radio from a frequency you type, to test tuning."), this),
          ControlKind::Label, 120, 5860, 9240, 255);
    place(new QLabel(QStringLiteral("Please report radios not listed here, with the strings that work for them."), this),
          ControlKind::Label, 120, 6140, 9240, 255);

    Command1 = place(new QPushButton(QStringLiteral("Test"), this), ControlKind::CommandButton, 120, 6420, 1400, 375);
    Command2 = place(new QPushButton(QStringLiteral("End Test"), this), ControlKind::CommandButton, 1640, 6420, 1400, 375);
    Command3 = place(new QPushButton(QStringLiteral("Change Frequency"), this), ControlKind::CommandButton, 3160, 6420, 1800, 375);
    Command4 = place(new QPushButton(QStringLiteral("Copy unprocessed data to clipboard"), this), ControlKind::CommandButton,
                     5080, 6420, 2900, 375);
    cmdDone = place(new QPushButton(QStringLiteral("&Done"), this), ControlKind::CommandButton, 8100, 6420, 1260, 375);
    Command2->setEnabled(false);

    // Design state.
    optBaud[8]->setChecked(true);
    optParityNone->setChecked(true);
    optData8->setChecked(true);
    optStop1->setChecked(true);
    optComm[0]->setChecked(true);
    optPowerNone->setChecked(true);
    optPollMed->setChecked(true);
    OptRig->setChecked(true);
    chkFrequency->setChecked(true);
    chkConvToHex->setEnabled(false);

    // Any change of the port's settings stops polling: they take effect at the next Test.
    std::vector<QRadioButton*> endTest(optBaud.begin(), optBaud.end());
    endTest.insert(endTest.end(), optComm.begin(), optComm.end());
    for (QRadioButton* o : {optParityOdd, optParityNone, optParityEven, optData7, optData8, optStop1, optStop2,
                            optPowerNone, optPowerRTS, optPowerDTR, optPollFast, optPollMed, optPollSlow, optReallySlow})
        endTest.push_back(o);
    for (QRadioButton* o : endTest)
        connect(o, &QRadioButton::clicked, this, &RigControlfrm::Command2_Click);
    for (QRadioButton* o : {OptRig, OptFreq, OptDont})
        connect(o, &QRadioButton::toggled, this, [this](bool on) {
            if (!on)
                return;
            lblMode->setText(QStringLiteral("No Response"));
            m_session.clearMode();
            handToSession();
        });
    connect(chkFrequency, &QCheckBox::toggled, this, [this] { handToSession(); });
    connect(chkConvToHex, &QCheckBox::toggled, this, [this](bool on) {
        ChkConvHex->setChecked(on);
        handToSession();
    });
    connect(txtFreq, &QLineEdit::textChanged, this, [this](const QString& t) {
        rig.RigFrequencyRequest = t;
        handToSession();
    });
    connect(txtMode, &QLineEdit::textChanged, this, [this](const QString& t) {
        rig.RigModeRequest = t;
        handToSession();
    });
    txtFreq->installEventFilter(this);
    txtMode->installEventFilter(this);
    connect(List1, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            List1_Click();
    });
    connect(Command1, &QPushButton::clicked, this, &RigControlfrm::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &RigControlfrm::Command2_Click);
    connect(cmdDone, &QPushButton::clicked, this, &RigControlfrm::cmdDone_Click);
    connect(Command3, &QPushButton::clicked, this, [this] {
        if (m_session.polling()) {
            frmFrequencyTest test(this->context());
            test.Form_Load();
            test.showModal();
            return;
        }
        this->context().services.dialogs->messageBox(
            QStringLiteral("You must be polling your rig to test this function.  Please select your rig type and "
                           "click the Test command button."),
            QStringLiteral("You must be polling your rig to test this function."), Dialogs::Buttons::Ok,
            Dialogs::Icon::Information);
    });
    connect(Command4, &QPushButton::clicked, this, [this] {
        QApplication::clipboard()->setText(lblUnProcess->text());
        cmdDone->setFocus();
    });
}

// Only the focus moving into a request box ends the test: a box that gets the focus back
// because the window came to the front, or a popup or a menu closed, is not edited.
bool RigControlfrm::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == txtFreq || watched == txtMode) && event->type() == QEvent::FocusIn) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && reason != Qt::MenuBarFocusReason)
            Command2_Click();
    }
    return Form::eventFilter(watched, event);
}

void RigControlfrm::LoadRigSettings()
{
    // A rewrite of the file asked earlier in the run is read back, not the file before it.
    if (FileWriter* writer = context().services.fileWriter.get())
        writer->waitForAll();
    AppState& state = context().state;
    const auto stored = loadRigSettings(state.folders.WorkingDirectory, state.station.RigName);
    if (!stored)
        return;
    rig = stored->settings;
    if (stored->items >= 11)
        state.station.RigName = rig.RigName;
    if (stored->items >= RigSettings::ItemCount)
        showSettings();
}

void RigControlfrm::showSettings()
{
    const RigSettings settings = rig;
    chkConvToHex->setChecked(settings.convertToHex);
    chkFrequency->setChecked(settings.useFrequency);
    QRadioButton* const sources[] = {nullptr, OptRig, OptFreq, OptDont};
    selectOnly({OptRig, OptFreq, OptDont},
               settings.modeSource >= 1 && settings.modeSource <= 3 ? sources[settings.modeSource] : nullptr);
    txtFreq->setText(settings.RigFrequencyRequest);
    txtMode->setText(settings.RigModeRequest);
    const auto entries = List1->findItems(settings.RigName, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (!entries.isEmpty())
        List1->setCurrentItem(entries.front());
    rig = settings; // the restore's handlers have run
    const RigTypeDefaults d = rigDriverFor(settings.RigName)->defaults();
    chkConvToHex->setEnabled(d.hexChoice);
    Label10->setText(d.note);
    Label10->setVisible(d.noteAtLoad);
    applyRestoredOptions();
}

// What the window holds goes to the session at once: the requests, the choices, the radio.
void RigControlfrm::handToSession()
{
    if (RigSettingsLoading == 1)
        return;
    RigSettings settings = rig;
    settings.RigName = context().state.station.RigName;
    settings.convertToHex = chkConvToHex->isChecked();
    settings.useFrequency = chkFrequency->isChecked();
    settings.modeSource = OptFreq->isChecked() ? 2 : OptDont->isChecked() ? 3 : 1;
    m_session.setSettings(settings);
}

void RigControlfrm::applyRestoredOptions()
{
    const auto pick = [](const QString& value, std::initializer_list<const char*> values,
                         const std::vector<QRadioButton*>& group) {
        QRadioButton* chosen = nullptr;
        auto option = group.begin();
        for (const char* v : values) {
            if (value == QLatin1String(v))
                chosen = *option;
            ++option;
        }
        selectOnly(group, chosen);
    };
    selectOnly(std::vector<QRadioButton*>(optComm.begin(), optComm.end()), optComm[rig.RigComPort - 1]);
    QRadioButton* baud = nullptr;
    for (size_t i = 0; i < optBaud.size(); ++i)
        if (trimmedRight(rig.RigBaud) == QLatin1String(BaudRates[i]))
            baud = optBaud[i];
    selectOnly(std::vector<QRadioButton*>(optBaud.begin(), optBaud.end()), baud);
    pick(rig.RigParity, {"O", "N", "E"}, {optParityOdd, optParityNone, optParityEven});
    pick(rig.RigDataBits, {"7", "8"}, {optData7, optData8});
    pick(rig.RigStopBits, {"1", "2"}, {optStop1, optStop2});
    pick(rig.RigPowerLine, {"N", "R", "D"}, {optPowerNone, optPowerRTS, optPowerDTR});
    pick(rig.RigPollRate, {"F", "M", "S", "R"}, {optPollFast, optPollMed, optPollSlow, optReallySlow});
}

void RigControlfrm::List1_Click()
{
    if (RigSettingsLoading == 1)
        return;
    Command2_Click();
    const QString name = List1->currentItem()->text();
    context().state.station.RigName = name;
    handToSession();
    txtFreq->clear();
    txtMode->clear();
    chkConvToHex->setChecked(false);
    chkConvToHex->setEnabled(false);
    Label10->hide();
    const RigTypeDefaults d = m_session.driver().defaults();
    if (d.baud)
        for (size_t i = 0; i < optBaud.size(); ++i)
            if (*d.baud == QLatin1String(BaudRates[i]))
                optBaud[i]->setChecked(true);
    if (d.dataBits)
        (*d.dataBits == QLatin1String("7") ? optData7 : optData8)->setChecked(true);
    if (d.stopBits)
        (*d.stopBits == QLatin1String("2") ? optStop2 : optStop1)->setChecked(true);
    if (d.parity)
        optParityNone->setChecked(true);
    txtFreq->setText(d.frequencyRequest);
    txtMode->setText(d.modeRequest);
    Label10->setText(d.note);
    Label10->setVisible(!d.note.isEmpty());
    chkConvToHex->setChecked(d.convertToHex);
    if (d.hexChoice)
        chkConvToHex->setEnabled(true);
}

void RigControlfrm::collectOptions()
{
    for (size_t i = 0; i < optComm.size(); ++i)
        if (optComm[i]->isChecked())
            rig.RigComPort = quint8(i + 1);
    for (size_t i = 0; i < optBaud.size(); ++i)
        if (optBaud[i]->isChecked()) {
            rig.RigBaud = fixedWidth(QLatin1String(BaudRates[i]), 5);
            break;
        }
    if (optParityOdd->isChecked())
        rig.RigParity = QStringLiteral("O");
    else if (optParityNone->isChecked())
        rig.RigParity = QStringLiteral("N");
    else if (optParityEven->isChecked())
        rig.RigParity = QStringLiteral("E");
    if (optData7->isChecked() || optData8->isChecked())
        rig.RigDataBits = optData7->isChecked() ? QStringLiteral("7") : QStringLiteral("8");
    if (optStop1->isChecked() || optStop2->isChecked())
        rig.RigStopBits = optStop1->isChecked() ? QStringLiteral("1") : QStringLiteral("2");
    rig.RigPortSettings = portSettingsText(rig);
    if (optPowerNone->isChecked())
        rig.RigPowerLine = QStringLiteral("N");
    else if (optPowerRTS->isChecked())
        rig.RigPowerLine = QStringLiteral("R");
    else if (optPowerDTR->isChecked())
        rig.RigPowerLine = QStringLiteral("D");
    const std::pair<QRadioButton*, const char*> rates[] = {
        {optPollFast, "F"}, {optPollMed, "M"}, {optPollSlow, "S"}, {optReallySlow, "R"}};
    for (const auto& [option, letter] : rates)
        if (option->isChecked())
            rig.RigPollRate = QLatin1String(letter);
}

void RigControlfrm::Command1_Click()
{
    const QString& name = context().state.station.RigName;
    const bool none = name == QLatin1String("None");
    if (!none) {
        showPolling();
        m_session.clearMode();
    }
    collectOptions();
    if (none)
        return;
    handToSession();
    if (!m_session.beginTest())
        reportRefusedPort();
    if (m_session.startPolling())
        return;
    Command2->setEnabled(false);
    Label2->hide();
}

void RigControlfrm::showPolling()
{
    lblMode->setText(QStringLiteral("No Response"));
    lblFreq->setText(QStringLiteral("No Response"));
    Command2->setEnabled(true);
    Label2->show();
}

void RigControlfrm::reportRefusedPort()
{
    context().services.beeper->beep();
    context().services.dialogs->messageBox(
        QStringLiteral("The comm port that you selected for rig interface is either in use, invalid or the settings that "
                       "you have selected are invalid.  Please select another combination or choose None for your rig "
                       "selection."),
        QStringLiteral("Invalid Comm Settings."), Dialogs::Buttons::Ok, Dialogs::Icon::Information);
    if (!isVisible())
        showModal();
}

void RigControlfrm::showIdle()
{
    lblMode->clear();
    lblFreq->clear();
    lblUnProcess->clear();
    m_session.stop();
    Label2->hide();
    Command2->setEnabled(false);
}

void RigControlfrm::Command2_Click() { showIdle(); }

void RigControlfrm::cmdDone_Click()
{
    if (context().state.station.RigName != QLatin1String("None"))
        Command1_Click();
    context().navigation.form1().SavePref();
    SaveRigSettings();
    hide();
}

void RigControlfrm::SaveRigSettings()
{
    rig.RigName = context().state.station.RigName;
    rig.convertToHex = chkConvToHex->isChecked();
    rig.useFrequency = chkFrequency->isChecked();
    rig.modeSource = OptFreq->isChecked() ? 2 : OptDont->isChecked() ? 3 : 1;
    const QString path = FileLookup::resolve(context().state.folders.WorkingDirectory, SettingsFile);
    replaceFile(context().services.fileWriter.get(), path,
                [this](QIODevice& device) { return writeRigSettings(device, rig); });
}

void RigControlfrm::showReply(const QByteArray& reply)
{
    if (!isVisible())
        return;
    showReadings();
    lblUnProcess->setText(ChkConvHex->isChecked() ? bytesToHexPairs(reply) : QString::fromLatin1(reply));
}

void RigControlfrm::showReadings()
{
    const RigReport& report = m_session.report();
    if (report.frequency > 0)
        lblFreq->setText(QString::number(double(report.frequency), 'f', 5));
    if (!report.mode.isEmpty() || report.frequency > 0)
        lblMode->setText(report.mode);
}

// The last frequency still goes with contacts (the radio may well be on it), so the readout
// keeps it, marked stale; the main window's message line says why (App's RadioToLog).
void RigControlfrm::showSilent(const QString& why)
{
    const float frequency = m_session.report().frequency;
    lblFreq->setText(frequency > 0 ? QString::number(double(frequency), 'f', 5) + QStringLiteral(" stale")
                                   : QStringLiteral("No Response"));
    lblMode->setText(QStringLiteral("No Response"));
    lblUnProcess->setText(why);
}

void RigControlfrm::showAnswering()
{
    showReadings();
    lblUnProcess->clear();
}
