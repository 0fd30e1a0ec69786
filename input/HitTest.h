#pragma once
// Where a point of the control lies, read from the geometry the last paint pass wrote back: the
// header band's height, each column's left edge and divider (cHCollX, cHCollXSplit) and each
// painted row's top and height (cLIItemY, cLIItemHeight). Press, move, release, click, double
// click, tooltips and the context menu all ask here, so every handler agrees on the edges.
//
// Pointer coordinates arrive as single-precision client pixels and are compared in floating
// point against the integer geometry; every band below includes both of its ends unless said.

#include <cstdint>
#include <optional>

#include "core/ColumnStore.h"
#include "core/ItemStore.h"

namespace glv {

// What the hit test reads. The row walk starts at TopIndex and looks at no more visible rows than
// the last pass painted, so its cost follows the page and stale tops of rows that scrolled off
// the page are never matched.
struct HitGeometry {
    const ItemStore& items;
    const ColumnStore& columns;
    int32_t headerHeight = 0;
    int32_t topIndex = 1;
    int32_t pageRows = 0;              // visible rows the last pass painted from TopIndex
    bool allowColumnResizing = true;   // divider zones exist only while resizing is allowed
};

// The two row rules: press and release take only enabled, selectable rows; click and double
// click also take a group header row that is not selectable.
enum class RowRule : uint8_t { PressRelease, Click };

// The part a point falls on, most specific first; the fields of PointerHit give the indexes.
enum class HitPart : uint8_t {
    Nothing,        // below the rows, on a disabled or unselectable row, or an empty header band
    HeaderSection,  // a column header (column)
    Divider,        // within 3 pixels of a column's right divider (divider)
    CheckBox,       // the check box zone of a row (row)
    GroupGlyph,     // the expand glyph zone of a group header row (row)
    FirstColumn,    // the first-column area of a row (row)
    SubItem,        // a sub-item cell (row, subItem)
};

struct PointerHit {
    HitPart part = HitPart::Nothing;
    bool inHeader = false;                // Y <= header height
    bool firstColumnArea = false;         // X <= right edge of column 1 (below the header)
    std::optional<int32_t> column;        // hovered column, header band only
    std::optional<int32_t> divider;       // column whose divider zone holds X, header band only
    std::optional<int32_t> row;           // row by the rule asked for, below the header only
    std::optional<int32_t> subItem;       // 1-based sub-item (column - 1), sub-item area only
    bool checkBoxZone = false;            // 3 < X < 17, whatever the scroll position or indent
    bool glyphZone = false;               // 5 < X < 16
};

PointerHit HitTest(const HitGeometry& g, float x, float y, RowRule rule);

// The single tests, for handlers that need one of them alone.
std::optional<int32_t> HitRow(const HitGeometry& g, float y, RowRule rule);
std::optional<int32_t> HoveredColumn(const ColumnStore& columns, float x);
std::optional<int32_t> DividerColumn(const ColumnStore& columns, float x);
std::optional<int32_t> SubItemColumn(const ColumnStore& columns, float x);
bool InFirstColumnArea(const ColumnStore& columns, float x);
inline bool InCheckBoxZone(float x) { return x > 3 && x < 17; }
inline bool InGroupGlyphZone(float x) { return x > 5 && x < 16; }

}  // namespace glv
