#include "render/Layout.h"

#include <algorithm>
#include <limits>

#include "render/Fonts.h"

namespace glv {

namespace {

bool FitsInt16(int64_t v) {
    return v >= std::numeric_limits<int16_t>::min() && v <= std::numeric_limits<int16_t>::max();
}

}  // namespace

int32_t MeasureTextHeight(TextEngine& text, const FontSpec& font) {
    return text.GetTextExtentPoint32(font, "Wg").cy;
}

std::optional<int32_t> RowHeight(const tListItemInfo& item, const tItemGroupInfo& group,
                                 int32_t textHeight, const RowHeightRules& rules) {
    if (group.GroupHeader) return std::max<int32_t>(group.GroupHeaderHeight, rules.minHeight);
    const bool hasIcon = rules.smallIconsBound && item.cLIIconIndex > 0;
    int64_t content = textHeight;
    if (!item.cLIText.empty() || hasIcon) {
        // Only a strictly taller image makes the row taller than its text.
        if (rules.smallIconsBound && rules.smallIconHeight > textHeight) content = rules.smallIconHeight;
    } else if (rules.shrinkOnNoText) {
        // An empty row shrinks to the minimum even below its text height.
        return rules.minHeight;
    }
    const int64_t margins = 2 * int64_t{rules.verticalMargin};
    const int64_t height = margins + content;
    if (!FitsInt16(margins) || !FitsInt16(height)) return std::nullopt;
    return static_cast<int32_t>(height);
}

HeaderMetrics ComputeHeaderMetrics(const ColumnStore& columns, bool hideColumnHeaders,
                                   int32_t headerImageHeight, TextEngine& text) {
    HeaderMetrics m;
    m.imageHeight = headerImageHeight;
    if (hideColumnHeaders) return m;
    // Columns usually share one header font: measure each distinct run of fonts once, so that
    // adding column after column stays cheap.
    FontSpec font, previous;
    int32_t previousHeight = -1;
    for (int32_t i = 1; i <= columns.Count(); ++i) {
        ColumnFont(columns.Column(i), font);
        if (previousHeight < 0 || !(font == previous)) {
            previousHeight = MeasureTextHeight(text, font);
            previous = font;
        }
        m.textHeight = std::max(m.textHeight, previousHeight);
    }
    const int32_t h = std::max(headerImageHeight, m.textHeight) + 4;
    m.height = std::max(h, 20);
    return m;
}

int32_t StoredHeaderHeight(int32_t height) {
    return std::clamp<int32_t>(height, 0, std::numeric_limits<int16_t>::max());
}

PageWalk WalkPage(const ItemStore& items, int32_t topIndex, const PageFrame& frame,
                  PageWalkFor purpose) {
    PageWalk walk;
    const int32_t count = items.Count();
    if (count == 0) return walk;
    int64_t used = int64_t{frame.headerHeight} + 2 + frame.hScrollBand;
    const int64_t bottom = int64_t{frame.surfaceHeight} - frame.hScrollBand;
    const int32_t grid = frame.gridLines ? 1 : 0;
    const ExpandingRowPlace& e = frame.expanding;
    const bool countingPage = purpose == PageWalkFor::PageCount;
    if (e.inUse && e.top >= frame.headerHeight && e.itemIndex >= 1 &&
        (countingPage ? e.top < bottom : e.top <= bottom)) {
        walk.expandingMode = true;
        // For the page count the expanding row only counts down to the bottom edge.
        used += countingPage && e.top + int64_t{e.height} > bottom ? bottom - e.top : e.height;
    }
    const bool skipExpandingItem = walk.expandingMode && purpose == PageWalkFor::EndOfPage;
    walk.firstNotFitting = count + 1;
    // Hidden rows take no room: the walk steps from shown row to shown row.
    for (int32_t i = items.NextShown(topIndex); i != 0; i = items.NextShown(i + 1)) {
        if (skipExpandingItem && i == e.itemIndex) continue;
        ++walk.rowsCounted;
        const int64_t next = used + items.Item(i).cLIItemHeight + grid;
        if (frame.surfaceHeight < next) {
            walk.firstNotFitting = i;
            break;
        }
        used = next;
        walk.lastFitting = i;
    }
    return walk;
}

int32_t PageCount(const ItemStore& items, const PageWalk& walk) {
    if (items.Count() == 0) return 0;
    return walk.expandingMode ? walk.rowsCounted + 1 : walk.rowsCounted - 1;
}

// These answer from the store's count of shown rows, so a long run of hidden rows costs no
// more than a short one.
int32_t FindFirstVisible(const ItemStore& items) { return items.NextShown(1); }

int32_t FindNextVisible(const ItemStore& items, int32_t start, bool searchDown) {
    if (!items.Contains(start)) return start;
    return searchDown ? items.NextShown(start + 1) : items.PrevShown(start - 1);
}

int32_t FindVisibleByRange(const ItemStore& items, int32_t start, int32_t count, bool searchDown) {
    const int64_t low = int64_t{start} - count;
    const int64_t high = int64_t{start} + count;
    if (low < 1 || high > items.Count()) return start;
    // The last shown row of start..high, or the first one of low..start.
    if (searchDown) {
        const int32_t found = items.PrevShown(static_cast<int32_t>(high));
        return found >= start ? found : 0;
    }
    const int32_t found = items.NextShown(static_cast<int32_t>(low));
    return found != 0 && found <= start ? found : 0;
}

int32_t CountVisibleBetween(const ItemStore& items, int32_t start, int32_t end) {
    if (start == end) return start;
    // An end outside the list stops the count where the list ends.
    if (!items.Contains(start)) return 0;
    const int32_t first = start < end ? start : std::max(end, 1);
    const int32_t last = start < end ? std::min(end, items.Count()) : start;
    return items.ShownBefore(last + 1) - items.ShownBefore(first);
}

int32_t OffsetTop(const ItemStore& items, int32_t top, int32_t count, bool down) {
    // The row count - 1 shown rows away from top (at least one), or the farthest shown row
    // when fewer lie that way; top itself when none does.
    // Any 32-bit count and top are taken: the arithmetic is done in 64 bits.
    const int64_t steps = std::max<int64_t>(int64_t{count} - 1, 1);
    if (down) {
        const int32_t before = items.ShownBefore(static_cast<int32_t>(std::max<int64_t>(int64_t{top} + 1, 1)));
        const auto target = static_cast<int32_t>(std::min<int64_t>(before + steps, items.VisibleCount()));
        return target > before ? items.NthShown(target) : top;
    }
    const auto from = static_cast<int32_t>(std::min<int64_t>(int64_t{top} - 1, items.Count()));
    if (from < 1) return top;
    const int32_t upTo = items.ShownBefore(from + 1);  // shown rows in 1..from
    if (upTo == 0) return top;
    return items.NthShown(static_cast<int32_t>(std::max<int64_t>(upTo - steps + 1, 1)));
}

}  // namespace glv
