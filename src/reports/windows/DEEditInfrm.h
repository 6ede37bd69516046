#pragma once

#include "reports/windows/EditContactForm.h"

// The contact editor of the in-state log: ten boxes, with the St/Prv/Country and the
// county sent. Its boxes are written back exactly as they stand.
class DEEditInfrm : public EditContactForm {
    Q_OBJECT
public:
    DEEditInfrm(const WindowContext& context, qint32 EditEntryIndex, std::function<void()> deleteContact);

    KeyField* txtEditSec; // the county
    KeyField* txtEditPre; // St/Prv/Country
    KeyField* Text3;      // the county sent
    QLabel* Label7;       // the county's "   Invalid!"
    QLabel* Label2;       // the St/Prv/Country's
    QLabel* Label9;       // the county sent's

    void txtEditSec_KeyPress(int& KeyAscii);
    void txtEditPre_KeyPress(int& KeyAscii);
    void Text3_KeyPress(int& KeyAscii);
    bool txtEditSec_LostFocus();
    bool Text3_LostFocus();

protected:
    std::vector<Check> doneChecks() override;
    // A state or province typed in small letters becomes capitals.
    void beforeDoneChecks() override;
    // A two-letter St/Prv/Country must be one of the states and provinces.
    bool finalDoneTest() override;
    bool comparesCountySent() const override { return true; }
};
