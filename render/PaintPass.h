#pragma once
// The steps of a paint pass that draw the frame around the rows, each a plain function of the
// values it reads. The pass itself (GlideListView::PaintPass in control/ControlPaint.cpp) runs them in a
// fixed order: row layout, background copy, header pass, rows with their grid lines, column lines, corner,
// border.

#include <cstdint>
#include <vector>

#include "core/ColumnStore.h"
#include "platform/Color.h"
#include "platform/MemDC.h"
#include "platform/Surface.h"
#include "render/PageLayout.h"
#include "render/RowPainters.h"

namespace glv {

// The cached background onto the surface, except inside the page's covered boxes, which the
// pass fills opaque later (whatever is under them now cannot show); nothing when the cache has
// no surface. The boxes are clipped to the surface and sorted in place.
void CopyBackground(Surface& surface, const cMemDC& cache, PageLayout& page);

// The horizontal half of the header pass: each column's left edge (cHCollX) and right edge
// (cHCollXSplit = left + width), the first starting at firstLeft, each next one at the
// previous right edge.
void LayoutColumnEdges(ColumnStore& columns, int32_t firstLeft);

// The grid line under a row: y from x = 1 up to the surface's last column (excluded).
void DrawRowGridLine(Surface& surface, int32_t y, COLORREF color);

// A vertical line at every column's left edge after the first, from the header band's bottom
// to three pixels above the surface's bottom.
void DrawColumnLines(Surface& surface, const ColumnStore& columns, int32_t headerHeight,
                     COLORREF color);
// The part of those lines from y = top down to bottom (excluded), for a pass that draws them a
// band at a time; the bands together draw what DrawColumnLines draws, when its top lies above
// its bottom.
void DrawColumnLineBand(Surface& surface, const ColumnStore& columns, int32_t headerHeight,
                        int32_t top, int32_t bottom, COLORREF color);

// The square between two visible scroll bars: bottom right, or bottom left right-to-left.
void FillCorner(Surface& surface, int32_t scrollBarSize, bool rightToLeft, COLORREF color);

// The one-pixel outline of the whole surface.
void DrawBorder(Surface& surface, COLORREF color);

// Sub-item k in column k + 1 for every column after the first, in the row's sub-item font
// (kept in font between rows). Cells wholly off the surface are skipped.
void PaintSubItems(Surface& surface, TextEngine& text, const RowStyle& style,
                   const tListItemInfo& item, const ColumnStore& columns, RowMetrics row,
                   FontSpec& font);

// Adds the boxes an ordinary row's cells fill opaque when painted (the item cell, then the
// sub-item cells PaintSubItems paints) to covered.
void AddRowBackgrounds(std::vector<RECT>& covered, const RowStyle& style,
                       const tListItemInfo& item, int32_t index, const ColumnStore& columns,
                       int32_t surfaceWidth, RowMetrics row);

}  // namespace glv
