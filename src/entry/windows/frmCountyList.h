#pragma once

#include "core/windows/Form.h"

#include <QTreeWidget>

// "County List": every county of the host state with its abbreviation, so that one click
// enters the abbreviation into the running main window's county field.
class frmCountyList : public Form {
    Q_OBJECT
public:
    explicit frmCountyList(App& app);

    QTreeWidget* ListView1;

    void Form_Load();
    void ListView1_Click();
};
