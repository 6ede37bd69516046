#pragma once

class Form;

// The keyer windows' own scaling: sized to the screen and centred, every control with it,
// the fonts at most 1.5 times.
void ScaleKeyerWindow(Form& form);
