#include "rig/windows/frmRigTune.h"

#include "core/AmateurBands.h"
#include "core/AppState.h"
#include "core/forms/Form1.h"
#include "core/forms/FormScaler.h"
#include "core/forms/Navigation.h"
#include "rig/RigTuning.h"
#include "core/forms/Sessions.h"
#include "rig/RigSession.h"

#include <vector>

namespace {

// The bands with a button, lowest first.
const AmateurBand& tuneBand(int index)
{
    static const std::vector<const AmateurBand*> bands = [] {
        std::vector<const AmateurBand*> withButton;
        for (const AmateurBand& band : amateurBands()) {
            if (band.tuneCaption)
                withButton.push_back(&band);
        }
        return withButton;
    }();
    return *bands.at(size_t(index));
}

struct Step {
    const char* caption;
    double change;
    int column; // 1 to 5, left to right
};
constexpr Step Steps[10] = {{"10 Hz", 0.00001, 5}, {"10 Hz", -0.00001, 5}, {"1 MHz", 1, 1},        {"1 MHz", -1, 1},
                            {"5 KHz", 0.005, 2},   {"5 KHz", -0.005, 2},   {"1 KHz", 0.001, 3},    {"1 KHz", -0.001, 3},
                            {"100 Hz", 0.0001, 4}, {"100 Hz", -0.0001, 4}};

constexpr int ScanIntervalMs = 299;

// Backspace and the characters "." "/" and "0" to "9" pass; nothing else does.
void frequencyKeyFilter(int& KeyAscii)
{
    if (KeyAscii != 8 && (KeyAscii < 46 || KeyAscii > 57))
        KeyAscii = 0;
}

} // namespace

frmRigTune::frmRigTune(const WindowContext& context)
    : Form(context, QStringLiteral(" Change Frequency and Mode (Ctrl G (Go))"), 4905, 5010), m_rig(*context.sessions.rig)
{
    buildControls();
    previewKeys(nullptr, [this](int& KeyAscii) { Form_KeyPress(KeyAscii); });
    Timer1.setInterval(ScanIntervalMs);
    connect(&Timer1, &QTimer::timeout, this, &frmRigTune::Timer1_Timer);
}

void frmRigTune::buildControls()
{
    for (int i = 0; i < 16; ++i) {
        auto* button = new QPushButton(QLatin1String(tuneBand(i).tuneCaption), this);
        cmdBand[size_t(i)] = place(button, ControlKind::CommandButton, 120 + 600 * (i % 8), i < 8 ? 120 : 600, 495, 375);
        connect(button, &QPushButton::clicked, this, [this, i] { cmdBand_Click(i); });
    }
    addLine(120, 1080, 4800, 1080);
    const auto modeButton = [this](const char* caption, float left, const char* mode) {
        auto* button = place(new QPushButton(QLatin1String(caption), this), ControlKind::CommandButton, left, 1200, 615, 375);
        connect(button, &QPushButton::clicked, this, [this, mode] { changeMode(mode); });
        return button;
    };
    cmdCW = modeButton("&CW", 360, "CW");
    cmdUSB = modeButton("&USB", 1080, "USB");
    cmdLSB = modeButton("&LSB", 1800, "LSB");
    cmdAM = modeButton("&AM", 2520, "AM");
    cmdFM = modeButton("&FM", 3240, "FM");
    cmdRTTY = modeButton("&RTTY", 3960, "RTTY");
    addLine(120, 1680, 4800, 1680);

    Label1 = place(new QLabel(QStringLiteral("Frequency in MHz:"), this), ControlKind::Label, 480, 1800, 1500, 285);
    txtFreq = place(new KeyField(this), ControlKind::TextBox, 2040, 1800, 1215, 285);
    Command1 = place(new QPushButton(QStringLiteral("&Go"), this), ControlKind::CommandButton, 3480, 1740, 855, 375);
    addLine(120, 2160, 4800, 2160);

    Label2 = place(new QLabel(QStringLiteral(" UP"), this), ControlKind::Label, 0, 2460, 700, 285, 9.75f);
    Label3 = place(new QLabel(QStringLiteral(" Down"), this), ControlKind::Label, 0, 2940, 700, 285, 9.75f);
    for (QLabel* label : {Label2, Label3}) {
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
    }
    for (int i = 0; i < 10; ++i) {
        auto* button = new QPushButton(QLatin1String(Steps[i].caption), this);
        cmdTune[size_t(i)] = place(button, ControlKind::CommandButton, 720 + 840 * (Steps[i].column - 1),
                                   i % 2 == 0 ? 2400 : 2880, 735, 375);
        button->setEnabled(false);
        connect(button, &QPushButton::clicked, this, [this, i] { cmdTune_Click(i); });
    }
    addLine(120, 3360, 4800, 3360);

    chkScan = place(new QCheckBox(QStringLiteral("Scan"), this), ControlKind::CheckBox, 240, 3600, 900, 285);
    Label4 = place(new QLabel(QStringLiteral("From:"), this), ControlKind::Label, 1200, 3600, 480, 285);
    txtFrom = place(new KeyField(this), ControlKind::TextBox, 1680, 3600, 735, 285);
    Label5 = place(new QLabel(QStringLiteral("To:"), this), ControlKind::Label, 2640, 3600, 600, 285);
    txtTo = place(new KeyField(this), ControlKind::TextBox, 3240, 3600, 735, 285);
    // The scan first covers 160 m to 6 m: "1.8" to "54".
    txtFrom->setText(QString::number(AmateurBand::megahertz(findAmateurBand(u"160")->lower)));
    txtTo->setText(QString::number(AmateurBand::megahertz(findAmateurBand(u"6")->upper)));

    Frame1 = place(new QGroupBox(QStringLiteral("Scan Steps"), this), ControlKind::Frame, 120, 3960, 4695, 495);
    const auto option = [this](const char* caption, float left) {
        return place(new QRadioButton(QLatin1String(caption), Frame1), ControlKind::OptionButton, left, 200, 880, 255);
    };
    Option5 = option("2.5 KHz", 120);
    Option1 = option("500 Hz", 1040);
    Option2 = option("100 Hz", 1960);
    Option3 = option("30 Hz", 2880);
    Option4 = option("10 Hz", 3800);
    Option4->setChecked(true);

    cmdDone = place(new QPushButton(QStringLiteral("&Done"), this), ControlKind::CommandButton, 2040, 4560, 735, 375);

    txtFreq->keyPress = [this](int& KeyAscii) { txtFreq_KeyPress(KeyAscii); };
    txtFrom->keyPress = frequencyKeyFilter;
    txtTo->keyPress = frequencyKeyFilter;
    connect(txtFreq, &QLineEdit::textChanged, this, &frmRigTune::txtFreq_Change);
    connect(Command1, &QPushButton::clicked, this, &frmRigTune::Command1_Click);
    connect(chkScan, &QCheckBox::toggled, this, &frmRigTune::chkScan_Click);
    connect(cmdDone, &QPushButton::clicked, this, &QWidget::hide);
}

