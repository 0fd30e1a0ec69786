#pragma once
// The three row painters: the item cell (first column), the sub-item cells and the group
// header row. Each takes the row's record and a small geometry struct; what they share for a
// whole pass (resolved colours, flags, the icon slot and the part strips) is one RowStyle that
// the paint pass makes once.
#include <cstdint>
#include <optional>

#include "core/Records.h"
#include "platform/Font.h"
#include "platform/Surface.h"
#include "platform/SystemInfo.h"
#include "platform/Text.h"
#include "render/Fonts.h"
#include "render/IconPainter.h"
#include "render/PartStrips.h"

namespace glv {

struct PropertyValues;

// Colours ready to draw (system colours resolved).
struct RowColors {
    COLORREF ledgerEven = 0;
    COLORREF ledgerOdd = 0;
    COLORREF selectBack = 0;
    COLORREF selectFore = 0;
    COLORREF noFocusBack = 0;
    COLORREF noFocusFore = 0;
    COLORREF disabledFore = 0;
    StateColors embossed;  // the highlight and shadow of disabled text
};

struct RowStyle {
    bool controlEnabled = true;
    bool hasFocus = false;
    bool ledger = false;             // BackStyle Ledger
    bool hideSelection = false;
    bool fullRowSelect = true;
    bool columnTransparent = false;  // ColumnBackStyle LVColumnTransparent: cells are not filled
    bool checkBoxes = false;
    bool editing = false;            // an in-place edit is open: selection colours are not used
    int32_t surfaceWidth = 0;
    RowColors colors;
    const SystemInfo* system = nullptr;       // resolves per-item colours
    const IconPainter* smallIcons = nullptr;  // the small-icon slot, or none
    const PartStrips* strips = nullptr;       // check boxes and group glyphs, or none
};

// The pass's row style from the control's properties.
RowStyle MakeRowStyle(const PropertyValues& props, const SystemInfo& system, bool hasFocus,
                      bool editing, int32_t surfaceWidth);

// Where a row is: its top y, height h and text height t.
struct RowMetrics {
    int32_t top = 0;
    int32_t height = 0;
    int32_t textHeight = 0;
};

// A cell's horizontal span: L and R = L + column width.
struct CellSpan {
    int32_t left = 0;
    int32_t right = 0;
};

// The painters take the font from their caller (render/Fonts.h makes them), which can keep one
// FontSpec for a whole pass.

// How a row's cells are coloured.
enum class CellLook { Disabled, Selected, SelectedNoFocus, Ledger, Normal };

// The box a cell's painter fills before drawing on it, and its colour; none when the cell is
// not filled (transparent columns, disabled rows, the sub-items of ledger rows). The painters
// fill exactly this box, so the paint pass can leave it out of the background copy.
struct CellBackground {
    RECT box;
    COLORREF color = 0;
};
std::optional<CellBackground> ItemCellBackground(const RowStyle& style, const tListItemInfo& item,
                                                 int32_t index, CellSpan cell, RowMetrics row);
std::optional<CellBackground> SubItemCellBackground(const RowStyle& style, const tListItemInfo& item,
                                                    int32_t k, CellSpan cell, RowMetrics row);

// Draws the first column of an ordinary row (index is the 1-based item index, which picks the
// ledger band) and writes the row's geometry back into the record: cLIItemX (the text's left),
// cLIItemY, cLITextHeight, cLIItemHeight.
void PaintItemCell(Surface& surface, TextEngine& text, const RowStyle& style, tListItemInfo& item,
                   int32_t index, CellSpan cell, RowMetrics row, const FontSpec& font);

// Draws sub-item k (1-based) in the cell of column k + 1, in the sub-item's font.
void PaintSubItemCell(Surface& surface, TextEngine& text, const RowStyle& style,
                      const tListItemInfo& item, int32_t k, CellSpan cell, RowMetrics row,
                      const FontSpec& font);

// Draws a group header row across the surface; firstColumnLeft is column 1's left edge. Writes
// the row's geometry back as the item cell does.
void PaintGroupHeaderRow(Surface& surface, TextEngine& text, const RowStyle& style,
                         tListItemInfo& item, const tItemGroupInfo& group, int32_t firstColumnLeft,
                         RowMetrics row, const FontSpec& font);

// The geometry the group header painter uses, for hit testing and tests: the glyph's top-left
// and the caption rectangle, given the caption height ct.
struct GroupHeaderLayout {
    int32_t glyphLeft = 0;
    int32_t glyphTop = 0;
    RECT caption;
};
GroupHeaderLayout LayoutGroupHeader(const tItemGroupInfo& group, int32_t firstColumnLeft,
                                    int32_t surfaceWidth, RowMetrics row, int32_t captionHeight);

}  // namespace glv
