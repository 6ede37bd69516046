#include "spots/windows/PacketSpotfrm.h"

#include "core/AppState.h"
#include "core/forms/FormScaler.h"
#include "core/forms/Navigation.h"
#include "core/forms/Sessions.h"
#include "platform/Services.h"
#include "spots/SpotHelp.h"
#include "spots/SpotLines.h"
#include "spots/SpotLinkKind.h"
#include "spots/SpotSession.h"
#include "spots/SpotSettings.h"

#include <QFont>
#include <QScrollBar>
#include <QTextCursor>
#include <QTimer>

namespace {

const QString CrLf2 = QStringLiteral("\r\n\r\n");
constexpr int KeyEsc = 27;
constexpr int KeyC = 67;
constexpr int KeyEnter = 13;
constexpr int CtrlAlone = 2;

const char* const BaudValues[] = {"1200", "2400", "4800", "9600", "14400", "19200"};

// The first selected option's value; the variable keeps its value when none is selected.
template <class T>
void takeSelected(const std::vector<QRadioButton*>& group, const std::vector<T>& values, T& variable)
{
    for (size_t i = 0; i < group.size(); ++i) {
        if (group[i]->isChecked()) {
            variable = values[i];
            return;
        }
    }
}

QString withoutTrailingBlanks(QString text)
{
    while (text.endsWith(u' '))
        text.chop(1);
    return text;
}

} // namespace

PacketSpotfrm::PacketSpotfrm(const WindowContext& context)
    : Form(context, QStringLiteral(" DX Spotting Setup"), 9420, 5955)
{
    buildControls();
    scaleToScreen();
    connectControls();
    wireSession();
    previewKeys([this](int& KeyCode, int Shift) { Form_KeyDown(KeyCode, Shift); }, nullptr);
    this->context().navigation.form1().attachSpotting(*this);

    for (const SpotLinkKind& kind : spotLinkKinds())
        List1->addItem(kind.name);
    DisableSpotSettings();
    SpotSettingsLoading = 1;
    LoadSpotSettings();
    SpotSettingsLoading = 0;
}

PacketSpotfrm::~PacketSpotfrm()
{
    session().unload();
    context().navigation.form1().detachSpotting(*this);
}

SpotSession& PacketSpotfrm::session() const { return *context().sessions.spots; }

const QString& PacketSpotfrm::monitorText() const { return session().monitorText(); }

QRadioButton* PacketSpotfrm::addOption(QGroupBox* frame, const QString& caption, float left, float top, float width)
{
    return place(new QRadioButton(caption, frame), ControlKind::OptionButton, left, top, width, 255);
}

