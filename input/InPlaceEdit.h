#pragma once
// The in-place editor's rules as functions: where the box goes over a row, what a typed
// character does while the box is open, and how a character travels through the 16-bit
// KeyAscii argument of the item key events. control/InPlaceEdit.cpp runs them.

#include <cstdint>

#include "platform/WindowSystem.h"

namespace glv {

// The box over a row: as high as the text ("Wg" in the item's font), centred on the row (the
// half-pixel rounded to even), from where the row's text starts to column 1's right edge.
WindowPlacement EditBoxPlacement(int32_t itemX, int32_t itemY, int32_t itemHeight, int32_t textHeight,
                                 int32_t column1Right);

// A character typed into the open box, first rule that applies.
enum class EditKeyRule : uint8_t {
    EndPendingCancel,  // CancelEdit left a cancel pending: it is reported now; the key is used up
    Commit,            // Enter (13) or line feed (10, Ctrl+Enter)
    Cancel,            // Escape (27): close without storing
    Type,              // anything else: reported as ItemKeyPress, then typed as the host left it
};
EditKeyRule EditKeyPressRule(int32_t keyAscii, bool cancelPending);

// KeyAscii is 16 bits: a character of the basic plane travels as its UTF-16 unit (above 0x7FFF
// as a negative Integer, as the runtime shows it); one beyond it shows its leading surrogate.
int16_t KeyAsciiOf(int32_t codePoint);
// The character to type after the host saw `sent` and left `answered`: unchanged, the original
// character; otherwise the host's 16-bit value (0 drops the key).
int32_t CharacterAfterKeyPress(int32_t codePoint, int16_t sent, int16_t answered);

}  // namespace glv
