// The list with its scroll bars: when they show and what they are told, the visibility events,
// and scrolling by arrows, track, thumb and wheel through real pointer input on a form.
//
// The list is 200 x 124 on a form at the screen's origin, with one column of 100 pixels and
// rows 16 pixels high plus a grid line under a 20-pixel header band: six rows fit one page.
//
// The vertical bar's Value is the top row, so 0 and 1 both mean the first row: from the very
// top the first step of the bar moves the value to 1 and the list stays where it is.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/EventRecorder.h"
#include "control/GlideListView.h"
#include "tests/support/control_fixture.h"
#include "tests/support/golden.h"
#include "platform/Form.h"
#include "scrollbar/ScrollBar.h"
#include "tests/support/control_access.h"

using namespace glv;

namespace {

struct ScrollList : test::ControlFixture {
    explicit ScrollList(int32_t width = 200, int32_t height = 124) : ControlFixture(width, height) {
        list->AddColumn("A", -1, 100);
    }

    void Add(int32_t count) {
        for (int32_t i = 0; i < count; ++i)
            list->AddItem("item " + std::to_string(list->ItemCount() + 1), -1, 0, Variant());
    }
    std::string Placement(const ScrollBarControl& bar) const {
        const WindowPlacement p = bar.Placement();
        return std::to_string(p.x) + "," + std::to_string(p.y) + " " + std::to_string(p.width) +
               "x" + std::to_string(p.height) + (bar.Visible() ? "" : " hidden");
    }
};

}  // namespace

TEST(ListScrolling, VisibilityEventsOnlyWhenABarReallyFlips) {
    ScrollList s;
    std::string log;
    for (int32_t n = 1; n <= 12; ++n) {
        s.Add(1);
        const std::string events = s.Events();
        if (!events.empty()) log += std::to_string(n) + ": " + events + "; ";
    }
    EXPECT_EQ(log, "7: VScrollVisibleChanged bState=True; ");
    EXPECT_TRUE(s->IsVScrollVisible());
    EXPECT_EQ(s.Placement(s->VScrollBar()), "183,1 17x123");
    // The bar is told the page and the rest: six of twelve rows, Max = overflow + 1.
    EXPECT_EQ(s->VScrollBar().model().Describe(), "v=0 min=0 max=7 small=1 large=2 items=6/12");

    for (int32_t n = 12; n > 1; --n) {
        s->RemoveItem(n);
        const std::string events = s.Events();
        if (!events.empty()) log += "-" + std::to_string(n) + ": " + events + "; ";
    }
    EXPECT_EQ(log, "7: VScrollVisibleChanged bState=True; -7: VScrollVisibleChanged bState=False; ");
    EXPECT_FALSE(s->IsVScrollVisible());
    EXPECT_EQ(s.Placement(s->VScrollBar()), "183,1 17x123 hidden");

    // Columns wider than the list bring the horizontal bar at the next synchronisation; the
    // vertical bar, when it comes, takes its width off the room for the columns.
    s->AddColumn("B", -1, 90);  // 190 + 2 still fits 200
    s.Add(1);
    EXPECT_EQ(s.Events(), "");
    s.Add(10);
    // The horizontal synchronisation runs inside the vertical one, so its event comes first.
    EXPECT_EQ(s.Events(), "HScrollVisibleChanged bState=True, VScrollVisibleChanged bState=True");
    EXPECT_EQ(s.Placement(s->HScrollBar()), "1,107 182x17");
    EXPECT_EQ(s.Placement(s->VScrollBar()), "183,1 17x106");
    EXPECT_EQ(s->HScrollBar().model().Describe(), "v=0 min=0 max=9 small=1 large=3 items=181/209");
    s->ClearAll();
    EXPECT_EQ(s.Events(), "HScrollVisibleChanged bState=False, VScrollVisibleChanged bState=False");
    s->ClearAll();
    EXPECT_EQ(s.Events(), "");
}

