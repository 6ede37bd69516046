#pragma once

#include <functional>

// A window's key preview, set by Form::previewKeys: it sees every key of the window before
// the control with the focus does (the text boxes, KeyField, hand their keys to it).
// The key-down sees the key code (65 for A, 112 for F1, 38 for up) and the Shift state
// (1 Shift, 2 Ctrl, 4 Alt, added up); the key press the character code. Either sets its
// code to 0 to discard the key.
struct KeyPreview {
    using KeyDownHandler = std::function<void(int& KeyCode, int Shift)>;
    using KeyPressHandler = std::function<void(int& KeyAscii)>;
    KeyDownHandler keyDownPreview;
    KeyPressHandler keyPressPreview;

protected:
    ~KeyPreview() = default;
};
