#include "QtInput.h"

#include <array>
#include <utility>

namespace glv::qt {

namespace {

// Keys whose codes do not follow from a range below.
constexpr std::array<std::pair<int, int32_t>, 24> kKeys{{
    {Qt::Key_Backspace, 0x08}, {Qt::Key_Tab, 0x09},     {Qt::Key_Backtab, 0x09},
    {Qt::Key_Return, 0x0D},    {Qt::Key_Enter, 0x0D},   {Qt::Key_Shift, 0x10},
    {Qt::Key_Control, 0x11},   {Qt::Key_Alt, 0x12},     {Qt::Key_Pause, 0x13},
    {Qt::Key_CapsLock, 0x14},  {Qt::Key_Escape, 0x1B},  {Qt::Key_Space, 0x20},
    {Qt::Key_PageUp, 0x21},    {Qt::Key_PageDown, 0x22}, {Qt::Key_End, 0x23},
    {Qt::Key_Home, 0x24},      {Qt::Key_Left, 0x25},    {Qt::Key_Up, 0x26},
    {Qt::Key_Right, 0x27},     {Qt::Key_Down, 0x28},    {Qt::Key_Insert, 0x2D},
    {Qt::Key_Delete, 0x2E},    {Qt::Key_Menu, 0x5D},    {Qt::Key_NumLock, 0x90},
}};

}  // namespace

int32_t VirtualKeyOf(int qtKey) {
    // Letters and digits share their codes with ASCII upper case; F1..F24 are consecutive.
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return qtKey;
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return qtKey;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return 0x70 + (qtKey - Qt::Key_F1);
    for (const auto& [key, code] : kKeys)
        if (key == qtKey) return code;
    return 0;
}

int32_t ButtonOf(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton: return 1;
        case Qt::RightButton: return 2;
        case Qt::MiddleButton: return 4;
        default: return 0;
    }
}

int32_t ButtonsOf(Qt::MouseButtons buttons) {
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
           (buttons & Qt::MiddleButton ? 4 : 0);
}

int32_t ShiftOf(Qt::KeyboardModifiers modifiers) {
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

int32_t WheelDelta(int& remainder, int angleDelta) {
    constexpr int kNotch = 120;
    if ((remainder > 0 && angleDelta < 0) || (remainder < 0 && angleDelta > 0)) remainder = 0;
    remainder += angleDelta;
    const int notches = remainder / kNotch;  // truncates toward zero, so both signs keep a rest
    remainder -= notches * kNotch;
    return notches * kNotch;
}

}  // namespace glv::qt