TEST(ListScrolling, ScrolledToTheEndTheBarStaysUntilEverythingFits) {
    ScrollList s;
    s.Add(10);
    s->SetTopIndex(5);  // rows 5..10 fit below the top
    s->RemoveItem(1);   // nine rows left: still more than a page, the top stays
    EXPECT_TRUE(s->IsVScrollVisible());
    EXPECT_EQ(s->TopIndex(), 5);
    EXPECT_EQ(s->VScrollBar().Value(), 5);
    s->RemoveItem(1);
    s->RemoveItem(1);  // seven rows: still one too many
    EXPECT_TRUE(s->IsVScrollVisible());
    s.Events();
    s->RemoveItem(1);  // six: they all fit, so the list goes back to the top and the bar away
    EXPECT_EQ(s->TopIndex(), 1);
    EXPECT_FALSE(s->IsVScrollVisible());
    EXPECT_EQ(s.Events(), "VScrollVisibleChanged bState=False");
}

TEST(ListScrolling, ArrowsScrollTheListAndTheRepaintTimerFollowsTheButton) {
    ScrollList s;
    s.Add(20);
    s->SetTopIndex(3);
    const uint64_t repaints = s->surface().PaintSerial();
    s.Down(190, 115);  // the down arrow
    EXPECT_EQ(s->TopIndex(), 4);
    EXPECT_TRUE(s->RepaintTimerRunning());
    EXPECT_EQ(s.platform.windows.GetFocus(), s->hwnd());  // a press on a bar focuses the list
    s.Wait(999);  // the delay, then the bar's first repeat, which waits one more delay
    EXPECT_EQ(s->TopIndex(), 4);
    s.Wait(1);
    EXPECT_EQ(s->TopIndex(), 5);
    s.Wait(100);
    EXPECT_EQ(s->TopIndex(), 7);
    // The 2 ms timer repaints after each row the bar moved, not on the ticks between.
    EXPECT_GT(s->surface().PaintSerial(), repaints + 2);
    EXPECT_LT(s->surface().PaintSerial(), repaints + 20);
    s.Up(190, 115);
    EXPECT_FALSE(s->RepaintTimerRunning());
    // The up arrow, a click: one row back.
    s.Down(190, 5);
    s.Wait(2);
    s.Up(190, 5);
    EXPECT_EQ(s->TopIndex(), 6);
    s.Events();
    // From the very top the first step only takes the value from 0 to 1.
    ScrollList top;
    top.Add(20);
    top.Down(190, 115);
    top.Up(190, 115);
    EXPECT_EQ(top->VScrollBar().Value(), 1);
    EXPECT_EQ(top->TopIndex(), 1);
    top.Down(190, 115);
    top.Up(190, 115);
    EXPECT_EQ(top->TopIndex(), 2);
}

TEST(ListScrolling, PagingAsksTheListForAPageAndStopsAtThePointer) {
    ScrollList s;
    s.Add(40);
    // Thumb at the top; press the track near the bottom, 1335 twips down the bar: a page is
    // six rows from TopIndex, and a row is 31.3 twips of thumb travel.
    s.Down(190, 90);
    EXPECT_EQ(s->TopIndex(), 6);
    s.Wait(1000);
    EXPECT_EQ(s->TopIndex(), 12);
    s.Wait(200);
    // Two more pages, then a shortened step that brings the thumb's end to the pointer.
    EXPECT_EQ(s->TopIndex(), 27);
    const ScrollGeometry& g = s->VScrollBar().model().geometry();
    EXPECT_NEAR(g.ThumbEnd(), 1335, 1095.0 / 35 / 2);
    const int32_t top = s->TopIndex();
    s.Wait(500);
    EXPECT_EQ(s->TopIndex(), top);
    s.Up(190, 90);
    // Upwards, the page is counted from the row above the top.
    s.Down(190, 20);
    EXPECT_EQ(s->TopIndex(), top - 6);
    s.Up(190, 20);
}

TEST(ListScrolling, DraggingTheThumbAndTheWheel) {
    ScrollList s;
    s.Add(30);
    s.Move(190, 25);
    s.Down(190, 25);  // the thumb
    s.Move(190, 200);  // far below: pinned at Max, the last page shown
    EXPECT_EQ(s->TopIndex(), 25);
    s.Move(190, -100);
    EXPECT_EQ(s->TopIndex(), 1);
    s.Up(190, -100);

    // A notch scrolls wheel-lines rows; less than a notch still scrolls one; up is back.
    s.Wheel(-120);
    EXPECT_EQ(s->TopIndex(), 4);
    s.Wheel(-30);
    EXPECT_EQ(s->TopIndex(), 5);
    s.Wheel(240);
    EXPECT_EQ(s->TopIndex(), 1);
    EXPECT_EQ(s->VScrollBar().Value(), 0);
    s.Wheel(-1200);
    EXPECT_EQ(s->TopIndex(), 25);  // limited to the bar's Max
    // Nothing while the bar is hidden.
    ScrollList few;
    few.Add(3);
    few.Wheel(-120);
    EXPECT_EQ(few->TopIndex(), 1);
}

