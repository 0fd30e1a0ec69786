#pragma once
// Qt's input values in the control's terms: virtual-key codes, the runtime's button and
// modifier masks, and wheel notches. Pure functions, so the mapping is tested as a table.

#include <Qt>

#include <cstdint>

namespace glv::qt {

// The virtual-key code of a Qt key, 0 for a key the control has no code for.
int32_t VirtualKeyOf(int qtKey);

// The runtime's button code of one Qt button: 1 left, 2 right, 4 middle; 0 for any other.
int32_t ButtonOf(Qt::MouseButton button);
// The runtime's mask of held buttons.
int32_t ButtonsOf(Qt::MouseButtons buttons);

// The runtime's Shift mask: 1 Shift, 2 Ctrl, 4 Alt.
int32_t ShiftOf(Qt::KeyboardModifiers modifiers);

// Qt reports the wheel in eighths of a degree, 120 to a notch of a common mouse; the control
// takes whole notches of 120. Adds delta to the carried remainder and returns the whole notches
// in it, times 120 (signed), leaving the rest in remainder. A reversal of direction drops what
// was carried the other way.
int32_t WheelDelta(int& remainder, int angleDelta);

}  // namespace glv::qt
