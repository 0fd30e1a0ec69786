#pragma once
// The rules of the two header gestures, as functions of explicit state: the width a resize step
// gives a column, the distance that turns a pending column drag into a drag, and the column a
// release X falls on. The control (control/ColumnDrag.cpp) runs them, repaints and raises.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>

#include "core/ColumnStore.h"
#include "platform/MemDC.h"

namespace glv {

// The state a column resize or drag keeps between messages (the flags that say which gesture is
// under way are the pointer's, PointerGesture in input/InputState.h).
struct ColumnGestureState {
    int32_t resizeColumn = -1;  // the divider column at the press that started the resize
    int32_t pressX = 0;         // X of the press, then of the last resize step
    int32_t draggedColumn = -1;  // the column pressed for a drag
    int32_t imageLeft = 0;       // where the drag image was last drawn
    int32_t grabOffset = 0;      // press X - left edge of the dragged column
    cMemDC dragImage;            // the dragged column as it looked, the control's full height
    bool timerBusy = false;      // a repaint tick is running; pointer moves wait for it
};

// One resize step: the width after the pointer moved from pressX to x. Shrinking stops at the
// minimum and growing at the maximum (-1: none); a width already outside that range is not
// pulled back into it by a step the other way.
inline int32_t ResizedWidth(int32_t width, int32_t minWidth, int32_t maxWidth, int32_t pressX, int32_t x) {
    if (x < pressX) {
        const int64_t shrunk = int64_t{width} - (int64_t{pressX} - x);
        return shrunk < minWidth ? minWidth : static_cast<int32_t>(shrunk);
    }
    const int64_t grown = int64_t{width} + (int64_t{x} - pressX);
    if (maxWidth != -1 && grown > maxWidth) return maxWidth;
    return static_cast<int32_t>(std::min<int64_t>(grown, INT32_MAX));
}

// A pending drag becomes a drag once the pointer is this far from the press, either way; a
// smaller wobble leaves the press a click.
inline constexpr int32_t kColumnDragDistance = 4;
inline bool ColumnDragStarts(float pressX, float x) { return std::abs(x - pressX) >= kColumnDragDistance; }

// The first column whose painted span (left edge to left edge + width, both ends included)
// holds x; none beyond every column.
std::optional<int32_t> ColumnSpanAt(const ColumnStore& columns, float x);

}  // namespace glv
