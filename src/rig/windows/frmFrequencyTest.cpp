#include "rig/windows/frmFrequencyTest.h"

#include "core/forms/FormScaler.h"
#include "core/forms/Sessions.h"
#include "rig/RigSession.h"
#include "rig/RigTuning.h"

namespace {

QLabel* wrapped(QLabel* label)
{
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

} // namespace

frmFrequencyTest::frmFrequencyTest(const WindowContext& context)
    : Form(context, QStringLiteral("Test Change Frequency Function"), 7200, 4920), m_rig(*context.sessions.rig)
{
    FontSize = 8.25f;
    const auto label = [this](const QString& text, float top, float height) {
        return wrapped(place(new QLabel(text, this), ControlKind::Label, 240, top, 6720, height, 8.25f));
    };
    const FrequencyTestNotes& notes = frequencyTestNotes();
    label(notes.exampleNote, 120, 480);
    label(QStringLiteral("If your radio requires a hexidecimal format, please enter in the format of XX XX XX (using "
                         "spaces between each two digits) and click the Convert to Hex check box below."),
          660, 480);
    Text1 = place(new QLineEdit(notes.exampleCommand, this), ControlKind::TextBox, 240, 1260, 4200, 315,
                  8.25f);
    Command1 = place(new QPushButton(QStringLiteral("Send"), this), ControlKind::CommandButton, 4680, 1230, 1095, 375,
                     8.25f);
    Check1 = place(new QCheckBox(QStringLiteral("Convert to Hex"), this), ControlKind::CheckBox, 240, 1680, 2400, 285,
                   8.25f);
    label(notes.familiesNote, 2160, 480);
    Text2 = place(new QLineEdit(this), ControlKind::TextBox, 240, 2760, 2400, 315, 8.25f);
    Command2 = place(new QPushButton(QStringLiteral("Send"), this), ControlKind::CommandButton, 2880, 2730, 1095, 375,
                     8.25f);
    label(QStringLiteral("If you find a command that works for a radio not listed, please report it together with the "
                         "frequency in MHz that it names, so that the radio can be added."),
          3300, 480);
    connect(Command1, &QPushButton::clicked, this, &frmFrequencyTest::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmFrequencyTest::Command2_Click);
}

void frmFrequencyTest::Form_Load()
{
    LocalScaling scaling;
    scaling.controlFont = LocalScaling::ControlFont::WidthFactorCapped;
    scaling.scaledKinds = {ControlKind::Label,    ControlKind::TextBox, ControlKind::CommandButton,
                           ControlKind::CheckBox, ControlKind::Frame,   ControlKind::OptionButton};
    scaling.fontKinds = scaling.scaledKinds;
    ScaleFormLocally(*this, scaling);
    Text2->setText(QStringLiteral("28.475"));
}

void frmFrequencyTest::Command1_Click()
{
    const auto command = testCommandBytes(Text1->text(), Check1->isChecked());
    if (!command)
        return;
    // A closed port (a radio run through exchange files polls without one) takes nothing; no message.
    m_rig.send(*command);
}

void frmFrequencyTest::Command2_Click()
{
    const auto frequency = tuneFrequency(Text2->text());
    if (!frequency)
        return;
    float qChangeFreq = *frequency;
    m_rig.ChangeFrequency(qChangeFreq);
}
