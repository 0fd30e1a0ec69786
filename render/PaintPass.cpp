#include "render/PaintPass.h"

#include <algorithm>
#include <utility>

#include "render/Fonts.h"

#include "platform/GeometryLimits.h"

namespace glv {

// --- the frame around the rows ------------------------------------------------------------------

namespace {

void CopyBackgroundPart(Surface& surface, const Surface& background, const RECT& part) {
    surface.BitBlt(part.Left, part.Top, part.Right - part.Left, part.Bottom - part.Top, background, part.Left,
                   part.Top);
}

}  // namespace

void CopyBackground(Surface& surface, const cMemDC& cache, PageLayout& page) {
    const Surface* background = cache.hdc();
    if (background == nullptr) return;
    // A sweep down the surface: between two consecutive box edges the set of boxes crossing a
    // line is fixed, so each such band is copied in the gaps its boxes leave.
    const RECT bounds = surface.Bounds();
    std::vector<RECT>& covered = page.covered;
    std::vector<RECT>& active = page.crossing;
    std::vector<std::pair<int32_t, int32_t>>& spans = page.spans;
    active.clear();
    std::erase_if(covered, [&](RECT& box) {
        box = IntersectRect(box, bounds);
        return IsRectEmpty(box);
    });
    std::sort(covered.begin(), covered.end(),
              [](const RECT& a, const RECT& b) { return a.Top < b.Top; });
    size_t next = 0;
    for (int32_t y = 0; y < bounds.Bottom;) {
        while (next < covered.size() && covered[next].Top <= y) active.push_back(covered[next++]);
        std::erase_if(active, [&](const RECT& box) { return box.Bottom <= y; });
        int32_t end = next < covered.size() ? covered[next].Top : bounds.Bottom;
        spans.clear();
        for (const RECT& box : active) {
            end = std::min(end, box.Bottom);
            spans.emplace_back(box.Left, box.Right);
        }
        std::sort(spans.begin(), spans.end());
        int32_t x = 0;  // everything left of x is copied or covered
        for (const auto& [left, right] : spans) {
            if (left > x) CopyBackgroundPart(surface, *background, {x, y, left, end});
            x = std::max(x, right);
        }
        if (x < bounds.Right) CopyBackgroundPart(surface, *background, {x, y, bounds.Right, end});
        y = end;
    }
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

void DrawColumnLineBand(Surface& surface, const ColumnStore& columns, int32_t headerHeight,
                        int32_t top, int32_t bottom, COLORREF color) {
    top = std::max(top, headerHeight);
    bottom = std::min(bottom, surface.Height() - 3);
    if (top >= bottom) return;
    surface.SetPen(color);
    for (int32_t i = 2; i <= columns.Count(); ++i) {
        const int32_t x = columns.Column(i).cHCollX;
        surface.MoveTo(x, top);
        surface.LineTo(x, bottom);
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

namespace {

// Calls paint(k, cell) for sub-item k in column k + 1, for every column after the first. A cell
// wholly off the surface draws nothing and writes nothing back, so it is skipped without
// measuring its text.
template <typename Paint>
void ForEachSubItemCell(const tListItemInfo& item, const ColumnStore& columns,
                        int32_t surfaceWidth, Paint paint) {
    const auto subItems = static_cast<int32_t>(item.cLISubListItemInfo.size());
    for (int32_t k = 1; k < columns.Count() && k <= subItems; ++k) {
        const tColHeaderInfo& column = columns.Column(k + 1);
        const CellSpan cell{column.cHCollX, column.cHCollXSplit};
        if (cell.right <= 0 || cell.left >= surfaceWidth) continue;
        paint(k, cell);
    }
}

}  // namespace

void PaintSubItems(Surface& surface, TextEngine& text, const RowStyle& style,
                   const tListItemInfo& item, const ColumnStore& columns, RowMetrics row,
                   FontSpec& font) {
    ForEachSubItemCell(item, columns, surface.Width(), [&](int32_t k, CellSpan cell) {
        SubItemFont(item.cLISubListItemInfo[static_cast<std::size_t>(k - 1)], item.cLIFontSize, font);
        PaintSubItemCell(surface, text, style, item, k, cell, row, font);
    });
}

void AddRowBackgrounds(std::vector<RECT>& covered, const RowStyle& style,
                       const tListItemInfo& item, int32_t index, const ColumnStore& columns,
                       int32_t surfaceWidth, RowMetrics row) {
    const tColHeaderInfo& first = columns.Column(1);
    if (const auto fill = ItemCellBackground(style, item, index, {first.cHCollX, first.cHCollXSplit}, row))
        covered.push_back(fill->box);
    if (item.cLIOverLap) return;
    ForEachSubItemCell(item, columns, surfaceWidth, [&](int32_t k, CellSpan cell) {
        if (const auto fill = SubItemCellBackground(style, item, k, cell, row))
            covered.push_back(fill->box);
    });
}

}  // namespace glv
