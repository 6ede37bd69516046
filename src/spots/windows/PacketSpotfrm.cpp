#include "spots/windows/PacketSpotfrm.h"

#include "core/AppState.h"
#include "core/RecordFile.h"
#include "core/forms/FormScaler.h"
#include "core/forms/Navigation.h"
#include "platform/DiskFile.h"
#include "platform/FileLookup.h"
#include "platform/Services.h"
#include "spots/AgwEngine.h"
#include "spots/AgwLink.h"
#include "spots/SpotLines.h"
#include "spots/SpotSettings.h"
#include "spots/TelnetLink.h"
#include "spots/TncLink.h"

#include <QFont>
#include <QScrollBar>
#include <QTextCursor>

namespace {

const QString SettingsFile = QStringLiteral("PackSpot.txt");
const QString CrLf2 = QStringLiteral("\r\n\r\n");
constexpr int TimerInterval = 333;
constexpr int KeyEsc = 27;
constexpr int KeyC = 67;
constexpr int KeyEnter = 13;
constexpr int CtrlAlone = 2;
constexpr int AgwAutoSendLength = 70;

const char* const BaudValues[] = {"1200", "2400", "4800", "9600", "14400", "19200"};

bool sameText(const QString& a, const char* b) { return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0; }

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

QString helpText(const QString& choice)
{
    const QStringList general = {
        QStringLiteral("Use this form to configure your DX spotting options.  After you make your selections, a list or "
                       "band map will display on the main form (as selected here) to keep you updated on the latest "
                       "packet spots."),
        QStringLiteral("The list will show the last 2-3 posts on the main form depending on your screen size.  The band "
                       "map will display the prefixes posted for your current band.  To see the whole call and "
                       "frequency, move your mouse over the prefix and observe either the tool tip or the Possible "
                       "Duplicates box."),
        QStringLiteral("The program keeps the last 50 DX posts regardless of band in memory. Your band map will cycle "
                       "through these posts as they are received.  Posts received within the last 10 minutes will be "
                       "yellow; posts 10-30 minutes old will be white and posts 30-60 minutes old will be gray."),
        QStringLiteral("If you are using the program's rig control features, you can right click any spot displayed on "
                       "the main form's band map or HF spectrum map to tune your rig to the spot frequency. Right "
                       "clicking will not change frequency when displaying the DX spots in list mode."),
    };
    const QStringList telnet = {
        QStringLiteral("If you have an Internet connection (either telephone line or high speed), the Telnet option is "
                       "very easy to implement.  Just connect to the Internet by your regular ISP and click Open on "
                       "this form.  Type your call sign when prompted and press enter."),
    };
    const QStringList tnc = {
        QStringLiteral("To use a Packet TNC, you will have to check your modem documentation for the proper serial port "
                       "settings.  Use either Crtl C or the Esc key to send the Hex character to put your TNC in "
                       "command mode (you do not have to press enter to send the Hex character).  Otherwise, just type "
                       "and press enter to send text."),
        QStringLiteral("One nice feature with the packet option is that you don't actually have to connect to another "
                       "packet station.  Just click the DX Only check box so that only packets identified as DX will "
                       "be displayed.  As long as DX posts are being transmitted the software will check recent posts "
                       "to eliminate duplicate posts.  Even if you are connected, it is a good idea to check this box "
                       "to eliminate miscellaneous comments, etc."),
    };
    const QStringList agw = {
        QStringLiteral("This program will also interface with the AGW Packet Engine.  The AGW Packet engine will "
                       "interface with your existing sound card (or TNC including Baypac) to send and receive Packet.  "
                       "To use the AGW Packet Engine:"),
        QStringLiteral("- Download the freely available software from https://www.sv2agw.com/downloads"),
        QStringLiteral("The file to download is AGWPE.zip.  Instructions for use are on this website as well."),
        QStringLiteral("- Run the Packet Engine software and configure it as described on the AGW Packet Engine website "
                       "for your sound card or TNC."),
        QStringLiteral("- Click Open from this program."),
        QStringLiteral("To send a connect request using the AGW packet engine, type in the format of"),
        QStringLiteral(":C Vexol     or to disconnect :D"),
        QStringLiteral("and press enter (you can also use the Esc key to add a colon)."),
    };
    const QStringList closing = {
        QStringLiteral("When you have configured your DX spotting options, click Open to initiate the communication.  "
                       "Then click Done to return to the main form."),
        QStringLiteral("If the list is being displayed on the main form, you can click on it to quickly return to this "
                       "form.  To return the main form to the original display, select None from the spotting options."),
    };
    const QStringList hardware = {
        QStringLiteral("This code was developed and tested with a Kantronics KPC3+ TNC.  I look forward to hearing "
                       "about your experiences with different hardware."),
    };
    QStringList sections;
    if (choice == QLatin1String("None"))
        sections << general << telnet << tnc << agw << closing << hardware;
    else if (choice == QLatin1String("TNC"))
        sections << tnc << closing << hardware;
    else if (choice == QLatin1String("Telnet"))
        sections << telnet << closing;
    else if (choice == QLatin1String("AGW Packet Engine"))
        sections << agw << closing << hardware;
    QString text;
    for (const QString& paragraph : sections)
        text += paragraph + CrLf2;
    return text;
}

// The packet engine's link as a spot source: it shows, filters and hands on what it
// fetches itself, through the hooks the window gives it.
class AgwSource final : public SpotSource {
public:
    explicit AgwSource(std::unique_ptr<AgwEngine> engine) : link(std::move(engine))
    {
        link.lost = [this](const QString& message) {
            if (onError)
                onError(message);
        };
    }

