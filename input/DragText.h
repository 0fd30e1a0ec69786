#pragma once
// The text of drag and drop: what a drag out of the control carries, and how a dropped text
// becomes rows.
//
// A dragged item is written as a row of an AddItemQuick array (text, icon, then a text and
// icon pair per further column, as much of it as the mode asks for), items joined with "|", so
// the text of one control dropped on another becomes new items there.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/ItemStore.h"

namespace glv {

// What a drag writes per item (OleDropDataMode).
enum LVOLEDragDataConstants : int32_t {
    oleDragItemText = 0,   // text,-1
    oleDragRowText = 1,    // text,-1 then ,sub-item text,-1 per further column
    oleDragItemData = 2,   // text,icon
    oleDragRowData = 3,    // text,icon then ,sub-item text,sub-item icon per further column
    oleDragItemTag = 4,    // tag
    oleDragItemIndex = 5,  // index,-1
};

// The drag text of the selected items, in list order; nullopt for a mode outside 0..5, which
// puts nothing into the data object. With nothing selected the text is empty.
std::optional<std::string> BuildDragText(const ItemStore& items, int32_t columnCount, int32_t mode);

// How many rows ForEachDroppedRow makes of a text, counted without splitting it.
std::size_t DroppedRowCount(std::string_view text);

// A field written as plain decimal digits (with an optional "-") that fits an Integer, as the
// drag texts write icon indexes; anything else is nullopt and takes the general conversion.
// Either way the value is the same: this only spares a drop of many rows the locale's parsing.
std::optional<int16_t> PlainInteger(std::string_view field);

// How a dropped text becomes rows, as the automatic drop adds them:
//  - a text without "|" and without "," is one row of one field (AddItemQuick takes it as a
//    plain value);
//  - a text without "|" is one row of its ","-separated fields;
//  - otherwise each "|"-separated line is a row of its fields; a line without "," is skipped.
// Empty fields are kept. row(fields) is called for each row in order; the views point into text.
template <typename RowFn>
void ForEachDroppedRow(std::string_view text, RowFn&& row) {
    std::vector<std::string_view> fields;
    auto split = [&](std::string_view line) {
        fields.clear();
        for (std::size_t start = 0;;) {
            const std::size_t comma = line.find(',', start);
            fields.push_back(line.substr(start, comma == std::string_view::npos ? comma : comma - start));
            if (comma == std::string_view::npos) break;
            start = comma + 1;
        }
    };
    if (text.find('|') == std::string_view::npos) {
        split(text);
        row(std::span<const std::string_view>(fields));
        return;
    }
    for (std::size_t start = 0;;) {
        const std::size_t bar = text.find('|', start);
        const std::string_view line =
            text.substr(start, bar == std::string_view::npos ? bar : bar - start);
        if (line.find(',') != std::string_view::npos) {
            split(line);
            row(std::span<const std::string_view>(fields));
        }
        if (bar == std::string_view::npos) break;
        start = bar + 1;
    }
}

}  // namespace glv
