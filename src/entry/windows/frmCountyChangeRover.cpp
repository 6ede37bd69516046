#include "entry/windows/frmCountyChangeRover.h"

#include "core/AppState.h"
#include "core/forms/FormScaler.h"
#include "entry/Scoring.h"
#include "entry/windows/FieldCompletion.h"
#include "entry/windows/InvalidLabel.h"
#include "platform/Services.h"

#include <QCloseEvent>
#include <QMouseEvent>

frmCountyChangeRover::frmCountyChangeRover(const WindowContext& context)
    : Form(context, QStringLiteral("County Change for Rovers"), 3615, 3105)
{
    setWindowFlags(Qt::Dialog);
    Label1 = place(new QLabel(QStringLiteral("Please enter your current counties.  Click on listed counties to remove."), this),
                   ControlKind::Label, 480, 120, 2775, 495);
    Label1->setWordWrap(true);
    List1 = place(new SortedListBox(this), ControlKind::ListBox, 480, 720, 2775, 840);
    Text1 = place(new KeyField(this), ControlKind::TextBox, 480, 1680, 1575, 285);
    Label2 = place(new QLabel(QStringLiteral("   Invalid!"), this), ControlKind::Label, 2520, 1680, 735, 255, 8.25f);
    controlFor(Label2)->FontName = QStringLiteral("Arial");
    styleInvalidLabel(Label2);
    Label3 = place(new QLabel(QStringLiteral("Type the county and the press enter to add to the list."), this),
                   ControlKind::Label, 480, 2040, 2895, 495);
    Label3->setWordWrap(true);
    Command1 = place(new QPushButton(QStringLiteral("&Done"), this), ControlKind::CommandButton, 1200, 2640, 1215, 375);
    setTabOrder(Text1, Command1);
    setTabOrder(Command1, List1);
    Text1->keyPress = [this](int& k) { Text1_KeyPress(k); };
    Text1->gotFocus = [this] { Text1->selectAll(); };
    // A click on an entry, or moving the selection with the keys, removes that entry.
    List1->viewport()->installEventFilter(this);
    connect(List1, &SortedListBox::selectionMovedByKey, this, &frmCountyChangeRover::List1_Click);
    connect(Command1, &QPushButton::clicked, this, &frmCountyChangeRover::Command1_Click);
}

void frmCountyChangeRover::Form_Load()
{
    if (!m_scaled) {
        LocalScaling scaling;
        scaling.windowFont = LocalScaling::WindowFont::NewWidthRatio;
        scaling.controlFont = LocalScaling::ControlFont::WidthFactorCapped;
        scaling.scaledKinds = {ControlKind::CheckBox, ControlKind::ListView, ControlKind::Image,
                               ControlKind::OptionButton, ControlKind::Frame, ControlKind::ListBox,
                               ControlKind::CommandButton, ControlKind::TextBox, ControlKind::Label};
        scaling.fontKinds = {ControlKind::CheckBox, ControlKind::ListView, ControlKind::OptionButton,
                             ControlKind::Frame, ControlKind::ListBox, ControlKind::CommandButton,
                             ControlKind::TextBox, ControlKind::Label};
        ScaleFormLocally(*this, scaling);
        Text1->setText(context().state.station.OwnCounty);
        m_scaled = true;
    }
}

void frmCountyChangeRover::Text1_KeyPress(int& KeyAscii)
{
    AppState& state = context().state;
    if (KeyAscii != 13) {
        completeCountyKey(*Text1, state.tables, KeyAscii);
        return;
    }
    KeyAscii = 0;
    Label2->hide();
    state.entry.CountyInvalid = isCountyAbbreviation(state.tables, Text1->text()) ? 0 : 1;
    if (state.entry.CountyInvalid == 1) {
        context().services.beeper->beep();
        Label2->show();
        Text1->setFocus();
        return;
    }
    List1->AddItem(Text1->text());
    Text1->clear();
}

bool frmCountyChangeRover::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == List1->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (QListWidgetItem* item = List1->itemAt(mouse->position().toPoint())) {
            List1->setCurrentItem(item);
            List1_Click();
            return true;
        }
    }
    return Form::eventFilter(watched, event);
}

void frmCountyChangeRover::List1_Click()
{
    const int row = List1->currentRow();
    if (row < 0)
        return;
    List1->RemoveItem(row);
    Command1->setFocus();
}

void frmCountyChangeRover::Command1_Click()
{
    if (List1->ListCount() > 0)
        Q_EMIT countyInUseChosen(List1->List(0));
    hide();
}

QStringList frmCountyChangeRover::counties() const
{
    QStringList list;
    for (int i = 0; i < List1->ListCount(); ++i)
        list << List1->List(i);
    return list;
}

void frmCountyChangeRover::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    // Each showing starts in the county field, first in the focus order, so the counties a
    // rover types at once reach the list.
    Text1->setFocus(Qt::OtherFocusReason);
}

void frmCountyChangeRover::closeEvent(QCloseEvent* event)
{
    // Closed other than by "&Done": the list is discarded with the window.
    Form::closeEvent(event);
    deleteLater();
}