    bool open() override { return false; } // the window starts the registration itself
    void close() override { link.closeLink(); }
    bool isOpen() const override { return false; }
    bool sendLine(const QString& text) override
    {
        link.SendAgw(text);
        return true;
    }
    void poll() override { link.PollAgw(); }

    AgwLink link;
};

} // namespace

PacketSpotfrm::PacketSpotfrm(const WindowContext& context)
    : Form(context, QStringLiteral(" DX Spotting Setup"), 9420, 5955),
      m_tnc(std::make_unique<TncLink>(context.services.makeSerialPort())),
      m_telnet(std::make_unique<TelnetLink>(context.services.makeTcpLink()))
{
    buildControls();
    scaleToScreen();
    connectControls();
    wireSource(*m_tnc, Transport::Tnc);
    wireSource(*m_telnet, Transport::Telnet);
    installAgwSource(makeAgwSource());
    Timer1.setInterval(TimerInterval);
    connect(&Timer1, &QTimer::timeout, this, &PacketSpotfrm::Timer1_Timer);
    previewKeys([this](int& KeyCode, int Shift) { Form_KeyDown(KeyCode, Shift); }, nullptr);
    this->context().navigation.form1().attachSpotting(*this);

    List1->addItems({QStringLiteral("None"), QStringLiteral("TNC"), QStringLiteral("Telnet"),
                     QStringLiteral("AGW Packet Engine")});
    DisableSpotSettings();
    SpotSettingsLoading = 1;
    LoadSpotSettings();
    SpotSettingsLoading = 0;
}

PacketSpotfrm::~PacketSpotfrm()
{
    Timer1.stop();
    context().navigation.form1().detachSpotting(*this);
}

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

void PacketSpotfrm::wireSource(SpotSource& link, Transport transport)
{
    link.onStatus = [this](const QString& text) { appendMonitor(text); };
    link.onError = [this](const QString& message) { linkFailed(message); };
    if (transport == Transport::Telnet) {
        link.onReceived = [this](const QString& text) { telnetText(text); };
        link.onLine = [this](const QString& line) { telnetLine(line); };
    } else {
        link.onLine = [this](const QString& line) { tncLine(line); };
    }
}

void PacketSpotfrm::installAgwSource(std::unique_ptr<SpotSource> agw)
{
    m_agw = std::move(agw);
    if (m_agw)
        wireSource(*m_agw, Transport::Agw);
}

QString PacketSpotfrm::transport() const
{
    const QListWidgetItem* item = List1->currentItem();
    return item ? item->text() : QString();
}

