#include "core/forms/Form.h"

#include "core/forms/ControlLayer.h"
#include "core/forms/KeyField.h"
#include "platform/Services.h"

#include <QApplication>
#include <QKeyEvent>

#include <QEventLoop>
#include <QHideEvent>
#include <QHeaderView>
#include <QPainter>
#include <QRadioButton>
#include <QTreeView>
#include <cmath>

LineControl::LineControl(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LineControl::setEnds(QPointF from, QPointF to, double tx, double ty)
{
    const QPointF a(from.x() / tx, from.y() / ty);
    const QPointF b(to.x() / tx, to.y() / ty);
    const QRectF box = QRectF(a, b).normalized().adjusted(-1, -1, 1, 1);
    setGeometry(box.toAlignedRect());
    m_from = a - geometry().topLeft();
    m_to = b - geometry().topLeft();
    update();
}

void LineControl::setPenStyle(Qt::PenStyle style)
{
    m_style = style;
    update();
}

void LineControl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 0, m_style));
    painter.drawLine(m_from, m_to);
}

namespace {

// Hands the keys of a window's other controls (lists, buttons) to its key preview, as its
// text boxes do themselves. It sees each key once, as it reaches the control with the
// focus (or the window, when no control has it), before the control does.
class KeyPreviewFilter final : public QObject {
public:
    explicit KeyPreviewFilter(Form& form) : QObject(&form), m_form(form) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
            return false;
        auto* widget = static_cast<QWidget*>(watched);
        QWidget* focus = QApplication::focusWidget();
        if (widget->window() != &m_form || qobject_cast<KeyField*>(widget) || (focus ? focus != widget : widget != &m_form))
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        const int keyDown = KeyField::virtualKeyCode(key);
        int code = keyDown;
        if (m_form.keyDownPreview)
            m_form.keyDownPreview(code, KeyField::shiftState(key));
        if (code == 0 && keyDown != 0)
            return true;
        code = KeyField::keyCode(key);
        if (code < 0 || !m_form.keyPressPreview)
            return false;
        m_form.keyPressPreview(code);
        return code == 0;
    }

private:
    Form& m_form;
};

} // namespace

void Form::previewKeys(KeyDownHandler keyDown, KeyPressHandler keyPress)
{
    if (!keyDownPreview && !keyPressPreview)
        qApp->installEventFilter(new KeyPreviewFilter(*this));
    keyDownPreview = std::move(keyDown);
    keyPressPreview = std::move(keyPress);
}

Form::Form(const WindowContext& context, const QString& caption, float clientWidth, float clientHeight)
    : QWidget(nullptr), Width(clientWidth), Height(clientHeight), m_context(context)
{
    setWindowTitle(caption);
}

const Screen& Form::screen() const { return *m_context.services.screen; }

void Form::registerControl(QWidget* widget, ControlKind kind, float left, float top, float width,
                           float height, float fontSize)
{
    Control control;
    control.widget = widget;
    control.kind = kind;
    control.Left = left;
    control.Top = top;
    control.Width = width;
    control.Height = height;
    control.FontSize = fontSize;
    control.FontName = FontName;
    if (auto* view = qobject_cast<QTreeView*>(widget)) {
        for (int i = 0; i < view->header()->count(); ++i)
            control.ColumnWidths.push_back(float(view->header()->sectionSize(i) * screen().twipsPerPixelX()));
    }
    m_controls.push_back(control);
}

LineControl* Form::addLine(float x1, float y1, float x2, float y2, QWidget* parent)
{
    auto* line = new LineControl(parent ? parent : this);
    Control control;
    control.widget = line;
    control.kind = ControlKind::Line;
    control.X1 = x1;
    control.Y1 = y1;
    control.X2 = x2;
    control.Y2 = y2;
    m_controls.push_back(control);
    return line;
}

Control* Form::controlFor(const QWidget* widget)
{
    for (Control& control : m_controls) {
        if (control.widget == widget)
            return &control;
    }
    return nullptr;
}

namespace {

int pixels(float twips, double perPixel) { return int(std::lround(double(twips) / perPixel)); }

QMargins lastFrameSeen;

QMargins frameOf(const QWidget& window)
{
    const QRect inside = window.geometry();
    const QRect frame = window.frameGeometry();
    return {inside.left() - frame.left(), inside.top() - frame.top(), frame.right() - inside.right(),
            frame.bottom() - inside.bottom()};
}

void applyFont(QWidget* widget, float size, const QString& name)
{
    if (size <= 0)
        return;
    QFont font = widget->font();
    font.setPointSizeF(double(size));
    if (!name.isEmpty())
        font.setFamily(name);
    widget->setFont(font);
}

} // namespace

