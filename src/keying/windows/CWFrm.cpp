#include "keying/windows/CWFrm.h"

#include "core/AppState.h"
#include "core/KeyFilters.h"
#include "core/NumberFormat.h"
#include "core/Tables.h"
#include "core/forms/Form1.h"
#include "core/forms/FormScaler.h"
#include "core/forms/Navigation.h"
#include "core/forms/Sessions.h"
#include "keying/KeyerSession.h"
#include "keying/Morse.h"
#include "keying/windows/KeyerScaling.h"
#include "keying/windows/frmCodePractice.h"
#include "platform/EventWait.h"
#include "platform/Services.h"

#include <QCloseEvent>
#include <functional>

namespace {

template <class Handler>
void onSelected(QRadioButton* button, CWFrm* form, Handler handler)
{
    QObject::connect(button, &QRadioButton::toggled, form, [form, handler](bool on) {
        if (on)
            std::invoke(handler, form);
    });
}

const QString SelectionKey = QStringLiteral("UserCWSelection");
const QString LoopOffsetKey = QStringLiteral("UserCWLoopOffset");

// Backspace and the characters from "-" to "9" ("-", ".", "/" and the digits).
void wordSpaceKeys(int& KeyAscii)
{
    if (KeyAscii != 8 && (KeyAscii < 45 || KeyAscii > 57))
        KeyAscii = 0;
}

// Backspace, "." and the digits.
void secondsKeys(int& KeyAscii)
{
    if (KeyAscii != '.')
        KeyDigitsOnly(KeyAscii);
}

// A box that must hold a number: anything else becomes "0" as the focus leaves it.
void zeroWhenNotANumber(KeyField* box)
{
    if (!parsePlainNumber(box->text()))
        box->setText(QStringLiteral("0"));
}

} // namespace

CWFrm::CWFrm(const WindowContext& context)
    : Form(context, QStringLiteral("CW String Selections"), 9600, 6600), m_session(*context.sessions.keyer)
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    placeMessageBoxes();
    placeSettingBoxes();
    placeKeyingOptions();
    addHelpTexts();
    placeButtons();
    placeTimingOptions();
    wireControls();
    wireBoxes();
    restoreTiming();
    // A copy: each box filled hands the session the window's settings at once.
    showSettings(CwSettings(m_session.cwSettings()));
    sendSettings();
    ScaleKeyerWindow(*this);
}

void CWFrm::placeMessageBoxes()
{
    KeyField** messages[] = {&Text1, &Text2, &Text3, &Text4, &Text5, &Text6, &Text7, &Text8, &Text9,
                             &Text12, &Text13};
    for (int i = 0; i < 11; ++i) {
        const float left = 240 + float(i / 3) * 2340;
        const float top = 240 + float(i % 3) * 420;
        place(new QLabel(QStringLiteral("F%1").arg(i + 1), this), ControlKind::Label, left, top + 30, 360, 255);
        *messages[i] = place(new KeyField(this), ControlKind::TextBox, left + 360, top, 1860, 315);
    }
    place(new QLabel(QStringLiteral("F12  Keyboard"), this), ControlKind::Label, 7260, 1110, 2000, 255);
}

void CWFrm::placeSettingBoxes()
{
    auto labelled = [this](const QString& caption, float left, float top, const QString& value) {
        place(new QLabel(caption, this), ControlKind::Label, left, top, 1080, 255);
        auto* box = place(new KeyField(this), ControlKind::TextBox, left, top + 255, 960, 315);
        box->setText(value);
        return box;
    };
    Text10 = labelled(QStringLiteral("Serial"), 240, 1680, QStringLiteral("0"));
    Text14 = labelled(QStringLiteral("Parallel"), 1440, 1680, QStringLiteral("&H378"));
    Text11 = labelled(QStringLiteral("WPM"), 2640, 1680, QStringLiteral("13"));
    txtSpace = labelled(QStringLiteral("Word Space"), 3840, 1680, QStringLiteral("0"));
    txtCWLoop = labelled(QStringLiteral("Loop (Sec)"), 5040, 1680, QStringLiteral("0"));

    Check1 = place(new QCheckBox(QStringLiteral("Display CW text on main form (NA for WinKey)."), this),
                   ControlKind::CheckBox, 240, 3150, 4800, 255);
    Check1->setChecked(true);
}

