#include "input/MessageRouter.h"

#include "platform/Form.h"

namespace glv {

namespace {

constexpr uint32_t kHooked[] = {wm::kThemeChanged, wm::kKeyDown, wm::kKeyUp, wm::kMouseMove, wm::kTimer};

}  // namespace

int16_t ButtonsOf(intptr_t wParam) {
    int16_t buttons = 0;
    if (wParam & mk::kLButton) buttons |= 1;
    if (wParam & mk::kRButton) buttons |= 2;
    if (wParam & mk::kMButton) buttons |= 4;
    return buttons;
}

int16_t ShiftOf(intptr_t wParam, const SystemInfo& system) {
    int16_t shift = 0;
    if (wParam & mk::kShift) shift |= 1;
    if (wParam & mk::kControl) shift |= 2;
    if (system.KeyDown(18)) shift |= 4;
    return shift;
}

MessageRouter::MessageRouter(WindowSystem& windows, const SystemInfo& system, HWND hwnd,
                             ControlInput& control)
    : windows_(windows), system_(system), hwnd_(hwnd), control_(control) {
    windows_.SetWindowProcedure(hwnd_, [this](uint32_t msg, intptr_t wParam, intptr_t lParam) {
        return Runtime(msg, wParam, lParam);
    });
}

MessageRouter::~MessageRouter() {
    DetachHooks();
    windows_.SetWindowProcedure(hwnd_, nullptr);
}

void MessageRouter::AttachHooks(bool wheel) {
    if (!hooked_) {
        // Failures are ignored: a window that is gone simply hears nothing.
        for (uint32_t msg : kHooked) windows_.AttachMessage(this, hwnd_, msg);
        hooked_ = true;
    }
    if (wheel && !wheelHooked_) wheelHooked_ = windows_.AttachMessage(this, hwnd_, wm::kMouseWheel);
}

void MessageRouter::DetachHooks() {
    if (hooked_)
        for (uint32_t msg : kHooked) windows_.DetachMessage(this, hwnd_, msg);
    if (wheelHooked_) windows_.DetachMessage(this, hwnd_, wm::kMouseWheel);
    hooked_ = wheelHooked_ = false;
}

intptr_t MessageRouter::WindowProc(HWND, uint32_t msg, intptr_t wParam, intptr_t lParam) {
    switch (msg) {
        case wm::kKeyDown:
        case wm::kKeyUp:
            control_.OnKeyMessage((lParam >> 29) & 1, system_.KeyDown(17));
            break;
        case wm::kMouseMove: control_.OnHookedMouseMove(); break;
        case wm::kTimer: control_.OnHookedTimer(wParam); break;
        case wm::kMouseWheel: {
            const auto high = static_cast<uint16_t>((static_cast<uintptr_t>(wParam) >> 16) & 0xFFFFu);
            control_.OnWheel(static_cast<int16_t>(high));
            break;
        }
        case wm::kThemeChanged: control_.OnThemeChanged(); break;
        default: break;
    }
    return 0;
}

intptr_t MessageRouter::Runtime(uint32_t msg, intptr_t wParam, intptr_t lParam) {
    const POINT p = UnpackPoint(lParam);
    const auto x = static_cast<float>(p.x);
    const auto y = static_cast<float>(p.y);
    const int16_t shift = ShiftOf(wParam, system_);
    switch (msg) {
        case wm::kMouseMove: control_.OnMouseMove(ButtonsOf(wParam), shift, x, y); break;
        case wm::kLButtonDown: control_.OnMouseDown(1, shift, x, y); break;
        case wm::kRButtonDown: control_.OnMouseDown(2, shift, x, y); break;
        case wm::kMButtonDown: control_.OnMouseDown(4, shift, x, y); break;
        case wm::kLButtonUp: control_.OnMouseUp(1, shift, x, y); break;
        case wm::kRButtonUp: control_.OnMouseUp(2, shift, x, y); break;
        case wm::kMButtonUp: control_.OnMouseUp(4, shift, x, y); break;
        case wm::kLButtonDblClk: control_.OnDblClick(); break;
        case wm::kRuntimeClick: control_.OnClick(); break;
        case wm::kSetFocus: control_.OnGotFocus(); break;
        case wm::kKillFocus: control_.OnLostFocus(); break;
        case wm::kKeyDown:
        case wm::kKeyUp: {
            auto code = static_cast<int16_t>(wParam);
            const auto mask = static_cast<int16_t>(system_.ModifierMask());
            if (msg == wm::kKeyDown)
                control_.OnKeyDown(code, mask);
            else
                control_.OnKeyUp(code, mask);
            break;
        }
        case wm::kChar: {
            auto code = static_cast<int16_t>(wParam);
            control_.OnKeyPress(code);
            break;
        }
        default: break;
    }
    return 0;
}

}  // namespace glv
