#include "input/DragText.h"

#include <algorithm>
#include <charconv>

namespace glv {

namespace {

void AppendNumber(std::string& out, int32_t value) {
    char digits[12];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, end);
}

// One item's piece of the text.
void AppendPiece(std::string& out, const tListItemInfo& item, int32_t columnCount, int32_t mode) {
    const bool row = mode == oleDragRowText || mode == oleDragRowData;
    const bool icons = mode == oleDragItemData || mode == oleDragRowData;
    if (mode == oleDragItemTag) {
        out += item.cLITag.view();
        return;
    }
    out += item.cLIText;
    out += ',';
    if (icons)
        AppendNumber(out, item.cLIIconIndex);
    else
        out += "-1";
    if (!row) return;
    const auto subItems = static_cast<int32_t>(item.cLISubListItemInfo.size());
    const int32_t last = std::min(columnCount - 1, subItems);
    for (int32_t k = 1; k <= last; ++k) {
        const tSubListItemInfo& sub = item.cLISubListItemInfo[static_cast<std::size_t>(k - 1)];
        out += ',';
        out += sub.cSIText;
        out += ',';
        if (icons)
            AppendNumber(out, sub.cSIIconIndex);
        else
            out += "-1";
    }
}

}  // namespace

std::optional<std::string> BuildDragText(const ItemStore& items, int32_t columnCount, int32_t mode) {
    if (mode < oleDragItemText || mode > oleDragItemIndex) return std::nullopt;
    std::string out;
    bool first = true;
    items.ForEachSelected([&](int32_t index) {
        if (!first) out += '|';
        first = false;
        if (mode == oleDragItemIndex) {
            AppendNumber(out, index);
            out += ",-1";
        } else {
            AppendPiece(out, items.Item(index), columnCount, mode);
        }
    });
    return out;
}

}  // namespace glv
