#pragma once
// Every message of the control's window reaches the control through this one router, in the two
// layers the hosting system has:
//
//  - the message hooks the control attaches to its own window while it runs in a host's user
//    mode (the key messages for the Alt and Ctrl state, the pointer moves that start the leave
//    timer, that timer's ticks, the wheel when the system has one, the visual-style change);
//    hooks see a message first;
//  - the runtime's own window procedure, which turns the pointer, key and focus messages into
//    the control's handlers (press, move, release, click, double click, key down, press and
//    up, focus gained and lost), with the runtime's Button and Shift arguments.
//
// The control implements ControlInput; the router only decodes messages.

#include <cstdint>

#include "platform/SystemInfo.h"
#include "platform/WindowSystem.h"

namespace glv {

class ControlInput {
public:
    virtual ~ControlInput() = default;
    // The runtime's events.
    virtual void OnMouseDown(int16_t button, int16_t shift, float x, float y) = 0;
    virtual void OnMouseMove(int16_t button, int16_t shift, float x, float y) = 0;
    virtual void OnMouseUp(int16_t button, int16_t shift, float x, float y) = 0;
    virtual void OnClick() = 0;
    virtual void OnDblClick() = 0;
    virtual void OnKeyDown(int16_t& keyCode, int16_t shift) = 0;
    virtual void OnKeyPress(int16_t& keyAscii) = 0;
    virtual void OnKeyUp(int16_t& keyCode, int16_t shift) = 0;
    virtual void OnGotFocus() = 0;
    virtual void OnLostFocus() = 0;
    // The hooked messages.
    virtual void OnKeyMessage(bool altContext, bool ctrlDown) = 0;
    virtual void OnHookedMouseMove() = 0;
    virtual void OnHookedTimer(intptr_t id) = 0;
    virtual void OnWheel(int16_t delta) = 0;
    virtual void OnThemeChanged() = 0;
};

class MessageRouter final : public MessageSink {
public:
    // Installs the runtime's window procedure on the window at once; the hooks wait for
    // AttachHooks.
    MessageRouter(WindowSystem& windows, const SystemInfo& system, HWND hwnd, ControlInput& control);
    ~MessageRouter() override;
    MessageRouter(const MessageRouter&) = delete;
    MessageRouter& operator=(const MessageRouter&) = delete;

    // The hooked messages, the wheel only when the system reports one. Attaching twice or
    // detaching when nothing is attached does nothing.
    void AttachHooks(bool wheel);
    void DetachHooks();
    bool HooksAttached() const { return hooked_; }

    intptr_t WindowProc(HWND hwnd, uint32_t msg, intptr_t wParam, intptr_t lParam) override;

private:
    intptr_t Runtime(uint32_t msg, intptr_t wParam, intptr_t lParam);

    WindowSystem& windows_;
    const SystemInfo& system_;
    HWND hwnd_;
    ControlInput& control_;
    bool hooked_ = false;
    bool wheelHooked_ = false;
};

// The runtime's Button and Shift of a mouse message: the held buttons from wParam (1 left,
// 2 right, 4 middle), Shift and Ctrl from wParam, Alt from the key state.
int16_t ButtonsOf(intptr_t wParam);
int16_t ShiftOf(intptr_t wParam, const SystemInfo& system);

}  // namespace glv
