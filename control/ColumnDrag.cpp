// The header gestures: resizing a column by its divider and dragging a column to another place,
// and the host's column reordering (SwapColumns, MoveColumn). The press and move handlers call
// in here; the repaint timer (2 ms) animates both gestures while they last.

#include "control/GlideListView.h"
#include "core/ColumnReorder.h"

namespace glv {

namespace {

// Pointer X as the integer pixel the gestures keep.
int32_t PixelX(float x) { return static_cast<int32_t>(RoundHalfEven(x)); }

}  // namespace

// A press on a divider while the sizing pointer shows.
void GlideListView::BeginColumnResize(float x) {
    columnGesture_.resizeColumn = input_.dividerColumn;
    if (!pointer_.resizing) StartRepaintTimer();
    pointer_.resizing = true;
    columnGesture_.pressX = PixelX(x);
}

// A left press on a header cell: it may become a drag once the pointer moves far enough.
void GlideListView::BeginColumnDrag(int32_t column, float x) {
    ColumnGestureState& g = columnGesture_;
    g.pressX = PixelX(x);
    g.draggedColumn = column;
    g.imageLeft = columns_.Column(column).cHCollX;
    g.grabOffset = g.pressX - g.imageLeft;
    pointer_.dragPending = true;
}

bool GlideListView::ColumnGestureMove(int16_t button, float x) {
    ColumnGestureState& g = columnGesture_;
    if (g.timerBusy || pointer_.dragActive) return true;
    if (pointer_.dragPending) {
        if (ColumnDragStarts(static_cast<float>(g.pressX), x)) StartColumnDrag();
        return true;
    }
    if (!pointer_.resizing) return false;
    // The click after the release ends a resize, but a release outside the control is followed
    // by no click: the first move without the left button ends the resize instead, rather than
    // let the column follow a pointer that is no longer dragging it.
    if ((button & 1) == 0) {
        pointer_.resizing = false;
        return false;
    }
    // Each step adds the distance from the previous one; the timer's next tick shows it.
    if (props_.AllowColumnResizing && columns_.Contains(g.resizeColumn)) {
        tColHeaderInfo& column = columns_.Column(g.resizeColumn);
        const int32_t to = PixelX(x);
        column.cHWidth = ResizedWidth(column.cHWidth, column.cHMinWidth, columns_.Ext(g.resizeColumn).MaxWidth,
                                      g.pressX, to);
        g.pressX = to;
    }
    return true;
}

// The drag image is the column as the control shows it now, over the control's full height.
void GlideListView::StartColumnDrag() {
    ColumnGestureState& g = columnGesture_;
    pointer_.dragActive = true;
    StartRepaintTimer();
    g.dragImage.Release();
    if (!columns_.Contains(g.draggedColumn)) return;
    const tColHeaderInfo& column = columns_.Column(g.draggedColumn);
    g.dragImage.SetSize(column.cHWidth, surface_.Height());
    if (Surface* image = g.dragImage.hdc())
        image->BitBlt(0, 0, g.dragImage.Width(), g.dragImage.Height(), surface_, column.cHCollX, 0);
}

void GlideListView::OnRepaintTick() {
    ColumnGestureState& g = columnGesture_;
    if (!pointer_.dragActive || !props_.AllowColumnDrag) {
        Repaint();
        return;
    }
    const int32_t x = PixelX(pointer_.x);
    if (x == g.imageLeft) return;
    g.timerBusy = true;
    Repaint();
    g.imageLeft = x - g.grabOffset;
    if (const Surface* image = g.dragImage.hdc())
        surface_.BitBlt(g.imageLeft, 0, image->Width(), image->Height(), *image, 0, 0);
    g.timerBusy = false;
}

// The release of an active drag: the column goes where the pointer is, and the sort marker goes
// with it when it was the sorted column. Beyond the last column nothing moves.
void GlideListView::FinishColumnDrag(float x) {
    ColumnGestureState& g = columnGesture_;
    input_.pressedColumn = -1;
    g.dragImage.Release();
    const std::optional<int32_t> target = ColumnSpanAt(columns_, x);
    if (target && props_.SortedColumn == g.draggedColumn) props_.SortedColumn = *target;
    if (target) MoveColumn(g.draggedColumn, *target);
    Repaint();
}

bool GlideListView::SwapColumns(int32_t column1, int32_t column2) {
    return SwapColumnCells(columns_, items_, column1, column2);
}

bool GlideListView::MoveColumn(int32_t column1, int32_t column2) {
    if (!MoveColumnCells(columns_, items_, column1, column2)) return false;
    Repaint();
    return true;
}

}  // namespace glv
