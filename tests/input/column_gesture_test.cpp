// The header gestures' rules and the in-place editor's, at their edges: resize steps against
// the minimum and maximum, the drag's start distance, the column under a release, where the edit
// box goes over a row and what a typed character does.
#include <gtest/gtest.h>

#include "input/ColumnGesture.h"
#include "input/InPlaceEdit.h"
#include "tests/input/store_rows.h"

namespace glv {
namespace {

TEST(ColumnResize, StepsAreIncrementalAndClampedOnlyInTheirOwnDirection) {
    struct Row {
        int32_t width, minWidth, maxWidth, pressX, x, expected;
        const char* why;
    };
    const Row rows[] = {
        {100, 30, -1, 200, 190, 90, "shrinks by the distance moved"},
        {100, 30, -1, 200, 130, 30, "stops at the minimum"},
        {100, 30, -1, 200, 129, 30, "past the minimum stays at it"},
        {100, 30, -1, 200, 200, 100, "no move, no change"},
        {100, 30, -1, 200, 5000, 4900, "no maximum: grows without bound"},
        {100, 30, 150, 200, 250, 150, "grows up to the maximum"},
        {100, 30, 150, 200, 251, 150, "past the maximum stays at it"},
        {100, 30, 150, 200, 249, 149, "just below the maximum"},
        {20, 30, -1, 200, 201, 21, "below the minimum, growing is not pulled up to it"},
        {20, 30, -1, 200, 199, 30, "below the minimum, shrinking jumps to it"},
        {200, 30, 150, 200, 190, 190, "above the maximum, shrinking is not pulled down to it"},
        {200, 30, 150, 200, 201, 150, "above the maximum, growing jumps to it"},
        {100, 30, 0, 200, 201, 0, "a maximum of 0 is a maximum"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(ResizedWidth(r.width, r.minWidth, r.maxWidth, r.pressX, r.x), r.expected) << r.why;
}

TEST(ColumnDrag, FourPixelsEitherWayStartTheDragAndTheSpanTakesBothEnds) {
    EXPECT_FALSE(ColumnDragStarts(100, 103));
    EXPECT_FALSE(ColumnDragStarts(100, 96.5f));
    EXPECT_TRUE(ColumnDragStarts(100, 104));
    EXPECT_TRUE(ColumnDragStarts(100, 96));

    ColumnStore columns;
    test::FillColumns(columns, {100, 80, 60});  // 1..101, 101..181, 181..241
    struct Row {
        float x;
        int32_t expected;  // 0: none
    };
    const Row rows[] = {{0, 0}, {1, 1}, {101, 1}, {101.5f, 2}, {181, 2}, {241, 3}, {241.5f, 0}, {-5, 0}};
    for (const Row& r : rows) EXPECT_EQ(ColumnSpanAt(columns, r.x).value_or(0), r.expected) << r.x;
}

TEST(InPlaceEditRules, BoxOverTheRowAndTheKeyRules) {
    // Centred on the row, the half pixel to even; from the text's start to column 1's edge.
    EXPECT_EQ(EditBoxPlacement(20, 40, 16, 13, 100), (WindowPlacement{20, 42, 80, 13}));  // 41.5 -> 42
    EXPECT_EQ(EditBoxPlacement(20, 40, 16, 11, 100), (WindowPlacement{20, 42, 80, 11}));  // 42.5 -> 42
    EXPECT_EQ(EditBoxPlacement(20, 40, 17, 13, 100), (WindowPlacement{20, 42, 80, 13}));  // 42
    EXPECT_EQ(EditBoxPlacement(20, 40, 16, 32, 100), (WindowPlacement{20, 32, 80, 32}));  // taller than the row
    EXPECT_EQ(EditBoxPlacement(120, 40, 16, 13, 100), (WindowPlacement{120, 42, 0, 13}));  // text past the column

    struct Row {
        int32_t key;
        bool pending;
        EditKeyRule expected;
    };
    const Row rows[] = {{13, false, EditKeyRule::Commit},   {10, false, EditKeyRule::Commit},
                        {27, false, EditKeyRule::Cancel},   {'a', false, EditKeyRule::Type},
                        {8, false, EditKeyRule::Type},      {9, false, EditKeyRule::Type},
                        {13, true, EditKeyRule::EndPendingCancel}, {'a', true, EditKeyRule::EndPendingCancel}};
    for (const Row& r : rows) EXPECT_EQ(EditKeyPressRule(r.key, r.pending), r.expected) << r.key;

    EXPECT_EQ(KeyAsciiOf('a'), 97);
    EXPECT_EQ(KeyAsciiOf(0xE9), 0xE9);          // é
    EXPECT_EQ(KeyAsciiOf(0xAC00), -21504);      // 가, above 0x7FFF: a negative Integer
    EXPECT_EQ(KeyAsciiOf(0x1F600), static_cast<int16_t>(0xD83D));  // 😀: its leading surrogate
    EXPECT_EQ(CharacterAfterKeyPress(0x1F600, KeyAsciiOf(0x1F600), KeyAsciiOf(0x1F600)), 0x1F600);
    EXPECT_EQ(CharacterAfterKeyPress(0xAC00, -21504, -21504), 0xAC00);
    EXPECT_EQ(CharacterAfterKeyPress('a', 'a', 'B'), 'B');
    EXPECT_EQ(CharacterAfterKeyPress('a', 'a', 0), 0);
    EXPECT_EQ(CharacterAfterKeyPress('a', 'a', -21504), 0xAC00);
}

}  // namespace
}  // namespace glv
