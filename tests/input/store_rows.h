#pragma once
// An item store and column store built from compact strings, for the input rules' own tests.
//
// Rows: one letter per item. '.' plain, 'g' group header, 'h' hidden, 'd' disabled,
// 'u' unselectable, 'G' unselectable group header; upper-case 'S' a plain row already selected.
#include <string>
#include <string_view>

#include "core/ColumnStore.h"
#include "core/ItemStore.h"

namespace glv::test {

inline void FillRows(ItemStore& items, std::string_view rows, int32_t firstTop = 21,
                     int32_t height = 16) {
    int32_t top = firstTop;
    for (char c : rows) {
        tListItemInfo item = items.NewItem(NewItemDefaults{}, 0);
        item.cLIText = std::string(1, c);
        item.cLIItemHeight = height;
        item.cLIEnabled = c != 'd';
        item.cLISelectable = c != 'u' && c != 'G';
        const int32_t index = items.Append(std::move(item));
        items.Group(index).GroupHeader = c == 'g' || c == 'G';
        if (c == 'h') {
            items.SetVisible(index, false);
            continue;
        }
        if (c == 'S') items.SetSelected(index, true);
        items.Item(index).cLIItemY = top;
        top += height;
    }
}

// The selected rows as "2 3 5" ("-" for none).
inline std::string SelectedRows(const ItemStore& items) {
    std::string out;
    for (int32_t i = 1; i <= items.Count(); ++i)
        if (items.Item(i).cLISelected) out += (out.empty() ? "" : " ") + std::to_string(i);
    return out.empty() ? "-" : out;
}

// Columns laid out from x = 1 with the given widths, edges as the paint pass writes them.
inline void FillColumns(ColumnStore& columns, std::initializer_list<int32_t> widths) {
    int32_t x = 1;
    for (int32_t w : widths) {
        const int32_t i = columns.Add("c", -1, w, StdFont(), 0);
        columns.Column(i).cHCollX = x;
        x += w;
        columns.Column(i).cHCollXSplit = x;
    }
}

}  // namespace glv::test
