#pragma once
// The list's vertical geometry: text, row and header heights, the page walk that decides how
// many rows fit, and the searches over visible rows that the page functions are built from.
//
// Row geometry is kept in the item records, not in a table of its own: the paint pass writes
// each painted row's top, height and text height back (cLIItemY, cLIItemHeight, cLITextHeight)
// and the page walk reads the stored heights. A row that was not painted keeps what it had.
// The walks start at TopIndex and end with the page, so their cost follows the page, not the
// list; only hidden rows in between are stepped over.
//
// Every function takes the state it reads as arguments.

#include <cstdint>
#include <optional>

#include "core/ColumnStore.h"
#include "core/ItemStore.h"
#include "platform/Font.h"
#include "platform/Text.h"

namespace glv {

// Height of "Wg" in the font: the text height of rows and header captions.
int32_t MeasureTextHeight(TextEngine& text, const FontSpec& font);

// The control's settings that decide a row's height.
struct RowHeightRules {
    int16_t verticalMargin = 1;    // RowVerticalMargin, above and below the content
    int16_t minHeight = 3;         // RowMinHeight: floor of group rows, height of shrunk rows
    bool shrinkOnNoText = true;    // RowShrinkOnNoText
    bool smallIconsBound = false;  // the small-icon slot has a handle or an object
    int32_t smallIconHeight = 0;
};

// The height of a visible row, grid line not included; std::nullopt when the 16-bit row
// arithmetic overflows (a huge RowVerticalMargin), which stops the paint pass.
std::optional<int32_t> RowHeight(const tListItemInfo& item, const tItemGroupInfo& group,
                                 int32_t textHeight, const RowHeightRules& rules);

struct HeaderMetrics {
    int32_t height = 0;       // the header band; 0 with hidden headers, else at least 20
    int32_t textHeight = 0;   // the tallest "Wg" over the columns' header fonts
    int32_t imageHeight = 0;  // the header images' height
};

// The header band for the columns as they are now.
HeaderMetrics ComputeHeaderMetrics(const ColumnStore& columns, bool hideColumnHeaders,
                                   int32_t headerImageHeight, TextEngine& text);

// A header height as it is stored: a 16-bit value, negative values clamped to 0.
int32_t StoredHeaderHeight(int32_t height);

// The expanding row where the page walk needs it, in pixels.
struct ExpandingRowPlace {
    bool inUse = false;  // ExpandingRow is on and an expanding row is attached and exists
    int32_t top = 0;
    int32_t height = 0;
    int32_t itemIndex = 0;  // the item it belongs to
};

// The space the rows share.
struct PageFrame {
    int32_t surfaceHeight = 0;
    int32_t headerHeight = 0;
    int32_t hScrollBand = 0;  // 0 while the horizontal scroll bar is hidden, else its height
    bool gridLines = false;
    ExpandingRowPlace expanding;
};

// The page walk serves three askers that differ in two small ways: the page count lets an
// expanding row count only down to the bottom edge and wants its top strictly above it, and
// the end of the page steps over the expanding row's own item.
enum class PageWalkFor { PageCount, LastItem, EndOfPage };

struct PageWalk {
    int32_t rowsCounted = 0;      // visible rows met, the first one that does not fit included
    int32_t firstNotFitting = 0;  // its index; item count + 1 when every row fits
    int32_t lastFitting = 0;      // the last row that fits completely; 0 when none does
    bool expandingMode = false;
};

PageWalk WalkPage(const ItemStore& items, int32_t topIndex, const PageFrame& frame,
                  PageWalkFor purpose);

// Rows that fit one page: the rows counted less the one that did not fit (or, when all fit,
// one less than the rows left), plus one in expanding-row mode; 0 with no items.
int32_t PageCount(const ItemStore& items, const PageWalk& walk);

// Searches over the Visible flags, as the public page functions define them.
int32_t FindFirstVisible(const ItemStore& items);
int32_t FindNextVisible(const ItemStore& items, int32_t start, bool searchDown);
int32_t FindVisibleByRange(const ItemStore& items, int32_t start, int32_t count, bool searchDown);
int32_t CountVisibleBetween(const ItemStore& items, int32_t start, int32_t end);

// TopIndex after moving over count - 1 visible rows (at least one when there is one) from top;
// the caller decides whether the result is usable.
int32_t OffsetTop(const ItemStore& items, int32_t top, int32_t count, bool down);

}  // namespace glv
