#pragma once
// The control's in-place editor: its edit box (a child window of the control, hidden at rest),
// the sink through which the box reports keys and the loss of focus, and the editing state.
#include <cstdint>

#include "control/GlideListView.h"
#include "platform/EditBox.h"

namespace glv {

class EditBoxSink final : public EditBoxEvents {
public:
    explicit EditBoxSink(GlideListView& list) : list_(list) {}
    void EditKeyDown(int32_t& keyCode, int32_t shift) override { list_.OnEditKeyDown(keyCode, shift); }
    void EditKeyPress(int32_t& keyAscii) override { list_.OnEditKeyPress(keyAscii); }
    void EditKeyUp(int32_t& keyCode, int32_t shift) override { list_.OnEditKeyUp(keyCode, shift); }
    void EditLostFocus() override { list_.OnEditLostFocus(); }

private:
    GlideListView& list_;
};

struct GlideListView::InPlaceEditor {
    InPlaceEditor(GlideListView& list, Platform& platform, HWND parent) : sink(list), box(platform, parent) {
        box.SetVisible(false);
        box.SetEvents(&sink);
    }
    EditBoxSink sink;
    EditBox box;
    bool editing = false;        // the box is open
    int32_t itemInEdit = -1;     // what ItemInEdit answers
    bool committing = false;     // a commit is running: the box's focus loss does nothing
    bool cancelPending = false;  // CancelEdit ran: the next commit request reports a cancellation
};

}  // namespace glv
