#pragma once

#include "core/forms/Form.h"
#include "core/forms/KeyField.h"
#include "keying/CodePractice.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

class KeyerSession;

// A multi-line box of white capitals on dark blue; a lower-case letter typed into it
// goes in as its capital.
class PracticeTextBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit PracticeTextBox(QWidget* parent = nullptr);
    bool capitals = false;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// Morse practice sent over the air through the CW keyer: random groups, pasted text or
// text typed in, or characters typed one at a time. It keys nothing itself: each character
// goes to the keyer's send buffer, so the keyer's line, speed and spacing apply. Opened
// modal by the CW keyer window, which deletes it once it closes.
class frmCodePractice : public Form {
    Q_OBJECT
public:
    explicit frmCodePractice(const WindowContext& context);

    PracticeTextBox* Text1; // text to send
    PracticeTextBox* Text2; // text sent
    KeyField* Text3;        // number of groups
    KeyField* Text4;        // characters per group
    KeyField* Text5;        // type-to-send
    QRadioButton* Option1;  // Letters Only
    QRadioButton* Option2;  // All
    QPushButton* Command1;  // Paste from Clipboard
    QPushButton* Command2;  // Generate Random Characters
    QPushButton* Command3;  // Send
    QPushButton* Command4;  // Stop
    QPushButton* Command5;  // Clear the text sent
    QPushButton* Command6;  // Clear the text to send
    QPushButton* Command7;  // Faster
    QPushButton* Command8;  // Slower
    QLabel* Label8;         // the keyer's speed

    PracticeTable PracticeCharacters;
    QString PracticeText;

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command7_Click();
    void Command8_Click();
    void Text5_KeyPress(int& KeyAscii);

protected:
    // Stops the practice; refused while the keyer is in the middle of a character on a line.
    void closeEvent(QCloseEvent* event) override;

private:
    // Hands one character to the keyer and shows it as sent. A "!" is shown but never
    // handed on: in practice text it is no order to log a contact.
    void send(const QString& character);
    void showSent(const QString& character);
    void showSpeed();

    KeyerSession& m_keyer;
};
