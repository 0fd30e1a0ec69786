// Sorting items through the control: which field each sort type reads on column 1 and on a
// sub-item column, failures that leave the list alone, whole-record moves with group records
// kept in place, the events and repaints of the three sort entries, and the order of equal keys.
//
// The key rules themselves (conversions, rounding, date texts) are tested with the key builder;
// here they are exercised once each through the records.
//
// Ideas not yet written: a sort while an in-place edit is open (the edit target keeps its index).

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "core/Errors.h"
#include "core/EventRecorder.h"
#include "control/GlideListView.h"
#include "tests/support/control_fixture.h"
#include "platform/AutomationError.h"
#include "sort/SortEngine.h"
#include "tests/support/control_access.h"

namespace glv {
namespace {

// A control with three columns and items labelled by their ItemStringData, which no sort type
// reads, so the labels show where the records went.
struct SortFixture : test::ControlFixture {
    explicit SortFixture(int32_t columns = 3) : ControlFixture(400, 300) {
        for (int32_t c = 1; c <= columns; ++c) list->AddColumn("c" + std::to_string(c), -1, 100);
    }

    // Adds items labelled by the letters of labels, all texts empty.
    void AddLabelled(std::string_view labels) {
        for (char c : labels) {
            const int32_t i = list->AddItem("", -1, 0, Variant());
            Item(i).cLIItemStringData = std::string(1, c);
        }
    }

    tListItemInfo& Item(int32_t i) { return ControlTestAccess::Items(*list).Item(i); }
    tSubListItemInfo& Sub(int32_t i, int32_t column) {
        return Item(i).cLISubListItemInfo[static_cast<size_t>(column - 2)];
    }
    void SetSortType(int32_t column, int32_t type) { ControlTestAccess::Columns(*list).Column(column).cHSortType = type; }

