// Test ideas not yet written: InsertItemQuick with a position that is a numeric string;
// a hidden TopIndex row when every row is hidden.
#include <gtest/gtest.h>

#include <memory>

#include "core/Errors.h"
#include "control/GlideListView.h"
#include "platform/AutomationError.h"
#include "tests/support/control_access.h"
#include "tests/support/control_fixture.h"

using namespace glv;

namespace {

struct Fixture : test::ControlFixture {
    Fixture() : ControlFixture({.width = 400, .height = 300, .recordEvents = false}) {}
    // Item texts in order, hidden items in brackets: "a [b] c".
    std::string Texts() const {
        std::string out;
        for (int32_t i = 1; i <= list->ItemCount(); ++i) {
            if (!out.empty()) out += ' ';
            const bool visible = list->GroupRecord(i).Visible;
            out += visible ? list->ItemRecord(i).cLIText : "[" + list->ItemRecord(i).cLIText + "]";
        }
        return out;
    }
};

Variant Row(std::vector<Variant> fields) { return Variant::Array(std::move(fields)); }

}  // namespace

TEST(ItemStore, AddAndInsertKeepCountsTopIndexAndNewIndex) {
    Fixture f;
    GlideListView& l = *f.list;
    EXPECT_EQ(l.TopIndex(), 0);
    EXPECT_EQ(l.AddItem("a", -1, 0, Variant::Missing()), 1);
    EXPECT_EQ(l.TopIndex(), 1);
    EXPECT_TRUE(l.ItemRecord(1).cLIItemData.IsMissing());
    EXPECT_EQ(l.ItemRecord(1).cLIIconIndex, -1);
    l.AddItem("b", 0, 0, Variant());
    EXPECT_EQ(l.InsertItem(1, "first", 2, 0, Variant()), 1);
    EXPECT_EQ(l.NewIndex(), 3);  // the new count, not the position
    EXPECT_EQ(l.InsertItem(4, "last", 0, 0, Variant()), 4);  // count + 1 appends
    EXPECT_EQ(l.InsertItem(6, "x", 0, 0, Variant()), 0);     // count + 2: nothing
    EXPECT_EQ(l.InsertItem(0, "x", 0, 0, Variant()), 0);
    EXPECT_EQ(f.Texts(), "first a b last");
    EXPECT_EQ(l.VisibleItemCount(), 4);
    EXPECT_EQ(l.NewIndex(), 4);
}

TEST(ItemStore, NewItemsTakeTheDefaultsOfTheirTime) {
    Fixture f;
    GlideListView& l = *f.list;
    l.BeginUpdate();  // no paint lays the row out: its height stays the one it was made with
    ControlTestAccess::Props(l).DefaultItemFont = std::make_shared<StdFont>("DejaVu Serif", 12.0f, true);
    ControlTestAccess::Props(l).DefaultItemBackColor = 0x00FF00;
    ControlTestAccess::Props(l).DefaultItemForeColor = 0x80000008;
    l.AddColumn("one", -1, 100);
    l.AddColumn("two", -1, 100);
    l.AddItem("a", -1, 0, Variant());
    ControlTestAccess::Props(l).DefaultItemFont = std::make_shared<StdFont>("DejaVu Sans", 8.0f);
    const tListItemInfo& a = l.ItemRecord(1);
    EXPECT_EQ(a.cLIFontName, std::string_view("DejaVu Serif"));
    EXPECT_EQ(a.cLIFontSize, 12.0f);
    EXPECT_TRUE(a.cLIFontBold);
    EXPECT_EQ(a.cLIBackColor, 0x00FF00u);
    EXPECT_EQ(a.cLIItemHeight, 16);
    ASSERT_EQ(a.cLISubListItemInfo.size(), 2u);  // one per column, the last belongs to none
    EXPECT_EQ(a.cLISubListItemInfo[0].cSIForeColor, 0x80000008u);
    EXPECT_EQ(a.cLISubListItemInfo[0].cSIFontName, std::string_view("DejaVu Sans"));
    EXPECT_TRUE(a.cLISubListItemInfo[0].cSIEnabled);
}

TEST(ItemStore, ItemsMadeBeforeAColumnHaveNoSubItemForIt) {
    Fixture f;
    GlideListView& l = *f.list;
    l.AddColumn("one", -1, 100);
    l.AddItem("early", -1, 0, Variant());
    l.AddColumn("two", -1, 100);
    l.AddItem("late", -1, 0, Variant());
    EXPECT_EQ(l.ItemRecord(1).cLISubListItemInfo.size(), 1u);
    EXPECT_EQ(l.ItemRecord(2).cLISubListItemInfo.size(), 2u);
    EXPECT_NO_THROW(l.SubItemRecord(2, 2));
    try {
        l.SubItemRecord(1, 2);
        FAIL();
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.Number, 9);
    }
}

