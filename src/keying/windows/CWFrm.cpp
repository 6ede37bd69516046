#include "keying/windows/CWFrm.h"

#include "core/AppState.h"

namespace {

void onSelected(QRadioButton* button, CWFrm* form, void (CWFrm::*handler)())
{
    QObject::connect(button, &QRadioButton::toggled, form, [form, handler](bool on) {
        if (on)
            (form->*handler)();
    });
}

} // namespace

CWFrm::CWFrm(const WindowContext& context) : Form(context, QStringLiteral("CW String Selections"), 9600, 6600)
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    KeyField** messages[] = {&Text1, &Text2, &Text3, &Text4, &Text5, &Text6, &Text7, &Text8, &Text9,
                             &Text12, &Text13};
    for (int i = 0; i < 11; ++i) {
        const float left = 240 + float(i / 3) * 2340;
        const float top = 240 + float(i % 3) * 420;
        place(new QLabel(QStringLiteral("F%1").arg(i + 1), this), ControlKind::Label, left, top + 30, 360, 255);
        *messages[i] = place(new KeyField(this), ControlKind::TextBox, left + 360, top, 1860, 315);
    }
    place(new QLabel(QStringLiteral("F12  Keyboard"), this), ControlKind::Label, 7260, 1110, 2000, 255);

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
                   ControlKind::CheckBox, 240, 2520, 4800, 255);
    Check1->setChecked(true);

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

    onSelected(Option1, this, &CWFrm::Option1_Click);
    onSelected(Option2, this, &CWFrm::Option2_Click);
    onSelected(Option3, this, &CWFrm::Option3_Click);
    onSelected(Option4, this, &CWFrm::Option4_Click);
    onSelected(Option5, this, &CWFrm::Option5_Click);

    place(new QLabel(QStringLiteral("Wildcards are $ for Call, * for RST  # for Num and ^ for County (where applicable)."), this),
          ControlKind::Label, 240, 3480, 9000, 255);
    Command1 = place(new QPushButton(QStringLiteral("Done"), this), ControlKind::CommandButton, 8160, 6000, 1095, 375);
    connect(Command1, &QPushButton::clicked, this, &QWidget::hide);

    tmrRepeat.setSingleShot(true);
    tmrRepeat.setInterval(0);
}

void CWFrm::Option1_Click() { context().state.keyer.CWKeyingInterface = KeyingInterface::Rts; }
void CWFrm::Option2_Click() { context().state.keyer.CWKeyingInterface = KeyingInterface::Dtr; }
void CWFrm::Option3_Click() { context().state.keyer.CWKeyingInterface = KeyingInterface::Printer; }
void CWFrm::Option4_Click() { context().state.keyer.CWKeyingInterface = KeyingInterface::None; }

void CWFrm::Option5_Click()
{
    context().state.keyer.CWKeyingInterface = KeyingInterface::WinKey;
    cmdConfWinkey->setVisible(true);
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
        tmrRepeat.setInterval(*interval);
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
