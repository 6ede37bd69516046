#include "entry/windows/frmCountyChange.h"

#include "core/AppState.h"
#include "core/Preferences.h"
#include "core/forms/FormScaler.h"
#include "core/forms/Navigation.h"
#include "entry/Scoring.h"
#include "entry/windows/FieldCompletion.h"
#include "entry/windows/InvalidLabel.h"
#include "entry/windows/frmCountyChangeRover.h"
#include "platform/Services.h"

frmCountyChange::frmCountyChange(const WindowContext& context)
    : Form(context, QStringLiteral("County Change"), 3210, 1995)
{
    setWindowFlags(Qt::Dialog);
    Label1 = place(new QLabel(QStringLiteral("Please enter your current county:"), this), ControlKind::Label,
                   120, 120, 3375, 255);
    Text1 = place(new KeyField(this), ControlKind::TextBox, 720, 600, 1575, 285);
    Label2 = place(new QLabel(QStringLiteral("   Invalid!"), this), ControlKind::Label, 2400, 600, 735, 255, 8.25f);
    controlFor(Label2)->FontName = QStringLiteral("Arial");
    styleInvalidLabel(Label2);
    cmdMultipleCounties = place(new QPushButton(QStringLiteral("&Rovers on County Lines Click to Add Multiple Counties"), this),
                                ControlKind::CommandButton, 240, 960, 2775, 495);
    Command1 = place(new QPushButton(QStringLiteral("Done"), this), ControlKind::CommandButton, 960, 1560, 1215, 375);
    setTabOrder(Text1, Command1);
    Text1->keyPress = [this](int& k) { Text1_KeyPress(k); };
    Text1->gotFocus = [this] { Text1->selectAll(); };
    Text1->validate = [this] { return Text1_LostFocus(); };
    connect(Command1, &QPushButton::clicked, this, &frmCountyChange::Command1_Click);
    connect(cmdMultipleCounties, &QPushButton::clicked, this, &frmCountyChange::cmdMultipleCounties_Click);
}

void frmCountyChange::Form_Load()
{
    LocalScaling scaling;
    scaling.windowFont = LocalScaling::WindowFont::NewWidthRatio;
    scaling.controlFont = LocalScaling::ControlFont::WidthFactorCapped;
    scaling.scaledKinds = {ControlKind::Image, ControlKind::OptionButton, ControlKind::Frame,
                           ControlKind::ListBox, ControlKind::CommandButton, ControlKind::TextBox,
                           ControlKind::Label};
    scaling.fontKinds = {ControlKind::OptionButton, ControlKind::Frame, ControlKind::ListBox,
                         ControlKind::CommandButton, ControlKind::TextBox, ControlKind::Label};
    ScaleFormLocally(*this, scaling);
    Text1->setText(context().state.station.OwnCounty);
}

void frmCountyChange::Text1_KeyPress(int& KeyAscii)
{
    if (KeyAscii == 13) {
        KeyAscii = 0;
        Command1_Click();
        return;
    }
    completeCountyKey(*Text1, context().state.tables, KeyAscii);
}

bool frmCountyChange::Text1_LostFocus()
{
    AppState& state = context().state;
    Label2->hide();
    state.entry.CountyInvalid = isCountyAbbreviation(state.tables, Text1->text()) ? 0 : 1;
    if (state.entry.CountyInvalid == 0)
        return true;
    context().services.beeper->beep();
    Label2->show();
    return false;
}

void frmCountyChange::Command1_Click()
{
    // Only a county of the table can become the county every contact sends. Leaving the
    // field has already beeped when the label shows.
    AppState& state = context().state;
    if (!isCountyAbbreviation(state.tables, Text1->text())) {
        state.entry.CountyInvalid = 1;
        if (Label2->isHidden()) {
            context().services.beeper->beep();
            Label2->show();
        }
        Text1->setFocus();
        return;
    }
    state.entry.CountyInvalid = 0;
    context().state.station.OwnCounty = Text1->text();
    SavePrefFile(context().state, context().services.fileWriter.get());
    hide();
}

void frmCountyChange::cmdMultipleCounties_Click()
{
    frmCountyChangeRover& rover = context().navigation.countyChangeRover();
    const QMetaObject::Connection chosen =
        connect(&rover, &frmCountyChangeRover::countyInUseChosen, this, &frmCountyChange::showCounty);
    rover.Form_Load();
    rover.showModal();
    disconnect(chosen);
    Command1_Click();
}

void frmCountyChange::showCounty(const QString& county) { Text1->setText(county); }
