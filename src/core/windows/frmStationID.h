#pragma once

#include "core/forms/Form.h"
#include "core/forms/KeyField.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <array>

// " Setup Information": passed once per run. Its load brings the standing data into
// memory; "Done" stores the station's details and opens the main window.
class frmStationID : public Form {
    Q_OBJECT
public:
    explicit frmStationID(const WindowContext& context);

    KeyField* Text1;  // call sign
    KeyField* Text5;  // state / province
    KeyField* Text8;  // county abbreviation
    KeyField* Text6;  // hours added for UTC
    KeyField* Text2;  // country
    KeyField* Text3;  // longitude
    KeyField* Text4;  // latitude
    KeyField* Text7;  // continent
    KeyField* Text9;  // ARRL section
    KeyField* Text10; // name (never shown)
    KeyField* Text11; // category (never shown)
    KeyField* Text12; // city (never shown)
    QGroupBox* Frame2;
    QRadioButton* Option1; // in Texas: Yes
    QRadioButton* Option2; // in Texas: No
    QGroupBox* Frame3;
    QRadioButton* Option4; // rover: Yes
    QRadioButton* Option3; // rover: No
    QPushButton* Command1; // Done
    QGroupBox* stateFrame;
    std::array<QRadioButton*, 50> optState{};

    void Form_Load();
    void Command1_Click();
    void Option1_Click();
    void Option2_Click();
    void Text2_KeyPress(int& KeyAscii);

    static void Cap3(int& KeyAscii);
    static void NumBerr(int& KeyAscii);

    bool done() const { return m_done; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void fillKeyerWindowsAndBoxes(int prefItemsRead);
    void fillBoxes(int prefItemsRead);
    void reportFileError();
    static void setChecked(QRadioButton* button, bool checked);

    bool m_done = false;
    bool m_errorShown = false;
    bool m_utcAccepted = false;
};
