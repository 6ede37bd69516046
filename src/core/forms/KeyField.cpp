#include "core/forms/KeyField.h"

#include "core/forms/HandlerOrder.h"
#include "core/forms/KeyPreview.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <QValidator>

namespace {

// Refuses any text holding a character the record files cannot carry.
class StorableTextValidator final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        for (const QChar c : input) {
            if (c == QLatin1Char('"') || c.unicode() > 0xFF)
                return Invalid;
        }
        return Acceptable;
    }
};

// The "Paste" item of a box's own context menu, known by its caption in the desktop's language.
bool isPasteItem(const QAction* action)
{
    return action->objectName() == QLatin1String("edit-paste")
        || action->text().startsWith(QCoreApplication::translate("QLineEdit", "&Paste"));
}

} // namespace

KeyField::KeyField(QWidget* parent) : QLineEdit(parent)
{
    setValidator(new StorableTextValidator(this));
}

int KeyField::keyCode(const QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Escape: return 27;
    default: break;
    }
    // Ctrl with a letter is that letter's control code (Ctrl+V is 22), whatever text the
    // platform puts in the event, so the box's own shortcuts (paste, copy, undo) stay
    // shortcuts. Ctrl+Alt is AltGr on some keyboards and types a character.
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if ((modifiers & Qt::ControlModifier) && !(modifiers & Qt::AltModifier) && event->key() >= Qt::Key_A
        && event->key() <= Qt::Key_Z)
        return event->key() - Qt::Key_A + 1;
    const QString text = event->text();
    if (text.size() == 1 && (text.front().unicode() >= 32 || (event->modifiers() & Qt::ControlModifier)))
        return text.front().unicode();
    return -1;
}

int KeyField::virtualKeyCode(const QKeyEvent* event)
{
    const int key = event->key();
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return key; // the same codes
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return 112 + (key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    case Qt::Key_Semicolon:
    case Qt::Key_Colon: return 186;
    case Qt::Key_Equal:
    case Qt::Key_Plus: return 187;
    case Qt::Key_Comma:
    case Qt::Key_Less: return 188;
    case Qt::Key_Minus:
    case Qt::Key_Underscore: return 189;
    case Qt::Key_Period:
    case Qt::Key_Greater: return 190;
    case Qt::Key_Slash:
    case Qt::Key_Question: return 191;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde: return 192;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft: return 219;
    case Qt::Key_Backslash:
    case Qt::Key_Bar: return 220;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight: return 221;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl: return 222;
    default: return 0;
    }
}

int KeyField::shiftState(const QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    int shift = 0;
    if ((modifiers & Qt::ShiftModifier) || event->key() == Qt::Key_Shift)
        shift += 1;
    if ((modifiers & Qt::ControlModifier) || event->key() == Qt::Key_Control)
        shift += 2;
    if ((modifiers & Qt::AltModifier) || event->key() == Qt::Key_Alt)
        shift += 4;
    return shift;
}

int KeyField::selStart() const { return hasSelectedText() ? selectionStart() : cursorPosition(); }

bool KeyField::previewKeyDown(QKeyEvent* event)
{
    auto* form = dynamic_cast<KeyPreview*>(window());
    if (!form || !form->keyDownPreview)
        return true;
    const int original = virtualKeyCode(event);
    int code = original;
    form->keyDownPreview(code, shiftState(event));
    return code != 0 || original == 0;
}

void KeyField::keyPressEvent(QKeyEvent* event)
{
    // A key the key-down discarded does nothing of its own in the box; a character it
    // types still comes as a key press, which the handlers may drop.
    const bool keyDownKept = previewKeyDown(event);
    const int original = keyCode(event);
    if (original < 0) {
        if (keyDownKept)
            editKey(event);
        else
            event->accept();
        return;
    }
    // The whole keystroke, the character inserted included, comes before the focus
    // handlers of any move it makes.
    HandlerOrder::runEvent([&] { handleKey(event, original, keyDownKept); });
}

void KeyField::handleKey(QKeyEvent* event, int original, bool keyDownKept)
{
    int code = original;
    auto* form = dynamic_cast<KeyPreview*>(window());
    if (form && form->keyPressPreview)
        form->keyPressPreview(code);
    if (code != 0 && keyPress)
        keyPress(code);
    if (code == 0) {
        event->accept();
        return;
    }
    if (code == original) {
        if (code == 13 || code == 27 || !keyDownKept)
            event->accept(); // a box takes no line ends and does nothing on Esc
        else
            editKey(event);
        return;
    }
    if (code == 8)
        backspace();
    else if (code >= 32)
        insert(QString(QChar(char16_t(code))));
    event->accept();
}

void KeyField::editKey(QKeyEvent* event)
{
    if (m_pasteInCapitals && event->matches(QKeySequence::Paste)) {
        pasteText(QClipboard::Clipboard);
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

QString KeyField::pasted(const QString& text) const
{
    if (!m_pasteInCapitals)
        return text;
    QString capitals = text;
    for (QChar& c : capitals) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 32);
    }
    return capitals;
}

// As the box's own paste: in place of the selection, refused whole by the box's validator.
void KeyField::pasteText(QClipboard::Mode mode)
{
    if (isReadOnly())
        return;
    const QString text = pasted(QGuiApplication::clipboard()->text(mode));
    if (!text.isEmpty() || hasSelectedText())
        insert(text);
}

void KeyField::mouseReleaseEvent(QMouseEvent* event)
{
    // The middle button pastes the text last selected anywhere on the screen.
    if (m_pasteInCapitals && event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()
        && !isReadOnly()) {
        deselect();
        pasteText(QClipboard::Selection);
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void KeyField::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStandardContextMenu();
    if (!menu)
        return;
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (m_pasteInCapitals) {
        for (QAction* action : menu->actions()) {
            if (!isPasteItem(action))
                continue;
            disconnect(action, &QAction::triggered, this, nullptr);
            connect(action, &QAction::triggered, this, [this] { pasteText(QClipboard::Clipboard); });
        }
    }
    menu->popup(event->globalPos());
}

void KeyField::dropEvent(QDropEvent* event)
{
    if (!m_pasteInCapitals || !event->mimeData()->hasText()) {
        QLineEdit::dropEvent(event);
        return;
    }
    QMimeData capitals;
    capitals.setText(pasted(event->mimeData()->text()));
    QDropEvent drop(event->position(), event->possibleActions(), &capitals, event->buttons(), event->modifiers(),
                    event->type());
    drop.setDropAction(event->dropAction());
    QLineEdit::dropEvent(&drop);
    event->setDropAction(drop.dropAction());
    event->setAccepted(drop.isAccepted());
}

void KeyField::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    // By the time its turn comes the focus may have moved on: a box the focus only passed
    // through is neither entered nor left.
    HandlerOrder::runFocusHandler(this, [this] {
        if (!hasFocus())
            return;
        m_entered = true;
        if (gotFocus)
            gotFocus();
    });
}

void KeyField::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // Another window coming to the front, or a menu opening, does not leave the box: the
    // focus comes back to it, so neither the check nor the leaving handler runs.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    if (validate && !m_validating) {
        m_validating = true;
        const bool ok = validate();
        m_validating = false;
        if (!ok) {
            // Sent back into the box, which is entered again.
            m_entered = false;
            QTimer::singleShot(0, this, [this] { setFocus(Qt::OtherFocusReason); });
            return;
        }
    }
    HandlerOrder::runFocusHandler(this, [this] {
        if (!m_entered)
            return;
        m_entered = false;
        if (lostFocus)
            lostFocus();
    });
}