void CWFrm::placeKeyingOptions()
{
    Frame1 = place(new QGroupBox(QStringLiteral("Keying Options"), this), ControlKind::Frame, 6600, 1560, 2760, 1680);
    Option1 = place(new QRadioButton(QStringLiteral("RTS"), Frame1), ControlKind::OptionButton, 120, 240, 1200, 255);
    Option2 = place(new QRadioButton(QStringLiteral("DTR"), Frame1), ControlKind::OptionButton, 120, 520, 1200, 255);
    Option3 = place(new QRadioButton(QStringLiteral("Printer"), Frame1), ControlKind::OptionButton, 120, 800, 1200, 255);
    Option4 = place(new QRadioButton(QStringLiteral("None"), Frame1), ControlKind::OptionButton, 1440, 240, 1200, 255);
    Option5 = place(new QRadioButton(QStringLiteral("WinKey"), Frame1), ControlKind::OptionButton, 1440, 520, 1200, 255);
    Option4->setChecked(true);
    cmdConfWinkey = place(new QPushButton(QStringLiteral("Configure Winkey"), Frame1),
                          ControlKind::CommandButton, 120, 1140, 2520, 375);
    cmdConfWinkey->setVisible(false);

    place(new QLabel(QStringLiteral("Wildcards are $ for Call, * for RST  # for Num and ^ for County (where applicable)."), this),
          ControlKind::Label, 240, 3480, 9000, 255);
    place(new QLabel(QStringLiteral("Prosigns:  AR [   SK ]   KN ;   CL \\   BT ="), this), ControlKind::Label, 240,
          3780, 6000, 255);
}

void CWFrm::placeButtons()
{
    auto button = [this](const QString& caption, float left, float top, float width) {
        return place(new QPushButton(caption, this), ControlKind::CommandButton, left, top, width, 375);
    };
    Command2 = button(QStringLiteral("Faster"), 2640, 2280, 960);
    Command3 = button(QStringLiteral("Slower"), 2640, 2700, 960);
    Command6 = button(QStringLiteral("More"), 3840, 2280, 960);
    Command5 = button(QStringLiteral("Less"), 3840, 2700, 960);
    Command7 = button(QStringLiteral("Send Code Practice"), 6600, 5280, 2760);
    Command4 = button(QStringLiteral("&Test"), 6600, 5760, 1320);
    Command1 = button(QStringLiteral("Done"), 8040, 5760, 1320);
    Label23 = place(new QLabel(QStringLiteral("Sending!"), this), ControlKind::Label, 6600, 6240, 1320, 255);
    Label23->setVisible(false);
}

void CWFrm::placeTimingOptions()
{
    auto* timing = place(new QGroupBox(QStringLiteral("Timing Options: "), this), ControlKind::Frame, 6600, 3360,
                         2760, 1800);
    timing->setToolTip(QStringLiteral("Timer is the preferred option on most systems. "));
    optTimer = place(new QRadioButton(QStringLiteral("Timer"), timing), ControlKind::OptionButton, 120, 240, 1200, 255);
    OptSleep = place(new QRadioButton(QStringLiteral("Sleep"), timing), ControlKind::OptionButton, 120, 520, 1200, 255);
    optLoop = place(new QRadioButton(QStringLiteral("Loop"), timing), ControlKind::OptionButton, 120, 800, 1200, 255);
    optTimer->setToolTip(QStringLiteral("Times by Windows System time."));
    OptSleep->setToolTip(QStringLiteral("Times by Windows System time."));
    optLoop->setToolTip(QStringLiteral("Times by a For Next loop."));
    lblLoop = place(new QLabel(QStringLiteral("Loop Delay"), timing), ControlKind::Label, 1440, 240, 1200, 255);
    txtLoop = place(new KeyField(timing), ControlKind::TextBox, 1440, 520, 1200, 315);
    txtLoop->setToolTip(QStringLiteral("Loops per 60 ms"));
    txtLoop->setText(QStringLiteral("0"));
    cmdLoopFaster = place(new QPushButton(QStringLiteral("F"), timing), ControlKind::CommandButton, 1440, 960, 540, 375);
    cmdLoopSlower = place(new QPushButton(QStringLiteral("S"), timing), ControlKind::CommandButton, 2100, 960, 540, 375);
    cmdLoopFaster->setToolTip(QStringLiteral("Speed up CW"));
    cmdLoopSlower->setToolTip(QStringLiteral("Slow Down CW"));
    optTimer->setChecked(true);
    setLoopControlsEnabled(false);
}

