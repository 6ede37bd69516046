// The keys of the window and its entry fields: the hot keys, the keyers' keys and keyboard
// CW that the window sees first; moving on, carrying a key to the next field, the
// type-ahead and the possible duplicates as the call is typed.

#include "mainwindow/MainForm.h"

#include "core/AppState.h"
#include "core/KeyFilters.h"
#include "core/forms/FormScaler.h"
#include "core/forms/Navigation.h"
#include "core/forms/Sessions.h"
#include "core/forms/WindowContext.h"
#include "entry/CallSigns.h"
#include "entry/DateTimeText.h"
#include "entry/DupeRules.h"
#include "entry/windows/FieldCompletion.h"
#include "keying/KeyerSession.h"
#include "keying/WinKeyDevice.h"
#include "keying/windows/CWFrm.h"
#include "keying/windows/PhoneFrm.h"
#include "mainwindow/LabelColors.h"
#include "platform/Colors.h"
#include "platform/Services.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace {

constexpr int KeyF1 = 112;
constexpr int KeyF9 = 120;
constexpr int KeyF10 = 121;
constexpr int KeyF12 = 123;
constexpr int KeyF13 = 124; // F10 reaches the CW keyer as this
constexpr int KeyUp = 38;
constexpr int KeyDown = 40;
constexpr int CtrlAlone = 2;
constexpr quint32 KeyboardCwColor = 0xC0FFFF;

// Ctrl+V, Ctrl+X and Ctrl+Z as their key presses come.
bool isEditingShortcut(int KeyAscii) { return KeyAscii == 22 || KeyAscii == 24 || KeyAscii == 26; }

KeyerSession& keyerOf(const WindowContext& context) { return *context.sessions.keyer; }

bool modeIs(const AppState& state, const char* mode)
{
    return state.station.CurrentMode.compare(QLatin1String(mode), Qt::CaseInsensitive) == 0;
}

} // namespace

void MainForm::Form_KeyDown(int& KeyCode, int Shift)
{
    const AppState& state = context().state;
    if (Shift == CtrlAlone) {
        // Keeps the control character of the combination out of the fields.
        SuppressNextKeyPress = 1;
        if (openHotKeyWindow(KeyCode)) {
            KeyCode = 0;
            return;
        }
    }
    stopRepeats();
    if (modeIs(state, "PH")) {
        if (KeyCode == KeyF10)
            KeyCode = 0;
        else if (KeyCode >= KeyF1 && KeyCode <= KeyF9)
            keyerOf(context()).FKeyPhone(KeyCode);
        return;
    }
    if (modeIs(state, "CW") && keyerOf(context()).keysCw())
        cwKeyDown(KeyCode);
}

bool MainForm::openHotKeyWindow(int KeyCode)
{
    Navigation& navigation = context().navigation;
    switch (KeyCode) {
    case 'B': spotArea->lblDX_DblClick(); return true;
    case 'C':
    case 'S': navigation.cwFrm().showModeless(); return true;
    case 'F': navigation.showPrivileges(); return true;
    case 'G': navigation.showRigTune(); return true;
    case 'P': navigation.phoneFrm().showModeless(); return true;
    case 'D': navigation.showSpotting(); return true;
    case 'R': navigation.showRigInterface(); return true;
    default: return false;
    }
}

// Any key ends the F1 repeats: the rest of the CW message is dropped and the timers
// stopped; a voice message that plays goes on to its end.
void MainForm::stopRepeats() { keyerOf(context()).stopRepeats(); }

