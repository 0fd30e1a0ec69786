// Rows loaded by AddItemQuick are kept compact until a full record is asked for: each check here
// compares them with full records made the ordinary way, before and after that moment.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control/GlideListView.h"
#include "core/ItemStore.h"
#include "platform/AutomationError.h"
#include "platform/Locale.h"
#include "sort/SortTypes.h"
#include "tests/support/control_fixture.h"

using namespace glv;

namespace {

Variant Row(std::vector<Variant> fields) { return Variant::Array(std::move(fields)); }

NewItemDefaults Unusual() {
    NewItemDefaults d;
    d.backColor = 0x123456;
    d.foreColor = 0x654321;
    d.itemFontName = "DejaVu Serif";
    d.itemFontSize = 11;
    d.itemFontItalic = true;
    d.subItemFontName = "DejaVu Sans Mono";
    d.subItemFontBold = true;
    d.itemHeight = 21;
    return d;
}

// The record AddItemQuick's array form makes, built field by field as the full path does.
tListItemInfo Expected(ItemStore& store, const NewItemDefaults& d, int32_t columns,
                       const std::vector<std::string>& texts) {
    tListItemInfo item = store.NewItem(d, columns);
    for (std::size_t k = 0; k < texts.size() && k < static_cast<std::size_t>(std::max(columns, 1)); ++k) {
        if (k == 0) {
            item.cLIText = texts[0];
            item.cLIIconIndex = 7;
        } else {
            item.cLISubListItemInfo[k - 1].cSIText = texts[k];
            item.cLISubListItemInfo[k - 1].cSIIconIndex = static_cast<int16_t>(7 + k);
        }
    }
    return item;
}

TEST(CompactRows, ReadLikeFullRecordsBeforeAndAfterTheRecordIsMade) {
    const Locale locale;
    struct Case {
        int32_t columns;
        std::vector<std::string> texts;
    };
    const Case cases[] = {{0, {"only"}}, {1, {"one"}}, {3, {"a", "b", "c"}}, {4, {"short"}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.columns);
        ItemStore store, reference;
        SafeArray fields;
        for (std::size_t k = 0; k < c.texts.size(); ++k) {
            fields.Items.emplace_back(c.texts[k]);
            fields.Items.emplace_back(int32_t(7 + static_cast<int32_t>(k)));
        }
        // Two sets of defaults in one store: each row keeps its own.
        store.AppendQuick(fields, 0, Unusual(), c.columns, locale);
        store.AppendQuick(fields, 0, NewItemDefaults{}, c.columns, locale);
        const tListItemInfo first = Expected(reference, Unusual(), c.columns, c.texts);
        const tListItemInfo second = Expected(reference, NewItemDefaults{}, c.columns, c.texts);
        EXPECT_TRUE(store.FullRecord(1) == nullptr);
        EXPECT_EQ(store.Copy(1), first);
        EXPECT_EQ(store.Copy(2), second);
        EXPECT_EQ(store.ItemHeight(1), 21);
        // Flags written while compact survive the record being made.
        store.SetChecked(2, true);
        store.SetSelected(2, true);
        store.SetEnabled(2, false);
        tListItemInfo flagged = second;
        flagged.cLIItemChecked = flagged.cLISelected = true;
        flagged.cLIEnabled = false;
        EXPECT_EQ(store.Item(2), flagged);
        EXPECT_EQ(store.Item(1), first);
        // A rare field written through the record reads back; the other row is untouched.
        store.Item(1).cLITag = "tag";
        EXPECT_EQ(store.Copy(1).cLITag, std::string_view("tag"));
        EXPECT_EQ(store.SelectedFlagCount(), 1);
        store.Remove(1);
        EXPECT_EQ(store.Copy(1), flagged);

        // A copy written over a record that held another row, rare fields and extra sub-items
        // included (as a paint pass reuses its copies), reads as a fresh copy.
        tListItemInfo scratch = store.Item(1);
        scratch.cLIItemData = Variant("data");
        scratch.cLIToolTipText = "tip";
        scratch.cLIIndent = 3;
        scratch.cLISubListItemInfo.resize(6);
        scratch.cLISubListItemInfo[0].cSITag = "sub tag";
        scratch.cLISubListItemInfo[0].cSIText = "a text longer than any short string buffer";
        store.AppendQuick(fields, 0, Unusual(), c.columns, locale);
        store.CopyInto(2, scratch);
        EXPECT_EQ(scratch, store.Copy(2));
        store.CopyInto(1, scratch);  // a row whose full record exists
        EXPECT_EQ(scratch, store.Copy(1));
    }
}

// A compact row keeps its texts side by side in one block: texts of every length (none, a
// grain's worth, more than a pooled block), non-text fields converted, and blocks given back by
// removed rows and rows whose record was made, then taken by the rows added after them.
TEST(CompactRows, TextsStayWithTheirRowsWhileRowsComeAndGo) {
    const Locale locale;
    const std::string big(70 * 1024, 'x');
    const std::vector<std::vector<std::string>> texts = {
        {"", "", ""}, {"a", "", "c"}, {"sixteen chars ok", "b", ""}, {big, "after big", "z"},
        {"", "only the middle", ""}, {"\xC3\xA9t\xC3\xA9", "1.5", "2"}};
    ItemStore store, reference;
    const auto add = [&](const std::vector<std::string>& row) {
        SafeArray fields;
        for (std::size_t k = 0; k < row.size(); ++k) {
            fields.Items.emplace_back(row[k]);
            fields.Items.emplace_back(int32_t(7 + static_cast<int32_t>(k)));
        }
        store.AppendQuick(fields, 0, NewItemDefaults{}, 3, locale);
    };
    const auto check = [&](const std::vector<std::vector<std::string>>& rows) {
        ASSERT_EQ(store.Count(), static_cast<int32_t>(rows.size()));
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const auto index = static_cast<int32_t>(i + 1);
            EXPECT_EQ(store.Copy(index), Expected(reference, NewItemDefaults{}, 3, rows[i])) << i;
            if (store.FullRecord(index)) continue;
            for (int32_t column = 1; column <= 3; ++column)
                EXPECT_EQ(store.CompactCell(index, column)->text, rows[i][static_cast<std::size_t>(column - 1)]);
        }
    };
    std::vector<std::vector<std::string>> expected;
    for (const auto& row : texts) {
        add(row);
        expected.push_back(row);
    }
    check(expected);
    // A number where a text goes is written as text.
    SafeArray numbers;
    numbers.Items = {Variant(2.5), Variant(int32_t{7}), Variant(int32_t{3}), Variant(int32_t{8})};
    store.AppendQuick(numbers, 0, NewItemDefaults{}, 3, locale);
    EXPECT_EQ(store.CompactCell(7, 1)->text, "2.5");
    EXPECT_EQ(store.CompactCell(7, 2)->text, "3");
    EXPECT_EQ(store.CompactCell(7, 3)->text, "");
    store.Remove(7);
    // Remove rows and make one row's record, then add rows of other lengths in their place.
    store.Remove(4);
    store.Remove(1);
    expected.erase(expected.begin() + 3);
    expected.erase(expected.begin());
    store.Item(2).cLIText = "made";
    expected[1][0] = "made";
    for (const auto& row : texts) {
        add({row[2], row[0], row[1]});
        expected.push_back({row[2], row[0], row[1]});
    }
    check(expected);
    store.Clear();
    add(texts[2]);
    check({texts[2]});
}

