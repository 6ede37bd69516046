#pragma once

#include "core/LogEntry.h"
#include "core/forms/Form.h"
#include "core/forms/KeyField.h"

#include <QLabel>
#include <QPushButton>
#include <functional>
#include <vector>

// "Edit Contact Entry": one logged contact in boxes, one row a value. Each box checks its
// text as the operator leaves it, "Done" runs the same checks again, looks for the
// duplicates the edit would make and, when there are none, writes the boxes back into the
// record arrays at the contact's entry. The dialog writes no file: its opener rewrites
// the log and reloads it. A box still holding the value stored for the contact passes
// its check, so a contact from an older log can be edited whatever else it holds.
// A county is kept in capitals, as the main windows keep it; a call is never emptied; a
// changed band drops a stored frequency that lies outside it, so that the exports give the
// band's own frequency instead. DEEditInfrm and DEEditOut are this one design with their
// own rows.
class EditContactForm : public Form {
    Q_OBJECT
public:
    // EditEntryIndex: the contact's entry, 1 to QsoCount. deleteContact: the opening
    // window's delete command, which "Delete Dupe" runs on the contact being edited.
    EditContactForm(const WindowContext& context, float clientWidth, float clientHeight, qint32 EditEntryIndex,
                    std::function<void()> deleteContact);

    // Scales the dialog to the screen and fills every box from the contact's entry.
    void Form_Load();

    void cmdDone_Click();
    void cmdDeleteDupe_Click();
    // Upper-cases a typed letter.
    static void Cap2(int& KeyAscii);

    QLabel* lblEditTitle;
    KeyField* txtEditCall;
    KeyField* txtEditCk;  // report received
    KeyField* txtEditNum; // report sent
    KeyField* txtEditDate;
    KeyField* txtEditTime;
    KeyField* txtEditBnd; // the mode, whatever its name says
    KeyField* Text1;      // the band
    QLabel* Label1;       // "  Dupe!"
    QLabel* Label3;       // the mode's "   Invalid!"
    QLabel* Label6;       // the band's "   Invalid!"
    QPushButton* cmdDone;
    QPushButton* cmdDeleteDupe;

    const qint32 EditEntryIndex;

protected:
    // One box and the value of the contact it edits.
    struct EditBox {
        KeyField* box;
        QString LogEntry::*field;
        bool trimmed; // written back without leading and trailing blanks
    };

    // A caption and its box on a row (1 the top one), the box at its design place.
    KeyField* addRow(int row, const char* caption, QString LogEntry::*field, bool trimmed,
                     float boxLeft = 1800, float captionWidth = 960);
    // A marker ("  Dupe!", "   Invalid!") at the left of a row, hidden.
    QLabel* addMarker(int row, const QString& caption);
    // After the rows: "Done" at its top, the keys and checks of the boxes both dialogs
    // have, and the tab order (the boxes top to bottom, "Done", "Delete Dupe").
    void finishLayout(float doneTop);

    // The start of every box's keys: a double quote is no key; Enter is no key and runs
    // "Done". False when nothing is left of the key.
    bool commonKeyStart(int& KeyAscii);
    // Whether the key is an editing shortcut (Ctrl+C, Ctrl+V, ...): it keeps its meaning
    // and takes no part in the type-ahead.
    static bool isShortcut(int KeyAscii) { return KeyAscii > 0 && KeyAscii < 32 && KeyAscii != 8; }
    // A county box: a key but the blank at the start empties it, a letter is a capital,
    // and the text is completed from the county table searched from its end.
    void countyKeyPress(KeyField* box, int& KeyAscii);

    // Whether the box still holds what the contact has stored.
    bool unchanged(const KeyField* box) const;
    // The row's check as the box is left, also run by "Done": hides the marker, then
    // passes an unchanged box or one the test accepts; otherwise beeps and shows the
    // marker.
    bool markedCheck(const KeyField* box, QLabel* marker, bool accepted);
    // A call of fewer than three characters is refused, as the main windows refuse it,
    // unless it is the contact's own stored call; an empty one always.
    bool txtEditCall_Check();
    bool Text1_LostFocus();
    bool txtEditBnd_LostFocus();
    bool txtEditDate_LostFocus();
    bool txtEditTime_LostFocus();
    bool countyLostFocus(const KeyField* box, QLabel* marker, bool emptyPasses);

    // The boxes' checks in the order "Done" runs them, each showing its own failure:
    // call, time, date, mode and band here; each dialog adds its county boxes.
    struct Check {
        KeyField* box;
        std::function<bool()> passes;
    };
    virtual std::vector<Check> doneChecks();
    // What "Done" does before its checks, and its last test before writing.
    virtual void beforeDoneChecks() {}
    virtual bool finalDoneTest() { return true; }
    // Whether the duplicate rule compares the county sent too.
    virtual bool comparesCountySent() const = 0;

    // The contact as "Done" would write it: the stored entry with every box's text, the
    // date and time of changed boxes in the log's own forms, changed counties in
    // capitals, and no frequency when the band changed to one that does not hold it.
    LogEntry editedEntry() const;
    // One beep and the markers for each other contact the edit would duplicate; true when
    // there is none.
    bool scanForDuplicates(const LogEntry& edited);

    const LogEntry& storedEntry() const;
    // The Date box in the log's own form; empty when it holds no date.
    QString typedDate() const;
    void beep();

    std::vector<EditBox> m_boxes;

private:
    void capKeys(KeyField* box);
    void digitKeys(KeyField* box, int lowest, int highest);
    bool dateTimeCheck(const KeyField* box, bool accepted, const QString& message, const QString& title);

    std::function<void()> m_deleteContact;
};
