// The pointer handlers of the control's window: press, move, release, click and double click,
// each in the order of its steps. Hit tests come from input/HitTest.h and the selection rules
// from input/Selection.h; what is left here is the order of events and repaints.
//
// Column resizing and dragging are control/ColumnDrag.cpp's and in-place editing
// control/InPlaceEdit.cpp's; the context menu, the automatic OLE drag start and the tooltips
// live in their own files too. The handlers here start and end them.

#include "control/GlideListView.h"
#include "core/Events.h"
#include "sort/SortTypes.h"

namespace glv {

namespace {

enum ColumnMouseKind { kColumnDown = 0, kColumnMove = 1, kColumnUp = 2 };

}  // namespace

// Steps 1 to 3 of a selecting click on row r (never a group header row here).
bool GlideListView::SelectingClick(int32_t r, int16_t shift) {
    const bool expanding = ExpandingMode();
    Selection selection(items_, view_);
    const PressSelection result = selection.SelectingClick(r, {shift == 1, props_.MultiSelect, expanding});
    if (result.endPress) return false;
    if (result.rangeCleared) Repaint();  // the range cleared with ItemsDeselectAll first
    Repaint();
    if (expanding) {
        view_.currentItem = r;
        Repaint();
        return true;
    }
    if (result.rowChanged) {
        EndEdit();  // an open edit is committed as by Enter and closed
        view_.currentItem = r;
        Repaint();
        if (view_.currentItem >= 1) RaiseSelectedIndexChanged();
    } else {
        view_.currentItem = r;
    }
    return true;
}

void GlideListView::OnMouseDown(int16_t button, int16_t shift, float x, float y) {
    if (!props_.Enabled) return;
    PaintBatch batch(*this);
    pointer_.pressButton = button;
    pointer_.pressX = x;
    pointer_.pressY = y;
    pointer_.pressInProgress = true;
    // A press is where the pointer is: the click that follows reads this position even when no
    // move reported it first.
    pointer_.x = x;
    pointer_.y = y;
    const bool expanding = ExpandingMode();
    if (platform_.windows.GetCursorShape(hwnd_) == CursorShape::SizeWE && !pointer_.dragPending) {
        BeginColumnResize(x);
        return;
    }
    const bool inHeader = y <= static_cast<float>(frame_.headerHeight);
    if (inHeader) {
        if (columns_.Count() < 1) return;
        const int32_t hovered = input_.hotColumn;
        if (button == 1 && !expanding && columns_.Contains(hovered)) {
            if (props_.AllowColumnDrag) BeginColumnDrag(hovered, x);
            input_.pressedColumn = hovered;
            Repaint();
        }
        if (hovered > 0) RaiseColumnMouse(kColumnDown, button, shift, x, y, hovered);
        return;
    }
    if (items_.Count() == 0) {
        RaiseItemMouse(true, button, shift, x, y, -1);
        return;
    }
    if (columns_.Count() < 1) return;
    if (button == 2 && props_.AllowSubMenu) {
        ShowContextMenu();
        return;
    }
    const HitGeometry geometry = CurrentHitGeometry();
    const int32_t row = HitRow(geometry, y, RowRule::PressRelease).value_or(-1);
    if (button == 1 && props_.CheckBoxes && InCheckBoxZone(x)) {
        if (row >= 1) {
            tListItemInfo& item = items_.Item(row);
            item.cLIItemChecked = !item.cLIItemChecked;
            pointer_.pendingCheckRow = row;
        }
        Repaint();
        return;
    }
    if (row < 1) return;
    if (InFirstColumnArea(columns_, x)) {
        if (items_.Group(row).GroupHeader) {
            RaiseGroupHeaderMouse(true, row, button, shift, x, y);
            return;
        }
        if (button != 1) {
            RaiseItemMouse(true, button, shift, x, y, row);
            return;
        }
        if (!SelectingClick(row, shift)) return;
        RaiseItemMouse(true, button, shift, x, y, view_.currentItem);
        return;
    }
    if (columns_.Count() < 2) return;
    if (items_.Group(row).GroupHeader) {
        RaiseGroupHeaderMouse(true, row, button, shift, x, y);
        return;
    }
    const std::optional<int32_t> sub = SubItemColumn(columns_, x);
    if (!sub) return;
    if (button == 1) {
        if (props_.FullRowSelect) {
            if (!SelectingClick(row, shift)) return;
        } else if (row != view_.lastSelectedRow) {
            EndEdit();
        }
    }
    RaiseSubItemMouse(true, button, shift, x, y, row, *sub);
    view_.lastSelectedRow = row;
    Repaint();
}

void GlideListView::OnMouseMove(int16_t button, int16_t shift, float x, float y) {
    pointer_.x = x;
    pointer_.y = y;
    if (!props_.Enabled || columns_.Count() == 0) return;
    PaintBatch batch(*this);
    if (ColumnGestureMove(button, x)) return;
    WindowSystem& windows = platform_.windows;
    if (y > static_cast<float>(frame_.headerHeight)) {
        if (windows.GetCursorShape(hwnd_) != CursorShape::Arrow) windows.SetCursorShape(hwnd_, CursorShape::Arrow);
        if (input_.hotColumn != -1) {
            input_.hotColumn = -1;
            Repaint();
        }
        if (items_.Count() == 0) return;
        if (AutomaticOleDrag(x, y)) return;
        const int32_t previous = pointer_.hoverRow;
        const bool firstColumn = InFirstColumnArea(columns_, x);
        pointer_.hoverRow = HitRow(CurrentHitGeometry(), y, RowRule::PressRelease).value_or(-1);
        if (pointer_.hoverRow != previous && pointer_.hoverRow >= 1) ToolTipHoverRow(pointer_.hoverRow);
        if (pointer_.hoverRow != previous && pointer_.hoverRow >= 1 && props_.HoverSelection &&
            (firstColumn || props_.FullRowSelect) && ItemInEdit() == -1) {
            Repaint();  // deselect all repaints
            if (Selection(items_, view_).HoverSelect(pointer_.hoverRow)) Repaint();
        }
        if (pointer_.hoverRow < 1 || pointer_.pendingCheckRow != 0) return;
        FlushPaint();
        if (!firstColumn) {
            const std::optional<int32_t> sub = SubItemColumn(columns_, x);
            if (sub && events_) events_->SubItemMouseMove(button, shift, x, y, pointer_.hoverRow, *sub);
        } else if (events_) {
            events_->ItemMouseMoveAlt(button, shift, x, y, pointer_.hoverRow);
        }
        return;
    }
    CancelToolTips(true);
    const int32_t hovered = HoveredColumn(columns_, x).value_or(-1);
    if (props_.AllowColumnResizing) {
        const std::optional<int32_t> divider = DividerColumn(columns_, x);
        if (divider) input_.dividerColumn = *divider;
        windows.SetCursorShape(hwnd_, divider ? CursorShape::SizeWE : CursorShape::Arrow);
    }
    if (hovered != input_.hotColumn) {
        input_.hotColumn = hovered;
        Repaint();
    }
    if (columns_.Contains(hovered)) RaiseColumnMouse(kColumnMove, button, shift, x, y, hovered);
}

void GlideListView::OnMouseUp(int16_t button, int16_t shift, float x, float y) {
    const bool dragWasActive = pointer_.dragActive;
    pointer_.dragPending = pointer_.dragActive = pointer_.pressInProgress = false;
    StopRepaintTimer();  // the resize feedback
    platform_.clock.Stop(horizontalRepaintTimer_);
    if (!props_.Enabled) return;
    PaintBatch batch(*this);
    if (dragWasActive) {
        FinishColumnDrag(x);
        return;
    }
    const bool inHeader = y <= static_cast<float>(frame_.headerHeight);
    const int32_t hovered = input_.hotColumn;
    if (inHeader && props_.AllowColumnSorting && !ExpandingMode() && !pointer_.resizing &&
        columns_.Count() > 0 && hovered > 0 && columns_.Contains(hovered)) {
        // Any button sorts; the column's own sort type decides how.
        const auto column = static_cast<int16_t>(hovered);
        if (hovered == props_.SortedColumn) {
            props_.SortOrder = IsDescending(props_.SortOrder) ? LVSortOrderAscending : LVSortOrderDescending;
            OrderItems(1, items_.Count(), hovered, props_.SortOrder);
            Repaint();
            FlushPaint();
            if (events_) events_->SortOrderChanged(column, props_.SortOrder);
        } else {
            props_.SortedColumn = hovered;
            OrderItems(1, items_.Count(), hovered, props_.SortOrder);
            Repaint();
            FlushPaint();
            if (events_) events_->SortColumnChanged(column, props_.SortOrder);
        }
    }
    SyncScrollBars();
    if (input_.pressedColumn != -1) {
        input_.pressedColumn = -1;
        Repaint();
    }
    if (pointer_.resizing) {
        const int32_t divider = columnGesture_.resizeColumn;
        Repaint();  // the last step's width, in case no timer tick showed it yet
        FlushPaint();
        if (columns_.Contains(divider) && events_) {
            events_->ColumnWidthChanged(columns_.Column(divider), divider);
            events_->ColumnWidthChangedAlt(divider);
        }
        return;
    }
    if (inHeader) {
        if (!columns_.Contains(hovered)) return;
        if (button == 1) {
            FlushPaint();
            if (events_) {
                events_->ColumnClick(columns_.Column(hovered), hovered);
                events_->ColumnClickAlt(hovered);
            }
        }
        RaiseColumnMouse(kColumnUp, button, shift, x, y, hovered);
        return;
    }
    if (items_.Count() == 0) {
        RaiseItemMouse(false, button, shift, x, y, -1);
        return;
    }
    if (pointer_.pendingCheckRow != 0 || columns_.Count() < 1) return;
    const int32_t row = HitRow(CurrentHitGeometry(), y, RowRule::PressRelease).value_or(-1);
    if (row < 1) return;
    const bool groupHeader = items_.Group(row).GroupHeader;
    if (InFirstColumnArea(columns_, x)) {
        // A second click on the row selected by the first begins editing it.
        if (row == view_.lastSelectedRow && button == 1 && props_.AllowEdit && !groupHeader)
            BeginEdit(row);
        view_.lastSelectedRow = row;
        if (groupHeader)
            RaiseGroupHeaderMouse(false, row, button, shift, x, y);
        else
            RaiseItemMouse(false, button, shift, x, y, row);
        return;
    }
    if (columns_.Count() < 2) return;
    if (groupHeader) {
        RaiseGroupHeaderMouse(false, row, button, shift, x, y);
        return;
    }
    if (const std::optional<int32_t> sub = SubItemColumn(columns_, x))
        RaiseSubItemMouse(false, button, shift, x, y, row, *sub);
}

void GlideListView::OnClick() {
    PaintBatch batch(*this);
    if (!props_.Enabled || columns_.Count() == 0 || pointer_.pressButton != 1 ||
        pointer_.dragActive || pointer_.resizing) {
        pointer_.dragActive = pointer_.dragPending = pointer_.resizing = false;
        return;
    }
    const float x = pointer_.x;
    const float y = pointer_.y;
    if (y <= static_cast<float>(frame_.headerHeight)) return;
    const auto finish = [&] {
        pointer_.pendingCheckRow = 0;
        pointer_.pressButton = 0;
    };
    if (items_.Count() == 0) {
        RaiseItemClick(-1);
        finish();
        return;
    }
    const int32_t row = HitRow(CurrentHitGeometry(), y, RowRule::Click).value_or(-1);
    const bool groupHeader = items_.Contains(row) && items_.Group(row).GroupHeader;
    const int32_t state = groupHeader ? items_.Group(row).GroupState : 0;
    if (!InFirstColumnArea(columns_, x)) {
        if (columns_.Count() >= 2 && row >= 1) {
            FlushPaint();
            if (groupHeader) {
                if (events_) events_->GroupHeaderClick(row, state);
            } else if (const std::optional<int32_t> sub = SubItemColumn(columns_, x); sub && events_) {
                events_->SubItemClick(items_.Item(row), row, *sub);
                events_->SubItemClickAlt(row, *sub);
                AfterItemEvent(row);
            }
        }
        finish();
        return;
    }
    if (!items_.Contains(row)) {
        finish();
        return;
    }
    FlushPaint();
    const int32_t checkRow = pointer_.pendingCheckRow;
    if (InGroupGlyphZone(x) && groupHeader) {
        // A click on the expand glyph stands for a double click.
        if (events_) events_->GroupHeaderDblClick(row, state);
    } else if (checkRow == 0) {
        if (groupHeader) {
            if (events_) events_->GroupHeaderClick(row, state);
        } else {
            RaiseItemClick(row);
        }
    } else if (items_.Contains(checkRow) && events_) {
        const bool value = items_.Item(checkRow).cLIItemChecked;
        events_->ItemChecked(items_.Item(checkRow), checkRow, value);
        events_->ItemCheckedAlt(checkRow, value);
        AfterItemEvent(checkRow);
    }
    finish();
}

void GlideListView::OnDblClick() {
    const float x = pointer_.x;
    const float y = pointer_.y;
    if (!props_.Enabled || columns_.Count() == 0 || y <= static_cast<float>(frame_.headerHeight) ||
        items_.Count() == 0)
        return;
    PaintBatch batch(*this);
    const int32_t row = HitRow(CurrentHitGeometry(), y, RowRule::Click).value_or(-1);
    if (!items_.Contains(row) || !events_) return;
    const bool groupHeader = items_.Group(row).GroupHeader;
    // The click before cleared the press record's button; the double click is always the left
    // button's, so that is what the host sees.
    const int16_t button = 1;
    FlushPaint();
    if (groupHeader) {
        if (InFirstColumnArea(columns_, x) || columns_.Count() >= 2)
            events_->GroupHeaderDblClick(row, items_.Group(row).GroupState);
        return;
    }
    if (InFirstColumnArea(columns_, x)) {
        events_->ItemDblClick(button, items_.Item(row), row);
        events_->ItemDblClickAlt(button, row);
    } else if (const std::optional<int32_t> sub = SubItemColumn(columns_, x)) {
        events_->SubItemDblClick(button, items_.Item(row), row, *sub);
        events_->SubItemDblClickAlt(button, row, *sub);
    }
    AfterItemEvent(row);
}

}  // namespace glv
