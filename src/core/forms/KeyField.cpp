#include "core/forms/KeyField.h"

#include "core/forms/HandlerOrder.h"

#include <QKeyEvent>
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

int KeyField::selStart() const { return hasSelectedText() ? selectionStart() : cursorPosition(); }

void KeyField::keyPressEvent(QKeyEvent* event)
{
    const int original = keyCode(event);
    if (original < 0) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    // The whole keystroke, the character inserted included, comes before the focus
    // handlers of any move it makes.
    HandlerOrder::runEvent([&] { handleKey(event, original); });
}

void KeyField::handleKey(QKeyEvent* event, int original)
{
    int code = original;
    if (keyPreview)
        keyPreview(code);
    if (code != 0 && keyPress)
        keyPress(code);
    if (code == 0) {
        event->accept();
        return;
    }
    if (code == original) {
        if (code == 13 || code == 27)
            event->accept(); // a box takes no line ends and does nothing on Esc
        else
            QLineEdit::keyPressEvent(event);
        return;
    }
    if (code == 8)
        backspace();
    else if (code >= 32)
        insert(QString(QChar(char16_t(code))));
    event->accept();
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
