#include "core/ColumnStore.h"

#include <algorithm>

#include "core/ColumnWidths.h"
#include "platform/AutomationError.h"

namespace glv {

tColHeaderInfo& ColumnStore::Grow() {
    if (Count() >= kMaxColumns) RaiseRuntimeError(runtime_error::kOverflow);
    columns_.emplace_back();
    ext_.push_back(tColHeaderExtInfo{-1, true});
    return columns_.back();
}

int32_t ColumnStore::Add(const std::string& caption, int16_t icon, int32_t width,
                         const StdFont& headerFont, OLE_COLOR headerForeColor) {
    tColHeaderInfo& column = Grow();
    column.cHEnabled = true;
    column.cHIcon = column.cHIconHover = column.cHIconPress = icon;
    column.cHCaption = caption;
    column.cHWidth = width;
    column.cHMinWidth = width > 100 ? 100 : width;
    column.cHFontName = headerFont.Name;
    column.cHFontSize = headerFont.Size;
    column.cHFontBold = headerFont.Bold;
    column.cHFontItalic = headerFont.Italic;
    column.cHFontStrikeThrough = headerFont.Strikethrough;
    column.cHFontUnderline = headerFont.Underline;
    column.cHForeColor = headerForeColor;
    return Count();
}

int32_t ColumnStore::AddEx(const ColumnSpec& def) {
    tColHeaderInfo& column = Grow();
    column.cHHAlignment = def.hAlign;
    column.cHVAlignment = def.vAlign;
    column.cHCaption = def.caption;
    column.cHEnabled = true;
    column.cHFontName = def.font.Name;
    column.cHFontSize = def.font.Size;
    column.cHFontBold = def.font.Bold;
    column.cHFontItalic = def.font.Italic;
    column.cHFontStrikeThrough = def.font.Strikethrough;
    column.cHFontUnderline = def.font.Underline;
    column.cHForeColor = def.foreColor;
    column.cHHoverForeColor = def.hoverForeColor;
    column.cHIcon = def.icon;
    column.cHIconHover = def.hoverIcon;
    column.cHIconPress = def.downIcon;
    column.cHItemData = def.itemData;
    column.cHSortType = def.sortType;
    column.cHTag = def.tag;
    column.cHWidth = def.width;
    column.cHMinWidth = std::min(def.minWidth, def.width);
    return Count();
}

void ColumnStore::Clear() {
    std::vector<tColHeaderInfo>().swap(columns_);
    std::vector<tColHeaderExtInfo>().swap(ext_);
}

// Each width is a Long, so the sum may not fit one: that is the runtime's overflow, as a
// script adding them up would get. Layout takes the exact sum (ExactTotalWidth) instead.
int32_t ColumnStore::TotalWidth() const {
    const int64_t total = ExactTotalWidth(*this);
    if (total < INT32_MIN || total > INT32_MAX) RaiseRuntimeError(runtime_error::kOverflow);
    return static_cast<int32_t>(total);
}

int64_t ExactTotalWidth(const ColumnStore& columns) {
    int64_t total = 0;
    for (int32_t i = 1; i <= columns.Count(); ++i) total += columns.Column(i).cHWidth;
    return total;
}

}  // namespace glv
