#include "render/PaintPass.h"

#include "render/Fonts.h"

#include "platform/GeometryLimits.h"

namespace glv {

// --- the frame around the rows ------------------------------------------------------------------

void CopyBackground(Surface& surface, const cMemDC& cache) {
    if (const Surface* background = cache.hdc())
        surface.BitBlt(0, 0, surface.Width(), surface.Height(), *background, 0, 0);
}

// The edges are summed exactly and written back within +-kFarPixel, so a width near the ends
// of its 32-bit range moves the later columns out of sight instead of wrapping them back in.
void LayoutColumnEdges(ColumnStore& columns, int32_t firstLeft) {
    int64_t x = firstLeft;
    for (int32_t i = 1; i <= columns.Count(); ++i) {
        tColHeaderInfo& column = columns.Column(i);
        column.cHCollX = ClampToFar(x);
        x += column.cHWidth;
        column.cHCollXSplit = ClampToFar(x);
    }
}

void DrawRowGridLine(Surface& surface, int32_t y, COLORREF color) {
    surface.SetPen(color);
    surface.MoveTo(1, y);
    surface.LineTo(surface.Width() - 1, y);
}

void DrawColumnLines(Surface& surface, const ColumnStore& columns, int32_t headerHeight,
                     COLORREF color) {
    surface.SetPen(color);
    for (int32_t i = 2; i <= columns.Count(); ++i) {
        const int32_t x = columns.Column(i).cHCollX;
        surface.MoveTo(x, headerHeight);
        surface.LineTo(x, surface.Height() - 3);
    }
}

void FillCorner(Surface& surface, int32_t scrollBarSize, bool rightToLeft, COLORREF color) {
    const int32_t w = surface.Width();
    const int32_t h = surface.Height();
    const RECT corner = rightToLeft ? RECT{1, h - scrollBarSize, scrollBarSize + 1, h}
                                    : RECT{w - scrollBarSize, h - scrollBarSize, w, h};
    surface.FillRect(corner, color);
}

void DrawBorder(Surface& surface, COLORREF color) {
    surface.DrawBox(0, 0, surface.Width() - 1, surface.Height() - 1, color, false);
}

// Sub-item k in column k + 1 for every column after the first. A cell wholly off the surface
// draws nothing and writes nothing back, so it is skipped without measuring its text.
void PaintSubItems(Surface& surface, TextEngine& text, const RowStyle& style,
                   const tListItemInfo& item, const ColumnStore& columns, RowMetrics row,
                   FontSpec& font) {
    const auto subItems = static_cast<int32_t>(item.cLISubListItemInfo.size());
    for (int32_t k = 1; k < columns.Count() && k <= subItems; ++k) {
        const tColHeaderInfo& column = columns.Column(k + 1);
        const CellSpan cell{column.cHCollX, column.cHCollXSplit};
        if (cell.right <= 0 || cell.left >= surface.Width()) continue;
        SubItemFont(item.cLISubListItemInfo[static_cast<std::size_t>(k - 1)], item.cLIFontSize, font);
        PaintSubItemCell(surface, text, style, item, k, cell, row, font);
    }
}

}  // namespace glv