TEST(ListScrolling, HiddenRowsAreSkippedWhenTheValueBecomesTheTop) {
    ScrollList s;
    s.Add(20);
    s->SetItemVisible(2, false);
    s->SetItemVisible(3, false);
    s.Wheel(-120);  // three shown rows down: the fourth shown row is item 6
    EXPECT_EQ(s->TopIndex(), 6);
}

// The bar counts shown rows, so every way of setting the top item (TopIndex, EnsureVisible, the
// end of the list) gives it the item's place among the shown rows, and the wheel steps on
// from there.
TEST(ListScrolling, TopItemBecomesAShownRowValueWithRowsHidden) {
    ScrollList s;
    s.Add(1000);
    for (int32_t i = 2; i <= 1000; i += 2) s->SetItemVisible(i, false);
    s->SetTopIndex(501);  // the 251st shown row
    EXPECT_EQ(s->VScrollBar().Value(), 251);
    s.Wheel(-120);  // three shown rows down
    EXPECT_EQ(s->TopIndex(), 507);
    EXPECT_EQ(s->VScrollBar().Value(), 254);
    s->EnsureVisible(901);  // below the page: it becomes the page's last row
    EXPECT_EQ(s->VScrollBar().Value(), ControlTestAccess::Items(*s).ShownBefore(s->TopIndex()) + 1);
    s.Wheel(120);
    EXPECT_EQ(s->TopIndex(), 901 - 2 * 5 - 2 * 3);
}

TEST(ListScrolling, HorizontalBarMovesTheColumns) {
    ScrollList s;
    s->AddColumn("B", -1, 150);
    s.Add(1);
    ASSERT_TRUE(s->IsHScrollVisible());
    // Right arrow held down: one pixel on press, then the repeat.
    s.Down(190, 110);
    s.Wait(2);
    EXPECT_EQ(s->ColumnRecord(1).cHCollX, 0);  // offset 1
    s.Wait(1050);
    EXPECT_EQ(s->ColumnRecord(1).cHCollX, -2);
    s.Up(190, 110);
}

TEST(ListScrolling, BarsAndCornerInEveryScheme) {
    Surface sheet(3 * 162, 2 * 102, RGB(255, 255, 255));
    for (int32_t theme = 0; theme < 3; ++theme) {
        for (int32_t enabled = 0; enabled < 2; ++enabled) {
            ScrollList s(160, 100);
            s->AddColumn("B", -1, 120);
            s.Add(12);
            s->SetTheme(theme);
            s->SetCornerBackColor(RGB(255, 0, 0));
            if (!enabled) s->SetEnabled(false);
            const Surface picture = s.form->Compose();
            sheet.BitBlt(theme * 162, (1 - enabled) * 102, 160, 100, picture, 0, 0);
            // The corner square shows between the bars.
            EXPECT_EQ(picture.GetPixel(150, 90), RGB(255, 0, 0));
        }
    }
    test::ExpectMatchesGolden(sheet, "list_scroll_bars");
}

TEST(ListScrolling, RightToLeftPutsTheVerticalBarOnTheLeft) {
    ScrollList s;
    s->SetRightToLeft(true);
    s.Add(12);
    EXPECT_EQ(s.Placement(s->VScrollBar()), "1,1 17x123");
    EXPECT_EQ(s->ColumnRecord(1).cHCollX, 18);
}

TEST(ListScrolling, DeletingTheSelectionPutsTheBarBackAtOne) {
    ScrollList s;
    s.Add(30);
    s.Wheel(-240);
    ASSERT_EQ(s->TopIndex(), 7);
    s->SetSelectedIndex(3);  // twenty rows stay: the bar stays
    s->ItemsDeleteSelected();
    EXPECT_EQ(s->TopIndex(), 1);
    EXPECT_EQ(s->VScrollBar().Value(), 1);  // not the bar's minimum, 0
}
