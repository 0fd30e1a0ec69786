#pragma once
// The host's one object that stands in for the desktop system: windows, time, and what the
// system reports. Controls keep a reference to it; nothing in the library is global.

#include "platform/Clock.h"
#include "platform/SystemInfo.h"
#include "platform/WindowSystem.h"

namespace glv {

struct Platform {
    WindowSystem windows;
    Clock clock;
    SystemInfo system;
};

}  // namespace glv
