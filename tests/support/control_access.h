#pragma once
// The one way tests reach a control's internal state: the shared value structs the subsystems
// keep (items, columns, view, properties, frame, render and applied state), what the host cannot
// set directly (the header cell under the pointer, a press) and what it cannot read (gesture
// flags, the background cache). Everything else a test drives and reads through the public
// interface.

#include "control/GlideListView.h"
#include "control/ListScrolling.h"

namespace glv {

struct ControlTestAccess {
    static ItemStore& Items(GlideListView& list) { return list.items_; }
    static const ItemStore& Items(const GlideListView& list) { return list.items_; }
    static ColumnStore& Columns(GlideListView& list) { return list.columns_; }
    static const ColumnStore& Columns(const GlideListView& list) { return list.columns_; }
    static ViewState& View(GlideListView& list) { return list.view_; }
    static const ViewState& View(const GlideListView& list) { return list.view_; }
    static PropertyValues& Props(GlideListView& list) { return list.props_; }
    static const PropertyValues& Props(const GlideListView& list) { return list.props_; }
    static GlideListView::FrameState& Frame(GlideListView& list) { return list.frame_; }
    static const GlideListView::FrameState& Frame(const GlideListView& list) { return list.frame_; }
    static GlideListView::RenderState& Render(GlideListView& list) { return list.render_; }
    static const GlideListView::RenderState& Render(const GlideListView& list) { return list.render_; }
    // What the property hooks handed on to the parts that use them.
    static const GlideListView::AppliedProperties& Applied(const GlideListView& list) { return list.applied_; }
    // The background cache each pass starts from.
    static const Surface* Background(const GlideListView& list) { return list.background_.hdc(); }
    static InputState& Input(GlideListView& list) { return list.input_; }
    // The list's vertical position in shown rows, as it last told the bar (at least 1).
    static int32_t VerticalPosition(const GlideListView& list) { return list.scroll_->vPosition; }
    // False between BeginUpdate and EndUpdate, while the stored row geometry is the last paint's.
    static bool PaintingEnabled(const GlideListView& list) { return list.view_.paintingEnabled; }
};

}  // namespace glv
