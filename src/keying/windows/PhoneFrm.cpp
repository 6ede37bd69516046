#include "keying/windows/PhoneFrm.h"

PhoneFrm::PhoneFrm(const WindowContext& context) : Form(context, QStringLiteral("Phone Wave Selections"), 9000, 6000)
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    for (int i = 1; i <= 9; ++i) {
        const float top = 240 + float(i - 1) * 420;
        place(new QLabel(QStringLiteral("F%1").arg(i), this), ControlKind::Label, 240, top + 30, 400, 255);
        const float width = i == 1 ? 5400 : 6240;
        fileBoxes[size_t(i)] = place(new KeyField(this), ControlKind::TextBox, 720, top, width, 315);
        auto* browse = place(new QPushButton(QStringLiteral("Browse"), this), ControlKind::CommandButton,
                             7200, top, 1200, 315);
        browse->setEnabled(false); // picking files arrives with the voice keyer's own setup
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
    txtPHLoop = place(new KeyField(this), ControlKind::TextBox, 6240, 240, 720, 315);
    txtPHLoop->setText(QStringLiteral("0"));

    place(new QLabel(QStringLiteral("Serial Port (0 = none)"), this), ControlKind::Label, 240, 4140, 2000, 255);
    Text10 = place(new KeyField(this), ControlKind::TextBox, 2280, 4080, 720, 315);
    Text10->setText(QStringLiteral("0"));
    Frame1 = place(new QGroupBox(QStringLiteral("PTT Line"), this), ControlKind::Frame, 3240, 3960, 3480, 720);
    Option1 = place(new QRadioButton(QStringLiteral("RTS"), Frame1), ControlKind::OptionButton, 120, 300, 960, 255);
    Option2 = place(new QRadioButton(QStringLiteral("DTR"), Frame1), ControlKind::OptionButton, 1200, 300, 960, 255);
    Option3 = place(new QRadioButton(QStringLiteral("Parallel"), Frame1), ControlKind::OptionButton, 2280, 300, 1080, 255);
    Option1->setChecked(true);
    place(new QLabel(QStringLiteral("Parallel"), this), ControlKind::Label, 6960, 4140, 720, 255);
    Text11 = place(new KeyField(this), ControlKind::TextBox, 7680, 4080, 960, 315);
    Text11->setText(QStringLiteral("&H378"));

    auto* caution = place(new QLabel(QStringLiteral("Caution, RF feedback can damage your PC!"), this),
                          ControlKind::Label, 240, 4920, 4800, 255);
    caution->setStyleSheet(QStringLiteral("color: red"));
    Command11 = place(new QPushButton(QStringLiteral("Test"), this), ControlKind::CommandButton, 5400, 5400, 1095, 375);
    place(new QLabel(QStringLiteral("Plays F1 Command"), this), ControlKind::Label, 3600, 5460, 1680, 255);
    Command11->setEnabled(false); // playing arrives with the voice keyer
    Command1 = place(new QPushButton(QStringLiteral("Done"), this), ControlKind::CommandButton, 6720, 5400, 1095, 375);
    connect(Command1, &QPushButton::clicked, this, &QWidget::hide);

    Timer1.setInterval(40);
    tmrRepeat.setSingleShot(true);
    tmrRepeat.setInterval(0);
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
        tmrRepeat.setInterval(*interval);
    Text11->setText(settings.parallelAddress);
}
