// SelectedItems and CheckedItems hand out copies made as they are read. Whatever happens to the
// list afterwards, each element must read as the record did when the list was made: these tests
// hold the lazy copies against copies made at once, through edits, flag changes, paints,
// deletions, sorts, clearing and the control's destruction.
#include <gtest/gtest.h>

#include <random>

#include "sort/SortTypes.h"
#include "tests/support/control_access.h"
#include "tests/support/dispatch_helpers.h"

using namespace glv;
using namespace glv::test;

namespace {

// Half the items compact (AddItemQuick), half full records (ListItems.Add then sub-items).
void Load(Script& s, int32_t count) {
    for (int c = 1; c <= 3; ++c) s.list->AddColumn("C" + std::to_string(c), -1, 80);
    for (int32_t i = 1; i <= count; ++i) {
        const std::string n = std::to_string(i);
        if (i % 2) {
            s.list->AddItemQuick(Variant::Array({Variant("q" + n), Variant(int32_t{0}), Variant("s" + n),
                                                 Variant(int32_t{0}), Variant("t" + n)}));
        } else {
            s.list->AddItem("f" + n, -1, 0, Variant::Missing());
            s.Set("ListItems.Item(" + n + ").SubItems.Item(1).Text", Variant("s" + n));
        }
    }
}

// A record as a line: the fields the operations below change, and the geometry a paint writes.
std::string Line(const tListItemInfo& r) {
    std::string out = r.cLIText + (r.cLISelected ? " sel" : "") + (r.cLIItemChecked ? " chk" : "") +
                      (r.cLIEnabled ? "" : " off") + " tag=" + std::string(r.cLITag.view()) +
                      " y=" + std::to_string(r.cLIItemY) + " h=" + std::to_string(r.cLIItemHeight) + " |";
    for (const tSubListItemInfo& sub : r.cLISubListItemInfo)
        out += " " + sub.cSIText + "/" + std::string(sub.cSITag.view());
    return out;
}

std::vector<std::string> Lines(const std::vector<tListItemInfo>& records) {
    std::vector<std::string> out;
    for (const tListItemInfo& r : records) out.push_back(Line(r));
    return out;
}

std::vector<std::string> Lines(const ItemRecords& records) {
    std::vector<std::string> out;
    for (const tListItemInfo& r : records) out.push_back(Line(r));
    return out;
}

struct Taken {
    ItemRecords lazy;
    std::vector<std::string> atOnce;
};

}  // namespace

TEST(ItemRecords, ReadAsTheyWereThroughEditsDeletionsSortsAndClearing) {
    Script s;
    Load(s, 12);
    s.list->SetMultiSelect(true);
    s.Call("ItemsSelectRange(3, 8)");
    s.Set("ListItems.Item(5).Checked", true);
    s.list->Refresh();

    const ItemRecords taken = s.list->SelectedItems();
    const std::vector<std::string> before = Lines(taken.ToVector());
    ASSERT_EQ(before.size(), 6u);
    EXPECT_EQ(before[0].substr(0, 6), "q3 sel");
    EXPECT_EQ(before[2].substr(0, 10), "q5 sel chk");

    s.Set("ListItems.Item(3).Text", Variant("changed"));
    s.Set("ListItems.Item(4).SubItems.Item(1).Text", Variant("changed"));
    s.list->SetCellTag(5, 2, SharedString("tagged"));
    s.Call("ItemsCheckAll(true)");
    s.Call("ItemsDeselectAll");
    s.Call("ItemsDisableAll");
    s.list->SetTopIndex(4);
    s.list->Refresh();  // writes the rows' new geometry
    EXPECT_EQ(Lines(taken), before);

    s.list->SortColumn(1, LVSortOrderDescending);
    s.Call("ListItems.Remove(1)");
    s.Call("ItemsSelectAll");
    s.list->ItemsDeleteSelected();  // every row, the listed ones among them
    EXPECT_EQ(s.list->ItemCount(), 0);
    EXPECT_EQ(Lines(taken), before);

    // New items may take the removed rows' places only once no list needs them.
    Load(s, 12);
    EXPECT_EQ(Lines(taken), before);
    s.Call("ClearItems");
    EXPECT_EQ(Lines(taken), before);
    Load(s, 4);
    s.list->Terminate();
    s.list.reset();
    EXPECT_EQ(Lines(taken), before);
    EXPECT_EQ(taken.at(5).cLIText, "f8");
    EXPECT_THROW(taken.at(6), std::out_of_range);
}