void PacketSpotfrm::buildControls()
{
    Label1 = place(new QLabel(QStringLiteral("Select Option:"), this), ControlKind::Label, 120, 120, 2520, 255);
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    List1 = place(new QListWidget(this), ControlKind::ListBox, 120, 400, 2520, 2100);

    fraPort = place(new QGroupBox(QStringLiteral("Comm Port"), this), ControlKind::Frame, 2760, 60, 5220, 560);
    for (int i = 0; i < 10; ++i)
        optComm[size_t(i)] = addOption(fraPort, QString::number(i + 1), 120 + 505 * i, 240, 490);
    fraBaud = place(new QGroupBox(QStringLiteral("Baud Rate of Com Port to TNC (not necessarily transmitted baud rate)"),
                                  this),
                    ControlKind::Frame, 2760, 660, 5220, 560);
    optBaud12 = addOption(fraBaud, QStringLiteral("1.2k"), 120, 240, 820);
    optBaud24 = addOption(fraBaud, QStringLiteral("2.4k"), 960, 240, 820);
    optBaud48 = addOption(fraBaud, QStringLiteral("4.8k"), 1800, 240, 820);
    optBaud96 = addOption(fraBaud, QStringLiteral("9.6k"), 2640, 240, 820);
    optBaud144 = addOption(fraBaud, QStringLiteral("14.4k"), 3480, 240, 840);
    optBaud192 = addOption(fraBaud, QStringLiteral("19.2k"), 4340, 240, 840);
    fraParity = place(new QGroupBox(QStringLiteral("Parity"), this), ControlKind::Frame, 2760, 1260, 2280, 560);
    optParityOdd = addOption(fraParity, QStringLiteral("Odd"), 120, 240, 680);
    optParityNone = addOption(fraParity, QStringLiteral("None"), 820, 240, 720);
    optParityEven = addOption(fraParity, QStringLiteral("Even"), 1560, 240, 700);
    fraData = place(new QGroupBox(QStringLiteral("Data Bits"), this), ControlKind::Frame, 5100, 1260, 1380, 560);
    optData7 = addOption(fraData, QStringLiteral("7"), 120, 240, 560);
    optData8 = addOption(fraData, QStringLiteral("8"), 720, 240, 560);
    fraStop = place(new QGroupBox(QStringLiteral("Stop Bits"), this), ControlKind::Frame, 6540, 1260, 1440, 560);
    optStop1 = addOption(fraStop, QStringLiteral("1"), 120, 240, 560);
    optStop2 = addOption(fraStop, QStringLiteral("2"), 740, 240, 560);
    fraPower = place(new QGroupBox(QStringLiteral("Connection Power"), this), ControlKind::Frame, 2760, 1860, 2280, 760);
    optPowerNone = addOption(fraPower, QStringLiteral("None"), 120, 240, 1000);
    optPowerRTS = addOption(fraPower, QStringLiteral("RTS"), 1160, 240, 1000);
    optPowerDTR = addOption(fraPower, QStringLiteral("DTR"), 120, 480, 1000);
    fraHandshaking = place(new QGroupBox(QStringLiteral("Handshaking"), this), ControlKind::Frame, 5100, 1860, 2880, 760);
    Option1 = addOption(fraHandshaking, QStringLiteral("None"), 120, 240, 1300);
    Option2 = addOption(fraHandshaking, QStringLiteral("Xon Xoff"), 1480, 240, 1340);
    Option3 = addOption(fraHandshaking, QStringLiteral("RTS"), 120, 480, 1300);
    Option4 = addOption(fraHandshaking, QStringLiteral("RTS OnOff"), 1480, 480, 1340);

    cmdDone = place(new QPushButton(QStringLiteral("&Done"), this), ControlKind::CommandButton, 8100, 120, 1200, 375);
    cmdDone->setFont(bold);
    Command1 = place(new QPushButton(QStringLiteral("Open Port"), this), ControlKind::CommandButton, 8100, 555, 1200, 375);
    Command2 = place(new QPushButton(QStringLiteral("Close Port"), this), ControlKind::CommandButton, 8100, 990, 1200, 375);
    Label4 = place(new QLabel(QStringLiteral("Listening"), this), ControlKind::Label, 8100, 1425, 1200, 315);
    Label4->setAlignment(Qt::AlignCenter);
    Label4->setStyleSheet(QStringLiteral("color: white; background: blue"));
    Label4->hide();
    fraDisplay = place(new QGroupBox(QStringLiteral("Main Form Display"), this), ControlKind::Frame, 8100, 1860, 1200, 760);
    OptList = addOption(fraDisplay, QStringLiteral("List"), 100, 240, 1040);
    OptBand = addOption(fraDisplay, QStringLiteral("Band Map"), 100, 480, 1040);

    chkDX = place(new QCheckBox(QStringLiteral("List DX Only (also controls main form)"), this), ControlKind::CheckBox,
                  120, 2680, 4600, 300);
    chkConvToHex = place(new QCheckBox(QStringLiteral("Convert to Hex"), this), ControlKind::CheckBox, 4900, 2680, 2200, 300);
    Label2 = place(new QLabel(QStringLiteral("TNC cmd mode hex character:"), this), ControlKind::Label, 120, 3100, 2480, 255);
    txtHex = place(new KeyField(this), ControlKind::TextBox, 2620, 3040, 520, 315);
    txtHex->setMaxLength(2);
    Label7 = place(new QLabel(QStringLiteral("Telnet Host:"), this), ControlKind::Label, 3300, 3100, 1100, 255);
    txtTelnetHost = place(new KeyField(this), ControlKind::TextBox, 4420, 3040, 2240, 315);
    Label3 = place(new QLabel(QStringLiteral("Telnet Port:"), this), ControlKind::Label, 6800, 3100, 1100, 255);
    txtTelnetPort = place(new KeyField(this), ControlKind::TextBox, 7920, 3040, 1380, 315);
    txtTelnetPort->setMaxLength(5);
    addLine(120, 3480, 9300, 3480);

    txtUnProcessed = place(new QPlainTextEdit(this), ControlKind::TextBox, 120, 3560, 9180, 1500, 9);
    controlFor(txtUnProcessed)->FontName = QStringLiteral("Courier New");
    txtUnProcessed->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtUnProcessed->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    QPalette colours = txtUnProcessed->palette();
    colours.setColor(QPalette::Base, QColor(0, 0, 128));
    colours.setColor(QPalette::Text, Qt::white);
    txtUnProcessed->setPalette(colours);
    Label6 = place(new QLabel(QStringLiteral("Send text  (Ctrl  C or Esc for TNC Command mode):"), this),
                   ControlKind::Label, 120, 5140, 7860, 255);
    txtSent = place(new KeyField(this), ControlKind::TextBox, 120, 5440, 7860, 375, 9);
    controlFor(txtSent)->FontName = QStringLiteral("Arial");
    QFont sendFont = txtSent->font();
    sendFont.setBold(true);
    txtSent->setFont(sendFont);
    Command3 = place(new QPushButton(QStringLiteral("&Spot Last"), this), ControlKind::CommandButton, 8100, 5440, 1200, 375);

    // Design state.
    optComm[0]->setChecked(true);
    optBaud192->setChecked(true);
    optParityNone->setChecked(true);
    optData8->setChecked(true);
    optStop1->setChecked(true);
    optPowerNone->setChecked(true);
    Option1->setChecked(true);
    OptBand->setChecked(true);
}

