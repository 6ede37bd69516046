#include "keying/windows/KeyerScaling.h"

#include "core/forms/Form.h"
#include "core/forms/FormScaler.h"

void ScaleKeyerWindow(Form& form)
{
    LocalScaling scaling;
    scaling.windowFont = LocalScaling::WindowFont::NewWidthRatio;
    scaling.controlFont = LocalScaling::ControlFont::WidthFactorCapped;
    scaling.scaledKinds = {ControlKind::ListBox, ControlKind::CommandButton, ControlKind::TextBox,
                           ControlKind::Label, ControlKind::ComboBox, ControlKind::Image,
                           ControlKind::CheckBox, ControlKind::OptionButton, ControlKind::Frame};
    scaling.fontKinds = scaling.scaledKinds;
    ScaleFormLocally(form, scaling);
}