void MainForm::cwKeyDown(int& KeyCode)
{
    KeyerSession& keyer = keyerOf(context());
    if (KeyCode == KeyDown || KeyCode == KeyUp) {
        keyer.stepSpeed(KeyCode == KeyUp ? 1 : -1);
        setDialog(keyer.wordsPerMinute() + QStringLiteral(" WPM"));
        KeyCode = 0;
        return;
    }
    if (KeyCode < KeyF1 || KeyCode > KeyF12)
        return;
    if (KeyCode == KeyF10)
        KeyCode = KeyF13;
    if (KeyCode != KeyF12) {
        keyer.FKeyCW(KeyCode);
        return;
    }
    KeyerState& state = context().state.keyer;
    state.KeyboardCWMode = state.KeyboardCWMode == 0 ? 1 : 0;
    setDialog(state.KeyboardCWMode == 1 ? m_profile.keyboardCwMessage : QString());
    setDialogColor(state.KeyboardCWMode == 1 ? KeyboardCwColor : DialogNormalColor);
}

void MainForm::Form_KeyPress(int& KeyAscii)
{
    if (SuppressNextKeyPress == 1) {
        SuppressNextKeyPress = 0;
        // Paste, cut and undo type no control character: the box's shortcuts stay.
        if (!isEditingShortcut(KeyAscii)) {
            KeyAscii = 0;
            return;
        }
    }
    if (KeyAscii == 39 || KeyAscii == 34) {
        KeyAscii = 0;
        return;
    }
    KeyerState& keyer = context().state.keyer;
    if (KeyAscii == 27 && modeIs(context().state, "PH")) {
        // The first Esc stops the voice message; the watch then releases the transmitter.
        if (keyerOf(context()).stopVoiceMessage()) {
            KeyAscii = 0;
            return;
        }
    }
    if (KeyAscii == 27) {
        // The keyer device still sending: Esc stops it and drops what waits.
        if (keyerOf(context()).stopDeviceSending()) {
            KeyAscii = 0;
            return;
        }
        // While CW goes out on a line, Esc stops it after the character being keyed; else
        // it clears.
        if (keyer.CWSending == 0)
            ClearEntry();
        else
            keyer.CWBuffer.clear();
        KeyAscii = 0;
        return;
    }
    keyerOf(context()).winKey().readStatus();
    if (keyer.KeyboardCWMode == 1)
        keyboardCwKey(KeyAscii);
}

// A key typed with keyboard CW on goes to the keyer, not to the field: Backspace takes back
// the last character still waiting, and the first character starts the sending.
void MainForm::keyboardCwKey(int& KeyAscii)
{
    KeyerState& keyer = context().state.keyer;
    if (KeyAscii == 8 && keyer.WinKeyStatus > 0) {
        // The device takes back the last character it has not sent yet.
        if (keyer.WinKeyOpen != 0)
            keyerOf(context()).winKey().device().wk_backspace();
        KeyAscii = 0;
        return;
    }
    if (KeyAscii == 8 && keyer.CWSending == 1 && !keyer.CWBuffer.isEmpty()) {
        keyer.CWBuffer.chop(1);
        KeyAscii = 0;
        return;
    }
    if (!modeIs(context().state, "CW"))
        return;
    KeyToUpper(KeyAscii);
    keyer.CWBuffer += QChar(char16_t(KeyAscii));
    KeyAscii = 0;
    if (keyer.CWSending == 0)
        keyerOf(context()).LoopThroughCWBuffer();
}

QString MainForm::callFieldText() const { return txtCall->text(); }

void MainForm::setDialogCaption(const QString& caption) { lblDialog->setText(caption); }

