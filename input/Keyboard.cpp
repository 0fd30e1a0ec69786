#include "input/Keyboard.h"

#include <algorithm>

#include "core/Records.h"

namespace glv {

KeyAction KeyDownAction(int16_t keyCode, bool allowKeyNavigation, bool allowDelete) {
    if (!allowKeyNavigation) return KeyAction::PassOn;
    switch (keyCode) {
        case vk::kControl: return KeyAction::Ctrl;
        case vk::kPageUp: return KeyAction::PageUp;
        case vk::kPageDown: return KeyAction::PageDown;
        case vk::kHome: return KeyAction::Home;
        case vk::kLeft: return KeyAction::Left;
        case vk::kRight: return KeyAction::Right;
        case vk::kUp: return KeyAction::Up;
        case vk::kDown: return KeyAction::Down;
        case vk::kDelete: return allowDelete ? KeyAction::Delete : KeyAction::PassOn;
        default: return KeyAction::PassOn;  // End included
    }
}

bool ArrowTarget(const ItemStore& items, int32_t row) {
    if (!items.Contains(row)) return false;
    const tItemGroupInfo& group = items.Group(row);
    return items.IsSelectable(row) && group.Visible && !group.GroupHeader;
}

namespace {

// The row the arrows start from: the largest selected row (visible, not a group header), else
// the current item.
int32_t ArrowStart(const Selection& selection, int32_t currentItem) {
    const int32_t last = selection.LastSelectedRow();
    return last != 0 ? last : currentItem;
}

// Any selected row that is visible (IsAnySelected), walking the selected rows only.
bool AnyVisibleSelected(const ItemStore& items) {
    for (int32_t row = items.NextSelected(1); row != 0; row = items.NextSelected(row + 1))
        if (items.Group(row).Visible) return true;
    return false;
}

}  // namespace

ArrowResult MoveSelectionUp(ItemStore& items, Selection& selection, KeyboardState& keyboard,
                            int32_t currentItem, const ArrowView& view) {
    ArrowResult out;
    out.topIndex = view.topIndex;
    if (items.Count() == 0) {
        out.tail = true;
        return out;
    }
    if (!AnyVisibleSelected(items)) return out;
    const int32_t c = ArrowStart(selection, currentItem);
    selection.DeselectAll();
    if (c == view.topIndex && c >= 2 && items.Group(c - 1).GroupHeader) {
        // The row stays; its group header scrolls into view above it.
        out.topIndex = c - 1;
        out.setScroll = true;
        selection.Select(c);
        return out;
    }
    out.tail = true;
    out.setScroll = true;
    if (c <= view.firstVisible) {
        selection.Select(c);
        keyboard.row = c;
        return out;
    }
    const int32_t p = c - 1;
    if (ArrowTarget(items, p)) {
        keyboard.row = p;
        selection.Select(p);
        out.topIndex = std::min(out.topIndex, p);
        return out;
    }
    if (p < 2) {
        selection.Select(c);
        keyboard.row = c;
        out.topIndex = 1;
        return out;
    }
    int32_t found = 0;
    for (int32_t row = p; row >= 1 && found == 0; --row)
        if (ArrowTarget(items, row)) found = row;
    const int32_t chosen = found != 0 ? found : c;
    if (found != 0) keyboard.row = found;
    selection.Select(chosen);
    out.topIndex = std::min(out.topIndex, chosen);
    return out;
}

ArrowResult MoveSelectionDown(ItemStore& items, Selection& selection, KeyboardState& keyboard,
                              int32_t currentItem, const ArrowView& view) {
    ArrowResult out;
    out.topIndex = view.topIndex;
    if (items.Count() == 0 || !AnyVisibleSelected(items)) return out;
    const int32_t c = ArrowStart(selection, currentItem);
    if (c >= items.Count()) return out;  // the last item: nothing changes
    selection.DeselectAll();
    int32_t chosen = c;
    for (int32_t row = c + 1; row <= items.Count(); ++row) {
        if (ArrowTarget(items, row)) {
            chosen = row;
            break;
        }
    }
    keyboard.row = chosen;
    selection.Select(chosen);
    if (chosen > view.lastOnPage) {
        // One row of scrolling: TopIndex steps to the next shown row.
        for (int32_t row = view.topIndex + 1; row <= items.Count(); ++row) {
            if (items.Group(row).Visible) {
                out.topIndex = row;
                break;
            }
        }
    }
    out.tail = true;
    out.setScroll = true;
    return out;
}

int32_t PageUpTop(const ItemStore& items, int32_t topIndex, int32_t rowSpace, bool gridLines,
                  int32_t firstVisible) {
    int64_t left = rowSpace;
    int32_t top = topIndex;
    for (int32_t row = topIndex - 1; row >= 1; --row) {
        if (!items.Contains(row) || !items.Group(row).Visible) continue;
        left -= items.ItemHeight(row) + (gridLines ? 1 : 0);
        if (left < 0) break;
        top = row;
    }
    return top < 2 ? firstVisible : top;
}

int32_t PageDownTop(int32_t topIndex, int32_t perPage, int32_t itemCount) {
    // An empty list has nowhere to go, and a page too short for one whole row (a count of 0)
    // stays put rather than stepping back: TopIndex never leaves the list.
    if (itemCount < 1) return topIndex;
    const int64_t top = int64_t{topIndex} + std::max(perPage - 1, 0);
    return top < itemCount ? static_cast<int32_t>(top) : itemCount;
}

int32_t HorizontalStep(int32_t position, int32_t maximum, bool right) {
    // A header wider than 2^31 - 11 pixels puts the position within a step of the int range.
    const int64_t step = int64_t{position} + (right ? 10 : -10);
    return static_cast<int32_t>(right ? std::min<int64_t>(step, maximum) : std::max<int64_t>(step, 1));
}

PromptStep StepForAnswer(int32_t answer, bool& yesToAll) {
    switch (answer) {
        case LVYesToAll: yesToAll = true; return PromptStep::Remove;
        case LVNoToAll: return PromptStep::Stop;
        default: return PromptStep::Keep;  // LVYes and LVNo both keep the item
    }
}

}  // namespace glv