PacketSpotfrm::Transport PacketSpotfrm::chosen() const
{
    if (sameText(SpotTransport, "TNC"))
        return Transport::Tnc;
    if (sameText(SpotTransport, "Telnet"))
        return Transport::Telnet;
    if (sameText(SpotTransport, "AGW Packet Engine") && m_agw)
        return Transport::Agw;
    return Transport::None;
}

SpotSource* PacketSpotfrm::source(Transport transport) const
{
    switch (transport) {
    case Transport::Tnc: return m_tnc.get();
    case Transport::Telnet: return m_telnet.get();
    case Transport::Agw: return m_agw.get();
    case Transport::None: break;
    }
    return nullptr;
}

// The settings file ------------------------------------------------------------------------

void PacketSpotfrm::LoadSpotSettings()
{
    AppState& state = context().state;
    auto reader = RecordReader::fromFile(FileLookup::resolve(state.folders.WorkingDirectory, SettingsFile));
    if (!reader)
        return;
    SpotSettings read;
    if (readSpotSettings(*reader, read) < SpotSettings::ItemCount)
        return;
    TncBaud = read.TncBaud;
    TncParity = read.TncParity;
    TncDataBits = read.TncDataBits;
    TncStopBits = read.TncStopBits;
    TncPort = read.TncPort;
    TncPower = read.TncPower;
    SpotTransport = read.SpotTransport;
    TncHandshaking = read.TncHandshaking;
    chkConvToHex->setChecked(read.convertToHex != 0);
    OptList->setChecked(read.listChosen);
    if (!read.listChosen)
        OptBand->setChecked(true);
    txtHex->setText(read.hexCharacter);
    txtTelnetPort->setText(read.telnetPort);
    txtTelnetHost->setText(read.telnetHost);
    for (int i = 0; i < List1->count(); ++i) {
        if (List1->item(i)->text().compare(SpotTransport, Qt::CaseInsensitive) == 0)
            List1->setCurrentRow(i);
    }
    if (TncPort < 1 || TncPort > 10)
        return; // names no port button: the rest of the restore is skipped
    applyLoadedButtons();
    SpotSettingsLoading = 0;
    switch (chosen()) {
    case Transport::Tnc: EnableTncSettings(); break;
    case Transport::Telnet: EnableTelnetSettings(); break;
    case Transport::Agw: EnableAgwSettings(); break;
    case Transport::None: break;
    }
    if (chosen() != Transport::None)
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
    const QString path = FileLookup::resolve(context().state.folders.WorkingDirectory, SettingsFile);
    DiskFile::replaceAtomically(path, [&s](QIODevice& device) { return writeSpotSettings(device, s); });
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

void PacketSpotfrm::enableCommon()
{
    for (QWidget* w : std::initializer_list<QWidget*>{fraDisplay, OptList, OptBand, chkDX, Label6, txtSent, Command1,
                                                      Command2})
        w->setEnabled(true);
}

void PacketSpotfrm::EnableTncSettings()
{
    enableCommon();
    for (QWidget* w : std::initializer_list<QWidget*>{Label2, txtHex, fraHandshaking, fraBaud, fraParity, fraData,
                                                      fraStop, fraPort, fraPower, Label4, Label1})
        w->setEnabled(true);
}

void PacketSpotfrm::EnableTelnetSettings()
{
    enableCommon();
    for (QWidget* w : std::initializer_list<QWidget*>{Label7, Label3, txtTelnetHost, txtTelnetPort})
        w->setEnabled(true);
}

void PacketSpotfrm::EnableAgwSettings() { enableCommon(); }

void PacketSpotfrm::ShowSpotHelp()
{
    replaceMonitor(helpText(transport()));
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
        SpotTransport = transport();
        if (sameText(SpotTransport, "TNC")) {
            optBaud96->setChecked(true);
            optParityNone->setChecked(true);
            optData8->setChecked(true);
            optStop1->setChecked(true);
            Option3->setChecked(true);
            txtHex->setText(QStringLiteral("03"));
            EnableTncSettings();
        }
    }
    ShowSpotHelp();
    switch (chosen()) {
    case Transport::Telnet: EnableTelnetSettings(); break;
    case Transport::Agw: EnableAgwSettings(); break;
    default: break;
    }
    if (sameText(SpotTransport, "TNC"))
        Label6->setText(QStringLiteral("Send text  (Ctrl C or Esc for TNC Command mode):"));
    else if (sameText(SpotTransport, "AGW Packet Engine"))
        Label6->setText(QStringLiteral("Send text (use : to send cmds such as :C Vexol or :D)"));
    else if (sameText(SpotTransport, "Telnet"))
        Label6->setText(QStringLiteral("Type text to send and press enter:"));
}