struct List : test::ControlFixture {
    List() : ControlFixture({.width = 400, .height = 300, .recordEvents = false}) {}
    std::string Texts(int32_t column) const {
        std::string out;
        for (int32_t i = 1; i <= list->ItemCount(); ++i) {
            if (!out.empty()) out += ' ';
            out += column == 1 ? list->ItemRecord(i).cLIText : list->SubItemRecord(i, column - 1).cSIText;
        }
        return out;
    }
};

TEST(CompactRows, SubItemPastTheLastColumnReadsAsMadeAndTakesWrites) {
    List f;
    GlideListView& l = *f.list;
    l.AddColumn("one", -1, 100);
    l.AddItemQuick(Row({"a", int32_t{1}, "ignored", int32_t{2}}));
    l.AddColumn("two", -1, 100);
    l.AddColumn("three", -1, 100);
    EXPECT_EQ(l.SubItemRecord(1, 1).cSIText, "");
    EXPECT_EQ(l.SubItemRecord(1, 1).cSIFontName, l.ItemRecord(1).cLISubListItemInfo[0].cSIFontName);
    l.SubItemForWrite(1, 1, true).cSIText = "x";
    EXPECT_EQ(l.SubItemRecord(1, 1).cSIText, "x");
    EXPECT_THROW(l.SubItemRecord(1, 2), AutomationError);
    // A row made after the columns has a sub-item for each; swapping them moves its cells, and
    // leaves the shorter row as it is.
    l.AddItemQuick(Row({"b", int32_t{0}, "b1", int32_t{0}, "b2", int32_t{0}}));
    EXPECT_TRUE(l.SwapColumns(2, 3));
    EXPECT_EQ(l.SubItemRecord(1, 1).cSIText + l.SubItemRecord(2, 1).cSIText + l.SubItemRecord(2, 2).cSIText, "xb2b1");
    // Tags and alignments written cell by cell, compact or through the record alike; a cell the
    // row does not have is the record's error.
    l.AddItemQuick(Row({"c", int32_t{0}, "c1", int32_t{0}, "c2", int32_t{0}}));
    l.SetCellTag(3, 1, "t1");
    l.SetCellTag(3, 3, "t3");
    l.SetCellAlignment(3, 2, LVListItemAlignRight);
    l.SetCellAlignment(3, 3, 7);  // no compact place for it: through the record
    EXPECT_EQ(l.ItemRecord(3).cLITag, std::string_view("t1"));
    EXPECT_EQ(l.SubItemRecord(3, 2).cSITag, std::string_view("t3"));
    EXPECT_EQ(l.SubItemRecord(3, 1).cSIItemHAlign, LVListItemAlignRight);
    EXPECT_EQ(l.SubItemRecord(3, 2).cSIItemHAlign, 7);
    EXPECT_THROW(l.SetCellTag(1, 3, "none"), AutomationError);
    EXPECT_THROW(l.SetCellAlignment(4, 1, LVListItemAlignRight), AutomationError);
}

