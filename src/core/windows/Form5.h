#pragma once

#include "core/forms/Form.h"

#include <QPlainTextEdit>
#include <QPushButton>

// "Help Page": the help text ReadTolvern.txt, read afresh at each opening.
class Form5 : public Form {
    Q_OBJECT
public:
    explicit Form5(const WindowContext& context);

    QPlainTextEdit* Text1;
    QPushButton* Command1; // Close
    QPushButton* Command2; // hidden: writes the text to HelpPirow.txt

    void Form_Load();
    void Command1_Click();
    void Command2_Click();
};