void CWFrm::wireControls()
{
    onSelected(Option1, this, &CWFrm::Option1_Click);
    onSelected(Option2, this, &CWFrm::Option2_Click);
    onSelected(Option3, this, &CWFrm::Option3_Click);
    onSelected(Option4, this, &CWFrm::Option4_Click);
    onSelected(Option5, this, &CWFrm::Option5_Click);

    connect(Command1, &QPushButton::clicked, this, &CWFrm::Command1_Click);
    connect(cmdConfWinkey, &QPushButton::clicked, this, &CWFrm::cmdConfWinkey_Click);
    connect(Command4, &QPushButton::clicked, this, &CWFrm::Command4_Click);
    connect(Command7, &QPushButton::clicked, this, &CWFrm::Command7_Click);
    connect(Command2, &QPushButton::clicked, this, &CWFrm::UpDown1_UpClick);
    connect(Command3, &QPushButton::clicked, this, &CWFrm::UpDown1_DownClick);
    connect(Command6, &QPushButton::clicked, this, [this] { stepWordSpace(1); });
    connect(Command5, &QPushButton::clicked, this, [this] { stepWordSpace(-1); });
    connect(cmdLoopFaster, &QPushButton::clicked, this, [this] { scaleLoops(0.9); });
    connect(cmdLoopSlower, &QPushButton::clicked, this, [this] { scaleLoops(1.111111111111); });
    connect(optTimer, &QRadioButton::toggled, this, [this](bool on) { if (on) setLoopControlsEnabled(false); });
    connect(OptSleep, &QRadioButton::toggled, this, [this](bool on) { if (on) setLoopControlsEnabled(false); });
    connect(optLoop, &QRadioButton::toggled, this, [this](bool on) { if (on) optLoop_Click(); });
    connect(txtLoop, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (const auto loops = parsePlainNumber(text))
            LoopsPer60ms = *loops;
    });

    // The session keys with what the boxes show at that moment, and shows its speed here.
    for (KeyField* box : messageBoxes())
        connect(box, &QLineEdit::textChanged, this, &CWFrm::sendSettings);
    for (KeyField* box : {Text10, Text11, Text14, txtSpace, txtCWLoop, txtLoop})
        connect(box, &QLineEdit::textChanged, this, &CWFrm::sendSettings);
    for (QAbstractButton* option : std::initializer_list<QAbstractButton*>{Check1, optTimer, OptSleep, optLoop})
        connect(option, &QAbstractButton::toggled, this, &CWFrm::sendSettings);
    connect(&m_session, &KeyerSession::wordsPerMinuteChanged, this, [this](const QString& speed) {
        if (Text11->text() != speed)
            Text11->setText(speed);
    });
    connect(&m_session, &KeyerSession::cwPortInvalid, this, &CWFrm::reportInvalidPort);
}