// The same rows loaded compact and as full records sort to the same order, equal keys included,
// and the selection follows its items through the sort and the edits after it.
TEST(CompactRows, SortLikeFullRecordsAndKeepTheSelectionWithItsItems) {
    const std::vector<std::vector<std::string>> rows = {
        {"b", "2", "x"}, {"a", "10", "x"}, {"b", "2", "y"}, {"c", "1", "x"}, {"a", "2", "z"}, {"b", "10", "y"}};
    List compact, full;
    for (List* f : {&compact, &full})
        for (int c = 1; c <= 3; ++c) f->list->AddColumn("c" + std::to_string(c), -1, 100);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const auto icon = static_cast<int32_t>(r % 3);
        compact.list->AddItemQuick(Row({rows[r][0], icon, rows[r][1], icon, rows[r][2], icon}));
        full.list->AddItem(rows[r][0], static_cast<int16_t>(icon), 0, Variant());
        const auto i = static_cast<int32_t>(r + 1);
        full.list->ItemForWrite(i).cLIIconIndex = static_cast<int16_t>(icon);
        for (int32_t k = 1; k <= 2; ++k) {
            full.list->SubItemForWrite(i, k, true).cSIText = rows[r][static_cast<std::size_t>(k)];
            full.list->SubItemForWrite(i, k, true).cSIIconIndex = static_cast<int16_t>(icon);
        }
    }
    const struct { int32_t column, type, order; } sorts[] = {
        {1, LVSortString, LVSortOrderAscending}, {2, LVSortNumeric, LVSortOrderDescending},
        {3, LVSortString, LVSortOrderAscending}, {2, LVSortIcon, LVSortOrderAscending},
        {3, LVSortTag, LVSortOrderDescending}};
    compact.list->SetSelectState(2, true);  // "a 10 x"
    for (const auto& s : sorts) {
        for (List* f : {&compact, &full}) {
            f->list->ColumnForWrite(s.column).cHSortType = s.type;
            f->list->SortColumn(s.column, s.order);
        }
        const std::string order = full.Texts(1) + "|" + full.Texts(2) + "|" + full.Texts(3);
        EXPECT_EQ(compact.Texts(1) + "|" + compact.Texts(2) + "|" + compact.Texts(3), order);
        const int32_t selected = compact.list->SelectedIndex();
        EXPECT_EQ(compact.list->ItemRecord(selected).cLIText + compact.list->SubItemRecord(selected, 1).cSIText, "a10");
    }
    GlideListView& l = *compact.list;
    l.ColumnForWrite(2).cHSortType = LVSortNumeric;
    l.SortColumn(2, LVSortOrderAscending);
    EXPECT_EQ(compact.Texts(2), "1 2 2 2 10 10");
    l.RemoveItem(1);
    l.InsertItemQuick(Row({int32_t{2}, "new", int32_t{0}, "5"}));
    EXPECT_EQ(compact.Texts(2), "2 5 2 2 10 10");
    EXPECT_EQ(l.ItemRecord(l.SelectedIndex()).cLIText, "a");
    l.ClearItems();
    EXPECT_EQ(l.ItemCount(), 0);
    EXPECT_EQ(l.SelectedIndex(), 0);
}

}  // namespace
