#include "keying/windows/BlindFrm.h"

#include "core/AppState.h"
#include "core/WorkFiles.h"
#include "platform/Services.h"

BlindFrm::BlindFrm(const WindowContext& context)
    : Form(context, QStringLiteral("Voice Navigation Settings"), 4200, 2400)
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    Frame1 = place(new QGroupBox(QStringLiteral("Choose your preferred option:"), this), ControlKind::Frame,
                   240, 120, 3720, 1440);
    Option1 = place(new QRadioButton(QStringLiteral("Off"), Frame1), ControlKind::OptionButton, 240, 300, 3000, 255);
    Option2 = place(new QRadioButton(QStringLiteral("Call Only"), Frame1), ControlKind::OptionButton, 240, 660, 3000, 255);
    Option3 = place(new QRadioButton(QStringLiteral("All Data Fields"), Frame1), ControlKind::OptionButton, 240, 1020, 3000, 255);
    Command1 = place(new QPushButton(QStringLiteral("Done"), this), ControlKind::CommandButton, 1560, 1800, 1095, 375);
    connect(Command1, &QPushButton::clicked, this, &QWidget::hide);
    MMControl1 = context.services.makeWavePlayer();
}

void BlindFrm::BlindKeyPhone(const QString& q)
{
    MMControl1->close();
    const QString file = workPath(context().state.folders, q + QStringLiteral(".wav"));
    if (q.trimmed().isEmpty())
        return;
    if (MMControl1->open(file))
        MMControl1->play();
}