void CWFrm::wireBoxes()
{
    for (KeyField* box : messageBoxes())
        box->keyPress = KeyToUpper; // a double quote never gets in: the box refuses it
    Text10->keyPress = KeyDigitsOnly;
    Text11->keyPress = KeyDigitsOnly;
    txtSpace->keyPress = wordSpaceKeys;
    txtCWLoop->keyPress = secondsKeys;
    Text10->lostFocus = [this] {
        zeroWhenNotANumber(Text10);
        CWSetup();
    };
    Text11->lostFocus = [this] { zeroWhenNotANumber(Text11); };
    txtSpace->lostFocus = [this] { zeroWhenNotANumber(txtSpace); };
    txtCWLoop->lostFocus = [this] { txtCWLoop_LostFocus(); };
    connect(txtSpace, &QLineEdit::textChanged, this, [this](const QString& text) {
        const auto n = parsePlainNumber(text);
        if (n && *n < -8)
            txtSpace->setText(QStringLiteral("-8"));
    });
}

void CWFrm::restoreTiming()
{
    const UserSettings& user = *context().services.settings;
    if (const auto loops = parsePlainNumber(user.value(LoopOffsetKey, QStringLiteral("0"))))
        LoopsPer60ms = *loops;
    txtLoop->setText(formatDouble(LoopsPer60ms));
    const QString selection = user.value(SelectionKey, QStringLiteral("Timer"));
    if (selection == QLatin1String("Timer"))
        optTimer->setChecked(true);
    else if (selection == QLatin1String("Sleep"))
        OptSleep->setChecked(true);
    else if (selection == QLatin1String("Loop"))
        optLoop->setChecked(true);
}

void CWFrm::sendSettings()
{
    m_session.setCwSettings(settings());
    m_session.setCwTiming(timingMethod(), LoopsPer60ms);
}

void CWFrm::closeEvent(QCloseEvent* event)
{
    // Only "Done" hides the window; closing the program deletes it.
    event->ignore();
}

void CWFrm::setLoopControlsEnabled(bool enabled)
{
    for (QWidget* w : std::initializer_list<QWidget*>{txtLoop, lblLoop, cmdLoopFaster, cmdLoopSlower})
        w->setEnabled(enabled);
}

void CWFrm::optLoop_Click()
{
    setLoopControlsEnabled(true);
    letEventsRun();
    if (LoopsPer60ms == 0)
        CalibrateCWLoop();
    txtLoop->setText(formatDouble(LoopsPer60ms));
}

void CWFrm::CalibrateCWLoop()
{
    Clock& clock = *context().services.clock;
    const qint64 t0 = clock.monotonicNs();
    volatile double count = LoopsPer60ms;
    while (count < 5'000'000)
        count = count + 1;
    const qint64 t1 = clock.monotonicNs();
    if (t1 <= t0)
        return;
    const double perMs = 5'000'000.0 / (double(t1 - t0) / 1e6);
    LoopsPer60ms = roundHalfEven(perMs * 60);
    txtLoop->setText(formatDouble(LoopsPer60ms));
    sendSettings();
}

void CWFrm::scaleLoops(double factor)
{
    if (const auto loops = parsePlainNumber(txtLoop->text()))
        txtLoop->setText(formatDouble(roundHalfEven(*loops * factor)));
    Command1->setFocus();
}

void CWFrm::UpDown1_UpClick() { m_session.stepSpeed(1); }
void CWFrm::UpDown1_DownClick() { m_session.stepSpeed(-1); }

void CWFrm::FKeyCW(int KeyCode) { m_session.FKeyCW(KeyCode); }

void CWFrm::stepWordSpace(int by)
{
    const auto space = parsePlainNumber(txtSpace->text());
    txtSpace->setText(space ? formatDouble(*space + by) : QStringLiteral("0"));
}

void CWFrm::txtCWLoop_LostFocus()
{
    const auto seconds = parsePlainNumber(txtCWLoop->text());
    const auto interval = repeatIntervalMs(txtCWLoop->text());
    if (seconds && *seconds >= 0 && *seconds < 60 && interval) {
        m_session.setCwRepeatMs(*interval);
        return;
    }
    txtCWLoop->setText(QStringLiteral("0"));
    m_session.setCwRepeatMs(0);
}

bool CWFrm::CWSetup() { return m_session.openCwPort(); }

