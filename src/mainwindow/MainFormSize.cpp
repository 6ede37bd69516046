// The window's size: the share of the screen it covers, the taskbar layout and the lists'
// heights.

#include "mainwindow/MainForm.h"

#include "core/AppState.h"
#include "core/NumberFormat.h"
#include "core/Preferences.h"
#include "platform/Services.h"

namespace {

// The window's share of the screen: the controls and their fonts shrink by the fraction f.
void shrinkControls(std::vector<Control>& controls, float f)
{
    for (Control& c : controls) {
        switch (c.kind) {
        case ControlKind::ListBox: case ControlKind::ListView: case ControlKind::CommandButton:
        case ControlKind::TextBox: case ControlKind::Label:
            c.FontSize *= f;
            c.Height *= f;
            c.Left *= f;
            c.Top *= f;
            c.Width *= f;
            break;
        case ControlKind::Line:
            c.X1 *= f;
            c.X2 *= f;
            c.Y1 *= f;
            c.Y2 *= f;
            break;
        default:
            break;
        }
    }
}

} // namespace

void MainForm::mnuFormSize_Click()
{
    AppState& state = context().state;
    Dialogs& dialogs = *context().services.dialogs;
    const auto answer = dialogs.inputBox(
        QStringLiteral("Enter the % of the screen you would like the form to cover.  Try between 90 and 100 for "
                       "best results.  Values below 75 do not display well."),
        QStringLiteral("Please enter screen percentage."), QString::number(state.station.FormSizePercent));
    const auto value = answer ? parsePlainNumber(*answer) : std::nullopt;
    if (!value) {
        dialogs.messageBox(QStringLiteral("Please enter only numeric values."),
                           QStringLiteral("Numeric Values Required"));
        return;
    }
    const double clamped = std::clamp(*value, 30.0, 100.0);
    state.station.FormSizePercent = quint8(roundHalfEven(clamped));
    dialogs.messageBox(QStringLiteral("This program must be closed and restarted for this setting to take effect."),
                       QStringLiteral("For this setting to take effect please restart this program."));
    SavePrefFile(state, context().services.fileWriter.get());
}

void MainForm::mnuTaskbar_Click()
{
    AppState& state = context().state;
    StationData& s = state.station;
    if (s.FormSizePercent != 100) {
        mnuTaskbar->setChecked(s.TaskbarMode != 0);
        context().services.dialogs->messageBox(
            QStringLiteral("The form size must be set to 100% to use the taskbar display option."),
            QStringLiteral("Please set your form size to 100% to use this option."));
        return;
    }
    s.TaskbarMode = s.TaskbarMode == 0 ? 1 : 0;
    SavePrefFile(state, context().services.fileWriter.get());
    ApplyFullScreenLayout();
}

void MainForm::FitListHeights()
{
    const Control* line = controlFor(Line3);
    Control* first = controlFor(listAtLeft());
    first->Height = line->Y1 - first->Top;
    for (QWidget* list : std::initializer_list<QWidget*>{List2, countiesToGo})
        controlFor(list)->Height = first->Height;
    applyGeometry();
    applyGeometry2();
}

void MainForm::ApplyFormSizePercent()
{
    AppState& state = context().state;
    const float p = state.station.FormSizePercent;
    if (p < 30 || p > 100) {
        // A size no window can take (0 before the operator ever chose one): full size.
        state.station.FormSizePercent = 100;
        SavePrefFile(state, context().services.fileWriter.get());
        return;
    }
    const float f = p / 100.0f;
    const QSizeF screenSize = screen().sizeTwips();
    Width = float(p * screenSize.width() / 100.0);
    Height = float(p * screenSize.height() / 100.0);
    Left = float((screenSize.width() - Width) / 2);
    Top = float((screenSize.height() - Height) / 2);
    FontSize *= f;
    shrinkControls(controls(), f);
    FitListHeights();
    for (QTreeView* view : {ListView1, spotArea->txtDX}) {
        for (float& w : controlFor(view)->ColumnWidths)
            w *= f;
    }
    applyGeometry();
    applyGeometry2();
    show(); // below full size the window is visible before the log question
}

void MainForm::ApplyFullScreenLayout()
{
    const StationData& s = context().state.station;
    mnuTaskbar->setChecked(s.TaskbarMode != 0);
    if (s.FormSizePercent != 100)
        return;
    const float oldWidth = Width;
    const QRectF area = s.TaskbarMode == 1 ? screen().workAreaTwips() : QRectF(QPointF(0, 0), screen().sizeTwips());
    stretchTo(area);
    const float w = Width / oldWidth;
    for (float& width : controlFor(spotArea->txtDX)->ColumnWidths)
        width *= w;
    FitListHeights();
}

void MainForm::applyGeometry2()
{
    const int menuHeight = menuBar->sizeHint().height();
    menuBar->setGeometry(0, 0, width(), menuHeight);
    fitLogColumns();
}
