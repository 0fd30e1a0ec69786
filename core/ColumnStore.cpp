#include "core/ColumnStore.h"

#include <algorithm>

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

int32_t ColumnStore::AddEx(const ColumnSpec& spec) {
    tColHeaderInfo& column = Grow();
    column.cHHAlignment = spec.hAlign;
    column.cHVAlignment = spec.vAlign;
    column.cHCaption = spec.caption;
    column.cHEnabled = true;
    column.cHFontName = spec.font.Name;
    column.cHFontSize = spec.font.Size;
    column.cHFontBold = spec.font.Bold;
    column.cHFontItalic = spec.font.Italic;
    column.cHFontStrikeThrough = spec.font.Strikethrough;
    column.cHFontUnderline = spec.font.Underline;
    column.cHForeColor = spec.foreColor;
    column.cHHoverForeColor = spec.hoverForeColor;
    column.cHIcon = spec.icon;
    column.cHIconHover = spec.hoverIcon;
    column.cHIconPress = spec.downIcon;
    column.cHItemData = spec.itemData;
    column.cHSortType = spec.sortType;
    column.cHTag = spec.tag;
    column.cHWidth = spec.width;
    column.cHMinWidth = std::min(spec.minWidth, spec.width);
    return Count();
}

void ColumnStore::Clear() {
    std::vector<tColHeaderInfo>().swap(columns_);
    std::vector<tColHeaderExtInfo>().swap(ext_);
}

int32_t ColumnStore::TotalWidth() const {
    int64_t total = 0;
    for (const tColHeaderInfo& column : columns_) total += column.cHWidth;
    return static_cast<int32_t>(total);
}

}  // namespace glv
