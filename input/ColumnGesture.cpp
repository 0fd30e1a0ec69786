#include "input/ColumnGesture.h"

#include "core/ColumnWidths.h"

namespace glv {

std::optional<int32_t> ColumnSpanAt(const ColumnStore& columns, float x) {
    for (int32_t i = 1; i <= columns.Count(); ++i) {
        const tColHeaderInfo& c = columns.Column(i);
        if (static_cast<float>(c.cHCollX) <= x && x <= static_cast<float>(RightEdge(c))) return i;
    }
    return std::nullopt;
}

}  // namespace glv
