// Row layout and the page functions. The default row is 16 pixels: "Wg" in DejaVu Sans 8 pt is
// 14 pixels high, plus a vertical margin of 1 above and below; the header band is 20.
//
// Test ideas not yet written: an expanding row attached to the control (the walk itself is
// tested with one); LargeChangeClick's page walk upwards once the scroll bars arrive.
#include <gtest/gtest.h>

#include <sstream>

#include "tests/support/control_access.h"
#include "tests/support/dispatch_helpers.h"
#include "tests/support/list_fixture.h"
#include "platform/AutomationError.h"
#include "render/Layout.h"

namespace glv {
namespace {

using test::ListFixture;

uint32_t RegisterIcons(Platform& platform, int32_t size) {
    return platform.imageLists.Register(MakeSyntheticImageList(size, size, 4));
}

void BindSmallIcons(GlideListView& l, uint32_t handle) {
    l.SetImageList(int32_t{LVSmallIcon}, static_cast<int32_t>(handle));
}

TEST(RowLayout, RowHeightsFollowTextIconsGroupsAndShrinking) {
    struct Row {
        const char* text;
        int16_t icon;
        bool group;
        int16_t groupHeight;
        RowHeightRules rules;
    };
    const RowHeightRules plain{1, 3, true, false, 0};
    const RowHeightRules keep{1, 3, false, false, 0};
    const RowHeightRules icons32{1, 3, true, true, 32};
    const RowHeightRules icons10{1, 3, true, true, 10};
    const RowHeightRules tallMin{1, 40, true, false, 0};
    const Row rows[] = {
        {"a", 0, false, 0, plain},      // 16: text plus margins
        {"", 0, false, 0, plain},       // 3: shrunk below the text height
        {"", 0, false, 0, keep},        // 16: not shrunk, as high as a row with text
        {"", 0, false, 0, tallMin},     // 40: RowMinHeight is the shrunk height, also upwards
        {"a", 0, false, 0, tallMin},    // 16: but no floor for ordinary rows
        {"g", 0, true, 2, plain},       // 3: group header raised to RowMinHeight
        {"g", 0, true, 30, plain},      // 30
        {"", 0, true, 0, tallMin},      // 40
        {"a", 0, false, 0, icons32},    // 34: a bound list makes text rows icon-high
        {"", 1, false, 0, icons32},     // 34: an icon keeps an empty row
        {"", 0, false, 0, icons32},     // 3: no icon index, empty: shrunk
        {"", 1, false, 0, plain},       // 3: an icon index without a list is no icon
        {"a", 1, false, 0, icons10},    // 16: the image wins only when taller
    };
    std::ostringstream heights;
    for (const Row& r : rows) {
        tListItemInfo item;
        item.cLIText = r.text;
        item.cLIIconIndex = r.icon;
        tItemGroupInfo group;
        group.GroupHeader = r.group;
        group.GroupHeaderHeight = r.groupHeight;
        heights << RowHeight(item, group, 14, r.rules).value_or(-1) << ' ';
    }
    EXPECT_EQ(heights.str(), "16 3 16 40 16 3 30 40 34 34 3 3 16 ");

    // 16-bit arithmetic: twice the margin, and the sum, must both fit.
    tListItemInfo item;
    item.cLIText = "a";
    const tItemGroupInfo group;
    EXPECT_EQ(RowHeight(item, group, 14, {16376, 3, true, false, 0}), 32766);
    EXPECT_EQ(RowHeight(item, group, 14, {16377, 3, true, false, 0}), std::nullopt);
    EXPECT_EQ(RowHeight(item, group, 14, {20000, 3, true, false, 0}), std::nullopt);
}

TEST(RowLayout, PaintWalkWritesTopsAndHeightsOfMixedRowsBack) {
    ListFixture f(200, 200);
    GlideListView& l = *f;
    l.AddColumn("one", -1, 100);
    l.BeginUpdate();
    l.AddItem("a", -1, 0, Variant());
    l.AddItem("", -1, 0, Variant());  // shrinks to RowMinHeight 3
    l.AddItem("group", -1, 0, Variant());
    l.AddItem("hidden", -1, 0, Variant());
    l.AddItem("e", -1, 0, Variant());
    ControlTestAccess::Items(l).Group(3).GroupHeader = true;
    ControlTestAccess::Items(l).Group(3).GroupHeaderHeight = 30;
    l.SetItemVisible(4, false);
    l.EndUpdate();
    // Each row takes its height plus the grid line's pixel.
    EXPECT_EQ(f.Rows(1, 5), "21+16 38+3 42+30 - 73+16");
    EXPECT_EQ(l.ItemRecord(5).cLITextHeight, 14);
    EXPECT_EQ(l.ItemRecord(4).cLIItemY, 0);  // never painted

    ControlTestAccess::Props(l).GridLines = false;
    l.Refresh();
    EXPECT_EQ(f.Rows(1, 5), "21+16 37+3 40+30 - 70+16");

    // Icons 32 high: rows with text or an icon become 2 + 32; the empty row stays shrunk and
    // the group header keeps its own height. Binding the list repaints by itself.
    BindSmallIcons(l, RegisterIcons(f.platform, 32));
    EXPECT_EQ(f.Rows(1, 5), "21+34 55+3 58+30 - 88+34");

    // A row hidden after it was painted keeps its stale geometry; the rows below move up.
    l.SetItemVisible(2, false);
    l.Refresh();
    EXPECT_EQ(l.ItemRecord(2).cLIItemY, 55);
    EXPECT_EQ(f.Rows(3, 5), "55+30 - 85+34");
}

TEST(RowLayout, AnOverflowingRowStopsThePassWithTheRowsBeforeItPainted) {
    ListFixture f;
    GlideListView& l = *f;
    l.AddColumn("one", -1, 100);
    l.BeginUpdate();
    l.AddItem("group", -1, 0, Variant());
    l.AddItem("text", -1, 0, Variant());
    ControlTestAccess::Items(l).Group(1).GroupHeader = true;  // a group row's height needs no margin arithmetic
    ControlTestAccess::Props(l).RowVerticalMargin = 20000;
    l.EndUpdate();
    EXPECT_EQ(f.Rows(1, 2), "21+3 0+16");
}

TEST(RowLayout, HeaderHeightFromColumnFontsAndHeaderImages) {
    ListFixture f;
    GlideListView& l = *f;
    EXPECT_EQ(l.HeaderHeight(), 20);  // no columns: 0 + 4, raised to 20
    l.AddColumn("one", -1, 100);
    EXPECT_EQ(l.HeaderHeight(), 20);  // 14 + 4 raised to 20
    ControlTestAccess::Props(l).DefaultColumnHeaderFont = std::make_shared<StdFont>("DejaVu Sans", 14.0f);
    l.AddColumn("two", -1, 100);
    EXPECT_EQ(l.HeaderHeight(), 27);  // 23 + 4
    ColumnSpec big;
    big.caption = "three";
    big.font = StdFont("DejaVu Sans", 20.0f);
    l.AddColumnEx(big);
    EXPECT_EQ(l.HeaderHeight(), 27);  // the extended add does not recompute

    // Header images count only when strictly taller than the text, and only once recomputed.
    l.SetImageList(int32_t{LVHeaderImages}, static_cast<int32_t>(RegisterIcons(f.platform, 40)));
    EXPECT_EQ(l.HeaderHeight(), 27);
    l.RecomputeHeaderHeight();
    EXPECT_EQ(l.HeaderHeight(), 44);
    EXPECT_EQ(ControlTestAccess::Render(l).headerTextHeight, 33);
    EXPECT_EQ(ControlTestAccess::Render(l).headerImageHeight, 40);

    // Hidden headers give no band; the first row then starts at y = 1. Changing the property
    // afterwards changes nothing until the next recomputation.
    ControlTestAccess::Props(l).HideColumnHeaders = true;
    l.RecomputeHeaderHeight();
    EXPECT_EQ(l.HeaderHeight(), 0);
    l.AddItem("a", -1, 0, Variant());
    EXPECT_EQ(f.Rows(1, 1), "1+16");
    ControlTestAccess::Props(l).HideColumnHeaders = false;
    l.Refresh();
    EXPECT_EQ(l.HeaderHeight(), 0);
    EXPECT_EQ(StoredHeaderHeight(-5), 0);
}

TEST(PageFunctions, PageCountAndEndOfPageWithHiddenRowsAndGridLines) {
    ListFixture f(200, 120);  // rows from y = 22 to 120: five rows of 16 + 1
    GlideListView& l = *f;
    l.AddColumn("one", -1, 100);
    auto pages = [&] {
        return std::to_string(l.ItemCountPerPage()) + " end=" + std::to_string(l.ItemEndOfPage()) +
               " last=" + std::to_string(l.LastItemOnPage()) +
               " lastVisible=" + std::to_string(l.FindLastVisibleListItem());
    };
    // An empty list.
    EXPECT_EQ(pages(), "0 end=0 last=0 lastVisible=0");
    EXPECT_EQ(l.FindFirstVisibleListItem(), 0);
    EXPECT_EQ(l.FirstItemOnPage(), 0);

    // All rows fit: one less than the rows left; the last row on the page is past the list.
    f.AddItems(3);
    EXPECT_EQ(pages(), "2 end=3 last=4 lastVisible=3");

    f.AddItems(7, "more");
    l.SetItemVisible(3, false);
    l.SetItemVisible(4, false);
    EXPECT_EQ(pages(), "5 end=7 last=7 lastVisible=7");
    // The pass paints page count + 1 rows; the last one is cut off at the bottom.
    EXPECT_EQ(f.Rows(1, 9), "21+16 38+16 - - 55+16 72+16 89+16 106+16 0+16");

    ControlTestAccess::Props(l).GridLines = false;  // six rows of 16 fit
    EXPECT_EQ(pages(), "6 end=8 last=8 lastVisible=8");

    // The last page: all rows left fit, so the count is one less than the rows left, and the
    // last row on the page is past the list even with the last row hidden.
    l.SetTopIndex(8);
    EXPECT_EQ(pages(), "2 end=10 last=11 lastVisible=10");
    l.SetItemVisible(10, false);
    EXPECT_EQ(pages(), "1 end=9 last=11 lastVisible=9");
    // Every row from the top on hidden: the walk meets none.
    l.SetItemVisible(8, false);
    l.SetItemVisible(9, false);
    l.SetTopIndex(8);
    EXPECT_EQ(pages(), "-1 end=8 last=11 lastVisible=8");
    l.SetTopIndex(1);

    // Not even the first row fits.
    l.Resize(200, 30);
    EXPECT_EQ(pages(), "0 end=1 last=0 lastVisible=1");
    EXPECT_EQ(l.FirstItemOnPage(), 1);
}

TEST(PageFunctions, ExpandingRowTakesItsRoomInThePageWalk) {
    // Ten rows of 16 below a 20-pixel band on a 120-pixel surface: 22 pixels are used before
    // the first row, so six rows fit without an expanding row.
    ItemStore items;
    for (int32_t i = 1; i <= 10; ++i) {
        tListItemInfo item;
        item.cLIItemHeight = 16;
        items.Append(std::move(item));
    }
    auto walk = [&](ExpandingRowPlace e) {
        const PageFrame frame{120, 20, 0, false, e};
        std::string out;
        for (PageWalkFor purpose : {PageWalkFor::PageCount, PageWalkFor::LastItem, PageWalkFor::EndOfPage}) {
            const PageWalk w = WalkPage(items, 1, frame, purpose);
            out += std::to_string(PageCount(items, w)) + "/" + std::to_string(w.firstNotFitting) + "/" +
                   std::to_string(w.lastFitting) + (w.expandingMode ? "e " : " ");
        }
        return out;
    };
    EXPECT_EQ(walk({}), "6/7/6 6/7/6 6/7/6 ");
    // 40 pixels for the row under item 3: three rows fewer fit, the page count adds one, and the
    // end of the page steps over item 3 itself.
    EXPECT_EQ(walk({true, 60, 40, 3}), "5/4/3e 5/4/3e 5/5/4e ");
    // Reaching past the bottom, it counts only down to the bottom for the page count.
    EXPECT_EQ(walk({true, 100, 40, 3}), "6/5/4e 5/4/3e 5/5/4e ");
    // Its top on the bottom edge: out of the page count, still in the other walks.
    EXPECT_EQ(walk({true, 120, 40, 3}), "6/7/6 5/4/3e 5/5/4e ");
    // Above the header band, or with no item, it takes no part.
    EXPECT_EQ(walk({true, 19, 40, 3}), "6/7/6 6/7/6 6/7/6 ");
    EXPECT_EQ(walk({true, 60, 40, 0}), "6/7/6 6/7/6 6/7/6 ");
}

TEST(PageFunctions, SearchesAndCountsStepOverHiddenRows) {
    ListFixture f;
    GlideListView& l = *f;
    f.AddItems(10);
    for (int32_t hidden : {3, 4, 8}) l.SetItemVisible(hidden, false);
    auto next = [&](int32_t start, bool down) { return l.FindNextVisibleItem(start, down); };
    EXPECT_EQ(next(2, true), 5);
    EXPECT_EQ(next(5, false), 2);
    EXPECT_EQ(next(10, true), 0);
    EXPECT_EQ(next(1, false), 0);
    EXPECT_EQ(next(0, true), 0);     // outside the list: the start comes back
    EXPECT_EQ(next(11, false), 11);
    EXPECT_EQ(next(-3, true), -3);

    auto range = [&](int32_t start, int32_t n, bool down) { return l.FindVisibleItemByRange(start, n, down); };
    EXPECT_EQ(range(5, 2, true), 7);   // largest visible in 5..7
    EXPECT_EQ(range(5, 2, false), 5);  // smallest visible in 3..5
    EXPECT_EQ(range(4, 1, false), 0);  // 3..4 are hidden
    EXPECT_EQ(range(8, 0, true), 0);   // 8..8 is hidden
    EXPECT_EQ(range(2, 2, true), 2);   // 0..4 leaves the list: the start, whatever the direction
    EXPECT_EQ(range(9, 2, false), 9);

    auto count = [&](int32_t a, int32_t b) { return l.VisibleItemsRange(a, b); };
    EXPECT_EQ(count(5, 5), 5);  // equal ends: the index itself
    EXPECT_EQ(count(8, 8), 8);
    EXPECT_EQ(count(5, 7), 3);
    EXPECT_EQ(count(7, 5), 3);
    EXPECT_EQ(count(2, 9), 5);
    EXPECT_EQ(count(9, 2), 5);
    EXPECT_EQ(count(5, 12), 5);  // stops where the list ends
    EXPECT_EQ(count(0, 3), 0);

    l.SetItemVisible(1, false);
    l.SetItemVisible(2, false);
    EXPECT_EQ(l.FindFirstVisibleListItem(), 5);
}

TEST(PageFunctions, OffsetTopIndexPassesOneRowFewerThanAsked) {
    ListFixture f;
    GlideListView& l = *f;
    f.AddItems(10);
    l.SetItemVisible(6, false);
    l.SetItemVisible(7, false);
    std::string tops;
    auto move = [&](int32_t n, bool down) {
        l.OffsetTopIndex(n, down);
        tops += std::to_string(l.TopIndex()) + " ";
    };
    move(1, true);   // 2
    move(2, true);   // 3
    move(3, true);   // 5
    move(2, true);   // 8, over the hidden rows
    move(2, false);  // 5
    move(0, false);  // 4
    move(50, true);  // 10, as far as there are rows
    move(1, true);   // 10: nothing below
    EXPECT_EQ(tops, "2 3 5 8 5 4 10 10 ");
    EXPECT_EQ(ControlTestAccess::VerticalPosition(l), 8);  // the bar counts shown rows: 10 is the 8th
}

TEST(PageFunctions, EnsureVisibleScrollsOnlyRowsOffThePage) {
    ListFixture f(200, 120);  // five rows per page
    GlideListView& l = *f;
    l.AddColumn("one", -1, 100);
    f.AddItems(20);
    for (int32_t bad : {0, 21}) {
        try {
            l.EnsureVisible(bad);
            ADD_FAILURE() << bad << " was accepted";
        } catch (const AutomationError& e) {
            EXPECT_EQ(e.Number, 9);
            EXPECT_EQ(e.Description, "Subscript out of range.");
            EXPECT_EQ(e.Source, "glideListViewLib.GlideListView");
        }
    }
    std::string tops;
    auto ensure = [&](int32_t index) {
        l.EnsureVisible(index);
        tops += std::to_string(l.TopIndex()) + " ";
    };
    ensure(1);   // on the page: stays
    ensure(5);   // the last full row: stays
    ensure(8);   // below: becomes the last full row
    ensure(2);   // above: becomes the top
    l.SetItemVisible(15, false);
    ensure(15);  // hidden: nothing
    ensure(20);
    EXPECT_EQ(tops, "1 1 4 2 2 16 ");
    EXPECT_EQ(l.ItemEndOfPage(), 20);
    EXPECT_EQ(ControlTestAccess::VerticalPosition(l), 15);  // item 16 is the 15th shown row
    EXPECT_EQ(f.Rows(16, 20), "21+16 38+16 55+16 72+16 89+16");

    // A window too low for one whole row: the row at the top is the one shown, so asking for
    // it again must not scroll it away (the last row that fits lies above the page then).
    l.Resize(200, 30);
    tops.clear();
    ensure(16);
    ensure(16);
    ensure(18);  // below: becomes the row at the top
    ensure(18);
    EXPECT_EQ(tops, "16 16 18 18 ");
}

TEST(PageFunctions, ReachableByName) {
    ListFixture f(200, 120);
    GlideListView& l = *f;
    const ObjectPtr control = l.DispatchObject();
    auto call = [&](const std::string& path) { return test::Reach(control, path, CallKind::Method); };
    l.AddColumn("one", -1, 100);
    f.AddItems(10);
    const Variant hidden(false);
    test::Reach(control, "ListItems.Item(3).Visible", CallKind::Let, &hidden);
    EXPECT_EQ(call("ItemCountPerPage").ToLong(), 5);
    EXPECT_EQ(call("ItemEndOfPage").ToLong(), 6);
    EXPECT_EQ(call("FindLastVisibleListItem").ToLong(), 6);
    EXPECT_EQ(call("LastItemOnPage").ToLong(), 6);
    EXPECT_EQ(call("FindFirstVisibleListItem").ToLong(), 1);
    EXPECT_EQ(call("FindNextVisibleItem(2, true)").ToLong(), 4);
    EXPECT_EQ(call("FindVisibleItemByRange(4, 1, false)").ToLong(), 4);
    EXPECT_EQ(call("VisibleItemsRange(2, 4)").ToLong(), 2);
    EXPECT_EQ(test::ErrorOf([&] { call("EnsureVisible(11)"); }),
              "9 glideListViewLib.GlideListView Subscript out of range.");
    call("EnsureVisible(9)");
    EXPECT_EQ(call("FirstItemOnPage").ToLong(), 5);
    call("OffsetTopIndex(2, false)");
    EXPECT_EQ(l.TopIndex(), 4);
    EXPECT_EQ(test::ErrorOf([&] { call("OffsetTopIndex(1)"); }).substr(0, 3), "449");

    const auto handle = static_cast<int32_t>(RegisterIcons(f.platform, 24));
    call("SetImageList(2, " + std::to_string(handle) + ")");
    EXPECT_EQ(l.SmallIconHeight(), 24);
    EXPECT_EQ(test::ErrorOf([&] { call("SetImageList(2, \"x\")"); }).substr(0, 11), "-2147220455");
    // The ImageList property keeps nothing, with or without its slot argument.
    const Variant list(handle);
    test::Reach(control, "ImageList(1)", CallKind::Let, &list);
    test::Reach(control, "ImageList", CallKind::Let, &list);
    EXPECT_EQ(l.ImageListSlotAt(LVLargeIcon).handle, 0u);
}

}  // namespace
}  // namespace glv
