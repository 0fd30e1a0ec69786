// The expanding row: a host's GlideExpandingRow adopted as a band under the current item. The
// list keeps the row's height in pixels from the moment it was attached; the paint pass moves
// the row onto the selected item's place and the page walk counts its height (ControlLayout.cpp
// and ControlPaint.cpp call in here).

#include <algorithm>
#include <utility>

#include "control/GlideExpandingRow.h"
#include "control/GlideListView.h"

namespace glv {

void GlideListView::ShowExpandingRow(bool visible) {
    expandingRow_.visible = visible;
    if (expandingRow_.row) expandingRow_.row->SetctrlVisible(visible && props_.ExpandingRow);
}

// The attached row goes back, hidden, to the container the list itself sits in, and the list
// lets go of it.
void GlideListView::DetachExpandingRow() {
    WindowSystem& windows = platform_.windows;
    if (const std::shared_ptr<GlideExpandingRow> old = std::exchange(expandingRow_.row, nullptr)) {
        old->SetctrlVisible(false);
        windows.SetParent(old->hwnd(), windows.GetParent(hwnd_));
    }
    expandingRow_.objectAttached = false;
    expandingRow_.attached = false;
    expandingRow_.visible = false;
}

void GlideListView::SetExpandingRowRTControls(const std::shared_ptr<GlideExpandingRow>& ctrlRow) {
    WindowSystem& windows = platform_.windows;
    const int32_t tx = container_.TwipsPerPixelX;
    const int32_t ty = std::max(container_.TwipsPerPixelY, 1);
    DetachExpandingRow();  // the one before
    expandingRow_.objectAttached = ctrlRow != nullptr;
    expandingRow_.row = ctrlRow;
    if (ctrlRow) {
        if (windows.GetParent(ctrlRow->hwnd()) != hwnd_) windows.SetParent(ctrlRow->hwnd(), hwnd_);
        ctrlRow->SetctrlVisible(false);
        ctrlRow->SetctrlLeft(static_cast<float>(1 * tx));
        ctrlRow->SetctrlTop(static_cast<float>(frame_.headerHeight * ty));
        const int32_t inner = Width() - (frame_.vScrollVisible ? frame_.scrollBarSize : 0);
        ctrlRow->SetctrlWidth(inner * tx);
        if (props_.ExpandingRow) {
            ctrlRow->SetctrlVisible(true);
            expandingRow_.visible = true;
        }
        ctrlRow->SetAllowUpdate(true);  // the host lays its windows out now
        expandingRow_.heightPx = ctrlRow->ctrlHeight() / ty;
        view_.currentItem = 1;
        expandingRow_.attached = true;
    }
    // The scroll bars stay above the row.
    if (frame_.vScrollHwnd) windows.BringToTop(frame_.vScrollHwnd);
    if (frame_.hScrollHwnd) windows.BringToTop(frame_.hScrollHwnd);
    SyncScrollBars();
    Repaint();
}

void GlideListView::ParkExpandingRow(int32_t pageCount) {
    GlideExpandingRow* row = expandingRow_.row.get();
    if (!props_.ExpandingRow || !expandingRow_.attached || !row) return;
    const int32_t ty = container_.TwipsPerPixelY;
    const int32_t item = view_.currentItem;
    if (item < view_.topIndex)
        row->SetctrlTop(static_cast<float>(-row->ctrlHeight()));
    else if (item >= view_.topIndex + pageCount + 1)
        row->SetctrlTop(static_cast<float>(surface_.Height() * ty));
}

void GlideListView::PlaceExpandingRow(int32_t top) {
    if (expandingRow_.row) expandingRow_.row->SetctrlTop(static_cast<float>(top * container_.TwipsPerPixelY));
}

void GlideListView::ResizeExpandingRow() {
    GlideExpandingRow* row = expandingRow_.row.get();
    if (!row || !expandingRow_.attached) return;
    const int32_t inner = Width() - (frame_.vScrollVisible ? frame_.scrollBarSize : 0);
    row->SetctrlWidth(inner * container_.TwipsPerPixelX);
}

int32_t GlideListView::ExpandingRowExtraRows() const {
    if (!props_.ExpandingRow || !expandingRow_.attached || !expandingRow_.row || items_.Count() < 1) return 0;
    const int32_t rowHeight = items_.Item(1).cLIItemHeight;
    return rowHeight > 0 ? expandingRow_.heightPx / rowHeight - 2 : 0;
}

}  // namespace glv
