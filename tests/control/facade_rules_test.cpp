// Rules of the façade that no subsystem owns: a paint changes no property, hiding an item keeps
// the visible count, and adding is inserting at the end.
#include <gtest/gtest.h>

#include <string>

#include "platform/PropertyBag.h"
#include "tests/support/list_fixture.h"

using namespace glv;

TEST(FacadeRules, APaintLeavesALoadedSortedColumnBelowOneAsItWas) {
    test::ControlFixture f({.initProperties = false});
    GlideListView& list = *f;
    // Loading does not check the column against the (still empty) columns.
    list.ReadProperties(PropertyBag::FromJsonText(R"({"SortedColumn": 0, "AllowSorting": true})"));
    list.AddColumn("one", -1, 80);
    list.AddColumn("two", -1, 80);
    list.AddItem("a", -1, 0, Variant());
    list.Refresh();
    EXPECT_EQ(list.SortedColumn(), 0);
    EXPECT_EQ(list.GetProperty("SortedColumn").ToLong(), 0);
}

TEST(FacadeRules, HidingAndShowingItemsKeepsTheVisibleCountAndMovesTheTopRow) {
    test::ListFixture f;
    f->AddColumn("one", -1, 100);
    f.AddItems(5);
    struct Step {
        int32_t index;
        bool visible;
        int32_t visibleCount;
        int32_t topIndex;
    };
    const Step steps[] = {
        {1, false, 4, 2},  // the top row hidden: the next shown row is the top
        {1, false, 4, 2},  // hidden again: nothing to count
        {3, false, 3, 2},
        {1, true, 4, 1},   // shown again: every row fits the page, which scrolls back to the top
        {2, false, 3, 1},  // a row below the top hidden: the top stays
        {3, true, 4, 1},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE("item " + std::to_string(s.index) + (s.visible ? " shown" : " hidden"));
        f->SetItemVisible(s.index, s.visible);
        EXPECT_EQ(f->GroupRecord(s.index).Visible, s.visible);
        EXPECT_EQ(f->VisibleItemCount(), s.visibleCount);
        EXPECT_EQ(f->TopIndex(), s.topIndex);
    }
}

TEST(FacadeRules, AddingAnItemIsInsertingItAtTheEnd) {
    test::ListFixture f;
    f->AddColumn("one", -1, 100);
    EXPECT_EQ(f->AddItem("a", 2, 1, Variant(7)), 1);
    EXPECT_EQ(f->InsertItem(2, "b", 3, 0, Variant()), 2);  // count + 1 appends
    EXPECT_EQ(f->InsertItem(1, "c", -1, 0, Variant()), 1);
    EXPECT_EQ(f->NewIndex(), 3);  // the count, whichever way the item came
    EXPECT_EQ(f->AddItem("d", -1, 0, Variant()), 4);
    EXPECT_EQ(f->InsertItem(0, "x", -1, 0, Variant()), 0);  // outside 1..count + 1: nothing
    EXPECT_EQ(f->InsertItem(6, "x", -1, 0, Variant()), 0);
    EXPECT_EQ(f->ItemCount(), 4);
    const char* texts[] = {"c", "a", "b", "d"};
    for (int32_t i = 1; i <= 4; ++i) EXPECT_EQ(f->ItemRecord(i).cLIText, texts[i - 1]);
    EXPECT_EQ(f->ItemRecord(2).cLIIconIndex, 2);
    EXPECT_EQ(f->ItemRecord(2).cLIIndent, 1);
    EXPECT_EQ(f->ItemRecord(2).cLIItemData.ToLong(), 7);
    EXPECT_EQ(f->TopIndex(), 1);
}