void MainForm::txtCall_KeyPress(int& KeyAscii)
{
    AppState& state = context().state;
    const QString call = txtCall->text();
    const double dupeFont =
        9.0 * screen().sizeTwips().width() / ReferenceScreenWidth * state.station.FormSizePercent / 100.0;
    if (dupeFont > 0) {
        QFont font = lblDupe->font();
        font.setPointSizeF(dupeFont);
        lblDupe->setFont(font);
    }
    if (call.size() < 2 && (KeyAscii != 13 || m_profile.enterResetsShortCall)) {
        txtCntry->clear();
        for (QLabel* l : {Label19, Label22, Label23})
            l->clear();
    }
    if (KeyAscii == 34)
        KeyAscii = 0;
    const bool digit = KeyAscii >= '0' && KeyAscii <= '9';
    if (digit && isCompleteCall(call) && txtCall->selStart() >= call.size()) {
        state.entry.CarriedKey = QString::number(KeyAscii);
        state.entry.CarryTarget = CarryField::ReportReceived;
        txtRSTR->setFocus();
        txtRSTR_KeyPress(KeyAscii);
        KeyAscii = 0;
    }
    if (call.size() < 3 && (KeyAscii != 13 || m_profile.enterResetsShortCall) && state.clock.TimedOn == 1)
        setDialog(QStringLiteral(" "));
    if (state.clock.TimedOn == 0) {
        setDialog(QStringLiteral("Click Log \"Time On\"!"));
        beep();
    }
    if (KeyAscii == 13) {
        KeyAscii = 0;
        Mains();
        return; // the possible-duplicates line would wipe Mains' own message
    }
    if (KeyAscii == 32 && state.entry.CarryTarget != CarryField::ReportReceived) {
        KeyAscii = 0;
        txtRSTR->setFocus();
    }
    KeyToUpper(KeyAscii);
    ListPossibleDupes(KeyAscii);
}

bool MainForm::takeCarriedKey(int& KeyAscii, CarryField target)
{
    EntryFlags& entry = context().state.entry;
    if (entry.CarryTarget != target)
        return false;
    KeyAscii = entry.CarriedKey.toInt();
    return true;
}

void MainForm::finishCarry(KeyField* field, int KeyAscii, CarryField target)
{
    EntryFlags& entry = context().state.entry;
    if (entry.CarryTarget != target)
        return;
    field->setText(QString(QChar(char16_t(KeyAscii))));
    field->setCursorPosition(1);
    entry.CarryTarget = CarryField::None;
}

void MainForm::carryTo(int& KeyAscii, CarryField target)
{
    EntryFlags& entry = context().state.entry;
    entry.CarriedKey = QString::number(KeyAscii);
    entry.CarryTarget = target;
}

void MainForm::txtRSTR_KeyPress(int& KeyAscii)
{
    if (KeyAscii > 57) {
        carryTo(KeyAscii, CarryField::AfterReportReceived);
        carryFromReportReceived(KeyAscii);
        KeyAscii = 32;
    }
    takeCarriedKey(KeyAscii, CarryField::ReportReceived);
    if (KeyAscii == 13) {
        KeyAscii = 0;
        Mains();
        return;
    }
    if (KeyAscii == 32)
        fieldAfterReportReceived()->setFocus();
    KeyDigitsOnly(KeyAscii);
    finishCarry(txtRSTR, KeyAscii, CarryField::ReportReceived);
}

