#include "input/HitTest.h"

#include <algorithm>

#include "core/ColumnWidths.h"

namespace glv {

namespace {

// cHCollX of column i, read as the pointer's float.
float Left(const ColumnStore& columns, int32_t i) {
    return static_cast<float>(columns.Column(i).cHCollX);
}

}  // namespace

std::optional<int32_t> HitRow(const HitGeometry& g, float y, RowRule rule) {
    const ItemStore& items = g.items;
    int32_t seen = 0;
    for (int32_t i = std::max(g.topIndex, 1); i <= items.Count() && seen < g.pageRows; ++i) {
        const tItemGroupInfo& group = items.Group(i);
        if (!group.Visible) continue;
        ++seen;
        const auto top = static_cast<float>(items.ItemTop(i));
        if (y < top || y > top + static_cast<float>(items.ItemHeight(i))) continue;
        // The first row whose band holds Y decides, usable or not.
        if (!items.IsEnabled(i)) return std::nullopt;
        if (!items.IsSelectable(i) && !(rule == RowRule::Click && group.GroupHeader))
            return std::nullopt;
        return i;
    }
    return std::nullopt;
}

std::optional<int32_t> HoveredColumn(const ColumnStore& columns, float x) {
    const int32_t count = columns.Count();
    for (int32_t i = 1; i <= count; ++i) {
        const float right = i < count ? Left(columns, i + 1)
                                      : Left(columns, i) + static_cast<float>(columns.Column(i).cHWidth);
        if (Left(columns, i) <= x && x <= right) return i;
    }
    return std::nullopt;
}

std::optional<int32_t> DividerColumn(const ColumnStore& columns, float x) {
    for (int32_t i = 1; i <= columns.Count(); ++i) {
        const auto split = static_cast<float>(columns.Column(i).cHCollXSplit);
        if (split - 3 <= x && x <= split + 3) return i;
    }
    return std::nullopt;
}

std::optional<int32_t> SubItemColumn(const ColumnStore& columns, float x) {
    const int32_t count = columns.Count();
    if (count < 2) return std::nullopt;
    for (int32_t i = 2; i < count; ++i)
        if (Left(columns, i) <= x && x <= Left(columns, i + 1)) return i - 1;
    return count - 1;  // the last column takes every X no earlier one claimed
}

bool InFirstColumnArea(const ColumnStore& columns, float x) {
    if (columns.Count() == 0) return true;
    const tColHeaderInfo& first = columns.Column(1);
    return x <= static_cast<float>(RightEdge(first));
}

PointerHit HitTest(const HitGeometry& g, float x, float y, RowRule rule) {
    PointerHit hit;
    hit.checkBoxZone = InCheckBoxZone(x);
    hit.glyphZone = InGroupGlyphZone(x);
    hit.inHeader = y <= static_cast<float>(g.headerHeight);
    if (hit.inHeader) {
        hit.column = HoveredColumn(g.columns, x);
        if (g.allowColumnResizing) hit.divider = DividerColumn(g.columns, x);
        hit.part = hit.divider ? HitPart::Divider : hit.column ? HitPart::HeaderSection : HitPart::Nothing;
        return hit;
    }
    hit.firstColumnArea = InFirstColumnArea(g.columns, x);
    hit.row = HitRow(g, y, rule);
    if (!hit.firstColumnArea) hit.subItem = SubItemColumn(g.columns, x);
    if (!hit.row) return hit;
    const bool groupHeader = g.items.Group(*hit.row).GroupHeader;
    if (rule == RowRule::PressRelease && hit.checkBoxZone)
        hit.part = HitPart::CheckBox;
    else if (rule == RowRule::Click && hit.glyphZone && groupHeader && hit.firstColumnArea)
        hit.part = HitPart::GroupGlyph;
    else if (hit.firstColumnArea)
        hit.part = HitPart::FirstColumn;
    else if (hit.subItem)
        hit.part = HitPart::SubItem;
    return hit;
}

}  // namespace glv
