#pragma once
// The keyboard's navigation rules as functions of explicit state: which key does what, how the
// arrows move the single selection past group header and hidden rows, where Page Up, Page Down
// and Home put TopIndex, and how the answers to the delete prompt steer the deletion.
// The handlers in the control run these and then repaint, set the scroll bars and raise events.

#include <cstdint>

#include "core/ItemStore.h"
#include "input/Selection.h"
#include "platform/VirtualKeys.h"

namespace glv {

struct KeyboardState {
    int32_t row = 0;     // the row last selected by an arrow key (not the current item)
    bool moved = false;  // an arrow key changed that row; the next key up reports it
};

// What a key down does. PassOn raises KeyDown and nothing else.
enum class KeyAction : uint8_t { PassOn, Ctrl, PageUp, PageDown, Home, Left, Right, Up, Down, Delete };
KeyAction KeyDownAction(int16_t keyCode, bool allowKeyNavigation, bool allowDelete);

// The view an arrow key reads and moves.
struct ArrowView {
    int32_t topIndex = 1;
    int32_t firstVisible = 0;  // FindFirstVisibleListItem
    int32_t lastOnPage = 0;    // the last row on the page (Down only)
};

struct ArrowResult {
    bool tail = false;         // run the key-down tail (moved flag, repaint timer)
    bool setScroll = false;    // the vertical scroll bar's value follows topIndex
    int32_t topIndex = 1;
};

// A row an arrow may land on: selectable, visible and not a group header row.
bool ArrowTarget(const ItemStore& items, int32_t row);

ArrowResult MoveSelectionUp(ItemStore& items, Selection& selection, KeyboardState& keyboard,
                            int32_t currentItem, const ArrowView& view);
ArrowResult MoveSelectionDown(ItemStore& items, Selection& selection, KeyboardState& keyboard,
                              int32_t currentItem, const ArrowView& view);

// TopIndex after Page Up: the rows above TopIndex that fit in rowSpace pixels (each its stored
// height plus the grid line) scroll into view; near the top it becomes firstVisible.
int32_t PageUpTop(const ItemStore& items, int32_t topIndex, int32_t rowSpace, bool gridLines,
                  int32_t firstVisible);
// TopIndex after Page Down, from ItemCountPerPage; unchanged in an empty list, never less.
int32_t PageDownTop(int32_t topIndex, int32_t perPage, int32_t itemCount);
// The horizontal position after Left (-10, not below 1) or Right (+10, not above the maximum).
int32_t HorizontalStep(int32_t position, int32_t maximum, bool right);

// The delete prompt's answer, as the deletion scan takes it.
enum class PromptStep : uint8_t { Remove, Keep, Stop };
// LVYesToAll removes and stops asking (yesToAll), LVNoToAll stops the scan, LVYes and LVNo keep
// the item; any other value keeps it too.
PromptStep StepForAnswer(int32_t answer, bool& yesToAll);

}  // namespace glv
