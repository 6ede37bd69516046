#include "keying/windows/PhoneFrm.h"

#include "core/AppState.h"
#include "core/NumberFormat.h"
#include "core/forms/Form1.h"
#include "core/forms/FormScaler.h"
#include "core/forms/Navigation.h"
#include "core/forms/Sessions.h"
#include "keying/KeyerSession.h"
#include "platform/Services.h"

#include <QCloseEvent>
#include <QShowEvent>

namespace {

constexpr float RowTop = 2460;
constexpr float RowStep = 360;

const QString NoOutputText = QStringLiteral("No sound output was found: the messages cannot play.");

QLabel* paragraph(QLabel* label)
{
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

} // namespace

PhoneFrm::PhoneFrm(const WindowContext& context)
    : Form(context, QStringLiteral("Phone Wave Selections"), 9360, 6840), m_session(*context.sessions.keyer)
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    placeInstructions();
    placeFileRows();
    placePttSettings();

    Command1 = place(new QPushButton(QStringLiteral("Done"), this), ControlKind::CommandButton, 7920, 6330, 1200, 375);
    connect(Command1, &QPushButton::clicked, this, &PhoneFrm::Command1_Click);
    place(new QLabel(QStringLiteral("Plays F1 Command"), this), ControlKind::Label, 4800, 6390, 1560, 255);
    Command11 = place(new QPushButton(QStringLiteral("Test"), this), ControlKind::CommandButton, 6480, 6330, 1200, 375);
    connect(Command11, &QPushButton::clicked, this, &PhoneFrm::Command11_Click);
    // Beside "Setup:", where the operator looks first.
    lblSound = place(new QLabel(this), ControlKind::Label, 1560, 120, 7560, 255);
    lblSound->setStyleSheet(QStringLiteral("color: red"));

    wireSession();

    // Sized to the screen and centred, every control with it, the fonts at most 1.5 times.
    LocalScaling scaling;
    scaling.controlFont = LocalScaling::ControlFont::WidthFactorCapped;
    scaling.scaledKinds = {ControlKind::ListBox, ControlKind::CommandButton, ControlKind::TextBox,
                           ControlKind::Label, ControlKind::CheckBox, ControlKind::OptionButton, ControlKind::Frame};
    scaling.fontKinds = scaling.scaledKinds;
    ScaleFormLocally(*this, scaling);
}

void PhoneFrm::wireSession()
{
    // The session plays with what the boxes show at that moment.
    for (size_t i = 1; i <= 9; ++i)
        connect(fileBoxes[i], &QLineEdit::textChanged, this, &PhoneFrm::sendSettings);
    for (KeyField* box : {Text10, Text11, txtPHLoop})
        connect(box, &QLineEdit::textChanged, this, &PhoneFrm::sendSettings);
    for (QRadioButton* option : {Option1, Option2, Option3})
        connect(option, &QRadioButton::toggled, this, &PhoneFrm::sendSettings);
    connect(&m_session, &KeyerSession::pttPortInvalid, this, &PhoneFrm::reportInvalidPort);
    connect(&m_session, &KeyerSession::soundProblem, this, &PhoneFrm::tellSoundProblem);
    // A message that plays clears what was said against the sound.
    connect(&m_session, &KeyerSession::voiceMessagePlaying, this, [this] {
        lblSound->clear();
        lblSound->setToolTip(QString());
    });
    connect(&m_session, &KeyerSession::soundOutputChecked, this, &PhoneFrm::showOutputFound);
    // A copy: each box filled hands the session the window's settings at once.
    showSettings(WaveSettings(m_session.voiceSettings()));
    sendSettings();
}

void PhoneFrm::sendSettings() { m_session.setVoiceSettings(settings()); }

void PhoneFrm::FKeyPhone(int KeyCode) { m_session.FKeyPhone(KeyCode); }

