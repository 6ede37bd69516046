#pragma once

#include "core/forms/Form.h"

#include <QTreeWidget>

// "County List": every county of the host state with its abbreviation, so that one click
// enters the abbreviation into the county field of the window that opened it.
class frmCountyList : public Form {
    Q_OBJECT
public:
    explicit frmCountyList(const WindowContext& context);

    QTreeWidget* ListView1;

    void Form_Load();
    void ListView1_Click();

Q_SIGNALS:
    void countyPicked(const QString& abbreviation);
};
