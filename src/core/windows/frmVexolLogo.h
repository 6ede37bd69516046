#pragma once

#include "core/forms/Form.h"

#include <QLabel>
#include <QTimer>

// A picture that reports a click.
class ImageControl : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

// The logo shown while the program starts: the logo picture (or the operator's own
// splash.jpg from the shared folder), and a second picture after a moment.
class frmVexolLogo : public Form {
    Q_OBJECT
public:
    explicit frmVexolLogo(const WindowContext& context);

    ImageControl* Image1;
    ImageControl* Image2;
    QTimer Timer1;
    QTimer Timer2;

    void Form_Load();
    void Image1_Click();
    void Timer1_Timer();
    void Timer2_Timer();

private:
    void prepareFirstUse();
};
