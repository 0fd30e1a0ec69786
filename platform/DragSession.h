#pragma once
// Drag and drop between the windows of a form.
//
// A window takes part by registering a source and/or a target interface under a window
// property. A session starts from a source window while a button is held; from then on it
// holds the pointer (through the form's pop-up capture) and carries the notifications:
//  - start: the source fills the data object and says which effects it allows (copy 1, move 2);
//    a drag that allows nothing ends at once with complete(0);
//  - over, on each pointer move: the target under the pointer (the deepest window with a
//    registered target, or one of its ancestors) gets enter when the pointer comes in, over
//    while it stays and leave when it goes, with the default effect (copy when Ctrl is held,
//    else move, as far as the source allows it; none where there is no target), which the
//    target may change; then the source gets feedback with the effect chosen;
//  - drop, when the button comes up over a target whose effect is not none; otherwise the
//    target gets leave;
//  - set data, when a target reads a format the source announced without data;
//  - complete, to the source, with the effect of the drop (0 when nothing was dropped).
// Escape held during a move (the key state, as the system polls it) cancels the drag.

#include <cstdint>

#include "platform/DataObject.h"
#include "platform/DrawnWindow.h"
#include "platform/Form.h"

namespace glv {

namespace dropeffect {
inline constexpr int32_t kNone = 0;
inline constexpr int32_t kCopy = 1;
inline constexpr int32_t kMove = 2;
}  // namespace dropeffect

// The State argument of a drag over: the pointer came in, went out, or moved inside.
enum class DragOverState : int16_t { Enter = 0, Leave = 1, Over = 2 };

class DragSource {
public:
    virtual ~DragSource() = default;
    virtual void DragStart(DataObject& data, int32_t& allowedEffects) = 0;
    virtual void DragFeedback(int32_t /*effect*/, bool& /*defaultCursors*/) {}
    virtual void DragSetData(DataObject& /*data*/, int16_t /*format*/) {}
    virtual void DragComplete(int32_t /*effect*/) {}
};

// Coordinates are the target window's client pixels; button and shift are the runtime's codes
// (1 left, 2 right; 1 Shift, 2 Ctrl, 4 Alt).
class DropTarget {
public:
    virtual ~DropTarget() = default;
    virtual void DragOver(DataObject& data, int32_t& effect, int32_t button, int32_t shift, float x,
                          float y, DragOverState state) = 0;
    virtual void Drop(DataObject& data, int32_t& effect, int32_t button, int32_t shift, float x, float y) = 0;
};

// Registers (or, with nullptr, revokes) a window's part in drag and drop.
void RegisterDragSource(WindowSystem& windows, HWND hwnd, DragSource* source);
void RegisterDropTarget(WindowSystem& windows, HWND hwnd, DropTarget* target);

class DragSession {
public:
    DragSession(Platform& platform, Form& form);
    ~DragSession();
    DragSession(const DragSession&) = delete;
    DragSession& operator=(const DragSession&) = delete;

    // Starts a drag from a registered source window, with `button` held (1 left, 2 right).
    // Answers false, and nothing happens, when the window is not a source or a drag is running.
    bool Start(HWND source, int32_t button = 1);
    bool Active() const { return active_; }
    DataObject& Data() { return data_; }
    int32_t AllowedEffects() const { return allowed_; }
    // The effect of the last over (what the pointer shows), or of the drop once it is done.
    int32_t Effect() const { return effect_; }
    // The window whose target the pointer is over, 0 when none.
    HWND Target() const { return target_; }

    // What the pointer messages do, for hosts that drive the drag themselves: a move to a point
    // of the form's client area, the release there, and a cancellation.
    void Over(POINT at, int32_t shift);
    void Drop(POINT at, int32_t shift);
    void Cancel();

    HWND hwnd() const { return window_.hwnd(); }

private:
    intptr_t Procedure(uint32_t msg, intptr_t wParam, intptr_t lParam);
    DragSource* Source() const;
    // The window with a registered target under a point of the form, and that target.
    HWND TargetAt(POINT at, DropTarget*& target) const;
    void Leave();
    void Finish(int32_t effect);

    Platform& platform_;
    Form& form_;
    DrawnWindow window_;  // holds the pointer during the drag; never shown
    DataObject data_;
    HWND source_ = 0;
    HWND target_ = 0;
    int32_t button_ = 1;
    int32_t allowed_ = dropeffect::kNone;
    int32_t effect_ = dropeffect::kNone;
    bool active_ = false;
};

}  // namespace glv
