#pragma once

#include "core/forms/ClickLabel.h"
#include "core/forms/Form.h"

#include <QLabel>
#include <QTimer>

// The logo shown while the program starts: the logo picture (or the operator's own
// splash.jpg from the shared folder), and a second picture after a moment.
class frmVexolLogo : public Form {
    Q_OBJECT
public:
    explicit frmVexolLogo(const WindowContext& context);

    ClickLabel* Image1;
    ClickLabel* Image2;
    QTimer Timer1;
    QTimer Timer2;

    void Form_Load();
    void Image1_Click();
    void Timer1_Timer();
    void Timer2_Timer();

private:
    void prepareFirstUse();
};
