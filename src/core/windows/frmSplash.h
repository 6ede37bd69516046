#pragma once

#include "core/forms/Form.h"

#include <QLabel>
#include <QPushButton>

// The start-up object: never shown. Its load fixes the working directory, shows the logo,
// settles the user folders, loads the shared preferences and opens the station setup.
class frmSplash : public Form {
    Q_OBJECT
public:
    explicit frmSplash(const WindowContext& context);

    QLabel* lblVersion1;
    QPushButton* Command1;

    void Form_Load();
    void Command1_Click();
};
