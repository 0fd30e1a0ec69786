// Swapping and moving columns with their cells: which fields travel with column 1's cell and
// which stay with the item, the extension records following their columns, and the indexes
// that change nothing at all.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ColumnReorder.h"

namespace glv {
namespace {

// Four columns "A".."D" (widths 10..40, maximum widths 110..140) and three items whose cells are
// "Ri" in column 1 and "Ri.k" in column k + 1, each cell with colours and data of its own. Item 3
// was made before the last column: it has sub-items for columns 2 and 3 only.
struct Stores {
    ColumnStore columns;
    ItemStore items;

    Stores() {
        for (int32_t c = 1; c <= 4; ++c) {
            const int32_t i = columns.Add(std::string(1, static_cast<char>('A' + c - 1)), -1, 10 * c, StdFont(), 0);
            columns.Ext(i).MaxWidth = 100 + 10 * c;
        }
        for (int32_t r = 1; r <= 3; ++r) {
            tListItemInfo item = items.NewItem(NewItemDefaults{}, r == 3 ? 2 : 4);
            item.cLIText = "R" + std::to_string(r);
            item.cLIForeColor = static_cast<OLE_COLOR>(r * 100);
            item.cLITag = SharedString("tag" + std::to_string(r));
            item.cLIItemData = Variant(r);
            item.cLIFontSize = 9.5f + static_cast<float>(r);
            item.cLISelectForeColor = 0x123456;
            item.cLIIconIndex = static_cast<int16_t>(r);
            for (std::size_t k = 0; k < item.cLISubListItemInfo.size(); ++k) {
                tSubListItemInfo& sub = item.cLISubListItemInfo[k];
                const int32_t code = r * 100 + static_cast<int32_t>(k) + 1;
                sub.cSIText = "R" + std::to_string(r) + "." + std::to_string(k + 1);
                sub.cSIForeColor = static_cast<OLE_COLOR>(code);
                sub.cSITag = SharedString("tag" + std::to_string(code));
                sub.cSIItemData = Variant(code);
                sub.cSISelectForeColor = static_cast<OLE_COLOR>(code + 50);
                sub.cSIIconIndex = static_cast<int16_t>(code);
            }
            items.Append(std::move(item));
        }
    }
    // "R1 R1.1 R1.2 R1.3 R1.4" for an item: its own text, then each sub-item's.
    std::string Texts(int32_t r) const {
        const tListItemInfo& item = items.Item(r);
        std::string out = item.cLIText;
        for (const tSubListItemInfo& sub : item.cLISubListItemInfo) out += " " + sub.cSIText;
        return out;
    }
    std::string Captions() const {
        std::string out;
        for (int32_t c = 1; c <= columns.Count(); ++c)
            out += columns.Column(c).cHCaption + std::to_string(columns.Ext(c).MaxWidth) + " ";
        return out;
    }
};

TEST(ColumnReorder, SwapMovesWholeCellsAndColumnOnesFieldsOnly) {
    Stores s;
    ASSERT_TRUE(SwapColumnCells(s.columns, s.items, 1, 3));
    EXPECT_EQ(s.Captions(), "C130 B120 A110 D140 ");
    EXPECT_EQ(s.Texts(1), "R1.2 R1.1 R1 R1.3 R1.4");
    EXPECT_EQ(s.Texts(3), "R3.2 R3.1 R3");
    const tListItemInfo& item = s.items.Item(1);
    const tSubListItemInfo& sub = item.cLISubListItemInfo[1];
    // The cell's fields changed places...
    EXPECT_EQ(item.cLIForeColor, 102u);
    EXPECT_EQ(item.cLITag.str(), "tag102");
    EXPECT_EQ(item.cLIItemData, Variant(102));
    EXPECT_EQ(item.cLIIconIndex, 102);
    EXPECT_EQ(sub.cSIForeColor, 100u);
    EXPECT_EQ(sub.cSITag.str(), "tag1");
    EXPECT_EQ(sub.cSIItemData, Variant(1));
    // ...the font size and the selected text colours stayed where they were.
    EXPECT_EQ(item.cLIFontSize, 10.5f);
    EXPECT_EQ(item.cLISelectForeColor, 0x123456u);
    EXPECT_EQ(sub.cSISelectForeColor, 152u);

    ASSERT_TRUE(SwapColumnCells(s.columns, s.items, 4, 2));  // whole sub-item records
    EXPECT_EQ(s.Captions(), "C130 D140 A110 B120 ");
    EXPECT_EQ(s.Texts(1), "R1.2 R1.3 R1 R1.1 R1.4");
    EXPECT_EQ(s.items.Item(1).cLISubListItemInfo[0].cSISelectForeColor, 153u);
    EXPECT_EQ(s.Texts(3), "R3.2 R3.1 R3");  // no cell for column 4: kept as it was
}

TEST(ColumnReorder, MoveTakesAColumnOutAndPutsItBack) {
    struct Row {
        int32_t from, to;
        const char* captions;
        const char* item1;
        const char* item3;  // the item without a cell for column 4
    };
    const Row rows[] = {
        {1, 4, "B120 C130 D140 A110 ", "R1.1 R1.2 R1.3 R1 R1.4", "R3 R3.1 R3.2"},
        {4, 1, "D140 A110 B120 C130 ", "R1.3 R1 R1.1 R1.2 R1.4", "R3 R3.1 R3.2"},
        {1, 2, "B120 A110 C130 D140 ", "R1.1 R1 R1.2 R1.3 R1.4", "R3.1 R3 R3.2"},
        {3, 1, "C130 A110 B120 D140 ", "R1.2 R1 R1.1 R1.3 R1.4", "R3.2 R3 R3.1"},
        {2, 4, "A110 C130 D140 B120 ", "R1 R1.2 R1.3 R1.1 R1.4", "R3 R3.1 R3.2"},
        {4, 2, "A110 D140 B120 C130 ", "R1 R1.3 R1.1 R1.2 R1.4", "R3 R3.1 R3.2"},
        {2, 3, "A110 C130 B120 D140 ", "R1 R1.2 R1.1 R1.3 R1.4", "R3 R3.2 R3.1"},
    };
    for (const Row& r : rows) {
        Stores s;
        ASSERT_TRUE(MoveColumnCells(s.columns, s.items, r.from, r.to)) << r.from << "->" << r.to;
        EXPECT_EQ(s.Captions(), r.captions) << r.from << "->" << r.to;
        EXPECT_EQ(s.Texts(1), r.item1) << r.from << "->" << r.to;
        EXPECT_EQ(s.Texts(3), r.item3) << r.from << "->" << r.to;
        // The item's own size and selected text colour never move.
        EXPECT_EQ(s.items.Item(1).cLIFontSize, 10.5f);
        EXPECT_EQ(s.items.Item(1).cLISelectForeColor, 0x123456u);
    }
    // Moving column 1 to 3 and back restores every record exactly.
    Stores s, original;
    ASSERT_TRUE(MoveColumnCells(s.columns, s.items, 1, 3));
    ASSERT_TRUE(MoveColumnCells(s.columns, s.items, 3, 1));
    for (int32_t r = 1; r <= 3; ++r) EXPECT_TRUE(s.items.Item(r) == original.items.Item(r)) << r;
}

TEST(ColumnReorder, BadIndexesAnswerFalseAndChangeNothing) {
    const std::pair<int32_t, int32_t> bad[] = {{-1, 2}, {2, -1}, {2, 2}, {1, 1}, {0, 2}, {2, 0}, {1, 5}, {5, 1}, {-32768, 32767}};
    for (auto [a, b] : bad) {
        for (bool move : {false, true}) {
            Stores s, original;
            EXPECT_FALSE(move ? MoveColumnCells(s.columns, s.items, a, b) : SwapColumnCells(s.columns, s.items, a, b))
                << a << "," << b;
            for (int32_t c = 1; c <= 4; ++c) {
                EXPECT_TRUE(s.columns.Column(c) == original.columns.Column(c));
                EXPECT_TRUE(s.columns.Ext(c) == original.columns.Ext(c));
            }
            for (int32_t r = 1; r <= 3; ++r) EXPECT_TRUE(s.items.Item(r) == original.items.Item(r));
        }
    }
}

}  // namespace
}  // namespace glv
