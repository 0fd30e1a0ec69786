#pragma once
// The column store: one tColHeaderInfo per column with its extension record beside it.
// Column 1 shows the items' own fields; column k + 1 shows sub-item k.

#include <cstdint>
#include <vector>

#include "core/Records.h"
#include "platform/StdFont.h"

namespace glv {

// The arguments of an extended add, already converted by the public entry.
struct ColumnSpec {
    std::string caption;
    int32_t hAlign = LVColumnHeaderAlignLeft;
    int32_t vAlign = LVColumnHeaderAlignTop;
    OLE_COLOR foreColor = 0;
    OLE_COLOR hoverForeColor = 0;
    StdFont font;
    int16_t icon = -1;
    int16_t downIcon = -1;
    int16_t hoverIcon = -1;
    int32_t itemData = 0;
    std::string tag;
    int32_t sortType = 0;
    int32_t minWidth = 100;
    int32_t width = 100;
};

class ColumnStore {
public:
    // The column count is a 16-bit Integer in the interface.
    static constexpr int32_t kMaxColumns = 32767;

    int32_t Count() const { return static_cast<int32_t>(columns_.size()); }
    bool Contains(int32_t index) const { return index >= 1 && index <= Count(); }

    tColHeaderInfo& Column(int32_t index) { return columns_[static_cast<std::size_t>(index - 1)]; }
    const tColHeaderInfo& Column(int32_t index) const { return columns_[static_cast<std::size_t>(index - 1)]; }
    tColHeaderExtInfo& Ext(int32_t index) { return ext_[static_cast<std::size_t>(index - 1)]; }
    const tColHeaderExtInfo& Ext(int32_t index) const { return ext_[static_cast<std::size_t>(index - 1)]; }

    // Add: icon in all three icon fields, MinWidth 100 or the width when that is smaller, font
    // from the default header font. Raises Overflow (6) past 32767 columns. Returns the new index.
    int32_t Add(const std::string& caption, int16_t icon, int32_t width, const StdFont& headerFont,
                OLE_COLOR headerForeColor);
    // Extended add: every field from the definition; MinWidth is the smaller of MinWidth and Width.
    int32_t AddEx(const ColumnSpec& def);

    void Clear();

    int32_t TotalWidth() const;

    // Moves and swaps for column reordering; the extension records move with their columns.
    std::vector<tColHeaderInfo>& Records() { return columns_; }
    std::vector<tColHeaderExtInfo>& ExtRecords() { return ext_; }

private:
    tColHeaderInfo& Grow();

    std::vector<tColHeaderInfo> columns_;
    std::vector<tColHeaderExtInfo> ext_;
};

}  // namespace glv