void PacketSpotfrm::scaleToScreen()
{
    LocalScaling scaling;
    scaling.windowFont = LocalScaling::WindowFont::NewWidthRatio;
    scaling.controlFont = LocalScaling::ControlFont::WidthFactorCapped;
    scaling.scaledKinds = {ControlKind::ListBox, ControlKind::CommandButton, ControlKind::TextBox,
                           ControlKind::Label, ControlKind::ComboBox, ControlKind::CheckBox,
                           ControlKind::OptionButton, ControlKind::Frame, ControlKind::Line};
    scaling.fontKinds = {ControlKind::ListBox, ControlKind::CommandButton, ControlKind::TextBox,
                         ControlKind::Label, ControlKind::ComboBox, ControlKind::CheckBox,
                         ControlKind::OptionButton, ControlKind::Frame};
    ScaleFormLocally(*this, scaling);
    Top = 2; // the window sits at the top of the screen
    applyGeometry();
}

std::vector<QRadioButton*> PacketSpotfrm::settingButtons() const
{
    std::vector<QRadioButton*> buttons(optComm.begin(), optComm.end());
    for (QRadioButton* o : {optBaud12, optBaud24, optBaud48, optBaud96, optBaud144, optBaud192, optParityOdd,
                            optParityNone, optParityEven, optData7, optData8, optStop1, optStop2, optPowerNone,
                            optPowerRTS, optPowerDTR, Option1, Option2, Option3, Option4})
        buttons.push_back(o);
    return buttons;
}

void PacketSpotfrm::connectControls()
{
    // A change of a serial setting closes the link; the next opening takes the new settings.
    for (QRadioButton* o : settingButtons())
        connect(o, &QRadioButton::clicked, this, [this] {
            if (SpotSettingsLoading == 0)
                Command2_Click();
        });
    connect(List1, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            List1_Click();
    });
    connect(Command1, &QPushButton::clicked, this, &PacketSpotfrm::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &PacketSpotfrm::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &PacketSpotfrm::Command3_Click);
    connect(cmdDone, &QPushButton::clicked, this, &PacketSpotfrm::cmdDone_Click);
    txtSent->keyPress = [this](int& KeyAscii) { txtSent_KeyPress(KeyAscii); };
    connect(txtSent, &QLineEdit::textChanged, this, &PacketSpotfrm::txtSent_Change);
}