// Opening and closing ------------------------------------------------------------------

void PacketSpotfrm::Command1_Click()
{
    replaceMonitor(QStringLiteral("** Attempting to Open Port **") + CrLf2);
    m_tnc->close();
    const Transport transport = chosen();
    if (transport == Transport::None)
        return;
    Label4->show();
    if (isVisible())
        focusSendBox();
    switch (transport) {
    case Transport::Tnc: ReadSerialSettings(); break;
    case Transport::Telnet: ConnectTelnet(); break;
    case Transport::Agw: StartAgw(); break;
    case Transport::None: break;
    }
}

std::unique_ptr<SpotSource> PacketSpotfrm::makeAgwSource()
{
    // The engine listens on 127.0.0.1:8000 unless BREVANT_AGW names another "host:port".
    const AgwAddress engine = agwAddress(context().services.environment->variable("BREVANT_AGW"));
    auto source = std::make_unique<AgwSource>(
        std::make_unique<AgwEngine>(context().services.makeTcpLink(), engine.host, engine.port));
    AgwLink& link = source->link;
    link.monitorText = [this] { return m_monitor; };
    link.listDxOnly = [this] { return chkDX->isChecked(); };
    link.appendMonitor = [this](const QString& text) { appendMonitor(text); };
    link.postSpot = [this](const QString& frequency, const QString& call, const QString& line) {
        PostSpot(frequency, call, line);
    };
    link.setCaption = [this](const QString& caption) { setWindowTitle(caption); };
    link.beep = [this] { context().services.beeper->beep(); };
    link.messageBox = [this](const QString& text, const QString& title) {
        context().services.dialogs->messageBox(text, title, Dialogs::Buttons::Ok);
    };
    link.showWindow = [this] {
        if (isHidden())
            show();
    };
    m_agwLink = &link;
    return source;
}

void PacketSpotfrm::StartAgw()
{
    const QString application = context().navigation.form1().Caption.left(50).trimmed();
    // The registration lets events run while it waits for the engine; the main window
    // closing then must not unload this window under it.
    int& waits = context().state.spots.LinkWaits;
    ++waits;
    const AgwLink::Start started = m_agwLink->StartAgw(context().state.station.OwnCall, application);
    --waits;
    switch (started) {
    case AgwLink::Start::Registered: Timer1.start(); break;
    case AgwLink::Start::Refused:
        Label4->hide();
        Timer1.stop();
        break;
    case AgwLink::Start::NoCall: break;
    }
}

void PacketSpotfrm::Command2_Click()
{
    if (Label4->isHidden())
        return;
    Label4->hide();
    appendMonitor(CrLf2 + QStringLiteral("** Port Closed **"));
    m_tnc->close();
    m_telnet->close();
    if (chosen() == Transport::Agw)
        m_agw->close();
    Timer1.stop();
}

void PacketSpotfrm::ReadSerialSettings()
{
    if (chosen() == Transport::None)
        return;
    Label4->show();
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
    if (chosen() == Transport::Tnc)
        OpenTncPort();
}

void PacketSpotfrm::OpenTncPort()
{
    TncSerialOptions options;
    options.TncPort = TncPort;
    options.TncBaud = TncBaud;
    options.TncParity = TncParity;
    options.TncDataBits = TncDataBits;
    options.TncStopBits = TncStopBits;
    options.TncPower = TncPower;
    options.TncHandshaking = TncHandshaking;
    m_tnc->setOptions(options);
    if (m_tnc->open())
        Timer1.start();
    else
        tncOpenFailed();
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
    Timer1.stop();
}

