#include "core/windows/Form6.h"

#include "core/AppState.h"
#include "core/forms/FormScaler.h"
#include "platform/Colors.h"
#include "platform/Services.h"

Form6::Form6(const WindowContext& context)
    : Form(context, QStringLiteral(" Modify Multiplier Color Selections"), 5595, 2115)
{
    setWindowFlags(Qt::Dialog);
    Command1 = place(new QPushButton(QStringLiteral("Change \"Remaining\" Color"), this),
                     ControlKind::CommandButton, 120, 120, 2535, 495);
    Command3 = place(new QPushButton(QStringLiteral("Change \"Worked\" Color"), this),
                     ControlKind::CommandButton, 2880, 120, 2535, 495);
    Command6 = place(new QPushButton(QStringLiteral("Done"), this), ControlKind::CommandButton, 2160, 1680, 1095, 375);
    Label2 = place(new QLabel(QStringLiteral("Appearance of multiplier remaining"), this), ControlKind::Label,
                   480, 840, 1935, 495, 9);
    Label1 = place(new QLabel(QStringLiteral("Appearance of multiplier worked"), this), ControlKind::Label,
                   3240, 840, 1935, 495, 9);
    for (QLabel* label : {Label1, Label2}) {
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(true);
        controlFor(label)->FontName = QStringLiteral("Arial");
    }
    addLine(2760, 0, 2760, 1440);
    addLine(120, 1440, 5520, 1440);
    connect(Command1, &QPushButton::clicked, this, &Form6::Command1_Click);
    connect(Command3, &QPushButton::clicked, this, &Form6::Command3_Click);
    connect(Command6, &QPushButton::clicked, this, &Form6::Command6_Click);
}

void Form6::Form_Load()
{
    LocalScaling scaling;
    scaling.controlFont = LocalScaling::ControlFont::WidthFactor;
    scaling.scaledKinds = {ControlKind::Image, ControlKind::CheckBox, ControlKind::ListBox,
                           ControlKind::CommandButton, ControlKind::TextBox, ControlKind::Label};
    scaling.fontKinds = {ControlKind::CheckBox, ControlKind::ListBox, ControlKind::CommandButton,
                         ControlKind::TextBox, ControlKind::Label};
    ScaleFormLocally(*this, scaling);
    const StationData& s = context().state.station;
    showSample(Label1, s.WorkedColor);
    showSample(Label2, s.RemainingColor);
}

void Form6::showSample(QLabel* sample, qint32 color)
{
    QPalette palette = sample->palette();
    palette.setColor(QPalette::WindowText, qcolorFromColorValue(quint32(color)));
    sample->setPalette(palette);
}

void Form6::chooseColor(qint32& color, QLabel* sample)
{
    const auto chosen = context().services.dialogs->chooseColor(quint32(color));
    if (!chosen)
        return;
    color = qint32(*chosen);
    showSample(sample, color);
}

void Form6::Command1_Click() { chooseColor(context().state.station.RemainingColor, Label2); }

void Form6::Command3_Click() { chooseColor(context().state.station.WorkedColor, Label1); }

void Form6::Command6_Click() { hide(); }
