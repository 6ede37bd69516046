#pragma once

#include "core/forms/Form.h"

#include <QLabel>
#include <QPushButton>

// " Modify Multiplier Color Selections": the colours of worked and remaining multipliers.
class Form6 : public Form {
    Q_OBJECT
public:
    explicit Form6(const WindowContext& context);

    QPushButton* Command1; // remaining colour
    QPushButton* Command3; // worked colour
    QPushButton* Command6; // Done
    QLabel* Label2;        // sample of the remaining colour
    QLabel* Label1;        // sample of the worked colour

    void Form_Load();
    void Command1_Click();
    void Command3_Click();
    void Command6_Click();

private:
    // Lets the operator pick a colour starting from the one in effect; Cancel keeps it.
    void chooseColor(qint32& color, QLabel* sample);
    static void showSample(QLabel* sample, qint32 color);
};