void PhoneFrm::placeInstructions()
{
    auto* setup = place(new QLabel(QStringLiteral("Setup:"), this), ControlKind::Label, 240, 120, 1200, 255);
    QFont bold = setup->font();
    bold.setBold(true);
    setup->setFont(bold);
    place(paragraph(new QLabel(QStringLiteral(
              "Record each message as a wave file with the sound recorder of your system, speaking clearly "
              "and close to the microphone.  Keep each message short: a CQ, your call, the exchange."), this)),
          ControlKind::Label, 240, 360, 8880, 390);
    place(paragraph(new QLabel(QStringLiteral(
              "Before recording, choose the microphone as the recording input and set the recording "
              "quality; telephone or radio quality is plenty and keeps the files small."), this)),
          ControlKind::Label, 240, 750, 8880, 390);
    place(paragraph(new QLabel(QStringLiteral(
              "Connect the line output of the sound card to the audio input of the transceiver.  Start "
              "with the lowest output level and raise it gradually until the transmitted audio is right."), this)),
          ControlKind::Label, 240, 1140, 8880, 390);
    auto* toUse = place(new QLabel(QStringLiteral("To Use:"), this), ControlKind::Label, 240, 1560, 1200, 255);
    toUse->setFont(bold);
    place(new QLabel(QStringLiteral("(You  must be in Phone mode)"), this), ControlKind::Label, 1440, 1560, 3600, 255);
    place(paragraph(new QLabel(QStringLiteral(
              "The transmitter can be keyed by hand, by VOX, or through an interface on a serial port: "
              "enter the port number below (0 for none) and choose the RTS or DTR line."), this)),
          ControlKind::Label, 240, 1800, 8880, 390);
    place(paragraph(new QLabel(QStringLiteral(
              "Each wave file belongs to one function key; press that key in the log window to play it."), this)),
          ControlKind::Label, 240, 2190, 8880, 255);
}

void PhoneFrm::placeFileRows()
{
    for (int i = 1; i <= 9; ++i) {
        const float top = RowTop + float(i - 1) * RowStep;
        place(new QLabel(QStringLiteral("F%1").arg(i), this), ControlKind::Label, 240, top + 30, 400, 255);
        const float width = i == 1 ? 6240 : 6960;
        fileBoxes[size_t(i)] = place(new KeyField(this), ControlKind::TextBox, 720, top, width, 300);
        browseButtons[size_t(i)] = place(new QPushButton(QStringLiteral("Browse"), this),
                                         ControlKind::CommandButton, 7920, top, 1200, 300);
        connect(browseButtons[size_t(i)], &QPushButton::clicked, this, [this, i] { browse(i); });
    }
    Text1 = fileBoxes[1];
    Text2 = fileBoxes[2];
    Text3 = fileBoxes[3];
    Text4 = fileBoxes[4];
    Text5 = fileBoxes[5];
    Text6 = fileBoxes[6];
    Text7 = fileBoxes[7];
    Text8 = fileBoxes[8];
    Text9 = fileBoxes[9];
    txtPHLoop = place(new KeyField(this), ControlKind::TextBox, 7080, RowTop, 720, 300);
    txtPHLoop->setText(QStringLiteral("0"));
    txtPHLoop->setToolTip(QStringLiteral("Seconds between repeats of F1 (0 = no repeat)"));
    txtPHLoop->keyPress = [](int& KeyAscii) {
        if (KeyAscii != 8 && KeyAscii != '.' && (KeyAscii < '0' || KeyAscii > '9'))
            KeyAscii = 0;
    };
    txtPHLoop->lostFocus = [this] { txtPHLoop_LostFocus(); };
}

void PhoneFrm::placePttSettings()
{
    const float top = RowTop + 9 * RowStep + 60;
    place(new QLabel(QStringLiteral("Serial Port (0 = none):"), this), ControlKind::Label, 240, top + 60, 1920, 255);
    Text10 = place(new KeyField(this), ControlKind::TextBox, 2160, top, 600, 315);
    Text10->setText(QStringLiteral("0"));
    Text10->gotFocus = [this] { Text10->setSelection(0, int(Text10->text().size())); };
    Text10->lostFocus = [this] { Text10_LostFocus(); };
    Frame1 = place(new QGroupBox(QStringLiteral("PTT Line"), this), ControlKind::Frame, 2940, top - 120, 3360, 600);
    Option1 = place(new QRadioButton(QStringLiteral("RTS"), Frame1), ControlKind::OptionButton, 120, 270, 900, 255);
    Option2 = place(new QRadioButton(QStringLiteral("DTR"), Frame1), ControlKind::OptionButton, 1080, 270, 900, 255);
    Option3 = place(new QRadioButton(QStringLiteral("Parallel"), Frame1), ControlKind::OptionButton, 2040, 270, 1200, 255);
    Option1->setChecked(true);
    place(new QLabel(QStringLiteral("Parallel Address:"), this), ControlKind::Label, 6480, top + 60, 1440, 255);
    Text11 = place(new KeyField(this), ControlKind::TextBox, 7920, top, 1200, 315);
    Text11->setText(QStringLiteral("&H378"));
    Text11->keyPress = [](int& KeyAscii) {
        if (KeyAscii == 34)
            KeyAscii = 0;
        else if (KeyAscii >= 'a' && KeyAscii <= 'z')
            KeyAscii -= 32;
    };

    auto* caution = place(new QLabel(QStringLiteral("Caution, RF feedback can damage your PC!"), this),
                          ControlKind::Label, 240, top + 630, 4320, 255);
    caution->setStyleSheet(QStringLiteral("color: red"));
}