void Form::applyGeometry()
{
    applyFont(this, FontSize, FontName);
    placeWindow();
    for (Control& c : m_controls)
        applyControlGeometry(c);
}

void Form::applyControlGeometry(Control& c, bool withFont)
{
    const double tx = screen().twipsPerPixelX();
    const double ty = screen().twipsPerPixelY();
    if (c.kind == ControlKind::Line) {
        static_cast<LineControl*>(c.widget)->setEnds({c.X1, c.Y1}, {c.X2, c.Y2}, tx, ty);
        return;
    }
    if (c.kind == ControlKind::Other)
        return;
    c.widget->setGeometry(controlRect(c));
    if (withFont && c.kind != ControlKind::Image)
        applyFont(c.widget, c.FontSize, c.FontName);
    if (auto* view = qobject_cast<QTreeView*>(c.widget)) {
        for (size_t i = 0; i < c.ColumnWidths.size(); ++i)
            view->header()->resizeSection(int(i), pixels(c.ColumnWidths[i], tx));
    }
}

QRect Form::controlRect(const Control& c) const
{
    const double tx = screen().twipsPerPixelX();
    const double ty = screen().twipsPerPixelY();
    QRect rect(pixels(c.Left, tx), pixels(c.Top, ty), pixels(c.Width, tx), pixels(c.Height, ty));
    if (const auto* layer = dynamic_cast<const ControlLayer*>(c.widget->parentWidget()))
        rect.translate(-layer->origin());
    return rect;
}

void Form::stretchTo(const QRectF& area)
{
    const float across = float(area.width()) / Width;
    const float down = float(area.height()) / Height;
    Width = float(area.width());
    Height = float(area.height());
    Left = 0;
    Top = 0;
    for (Control& c : m_controls) {
        if (c.kind == ControlKind::Line) {
            c.X1 *= across;
            c.X2 *= across;
            c.Y1 *= down;
            c.Y2 *= down;
            continue;
        }
        c.Left *= across;
        c.Top *= down;
        c.Width *= across;
        c.Height *= down;
    }
}

QMargins Form::frameMargins() const
{
    const QMargins own = frameOf(*this);
    return isVisible() && !own.isNull() ? own : lastFrameSeen;
}

void Form::placeWindow()
{
    const double tx = screen().twipsPerPixelX();
    const double ty = screen().twipsPerPixelY();
    const QMargins frame = m_outerFrame ? frameMargins() : QMargins();
    m_placing = true;
    setFixedSize(std::max(1, pixels(Width, tx) - frame.left() - frame.right()),
                 std::max(1, pixels(Height, ty) - frame.top() - frame.bottom()));
    // A window's position is that of its frame.
    move(pixels(Left, tx), pixels(Top, ty));
    m_placing = false;
    m_placedWith = frame;
}

bool Form::event(QEvent* event)
{
    const bool handled = QWidget::event(event);
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::WindowActivate: {
        // The window manager adds its frame once the window is shown; a window placed
        // by its outer frame is placed again when the frame turns out other than assumed.
        const QMargins frame = frameOf(*this);
        if (!isVisible() || frame.isNull() || m_placing)
            break;
        lastFrameSeen = frame;
        if (m_outerFrame && frame != m_placedWith)
            placeWindow();
        break;
    }
    default:
        break;
    }
    return handled;
}

void Form::showModal()
{
    // The modality of a window takes effect when it is shown: one open beside the others
    // is shown again.
    if (isVisible() && windowModality() != Qt::ApplicationModal)
        hide();
    setWindowModality(Qt::ApplicationModal);
    show();
    if (!isVisible())
        return;
    QEventLoop loop;
    connect(this, &Form::hidden, &loop, &QEventLoop::quit);
    connect(this, &QObject::destroyed, &loop, &QEventLoop::quit);
    loop.exec();
}

void Form::showModeless(WindowState state)
{
    // A modal showing leaves its modality on the window; it is cleared before the window
    // shows, since it takes effect only then.
    if (!isVisible())
        setWindowModality(Qt::NonModal);
    if (state == WindowState::Normal)
        setWindowState((windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)));
    else
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void Form::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        Q_EMIT hidden();
}

void selectOnly(const std::vector<QRadioButton*>& group, QRadioButton* chosen)
{
    for (QRadioButton* option : group) {
        option->setAutoExclusive(false);
        option->setChecked(option == chosen);
        option->setAutoExclusive(true);
    }
}
