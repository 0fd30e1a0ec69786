// The list's side of its scroll bars: when each bar shows and what it is told, and what the
// list does with the bars' events and with the mouse wheel.
#include "control/ListScrolling.h"

#include <algorithm>
#include <cstdlib>

#include "core/ColumnWidths.h"
#include "core/EventRaiser.h"
#include "control/GlideListView.h"

namespace glv {

namespace {

constexpr int32_t kRepaintTimerMs = 2;
constexpr int32_t kWheelDelta = 120;  // one notch

}  // namespace

// --- the sinks ----------------------------------------------------------------------------------

void ListScrollSink::BarMouseDown() { list_.OnScrollBarMouseDown(); }

void ListScrollSink::Change(int32_t value) {
    if (vertical_)
        list_.OnVScrollChange(value);
    else
        list_.OnHScrollChange(value);
}

// Dragging the thumb scrolls exactly as a change does.
void ListScrollSink::Scroll(int32_t value) { Change(value); }

void ListScrollSink::BarMouseUp() { list_.OnScrollBarMouseUp(vertical_); }

void ListScrollSink::LargeChangeClick(int16_t& direction, int32_t& pageItems) {
    pageItems = -1;
    pageItems = list_.PageItemsFrom(direction);
}

ListScrollState::ListScrollState(GlideListView& list, Platform& platform, Container& container,
                                 HWND window)
    : clock(platform.clock),
      vbar(platform, container, window),
      hbar(platform, container, window),
      vsink(list, true),
      hsink(list, false) {
    vbar.SetVisible(false);
    hbar.SetVisible(false);
    vbar.SetEventSink(&vsink);
    hbar.SetEventSink(&hsink);
}

ListScrollState::~ListScrollState() { clock.DestroyTimer(repaintTimer); }

// --- set-up and the values the list hands the bars -------------------------------------------------

void GlideListView::InitScrollBars() {
    scroll_ = std::make_unique<ListScrollState>(*this, platform_, container_, hwnd_);
    Clock& clock = platform_.clock;
    scroll_->repaintTimer = clock.CreateTimer([this] {
        // A tick started by a bar repaints only when the bar moved the list since the last one.
        ListScrollState& s = *scroll_;
        if (!s.repaintEveryTick && !s.scrolledSinceRepaint) return;
        s.scrolledSinceRepaint = false;
        OnRepaintTick();
    });
    clock.SetInterval(scroll_->repaintTimer, kRepaintTimerMs);
    frame_.vScrollHwnd = scroll_->vbar.hwnd();
    frame_.hScrollHwnd = scroll_->hbar.hwnd();
}

GlideVScroll& GlideListView::VScrollBar() { return scroll_->vbar; }
GlideHScroll& GlideListView::HScrollBar() { return scroll_->hbar; }

void GlideListView::StartRepaintTimer() {
    scroll_->repaintEveryTick = true;
    if (!platform_.clock.Enabled(scroll_->repaintTimer)) platform_.clock.Start(scroll_->repaintTimer);
}

namespace {

// A bar moved the list: repaint on the next tick, and start the timer in its bar-driven mode
// unless it already runs for something that repaints on every tick.
void StartScrollRepaint(GlideListView& list, ListScrollState& s) {
    s.scrolledSinceRepaint = true;
    if (list.RepaintTimerRunning()) return;
    list.StartRepaintTimer();
    s.repaintEveryTick = false;
}

}  // namespace

void GlideListView::StopRepaintTimer() { platform_.clock.Stop(scroll_->repaintTimer); }

bool GlideListView::RepaintTimerRunning() const { return platform_.clock.Enabled(scroll_->repaintTimer); }

void GlideListView::ForwardScrollBarTheme(int32_t theme) {
    scroll_->vbar.SetTheme(static_cast<int16_t>(theme));
    scroll_->hbar.SetTheme(static_cast<int16_t>(theme));
}

void GlideListView::ForwardScrollBarMetric(int32_t metric) {
    scroll_->vbar.SetMetricsSize(static_cast<int16_t>(metric));
    scroll_->hbar.SetMetricsSize(static_cast<int16_t>(metric));
}

void GlideListView::ForwardScrollBarsEnabled(bool enabled) {
    scroll_->vbar.SetEnabled(enabled);
    scroll_->hbar.SetEnabled(enabled);
}

// The list's position follows every value it gives the bar as well, so that the wheel counts
// from what the bar shows.
void GlideListView::SetVScrollBarValue(int32_t value) {
    scroll_->vbar.SetValue(value);
    scroll_->vPosition = std::max(value, 1);
}

// The bar counts shown rows only: the value that puts an item at the top is its place among
// them. With nothing hidden that is the index itself, whatever it is.
int32_t GlideListView::ScrollValueOfItem(int32_t index) const {
    if (items_.VisibleCount() == items_.Count() || !items_.Contains(index)) return index;
    return items_.ShownBefore(index) + 1;
}

void GlideListView::ResetScrollBars(bool vertical, bool horizontal) {
    if (vertical) SetVScrollBarValue(0);
    if (horizontal) {
        scroll_->hbar.SetValue(0);
        render_.hScrollOffset = 0;
    }
}

// --- layout and synchronisation ---------------------------------------------------------------

void GlideListView::LayoutScrollBars() {
    ListScrollState& s = *scroll_;
    const int32_t w = surface_.Width();
    const int32_t h = surface_.Height();
    const int32_t vWidth = s.vbar.Placement().width;
    const int32_t hHeight = s.hbar.Placement().height;
    const int32_t vBand = frame_.vScrollVisible ? vWidth : 0;
    const int32_t hBand = frame_.hScrollVisible ? hHeight : 0;
    const bool rtl = props_.RightToLeft;
    // The bars cover the right and bottom border lines and meet at the corner square.
    const WindowPlacement v{rtl ? 1 : w - vWidth, 1, vWidth, h - 1 - hBand};
    const WindowPlacement hp{rtl ? 1 + vBand : 1, h - hHeight, w - 1 - vBand, hHeight};
    if (v != s.vRequested) {
        s.vRequested = v;
        s.vbar.Move(v.x, v.y, v.width, v.height);
    }
    if (hp != s.hRequested) {
        s.hRequested = hp;
        s.hbar.Move(hp.x, hp.y, hp.width, hp.height);
    }
}

void GlideListView::SyncScrollBars() {
    if (view_.terminating) return;
    SyncVerticalScrollBar(/*thenHorizontal=*/true);
}

// The rows cannot use the band the horizontal bar takes while it shows.
void GlideListView::RefreshHScrollState() {
    render_.hScrollBand = frame_.hScrollVisible ? scroll_->hbar.Placement().height : 0;
}

bool GlideListView::ShownRowsFitFrom(int32_t start) {
    const PageWalk walk = WalkPage(items_, start, CurrentPageFrame(), PageWalkFor::PageCount);
    return walk.firstNotFitting > items_.Count();
}

void GlideListView::ShowVerticalBar(int32_t itemsPerPage) {
    ListScrollState& s = *scroll_;
    s.vbar.SetVisible(true);
    frame_.vScrollVisible = true;
    s.rightMargin = s.vbar.Placement().width + 2;
    UpdateScrollOffsets();
    const int32_t shown = items_.VisibleCount();
    if (shown <= itemsPerPage) return;
    const int32_t overflow = shown - itemsPerPage;
    s.vbar.SetItemsVisible(itemsPerPage);
    s.vbar.SetTotalItems(shown);
    s.vbar.SetMax(overflow + 1 + ExpandingRowExtraRows());
    s.vbar.SetLargeChange(overflow / 3);
}

void GlideListView::HideVerticalBar() {
    ListScrollState& s = *scroll_;
    s.vbar.SetVisible(false);
    frame_.vScrollVisible = false;
    s.rightMargin = 2;
    UpdateScrollOffsets();
}

// With RightToLeft the vertical bar stands at the left and the columns start beside it.
void GlideListView::UpdateScrollOffsets() {
    render_.leftOffset = props_.RightToLeft && frame_.vScrollVisible ? scroll_->vbar.Placement().width : 0;
}

void GlideListView::SyncVerticalScrollBar(bool thenHorizontal) {
    const bool wasVisible = frame_.vScrollVisible;
    if (items_.Count() >= 1) {
        const PageWalk walk = RunPageWalk(PageWalkFor::PageCount);
        const int32_t perPage = PageCount(items_, walk);
        const int32_t first = FindFirstVisible(items_);
        if (walk.firstNotFitting <= items_.Count()) {
            ShowVerticalBar(perPage);  // a row from the top down does not fit
        } else if (view_.topIndex == first) {
            HideVerticalBar();
        } else if (ShownRowsFitFrom(first)) {
            // Scrolled down, yet everything would fit: back to the top without a bar.
            view_.topIndex = first;
            HideVerticalBar();
        } else if (ShownRowsFitFrom(view_.topIndex)) {
            // Scrolled to the end: the rows below fit, the bar stays where the top is.
            ShowVerticalBar(perPage);
            SetVScrollBarValue(ScrollValueOfItem(view_.topIndex));
        }
    } else {
        SetVScrollBarValue(0);
        HideVerticalBar();
    }
    ComputePageCount();  // the page as the bar now leaves it
    if (thenHorizontal) SyncHorizontalScrollBar();
    LayoutScrollBars();
    if (frame_.vScrollVisible != wasVisible)
        Raise(events_, &GlideListViewEvents::VScrollVisibleChanged, frame_.vScrollVisible);
}

void GlideListView::SyncHorizontalScrollBar() {
    ListScrollState& s = *scroll_;
    const bool wasVisible = frame_.hScrollVisible;
    bool visible = wasVisible;
    if (columns_.Count() >= 1) {
        // The widths are the host's, so their sum is taken exactly; the bar's Long fields hold
        // it clamped, which only matters past two thousand million pixels.
        const int32_t clientWidth = surface_.Width();
        const int64_t total = ExactTotalWidth(columns_) + s.rightMargin;
        visible = clientWidth < total;
        if (visible) {
            const int32_t maximum = ClampToInt32(total - clientWidth);
            s.hbar.SetItemsVisible(clientWidth - s.rightMargin);
            s.hbar.SetTotalItems(ClampToInt32(total));
            s.hbar.SetMax(maximum);
            s.hbar.SetLargeChange(maximum / 3);
        }
    } else {
        s.hbar.SetValue(0);
        visible = false;
    }
    s.hbar.SetVisible(visible);
    frame_.hScrollVisible = visible;
    if (visible == wasVisible) return;
    RefreshHScrollState();
    ComputePageCount();  // the band under the rows changed
    LayoutScrollBars();
    Raise(events_, &GlideListViewEvents::HScrollVisibleChanged, visible);
}

// --- the bars' events and the wheel --------------------------------------------------------------

void GlideListView::OnScrollBarMouseDown() {
    if (platform_.windows.GetFocus() != hwnd_) platform_.windows.SetFocus(hwnd_);
}

void GlideListView::OnVScrollChange(int32_t value) {
    ListScrollState& s = *scroll_;
    // A page too short for a single row leaves the bar a maximum one past the last shown row;
    // the top row never goes past it.
    value = std::clamp(value, 1, std::max(items_.VisibleCount(), 1));
    if (value == s.vPosition) return;
    s.vPosition = value;
    EndEdit();
    // With rows hidden, the value counts shown rows only.
    view_.topIndex = items_.VisibleCount() < items_.Count() ? items_.NthShown(value) : value;
    StartScrollRepaint(*this, s);
}

void GlideListView::OnHScrollChange(int32_t value) {
    value = std::max(value, 1);
    if (value == render_.hScrollOffset) return;
    render_.hScrollOffset = value;
    StartScrollRepaint(*this, *scroll_);
}

void GlideListView::OnScrollBarMouseUp(bool vertical) {
    StopRepaintTimer();
    if (vertical) ComputePageCount();
}

int32_t GlideListView::PageItemsFrom(int32_t direction) {
    const PageFrame frame = CurrentPageFrame();
    const int32_t grid = frame.gridLines ? 1 : 0;
    int64_t used = int64_t{frame.headerHeight} + 2 + frame.hScrollBand;
    int32_t count = 0;
    // Hidden rows take no room: only the shown ones are visited.
    auto fits = [&](int32_t i) {
        const int64_t next = used + items_.Item(i).cLIItemHeight + grid;
        if (next > frame.surfaceHeight) return false;
        used = next;
        ++count;
        return true;
    };
    if (direction == 1) {
        for (int32_t i = items_.NextShown(view_.topIndex); i != 0 && fits(i); i = items_.NextShown(i + 1)) {}
    } else {
        for (int32_t i = items_.PrevShown(view_.topIndex - 1); i != 0 && fits(i); i = items_.PrevShown(i - 1)) {}
    }
    return count;
}

void GlideListView::OnMouseWheel(int32_t delta) {
    ListScrollState& s = *scroll_;
    if (!frame_.vScrollVisible) return;
    // A high-resolution wheel sends less than a notch: it still scrolls one row.
    int64_t rows = int64_t{delta / kWheelDelta} * s.wheelLines;
    if (rows == 0) rows = delta > 0 ? 1 : delta < 0 ? -1 : 0;
    const ScrollValues& v = s.vbar.model().values();
    double next = 0;
    if (rows < 0)
        next = std::min(static_cast<double>(s.vPosition - rows), v.Max);  // towards the user: down
    else if (rows > 0)
        next = std::max(static_cast<double>(s.vPosition - rows), v.Min);
    else
        return;
    const auto value = static_cast<int32_t>(next);
    s.vbar.SetValue(value);
    OnVScrollChange(value);
}

}  // namespace glv
