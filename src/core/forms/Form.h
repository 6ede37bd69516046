#pragma once

// A window laid out in twips on the 9600 x 7200 reference screen. Every control is kept
// in the form's control collection with its design geometry and font size; the form
// scaler works on those values, and applyGeometry() maps them onto the real widgets.

#include "core/forms/KeyPreview.h"
#include "core/forms/WindowContext.h"

#include <QFont>
#include <QMargins>
#include <QWidget>
#include <functional>
#include <vector>

class QRadioButton;
class Screen;

// Selects the option, or none of its group when it is null (a stored value that matches
// no option leaves the group empty).
void selectOnly(const std::vector<QRadioButton*>& group, QRadioButton* chosen);

enum class ControlKind {
    ListBox, CommandButton, TextBox, Label, ComboBox, Image, CheckBox, OptionButton, Frame,
    ListView, Line, Other
};

// A straight line drawn between two points of its parent, in twips.
class LineControl : public QWidget {
public:
    explicit LineControl(QWidget* parent);
    void setEnds(QPointF from, QPointF to, double twipsPerPixelX, double twipsPerPixelY);
    // Solid unless set otherwise (a dotted grid line).
    void setPenStyle(Qt::PenStyle style);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QPointF m_from;
    QPointF m_to;
    Qt::PenStyle m_style = Qt::SolidLine;
};

struct Control {
    QWidget* widget = nullptr;
    ControlKind kind = ControlKind::Other;
    // Position and size in twips, relative to the parent (the form or a frame; a control on
    // a layer keeps the coordinates of the control the layer covers).
    float Left = 0;
    float Top = 0;
    float Width = 0;
    float Height = 0;
    float FontSize = 0;
    QString FontName;
    // Lines: end points in twips.
    float X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    // List views: column widths in twips.
    std::vector<float> ColumnWidths;
};

class Form : public QWidget, public KeyPreview {
    Q_OBJECT
public:
    Form(const WindowContext& context, const QString& caption, float clientWidth, float clientHeight);

    // The state, the services and the way to the other windows.
    const WindowContext& context() const { return m_context; }

    // The window's own geometry in twips (screen coordinates) and font.
    float Width = 0;
    float Height = 0;
    float Left = 0;
    float Top = 0;
    float FontSize = 7.5f;
    QString FontName = QStringLiteral("MS Sans Serif");

    std::vector<Control>& controls() { return m_controls; }
    Control* controlFor(const QWidget* widget);

    // Adds a control at its design place (twips, relative to its parent widget).
    template <class W>
    W* place(W* widget, ControlKind kind, float left, float top, float width, float height,
             float fontSize = 7.5f)
    {
        registerControl(widget, kind, left, top, width, height, fontSize);
        return widget;
    }
    LineControl* addLine(float x1, float y1, float x2, float y2, QWidget* parent = nullptr);

    // Maps the twip values of the window and every control onto the widgets.
    void applyGeometry();
    // Maps one control's twip values onto its widget (a control moved at run time); a
    // control only moved keeps its font.
    void applyControlGeometry(Control& control, bool withFont = true);
    // The pixel rectangle of a control's widget within its parent widget, from its twip values.
    QRect controlRect(const Control& control) const;
    // Moves the window to the top-left corner of the area (twips) at its size and stretches
    // every control by the same factors, across and down. Nothing is applied to the widgets.
    void stretchTo(const QRectF& area);

    // Left, Top, Width and Height are the window's outer frame, title bar included (the
    // main windows, designed at their outer size); otherwise Width and Height are its inside.
    void setOuterFrame(bool outer) { m_outerFrame = outer; }

    // Shows the window and waits, letting events run, until it is hidden or closed.
    void showModal();
    // Shows the window beside the others, which stay usable, whatever an earlier showing
    // made it, in front and with the focus. Normal: restored to the normal window state
    // (from minimised or maximised); otherwise only brought back from minimised.
    enum class WindowState { Normal, Kept };
    void showModeless(WindowState state = WindowState::Normal);

    const Screen& screen() const;

    // Sets the window's key preview (KeyPreview.h).
    void previewKeys(KeyDownHandler keyDown, KeyPressHandler keyPress);

Q_SIGNALS:
    void hidden();

protected:
    void hideEvent(QHideEvent* event) override;
    bool event(QEvent* event) override;

private:
    void registerControl(QWidget* widget, ControlKind kind, float left, float top, float width,
                         float height, float fontSize);

    // The frame the window manager puts round a window: this window's once it has one,
    // else the last one seen round any form (before the first showing).
    QMargins frameMargins() const;
    void placeWindow();

    WindowContext m_context;
    std::vector<Control> m_controls;
    bool m_outerFrame = false;
    QMargins m_placedWith;
    bool m_placing = false;
};
