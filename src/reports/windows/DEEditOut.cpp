#include "reports/windows/DEEditOut.h"

DEEditOut::DEEditOut(const WindowContext& context, qint32 EditEntryIndex, std::function<void()> deleteContact)
    : EditContactForm(context, 3255, 4500, EditEntryIndex, std::move(deleteContact))
{
    const QString invalid = QStringLiteral("   Invalid!");
    txtEditCall = addRow(1, "Callsign", &LogEntry::Call, true);
    txtEditCk = addRow(2, "Rst(R)", &LogEntry::RstRcvd, true);
    txtEditPre = addRow(3, "County", &LogEntry::County, true);
    Label2 = addMarker(3, invalid);
    txtEditNum = addRow(4, "Rst(S)", &LogEntry::RstSent, true);
    txtEditDate = addRow(5, "Date", &LogEntry::Date, false);
    txtEditTime = addRow(6, "Time", &LogEntry::Time, false);
    txtEditBnd = addRow(7, "Mode", &LogEntry::Mode, false);
    Label3 = addMarker(7, invalid);
    Text1 = addRow(8, "Band", &LogEntry::Band, false);
    Label6 = addMarker(8, invalid);
    finishLayout(3960);
    txtEditPre->keyPress = [this](int& k) { txtEditPre_KeyPress(k); };
    txtEditPre->pasteInCapitals();
    txtEditPre->validate = [this] { return txtEditPre_LostFocus(); };
}

void DEEditOut::txtEditPre_KeyPress(int& KeyAscii) { countyKeyPress(txtEditPre, KeyAscii); }

bool DEEditOut::txtEditPre_LostFocus() { return countyLostFocus(txtEditPre, Label2, false); }

std::vector<EditContactForm::Check> DEEditOut::doneChecks()
{
    std::vector<Check> checks = EditContactForm::doneChecks();
    checks.insert(checks.begin() + 2, {txtEditPre, [this] { return txtEditPre_LostFocus(); }});
    return checks;
}
