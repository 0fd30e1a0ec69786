#pragma once
// The painters the paint pass calls: one per part of the picture, each given the few values it
// needs. The pass lays a row out (top, height, text height) and selects the row's font on the
// surface before it calls a row painter; the header pass assigns the column edges before it
// calls the header painter.

#include <cstdint>

#include "core/ColumnStore.h"
#include "core/PropertyValues.h"
#include "core/Records.h"
#include "platform/Font.h"
#include "platform/Surface.h"
#include "platform/Text.h"
#include "render/ImageLists.h"

namespace glv {

// What every painter of one pass shares.
struct PaintTarget {
    Surface& surface;
    TextEngine& text;
    const SystemInfo& system;
    const PropertyValues& props;
    const ImageListSlots& imageLists;
    const IconTarget& icons;
    FontSpec& scratchFont;  // storage for fonts a painter selects itself (sub-items, captions)
    bool editInProgress = false;
};

// One laid-out row.
struct RowBox {
    int32_t index = 0;  // 1-based item index
    int32_t top = 0;
    int32_t height = 0;
    int32_t textHeight = 0;
};

// The header band as the header painter needs it.
struct HeaderBox {
    int32_t height = 0;
    int32_t textHeight = 0;
    int32_t imageHeight = 0;
    int32_t hotColumn = -1;
    int32_t pressedColumn = -1;
};

// Column 1 of an ordinary row, between the column's edges; stores cLIItemX.
void PaintItemCell(const PaintTarget& target, const RowBox& row, tListItemInfo& item,
                   const tColHeaderInfo& column);
// Sub-item k in column k + 1 for every column after the first.
void PaintSubItemCells(const PaintTarget& target, const RowBox& row, const tListItemInfo& item,
                       const ColumnStore& columns);
// A group header row over the full width; stores cLIItemX.
void PaintGroupHeaderRow(const PaintTarget& target, const RowBox& row, tListItemInfo& item,
                         const tItemGroupInfo& group, const tColHeaderInfo& firstColumn);
// The header sections over the band the background cache holds; the edges are already set.
void PaintColumnHeaders(const PaintTarget& target, const HeaderBox& header,
                        const ColumnStore& columns);

}  // namespace glv
