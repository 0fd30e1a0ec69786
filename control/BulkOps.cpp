// Operations over all items at once, and the queries over the selection and check flags.
//
// Repaint rules: SelectedIndex (set), SelectState (set), CheckedState (set), SetSelectAll and
// SetCheckAll repaint only while painting is enabled; every other operation here calls the paint
// handler in any case.

#include <cstdint>

#include "core/ColumnWidths.h"
#include "core/Errors.h"
#include "core/EventRaiser.h"
#include "control/GlideListView.h"
#include "input/Keyboard.h"
#include "platform/AutomationError.h"

namespace glv {

void GlideListView::RawSelect(int32_t index, bool value) { Selection(items_, view_).RawSelect(index, value); }

bool GlideListView::IsAnyChecked() const {
    for (int32_t i = 1; i <= items_.Count(); ++i)
        if (items_.IsChecked(i) && items_.Group(i).Visible) return true;
    return false;
}

bool GlideListView::IsAnySelected() const { return items_.SelectedShownCount() > 0; }

// --- deletion with prompting ---------------------------------------------------------------------
// The host answers each prompt through LVPrompt, preset to LVYesToAll so that a host that handles
// nothing deletes everything after one prompt. The record passed with BeforeItemDelete is a copy:
// the item it describes is about to go, and a host may change the list from inside the event.
// Host code runs inside the events, so every step re-reads the item count.

namespace {

int32_t AskItemDelete(GlideListViewEvents* events, const tListItemInfo& item, int32_t index) {
    int32_t prompt = LVYesToAll;
    tListItemInfo copy = item;
    Raise(events, &GlideListViewEvents::BeforeItemDelete, prompt, copy, index);
    return prompt;
}

}  // namespace

void GlideListView::ItemsDeleteAll() {
    if (!props_.AllowDelete || items_.Count() == 0) return;
    bool groupYesToAll = false, itemYesToAll = false, itemNoToAll = false;
    auto removeGroup = [&](int32_t row) {
        RemoveItem(row);
        Raise(events_, &GlideListViewEvents::GroupDelete, row);
    };
    auto removeItem = [&](int32_t row) {
        RemoveItem(row);
        Raise(events_, &GlideListViewEvents::ItemDeleted, row);
    };
    BeginBulkRemoval();
    int32_t i = 1;
    while (i <= items_.Count()) {
        if (items_.Group(i).GroupHeader) {
            if (!groupYesToAll) {
                int32_t prompt = LVYesToAll;
                Raise(events_, &GlideListViewEvents::GroupBeforeDelete, prompt, i);
                if (prompt == LVNoToAll) {
                    EndBulkRemoval();
                    return;  // ends at once, without the final step
                }
                if (prompt != LVYesToAll || i > items_.Count()) {
                    ++i;
                    continue;
                }
                groupYesToAll = true;
            }
            removeGroup(i);  // the scan goes on at the same index
            continue;
        }
        if (itemNoToAll) {
            ++i;
            continue;
        }
        if (!itemYesToAll) {
            const int32_t prompt = AskItemDelete(events_, items_.Item(i), i);
            if (prompt == LVNoToAll) itemYesToAll = itemNoToAll = true;
            if (prompt != LVYesToAll || i > items_.Count()) {
                ++i;
                continue;
            }
            itemYesToAll = true;
        }
        removeItem(i);
    }
    EndBulkRemoval();
    view_.lastSelectedRow = -1;
    view_.currentItem = -1;
    SyncScrollBars();
    Repaint();
}

bool GlideListView::DeleteSelectedWithPrompting() {
    bool yesToAll = false;
    BeginBulkRemoval();
    // The scan steps from selected row to selected row; a removal brings the next row to i.
    int32_t i = items_.NextSelected(1);
    while (i != 0) {
        bool remove = !items_.Group(i).GroupHeader;
        if (remove && !yesToAll) {
            bool answeredAll = false;
            const PromptStep step = StepForAnswer(AskItemDelete(events_, items_.Item(i), i), answeredAll);
            if (step == PromptStep::Stop) {
                EndBulkRemoval();
                SelectedCount();
                return false;
            }
            // The host may have removed items while it was asked.
            remove = step == PromptStep::Remove && i <= items_.Count();
            yesToAll = remove;
        }
        if (!remove) {
            i = items_.NextSelected(i + 1);
            continue;
        }
        RemoveItem(i);
        Raise(events_, &GlideListViewEvents::ItemDeleted, i);
        i = items_.NextSelected(i);
    }
    EndBulkRemoval();
    view_.currentItem = -1;
    view_.lastSelectedRow = -1;
    return true;
}

void GlideListView::ItemsDeleteSelected() {
    DeleteSelectedWithPrompting();
    view_.topIndex = 1;
    SetVScrollBarValue(1);
    SyncScrollBars();
    Repaint();
}

// --- selection, check and enabled flags over all items ---------------------------------------------

void GlideListView::ItemsDeselectAll() {
    Selection(items_, view_).DeselectAll();
    Repaint();
}

void GlideListView::ItemsSelectAll() {
    if (expandingRow_.objectAttached) return;
    for (int32_t i = 1; i <= items_.Count(); ++i)
        if (!items_.Group(i).GroupHeader) items_.SetSelected(i, true);
    // The count includes the group header rows that were skipped; SelectedCount corrects it.
    view_.selectedCount = items_.Count();
    Repaint();
}

void GlideListView::ItemsCheckAll(bool state) {
    if (expandingRow_.objectAttached) return;
    for (int32_t i = 1; i <= items_.Count(); ++i)
        if (!items_.Group(i).GroupHeader) items_.SetChecked(i, state);
    Repaint();
}

void GlideListView::ItemsDisableAll() {
    Selection(items_, view_).DeselectAll();
    for (int32_t i = 1; i <= items_.Count(); ++i) items_.SetEnabled(i, false);
    Repaint();
}

void GlideListView::ItemsEnableAll() {
    for (int32_t i = 1; i <= items_.Count(); ++i) items_.SetEnabled(i, true);
    Repaint();
}

void GlideListView::ItemsSelectRange(int32_t itemFrom, int32_t itemTo) {
    if (expandingRow_.objectAttached || itemFrom < 0 || itemTo < 0) return;
    ItemsDeselectAll();
    const int32_t last = std::min(itemTo, items_.Count());
    for (int32_t i = std::max(itemFrom, 1); i <= last; ++i) RawSelect(i, true);
    Repaint();
}

void GlideListView::SetSelectAll(bool state) {
    for (int32_t i = 1; i <= items_.Count(); ++i) RawSelect(i, state);
    if (view_.paintingEnabled) Repaint();
}

void GlideListView::SetCheckAll(bool state) {
    for (int32_t i = 1; i <= items_.Count(); ++i) items_.SetChecked(i, state);
    if (view_.paintingEnabled) Repaint();
}

// --- editing ---------------------------------------------------------------------------------------

// In-place editing arrives later: until then no item is in edit and there is nothing to cancel.

// --- geometry and key state ------------------------------------------------------------------------

// Computed in 64 bits; only a total of negative widths past a Long gives a result that does not
// fit, and that is the overflow error as for ColumnsTotalWidth.
int32_t GlideListView::ColumnsVisibleWidth() const {
    if (columns_.Count() == 0) return 0;
    const int64_t reserved = frame_.vScrollVisible ? int64_t{frame_.scrollBarSize} + 2 : 2;
    const int64_t available = int64_t{Width()} - reserved;
    const int64_t total = ExactTotalWidth(columns_);
    const int64_t visible = available >= total ? total - 1 : available;
    if (visible < INT32_MIN || visible > INT32_MAX) RaiseRuntimeError(runtime_error::kOverflow);
    return static_cast<int32_t>(visible);
}

RECT GlideListView::ClientArea() const {
    const int32_t rightReserve = frame_.vScrollVisible ? frame_.scrollBarSize + 1 : 1;
    const int32_t bottomReserve = frame_.hScrollVisible ? frame_.scrollBarSize + 1 : 1;
    return RECT{1, HeaderHeight() + 2, Width() - rightReserve, Height() - bottomReserve};
}

void GlideListView::Refresh() { Repaint(); }

int32_t GlideListView::hWndToolTip(int32_t hwnd) const {
    const bool ours = hwnd == hwnd_ || (frame_.vScrollHwnd != 0 && hwnd == frame_.vScrollHwnd) ||
                      (frame_.hScrollHwnd != 0 && hwnd == frame_.hScrollHwnd);
    return ours ? hwnd : 0;
}

// --- queries over the flags ------------------------------------------------------------------------

ItemRecords GlideListView::SelectedItems() const { return items_.SelectedRecords(); }

ItemRecords GlideListView::CheckedItems() const {
    std::vector<int32_t> checked;
    for (int32_t i = 1; i <= items_.Count(); ++i)
        if (items_.IsChecked(i)) checked.push_back(i);
    return items_.Records(checked);
}

int32_t GlideListView::SelectedCount() { return Selection(items_, view_).RecountVisible(); }

int32_t GlideListView::CheckedCount() const {
    int32_t count = 0;
    for (int32_t i = 1; i <= items_.Count(); ++i)
        if (items_.IsChecked(i)) ++count;
    return count;
}

namespace {

// 0 with none, -1 with two or more, else the lowest checked index (hidden or not).
int32_t SingleCheckedIndex(const ItemStore& items, int32_t count) {
    if (items.Count() == 0 || count == 0) return 0;
    if (count >= 2) return -1;
    for (int32_t i = 1; i <= items.Count(); ++i)
        if (items.IsChecked(i)) return i;
    return 0;
}

}  // namespace

int32_t GlideListView::SelectedIndex() {
    const int32_t count = SelectedCount();
    if (items_.Count() == 0 || count == 0) return 0;
    return count >= 2 ? -1 : items_.NextSelected(1);
}

int32_t GlideListView::CheckedIndex() const {
    return SingleCheckedIndex(items_, CheckedCount());
}

void GlideListView::SetSelectedIndex(int32_t index) {
    if (!items_.Contains(index)) return;
    Selection selection(items_, view_);
    selection.DeselectAll();
    selection.Select(index);
    if (view_.paintingEnabled) Repaint();
}

bool GlideListView::Selected(int32_t index) const { return ItemRecord(index).cLISelected; }

bool GlideListView::SelectState(int32_t index) const {
    return items_.IsSelected(index);
}

void GlideListView::SetSelectState(int32_t index, bool state) {
    if (!items_.Contains(index)) return;
    RawSelect(index, state);
    if (view_.paintingEnabled) Repaint();
}

bool GlideListView::CheckedState(int32_t index) const {
    return items_.Contains(index) && items_.IsChecked(index);
}

void GlideListView::SetCheckedState(int32_t index, bool state) {
    if (!items_.Contains(index)) return;
    items_.SetChecked(index, state);
    if (view_.paintingEnabled) Repaint();
}

}  // namespace glv
