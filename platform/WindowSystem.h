#pragma once
// Windows: integer handles with a parent, a position, visibility, enabled state and focus;
// named pointer-sized properties; and message hooks.
//
// A message sent to a window goes first to every sink attached to that (window, message)
// pair, in the order they were attached, and then to the window's own procedure. A sink
// observes the message; it never changes what the window itself does with it.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/Geometry.h"

namespace glv {

using HWND = int32_t;

// Message numbers the library uses.
namespace wm {
inline constexpr uint32_t kTimer = 0x0113;
inline constexpr uint32_t kKeyDown = 0x0100;
inline constexpr uint32_t kKeyUp = 0x0101;
inline constexpr uint32_t kSysKeyDown = 0x0104;
inline constexpr uint32_t kSysKeyUp = 0x0105;
inline constexpr uint32_t kMouseMove = 0x0200;
inline constexpr uint32_t kLButtonDown = 0x0201;
inline constexpr uint32_t kLButtonUp = 0x0202;
inline constexpr uint32_t kLButtonDblClk = 0x0203;
inline constexpr uint32_t kRButtonDown = 0x0204;
inline constexpr uint32_t kRButtonUp = 0x0205;
inline constexpr uint32_t kMouseWheel = 0x020A;
inline constexpr uint32_t kMouseLeave = 0x02A3;
inline constexpr uint32_t kThemeChanged = 0x031A;
inline constexpr uint32_t kSetFocus = 0x0007;   // wParam: the window that lost the focus
inline constexpr uint32_t kKillFocus = 0x0008;  // wParam: the window that gains it
inline constexpr uint32_t kChar = 0x0102;  // wParam: the typed character's code point
}  // namespace wm

// A receiver of hooked messages (the ISubclass sink of the control and its scroll bars).
class MessageSink {
public:
    virtual ~MessageSink() = default;
    // How the hook dispatches: every control of this library answers 2 (see the message and
    // then let the window process it as usual).
    virtual int32_t MsgResponse() const { return 2; }
    virtual intptr_t WindowProc(HWND hwnd, uint32_t msg, intptr_t wParam, intptr_t lParam) = 0;
};

using WindowProcedure = std::function<intptr_t(uint32_t msg, intptr_t wParam, intptr_t lParam)>;

// The pointer shapes a window asks for while the pointer is over it.
enum class CursorShape : uint8_t { Arrow, SizeWE };

struct WindowPlacement {
    int32_t x = 0, y = 0, width = 0, height = 0;
    bool operator==(const WindowPlacement&) const = default;
};

class WindowSystem {
public:
    // Creates a window; parent 0 makes a top-level window. New windows are visible and enabled.
    HWND CreateWindow(HWND parent, std::string className, WindowPlacement placement = {});
    // Destroys the window and its children, their properties and hooks. Unknown handles are ignored.
    void DestroyWindow(HWND hwnd);
    bool IsWindow(HWND hwnd) const;

    HWND GetParent(HWND hwnd) const;
    // Children in z-order, bottom first.
    std::vector<HWND> Children(HWND hwnd) const;
    void BringToTop(HWND hwnd);
    // Moves a window under another parent (0: top level), on top of its new siblings; its
    // placement stays, now relative to the new parent. A window cannot become its own
    // descendant's child; that, or an unknown handle, changes nothing and answers false.
    bool SetParent(HWND hwnd, HWND parent);
    std::string ClassName(HWND hwnd) const;

    // Placement is relative to the parent's client area (the screen for top-level windows).
    bool SetPlacement(HWND hwnd, WindowPlacement placement);
    WindowPlacement Placement(HWND hwnd) const;
    // The window's rectangle in screen pixels (GetWindowRect): its placement offset by every
    // ancestor's. Empty for a window that does not exist.
    RECT WindowRect(HWND hwnd) const;
    bool SetVisible(HWND hwnd, bool visible);
    bool IsVisible(HWND hwnd) const;
    bool SetEnabled(HWND hwnd, bool enabled);
    bool IsEnabled(HWND hwnd) const;

    // The window with the keyboard focus, 0 when none. Focus moves only to live, enabled windows
    // that take the focus; when it really moves, the window losing it receives the kill-focus
    // message and then the one gaining it the set-focus message.
    bool SetFocus(HWND hwnd);
    HWND GetFocus() const { return focus_; }
    // Windows take the focus unless told otherwise (a scroll bar leaves it with its list).
    void SetFocusable(HWND hwnd, bool focusable);
    bool IsFocusable(HWND hwnd) const;

    // The pointer shape the window shows while the pointer is over it (the form reads it).
    void SetCursorShape(HWND hwnd, CursorShape shape);
    CursorShape GetCursorShape(HWND hwnd) const;

    // Window properties: a pointer-sized value under a name. Get answers 0 when there is none.
    bool SetProp(HWND hwnd, const std::string& name, intptr_t value);
    intptr_t GetProp(HWND hwnd, const std::string& name) const;
    intptr_t RemoveProp(HWND hwnd, const std::string& name);

    // The window's own message processing, run after the hooks.
    void SetWindowProcedure(HWND hwnd, WindowProcedure procedure);

    // Message hooks. Attaching to a window that does not exist does nothing; attaching the same
    // sink twice for one message delivers once.
    bool AttachMessage(MessageSink* sink, HWND hwnd, uint32_t msg);
    bool DetachMessage(MessageSink* sink, HWND hwnd, uint32_t msg);
    std::size_t HookCount(HWND hwnd) const;

    // Delivers a message to the attached sinks, then to the window's own procedure, whose result
    // is returned. A message to a window that does not exist returns 0 and reaches nobody.
    intptr_t SendMessage(HWND hwnd, uint32_t msg, intptr_t wParam = 0, intptr_t lParam = 0);

private:
    struct Window {
        HWND parent = 0;
        std::string className;
        WindowPlacement placement;
        bool visible = true;
        bool enabled = true;
        bool focusable = true;
        CursorShape cursor = CursorShape::Arrow;
        std::vector<HWND> children;
        std::map<std::string, intptr_t, std::less<>> props;
        std::vector<std::pair<uint32_t, MessageSink*>> hooks;
        WindowProcedure procedure;
    };
    Window* Find(HWND hwnd);
    const Window* Find(HWND hwnd) const;

    std::unordered_map<HWND, Window> windows_;
    HWND nextHandle_ = 0x100;
    HWND focus_ = 0;
};

}  // namespace glv
