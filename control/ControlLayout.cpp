// The control's layout entries: the public page functions, the header height and the page
// walk over the control's own state.
#include <cmath>

#include "core/Errors.h"
#include "control/GlideExpandingRow.h"
#include "control/GlideListView.h"

namespace glv {

PageFrame GlideListView::CurrentPageFrame() const {
    // The expanding row counts where the last paint put it, with the height it was attached with.
    ExpandingRowPlace expanding;
    if (const GlideExpandingRow* row = expandingRow_.row.get();
        row && props_.ExpandingRow && expandingRow_.attached) {
        expanding.inUse = true;
        const float ty = static_cast<float>(std::max(container_.TwipsPerPixelY, 1));
        expanding.top = static_cast<int32_t>(std::nearbyint(row->ctrlTop() / ty));
        expanding.height = expandingRow_.heightPx;
        expanding.itemIndex = view_.currentItem;
    }
    return PageFrame{surface_.Height(), frame_.headerHeight, render_.hScrollBand, props_.GridLines, expanding};
}

PageWalk GlideListView::RunPageWalk(PageWalkFor purpose) {
    if (items_.Count() == 0) return {};
    RefreshHScrollState();  // the horizontal bar decides the band the rows cannot use
    return WalkPage(items_, view_.topIndex, CurrentPageFrame(), purpose);
}

int32_t GlideListView::ComputePageCount() {
    render_.pageCount = PageCount(items_, RunPageWalk(PageWalkFor::PageCount));
    return render_.pageCount;
}

RowHeightRules GlideListView::CurrentRowHeightRules() const {
    const ImageListSlot& small = imageLists_[LVSmallIcon];
    return RowHeightRules{props_.RowVerticalMargin, props_.RowMinHeight, props_.RowShrinkOnNoText,
                          small.Bound(), small.height};
}

int32_t GlideListView::ItemCountPerPage() { return ComputePageCount(); }

int32_t GlideListView::LastItemOnPage() {
    const PageWalk walk = RunPageWalk(PageWalkFor::LastItem);
    // When every row fits the walk names item count + 1, which the search hands back as it is.
    return walk.expandingMode ? walk.firstNotFitting : FindNextVisible(items_, walk.firstNotFitting, false);
}

int32_t GlideListView::ItemEndOfPage() {
    if (items_.Count() == 0) return 0;
    const PageWalk walk = RunPageWalk(PageWalkFor::EndOfPage);
    return walk.lastFitting != 0 ? walk.lastFitting : view_.topIndex;
}

int32_t GlideListView::FindFirstVisibleListItem() const { return FindFirstVisible(items_); }

int32_t GlideListView::FindNextVisibleItem(int32_t start, bool searchDown) const {
    return FindNextVisible(items_, start, searchDown);
}

int32_t GlideListView::FindVisibleItemByRange(int32_t start, int32_t count, bool searchDown) const {
    return FindVisibleByRange(items_, start, count, searchDown);
}

int32_t GlideListView::VisibleItemsRange(int32_t start, int32_t end) const {
    return CountVisibleBetween(items_, start, end);
}

void GlideListView::OffsetTopIndex(int32_t count, bool downThePage) {
    const int32_t top = OffsetTop(items_, view_.topIndex, count, downThePage);
    if (!items_.Contains(top)) return;
    view_.topIndex = top;
    SetVScrollBarValue(ScrollValueOfItem(top));
    Repaint();
}

void GlideListView::EnsureVisible(int32_t index) {
    if (!items_.Contains(index)) RaiseError(kErrSubscript, kSourceControl);
    if (!items_.Group(index).Visible) return;
    // Nothing to do while every visible row fits one page.
    if (items_.VisibleCount() <= ComputePageCount()) return;
    if (index < view_.topIndex) {
        view_.topIndex = index;
    } else {
        // A row already on the page, the first and the last included, stays where it is.
        const int32_t last = LastItemOnPage();
        if (last < view_.topIndex) {
            // Not even one whole row fits, so there is no last full row to move it to: the row
            // shown at the top is the best there is. Counting down to a "last" above the page
            // would scroll the row away, and asking twice would flip between two tops.
            view_.topIndex = index;
        } else if (index > last) {
            OffsetTopIndex(VisibleItemsRange(index, last), true);
        }
    }
    SetVScrollBarValue(ScrollValueOfItem(view_.topIndex));
    Repaint();
}

void GlideListView::RecomputeHeaderHeight() {
    const HeaderMetrics m = ComputeHeaderMetrics(columns_, props_.HideColumnHeaders,
                                                 HeaderImageHeight(), platform_.text);
    render_.headerTextHeight = m.textHeight;
    render_.headerImageHeight = m.imageHeight;
    StoreHeaderHeight(m.height);
}

void GlideListView::StoreHeaderHeight(int32_t height) {
    const int32_t stored = StoredHeaderHeight(height);
    if (stored == frame_.headerHeight) return;
    frame_.headerHeight = stored;
    RebuildBackground();
    if (view_.loaded) Repaint();
}

}  // namespace glv
