#pragma once

#include "reports/windows/EditContactForm.h"

// The contact editor of the out-of-state log: eight boxes, no St/Prv/Country and no
// county sent. Its call, reports and county are written back without outer blanks.
class DEEditOut : public EditContactForm {
    Q_OBJECT
public:
    DEEditOut(const WindowContext& context, qint32 EditEntryIndex, std::function<void()> deleteContact);

    KeyField* txtEditPre; // the county, whatever its name says
    QLabel* Label2;       // the county's "   Invalid!"

    void txtEditPre_KeyPress(int& KeyAscii);
    bool txtEditPre_LostFocus();

protected:
    std::vector<Check> doneChecks() override;
    bool comparesCountySent() const override { return false; }
};
