#pragma once
// A timer set on a window, as SetTimer does it: while it runs, each tick sends WM_TIMER with the
// timer's id in wParam to the window, so message hooks on the window see the ticks as well.

#include <cstdint>

#include "platform/Clock.h"
#include "platform/WindowSystem.h"

namespace glv {

class WindowTimer {
public:
    WindowTimer(WindowSystem& windows, Clock& clock, HWND hwnd, intptr_t id);
    ~WindowTimer();
    WindowTimer(const WindowTimer&) = delete;
    WindowTimer& operator=(const WindowTimer&) = delete;

    // Starts (or restarts) the timer with this interval.
    void Set(int32_t ms);
    void Kill();
    bool Running() const;
    intptr_t id() const { return id_; }

private:
    WindowSystem& windows_;
    Clock& clock_;
    HWND hwnd_;
    intptr_t id_;
    TimerId timer_;
};

}  // namespace glv
