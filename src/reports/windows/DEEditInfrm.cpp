#include "reports/windows/DEEditInfrm.h"

#include "core/AppState.h"
#include "entry/Scoring.h"
#include "entry/windows/FieldCompletion.h"

DEEditInfrm::DEEditInfrm(const WindowContext& context, qint32 EditEntryIndex, std::function<void()> deleteContact)
    : EditContactForm(context, 3450, 4950, EditEntryIndex, std::move(deleteContact))
{
    const QString invalid = QStringLiteral("   Invalid!");
    txtEditCall = addRow(1, "Callsign", &LogEntry::Call, false);
    txtEditCk = addRow(2, "Rst(R)", &LogEntry::RstRcvd, false);
    txtEditSec = addRow(3, "County", &LogEntry::County, false);
    Label7 = addMarker(3, invalid);
    txtEditNum = addRow(4, "Rst(S)", &LogEntry::RstSent, false);
    txtEditPre = addRow(5, "SPC", &LogEntry::Spc, false);
    Label2 = addMarker(5, invalid);
    txtEditDate = addRow(6, "Date", &LogEntry::Date, false);
    txtEditTime = addRow(7, "Time", &LogEntry::Time, false);
    txtEditBnd = addRow(8, "Mode", &LogEntry::Mode, false);
    Label3 = addMarker(8, invalid);
    Text1 = addRow(9, "Band", &LogEntry::Band, false);
    Label6 = addMarker(9, invalid);
    Text3 = addRow(10, "County Sent", &LogEntry::CountySent, false, 2160, 1320);
    Label9 = addMarker(10, invalid);
    finishLayout(4560);
    txtEditSec->keyPress = [this](int& k) { txtEditSec_KeyPress(k); };
    txtEditSec->pasteInCapitals();
    Text3->pasteInCapitals();
    txtEditPre->keyPress = [this](int& k) { txtEditPre_KeyPress(k); };
    Text3->keyPress = [this](int& k) { Text3_KeyPress(k); };
    txtEditSec->validate = [this] { return txtEditSec_LostFocus(); };
    Text3->validate = [this] { return Text3_LostFocus(); };
}

void DEEditInfrm::txtEditSec_KeyPress(int& KeyAscii) { countyKeyPress(txtEditSec, KeyAscii); }

void DEEditInfrm::Text3_KeyPress(int& KeyAscii) { countyKeyPress(Text3, KeyAscii); }

void DEEditInfrm::txtEditPre_KeyPress(int& KeyAscii)
{
    if (!commonKeyStart(KeyAscii) || isShortcut(KeyAscii))
        return;
    if (txtEditPre->text().isEmpty() || txtEditPre->selStart() == 0) {
        txtEditPre->clear();
        Cap2(KeyAscii);
    }
    const ReferenceTables& tables = context().state.tables;
    completeCountryField(*txtEditPre, tables, KeyAscii);
}

bool DEEditInfrm::txtEditSec_LostFocus() { return countyLostFocus(txtEditSec, Label7, true); }

bool DEEditInfrm::Text3_LostFocus() { return countyLostFocus(Text3, Label9, false); }

std::vector<EditContactForm::Check> DEEditInfrm::doneChecks()
{
    std::vector<Check> checks = EditContactForm::doneChecks();
    checks.insert(checks.begin() + 2, {txtEditSec, [this] { return txtEditSec_LostFocus(); }});
    checks.push_back({Text3, [this] { return Text3_LostFocus(); }});
    return checks;
}

void DEEditInfrm::beforeDoneChecks()
{
    if (txtEditPre->text().size() < 3)
        txtEditPre->setText(txtEditPre->text().toUpper());
}

bool DEEditInfrm::finalDoneTest()
{
    const QString spc = txtEditPre->text();
    const bool valid = spc.size() != 2 || unchanged(txtEditPre)
        || isStateProvAbbreviation(context().state.stateProv, spc);
    if (valid) {
        Label2->hide();
        return true;
    }
    Label2->show();
    beep();
    return false;
}
