#pragma once
// The fonts the painters select: an item's own, a sub-item's (whose size is its item's, a
// sub-item has none of its own) and a column header's. Each fills a FontSpec the caller keeps,
// so selecting the next row's font reuses the same storage and allocates nothing.

#include "core/Records.h"
#include "platform/Font.h"

namespace glv {

inline void ItemFont(const tListItemInfo& item, FontSpec& out) {
    out.Name.assign(item.cLIFontName.view());
    out.Size = item.cLIFontSize;
    out.Bold = item.cLIFontBold;
    out.Italic = item.cLIFontItalic;
    out.Underline = item.cLIFontUnderline;
    out.Strikethrough = item.cLIFontStrikeThrough;
}

inline void SubItemFont(const tSubListItemInfo& sub, float itemFontSize, FontSpec& out) {
    out.Name.assign(sub.cSIFontName.view());
    out.Size = itemFontSize;
    out.Bold = sub.cSIFontBold;
    out.Italic = sub.cSIFontItalic;
    out.Underline = sub.cSIFontUnderline;
    out.Strikethrough = sub.cSIFontStrikeThrough;
}

inline void ColumnFont(const tColHeaderInfo& column, FontSpec& out) {
    out.Name.assign(column.cHFontName.view());
    out.Size = column.cHFontSize;
    out.Bold = column.cHFontBold;
    out.Italic = column.cHFontItalic;
    out.Underline = column.cHFontUnderline;
    out.Strikethrough = column.cHFontStrikeThrough;
}

// The same as values, for callers that select a font once.
inline FontSpec ItemFont(const tListItemInfo& item) {
    FontSpec font;
    ItemFont(item, font);
    return font;
}

inline FontSpec SubItemFont(const tListItemInfo& item, const tSubListItemInfo& sub) {
    FontSpec font;
    SubItemFont(sub, item.cLIFontSize, font);
    return font;
}

inline FontSpec HeaderFont(const tColHeaderInfo& column) {
    FontSpec font;
    ColumnFont(column, font);
    return font;
}

}  // namespace glv
