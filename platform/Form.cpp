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

namespace {
constexpr const char* kFormProperty = "glv:Form";
}

Form::Form(Platform& platform, int32_t width, int32_t height, POINT screenOrigin)
    : platform_(platform) {
    hwnd_ = platform_.windows.CreateWindow(0, "Form", {screenOrigin.x, screenOrigin.y, ClampSurfaceSide(width),
                                                       ClampSurfaceSide(height)});
    platform_.windows.SetProp(hwnd_, kFormProperty, reinterpret_cast<intptr_t>(this));
}

Form::~Form() { platform_.windows.DestroyWindow(hwnd_); }

Form* Form::Of(const WindowSystem& windows, HWND hwnd) {
    for (; hwnd != 0 && windows.IsWindow(hwnd); hwnd = windows.GetParent(hwnd))
        if (const intptr_t form = windows.GetProp(hwnd, kFormProperty)) return reinterpret_cast<Form*>(form);
    return nullptr;
}

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

namespace {

constexpr int32_t kModifierKeys[3] = {16, 17, 18};  // Shift, Ctrl, Alt: mask bits 1, 2, 4

}  // namespace

int32_t Form::HoldModifiers(int32_t shift) {
    int32_t marked = 0;
    for (int bit = 0; bit < 3; ++bit) {
        const int32_t key = kModifierKeys[bit];
        if ((shift & (1 << bit)) && !platform_.system.KeyDown(key)) {
            platform_.system.keysDown[key] = true;
            marked |= 1 << bit;
        }
    }
    return marked;
}

void Form::ReleaseModifiers(int32_t marked) {
    for (int bit = 0; bit < 3; ++bit)
        if (marked & (1 << bit)) platform_.system.keysDown[kModifierKeys[bit]] = false;
}

void Form::Key(KeyAction action, int32_t code, int32_t shift) {
    WindowSystem& windows = platform_.windows;
    SystemInfo& system = platform_.system;
    const bool modifier = code == 16 || code == 17 || code == 18;
    // The asynchronous state changes before the message is processed: a key down is already
    // down, a key up already up.
    if (modifier && action != KeyAction::Press) system.keysDown[code] = action == KeyAction::Down;
    const int32_t marked = HoldModifiers(shift);
    const HWND target = windows.GetFocus();
    if (target != 0) {
        intptr_t lParam = 1;  // repeat count
        if (system.KeyDown(18)) lParam |= intptr_t{1} << 29;
        if (action == KeyAction::Up) lParam |= intptr_t{3} << 30;  // previous state, transition
        const uint32_t msg = action == KeyAction::Down ? wm::kKeyDown
                             : action == KeyAction::Up ? wm::kKeyUp
                                                       : wm::kChar;
        windows.SendMessage(target, msg, code, lParam);
    }
    ReleaseModifiers(marked);
}

CursorShape Form::Cursor() const {
    const HWND window = capture_ ? capture_ : pointerWindow_;
    return platform_.windows.GetCursorShape(window);
}

void Form::Pointer(PointerAction action, int32_t x, int32_t y, int32_t button, int32_t shift,
                   std::optional<int32_t> heldButtons) {
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
    const int32_t held = action == PointerAction::Move && heldButtons ? *heldButtons : buttonsDown_;
    const int32_t marked = HoldModifiers(shift);
    const int32_t modifiers = platform_.system.ModifierMask();
    intptr_t flags = 0;
    if (held & 1) flags |= mk::kLButton;
    if (held & 2) flags |= mk::kRButton;
    if (held & 4) flags |= mk::kMButton;
    if (modifiers & 1) flags |= mk::kShift;
    if (modifiers & 2) flags |= mk::kControl;
    pointerWindow_ = target;
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
            // The press gives the focus to the window, or to the nearest ancestor that takes it
            // (a list keeps the focus when its scroll bar is pressed).
            if (deliver) {
                HWND focus = target;
                while (focus != 0 && !windows.IsFocusable(focus)) focus = windows.GetParent(focus);
                if (focus != 0) windows.SetFocus(focus);
            }
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
    ReleaseModifiers(marked);
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
