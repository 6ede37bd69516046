#pragma once

#include "mainwindow/MainForm.h"

// The log window of an operator outside Texas: the multipliers are the Texas counties.
class Outfrm : public MainForm {
    Q_OBJECT
public:
    explicit Outfrm(const WindowContext& context);

    SortedListBox* List1; // counties to go
    QLabel* Label10;      // a label of the score box

    void Mains() override;
    void ClearEntry() override;
    void ReloadLog() override;
    void DupCheck2() override;
    void List1_Click();
    void List2_Click();
    void pickCounty(const SortedListBox* list);

protected:
    void setCountyCaptions() override;
    std::vector<LogColumn> logColumns() const override;
    QString reloadErrorText() const override;
    void loadWindowSpecific() override;
    void carryFromReportReceived(int& KeyAscii) override;
};