void CWFrm::reportInvalidPort()
{
    context().services.beeper->beep();
    context().services.dialogs->messageBox(
        QStringLiteral("The port you have selected for CW keying is invalid.  Please select another or enter 0 for none."),
        QStringLiteral("Invalid port."));
    if (!isVisible())
        showModal();
}

void CWFrm::Command1_Click()
{
    const Services& services = context().services;
    const CwSettings current = settings();
    // The keying choice is kept with the file: once CW.txt is written, and not when it fails.
    const QString selection = optLoop->isChecked()    ? QStringLiteral("Loop")
                            : OptSleep->isChecked() ? QStringLiteral("Sleep")
                                                    : QStringLiteral("Timer");
    const QString loopOffset = formatDouble(LoopsPer60ms);
    saveCwSettings(context().state.folders, current, services.fileWriter.get(),
                   [settings = services.settings.get(), selection, loopOffset](bool written, const QString&) {
                       if (!written)
                           return;
                       settings->setValue(SelectionKey, selection);
                       settings->setValue(LoopOffsetKey, loopOffset);
                   });
    hide();
}

void CWFrm::Command7_Click()
{
    {
        frmCodePractice practice(context());
        practice.showModal();
    }
    context().state.keyer.CWBuffer.clear();
}

void CWFrm::addHelpTexts()
{
    place(new QLabel(QStringLiteral("You must be in CW mode."), this), ControlKind::Label, 240, 4080, 2400, 255);
    place(new QLabel(QStringLiteral("Up / Down arrows on main form change speed."), this), ControlKind::Label, 2760,
          4080, 3720, 255);

    // The instructions in small print under the legends, left of the option frames; on a
    // small screen they scroll rather than lose their ends.
    const QString portHint = QStringLiteral("Make sure you select the specific port that the interface is attached to.");
    const QStringList setup = {
        QStringLiteral("First, you will have to build or purchase an interface to use from your computer's serial "
                       "or parallel (printer) port to your transmitter.  From the Keying Options box at the right, "
                       "select which line to key the transmitter."),
        QStringLiteral("If you are using a serial port, tell the program which com port to use.  The program will "
                       "only let you leave this field if a valid com port is selected, or if a value of 0 is "
                       "entered (indicating that a com port has not been selected).  If you are using a parallel "
                       "port, enter the Hex address of the port. &H378 is the default on most systems for LPT1."),
        QStringLiteral("Now that the interface is hooked up, and you have either identified the serial com port or "
                       "entered the LPT1 address for the printer port, you can test the setup.  Press the test "
                       "command button to send the text in the F9 text box.  The program will not generate a side "
                       "tone so make sure your transceiver is set to produce one.  Also, make sure you are on a "
                       "clear frequency because if all goes well, you will be transmitting."),
    };
    const QStringList use = {
        QStringLiteral("Each text box corresponds to a function key.  Enter the characters you would like to "
                       "associate with the function key. From the main logging page, press the appropriate function "
                       "key each time you wish to send the string.  A ! in the string enters the contact."),
        QStringLiteral("Finally, enter the WPM code speed and any adjustments to the standard word spacing (0 is "
                       "standard, -8 is no spacing).  You can adjust your speed on the main form by using the Up / "
                       "Down arrows. Check the check box if you would like to see the characters you are sending on "
                       "the main form.  For the most precise timing, do not run any other programs, virus software "
                       "etc. while transmitting."),
    };
    auto section = [](const QString& heading, const QStringList& paragraphs) {
        QString html = QStringLiteral("<p style=\"margin-top:4px; margin-bottom:2px\"><b>%1</b></p>").arg(heading.toHtmlEscaped());
        for (const QString& paragraph : paragraphs)
            html += QStringLiteral("<p style=\"margin-top:0; margin-bottom:4px\">%1</p>").arg(paragraph.toHtmlEscaped());
        return html;
    };
    txtHelp = place(new QTextEdit(this), ControlKind::TextBox, 240, 4380, 6240, 2160, 6.75f);
    txtHelp->setReadOnly(true);
    txtHelp->setFrameShape(QFrame::NoFrame);
    txtHelp->setFocusPolicy(Qt::NoFocus);
    txtHelp->viewport()->setAutoFillBackground(false);
    txtHelp->setHtml(section(QStringLiteral("Setup:"), setup) + section(QStringLiteral("To Use:"), use));
    // The port help's own hint, where the ports are typed.
    Text10->setToolTip(portHint);
    Text14->setToolTip(portHint);
}