void PhoneFrm::closeEvent(QCloseEvent* event)
{
    // Only "Done" hides the window; closing the program deletes it.
    event->ignore();
}

void PhoneFrm::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    showOutputFound();
    // The answer comes later, as soundOutputChecked: nothing of the sound system is asked
    // on this thread.
    m_session.probeSoundOutput();
}

void PhoneFrm::showOutputFound()
{
    // A message's own failure, said already, says more.
    if (!m_session.soundOutputFound() && lblSound->text().isEmpty())
        lblSound->setText(NoOutputText);
    else if (lblSound->text() == NoOutputText)
        lblSound->clear();
}

void PhoneFrm::tellSoundProblem(const WaveProblem& problem)
{
    lblSound->setText(problem.text);
    lblSound->setToolTip(problem.text); // a long path may not fit the line
    if (problem.kind == WaveProblem::Kind::Output)
        context().navigation.form1().SetDialogCaption(QStringLiteral("Voice keyer: ") + problem.text);
}

void PhoneFrm::OpenPhonePttPort() { m_session.openPttPort(); }

void PhoneFrm::reportInvalidPort()
{
    context().services.beeper->beep();
    context().services.dialogs->messageBox(
        QStringLiteral("The port you have selected for Phone keying is invalid.  Please select another or enter 0 for none."),
        QStringLiteral("Invalid port."));
    if (!isVisible())
        showModal();
}

void PhoneFrm::Text10_LostFocus()
{
    if (!readVoiceKeyerNumber(Text10->text()))
        Text10->setText(QStringLiteral("0"));
    OpenPhonePttPort();
}

void PhoneFrm::txtPHLoop_LostFocus()
{
    const auto seconds = readVoiceKeyerNumber(txtPHLoop->text());
    if (seconds && *seconds >= 0 && *seconds < 60) {
        m_session.setVoiceRepeatMs(int(roundHalfEven(*seconds * 1000)));
        return;
    }
    txtPHLoop->setText(QStringLiteral("0"));
    m_session.setVoiceRepeatMs(0);
}

void PhoneFrm::Command1_Click()
{
    hide();
    const WaveSettings current = settings();
    // A file that cannot be written leaves the old one whole; the settings stay in the window.
    saveWaveSettings(context().state.folders, current, context().services.fileWriter.get());
}

void PhoneFrm::browse(int key)
{
    const auto chosen =
        context().services.dialogs->openFileName(QStringLiteral("Open"), QString(), QStringLiteral("(*.wav)"));
    if (!chosen) {
        context().services.beeper->beep();
        return;
    }
    fileBoxes[size_t(key)]->setText(*chosen);
    Command1->setFocus();
}

void PhoneFrm::Command11_Click()
{
    FKeyPhone(VoiceKeyer::RepeatKey);
    if (isVisible())
        Command1->setFocus();
}

WaveSettings PhoneFrm::settings() const
{
    WaveSettings settings;
    for (size_t i = 0; i < settings.waveFiles.size(); ++i)
        settings.waveFiles[i] = fileBoxes[i + 1]->text();
    settings.serialPort = Text10->text();
    if (Option1->isChecked())
        settings.pttLine = PttLine::Rts;
    else if (Option2->isChecked())
        settings.pttLine = PttLine::Dtr;
    else if (Option3->isChecked())
        settings.pttLine = PttLine::Parallel;
    else
        settings.pttLine = std::nullopt;
    settings.repeatSeconds = txtPHLoop->text();
    settings.parallelAddress = Text11->text();
    return settings;
}

void PhoneFrm::showSettings(const WaveSettings& settings)
{
    for (size_t i = 0; i < settings.waveFiles.size(); ++i)
        fileBoxes[i + 1]->setText(settings.waveFiles[i]);
    Text10->setText(settings.serialPort);
    if (settings.pttLine) {
        QRadioButton* const lines[] = {Option1, Option2, Option3};
        lines[quint8(*settings.pttLine)]->setChecked(true);
    }
    txtPHLoop->setText(settings.repeatSeconds);
    if (const auto interval = repeatIntervalMs(settings.repeatSeconds))
        m_session.setVoiceRepeatMs(*interval);
    Text11->setText(settings.parallelAddress);
}
