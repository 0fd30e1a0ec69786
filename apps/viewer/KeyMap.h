#pragma once
// SDL's keys and modifiers as the desktop runtime reports them to the control: virtual-key
// codes for key down and up, the modifier mask (1 Shift, 2 Ctrl, 4 Alt) for Shift arguments.

#include <SDL.h>

#include <cstdint>
#include <optional>

namespace glv::viewer {

// The virtual-key code of a key, or nullopt for a key the control has no code for.
std::optional<int32_t> VirtualKeyOf(SDL_Keycode key);

// The runtime's modifier mask of SDL's modifier state.
int32_t ShiftMaskOf(uint16_t modifiers);

}  // namespace glv::viewer