    // Labels in row order; a group header row is marked with '#' and a hidden one with '~'
    // (those marks belong to the row position, not to the item).
    std::string Labels() const {
        std::string out;
        for (int32_t i = 1; i <= list->ItemCount(); ++i) {
            if (!out.empty()) out += ' ';
            if (list->GroupRecord(i).GroupHeader) out += '#';
            if (!list->GroupRecord(i).Visible) out += '~';
            out += list->ItemRecord(i).cLIItemStringData.view();
        }
        return out;
    }
    std::string Events() { return ControlFixture::Events("; "); }
    int32_t Repaints() const { return static_cast<int32_t>(list->surface().PaintSerial()); }
};

// An ItemData value as a test table writes it: whole numbers as Long, decimals as Double,
// "null" as Null, anything else as a string.
Variant DataValue(const std::string& v) {
    if (v == "null") return Variant::Null();
    if (!v.empty() && v.find_first_not_of("0123456789.-") == std::string::npos) {
        return v.find('.') != std::string::npos ? Variant(std::stod(v)) : Variant(std::stoi(v));
    }
    return Variant(v);
}

// Writes the field a sort type reads, of item i, for the column.
void SetSortField(SortFixture& f, int32_t type, int32_t column, int32_t i, const std::string& v) {
    tListItemInfo& item = f.Item(i);
    const bool own = column == 1;
    switch (type) {
        case LVSortIcon:
            (own ? item.cLIIconIndex : f.Sub(i, column).cSIIconIndex) = static_cast<int16_t>(std::stoi(v));
            break;
        case LVSortIndent:
            (own ? item.cLIIndent : f.Sub(i, column).cSIIndent) = static_cast<int16_t>(std::stoi(v));
            break;
        case LVSortTag: (own ? item.cLITag : f.Sub(i, column).cSITag) = v; break;
        case LVSortItemData: (own ? item.cLIItemData : f.Sub(i, column).cSIItemData) = DataValue(v); break;
        case LVSortChecked: item.cLIItemChecked = v == "1"; break;
        case LVSortSelected: item.cLISelected = v == "1"; break;
        default: (own ? item.cLIText : f.Sub(i, column).cSIText) = v; break;
    }
}

struct TypeCase {
    int32_t type;
    int32_t column;
    std::vector<std::string> values;  // for items p q r s
    const char* expected;
};

TEST(SortEngine, EachSortTypeReadsItsFieldOnColumnOneAndOnASubItem) {
    // The same values are written in reverse into the other column's field as a decoy, so a
    // sort that read the wrong record would come out differently (or fail).
    const TypeCase cases[] = {
        {LVSortString, 1, {"b", "B", "a", ""}, "s q r p"},
        {LVSortString, 2, {"b", "B", "a", ""}, "s q r p"},
        {LVSortDouble, 1, {"2.5", "-1", "1,000", "0.5"}, "q s p r"},
        // Leading numbers: 2.5, 0 ("n/a"), -3, 1 (the comma ends the number).
        {LVSortDouble, 2, {"2.5kg", "n/a", "-3", "1,000"}, "r q s p"},
        // 10, 10, -2, 8: the halves round to even; equal keys keep their order in a short list.
        {LVSortNumeric, 1, {"9.5", "10", "-2", "8.5"}, "r s p q"},
        {LVSortNumeric, 2, {"10", "9", "9.5abc", "1e1"}, "q p r s"},
        {LVSortDate, 3, {"2/1/2005", "10/1/2005", "n/a", "1/1/2006"}, "s q p r"},
        {LVSortDateYearAccuracy, 1, {"3/3/2005", "1/1/1999", "12/31/2005", "6/6/2010"}, "q p r s"},
        // Rebuilt as text: 10/1/2005 2/1/2005 1/1/2006 2/1/2005, which compare as text.
        {LVSortDateMonthAccuracy, 2, {"10/1/2005", "2/1/2005", "1/15/2006", "2/20/2005"}, "r p q s"},
        {LVSortDateDayAccuracy, 1, {"10/2/2005 3:00 PM", "10/2/2005 1:00 AM", "9/30/2005", "10/10/2005"}, "s p q r"},
        // "1/1/2005 10:00:00 AM" orders before "1/1/2005 1:00:00 PM" as text.
        {LVSortDateHourAccuracy, 3, {"1/1/2005 1:59 PM", "1/1/2005 1:05 PM", "1/1/2005 9:00 AM", "1/1/2005 10:30 AM"}, "s p q r"},
        {LVSortDateMinuteAccuracy, 2, {"1/1/2005 1:05:59 PM", "1/1/2005 1:05:01 PM", "1/1/2005 1:04 PM", "1/1/2005 1:50 PM"}, "r p q s"},
        {LVSortIcon, 1, {"3", "-1", "2", "0"}, "q s r p"},
        {LVSortIcon, 2, {"3", "-1", "2", "0"}, "q s r p"},
        {LVSortIndent, 1, {"0", "5", "-4", "1"}, "r p s q"},
        {LVSortIndent, 3, {"0", "5", "-4", "1"}, "r p s q"},
        {LVSortTag, 1, {"x2", "x10", "X1", ""}, "s r q p"},
        {LVSortTag, 2, {"x2", "x10", "X1", ""}, "s r q p"},
        // ItemData compares its text form: "10" before "2.5" before "9" before "b".
        {LVSortItemData, 1, {"9", "10", "b", "2.5"}, "q s p r"},
        {LVSortItemData, 3, {"9", "10", "b", "2.5"}, "q s p r"},
        {LVSortChecked, 1, {"1", "0", "1", "0"}, "p q r s"},
        {LVSortSelected, 2, {"0", "1", "0", "1"}, "p q r s"},
        {15, 1, {"b", "a", "d", "c"}, "p q r s"},  // not a sort type: nothing moves
    };
    for (const TypeCase& c : cases) {
        SortFixture f;
        f.AddLabelled("pqrs");
        const int32_t decoy = c.column == 1 ? 2 : 1;
        for (int32_t i = 1; i <= 4; ++i) {
            const auto at = static_cast<size_t>(i - 1);
            SetSortField(f, c.type, c.column, i, c.values[at]);
            SetSortField(f, c.type, decoy, i, c.values[3 - at]);
        }
        f.SetSortType(c.column, c.type);
        f.list->SortColumn(c.column, LVSortOrderAscending);
        EXPECT_EQ(f.Labels(), c.expected) << "type " << c.type << " column " << c.column;
    }
}

TEST(SortEngine, KeysUseTheSystemLocale) {
    for (const char* name : {"en-US", "de-DE"}) {
        SortFixture f;
        f.platform.system.locale = Locale::Find(name);
        f.AddLabelled("pqrs");
        const char* texts[] = {"1,5", "1.000", "-2", "0,25"};
        for (int32_t i = 1; i <= 4; ++i) f.Item(i).cLIText = texts[i - 1];
        f.SetSortType(1, LVSortDouble);
        f.list->SortColumn(1, LVSortOrderAscending);
        // en-US: 15, 1, -2, 25. de-DE: 1.5, 1000, -2, 0.25.
        EXPECT_EQ(f.Labels(), std::string(name) == "en-US" ? "r q p s" : "r s p q") << name;
    }
}

TEST(SortEngine, AKeyThatCannotBeBuiltLeavesTheOrderButTheColumnSortStillReports) {
    struct FailCase {
        int32_t type;
        int32_t column;
        std::vector<std::string> values;
        const char* expected;  // after a descending sort; "p q r s" when it failed
    };
    const FailCase cases[] = {
        {LVSortDouble, 1, {"3", "n/a", "1", "2"}, "p q r s"},
        {LVSortDouble, 2, {"3", "n/a", "1", "2"}, "p s r q"},  // n/a is 0 on other columns
        {LVSortDouble, 2, {"3", "1e400", "1", "2"}, "p q r s"},
        {LVSortNumeric, 1, {"3", "3000000000", "1", "2"}, "p q r s"},
        {LVSortNumeric, 2, {"3", "3000000000", "1", "2"}, "p q r s"},
        {LVSortNumeric, 1, {"3", "", "1", "2"}, "p q r s"},
        {LVSortDateMonthAccuracy, 2, {"3/1/2005", "soon", "1/1/2005", "2/1/2005"}, "p q r s"},
        {LVSortItemData, 1, {"3", "null", "1", "2"}, "p q r s"},
        {LVSortItemData, 2, {"3", "null", "1", "2"}, "p q r s"},
    };
    for (const FailCase& c : cases) {
        SortFixture f;
        f.AddLabelled("pqrs");
        for (int32_t i = 1; i <= 4; ++i) {
            SetSortField(f, c.type, c.column, i, c.values[static_cast<size_t>(i - 1)]);
        }
        f.SetSortType(c.column, c.type);
        const int32_t repaints = f.Repaints();
        f.list->SortColumn(c.column, LVSortOrderDescending);
        EXPECT_EQ(f.Labels(), c.expected) << "type " << c.type << " column " << c.column;
        // Whether or not it sorted, the new column and order are stored, reported and painted.
        EXPECT_EQ(ControlTestAccess::Props(*f.list).SortedColumn, c.column);
        EXPECT_EQ(ControlTestAccess::Props(*f.list).SortOrder, LVSortOrderDescending);
        const std::string columnEvent =
            c.column == 1 ? "" : "SortColumnChanged Column=" + std::to_string(c.column) + " SortOrder=1; ";
        EXPECT_EQ(f.Events(), columnEvent + "SortOrderChanged Column=" + std::to_string(c.column) +
                                  " SortOrder=1");
        EXPECT_EQ(f.Repaints(), repaints + 1);
    }
}

TEST(SortEngine, ItemsWithoutASubItemForTheColumnFailTheSort) {
    // Items hold one sub-item per column that existed when they were made, so items made with
    // one column have sub-item 1 (column 2) but none for a third column added later.
    SortFixture f(1);
    f.AddLabelled("pq");
    f.list->AddColumn("c2", -1, 100);
    f.list->AddColumn("c3", -1, 100);
    f.AddLabelled("rs");
    f.Sub(3, 3).cSIText = "b";
    f.Sub(4, 3).cSIText = "a";
    f.list->SortItems(1, 4, 3, LVSortOrderAscending);
    EXPECT_EQ(f.Labels(), "p q r s");
    f.list->SortItems(3, 4, 3, LVSortOrderAscending);  // the new items alone do sort
    EXPECT_EQ(f.Labels(), "p q s r");
    f.list->SortItems(1, 4, 2, LVSortOrderDescending);  // column 2 every item has
    EXPECT_EQ(f.Labels(), "r s q p");
}

// An ItemData object, as a host might store one.
class DataObjectValue : public Object {
public:
    DataObjectValue(std::optional<Variant> value, std::function<void()> sideEffect = {})
        : value_(std::move(value)), sideEffect_(std::move(sideEffect)) {}
    std::string TypeName() const override { return "Value"; }
    std::optional<Variant> DefaultValue() const override {
        if (sideEffect_) sideEffect_();
        return value_;
    }

private:
    std::optional<Variant> value_;
    std::function<void()> sideEffect_;
};

TEST(SortEngine, ItemDataObjectsSortByTheirDefaultValue) {
    SortFixture f;
    f.AddLabelled("pqr");
    f.SetSortType(1, LVSortItemData);
    f.Item(1).cLIItemData = Variant(ObjectPtr(std::make_shared<DataObjectValue>(Variant("m"))));
    f.Item(2).cLIItemData = Variant("z");
    f.Item(3).cLIItemData = Variant(true);  // "True"
    f.list->SortColumn(1, LVSortOrderAscending);
    EXPECT_EQ(f.Labels(), "r p q");

    // No default value, or Nothing: no text form, so nothing moves.
    f.Item(2).cLIItemData = Variant(ObjectPtr(std::make_shared<DataObjectValue>(std::nullopt)));
    f.list->SortColumn(1, LVSortOrderDescending);
    EXPECT_EQ(f.Labels(), "r p q");
    f.Item(2).cLIItemData = Variant(ObjectPtr());
    f.list->SortColumn(1, LVSortOrderDescending);
    EXPECT_EQ(f.Labels(), "r p q");

    // A default value that changes the list while the keys are read: the keys no longer fit the
    // items, so the sort gives up instead of moving records it did not read.
    GlideListView& list = *f.list;
    f.Item(2).cLIItemData = Variant(ObjectPtr(std::make_shared<DataObjectValue>(
        Variant("a"), [&list] { list.AddItem("added", -1, 0, Variant("zz")); })));
    list.SortColumn(1, LVSortOrderAscending);
    EXPECT_EQ(list.ItemCount(), 4);
    EXPECT_EQ(f.Labels(), "r p q ");
}

TEST(SortEngine, ASortStartedWhileKeysAreReadWorksInMemoryOfItsOwn) {
    // Reading the first key sorts the list by column 2 (q r p); the outer sort then reads the
    // rest of its keys in that order and finishes: keys b a b put r first, q before p.
    SortFixture f;
    f.AddLabelled("pqr");
    f.SetSortType(1, LVSortItemData);
    f.SetSortType(2, LVSortString);
    GlideListView& list = *f.list;
    bool sortedInside = false;
    f.Item(1).cLIItemData = Variant(ObjectPtr(std::make_shared<DataObjectValue>(Variant("b"), [&] {
        if (std::exchange(sortedInside, true)) return;
        list.SortItems(1, 3, 2, LVSortOrderAscending);
        EXPECT_EQ(f.Labels(), "q r p");
    })));
    f.Item(2).cLIItemData = Variant("c");
    f.Item(3).cLIItemData = Variant("a");
    f.Sub(1, 2).cSIText = "z";
    f.Sub(2, 2).cSIText = "x";
    f.Sub(3, 2).cSIText = "y";
    list.SortItems(1, 3, 1, LVSortOrderAscending);
    EXPECT_TRUE(sortedInside);
    EXPECT_EQ(f.Labels(), "r q p");
    // And the kept memory serves the next sort, of another key kind.
    f.SetSortType(2, LVSortNumeric);
    f.Sub(1, 2).cSIText = "3";
    f.Sub(2, 2).cSIText = "1";
    f.Sub(3, 2).cSIText = "2";
    list.SortItems(1, 3, 2, LVSortOrderDescending);
    EXPECT_EQ(f.Labels(), "r p q");
}

TEST(SortEngine, WholeRecordsMoveWhileGroupRecordsAndIndexesStay) {
    SortFixture f;
    f.AddLabelled("pqrs");
    const char* texts[] = {"d", "c", "b", "a"};
    for (int32_t i = 1; i <= 4; ++i) {
        tListItemInfo& item = f.Item(i);
        item.cLIText = texts[i - 1];
        item.cLIBackColor = static_cast<OLE_COLOR>(0x100 * i);
        item.cLIFontBold = i == 2;
        item.cLIItemChecked = i % 2 == 0;
        item.cLITag = "tag" + std::to_string(i);
        item.cLIItemData = Variant(i * 10);
        f.Sub(i, 2).cSIText = "sub" + std::to_string(i);
        f.Sub(i, 3).cSIForeColor = static_cast<OLE_COLOR>(i);
    }
    ControlTestAccess::Items(*f.list).Group(2).GroupHeader = true;
    f.list->SetItemVisible(3, false);  // clears the selection, so select afterwards
    f.Item(2).cLISelected = true;
    ControlTestAccess::View(*f.list).selectedCount = 1;
    ControlTestAccess::View(*f.list).topIndex = 2;
    ControlTestAccess::View(*f.list).currentItem = 4;
    ASSERT_EQ(f.Labels(), "p #q ~r s");

    f.list->SortColumn(1, LVSortOrderAscending);
    EXPECT_EQ(f.Labels(), "s #r ~q p");  // the marks stayed with rows 2 and 3
    const tListItemInfo& q = f.list->ItemRecord(3);
    EXPECT_EQ(q.cLIText, "c");
    EXPECT_EQ(q.cLIBackColor, 0x200u);
    EXPECT_TRUE(q.cLIFontBold);
    EXPECT_TRUE(q.cLIItemChecked);
    EXPECT_TRUE(q.cLISelected);
    EXPECT_EQ(q.cLITag, std::string_view("tag2"));
    EXPECT_EQ(q.cLIItemData, Variant(20));
    EXPECT_EQ(q.cLISubListItemInfo[0].cSIText, "sub2");
    EXPECT_EQ(q.cLISubListItemInfo[1].cSIForeColor, 2u);
    EXPECT_EQ(f.list->VisibleItemCount(), 3);
    EXPECT_EQ(f.list->TopIndex(), 2);
    EXPECT_EQ(ControlTestAccess::View(*f.list).currentItem, 4);
    EXPECT_EQ(ControlTestAccess::View(*f.list).selectedCount, 1);
}

TEST(SortEngine, ColumnSortEventsErrorsAndAllowSorting) {
    SortFixture f;
    f.AddLabelled("pqr");
    for (int32_t i = 1; i <= 3; ++i) f.Sub(i, 2).cSIText = std::string(1, static_cast<char>('d' - i));
    int32_t repaints = f.Repaints();

    // Column 1 ascending is what a new control holds already: no event, but a repaint.
    f.list->Sort(1, LVSortOrderAscending);
    EXPECT_EQ(f.Events(), "");
    EXPECT_EQ(f.Repaints(), ++repaints);

    f.list->Sort(2, LVSortOrderAscending);
    EXPECT_EQ(f.Labels(), "r q p");
    EXPECT_EQ(f.Events(), "SortColumnChanged Column=2 SortOrder=0");
    f.list->Sort(2, LVSortOrderAscending);  // the same again: sorted again, nothing to report
    EXPECT_EQ(f.Events(), "");
    EXPECT_EQ(f.Repaints(), repaints += 2);

    f.list->Sort(3, LVSortOrderDescending);
    EXPECT_EQ(f.Events(), "SortColumnChanged Column=3 SortOrder=1; SortOrderChanged Column=3 SortOrder=1");
    f.list->Sort(3, LVSortOrderAscending);
    EXPECT_EQ(f.Events(), "SortOrderChanged Column=3 SortOrder=0");
    // Any order value is stored; only 1 sorts descending.
    f.list->Sort(2, 7);
    EXPECT_EQ(f.Labels(), "r q p");
    EXPECT_EQ(f.Events(), "SortColumnChanged Column=2 SortOrder=7; SortOrderChanged Column=2 SortOrder=7");
    repaints = f.Repaints();

    // A column that does not exist: error 8, nothing stored, sorted, raised or painted.
    for (int32_t bad : {0, 4, -1}) {
        try {
            f.list->Sort(bad, LVSortOrderDescending);
            ADD_FAILURE() << bad;
        } catch (const AutomationError& e) {
            EXPECT_EQ(e.Number, -2147196501);
            EXPECT_EQ(e.Description, "Header does not exist.");
            EXPECT_EQ(e.Source, "glideListViewLib.GlideListView");
        }
        EXPECT_THROW(f.list->SortColumn(bad, LVSortOrderDescending), AutomationError);
    }
    EXPECT_EQ(ControlTestAccess::Props(*f.list).SortedColumn, 2);
    EXPECT_EQ(ControlTestAccess::Props(*f.list).SortOrder, 7);
    EXPECT_EQ(f.Labels(), "r q p");
    EXPECT_EQ(f.Events(), "");
    EXPECT_EQ(f.Repaints(), repaints);

    // AllowSorting gates the control's Sort, bad column included, but not the column's own sort.
    ControlTestAccess::Props(*f.list).AllowSorting = false;
    f.list->Sort(1, LVSortOrderAscending);
    f.list->Sort(0, LVSortOrderAscending);
    EXPECT_EQ(f.Labels(), "r q p");
    EXPECT_EQ(f.Events(), "");
    EXPECT_EQ(f.Repaints(), repaints);
    f.list->SortColumn(2, LVSortOrderDescending);
    EXPECT_EQ(f.Labels(), "p q r");
    EXPECT_EQ(f.Events(), "SortOrderChanged Column=2 SortOrder=1");

    // Types that do not sort still report and repaint.
    f.SetSortType(3, LVSortChecked);
    f.list->SortColumn(3, LVSortOrderDescending);
    EXPECT_EQ(f.Labels(), "p q r");
    EXPECT_EQ(f.Events(), "SortColumnChanged Column=3 SortOrder=1");
    f.SetSortType(1, LVSortSelected);
    f.list->SortColumn(1, LVSortOrderAscending);
    EXPECT_EQ(f.Labels(), "p q r");
    EXPECT_EQ(f.Events(), "SortColumnChanged Column=1 SortOrder=0; SortOrderChanged Column=1 SortOrder=0");
    EXPECT_EQ(f.Repaints(), repaints + 3);

    // An empty list still takes the column and order.
    f.list->ClearItems();
    f.list->SortColumn(2, LVSortOrderAscending);
    EXPECT_EQ(f.Events(), "SortColumnChanged Column=2 SortOrder=0");
}

TEST(SortEngine, RangeSortRules) {
    SortFixture f;
    f.AddLabelled("pqrstu");
    const char* texts[] = {"f", "e", "d", "c", "b", "a"};
    for (int32_t i = 1; i <= 6; ++i) f.Item(i).cLIText = texts[i - 1];
    const int32_t before = f.Repaints();

    // Outside 1 <= First < Last <= count: nothing at all.
    f.list->SortItems(3, 3, 1, LVSortOrderAscending);
    f.list->SortItems(0, 4, 1, LVSortOrderAscending);
    f.list->SortItems(4, 7, 1, LVSortOrderAscending);
    f.list->SortItems(5, 2, 1, LVSortOrderAscending);
    // A column that is omitted (0) or does not exist fails the sort: no repaint.
    f.list->SortItems(1, 6, 0, LVSortOrderAscending);
    f.list->SortItems(1, 6, 4, LVSortOrderAscending);
    f.list->SortItems(1, 6, -1, LVSortOrderAscending);
    EXPECT_EQ(f.Labels(), "p q r s t u");
    EXPECT_EQ(f.Repaints(), before);

    // Items outside the range stay; no events; the sorted column and order are left alone.
    f.list->SortItems(2, 5, 1, LVSortOrderAscending);
    EXPECT_EQ(f.Labels(), "p t s r q u");
    f.list->SortItems(1, 6, 1, LVSortOrderDescending);
    EXPECT_EQ(f.Labels(), "p q r s t u");
    EXPECT_EQ(f.Repaints(), before + 2);
    EXPECT_EQ(f.Events(), "");
    EXPECT_EQ(ControlTestAccess::Props(*f.list).SortedColumn, 1);
    EXPECT_EQ(ControlTestAccess::Props(*f.list).SortOrder, LVSortOrderAscending);

    // A failed key: no repaint. Types that do not sort: a repaint and no move.
    f.SetSortType(1, LVSortNumeric);
    f.list->SortItems(1, 6, 1, LVSortOrderAscending);
    EXPECT_EQ(f.Repaints(), before + 2);
    for (int32_t type : {LVSortChecked, LVSortSelected}) {
        f.SetSortType(2, type);
        f.Item(6).cLIItemChecked = f.Item(6).cLISelected = true;
        f.list->SortItems(1, 6, 2, LVSortOrderDescending);
    }
    EXPECT_EQ(f.Labels(), "p q r s t u");
    EXPECT_EQ(f.Repaints(), before + 4);
    EXPECT_EQ(f.Events(), "");
}

// Equal keys, worked by hand through the algorithm. Six items with one key at positions 1..6:
// the middle (1 + 6) / 2 = 3.5 rounds to the even 4 (d); the median of three swaps nothing;
// d goes to slot 5 as the pivot (a b c e d f); the scans stop on every equal key, swapping
// slots 2 and 4 (a e c b d f), then 3 with itself, and cross with i at 4; i and the pivot slot
// swap (a e c d b f); both sides are short and the insertion pass moves no equal key.
TEST(SortEngine, EqualKeysComeOutInTheAlgorithmsOrder) {
    SortFixture f;
    f.AddLabelled("abcdef");
    for (int32_t i = 1; i <= 6; ++i) f.Item(i).cLIText = "same";
    f.list->SortColumn(1, LVSortOrderAscending);
    EXPECT_EQ(f.Labels(), "a e c d b f");

    // Descending is the exact reverse of the ascending result of the same start.
    SortFixture g;
    g.AddLabelled("abcdef");
    for (int32_t i = 1; i <= 6; ++i) g.Item(i).cLIText = "same";
    g.list->SortColumn(1, LVSortOrderDescending);
    EXPECT_EQ(g.Labels(), "f b d c e a");

    // Five items or fewer: the insertion pass alone, which keeps equal keys in order.
    SortFixture h;
    h.AddLabelled("abcde");
    const char* keys[] = {"2", "1", "2", "1", "0"};
    for (int32_t i = 1; i <= 5; ++i) h.Sub(i, 3).cSIText = keys[i - 1];
    h.SetSortType(3, LVSortNumeric);
    h.list->SortColumn(3, LVSortOrderAscending);
    EXPECT_EQ(h.Labels(), "e b d a c");

    // The pivots follow the item positions: eight keys 3 1 3 2 1 3 2 1 sorted as items 2..9 of
    // a range take the middle 5.5 -> 6 where items 1..8 would take 4 (traced in the core tests).
    SortFixture r;
    r.AddLabelled("xabcdefgh");
    const char* ranks[] = {"0", "3", "1", "3", "2", "1", "3", "2", "1"};
    for (int32_t i = 1; i <= 9; ++i) r.Item(i).cLIText = ranks[i - 1];
    r.list->SortItems(2, 9, 1, LVSortOrderAscending);
    EXPECT_EQ(r.Labels(), "x e b h d g f c a");
    // Sorting the sorted list again still moves equal keys: x0 e1 b1 h1 d2 g2 f3 c3 a3 has its
    // middle at 5 (d2), which becomes the pivot in slot 8 (x e b h c g f d a); i stops at c3,
    // j at g2, they swap (x e b h g c f d a); the scans cross at c3 and g2, and c3 trades places
    // with the pivot (x e b h g d f c a). Both sides are short and already in order.
    r.list->SortItems(1, 9, 1, LVSortOrderAscending);
    EXPECT_EQ(r.Labels(), "x e b h g d f c a");
}

// Random lists: duplicate keys, hidden rows and group headers, random ranges and sort types.
// Whatever the keys, the result is a permutation of the range in key order, the rest of the
// list and every group record stay put, and descending is the exact reverse of ascending.
TEST(SortEngine, RandomListsSortIntoKeyOrder) {
    std::mt19937 rng(2024);
    const int32_t types[] = {LVSortString, LVSortNumeric, LVSortIcon, LVSortTag, LVSortDouble};
    SortFixture f;
    GlideListView& list = *f.list;
    for (int round = 0; round < 150; ++round) {
        const auto count = static_cast<int32_t>(1 + rng() % 200);
        const int32_t type = types[rng() % std::size(types)];
        const auto column = static_cast<int32_t>(1 + rng() % 3);
        const bool wholeList = rng() % 2 == 0;
        const auto first = wholeList ? 1 : static_cast<int32_t>(1 + rng() % count);
        const auto last = wholeList ? count : static_cast<int32_t>(first + rng() % (count - first + 1));
        if (first == last) continue;  // not a range: the range sort does nothing

        // Texts and tags are written so that their text order is the numeric order ("k007"),
        // numbers as whole texts on column 1 and as leading numbers on the others.
        list.ClearItems();
        std::vector<int32_t> keyOf(static_cast<size_t>(count) + 1);  // by label
        std::string groupsBefore;
        for (int32_t i = 1; i <= count; ++i) {
            const auto key = static_cast<int32_t>(rng() % 12);  // many duplicates
            list.AddItem("", -1, 0, Variant());
            f.Item(i).cLIItemStringData = std::to_string(i);
            keyOf[static_cast<size_t>(i)] = key;
            char text[8];
            std::snprintf(text, sizeof text, "k%03d", key);
            const std::string number = std::to_string(key) + (column == 1 ? "" : "x");
            const bool textual = type == LVSortString || type == LVSortTag;
            SetSortField(f, type, column, i, textual ? text : number);
            if (rng() % 5 == 0) ControlTestAccess::Items(list).Group(i).GroupHeader = true;
            if (rng() % 7 == 0) ControlTestAccess::Items(list).SetVisible(i, false);
        }
        f.SetSortType(column, type);
        const auto groups = [&] {
            std::string out;
            for (int32_t i = 1; i <= count; ++i) {
                out += list.GroupRecord(i).GroupHeader ? '#' : '.';
                out += list.GroupRecord(i).Visible ? ' ' : '~';
            }
            return out;
        };
        const auto labels = [&] {
            std::vector<int32_t> out;
            for (int32_t i = 1; i <= count; ++i) {
                out.push_back(std::stoi(list.ItemRecord(i).cLIItemStringData.str()));
            }
            return out;
        };
        const std::string before = groups();
        ItemStore& store = ControlTestAccess::Items(list);
        std::vector<tListItemInfo> unsorted;
        for (int32_t i = 1; i <= count; ++i) unsorted.push_back(store.Copy(i));

        list.SortItems(first, last, static_cast<int16_t>(column), LVSortOrderAscending);
        const std::vector<int32_t> up = labels();
        EXPECT_EQ(groups(), before) << "round " << round;
        for (int32_t i = 1; i <= count; ++i) {
            store.Item(i) = unsorted[static_cast<size_t>(i - 1)];
            store.SelectedFlagWritten(i);
        }
        list.SortItems(first, last, static_cast<int16_t>(column), LVSortOrderDescending);
        std::vector<int32_t> down = labels();

        std::vector<int32_t> sorted = up;
        std::sort(sorted.begin(), sorted.end());
        for (int32_t i = 1; i <= count; ++i) {
            ASSERT_EQ(sorted[static_cast<size_t>(i - 1)], i) << "round " << round;
            if (i < first || i > last) {
                EXPECT_EQ(up[static_cast<size_t>(i - 1)], i) << "round " << round << ": moved";
            }
        }
        for (int32_t i = first; i < last; ++i) {
            EXPECT_LE(keyOf[static_cast<size_t>(up[static_cast<size_t>(i - 1)])],
                      keyOf[static_cast<size_t>(up[static_cast<size_t>(i)])])
                << "round " << round << " type " << type << " column " << column;
        }
        std::reverse(down.begin() + (first - 1), down.begin() + last);
        EXPECT_EQ(down, up) << "round " << round << ": descending is not the reverse";
    }
}

TEST(SortEngine, ApplyPermutationMovesEveryRecordToItsSlot) {
    // Cycles of length 1, 2 and 3 in one permutation, and the order array used up.
    std::vector<tListItemInfo> records(6);
    for (size_t k = 0; k < records.size(); ++k) records[k].cLIText = std::string(1, static_cast<char>('a' + k));
    std::vector<int32_t> order = {0, 2, 1, 5, 3, 4};
    ApplyPermutation(records, order);
    std::string texts;
    for (const tListItemInfo& r : records) texts += r.cLIText;
    EXPECT_EQ(texts, "acbfde");
    EXPECT_EQ(order, (std::vector<int32_t>{0, 1, 2, 3, 4, 5}));
}

}  // namespace
}  // namespace glv
