#include "input/Selection.h"

#include <algorithm>

namespace glv {

void Selection::RawSelect(int32_t row, bool value) {
    if (!items_.Contains(row)) return;
    if (items_.SetSelected(row, value)) state_.selectedCount += value ? 1 : -1;
}

void Selection::DeselectAll() {
    items_.DeselectAll();
    state_.selectedCount = 0;
}

// Hidden and group header rows with the flag set are rare (hiding a row deselects all), so
// stepping over them from the ends stays short.
int32_t Selection::FirstSelectedRow() const {
    for (int32_t row = items_.NextSelected(1); row != 0; row = items_.NextSelected(row + 1))
        if (CountsForRange(row)) return row;
    return 0;
}

int32_t Selection::LastSelectedRow() const {
    for (int32_t row = items_.PrevSelected(items_.Count()); row != 0; row = items_.PrevSelected(row - 1))
        if (CountsForRange(row)) return row;
    return 0;
}

int32_t Selection::RecountVisible() {
    state_.selectedCount = items_.SelectedShownCount();
    return state_.selectedCount;
}

void Selection::SelectSpan(int32_t lo, int32_t hi) {
    // With nothing selected a range runs from "row 0": the rows from the first one on.
    for (int32_t row = std::max(lo, 1); row <= std::min(hi, items_.Count()); ++row)
        if (!items_.Group(row).GroupHeader) Select(row);
}

bool Selection::ExtendRange(int32_t r) {
    const int32_t first = FirstSelectedRow();
    const int32_t last = LastSelectedRow();
    if (first <= r && r <= last) return false;
    bool cleared = false;
    if (r < first) {
        // Growing upwards: a range anchored at its first row swings round that anchor.
        if (state_.rangeDown) {
            DeselectAll();
            cleared = true;
        }
        SelectSpan(r, first);
        state_.rangeDown = false;
    } else {
        if (!state_.rangeDown) {
            DeselectAll();
            cleared = true;
        }
        SelectSpan(last, r);
        state_.rangeDown = true;
    }
    return cleared;
}

PressSelection Selection::SelectingClick(int32_t r, const ClickModifiers& m) {
    PressSelection out;
    bool selected = false;
    if (m.multiSelect && !m.expandingMode) {
        if (m.shiftAlone) {
            out.rangeCleared = ExtendRange(r);
            selected = true;
        } else if (state_.ctrlHeld) {
            RawSelect(r, !IsSelected(r));
            selected = true;
        } else if (state_.selectedCount > 0 && IsSelected(r) && !state_.deferredDeselect) {
            // The first press on a selected row keeps a multi-selection (it may start a drag);
            // the next one selects the row alone.
            state_.deferredDeselect = true;
            out.endPress = true;
            return out;
        }
    }
    if (!selected) {
        DeselectAll();
        state_.deferredDeselect = false;
        Select(r);
    }
    out.rowChanged = !m.expandingMode && r != state_.lastSelectedRow;
    return out;
}

bool Selection::HoverSelect(int32_t r) {
    if (!items_.Contains(r) || !items_.IsEnabled(r) || !items_.IsSelectable(r)) {
        state_.lastSelectedRow = 0;
        return false;
    }
    DeselectAll();
    Select(r);
    state_.lastSelectedRow = r;
    return true;
}

MaintainedSelection Selection::MaintainAfterDelete(int32_t mode, int32_t p, int32_t topIndex,
                                                   int32_t lastOnPage) {
    MaintainedSelection out;
    const int32_t count = items_.Count();
    if (count == 0) return out;
    switch (mode) {
        case mSelNextUp: out.row = p - 1 < 1 ? 1 : p - 1; break;
        case mSelNextDown: out.row = p > count ? count : p; break;
        case mSelFirst: out.row = 1; break;
        case mSelLast: out.row = count; break;
        case mSelFirstVisible: out.row = topIndex; break;
        case mSelLastVisible: out.row = lastOnPage; break;
        default: return out;
    }
    if (!items_.Contains(out.row)) return MaintainedSelection{};
    Select(out.row);
    state_.currentItem = out.row;
    state_.lastSelectedRow = out.row;
    if (mode == mSelNextUp || mode == mSelNextDown || mode == mSelLast) {
        state_.selectedCount = 1;
        out.ensureVisible = true;
    } else {
        out.topToFirst = mode == mSelFirst;
        out.repaint = true;
    }
    return out;
}

}  // namespace glv
