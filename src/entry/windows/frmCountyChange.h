#pragma once

#include "core/forms/Form.h"
#include "core/forms/KeyField.h"

#include <QLabel>
#include <QPushButton>

// "County Change": a rover changes the county it sends.
class frmCountyChange : public Form {
    Q_OBJECT
public:
    explicit frmCountyChange(const WindowContext& context);

    QLabel* Label1;
    KeyField* Text1;
    QLabel* Label2; // "   Invalid!"
    QPushButton* cmdMultipleCounties;
    QPushButton* Command1; // Done

    void Form_Load();
    void Text1_KeyPress(int& KeyAscii);
    bool Text1_LostFocus();
    void Command1_Click();
    void cmdMultipleCounties_Click();

    // Puts the county into the box, as the county-line window's "&Done" does.
    void showCounty(const QString& county);
};
