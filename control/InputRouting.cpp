// The control's window messages: its router, the message hooks, the leave timer, the key state,
// the raisers the input handlers share and the repaint batching around a handler.

#include "control/GlideListView.h"
#include "control/ListScrolling.h"
#include "core/Events.h"

namespace glv {

namespace {

constexpr intptr_t kLeaveTimerId = 1;
constexpr int32_t kLeaveTimerMs = 10;
constexpr int32_t kHorizontalRepaintMs = 50;

}  // namespace

void GlideListView::InitInput() {
    router_ = std::make_unique<MessageRouter>(platform_.windows, platform_.system, hwnd_, *this);
    leaveTimer_ = std::make_unique<WindowTimer>(platform_.windows, platform_.clock, hwnd_, kLeaveTimerId);
    Clock& clock = platform_.clock;
    horizontalRepaintTimer_ = clock.CreateTimer([this] {
        platform_.clock.Stop(horizontalRepaintTimer_);  // one shot
        Repaint();
    });
    clock.SetInterval(horizontalRepaintTimer_, kHorizontalRepaintMs);
}

void GlideListView::ReleaseInput() {
    router_.reset();
    leaveTimer_.reset();
    platform_.clock.DestroyTimer(horizontalRepaintTimer_);
}

void GlideListView::AttachMessageHooks() {
    ListScrollState& s = *scroll_;
    s.wheelPresent = platform_.system.Metric(metric::kMouseWheelPresent) != 0;
    s.wheelLines = platform_.system.wheelScrollLines;
    router_->AttachHooks(s.wheelPresent);
}

void GlideListView::DetachMessageHooks() {
    if (router_) router_->DetachHooks();
    if (leaveTimer_) leaveTimer_->Kill();
}

// --- hooked messages ------------------------------------------------------------------------------

void GlideListView::OnKeyMessage(bool altContext, bool ctrlDown) {
    input_.altKeyStatus = altContext;
    input_.ctrlKeyStatus = ctrlDown;
}

void GlideListView::OnHookedMouseMove() {
    if (!leaveTimer_->Running()) leaveTimer_->Set(kLeaveTimerMs);
}

// Each tick asks whether the pointer is still over the control; once it is not, the header's
// hover look goes and the timer stops until the next move over the control.
void GlideListView::OnHookedTimer(intptr_t id) {
    if (id != kLeaveTimerId || pointer_.dragActive || pointer_.resizing) return;
    const POINT cursor{platform_.system.cursorX, platform_.system.cursorY};
    if (PtInRect(platform_.windows.WindowRect(hwnd_), cursor)) return;
    leaveTimer_->Kill();
    input_.hotColumn = -1;
    CancelToolTips(true);
    Repaint();
}

void GlideListView::OnWheel(int16_t delta) { OnMouseWheel(delta); }

// --- repaint batching -----------------------------------------------------------------------------

void GlideListView::FlushPaint() {
    if (!paintPending_) return;
    paintPending_ = false;
    Repaint();
}

// --- what the handlers share --------------------------------------------------------------------

bool GlideListView::ExpandingMode() const {
    return props_.ExpandingRow && expandingRow_.objectAttached && expandingRow_.attached &&
           expandingRow_.visible;
}

HitGeometry GlideListView::CurrentHitGeometry() const {
    // The last pass painted its page count and one more row, which may show in part.
    return HitGeometry{items_, columns_, frame_.headerHeight, std::max(view_.topIndex, 1),
                       render_.pageCount + 1, props_.AllowColumnResizing};
}

tListItemInfo& GlideListView::ItemOrEmpty(int32_t index) {
    if (items_.Contains(index)) return items_.Item(index);
    emptyItem_ = tListItemInfo{};  // a host may have written into the last one
    return emptyItem_;
}

void GlideListView::AfterItemEvent(int32_t index) { items_.SelectedFlagWritten(index); }

void GlideListView::RaiseItemMouse(bool down, int16_t button, int16_t shift, float x, float y,
                                   int32_t index) {
    FlushPaint();
    if (!events_) return;
    if (down) {
        events_->ItemMouseDown(button, shift, x, y, ItemOrEmpty(index), index);
        events_->ItemMouseDownAlt(button, shift, x, y, index);
    } else {
        events_->ItemMouseUp(button, shift, x, y, ItemOrEmpty(index), index);
        events_->ItemMouseUpAlt(button, shift, x, y, index);
    }
    AfterItemEvent(index);
}

void GlideListView::RaiseSubItemMouse(bool down, int16_t button, int16_t shift, float x, float y,
                                      int32_t index, int32_t sub) {
    FlushPaint();
    if (!events_) return;
    if (down) {
        events_->SubItemMouseDown(button, shift, x, y, ItemOrEmpty(index), index, sub);
        events_->SubItemMouseDownAlt(button, shift, x, y, index, sub);
    } else {
        events_->SubItemMouseUp(button, shift, x, y, ItemOrEmpty(index), index, sub);
        events_->SubItemMouseUpAlt(button, shift, x, y, index, sub);
    }
    AfterItemEvent(index);
}

void GlideListView::RaiseGroupHeaderMouse(bool down, int32_t row, int16_t button, int16_t shift,
                                          float x, float y) {
    FlushPaint();
    if (!events_ || !items_.Contains(row)) return;
    const int32_t state = items_.Group(row).GroupState;
    if (down)
        events_->GroupHeaderMouseDown(row, button, shift, x, y, state);
    else
        events_->GroupHeaderMouseUp(row, button, shift, x, y, state);
}

void GlideListView::RaiseColumnMouse(int kind, int16_t button, int16_t shift, float x, float y,
                                     int32_t column) {
    FlushPaint();
    if (!events_ || !columns_.Contains(column)) return;
    tColHeaderInfo& record = columns_.Column(column);
    switch (kind) {
        case 0:
            events_->ColumnMouseDown(button, shift, x, y, record, column);
            events_->ColumnMouseDownAlt(button, shift, x, y, column);
            break;
        case 1:
            events_->ColumnMouseMove(button, shift, x, y, record, column);
            events_->ColumnMouseMoveAlt(button, shift, x, y, column);
            break;
        default:
            events_->ColumnMouseUp(button, shift, x, y, record, column);
            events_->ColumnMouseUpAlt(button, shift, x, y, column);
            break;
    }
}

void GlideListView::RaiseItemClick(int32_t index) {
    FlushPaint();
    if (!events_) return;
    events_->ItemClick(ItemOrEmpty(index), index);
    events_->ItemClickAlt(index);
    AfterItemEvent(index);
}

void GlideListView::RaiseSelectedIndexChanged() {
    FlushPaint();
    if (!events_) return;
    const int32_t index = view_.currentItem;
    events_->SelectedIndexChanged(ItemOrEmpty(index), index);
    events_->SelectedIndexChangedAlt(index);
    AfterItemEvent(index);
}

}  // namespace glv
