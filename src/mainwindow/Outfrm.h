#pragma once

#include "mainwindow/MainForm.h"

// The log window of an operator outside Texas: the multipliers are the Texas counties.
class Outfrm : public MainForm {
    Q_OBJECT
public:
    explicit Outfrm(const WindowContext& context);

    SortedListBox* List1; // counties to go
    QLabel* Label10;      // a label of the score box

    void List1_Click();
    void List2_Click();

protected:
    void showReloadedLog() override;
    void setCountyCaptions() override;
    std::vector<LogColumn> logColumns() const override;
    QString reloadErrorText() const override;
    void loadWindowSpecific() override;
    void carryFromReportReceived(int& KeyAscii) override;
    KeyField* fieldAfterReportReceived() const override { return txtSec; }
    bool startContact() override;
    void runContactChecks(EntryFlags& flags) override;
    void countMultipliers(const LogEntry& entry) override;
    EarlierContact judgeEarlierContact(const LogEntry& earlier, qint32 n) override;
    QString dupeWarningText(const LogEntry& earlier, qint32 n) const override;
    void countyPicked() override;
};
