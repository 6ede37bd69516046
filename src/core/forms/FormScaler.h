#pragma once

// Scaling a window laid out for the 9600 x 7200 twip reference screen to the real screen:
// its size, its place, its font and every control's place, size and font. The design
// values are read from the form and overwritten in place; applyGeometry() then shows them.

#include "core/forms/Form.h"

#include <set>

// The reference screen every window is designed on, in twips (640 x 480 pixels).
constexpr float ReferenceScreenWidth = 9600;
constexpr float ReferenceScreenHeight = 7200;

// The reference rule: scaled to the screen, centred and raised 170 twips.
void ResizeFormToScreen(Form& frm);

// From any old size to any new size, measuring the controls' growth on the client area.
void ResizeFormBetween(Form& frm, float NewWidth, float NewHeight, float OldWidth,
                       float OldHeight, quint8 ExactSize, float FontGrowth, const QString& FontName);

// The rule several windows apply for themselves, with their own choices.
struct LocalScaling {
    enum class Top { Centre, SixthOfFreeSpace };
    enum class WindowFont { WidthFactor, NewWidthRatio };
    enum class ControlFont { WidthFactor, WidthFactorCapped, Smaller };

    Top top = Top::Centre;
    WindowFont windowFont = WindowFont::WidthFactor;
    ControlFont controlFont = ControlFont::Smaller;
    std::set<ControlKind> scaledKinds;
    std::set<ControlKind> fontKinds;
};
void ScaleFormLocally(Form& frm, const LocalScaling& options);

// Only centres the window at its design size, raised 170 twips.
void CentreFormRaised(Form& frm);