TEST(ItemStore, AddItemQuickWithPlainShortAndLongInput) {
    Fixture f;
    GlideListView& l = *f.list;
    for (int i = 0; i < 3; ++i) l.AddColumn("c", -1, 100);
    l.AddItem("seed", 0, 0, Variant());
    ASSERT_EQ(l.NewIndex(), 1);

    // A plain value: one item, icon -1, ItemData the Integer 0, NewIndex set.
    l.AddItemQuick(Variant(int32_t{42}));
    EXPECT_EQ(l.ItemRecord(2).cLIText, "42");
    EXPECT_EQ(l.ItemRecord(2).cLIIconIndex, -1);
    EXPECT_EQ(l.ItemRecord(2).cLIItemData, Variant(int16_t{0}));
    EXPECT_EQ(l.NewIndex(), 2);

    // The full array: text and icon per column; NewIndex keeps its value.
    l.AddItemQuick(Row({"a", int32_t{1}, "b", int32_t{2}, "c", int32_t{3}}));
    const tListItemInfo& full = l.ItemRecord(3);
    EXPECT_EQ(full.cLIText, "a");
    EXPECT_EQ(full.cLIIconIndex, 1);
    EXPECT_TRUE(full.cLIItemData.IsEmpty());
    EXPECT_EQ(full.cLISubListItemInfo[0].cSIText, "b");
    EXPECT_EQ(full.cLISubListItemInfo[0].cSIIconIndex, 2);
    EXPECT_EQ(full.cLISubListItemInfo[1].cSIText, "c");
    EXPECT_EQ(full.cLISubListItemInfo[1].cSIIconIndex, 3);
    EXPECT_EQ(full.cLISubListItemInfo[2].cSIText, "");  // belongs to no column
    EXPECT_EQ(l.NewIndex(), 2);

    // One element: icon 0 and empty sub-items. Too many: the extra ones are ignored.
    l.AddItemQuick(Row({"solo"}));
    EXPECT_EQ(l.ItemRecord(4).cLIIconIndex, 0);
    EXPECT_EQ(l.ItemRecord(4).cLISubListItemInfo[0].cSIText, "");
    l.AddItemQuick(Row({"x", 0, "y", 0, "z", 0, "extra", 9, "more"}));
    EXPECT_EQ(l.ItemRecord(5).cLISubListItemInfo[2].cSIText, "");

    // A field that does not convert is passed over; the rest of the row still loads.
    l.AddItemQuick(Row({"bad icon", "not a number", Variant::Null(), int32_t{7}, "ok", 70000}));
    const tListItemInfo& bad = l.ItemRecord(6);
    EXPECT_EQ(bad.cLIText, "bad icon");
    EXPECT_EQ(bad.cLIIconIndex, 0);
    EXPECT_EQ(bad.cLISubListItemInfo[0].cSIText, "");
    EXPECT_EQ(bad.cLISubListItemInfo[0].cSIIconIndex, 7);
    EXPECT_EQ(bad.cLISubListItemInfo[1].cSIText, "ok");
    EXPECT_EQ(bad.cLISubListItemInfo[1].cSIIconIndex, 0);  // 70000 overflows an Integer
    EXPECT_EQ(l.ItemCount(), 6);
    EXPECT_EQ(l.VisibleItemCount(), 6);
}

TEST(ItemStore, InsertItemQuickPlacesByPositionAndIgnoresBadOnes) {
    Fixture f;
    GlideListView& l = *f.list;
    l.AddColumn("c1", -1, 100);
    l.AddColumn("c2", -1, 100);
    for (const char* t : {"a", "b", "c", "d", "e"}) l.AddItemQuick(Variant(t));
    const int32_t newIndex = l.NewIndex();
    l.InsertItemQuick(Row({int32_t{1}, "top", int32_t{0}, "sub", int32_t{4}}));
    EXPECT_EQ(f.Texts(), "top a b c d e");
    EXPECT_EQ(l.ItemRecord(1).cLISubListItemInfo[0].cSIText, "sub");
    EXPECT_EQ(l.ItemRecord(1).cLISubListItemInfo[0].cSIIconIndex, 4);
    EXPECT_EQ(l.NewIndex(), newIndex);
    l.InsertItemQuick(Row({int32_t{0}, "zero"}));
    l.InsertItemQuick(Row({int32_t{8}, "beyond"}));
    l.InsertItemQuick(Row({"nowhere", "x"}));
    l.InsertItemQuick(Row({}));
    EXPECT_EQ(l.ItemCount(), 6);
    l.InsertItemQuick(Row({int32_t{7}, "end"}));  // count + 1 appends
    l.InsertItemQuick(Variant("plain"));           // not an array: appends like AddItemQuick
    EXPECT_EQ(f.Texts(), "top a b c d e end plain");
    EXPECT_EQ(l.NewIndex(), 8);
}

