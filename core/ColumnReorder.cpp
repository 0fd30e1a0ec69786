#include "core/ColumnReorder.h"

#include <algorithm>
#include <utility>

namespace glv {

namespace {

bool ValidPair(const ColumnStore& columns, int32_t column1, int32_t column2) {
    return column1 != column2 && columns.Contains(column1) && columns.Contains(column2);
}

// Element `from` of v goes to position `to`; the elements between close up.
template <typename Vector>
void MoveElement(Vector& v, std::size_t from, std::size_t to) {
    const auto begin = v.begin();
    using Diff = typename Vector::difference_type;
    const auto f = static_cast<Diff>(from), t = static_cast<Diff>(to);
    if (from < to)
        std::rotate(begin + f, begin + f + 1, begin + t + 1);
    else
        std::rotate(begin + t, begin + f, begin + f + 1);
}

}  // namespace

void ExchangeItemCell(tListItemInfo& item, tSubListItemInfo& sub) {
    using std::swap;
    swap(item.cLIBackColor, sub.cSIBackColor);
    swap(item.cLIEnabled, sub.cSIEnabled);
    swap(item.cLIFontBold, sub.cSIFontBold);
    swap(item.cLIFontItalic, sub.cSIFontItalic);
    swap(item.cLIFontName, sub.cSIFontName);
    swap(item.cLIFontStrikeThrough, sub.cSIFontStrikeThrough);
    swap(item.cLIFontUnderline, sub.cSIFontUnderline);
    swap(item.cLIForeColor, sub.cSIForeColor);
    swap(item.cLIIconIndex, sub.cSIIconIndex);
    swap(item.cLIIndent, sub.cSIIndent);
    swap(item.cLIItemData, sub.cSIItemData);
    swap(item.cLIItemHAlign, sub.cSIItemHAlign);
    swap(item.cLIItemStringData, sub.cSIItemStringData);
    swap(item.cLIItemVAlign, sub.cSIItemVAlign);
    swap(item.cLIPictureOnRight, sub.cSIPictureOnRight);
    swap(item.cLISelectBackColor, sub.cSISelectBackColor);
    swap(item.cLITag, sub.cSITag);
    swap(item.cLIText, sub.cSIText);
}

bool SwapColumnCells(ColumnStore& columns, ItemStore& items, int32_t column1, int32_t column2) {
    if (!ValidPair(columns, column1, column2)) return false;
    const auto low = static_cast<std::size_t>(std::min(column1, column2));
    const auto high = static_cast<std::size_t>(std::max(column1, column2));
    std::swap(columns.Records()[low - 1], columns.Records()[high - 1]);
    std::swap(columns.ExtRecords()[low - 1], columns.ExtRecords()[high - 1]);
    // Column k's cell is sub-item k - 1, element k - 2.
    for (int32_t i = 1; i <= items.Count(); ++i) {
        tListItemInfo& item = items.Item(i);
        auto& subs = item.cLISubListItemInfo;
        if (subs.size() < high - 1) continue;
        if (low == 1)
            ExchangeItemCell(item, subs[high - 2]);
        else
            std::swap(subs[low - 2], subs[high - 2]);
    }
    return true;
}

bool MoveColumnCells(ColumnStore& columns, ItemStore& items, int32_t column1, int32_t column2) {
    if (!ValidPair(columns, column1, column2)) return false;
    const auto from = static_cast<std::size_t>(column1 - 1);  // cell positions, 0 = the item's
    const auto to = static_cast<std::size_t>(column2 - 1);
    MoveElement(columns.Records(), from, to);
    MoveElement(columns.ExtRecords(), from, to);
    const std::size_t needed = std::max(from, to);  // sub-items the cells taking part need
    for (int32_t i = 1; i <= items.Count(); ++i) {
        tListItemInfo& item = items.Item(i);
        auto& subs = item.cLISubListItemInfo;
        if (subs.size() < needed) continue;
        if (from == 0) {
            // The item's cell goes right: the sub-items up to `to` close up, and the one that
            // lands at `to` trades places with the item's cell.
            MoveElement(subs, 0, to - 1);
            ExchangeItemCell(item, subs[to - 1]);
        } else if (to == 0) {
            ExchangeItemCell(item, subs[from - 1]);
            MoveElement(subs, from - 1, 0);
        } else {
            MoveElement(subs, from - 1, to - 1);
        }
    }
    return true;
}

}  // namespace glv
