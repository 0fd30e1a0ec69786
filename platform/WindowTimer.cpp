#include "platform/WindowTimer.h"

namespace glv {

WindowTimer::WindowTimer(WindowSystem& windows, Clock& clock, HWND hwnd, intptr_t id)
    : windows_(windows), clock_(clock), hwnd_(hwnd), id_(id) {
    timer_ = clock_.CreateTimer([this] { windows_.SendMessage(hwnd_, wm::kTimer, id_, 0); });
}

WindowTimer::~WindowTimer() { clock_.DestroyTimer(timer_); }

void WindowTimer::Set(int32_t ms) {
    clock_.SetInterval(timer_, ms);
    clock_.Start(timer_);
}

void WindowTimer::Kill() { clock_.Stop(timer_); }

bool WindowTimer::Running() const { return clock_.Enabled(timer_); }

}  // namespace glv
