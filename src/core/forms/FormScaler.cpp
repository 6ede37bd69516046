#include "core/forms/FormScaler.h"

#include "platform/Dialogs.h"
#include "platform/Screen.h"
#include "platform/Services.h"

#include <QWidget>
#include <cmath>
#include <stdexcept>

namespace {

constexpr float RaiseAboveCentre = 170;

// The largest value in twips a window property can take (a widget's size limit).
constexpr double MaxTwips = double(QWIDGETSIZE_MAX) * 15.0;

struct ScaleFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Every property goes through here: a result no window could hold ends the scaling.
float checked(double value)
{
    if (!std::isfinite(value))
        throw ScaleFailure("Division by zero");
    if (std::fabs(value) > MaxTwips)
        throw ScaleFailure("Overflow");
    return float(value);
}

struct Factors {
    double screenWidth;
    double screenHeight;
    float wf; // width factor, rounded to Single
    float hf; // height factor, rounded to Single
    double hfExact;
};

Factors factorsFor(const Form& frm)
{
    const QSizeF screen = frm.screen().sizeTwips();
    return {screen.width(), screen.height(), float(screen.width() / ReferenceScreenWidth),
            float(screen.height() / ReferenceScreenHeight), screen.height() / ReferenceScreenHeight};
}

float smaller(float a, float b) { return b < a ? b : a; }

bool isReferenceKind(ControlKind kind)
{
    switch (kind) {
    case ControlKind::ListBox: case ControlKind::CommandButton: case ControlKind::TextBox:
    case ControlKind::Label: case ControlKind::ComboBox: case ControlKind::Image:
    case ControlKind::CheckBox: case ControlKind::OptionButton: case ControlKind::Frame:
    case ControlKind::ListView:
        return true;
    default:
        return false;
    }
}

void scaleLine(Control& c, double wf, double hf)
{
    c.X1 = checked(c.X1 * wf);
    c.X2 = checked(c.X2 * wf);
    c.Y1 = checked(c.Y1 * hf);
    c.Y2 = checked(c.Y2 * hf);
}

void scaleLocally(Form& frm, const LocalScaling& options);

void reportFailure(Form& frm, const ScaleFailure& failure)
{
    frm.context().services.dialogs->messageBox(QString::fromLatin1(failure.what()),
                                               QStringLiteral("Form Resize Error"));
}

} // namespace

void ResizeFormToScreen(Form& frm)
{
    try {
        const Factors f = factorsFor(frm);
        frm.Width = checked(double(frm.Width) / ReferenceScreenWidth * f.screenWidth);
        frm.Height = checked(double(frm.Height) / ReferenceScreenHeight * f.screenHeight);
        frm.Left = checked((f.screenWidth - frm.Width) / 2);
        frm.Top = checked((f.screenHeight - frm.Height) / 2 - RaiseAboveCentre);
        frm.FontSize = checked(frm.FontSize * f.hfExact);
        const float fontFactor = smaller(f.wf, f.hf);
        const size_t count = frm.controls().size();
        for (size_t i = 0; i < count; ++i) {
            Control& c = frm.controls()[i];
            if (isReferenceKind(c.kind)) {
                if (c.kind != ControlKind::ComboBox)
                    c.Height = checked(c.Height * f.hf);
                c.Left = checked(c.Left * f.wf);
                c.Top = checked(c.Top * f.hf);
                c.Width = checked(c.Width * f.wf);
                if (c.kind != ControlKind::Image)
                    c.FontSize = checked(c.FontSize * fontFactor);
            }
            if (c.kind == ControlKind::Line)
                scaleLine(c, f.wf, f.hf);
            if (c.kind == ControlKind::ListView) {
                for (float& width : c.ColumnWidths)
                    width = checked(width * f.wf);
            }
        }
    } catch (const ScaleFailure& failure) {
        reportFailure(frm, failure);
    }
    frm.applyGeometry();
}

