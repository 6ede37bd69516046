#pragma once

#include "core/forms/Form.h"
#include "core/forms/KeyField.h"
#include "reports/CabrilloLog.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <optional>

// "Summary Sheet Information": what the Cabrillo file needs beyond the log (category,
// power, mode, operators, the operator's name, address, e-mail and club, a soapbox
// comment and the two bonuses), and the button that writes the file. Loaded afresh for
// each modal showing, so the bonuses are worked out from the log as it then stands.
class DECabrilloIn : public Form {
    Q_OBJECT
public:
    explicit DECabrilloIn(const WindowContext& context);

    // Scales the window, works out both bonuses and fills the operator's details from the
    // per-user settings. A failure ends the loading silently.
    void Form_Load();

    QGroupBox* Frame1; // Category
    QRadioButton* Option6;  // Single Op
    QRadioButton* Option5;  // Multi Op
    QRadioButton* Option16; // QRP SO
    QRadioButton* Option2;  // CWO SO
    QRadioButton* Option7;  // TXM SO
    QRadioButton* Option8;  // TXM MO
    QGroupBox* Frame2; // Power
    QRadioButton* Option4; // High
    QRadioButton* Option3; // Low (150W)
    QRadioButton* Option1; // QRP (5W)
    QGroupBox* Frame3; // Mode
    QRadioButton* Option12; // CW
    QRadioButton* Option11; // SSB
    QRadioButton* Option10; // Mixed

    QLabel* Label5;
    QLabel* Label3;
    KeyField* Text4; // worked-station bonus
    QLabel* Label4;
    KeyField* Text3; // rover bonus
    QLabel* Label6;
    KeyField* Text5; // name
    QLabel* Label9;
    KeyField* Text6; // address line 1
    QLabel* Label8;
    KeyField* Text7; // address line 2
    QLabel* Label7;
    KeyField* Text8; // e-mail
    QLabel* Label2;
    KeyField* Text2; // club
    QLabel* Label1;
    KeyField* Text1; // operators
    QLabel* Label12;
    KeyField* Text11; // soapbox
    QPushButton* Command4; // Write Cabrillo File
    QPushButton* Command3; // Done

    void Text1_KeyPress(int& KeyAscii);
    void Text4_LostFocus();
    void Command3_Click();
    void Command4_Click();

private:
    void FiveCountyBonus();
    EntryCategory chosenCategory() const;
    PowerCategory chosenPower() const;
    ModeCategory chosenMode() const;
    // The file's content from the boxes, the log and the running log window; nothing (with
    // the reason) when a shown figure is not a number.
    CabrilloInput gatherInput(double bonusTotal) const;
    bool writeFile(const QString& path, double bonusTotal, QString* error) const;
    // The operator details into the user settings and the shared preferences file; false,
    // with the reason, when that file could not be written.
    bool storeOperatorDetails(QString* error);
};
