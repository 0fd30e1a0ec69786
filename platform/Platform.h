#pragma once
// The host's one object that stands in for the desktop system: windows, time, what the system
// reports, text rendering, and the image lists and drawing surfaces registered by handle.
// Controls keep a reference to it; nothing in the library is global.

#include "platform/Clock.h"
#include "platform/DeviceContext.h"
#include "platform/ImageList.h"
#include "platform/SystemInfo.h"
#include "platform/Text.h"
#include "platform/WindowSystem.h"

namespace glv {

struct Platform {
    WindowSystem windows;
    Clock clock;
    SystemInfo system;
    TextEngine text;
    ImageListRegistry imageLists;
    DeviceContexts deviceContexts;
};

}  // namespace glv
