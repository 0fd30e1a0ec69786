// The key handlers of the control's window: key down with its navigation table, key press, key
// up with the report of a keyboard move, and the Delete key's prompting deletion. The rules
// themselves are input/Keyboard.h.

#include "control/GlideListView.h"
#include "control/ListScrolling.h"
#include "core/Events.h"

namespace glv {

void GlideListView::ScrollTopTo(int32_t top) {
    view_.topIndex = top;
    // The bar counts shown rows; with every row shown that is the index itself.
    const bool allShown = items_.VisibleCount() == items_.Count();
    SetVScrollBarValue(allShown ? top : CountVisibleBetween(items_, 1, top));
}

void GlideListView::KeyDownTail(int32_t rowAtStart) {
    if (keyboard_.row != rowAtStart) keyboard_.moved = true;
    StartRepaintTimer();
}

void GlideListView::OnKeyDown(int16_t& keyCode, int16_t shift) {
    if (!props_.Enabled) return;
    PaintBatch batch(*this);
    const int32_t rowAtStart = keyboard_.row;
    Selection selection(items_, view_);
    auto arrow = [&](bool up) {
        const ArrowView arrowView{view_.topIndex, FindFirstVisibleListItem(), up ? 0 : FindLastVisibleListItem()};
        const ArrowResult result = up ? MoveSelectionUp(items_, selection, keyboard_, view_.currentItem, arrowView)
                                      : MoveSelectionDown(items_, selection, keyboard_, view_.currentItem, arrowView);
        if (result.setScroll || result.topIndex != view_.topIndex) ScrollTopTo(result.topIndex);
        if (result.tail) KeyDownTail(rowAtStart);
    };
    switch (KeyDownAction(keyCode, props_.AllowKeyNavigation, props_.AllowDelete)) {
        case KeyAction::PassOn:
            FlushPaint();
            if (events_) events_->KeyDown(keyCode, shift);
            break;
        case KeyAction::Ctrl:
            view_.ctrlHeld = true;
            KeyDownTail(rowAtStart);
            break;
        case KeyAction::PageUp: {
            const PageFrame frame = CurrentPageFrame();
            const int32_t rowSpace = frame.surfaceHeight - frame.headerHeight - 2 - frame.hScrollBand;
            ScrollTopTo(PageUpTop(items_, view_.topIndex, rowSpace, props_.GridLines, FindFirstVisibleListItem()));
            Repaint();
            break;
        }
        case KeyAction::PageDown:
            ScrollTopTo(PageDownTop(view_.topIndex, ItemCountPerPage(), items_.Count()));
            Repaint();
            break;
        case KeyAction::Home:
            ScrollTopTo(FindFirstVisibleListItem());
            Repaint();
            break;
        case KeyAction::Left:
        case KeyAction::Right: {
            GlideHScroll& bar = HScrollBar();
            if (!frame_.hScrollVisible || !bar.Enabled()) break;
            const int32_t maximum = bar.Max();
            const int32_t position = HorizontalStep(render_.hScrollOffset, maximum,
                                                    keyCode == vk::kRight);
            render_.hScrollOffset = position;
            bar.SetValue(position);
            if (!platform_.clock.Enabled(horizontalRepaintTimer_)) platform_.clock.Start(horizontalRepaintTimer_);
            break;
        }
        case KeyAction::Up: arrow(true); break;
        case KeyAction::Down: arrow(false); break;
        case KeyAction::Delete: DeleteSelection(); break;
    }
}

void GlideListView::OnKeyPress(int16_t& keyAscii) {
    if (!props_.Enabled) return;
    if (events_) events_->KeyPress(keyAscii);
}

void GlideListView::OnKeyUp(int16_t& keyCode, int16_t shift) {
    if (!props_.Enabled) return;
    PaintBatch batch(*this);
    if (keyCode == vk::kControl) view_.ctrlHeld = false;
    StopRepaintTimer();
    Repaint();
    if (keyboard_.moved && items_.Contains(keyboard_.row)) {
        keyboard_.moved = false;
        const int32_t row = keyboard_.row;
        FlushPaint();
        if (events_) events_->SelectedRowChanged(row);
        RaiseItemClick(row);
        return;
    }
    FlushPaint();
    if (events_) events_->KeyUp(keyCode, shift);
}

void GlideListView::DeleteSelection() {
    if (!IsAnySelected()) return;
    if (props_.MaintainSelection) {
        Selection selection(items_, view_);
        const int32_t p = selection.FirstSelectedRow();
        DeleteSelectedWithPrompting();
        const MaintainedSelection kept = selection.MaintainAfterDelete(
            props_.MaintainSelectionMode, p, view_.topIndex, FindLastVisibleListItem());
        if (kept.topToFirst) ScrollTopTo(1);
        if (kept.topToFirst) SyncScrollBars();
        if (kept.ensureVisible) EnsureVisible(kept.row);
        if (kept.repaint) Repaint();
    } else {
        ItemsDeleteSelected();
    }
    SyncScrollBars();
    Repaint();
}

}  // namespace glv