void CWFrm::Command4_Click()
{
    Label23->setVisible(true);
    letEventsRun();
    FKeyCW(120);
    Label23->setVisible(false);
    if (isVisible())
        Text1->setFocus();
}

TimingMethod CWFrm::timingMethod() const
{
    if (OptSleep->isChecked())
        return TimingMethod::Sleep;
    if (optLoop->isChecked())
        return TimingMethod::Loop;
    return TimingMethod::Timer;
}

void CWFrm::Option1_Click() { context().state.keyer.CWKeyingInterface = KeyingInterface::Rts; }
void CWFrm::Option2_Click() { context().state.keyer.CWKeyingInterface = KeyingInterface::Dtr; }
void CWFrm::Option3_Click() { context().state.keyer.CWKeyingInterface = KeyingInterface::Printer; }
void CWFrm::Option4_Click() { context().state.keyer.CWKeyingInterface = KeyingInterface::None; }

void CWFrm::Option5_Click()
{
    context().state.keyer.CWKeyingInterface = KeyingInterface::WinKey;
    cmdConfWinkey->setVisible(true);
    context().navigation.winKeyFrm(); // loaded hidden, with its settings
}

void CWFrm::cmdConfWinkey_Click()
{
    context().navigation.showWinKeySetup();
    Command1->setFocus();
}

std::array<KeyField*, 11> CWFrm::messageBoxes() const
{
    return {Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text8, Text9, Text12, Text13};
}

void CWFrm::showSettings(const CwSettings& settings)
{
    const auto boxes = messageBoxes();
    for (size_t i = 0; i < boxes.size(); ++i)
        boxes[i]->setText(settings.messages[i]);
    Text10->setText(settings.serialPort);
    Text11->setText(settings.wordsPerMinute);
    txtSpace->setText(settings.wordSpace);
    Text14->setText(settings.parallelAddress);
    Check1->setChecked(settings.echo);
    txtCWLoop->setText(settings.repeatSeconds);
    if (const auto interval = repeatIntervalMs(settings.repeatSeconds))
        m_session.setCwRepeatMs(*interval);
}

CwSettings CWFrm::settings() const
{
    CwSettings settings;
    const auto boxes = messageBoxes();
    for (size_t i = 0; i < boxes.size(); ++i)
        settings.messages[i] = boxes[i]->text();
    settings.serialPort = Text10->text();
    settings.wordsPerMinute = Text11->text();
    settings.wordSpace = txtSpace->text();
    settings.keyingInterface = context().state.keyer.CWKeyingInterface;
    settings.parallelAddress = Text14->text();
    settings.echo = Check1->isChecked();
    settings.repeatSeconds = txtCWLoop->text();
    return settings;
}

void CWFrm::selectKeyingInterface(KeyingInterface keying)
{
    for (QRadioButton* option : {Option1, Option2, Option3, Option4, Option5}) {
        option->setAutoExclusive(false);
        const QSignalBlocker blocker(option);
        option->setChecked(false);
        option->setAutoExclusive(true);
    }
    // Checking a button runs its click, as a click would.
    switch (keying) {
    case KeyingInterface::Rts: Option1->setChecked(true); break;
    case KeyingInterface::Dtr: Option2->setChecked(true); break;
    case KeyingInterface::Printer: Option3->setChecked(true); break;
    case KeyingInterface::WinKey: Option5->setChecked(true); break;
    default: Option4->setChecked(true); break; // "None" also for a code no option has
    }
}