void frmRigTune::Form_Load()
{
    LocalScaling scaling;
    scaling.top = LocalScaling::Top::Centre;
    scaling.windowFont = LocalScaling::WindowFont::WidthFactor;
    scaling.controlFont = LocalScaling::ControlFont::WidthFactorCapped;
    scaling.scaledKinds = {ControlKind::Label,    ControlKind::TextBox,      ControlKind::CommandButton,
                           ControlKind::ListBox,  ControlKind::Image,        ControlKind::CheckBox,
                           ControlKind::Frame,    ControlKind::OptionButton};
    scaling.fontKinds = scaling.scaledKinds;
    scaling.fontKinds.erase(ControlKind::Image);
    FontSize = float(context().navigation.form1().FontSize);
    ScaleFormLocally(*this, scaling);
    txtFreq->setFocus();
    Timer1.start();
}

void frmRigTune::Command1_Click()
{
    const auto frequency = tuneFrequency(txtFreq->text());
    if (!frequency || context().state.station.RigName == QLatin1String("None"))
        return;
    float qChangeFreq = *frequency;
    m_rig.ChangeFrequency(qChangeFreq);
}

void frmRigTune::cmdBand_Click(int Index)
{
    txtFreq->setText(QLatin1String(tuneBand(Index).tuneFrequency));
    Command1_Click();
}

void frmRigTune::cmdTune_Click(int Index)
{
    const auto stepped = steppedFrequencyText(txtFreq->text(), Steps[Index].change);
    if (!stepped)
        return;
    txtFreq->setText(*stepped);
    Command1_Click();
    cmdDone->setFocus();
}

void frmRigTune::changeMode(const char* mode)
{
    QString ModeToChangeTo = QLatin1String(mode);
    m_rig.ChangeMode(0, ModeToChangeTo);
    cmdDone->setFocus();
}

void frmRigTune::chkScan_Click()
{
    if (chkScan->isChecked() && !holdsNumber(txtFreq->text()))
        txtFreq->setText(txtFrom->text());
    Command1->setFocus();
}

void frmRigTune::txtFreq_Change()
{
    const bool number = holdsNumber(txtFreq->text());
    for (QPushButton* button : cmdTune)
        button->setEnabled(number);
}

void frmRigTune::txtFreq_KeyPress(int& KeyAscii)
{
    if (KeyAscii == 13) {
        KeyAscii = 0;
        Command1_Click();
        txtFreq->setFocus();
        txtFreq->setCursorPosition(int(txtFreq->text().size()));
        return;
    }
    frequencyKeyFilter(KeyAscii);
}

// Any character key ends the scan; the key then goes on to the control.
void frmRigTune::Form_KeyPress(int& KeyAscii)
{
    Q_UNUSED(KeyAscii);
    if (chkScan->isChecked())
        chkScan->setChecked(false);
}

float frmRigTune::scanStep() const
{
    if (Option5->isChecked())
        return 0.0025f;
    if (Option1->isChecked())
        return 0.0005f;
    if (Option2->isChecked())
        return 0.0001f;
    if (Option3->isChecked())
        return 0.00003f;
    if (Option4->isChecked())
        return 0.00001f;
    return 0;
}

void frmRigTune::Timer1_Timer()
{
    if (!chkScan->isChecked())
        return;
    const auto frequency = tuneFrequency(txtFreq->text());
    const auto lower = tuneFrequency(txtFrom->text());
    const auto upper = tuneFrequency(txtTo->text());
    if (!frequency || !lower || !upper)
        return;
    txtFreq->setText(scanFrequencyText(nextScanFrequency(*frequency, scanStep(), *lower, *upper)));
    Command1_Click();
}
