#pragma once
// What the pointer and the keyboard are doing to the control: the state the input handlers
// keep between messages and the paint pass reads (hot and pressed header cells). It is the
// input subsystem's; the frame and render state hold nothing of it.

#include <cstdint>
#include <optional>

#include "platform/Geometry.h"

namespace glv {

// A mouse button that went down on the control and is still held: where and how it went down,
// so the move and up messages of the same gesture can tell a click from a drag.
struct PressRecord {
    POINT at;              // client pixels where the button went down
    int16_t button = 0;    // the button (1 left, 2 right, 4 middle)
    int16_t shift = 0;     // the shift keys held at the press (1 Shift, 2 Ctrl, 4 Alt)
    int32_t item = 0;      // the item under the press, 0 for none
    int32_t column = -1;   // the header cell under the press, -1 for none
};

struct InputState {
    int32_t hotColumn = -1;      // header cell under the pointer, -1 for none
    int32_t pressedColumn = -1;  // header cell with a button down on it, -1 for none
    int32_t dividerColumn = -1;  // column whose right divider is being dragged, -1 for none
    std::optional<PressRecord> press;  // the button press under way, if any
    POINT pointer;               // the last pointer position, client pixels

    // Key modifiers as the last key message carried them.
    bool altKeyStatus = false;   // Alt context bit of the last key message
    bool ctrlKeyStatus = false;  // Ctrl key state at that message

    // Gesture flags.
    bool keyboardMoved = false;   // the selection was last moved by a key
    int32_t lastSelectedRow = 0;  // row of the last selecting click; -1 after a bulk change
};

}  // namespace glv
