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

std::size_t DroppedRowCount(std::string_view text) {
    if (text.find('|') == std::string_view::npos) return 1;
    std::size_t rows = 0;
    bool comma = false;
    for (const char c : text) {
        if (c == ',') {
            comma = true;
        } else if (c == '|') {
            rows += comma ? 1 : 0;
            comma = false;
        }
    }
    return rows + (comma ? 1 : 0);
}

std::optional<int16_t> PlainInteger(std::string_view field) {
    if (field.empty() || field.size() > 6) return std::nullopt;
    int32_t value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    // from_chars takes no "+" and no spaces, exactly the fields the fast path may take.
    if (error != std::errc() || end != field.data() + field.size() || value < INT16_MIN || value > INT16_MAX)
        return std::nullopt;
    return static_cast<int16_t>(value);
}

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
