#pragma once
// The rows the paint and scrolling benchmarks load: six columns of text with numbers of one
// width, so a list of a thousand and one of a million draw the same number of glyphs per page.

#include <algorithm>
#include <cstdint>
#include <string>

#include "control/GlideListView.h"

namespace glv {

inline constexpr int kPaintBenchColumns = 6;

// Loads count rows inside BeginUpdate/EndUpdate; icon is every cell's icon index (-1: none).
inline void LoadPaintBenchRows(GlideListView& list, int64_t count, int32_t icon = -1) {
    const Variant iconValue(icon);
    list.BeginUpdate();
    for (int64_t i = 0; i < count; ++i) {
        std::string n = std::to_string(i);
        n.insert(0, 7 - std::min<std::size_t>(n.size(), 7), '0');
        list.AddItemQuick(Variant::Array(
            {Variant("Item " + n), iconValue, Variant("Size " + n), iconValue,
             Variant("Kind " + n), iconValue, Variant("Date " + n), iconValue,
             Variant("Owner " + n), iconValue, Variant("Note " + n), iconValue}));
    }
    list.EndUpdate();
}

}  // namespace glv
