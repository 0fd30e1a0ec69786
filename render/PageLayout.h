#pragma once
// The rows of one paint pass, laid out before anything is drawn: where each row goes and which
// boxes its cells will fill opaque. The background copy leaves those boxes out (most of a page
// is painted over by its cells), and the rows are then painted from this layout.
#include <cstdint>
#include <utility>
#include <vector>

#include "core/Records.h"
#include "platform/Geometry.h"

namespace glv {

struct PageRow {
    enum class Kind : uint8_t { Item, GroupHeader, ExpandingRow };
    int32_t index = 0;  // 1-based item index
    Kind kind = Kind::Item;
    int32_t top = 0;
    int32_t height = 0;  // the expanding row's height for its place
    int32_t textHeight = 0;
    tListItemInfo* full = nullptr;  // the item's full record, or
    int32_t copy = -1;              // its slot in PageLayout::copies
};

struct PageLayout {
    std::vector<PageRow> rows;
    // Compact rows are painted from copies, so that painting never makes full records. The
    // copies outlive a pass (Clear keeps them), so the next pass writes over their memory.
    std::vector<tListItemInfo> copies;
    size_t copiesUsed = 0;
    // Boxes the rows' cells fill opaque, in the order painted, and the background copy's
    // working storage.
    std::vector<RECT> covered;
    std::vector<RECT> crossing;
    std::vector<std::pair<int32_t, int32_t>> spans;
    int32_t pageCount = 0;
    // A row's height overflowed: the rows before it are painted, then the pass stops.
    bool overflowed = false;
    // Where the column lines drawn band by band with the rows end; 0 when the rows left them
    // to be drawn whole.
    int32_t columnLinesDrawnTo = 0;
    // Empties the layout, keeping its storage.
    void Clear() {
        rows.clear();
        copiesUsed = 0;
        covered.clear();
        pageCount = 0;
        overflowed = false;
        columnLinesDrawnTo = 0;
    }
    tListItemInfo& Item(const PageRow& row) {
        return row.full != nullptr ? *row.full : copies[static_cast<size_t>(row.copy)];
    }
};

}  // namespace glv