void ResizeFormBetween(Form& frm, float NewWidth, float NewHeight, float OldWidth,
                       float OldHeight, quint8 ExactSize, float FontGrowth, const QString& FontName)
{
    try {
        // The window's size is its client area.
        const float oldClientWidth = frm.Width;
        const float oldClientHeight = frm.Height;
        if (ExactSize == 1) {
            frm.Width = NewWidth;
            frm.Height = NewHeight;
        } else {
            frm.Width = checked(double(frm.Width) / OldWidth * NewWidth);
            frm.Height = checked(double(frm.Height) / OldHeight * NewHeight);
        }
        frm.Left = checked((double(NewWidth) - frm.Width) / 2);
        frm.Top = checked((double(NewHeight) - frm.Height) / 2);
        const float cw = checked(double(frm.Width) / oldClientWidth);
        const float ch = checked(double(frm.Height) / oldClientHeight);
        const float r = smaller(cw, ch);
        const float fontFactor =
            frm.Height > oldClientHeight ? checked(1 + (double(r) - 1) * FontGrowth) : r;
        if (!FontName.isEmpty())
            frm.FontName = FontName;
        frm.FontSize = checked(double(frm.FontSize) * fontFactor);
        const size_t count = frm.controls().size();
        for (size_t i = 0; i < count; ++i) {
            Control& c = frm.controls()[i];
            if (isReferenceKind(c.kind)) {
                c.Height = checked(c.Height * ch);
                c.Left = checked(c.Left * cw);
                c.Top = checked(c.Top * ch);
                c.Width = checked(c.Width * cw);
                if (c.kind != ControlKind::Image) {
                    if (!FontName.isEmpty())
                        c.FontName = FontName;
                    c.FontSize = checked(double(c.FontSize) * fontFactor);
                }
            }
            if (c.kind == ControlKind::Line)
                scaleLine(c, cw, ch);
            if (c.kind == ControlKind::ListView) {
                for (float& width : c.ColumnWidths)
                    width = checked(width * cw);
            }
        }
    } catch (const ScaleFailure& failure) {
        reportFailure(frm, failure);
    }
    frm.applyGeometry();
}

void ScaleFormLocally(Form& frm, const LocalScaling& options)
{
    try {
        scaleLocally(frm, options);
    } catch (const ScaleFailure&) {
        // The windows that scale themselves end their scaling silently.
    }
    frm.applyGeometry();
}

namespace {

void scaleLocally(Form& frm, const LocalScaling& options)
{
    const Factors f = factorsFor(frm);
    frm.Width = checked(double(frm.Width) / ReferenceScreenWidth * f.screenWidth);
    frm.Height = checked(double(frm.Height) / ReferenceScreenHeight * f.screenHeight);
    frm.Left = checked((f.screenWidth - frm.Width) / 2);
    frm.Top = options.top == LocalScaling::Top::Centre
        ? checked((f.screenHeight - frm.Height) / 2)
        : checked((f.screenHeight - frm.Height) / 6);
    const double windowFont = options.windowFont == LocalScaling::WindowFont::WidthFactor
        ? double(f.wf)
        : double(frm.Width) / ReferenceScreenWidth;
    frm.FontSize = checked(frm.FontSize * windowFont);

    float controlFont = f.wf;
    if (options.controlFont == LocalScaling::ControlFont::WidthFactorCapped && f.wf > 1.5f)
        controlFont = 1.5f;
    else if (options.controlFont == LocalScaling::ControlFont::Smaller)
        controlFont = smaller(f.wf, f.hf);

    const size_t count = frm.controls().size();
    for (size_t i = 0; i < count; ++i) {
        Control& c = frm.controls()[i];
        if (options.scaledKinds.count(c.kind)) {
            c.Height = checked(c.Height * f.hf);
            c.Left = checked(c.Left * f.wf);
            c.Top = checked(c.Top * f.hf);
            c.Width = checked(c.Width * f.wf);
            if (options.fontKinds.count(c.kind))
                c.FontSize = checked(c.FontSize * controlFont);
        }
        if (c.kind == ControlKind::Line)
            scaleLine(c, f.wf, f.hf);
    }
}

} // namespace

void CentreFormRaised(Form& frm)
{
    const QSizeF screen = frm.screen().sizeTwips();
    frm.Left = float((screen.width() - frm.Width) / 2);
    frm.Top = float((screen.height() - frm.Height) / 2 - RaiseAboveCentre);
    frm.applyGeometry();
}
