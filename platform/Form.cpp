#include "platform/Form.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/GeometryLimits.h"

namespace glv {

void RegisterSurface(WindowSystem& windows, HWND hwnd, const Surface* surface) {
    if (surface)
        windows.SetProp(hwnd, kSurfaceProperty, reinterpret_cast<intptr_t>(surface));
    else
        windows.RemoveProp(hwnd, kSurfaceProperty);
}

intptr_t PackPoint(int32_t x, int32_t y) {
    const auto lo = static_cast<uint16_t>(x);
    const auto hi = static_cast<uint16_t>(y);
    return static_cast<intptr_t>((static_cast<uint32_t>(hi) << 16) | lo);
}

POINT UnpackPoint(intptr_t lParam) {
    const auto bits = static_cast<uint32_t>(lParam);
    return {static_cast<int16_t>(bits & 0xFFFFu), static_cast<int16_t>(bits >> 16)};
}

Form::Form(Platform& platform, int32_t width, int32_t height, POINT screenOrigin)
    : platform_(platform) {
    hwnd_ = platform_.windows.CreateWindow(0, "Form", {screenOrigin.x, screenOrigin.y, ClampSurfaceSide(width),
                                                       ClampSurfaceSide(height)});
}

Form::~Form() { platform_.windows.DestroyWindow(hwnd_); }

void Form::SetSize(int32_t width, int32_t height) {
    WindowPlacement placement = platform_.windows.Placement(hwnd_);
    placement.width = ClampSurfaceSide(width);
    placement.height = ClampSurfaceSide(height);
    platform_.windows.SetPlacement(hwnd_, placement);
}

HWND Form::WindowAtIn(HWND parent, POINT screen) const {
    const WindowSystem& windows = platform_.windows;
    const std::vector<HWND> children = windows.Children(parent);
    // Top-most first: the last child in z-order is drawn last and hit first.
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        if (!windows.IsVisible(*it) || !PtInRect(windows.WindowRect(*it), screen)) continue;
        return WindowAtIn(*it, screen);
    }
    return parent;
}

HWND Form::WindowAt(int32_t x, int32_t y) const {
    const RECT form = platform_.windows.WindowRect(hwnd_);
    return WindowAtIn(hwnd_, {form.Left + x, form.Top + y});
}

POINT Form::ClientOf(HWND hwnd, POINT screen) const {
    const RECT rect = platform_.windows.WindowRect(hwnd);
    return {screen.x - rect.Left, screen.y - rect.Top};
}

void Form::Pointer(PointerAction action, int32_t x, int32_t y, int32_t button, int32_t shift) {
    WindowSystem& windows = platform_.windows;
    const RECT form = windows.WindowRect(hwnd_);
    const POINT screen{form.Left + x, form.Top + y};
    platform_.system.cursorX = screen.x;
    platform_.system.cursorY = screen.y;
    if (capture_ && !windows.IsWindow(capture_)) capture_ = 0;
    if (popupCapture_ && !windows.IsWindow(popupCapture_)) popupCapture_ = 0;
    const HWND target = popupCapture_ ? popupCapture_ : capture_ ? capture_ : WindowAtIn(hwnd_, screen);

    if (action == PointerAction::Down) {
        if (buttonsDown_ == 0) capture_ = target;
        buttonsDown_ |= button;
    } else if (action == PointerAction::Up) {
        buttonsDown_ &= ~button;
    }
    intptr_t flags = 0;
    if (buttonsDown_ & 1) flags |= mk::kLButton;
    if (buttonsDown_ & 2) flags |= mk::kRButton;
    if (buttonsDown_ & 4) flags |= mk::kMButton;
    if (shift & 1) flags |= mk::kShift;
    if (shift & 2) flags |= mk::kControl;
    const POINT client = ClientOf(target, screen);
    const intptr_t lParam = PackPoint(client.x, client.y);
    // A disabled window takes no pointer input; the press still captures it, as the runtime
    // keeps the pointer with the window that was pressed.
    const bool deliver = windows.IsEnabled(target);
    auto send = [&](uint32_t msg) {
        if (deliver) windows.SendMessage(target, msg, flags, lParam);
    };

    switch (action) {
        case PointerAction::Move: send(wm::kMouseMove); break;
        case PointerAction::Down: {
            if (deliver) windows.SetFocus(target);
            if (button == 2) {
                send(wm::kRButtonDown);
                break;
            }
            if (button == 4) {
                send(wm::kMButtonDown);
                break;
            }
            const int64_t now = platform_.clock.Now();
            const bool isDouble =
                havePress_ && !lastPressWasDouble_ && target == lastPressWindow_ &&
                now - lastPressTime_ <= kDoubleClickMs &&
                std::abs(screen.x - lastPressPoint_.x) <= platform_.system.Metric(metric::kCxDoubleClk) &&
                std::abs(screen.y - lastPressPoint_.y) <= platform_.system.Metric(metric::kCyDoubleClk);
            havePress_ = true;
            lastPressWindow_ = target;
            lastPressTime_ = now;
            lastPressPoint_ = screen;
            lastPressWasDouble_ = isDouble;
            send(isDouble ? wm::kLButtonDblClk : wm::kLButtonDown);
            break;
        }
        case PointerAction::Up: {
            send(button == 2 ? wm::kRButtonUp : button == 4 ? wm::kMButtonUp : wm::kLButtonUp);
            const bool inside = windows.IsWindow(target) && PtInRect(windows.WindowRect(target), screen);
            // The release that ends a double click raises no click of its own.
            if (button == 1 && inside && !lastPressWasDouble_) send(wm::kRuntimeClick);
            break;
        }
    }
    if (buttonsDown_ == 0) capture_ = 0;
}

void Form::ComposeWindow(Surface& out, HWND hwnd, RECT clip) const {
    const WindowSystem& windows = platform_.windows;
    if (!windows.IsVisible(hwnd)) return;
    const RECT form = windows.WindowRect(hwnd_);
    const RECT rect = OffsetRect(windows.WindowRect(hwnd), -form.Left, -form.Top);
    clip = IntersectRect(clip, rect);
    if (IsRectEmpty(clip)) return;
    if (const auto* surface = reinterpret_cast<const Surface*>(windows.GetProp(hwnd, kSurfaceProperty))) {
        out.SetClipRect(clip);
        out.BitBlt(rect.Left, rect.Top, rect.Right - rect.Left, rect.Bottom - rect.Top, *surface, 0, 0);
        out.ClearClipRect();
    }
    for (HWND child : windows.Children(hwnd)) ComposeWindow(out, child, clip);
}

Surface Form::Compose(COLORREF background) const {
    const WindowPlacement placement = platform_.windows.Placement(hwnd_);
    Surface out(placement.width, placement.height, background);
    ComposeWindow(out, hwnd_, out.Bounds());
    for (HWND top : topMost_) ComposeWindow(out, top, out.Bounds());
    return out;
}

void Form::AddTopMost(HWND hwnd) {
    RemoveTopMost(hwnd);
    if (platform_.windows.IsWindow(hwnd)) topMost_.push_back(hwnd);
}

void Form::RemoveTopMost(HWND hwnd) { std::erase(topMost_, hwnd); }

POINT Form::ClientToScreen(POINT client) const {
    const RECT form = platform_.windows.WindowRect(hwnd_);
    return {form.Left + client.x, form.Top + client.y};
}

}  // namespace glv