void PacketSpotfrm::wireSession()
{
    SpotSession& spots = session();
    spots.onTick = [this] { Timer1_Timer(); };
    spots.listDxOnly = [this] { return chkDX->isChecked(); };
    spots.onMonitorChanged = [this] { showMonitor(); };
    spots.onSpot = [this](const QString& frequency, const QString& call, const QString& line) {
        PostSpot(frequency, call, line);
    };
    spots.onError = [this](const QString& message) { linkFailed(message); };
    spots.onCaption = [this](const QString& caption) { setWindowTitle(caption); };
    spots.onBeep = [this] { context().services.beeper->beep(); };
    spots.onMessage = [this](const QString& text, const QString& title) {
        context().services.dialogs->messageBox(text, title, Dialogs::Buttons::Ok);
    };
    spots.onShowWindow = [this] {
        if (isHidden())
            show();
    };
}

QString PacketSpotfrm::transport() const
{
    const QListWidgetItem* item = List1->currentItem();
    return item ? item->text() : QString();
}

const SpotLinkKind& PacketSpotfrm::chosen() const { return session().chosen(); }

const SpotLinkKind* PacketSpotfrm::listed() const
{
    // The list holds the kinds in their table's order.
    const int row = List1->currentRow();
    return row < 0 ? nullptr : &spotLinkKinds()[size_t(row)];
}

void PacketSpotfrm::setSpotTransport(const QString& transport)
{
    SpotTransport = transport;
    session().choose(spotLinkKind(SpotTransport));
}

// The settings file ------------------------------------------------------------------------

void PacketSpotfrm::LoadSpotSettings()
{
    // A rewrite of the file asked earlier in the run is read back, not the file before it.
    if (FileWriter* writer = context().services.fileWriter.get())
        writer->waitForAll();
    SpotSettings read;
    if (!loadSpotSettings(context().state.folders.WorkingDirectory, read))
        return;
    TncBaud = read.TncBaud;
    TncParity = read.TncParity;
    TncDataBits = read.TncDataBits;
    TncStopBits = read.TncStopBits;
    TncPort = read.TncPort;
    TncPower = read.TncPower;
    setSpotTransport(read.SpotTransport);
    TncHandshaking = read.TncHandshaking;
    chkConvToHex->setChecked(read.convertToHex != 0);
    OptList->setChecked(read.listChosen);
    if (!read.listChosen)
        OptBand->setChecked(true);
    txtHex->setText(read.hexCharacter);
    txtTelnetPort->setText(read.telnetPort);
    txtTelnetHost->setText(read.telnetHost);
    if (const int row = spotLinkKindRow(SpotTransport); row >= 0)
        List1->setCurrentRow(row);
    if (TncPort < 1 || TncPort > 10)
        return; // names no port button: the rest of the restore is skipped
    applyLoadedButtons();
    SpotSettingsLoading = 0;
    EnableSpotSettings(chosen().enables);
    if (chosen().links)
        Command1_Click();
}

void PacketSpotfrm::applyLoadedButtons()
{
    const auto pick = [](const QString& value, std::initializer_list<const char*> values,
                         const std::vector<QRadioButton*>& group) {
        QRadioButton* selected = nullptr;
        auto option = group.begin();
        for (const char* v : values) {
            if (withoutTrailingBlanks(value).compare(QLatin1String(v), Qt::CaseInsensitive) == 0)
                selected = *option;
            ++option;
        }
        selectOnly(group, selected);
    };
    selectOnly(std::vector<QRadioButton*>(optComm.begin(), optComm.end()), optComm[TncPort - 1]);
    pick(TncBaud, {"1200", "2400", "4800", "9600", "14400", "19200"},
         {optBaud12, optBaud24, optBaud48, optBaud96, optBaud144, optBaud192});
    pick(TncParity, {"O", "N", "E"}, {optParityOdd, optParityNone, optParityEven});
    pick(TncDataBits, {"7", "8"}, {optData7, optData8});
    pick(TncStopBits, {"1", "2"}, {optStop1, optStop2});
    pick(TncPower, {"N", "R", "D"}, {optPowerNone, optPowerRTS, optPowerDTR});
    const std::vector<QRadioButton*> handshaking = {Option1, Option2, Option3, Option4};
    if (TncHandshaking >= 1 && TncHandshaking <= 4)
        selectOnly(handshaking, handshaking[TncHandshaking - 1]);
}

