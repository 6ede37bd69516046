#include "core/windows/Form5.h"

#include "core/AppState.h"
#include "core/RecordFile.h"
#include "core/WorkFiles.h"
#include "core/forms/FormScaler.h"
#include "platform/DiskFile.h"

#include <QFile>
#include <QFontDatabase>

Form5::Form5(const WindowContext& context) : Form(context, QStringLiteral("Help Page"), 7725, 6000)
{
    Text1 = place(new QPlainTextEdit(this), ControlKind::TextBox, 240, 240, 7215, 4935);
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1->setStyleSheet(QStringLiteral("QPlainTextEdit { background-color: #e0e0e0; }"));
    // The help text is read, not edited; its tables are aligned with blanks, which only a
    // fixed-pitch font keeps in line.
    Text1->setReadOnly(true);
    Text1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    controlFor(Text1)->FontName = QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    Command1 = place(new QPushButton(QStringLiteral("Close"), this), ControlKind::CommandButton, 3315, 5400, 1095, 375);
    Command2 = place(new QPushButton(QStringLiteral("Command2"), this), ControlKind::CommandButton, 6000, 5400, 1095, 375);
    Command2->setVisible(false);
    connect(Command1, &QPushButton::clicked, this, &Form5::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form5::Command2_Click);
}

void Form5::Form_Load()
{
    LocalScaling scaling;
    scaling.controlFont = LocalScaling::ControlFont::Smaller;
    scaling.scaledKinds = {ControlKind::Image, ControlKind::ListBox, ControlKind::CommandButton,
                           ControlKind::TextBox, ControlKind::Label};
    scaling.fontKinds = {ControlKind::ListBox, ControlKind::CommandButton, ControlKind::TextBox,
                         ControlKind::Label};
    ScaleFormLocally(*this, scaling);
    Text1->clear();
    QFile file(workPath(context().state.folders, QStringLiteral("ReadTolvern.txt")));
    if (file.open(QIODevice::ReadOnly))
        Text1->setPlainText(QString::fromLatin1(file.readAll()));
}

void Form5::Command1_Click() { hide(); }

void Form5::Command2_Click()
{
    const QString path = workPath(context().state.folders, QStringLiteral("HelpPirow.txt"));
    DiskFile::replaceAtomically(path, [this](QIODevice& device) {
        RecordWriter writer(device);
        writer.text(Text1->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"))).endRecord();
        return writer.ok();
    });
}
