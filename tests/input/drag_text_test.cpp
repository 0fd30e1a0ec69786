// Drag texts of each OleDropDataMode over a small store, and how dropped texts split into rows,
// including malformed ones.
#include <gtest/gtest.h>

#include <algorithm>

#include "input/DragText.h"
#include "tests/input/store_rows.h"

namespace glv {
namespace {

// Two columns; items A (icon 3, sub-item x with icon 0, tag ta), B (icon -1, sub-item y with
// icon 2, no tag) and C, unselected.
void FillTwoColumns(ItemStore& items) {
    const struct {
        const char* text;
        int16_t icon;
        const char* sub;
        int16_t subIcon;
        const char* tag;
        bool selected;
    } rows[] = {{"A", 3, "x", 0, "ta", true}, {"C", 1, "z", 1, "tc", false}, {"B", -1, "y", 2, "", true}};
    for (const auto& r : rows) {
        tListItemInfo item = items.NewItem(NewItemDefaults{}, 2);
        item.cLIText = r.text;
        item.cLIIconIndex = r.icon;
        item.cLITag = r.tag;
        item.cLISubListItemInfo[0].cSIText = r.sub;
        item.cLISubListItemInfo[0].cSIIconIndex = r.subIcon;
        const int32_t index = items.Append(std::move(item));
        items.SetSelected(index, r.selected);
    }
}

TEST(DragText, EachModeOverTheSelection) {
    ItemStore items;
    FillTwoColumns(items);
    const struct {
        int32_t mode;
        const char* text;
    } cases[] = {
        {oleDragItemText, "A,-1|B,-1"},
        {oleDragRowText, "A,-1,x,-1|B,-1,y,-1"},
        {oleDragItemData, "A,3|B,-1"},
        {oleDragRowData, "A,3,x,0|B,-1,y,2"},
        {oleDragItemTag, "ta|"},
        {oleDragItemIndex, "1,-1|3,-1"},
    };
    for (const auto& c : cases) EXPECT_EQ(BuildDragText(items, 2, c.mode), c.text) << c.mode;
    EXPECT_EQ(BuildDragText(items, 2, 6), std::nullopt);
    EXPECT_EQ(BuildDragText(items, 2, -1), std::nullopt);
    // One column: no sub-item pairs.
    EXPECT_EQ(BuildDragText(items, 1, oleDragRowData), "A,3|B,-1");
}

TEST(DragText, IndexModeAndEmptySelection) {
    ItemStore items;
    test::FillRows(items, ".S..S.");
    EXPECT_EQ(BuildDragText(items, 1, oleDragItemIndex), "2,-1|5,-1");
    ItemStore none;
    test::FillRows(none, "...");
    for (int32_t mode = 0; mode <= 5; ++mode) EXPECT_EQ(BuildDragText(none, 1, mode), "") << mode;
}

std::string Rows(std::string_view text) {
    std::string out;
    ForEachDroppedRow(text, [&](std::span<const std::string_view> fields) {
        out += '[';
        for (std::size_t i = 0; i < fields.size(); ++i) out += (i ? "/" : "") + std::string(fields[i]);
        out += ']';
    });
    return out;
}

TEST(DragText, DroppedTextsSplitIntoRows) {
    const struct {
        const char* text;
        const char* rows;
    } cases[] = {
        {"Hello", "[Hello]"},
        {"", "[]"},                       // one empty item, as a plain value
        {"a|b", ""},                      // each line is a single field
        {"a,-1|b,-1", "[a/-1][b/-1]"},
        {"a,b,c", "[a/b/c]"},
        {",", "[/]"},                     // empty fields are kept
        {"a,,|,|x", "[a//][/]"},
        {"|", ""},
        {"a,1||b,2|", "[a/1][b/2]"},
        {"t,\xff\xfe|u,x", "[t/\xff\xfe][u/x]"},  // bytes pass through as they are
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Rows(c.text), c.rows) << c.text;
        const std::string rows = c.rows;
        EXPECT_EQ(DroppedRowCount(c.text), static_cast<std::size_t>(std::count(rows.begin(), rows.end(), '[')))
            << c.text;
    }
}

TEST(DragText, PlainIntegersOnly) {
    const struct {
        const char* field;
        std::optional<int16_t> value;
    } cases[] = {{"3", 3},           {"-1", -1},          {"32767", 32767},      {"-32768", -32768},
                 {"32768", std::nullopt}, {"", std::nullopt}, {"+1", std::nullopt}, {" 1", std::nullopt},
                 {"1.5", std::nullopt}, {"x", std::nullopt}, {"0012", 12},        {"1234567", std::nullopt}};
    for (const auto& c : cases) EXPECT_EQ(PlainInteger(c.field), c.value) << c.field;
}

TEST(DragText, AMegabyteOfTextSplitsLinearly) {
    std::string text;
    for (int i = 0; text.size() < (1 << 20); ++i) text += "item" + std::to_string(i) + ",x,sub,y|";
    int rows = 0;
    std::size_t fields = 0;
    ForEachDroppedRow(text, [&](std::span<const std::string_view> row) {
        ++rows;
        fields += row.size();
    });
    EXPECT_GT(rows, 40000);
    EXPECT_EQ(fields, static_cast<std::size_t>(rows) * 4);
}

}  // namespace
}  // namespace glv
