#include "keying/windows/BlindFrm.h"

#include "core/AppState.h"
#include "core/Preferences.h"
#include "core/WorkFiles.h"
#include "core/forms/FormScaler.h"
#include "core/forms/Sessions.h"
#include "keying/KeyerSession.h"
#include "platform/EventWait.h"
#include "platform/Services.h"

#include <QCloseEvent>
#include <QPointer>
#include <QTimer>

namespace {

constexpr float TextLeft = 240;
constexpr float TextWidth = 6720;

QLabel* heading(QLabel* label)
{
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

QLabel* paragraph(QLabel* label)
{
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

void onSelected(QRadioButton* button, BlindFrm* form, void (BlindFrm::*handler)())
{
    QObject::connect(button, &QRadioButton::toggled, form, [form, handler](bool on) {
        if (on)
            (form->*handler)();
    });
}

} // namespace

BlindFrm::BlindFrm(const WindowContext& context)
    : Form(context, QStringLiteral("Voice Navigation Settings"), 7200, 5520),
      m_session(*context.sessions.keyer)
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    auto label = [this](const QString& text, float top, float height) {
        return place(new QLabel(text, this), ControlKind::Label, TextLeft, top, TextWidth, height);
    };
    heading(label(QStringLiteral("Background:"), 120, 255));
    paragraph(label(QStringLiteral("Once the navigation wave files are copied to this program's working directory "
                                   "and one of the options below is selected, a recorded voice names each data "
                                   "entry field as it receives the focus."),
                    420, 600));
    heading(label(QStringLiteral("To Enable Voice Navigation:"), 1080, 255));
    paragraph(label(QStringLiteral("The navigation wave files must be added to this program's working directory."),
                    1380, 420));
    Label7 = paragraph(label(QString(), 1860, 600));
    Label5 = paragraph(label(QStringLiteral("Choose one of the options below.  Select Off to turn the navigation "
                                            "function off, Call to indicate the Call field only and All Data Fields "
                                            "to provide verbal prompts through all the data fields."),
                             2520, 600));

    Frame1 = place(new QGroupBox(QStringLiteral("Choose your preferred option:"), this), ControlKind::Frame,
                   TextLeft, 3240, 3600, 1380);
    Option1 = place(new QRadioButton(QStringLiteral("Off"), Frame1), ControlKind::OptionButton, 240, 300, 3000, 255);
    Option2 = place(new QRadioButton(QStringLiteral("Call Only"), Frame1), ControlKind::OptionButton, 240, 660, 3000, 255);
    Option3 = place(new QRadioButton(QStringLiteral("All Data Fields"), Frame1), ControlKind::OptionButton, 240,
                    1020, 3000, 255);
    paragraph(label(QStringLiteral("Additional suggestions and ideas for supporting visually impaired hams are "
                                   "welcome and appreciated."),
                    4740, 420));
    Command1 = place(new QPushButton(QStringLiteral("Done"), this), ControlKind::CommandButton, 5865, 4980, 1095, 375);

    onSelected(Option1, this, &BlindFrm::Option1_Click);
    onSelected(Option2, this, &BlindFrm::Option2_Click);
    onSelected(Option3, this, &BlindFrm::Option3_Click);
    connect(Command1, &QPushButton::clicked, this, &BlindFrm::Command1_Click);

    // Sized to the screen and centred, every control with it, the fonts at most 1.5 times.
    LocalScaling scaling;
    scaling.controlFont = LocalScaling::ControlFont::WidthFactorCapped;
    scaling.scaledKinds = {ControlKind::Label, ControlKind::TextBox, ControlKind::CommandButton,
                           ControlKind::ListBox, ControlKind::Frame, ControlKind::OptionButton,
                           ControlKind::CheckBox};
    scaling.fontKinds = scaling.scaledKinds;
    ScaleFormLocally(*this, scaling);

    // A prompt that fails after it was asked for (the player's news comes later).
    connect(&m_session, &KeyerSession::promptProblem, this, &BlindFrm::tellSoundProblem);

    Label7->setText(QStringLiteral("Put the audio wave files in this program's working directory: ")
                    + context.state.folders.WorkingDirectory);
}

void BlindFrm::closeEvent(QCloseEvent* event)
{
    event->ignore();
}

void BlindFrm::Form_Load()
{
    switch (context().state.station.VoiceNavigationLevel) {
    case 0: Option1->setChecked(true); break;
    case 1: Option2->setChecked(true); break;
    case 2: Option3->setChecked(true); break;
    default: break; // no option stands for it
    }
}

void BlindFrm::BlindKeyPhone(const QString& q)
{
    // A new prompt cuts off the one still playing.
    m_session.closePrompt();
    if (q.trimmed().isEmpty())
        return;
    const QString file = workPath(context().state.folders, q + QStringLiteral(".wav"));
    tellSoundProblem(m_session.playPrompt(file));
}

bool BlindFrm::waitWhilePlaying()
{
    // The wait lets events run: the program may be closed meanwhile, this window with it.
    const QPointer<BlindFrm> self(this);
    m_session.waitForPrompt(); // a failure comes as the session's promptProblem
    return !self.isNull();
}

void BlindFrm::tellSoundProblem(const WaveProblem& problem)
{
    if (problem.kind != WaveProblem::Kind::Output || m_told)
        return;
    if (context().state.station.VoiceNavigationLevel == 0 && !isVisible())
        return;
    m_told = true;
    // After the prompt's caller is done: the box takes the focus, and the prompts ask for
    // theirs as a field takes it.
    QTimer::singleShot(0, this, [this, text = problem.text] {
        context().services.dialogs->messageBox(QStringLiteral("The spoken prompts cannot play: ") + text,
                                               QStringLiteral("Voice Navigation"));
    });
}

void BlindFrm::Option1_Click() { BlindKeyPhone(QStringLiteral("NavDis")); }

void BlindFrm::Option2_Click()
{
    BlindKeyPhone(QStringLiteral("NavEn"));
    if (waitWhilePlaying())
        BlindKeyPhone(QStringLiteral("Call"));
}

void BlindFrm::Option3_Click() { BlindKeyPhone(QStringLiteral("NavEn")); }

void BlindFrm::Command1_Click()
{
    quint8& level = context().state.station.VoiceNavigationLevel;
    level = 0;
    if (Option2->isChecked())
        level = 1;
    if (Option3->isChecked())
        level = 2;
    hide();
    SavePrefFile(context().state, context().services.fileWriter.get());
}