void PacketSpotfrm::SaveSpotSettings()
{
    SpotSettings s;
    s.TncBaud = TncBaud;
    s.TncParity = TncParity;
    s.TncDataBits = TncDataBits;
    s.TncStopBits = TncStopBits;
    s.TncPort = TncPort;
    s.TncPower = TncPower;
    s.SpotTransport = SpotTransport;
    s.convertToHex = chkConvToHex->isChecked() ? 1 : 0;
    s.TncHandshaking = TncHandshaking;
    s.listDxOnly = chkDX->isChecked() ? 1 : 0;
    s.listChosen = OptList->isChecked();
    s.hexCharacter = txtHex->text();
    s.telnetPort = txtTelnetPort->text();
    s.telnetHost = txtTelnetHost->text();
    saveSpotSettings(context().state.folders.WorkingDirectory, s, context().services.fileWriter.get());
}

// Enabling per transport ---------------------------------------------------------------------

void PacketSpotfrm::DisableSpotSettings()
{
    for (QWidget* w : std::initializer_list<QWidget*>{fraDisplay, OptList, OptBand, chkDX, Label6, txtSent, Command1,
                                                      Command2, Label2, txtHex, fraHandshaking, fraBaud, fraParity,
                                                      fraData, fraStop, fraPort, fraPower, Label7, Label3,
                                                      txtTelnetHost, txtTelnetPort, chkConvToHex})
        w->setEnabled(false);
}

void PacketSpotfrm::EnableSpotSettings(const SpotLinkControls& enables)
{
    std::vector<QWidget*> controls;
    if (enables.link)
        controls.insert(controls.end(), {fraDisplay, OptList, OptBand, chkDX, Label6, txtSent, Command1, Command2});
    if (enables.serial)
        controls.insert(controls.end(), {Label2, txtHex, fraHandshaking, fraBaud, fraParity, fraData, fraStop, fraPort,
                                         fraPower, Label4, Label1});
    if (enables.telnet)
        controls.insert(controls.end(), {Label7, Label3, txtTelnetHost, txtTelnetPort});
    for (QWidget* w : controls)
        w->setEnabled(true);
}

void PacketSpotfrm::ShowSpotHelp()
{
    replaceMonitor(spotHelpText(listed()));
    showMonitor();
    txtUnProcessed->moveCursor(QTextCursor::Start);
}

// Choosing a transport -------------------------------------------------------------------

void PacketSpotfrm::List1_Click()
{
    chkDX->setChecked(false);
    if (SpotSettingsLoading == 0) {
        Command2_Click();
        DisableSpotSettings();
        setSpotTransport(transport());
        if (chosen().enables.serial)
            setTncDefaults();
    }
    ShowSpotHelp();
    // Serial settings being restored are enabled once their buttons are (LoadSpotSettings).
    if (SpotSettingsLoading == 0 || !chosen().enables.serial)
        EnableSpotSettings(chosen().enables);
    if (!chosen().sendCaption.isEmpty())
        Label6->setText(chosen().sendCaption);
}

void PacketSpotfrm::setTncDefaults()
{
    optBaud96->setChecked(true);
    optParityNone->setChecked(true);
    optData8->setChecked(true);
    optStop1->setChecked(true);
    Option3->setChecked(true);
    txtHex->setText(QStringLiteral("03"));
}

// Opening and closing ------------------------------------------------------------------

void PacketSpotfrm::Command1_Click()
{
    replaceMonitor(QStringLiteral("** Attempting to Open Port **") + CrLf2);
    if (!chosen().links)
        return;
    Label4->show();
    if (isVisible())
        focusSendBox();
    if (chosen().enables.serial)
        ReadSerialSettings();
    openLink();
}