TEST(ItemRecords, EmptyListsAndCheckedItems) {
    Script s;
    Load(s, 6);
    EXPECT_TRUE(s.list->SelectedItems().empty());
    EXPECT_EQ(s.list->SelectedItems().begin(), s.list->SelectedItems().end());
    EXPECT_TRUE(s.Get("SelectedItems").AsArray()->Items.empty());

    s.Set("ListItems.Item(2).Checked", true);
    s.Set("ListItems.Item(5).Checked", true);
    const ItemRecords checked = s.list->CheckedItems();
    s.Call("ItemsCheckAll(false)");
    s.Call("ListItems.Remove(2)");
    ASSERT_EQ(checked.size(), 2u);
    EXPECT_EQ(Line(checked[0]).substr(0, 7), "f2 chk ");
    EXPECT_EQ(Line(checked[1]).substr(0, 7), "q5 chk ");
}

// Random operations over a list while several lists of copies live, each checked after every
// operation against the copies made at once when it was taken.
TEST(ItemRecords, RandomOperationsAgainstCopiesMadeAtOnce) {
    for (uint32_t seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 random(seed);
        auto pick = [&](int32_t low, int32_t high) { return std::uniform_int_distribution<int32_t>(low, high)(random); };
        Script s;
        Load(s, 30);
        s.list->SetMultiSelect(true);
        std::vector<Taken> lists;
        for (int step = 0; step < 150; ++step) {
            const int32_t count = s.list->ItemCount();
            const std::string item = "ListItems.Item(" + std::to_string(pick(1, std::max(count, 1))) + ")";
            switch (count == 0 ? 9 : pick(0, 12)) {
                case 0: s.Set(item + ".Text", Variant("t" + std::to_string(step))); break;
                case 1: s.Set(item + ".SubItems.Item(1).Text", Variant("u" + std::to_string(step))); break;
                case 2: s.Set(item + ".Checked", Variant(pick(0, 1) == 1)); break;
                case 3: s.Set(item + ".Selected", Variant(pick(0, 1) == 1)); break;
                case 4: s.list->SetCellTag(pick(1, count), pick(1, 3), SharedString("g" + std::to_string(step))); break;
                case 5: s.Call(pick(0, 1) ? "ItemsDeselectAll" : "ItemsSelectAll"); break;
                case 6: s.Call("ListItems.Remove(" + std::to_string(pick(1, count)) + ")"); break;
                case 7: s.list->ItemsDeleteSelected(); break;
                case 8: s.list->SortColumn(pick(1, 3), pick(0, 1) ? LVSortOrderAscending : LVSortOrderDescending); break;
                case 9: Load(s, pick(1, 5)); break;
                case 10:
                    s.list->SetTopIndex(pick(1, count));
                    s.list->Refresh();
                    break;
                case 11: s.Call(pick(0, 1) ? "ItemsDisableAll" : "ItemsEnableAll"); break;
                default:
                    if (pick(0, 3) == 0) {
                        s.Call("ClearItems");
                    } else if (lists.size() < 4) {
                        Taken taken{s.list->SelectedItems(), {}};
                        taken.atOnce = Lines(taken.lazy.ToVector());
                        lists.push_back(std::move(taken));
                    } else {
                        lists.erase(lists.begin() + pick(0, 3));  // a list going away frees its rows
                    }
            }
            for (std::size_t k = 0; k < lists.size(); ++k)
                ASSERT_EQ(Lines(lists[k].lazy), lists[k].atOnce) << "list " << k << " after step " << step;
        }
        s.list->Terminate();
        s.list.reset();
        for (const Taken& taken : lists) EXPECT_EQ(Lines(taken.lazy), taken.atOnce);
    }
}
