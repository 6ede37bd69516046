#pragma once

#include "mainwindow/MainForm.h"

// The log window of an operator inside Texas: the multipliers are the states and
// provinces, the Texas counties and the DX countries.
// Infrm.cpp builds, loads and counts; InfrmEntry.cpp holds the entry steps of this window.
class Infrm : public MainForm {
    Q_OBJECT
public:
    explicit Infrm(const WindowContext& context);

    SortedListBox* dxCountries; // the DX countries worked
    SortedListBox* List1;       // the same list, as the form names it
    SortedListBox* List3; // counties remaining
    std::array<ClickLabel*, 65> Label10{}; // 1 to 63 the states and provinces; 64 unused
    int RoverRelogIndex = 0; // the county-line entry being logged; 0 outside a pass

    void HoldDupeFlag();
    void txtCntry_Change();
    void Label10_Click(int index);
    void Label10_MouseMove(int index);
    void List1_Click();
    void List2_Click();
    void List3_Click();
    void mnuChangeCounty_Click();
    void LogRoverCountyLine();
    void setOwnCountyCaption(const QString& county);

protected:
    void showReloadedLog() override;
    void setCountyCaptions() override;
    std::vector<LogColumn> logColumns() const override;
    QString reloadErrorText() const override;
    void loadWindowSpecific() override;
    void afterModeOrBandChange() override;
    void entryCleared() override { setCountyCaptionEnabled(false); }
    void txtCall_KeyPress(int& KeyAscii) override;
    QWidget* listAtLeft() const override { return dxCountries; }
    void txtCall_Change() override;
    void callLeft() override;
    void txtSec_GotFocus() override;
    void txtCntry_KeyPress(int& KeyAscii) override;
    void carryFromReportReceived(int& KeyAscii) override;
    KeyField* fieldAfterReportReceived() const override { return txtCntry; }
    bool carryFromReportSent(int& KeyAscii) override;
    bool startContact() override;
    void runContactChecks(EntryFlags& flags) override;
    void countMultipliers(const LogEntry& entry) override;
    void contactStored() override;
    EarlierContact judgeEarlierContact(const LogEntry& earlier, qint32 n) override;
    QString dupeWarningText(const LogEntry& earlier, qint32 n) const override;
    void countyPicked() override;

public:
    void LookupCallPrefix();
    void txtCntry_GotFocus();

private:
    void MarkNewMultipliers(const LogEntry& entry);
    void AddNewDXCountry(const LogEntry& entry);
    void ColourStateLabels();
    void FillDXList();
    void showDXCount();
    void setCountyCaptionEnabled(bool enabled);
    void showDistanceBearing(float latitude, float longitude);
};