void PacketSpotfrm::Command2_Click()
{
    if (Label4->isHidden())
        return;
    Label4->hide();
    appendMonitor(CrLf2 + QStringLiteral("** Port Closed **"));
    session().close();
}

// The serial settings as the buttons give them, into the window's variables.
void PacketSpotfrm::ReadSerialSettings()
{
    for (size_t i = 0; i < optComm.size(); ++i) {
        if (optComm[i]->isChecked()) {
            TncPort = quint8(i + 1);
            break;
        }
    }
    std::vector<QString> bauds(std::begin(BaudValues), std::end(BaudValues));
    takeSelected({optBaud12, optBaud24, optBaud48, optBaud96, optBaud144, optBaud192}, bauds, TncBaud);
    takeSelected({optParityOdd, optParityNone, optParityEven},
                 {QStringLiteral("O"), QStringLiteral("N"), QStringLiteral("E")}, TncParity);
    takeSelected({optData7, optData8}, {QStringLiteral("7"), QStringLiteral("8")}, TncDataBits);
    takeSelected({optStop1, optStop2}, {QStringLiteral("1"), QStringLiteral("2")}, TncStopBits);
    TncSettings = withoutTrailingBlanks(TncBaud) + u',' + TncParity + u',' + TncDataBits + u',' + TncStopBits;
    takeSelected({optPowerNone, optPowerRTS, optPowerDTR},
                 {QStringLiteral("N"), QStringLiteral("R"), QStringLiteral("D")}, TncPower);
    takeSelected<quint8>({Option1, Option2, Option3, Option4}, {1, 2, 3, 4}, TncHandshaking);
}

void PacketSpotfrm::openLink()
{
    SpotLinkSettings settings;
    settings.tnc.TncPort = TncPort;
    settings.tnc.TncBaud = TncBaud;
    settings.tnc.TncParity = TncParity;
    settings.tnc.TncDataBits = TncDataBits;
    settings.tnc.TncStopBits = TncStopBits;
    settings.tnc.TncPower = TncPower;
    settings.tnc.TncHandshaking = TncHandshaking;
    settings.telnetHost = txtTelnetHost->text();
    settings.telnetPort = txtTelnetPort->text();
    settings.ownCall = context().state.station.OwnCall;
    settings.applicationName = context().navigation.form1().Caption.left(50).trimmed();
    // The packet engine's registration lets events run while it waits for the engine (a
    // counted wait: the main window's close waits for it to end).
    const SpotOpen opened = session().open(settings);
    switch (opened) {
    case SpotOpen::Running: break;
    case SpotOpen::PortFailed: tncOpenFailed(); break;
    case SpotOpen::BadPort:
        // No connection was started: nothing may claim to be listening.
        Label4->hide();
        appendMonitor(QStringLiteral("** Telnet Port \"%1\" is not a whole number from 1 to 65535 **")
                          .arg(txtTelnetPort->text())
                      + CrLf2);
        context().services.beeper->beep();
        break;
    case SpotOpen::Refused: Label4->hide(); break;
    case SpotOpen::NoCall: break;
    }
}

void PacketSpotfrm::tncOpenFailed()
{
    Services& services = context().services;
    services.beeper->beep();
    appendMonitor(QStringLiteral("** Unable to open TNC Serial Port **") + CrLf2);
    services.dialogs->messageBox(
        QStringLiteral("The comm port that you selected for DX Spotting is either in use, invalid or the settings that "
                       "you have selected are invalid.  Please select another combination or choose None for your DX "
                       "Spot selection."),
        QStringLiteral("Invalid Comm Settings."), Dialogs::Buttons::Ok);
    // Opened while the window loaded: the operator sees the settings before going on.
    if (!isVisible())
        showModal();
    Command2_Click();
    session().stopTick();
}

void PacketSpotfrm::linkFailed(const QString& message)
{
    appendMonitor(message);
    Command2_Click();
    TrimMonitor();
    context().services.beeper->beep();
}

// Done, Spot Last, activation, unloading -------------------------------------------------

