#pragma once
// The selection rules, in one place: the raw select and deselect operations with the selected
// count they keep, the range bounds, the selecting click (single, Shift range, Ctrl toggle,
// deferred deselect), hover selection and the selection a keyboard deletion leaves behind.
//
// Every item carries its own flag (cLISelected); the item store also knows which rows have it
// set, so "deselect all", the first and last selected rows and the counts cost the selected
// rows, not the list. Nothing here repaints or raises an event: each rule says in its result
// what the caller owes the picture and the host.

#include <cstdint>

#include "core/ItemStore.h"

namespace glv {

enum MaintainSelectionModeConstants : int32_t {
    mSelNone = 0,
    mSelNextUp = 1,
    mSelNextDown = 2,
    mSelFirst = 3,
    mSelLast = 4,
    mSelFirstVisible = 5,
    mSelLastVisible = 6,
};

struct SelectionState {
    // The cached selected count: raised and lowered by every select and deselect, 0 after
    // deselecting all, recomputed by SelectedCount. Its quirks are part of the behaviour
    // (selecting all counts the group header rows that stay unselected).
    int32_t count = 0;
    int32_t lastSelectedRow = 0;    // row of the last selecting click; -1 after a deletion
    int32_t currentItem = 0;        // item the item events and editing refer to; -1 after a deletion
    bool rangeDown = false;         // the last Shift range grew downwards: its anchor is the first row
    bool deferredDeselect = false;  // a press on a selected row kept the selection once
    bool ctrlHeld = false;          // Ctrl went down while the control had the focus
};

// What a selecting click leaves for its caller (the press handler).
struct PressSelection {
    bool endPress = false;      // deferred deselect: the press ends here, no event, no repaint
    bool rangeCleared = false;  // a Shift range deselected all first (a repaint in between)
    bool rowChanged = false;    // the row differs from the last selected row: commit and close an
                                // open edit, make it current, raise SelectedIndexChanged
};

// The modifiers and modes a selecting click reads.
struct ClickModifiers {
    bool shiftAlone = false;     // the press's Shift argument is exactly 1
    bool multiSelect = true;     // MultiSelect
    bool expandingMode = false;  // ExpandingRow on with a row attached and shown
};

// The row a keyboard deletion selects afterwards, and what the caller then does.
struct MaintainedSelection {
    int32_t row = 0;              // 0: nothing selected
    bool ensureVisible = false;   // modes 1, 2, 4: scroll the row into view
    bool topToFirst = false;      // mode 3: TopIndex 1 and the scroll bars refreshed
    bool repaint = false;         // modes 3, 5, 6
};

class Selection {
public:
    Selection(ItemStore& items, SelectionState& state) : items_(items), state_(state) {}

    // Raw operations: an index outside the list is ignored; the count follows the flag.
    void Select(int32_t row) { RawSelect(row, true); }
    void Deselect(int32_t row) { RawSelect(row, false); }
    void RawSelect(int32_t row, bool value);
    void DeselectAll();  // every flag cleared, count 0; costs the selected rows only
    bool IsSelected(int32_t row) const { return items_.IsSelected(row); }

    // The range bounds: the smallest and largest selected row that is visible and not a group
    // header row, 0 when none.
    int32_t FirstSelectedRow() const;
    int32_t LastSelectedRow() const;
    // Selected and visible items (SelectedCount), walking the selected rows only; stores it as
    // the cached count.
    int32_t RecountVisible();

    // Extends the Shift range to row r (steps of the range extension); returns whether it
    // deselected all first.
    bool ExtendRange(int32_t r);
    // Steps 1 and 2 of the selecting click on row r, and what step 3 needs to know.
    PressSelection SelectingClick(int32_t r, const ClickModifiers& modifiers);
    // Hover selection on row r (the caller checked HoverSelection, the edit box and the area):
    // true when it selected r.
    bool HoverSelect(int32_t r);
    // After a keyboard deletion with MaintainSelection on and items left; p is the first
    // selected row before it, lastOnPage the last row on the page.
    MaintainedSelection MaintainAfterDelete(int32_t mode, int32_t p, int32_t topIndex,
                                            int32_t lastOnPage);

private:
    bool CountsForRange(int32_t row) const {
        return items_.Group(row).Visible && !items_.Group(row).GroupHeader;
    }
    // Selects every row of lo..hi that is not a group header row.
    void SelectSpan(int32_t lo, int32_t hi);

    ItemStore& items_;
    SelectionState& state_;
};

}  // namespace glv
