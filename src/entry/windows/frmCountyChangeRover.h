#pragma once

#include "core/forms/Form.h"
#include "core/forms/KeyField.h"
#include "core/forms/SortedListBox.h"

#include <QLabel>
#include <QPushButton>

// "County Change for Rovers": the counties of the county line the rover stands on. Entry 0
// is the county in use; every contact is logged again for each further one. "&Done" only
// hides the window, so the list stays until the in-state window closes.
class frmCountyChangeRover : public Form {
    Q_OBJECT
public:
    explicit frmCountyChangeRover(const WindowContext& context);

    QLabel* Label1;
    SortedListBox* List1;
    KeyField* Text1;
    QLabel* Label2; // "   Invalid!"
    QLabel* Label3;
    QPushButton* Command1; // &Done

    void Form_Load();
    void Text1_KeyPress(int& KeyAscii);
    void List1_Click();
    void Command1_Click();

    // The counties of the list, the one in use first.
    QStringList counties() const;

Q_SIGNALS:
    // "&Done" with counties listed: the first is the one now in use.
    void countyInUseChosen(const QString& county);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool m_scaled = false;
};