void PacketSpotfrm::ConnectTelnet()
{
    m_telnet->close();
    m_telnet->setRemote(txtTelnetHost->text(), txtTelnetPort->text());
    if (!m_telnet->open()) {
        // No connection was started: nothing may claim to be listening.
        Label4->hide();
        appendMonitor(QStringLiteral("** Telnet Port \"%1\" is not a whole number from 1 to 65535 **")
                          .arg(txtTelnetPort->text())
                      + CrLf2);
        context().services.beeper->beep();
        return;
    }
    replaceMonitor(QStringLiteral("Attempting connection to: ") + m_telnet->remoteHost() + u':'
                   + QString::number(m_telnet->remotePort()) + CrLf2);
    Timer1.start();
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
    if (chosen() != Transport::None && Label4->isHidden())
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
    if (chosen() == Transport::None)
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

void PacketSpotfrm::Form_Unload()
{
    if (chosen() == Transport::Agw)
        m_agw->close();
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
    if (m_tnc->isOpen() && chosen() == Transport::Tnc && m_tnc->sendCommandCharacter(txtHex->text())) {
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
        const QString text = txtSent->text();
        switch (chosen()) {
        case Transport::Tnc: m_tnc->sendLine(text); break;
        case Transport::Telnet: m_telnet->sendLine(text); break;
        case Transport::Agw:
            if (Timer1.isActive())
                m_agw->sendLine(text);
            break;
        case Transport::None: break;
        }
        txtSent->clear();
    }
    if (chosen() == Transport::Agw && KeyAscii == KeyEsc)
        KeyAscii = ':';
    if (KeyAscii == KeyEnter || KeyAscii == KeyEsc)
        KeyAscii = 0;
}

void PacketSpotfrm::txtSent_Change()
{
    const QString text = txtSent->text();
    if (chosen() != Transport::Agw || !Timer1.isActive() || text.size() <= AgwAutoSendLength || !text.endsWith(u' '))
        return;
    // Long packet lines go at the first word break past 70 characters.
    m_agw->sendLine(text.left(text.size() - 1));
    txtSent->clear();
}

// What arrives --------------------------------------------------------------------------

void PacketSpotfrm::Timer1_Timer()
{
    const Transport transport = chosen();
    if (transport == Transport::Tnc || transport == Transport::Agw)
        source(transport)->poll();
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

void PacketSpotfrm::tncLine(const QString& line)
{
    monitorLine(m_monitor, line, chkDX->isChecked(), [this](const QString& spotLine) {
        const SpotLineFields fields = parseSpotLine(spotLine);
        PostSpot(fields.frequency, fields.call, spotLine);
    });
    showMonitor();
}

void PacketSpotfrm::telnetText(const QString& text)
{
    if (chkDX->isChecked())
        return;
    appendMonitor(text);
}

void PacketSpotfrm::telnetLine(const QString& line)
{
    if (!isSpotLine(line))
        return;
    const SpotLineFields fields = parseSpotLine(line);
    PostSpot(fields.frequency, fields.call, line);
    if (chkDX->isChecked())
        appendMonitor(line);
}

// The monitor ---------------------------------------------------------------------------

void PacketSpotfrm::appendMonitor(const QString& text)
{
    m_monitor += text;
    TrimMonitor();
}

void PacketSpotfrm::replaceMonitor(const QString& text)
{
    m_monitor = text;
    showMonitor();
}

void PacketSpotfrm::TrimMonitor()
{
    ::TrimMonitor(m_monitor);
    showMonitor();
}

// The box is refilled once the burst in hand is worked off, not once per line, and then
// scrolled to its end.
void PacketSpotfrm::showMonitor()
{
    if (m_monitorShowPending)
        return;
    m_monitorShowPending = true;
    QTimer::singleShot(0, this, [this] {
        m_monitorShowPending = false;
        QString shown = m_monitor;
        shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        shown.replace(u'\r', u'\n');
        txtUnProcessed->setPlainText(shown);
        if (monitorCaretAfterTrim(m_monitor) < 0)
            return;
        txtUnProcessed->moveCursor(QTextCursor::End);
        txtUnProcessed->verticalScrollBar()->setValue(txtUnProcessed->verticalScrollBar()->maximum());
    });
}