void PacketSpotfrm::cmdDone_Click()
{
    if (chosen().links && Label4->isHidden())
        Command1_Click();
    Form1& form1 = context().navigation.form1();
    form1.SavePref();
    SaveSpotSettings();
    form1.PacketResize();
    hide();
}

void PacketSpotfrm::Command3_Click()
{
    const LogStoreState& log = context().state.log;
    if (log.QsoCount < 0 || log.QsoCount > MaxLogEntries)
        return;
    txtSent->setText(QStringLiteral("DX Frequency in kHz ") + log.Log[size_t(log.QsoCount)].Call);
    txtSent->setFocus();
    txtSent->setSelection(3, 16);
}

void PacketSpotfrm::Form_Activate()
{
    if (!chosen().links)
        return;
    TrimMonitor();
    focusSendBox();
}

bool PacketSpotfrm::event(QEvent* event)
{
    const bool handled = Form::event(event);
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return handled;
}

void PacketSpotfrm::focusSendBox()
{
    if (txtSent->isEnabled())
        txtSent->setFocus();
}

// Keys ------------------------------------------------------------------------------------

void PacketSpotfrm::Form_KeyDown(int& KeyCode, int Shift)
{
    if (KeyCode != KeyEsc && !(KeyCode == KeyC && Shift == CtrlAlone))
        return;
    chkDX->setChecked(false);
    if (Label4->isHidden())
        Command1_Click();
    if (session().sendCommandCharacter(txtHex->text())) {
        KeyCode = 0;
        focusSendBox();
    }
    if (txtSent->text().isEmpty())
        focusSendBox();
}

void PacketSpotfrm::txtSent_KeyPress(int& KeyAscii)
{
    if (KeyAscii == KeyEnter) {
        if (Label4->isHidden())
            Command1_Click();
        session().sendLine(txtSent->text());
        txtSent->clear();
    }
    // Esc types what the link's row says (the packet engine's command colon).
    if (KeyAscii == KeyEsc && !chosen().escapeTypes.isNull())
        KeyAscii = chosen().escapeTypes.unicode();
    if (KeyAscii == KeyEnter || KeyAscii == KeyEsc)
        KeyAscii = 0;
}

void PacketSpotfrm::txtSent_Change()
{
    // Long packet lines go at the first word break past their length.
    if (session().sendAtWordBreak(txtSent->text()))
        txtSent->clear();
}

// What arrives --------------------------------------------------------------------------

void PacketSpotfrm::Timer1_Timer()
{
    session().poll();
    if (!countRedrawTick(LabelUpdateTimeCounter))
        return;
    Form1& form1 = context().navigation.form1();
    if (form1.lblDXVisible)
        form1.DisplayBandMapLabels();
}

void PacketSpotfrm::PostSpot(const QString& frequency, const QString& call, const QString& line)
{
    LabelUpdateTimeCounter = 0;
    QString record;
    if (!spotRecord(line, record))
        return;
    context().navigation.form1().BandMapSpots(call, frequency, record);
}

// The monitor ---------------------------------------------------------------------------

void PacketSpotfrm::appendMonitor(const QString& text) { session().appendMonitor(text); }

void PacketSpotfrm::replaceMonitor(const QString& text) { session().replaceMonitor(text); }

void PacketSpotfrm::TrimMonitor() { session().trimMonitor(); }

// The box is refilled once the burst in hand is worked off, not once per line, and then
// scrolled to its end.
void PacketSpotfrm::showMonitor()
{
    if (m_monitorShowPending)
        return;
    m_monitorShowPending = true;
    QTimer::singleShot(0, this, [this] {
        m_monitorShowPending = false;
        QString shown = session().monitorText();
        shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        shown.replace(u'\r', u'\n');
        txtUnProcessed->setPlainText(shown);
        if (monitorCaretAfterTrim(session().monitorText()) < 0)
            return;
        txtUnProcessed->moveCursor(QTextCursor::End);
        txtUnProcessed->verticalScrollBar()->setValue(txtUnProcessed->verticalScrollBar()->maximum());
    });
}
