#pragma once

// The one key mechanism of every text box: the window's key-down preview sees every key
// first, with its key code, and may discard it; a key that types a character then becomes
// its 16-bit character code, which the window's key-press preview sees, then the box's
// KeyPress handler, both taking the code by reference; 0 swallows the key, another code
// replaces the character, which is then inserted in place of the selection. Keys the handlers leave alone keep the box's
// ordinary editing. Text that a file could not hold (a double quote, a character outside
// Latin-1) can be neither typed nor pasted.

#include <QClipboard>
#include <QLineEdit>
#include <functional>

class KeyField : public QLineEdit {
    Q_OBJECT
public:
    explicit KeyField(QWidget* parent = nullptr);

    // Lets the box take any character, double quotes included: for a box whose text no
    // record file holds (the summary sheet's, written to the Cabrillo file).
    void acceptAnyText() { setValidator(nullptr); }

    // For a box whose typed letters become capitals (a call, a county): text pasted into it,
    // by Ctrl+V, Shift+Insert, the context menu, a middle click or a drop, comes in
    // capitals too, a to z as the typed keys are.
    void pasteInCapitals() { m_pasteInCapitals = true; }

    using KeyHandler = std::function<void(int& KeyAscii)>;
    KeyHandler keyPress; // the box's own KeyPress; the window's preview runs first (Form)
    // The focus handlers run after the handler that moved the focus has returned
    // (HandlerOrder), in the order of the moves.
    std::function<void()> gotFocus;
    // Runs when the focus moves to another control of the window; not when another window
    // comes to the front or a menu opens, since the focus then comes back to this box.
    std::function<void()> lostFocus;
    // Runs when the focus is about to leave (as lostFocus); false keeps the focus in the box.
    std::function<bool()> validate;

    // The character code of a key event: 8 Backspace, 13 Enter, 27 Esc, else the typed
    // character; -1 for keys that type nothing (Tab, arrows, function keys), which keep
    // their ordinary meaning.
    static int keyCode(const QKeyEvent* event);
    // The key code of a key-down: letters 65 to 90 and digits 48 to 57 whatever the Shift
    // state, F1 to F24 from 112, the arrows 37 to 40 (left, up, right, down), 16 Shift,
    // 17 Ctrl, 18 Alt, and the other keys' usual codes; 0 for a key without one.
    static int virtualKeyCode(const QKeyEvent* event);
    // 1 Shift, 2 Ctrl, 4 Alt, added up; a modifier key counts as held as it goes down.
    static int shiftState(const QKeyEvent* event);

    // The caret position the handlers call p: the start of the selection.
    int selStart() const;
    void setSelection(int start, int length) { QLineEdit::setSelection(start, length); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The box's ordinary editing of a key, pastes through pasteText.
    void editKey(QKeyEvent* event);
    QString pasted(const QString& text) const;
    void pasteText(QClipboard::Mode mode);

    void handleKey(QKeyEvent* event, int original, bool keyDownKept);
    // The window's key-down preview; false when it discarded the key.
    bool previewKeyDown(QKeyEvent* event);

    bool m_pasteInCapitals = false;
    bool m_validating = false;
    bool m_entered = false; // the gotFocus handler has run and lostFocus not yet
};
