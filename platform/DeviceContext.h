#pragma once
// Device-context handles: a 32-bit number that stands for a drawing surface, so that objects
// reached by name (an image list's ListImages(i).Draw hDC, x, y, style) can be told where to
// draw. The owner of a surface registers it and unregisters it before the surface goes away.

#include <cstdint>
#include <map>

#include "platform/Surface.h"

namespace glv {

using HDC = int32_t;

class DeviceContexts {
public:
    // A new handle for the surface; handles are non-zero and never reused, so a stale one finds
    // nothing.
    HDC Register(Surface& surface);
    void Unregister(HDC hdc) { surfaces_.erase(hdc); }
    // The surface, or nullptr for 0, an unknown or an unregistered handle.
    Surface* Find(HDC hdc) const;

private:
    std::map<HDC, Surface*> surfaces_;
    HDC next_ = 0x2001;
};

}  // namespace glv