void MainForm::txtRSTS_KeyPress(int& KeyAscii)
{
    if (carryFromReportSent(KeyAscii))
        return;
    takeCarriedKey(KeyAscii, CarryField::ReportSent);
    if (KeyAscii == 13) {
        KeyAscii = 0;
        Mains();
        return;
    }
    if (KeyAscii == 32) {
        // One Tab to the window, taken once this key is done.
        QCoreApplication::postEvent(txtRSTS, new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
    }
    KeyDigitsOnly(KeyAscii);
    finishCarry(txtRSTS, KeyAscii, CarryField::ReportSent);
}

void MainForm::txtSec_KeyPress(int& KeyAscii)
{
    AppState& state = context().state;
    if (KeyAscii == 34)
        KeyAscii = 0;
    if (KeyAscii >= '0' && KeyAscii <= '9') {
        carryTo(KeyAscii, CarryField::ReportSent);
        txtRSTS_KeyPress(KeyAscii);
        KeyAscii = 32;
    }
    // The county field takes the key carried from the report received where it comes next.
    const bool carriedHere = fieldAfterReportReceived() == txtSec;
    if (carriedHere)
        takeCarriedKey(KeyAscii, CarryField::AfterReportReceived);
    if (KeyAscii == 13) {
        KeyAscii = 0;
        Mains();
        return;
    }
    const QString text = txtSec->text();
    const int p = txtSec->selStart();
    if (KeyAscii == 32) {
        if (p >= text.size() || text[p] != QLatin1Char(' ')) {
            KeyAscii = 0;
            txtRSTS->setFocus();
        }
    }
    if (KeyAscii != 32 && KeyAscii > 0 && p == 0)
        txtSec->clear();
    KeyToUpper(KeyAscii);
    if (completeCountyField(*txtSec, state.tables, SearchFrom::FirstEntry, KeyAscii) > 0 && carriedHere)
        state.entry.CarryTarget = CarryField::None;
    if (carriedHere)
        finishCarry(txtSec, KeyAscii, CarryField::AfterReportReceived);
}

void MainForm::txtSec_GotFocus() { fieldPrompt(QStringLiteral("County")); }

void MainForm::fieldPrompt(const QString& name)
{
    if (context().state.station.VoiceNavigationLevel == 2)
        prompt(name);
}

void MainForm::ListPossibleDupes(int KeyAscii)
{
    const AppState& state = context().state;
    setDialogColor(DialogNormalColor);
    resetDupeLine();
    const QString typed = txtCall->text() + (KeyAscii > 0 ? QString(QChar(char16_t(KeyAscii))) : QString());
    const bool listable = KeyAscii > 45 && KeyAscii < 91;
    QString list;
    if (listable && PartialDupesOn == 1) {
        list = possibleDupesList(state, typed, m_profile.inState, state.station.OwnCounty);
        setBackground(lblDupe, list.isEmpty() ? ColorButtonFace : DialogNormalColor);
        lblDupe->setText(list);
    }
    if (!list.isEmpty() && txtCall->text().size() > 2)
        setDialog(QStringLiteral("Possible Duplicate!"));
    else if (state.clock.TimedOn == 1)
        setDialog(QStringLiteral(" "));
    if (typed.size() == 3 && listable) {
        if (callFormatLooksRight(typed)) {
            setDialog(QStringLiteral(" "));
        } else {
            beep();
            setDialog(QStringLiteral("The second or third character is not numeric!"));
        }
    }
}

void MainForm::txtCall_GotFocus()
{
    cmdEdit->hide();
    cmdDelete->hide();
    if (txtCall->text().isEmpty()) {
        txtRSTS->clear();
        txtRSTR->clear();
    }
    if (context().state.station.VoiceNavigationLevel != 0)
        prompt(QStringLiteral("Call"));
    if (txtCall->text().isEmpty() && logModel->rowCount() < m_log.count()
        && logModel->rowCount() < 18)
        RefreshLogList();
}

void MainForm::txtCall_Change() { context().state.keyer.CWCall = txtCall->text(); }

void MainForm::txtRSTS_Change() { context().state.keyer.CWSentRST = txtRSTS->text(); }

void MainForm::txtCall_LostFocus()
{
    if (txtCall->text().isEmpty())
        return;
    DupCheck2();
    fillDefaultReports();
    callLeft();
}

void MainForm::mnuPostContest_Click()
{
    // The menu item's tick has already changed: it says whether the mode is now on.
    const bool on = !txtPostConTime->isVisible() && !txtPostConTime->isVisibleTo(this);
    mnuPostContest->setChecked(on);
    for (QWidget* w : std::initializer_list<QWidget*>{lblPostConTime, txtPostConTime, lblPostConDate, txtPostConDate})
        w->setVisible(on);
}

void MainForm::postContestKeyPress(KeyField* field, int& KeyAscii, int lowest, int highest)
{
    if (KeyAscii == 32) {
        KeyAscii = 0;
        QCoreApplication::postEvent(field, new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
        return;
    }
    if (KeyAscii == 13) {
        KeyAscii = 0;
        Mains();
        return;
    }
    if (KeyAscii != 8 && (KeyAscii < lowest || KeyAscii > highest))
        KeyAscii = 0;
}