TEST(ItemStore, RemoveAndVisibilityKeepTheVisibleCount) {
    Fixture f;
    GlideListView& l = *f.list;
    for (const char* t : {"a", "b", "c", "d"}) l.AddItemQuick(Variant(t));
    l.RemoveItem(0);
    l.RemoveItem(5);
    EXPECT_EQ(f.Texts(), "a b c d");

    l.SetItemVisible(2, false);
    EXPECT_EQ(l.VisibleItemCount(), 3);
    l.SetItemVisible(2, false);  // no change, no count change
    EXPECT_EQ(l.VisibleItemCount(), 3);
    l.RemoveItem(2);  // a hidden item leaves the visible count as it is
    EXPECT_EQ(f.Texts(), "a c d");
    EXPECT_EQ(l.VisibleItemCount(), 3);

    // Hiding the TopIndex row moves TopIndex down to the next visible row, else up.
    l.SetItemVisible(1, false);
    EXPECT_EQ(l.TopIndex(), 2);
    EXPECT_EQ(ControlTestAccess::View(l).currentItem, -1);
    EXPECT_EQ(ControlTestAccess::View(l).lastSelectedRow, -1);
    l.SetItemVisible(3, false);
    ControlTestAccess::View(l).topIndex = 3;
    l.SetItemVisible(3, false);
    EXPECT_EQ(l.TopIndex(), 2);
    EXPECT_EQ(f.Texts(), "[a] c [d]");

    try {
        l.SetItemVisible(4, true);
        FAIL();
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.Number, 9);
        EXPECT_EQ(e.Source, "glideListViewLib.GlideListView");
    }
    EXPECT_EQ(f.Texts(), "[a] c [d]");
}

TEST(ItemStore, ClearItemsAndClearAll) {
    Fixture f;
    GlideListView& l = *f.list;
    const uint64_t repaints = l.surface().PaintSerial();
    l.ClearItems();  // nothing to clear: not even a repaint
    l.ClearAll();
    EXPECT_EQ(l.surface().PaintSerial(), repaints);

    l.AddColumn("c", -1, 100);
    l.ClearAll();  // columns but no items: the columns go
    EXPECT_EQ(l.ColumnCount(), 0);

    l.AddColumn("c", -1, 100);
    l.AddItemQuick(Variant("a"));
    l.AddItemQuick(Variant("b"));
    const int32_t newIndex = l.NewIndex();
    l.ClearItems();
    EXPECT_EQ(l.ItemCount(), 0);
    EXPECT_EQ(l.VisibleItemCount(), 0);
    EXPECT_EQ(l.TopIndex(), 1);
    EXPECT_EQ(l.ColumnCount(), 1);
    EXPECT_EQ(l.NewIndex(), newIndex);
    EXPECT_GT(l.surface().PaintSerial(), repaints);
}

TEST(ItemStore, BulkLoadingInsideAnUpdatePaintsOnceAtTheEnd) {
    Fixture f;
    GlideListView& l = *f.list;
    l.BeginUpdate();
    const uint64_t before = l.surface().PaintSerial();
    for (int i = 0; i < 100; ++i) l.AddItemQuick(Variant(int32_t{i}));
    // Neither a paint nor a scroll bar synchronisation: the rows overflow the page, yet the
    // vertical bar has not been told.
    EXPECT_EQ(l.surface().PaintSerial(), before);
    EXPECT_FALSE(l.IsVScrollVisible());
    l.EndUpdate();  // paints, brings the scroll bars up to date, paints again
    EXPECT_EQ(l.surface().PaintSerial(), before + 2);
    EXPECT_TRUE(l.IsVScrollVisible());
}

TEST(ItemStore, ControlRegistersOnItsWindowInUserModeOnly) {
    Platform platform;
    Container container;
    {
        GlideListView list(platform, container);
        list.InitProperties();
        EXPECT_EQ(GlideListView::FromWindow(platform.windows, list.hwnd()), &list);
        list.Terminate();
        EXPECT_EQ(GlideListView::FromWindow(platform.windows, list.hwnd()), nullptr);
    }
    container.UserMode = false;
    GlideListView design(platform, container);
    design.InitProperties();
    EXPECT_EQ(GlideListView::FromWindow(platform.windows, design.hwnd()), nullptr);
    EXPECT_EQ(GlideListView::FromWindow(platform.windows, 0), nullptr);
}
