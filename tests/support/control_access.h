#pragma once
// The one way tests reach a control's internal state: what the host cannot set directly (the
// header cell under the pointer, a press) and what it cannot read (gesture flags). Everything
// else a test drives and reads through the public interface.

#include "control/GlideListView.h"
#include "control/ListScrolling.h"

namespace glv {

struct ControlTestAccess {
    static InputState& Input(GlideListView& list) { return list.input_; }
    // The list's vertical position in shown rows, as it last told the bar (at least 1).
    static int32_t VerticalPosition(const GlideListView& list) { return list.scroll_->vPosition; }
    // False between BeginUpdate and EndUpdate, while the stored row geometry is the last paint's.
    static bool PaintingEnabled(const GlideListView& list) { return list.view_.paintingEnabled; }
};

}  // namespace glv
