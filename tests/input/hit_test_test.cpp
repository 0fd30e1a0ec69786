// The hit test at the edges the control's geometry fixes: both ends of a row inclusive, the
// check box and glyph zones exclusive, dividers 3 pixels either side, the last column taking
// every X to its right.
#include <gtest/gtest.h>

#include "input/HitTest.h"
#include "store_rows.h"

namespace glv {
namespace {

const char* PartName(HitPart part) {
    switch (part) {
        case HitPart::Nothing: return "nothing";
        case HitPart::HeaderSection: return "header";
        case HitPart::Divider: return "divider";
        case HitPart::CheckBox: return "checkbox";
        case HitPart::GroupGlyph: return "glyph";
        case HitPart::FirstColumn: return "first";
        case HitPart::SubItem: return "subitem";
    }
    return "?";
}

// "part row=r col=c div=d sub=s", leaving out what is not set.
std::string Describe(const PointerHit& hit) {
    std::string out = PartName(hit.part);
    if (hit.row) out += " row=" + std::to_string(*hit.row);
    if (hit.column) out += " col=" + std::to_string(*hit.column);
    if (hit.divider) out += " div=" + std::to_string(*hit.divider);
    if (hit.subItem) out += " sub=" + std::to_string(*hit.subItem);
    return out;
}

struct HitCase {
    float x, y;
    RowRule rule;
    const char* expected;
};

TEST(HitTest, PartsAndIndexesAtTheEdges) {
    // Header band 20; columns 1..101, 101..181, 181..241; rows 16 high from 21:
    // 1 plain 21, 2 group 37, 3 plain 53, 4 disabled 69, 5 hidden, 6 unselectable 85,
    // 7 plain 101, 8 plain 117, 9 unselectable group header 133.
    ItemStore items;
    ColumnStore columns;
    test::FillRows(items, ".g.dhu..G");
    test::FillColumns(columns, {100, 80, 60});
    const HitGeometry g{items, columns, 20, 1, 8, true};
    constexpr RowRule P = RowRule::PressRelease, C = RowRule::Click;
    const HitCase cases[] = {
        {50, 20, P, "header col=1"},                 // Y = header height is the band
        {50, 0, P, "header col=1"},
        {97, 10, P, "header col=1"},                 // one pixel before the divider zone
        {98, 10, P, "divider col=1 div=1"},          // split 101 - 3
        {101, 10, P, "divider col=1 div=1"},         // both columns claim 101: the first wins
        {101.5f, 10, P, "divider col=2 div=1"},
        {104, 10, P, "divider col=2 div=1"},         // split + 3
        {105, 10, P, "header col=2"},
        {241, 10, P, "divider col=3 div=3"},         // the last column ends at left + width
        {241.5f, 10, P, "divider div=3"},
        {245, 10, P, "nothing"},
        {50, 21, P, "first row=1"},                  // a row's top and bottom both hit
        {50, 37, P, "first row=1"},
        {50, 37.5f, P, "first row=2"},               // a group header row with the press rule
        {3, 30, P, "first row=1"},                   // X = 3 and 17 miss the check box
        {17, 30, P, "first row=1"},
        {10, 30, P, "checkbox row=1"},
        {3.5f, 30, P, "checkbox row=1"},
        {10, 45, C, "glyph row=2"},                  // glyph zone: 5 < X < 16, group rows
        {5, 45, C, "first row=2"},
        {16, 45, C, "first row=2"},
        {10, 30, C, "first row=1"},                  // the click rule has no check box zone
        {10, 60, C, "first row=3"},                  // nor a glyph on a plain row
        {50, 75, P, "nothing"},                      // disabled
        {50, 90, P, "nothing"},                      // unselectable
        {50, 90, C, "nothing"},                      // unselectable and not a group header
        {50, 140, P, "nothing"},                     // unselectable group header: press no,
        {50, 140, C, "first row=9"},                 //   click yes
        {101, 110, P, "first row=7"},                // X = right edge of column 1
        {101.5f, 110, P, "subitem row=7 sub=1"},
        {181, 110, P, "subitem row=7 sub=1"},        // 181 is in both: the earlier column
        {182, 110, P, "subitem row=7 sub=2"},
        {900, 110, P, "subitem row=7 sub=2"},        // the last column takes the rest
        {150, 200, P, "nothing sub=1"},              // below the last row
    };
    for (const HitCase& c : cases)
        EXPECT_EQ(Describe(HitTest(g, c.x, c.y, c.rule)), c.expected)
            << "at (" << c.x << ", " << c.y << ")";
}

TEST(HitTest, RowWalkStaysOnThePageAndResizingOffDropsDividers) {
    ItemStore items;
    ColumnStore columns;
    test::FillRows(items, "......");
    test::FillColumns(columns, {100});
    // From TopIndex 3 the stale tops of rows 1 and 2 are not matched.
    EXPECT_EQ(Describe(HitTest({items, columns, 20, 3, 4, true}, 50, 30, RowRule::PressRelease)), "nothing");
    EXPECT_EQ(Describe(HitTest({items, columns, 20, 3, 4, true}, 50, 60, RowRule::PressRelease)), "first row=3");
    // Only the rows the last pass painted are walked.
    EXPECT_EQ(Describe(HitTest({items, columns, 20, 1, 2, true}, 50, 60, RowRule::PressRelease)), "nothing");
    EXPECT_EQ(Describe(HitTest({items, columns, 20, 1, 2, false}, 101, 10, RowRule::PressRelease)), "header col=1");
    // With one column there is no sub-item area to the right, only nothing.
    EXPECT_EQ(Describe(HitTest({items, columns, 20, 1, 6, true}, 150, 30, RowRule::PressRelease)), "nothing row=1");
    // No columns at all: the whole width is the first-column area.
    ColumnStore none;
    EXPECT_EQ(Describe(HitTest({items, none, 0, 1, 6, true}, 150, 30, RowRule::PressRelease)), "first row=1");
}

}  // namespace
}  // namespace glv
