#pragma once
// The hosting runtime's form: a top-level window that holds the controls as child windows,
// turns raw pointer input into the window messages the runtime would deliver, and composes the
// windows' surfaces into one picture.
//
// Pointer input, as the runtime does it:
//  - the message goes to the deepest visible window under the pointer, or, while a button is
//    held, to the window that took the press (capture); a disabled window takes none;
//  - a press gives that window the focus before it sees the press;
//  - a second left press on the same window within 500 ms and the double-click distance arrives
//    as a double-click message instead of a press;
//  - a release inside the pressed window is followed by a click notification, except the release
//    that ends a double click;
//  - the system's cursor position follows the pointer, so controls that read the cursor (the
//    scroll bars) see where it is.
// Coordinates of messages are the target window's client pixels, packed into lParam as x in the
// low 16 bits and y in the high 16 bits; wParam holds the MK_ button and key flags.
//
// Key input goes to the window with the focus. A key down of Shift, Ctrl or Alt marks that key
// held in the system's asynchronous key state until its key up; key messages sent while Alt is
// held carry the context-code bit (bit 29 of lParam), as the system sets it.

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/Platform.h"
#include "platform/Surface.h"

namespace glv {

namespace wm {
// The runtime's Click event of the window that was pressed, sent after the release.
inline constexpr uint32_t kRuntimeClick = 0x8001;
inline constexpr uint32_t kMButtonDown = 0x0207;
inline constexpr uint32_t kMButtonUp = 0x0208;
}  // namespace wm

// wParam flags of mouse messages.
namespace mk {
inline constexpr intptr_t kLButton = 0x01;
inline constexpr intptr_t kRButton = 0x02;
inline constexpr intptr_t kShift = 0x04;
inline constexpr intptr_t kControl = 0x08;
inline constexpr intptr_t kMButton = 0x10;
}  // namespace mk

// A window shows its picture by naming its surface under this window property; the form
// composes every visible window that has one.
inline constexpr const char* kSurfaceProperty = "glv:Surface";
void RegisterSurface(WindowSystem& windows, HWND hwnd, const Surface* surface);

// lParam of a mouse message and back.
intptr_t PackPoint(int32_t x, int32_t y);
POINT UnpackPoint(intptr_t lParam);

class Form {
public:
    static constexpr int32_t kDoubleClickMs = 500;

    // A top-level window of that size whose client area starts at `screenOrigin`.
    Form(Platform& platform, int32_t width, int32_t height, POINT screenOrigin = {0, 0});
    ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    HWND hwnd() const { return hwnd_; }
    void SetSize(int32_t width, int32_t height);

    // The form a window sits on: the window itself or its nearest ancestor that is a form;
    // nullptr for a window on no form. Pop-ups of a control (tooltip, menu) find their form so.
    static Form* Of(const WindowSystem& windows, HWND hwnd);

    enum class PointerAction : uint8_t { Move, Down, Up };
    // Raw pointer input at (x, y) in the form's client pixels. button is the runtime's button
    // code (1 left, 2 right, 4 middle); shift its modifier mask (1 Shift, 2 Ctrl, 4 Alt), added
    // to the keys held for this message. For a move, heldButtons (a button mask) replaces the
    // buttons the form counts as held, when given.
    void Pointer(PointerAction action, int32_t x, int32_t y, int32_t button = 1, int32_t shift = 0,
                 std::optional<int32_t> heldButtons = std::nullopt);

    enum class KeyAction : uint8_t { Down, Press, Up };
    // Key input to the focused window: a key down or up with a virtual-key code, or a press with
    // a character code. shift adds modifiers held for this message only.
    void Key(KeyAction action, int32_t code, int32_t shift = 0);

    // The pointer shape over the window the pointer was last over (or that holds the capture).
    CursorShape Cursor() const;

    // The deepest visible window under a point of the client area (the form itself when no
    // child is there).
    HWND WindowAt(int32_t x, int32_t y) const;
    HWND Capture() const { return capture_; }

    // The picture: the form's background with every visible window's surface over it, children
    // over their parents, each clipped to its ancestors.
    Surface Compose(COLORREF background = RGB(255, 255, 255)) const;

    // Top-most windows: top-level windows (placed in screen pixels) that belong to this form and
    // are composed over everything in it, later ones over earlier ones: pop-up menus, tooltips.
    // They take no part in the hit test, so a tooltip never takes the pointer or the focus; a
    // pop-up that wants the pointer takes it with SetPopupCapture. Adding one again moves it to
    // the top.
    void AddTopMost(HWND hwnd);
    void RemoveTopMost(HWND hwnd);
    // While set, every pointer message goes to this window, in its client pixels (negative or
    // beyond its size when the pointer is outside it), the way an open menu or a drag holds the
    // pointer: a press outside reaches it too, so it can close. 0 releases the pointer.
    void SetPopupCapture(HWND hwnd) { popupCapture_ = hwnd; }
    HWND PopupCapture() const { return popupCapture_; }
    // A point of the client area in screen pixels, where top-level windows are placed.
    POINT ClientToScreen(POINT client) const;

private:
    HWND WindowAtIn(HWND parent, POINT screen) const;
    void ComposeWindow(Surface& out, HWND hwnd, RECT clip) const;
    POINT ClientOf(HWND hwnd, POINT screen) const;
    // Marks the modifiers of a mask held that are not held already; returns those it marked.
    int32_t HoldModifiers(int32_t shift);
    void ReleaseModifiers(int32_t marked);

    Platform& platform_;
    HWND hwnd_ = 0;
    HWND capture_ = 0;
    HWND pointerWindow_ = 0;   // the window the last pointer message went to
    int32_t buttonsDown_ = 0;  // the runtime's button mask of held buttons
    // The last left press, for double clicks.
    HWND lastPressWindow_ = 0;
    int64_t lastPressTime_ = 0;
    POINT lastPressPoint_;
    bool lastPressWasDouble_ = false;
    bool havePress_ = false;
    std::vector<HWND> topMost_;
    HWND popupCapture_ = 0;
};

}  // namespace glv
