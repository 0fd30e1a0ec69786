// Column resizing and dragging driven by raw pointer input through the form, asserted as widths,
// column order, the sort marker, exact event sequences and the drag image's pixels; and the
// host's SwapColumns and MoveColumn through the control.
#include <gtest/gtest.h>

#include "tests/support/control_access.h"
#include "tests/support/golden.h"
#include "tests/support/input_fixture.h"

namespace glv {
namespace {

using test::InputFixture;
using Lines = std::vector<std::string>;
using PA = Form::PointerAction;

// Three 100-pixel columns "col1".."col3" and six items whose cells read "item3", "a3", "b3".
struct Columns : InputFixture {
    Columns() {
        Fill(6);
        list->SetAllowColumnDrag(true);
        for (int32_t i = 1; i <= 6; ++i) {
            list->SubItemForWrite(i, 1, true).cSIText = "a" + std::to_string(i);
            list->SubItemForWrite(i, 2, true).cSIText = "b" + std::to_string(i);
        }
        list->Refresh();
        Events();
    }
    int32_t Split(int32_t column) const { return list->ColumnRecord(column).cHCollXSplit; }
    int32_t Width(int32_t column) const { return list->ColumnRecord(column).cHWidth; }
    std::string Order() const {
        std::string out;
        for (int32_t c = 1; c <= list->ColumnCount(); ++c) out += list->ColumnRecord(c).cHCaption + " ";
        return out;
    }
    // Item 2's cells, column by column.
    std::string Row2() const {
        std::string out = list->ItemRecord(2).cLIText;
        for (int32_t k = 1; k < list->ColumnCount(); ++k) out += " " + list->SubItemRecord(2, k).cSIText;
        return out;
    }
    void Down(int32_t x, int32_t y) { form->Pointer(PA::Down, x, y); }
    void Up(int32_t x, int32_t y) { form->Pointer(PA::Up, x, y); }
    void Drag(int32_t x, int32_t y) { form->Pointer(PA::Move, x, y, 1, 0, 1); }
};

TEST(ColumnResize, TheDividerDragFollowsThePointerWithinTheLimits) {
    struct Row {
        const char* name;
        int32_t minWidth, maxWidth;
        std::vector<int32_t> moves;  // pointer X relative to the divider at the press
        int32_t expected;
        bool barAppears = false;     // the columns grow wider than the control
    };
    const Row rows[] = {
        {"shrinks by the distance", 30, -1, {-20}, 80},
        {"steps add up", 30, -1, {10, 25, 5}, 105},
        {"past the minimum stays at the minimum", 30, -1, {-90}, 30},
        {"the minimum holds, the way back grows from it", 30, -1, {-90, -80}, 40},
        {"no maximum: grows without bound", 30, -1, {200, 280}, 380, true},
        {"stops at the maximum", 30, 150, {80}, 150},
        {"the maximum holds, the way back shrinks from it", 30, 150, {80, 70}, 140},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Columns f;
        f->ColumnForWrite(1).cHMinWidth = r.minWidth;
        f->ColumnExtForWrite(1).MaxWidth = r.maxWidth;
        const int32_t split = f.Split(1);
        const int32_t y = f->HeaderHeight() / 2;
        f.Move(split + 3, y);  // the zone is 3 pixels either side, both ends included
        EXPECT_EQ(f.form->Cursor(), CursorShape::SizeWE);
        f.Events();
        f.Down(split + 3, y);
        EXPECT_TRUE(f->RepaintTimerRunning());
        for (int32_t dx : r.moves) f.Drag(split + 3 + dx, y);
        EXPECT_EQ(f.Width(1), r.expected);
        // The release reports the new width; no click, sort or header events.
        f.Up(split + 3 + r.moves.back(), y);
        EXPECT_FALSE(f->RepaintTimerRunning());
        Lines expected{"ColumnWidthChanged ColIndex=1", "ColumnWidthChangedAlt ColIndex=1"};
        if (r.barAppears) expected.insert(expected.begin(), "HScrollVisibleChanged bState=True");
        EXPECT_EQ(f.Events(), expected);
        EXPECT_EQ(f.Split(1), f->ColumnRecord(1).cHCollX + r.expected);  // the release painted it
    }
}

TEST(ColumnResize, TheRepaintTimerShowsEachStepAndTheClickEndsTheResize) {
    Columns f;
    f->ColumnForWrite(2).cHMinWidth = 10;
    const int32_t split = f.Split(2), y = 8;
    f.Move(split - 3, y);
    f.Down(split - 3, y);
    f.Drag(split - 43, y);
    EXPECT_EQ(f.Width(2), 60);
    EXPECT_EQ(f.Split(2), split);  // not painted yet
    f.platform.clock.Advance(2);
    EXPECT_EQ(f.Split(2), split - 40);
    const int32_t repaints = static_cast<int32_t>(f->surface().PaintSerial());
    f.platform.clock.Advance(10);
    EXPECT_EQ(static_cast<int32_t>(f->surface().PaintSerial()), repaints + 5);  // every 2 ms while the button is held
    f.Up(split - 43, y);
    f.Events();
    // The click after the release ended the resize: a press on the header is a header press again.
    f.platform.clock.Advance(600);
    f.Move(f.ColumnX(1), y);
    f.Events();
    f.Down(f.ColumnX(1), y);
    f.Drag(f.ColumnX(1) + 40, y);
    EXPECT_EQ(f.Width(1), 100);
    EXPECT_EQ(f.Width(2), 60);
}

TEST(ColumnResize, AReleaseOutsideTheControlEndsTheResizeAtTheNextMove) {
    Columns f;
    f->ColumnForWrite(1).cHMinWidth = 30;
    const int32_t split = f.Split(1);
    f.Move(split, 8);
    f.Events();
    f.Down(split, 8);
    f.Drag(split - 20, 8);
    f.Up(split - 20, 420);  // below the form: no click follows
    EXPECT_EQ(f.Events(), (Lines{"ColumnWidthChanged ColIndex=1", "ColumnWidthChangedAlt ColIndex=1"}));
    f.Move(split + 40, 8);
    EXPECT_EQ(f.Width(1), 80);
}

TEST(ColumnResize, WithoutAllowColumnResizingTheDividerIsAHeader) {
    Columns f;
    f->SetAllowColumnResizing(false);
    const int32_t split = f.Split(1);
    f.Move(split, 8);
    EXPECT_EQ(f.form->Cursor(), CursorShape::Arrow);
    f.Down(split, 8);
    f.Drag(split + 30, 8);
    EXPECT_EQ(f.Width(1), 100);
}

TEST(ColumnDrag, DraggingAHeaderMovesTheColumnWithItsCells) {
    Columns f;
    const int32_t y = 8, x = f.ColumnX(1);
    f.Move(x, y);
    f.Events();
    f.Down(x, y);
    f.Drag(x + 4, y);  // four pixels start the drag
    f.Drag(250, y);
    f.platform.clock.Advance(2);
    f.Up(250, y);
    EXPECT_EQ(f.Order(), "col2 col3 col1 ");
    EXPECT_EQ(f.Row2(), "a2 b2 item2");
    // The press raised its header events; the drag itself none, and no click or sort follows.
    EXPECT_EQ(f.Events(), (Lines{"ColumnMouseDown Button=1 Shift=0 X=31 Y=8 ColIndex=1",
                                 "ColumnMouseDownAlt Button=1 Shift=0 X=31 Y=8 ColIndex=1"}));
    EXPECT_FALSE(f->RepaintTimerRunning());
    EXPECT_EQ(f->SortedColumn(), 3);  // column 1 was the sorted column (the default): its marker went along
}

TEST(ColumnDrag, ReleasesAndTheSortMarker) {
    struct Row {
        const char* name;
        int32_t sorted;      // SortedColumn before (set without sorting)
        int32_t pressColumn;
        int32_t releaseX;
        const char* order;
        int32_t sortedAfter;
    };
    const Row rows[] = {
        {"the sorted column takes its marker along", 1, 1, 250, "col2 col3 col1 ", 3},
        {"dropped on the column's own place: nothing moves", 2, 2, 180, "col1 col2 col3 ", 2},
        {"another column's marker stays with the position", 3, 1, 150, "col2 col1 col3 ", 3},
        {"leftwards", 1, 3, 20, "col3 col1 col2 ", 1},
        {"beyond every column nothing moves and the marker stays", 1, 1, 350, "col1 col2 col3 ", 1},
        {"the right edge of a column belongs to it", 0, 1, 200, "col2 col1 col3 ", 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Columns f;
        ControlTestAccess::Props(*f).SortedColumn = r.sorted;
        const int32_t x = f.ColumnX(r.pressColumn);
        f.Move(x, 8);
        f.Down(x, 8);
        f.Drag(r.releaseX, 8);
        f.Up(r.releaseX, 8);
        EXPECT_EQ(f.Order(), r.order);
        EXPECT_EQ(f->SortedColumn(), r.sortedAfter);
    }
}

TEST(ColumnDrag, AWobbleOfThreePixelsIsAClickThatSorts) {
    Columns f;
    const int32_t x = f.ColumnX(2);
    f.Move(x, 8);
    f.Events();
    f.Down(x, 8);
    f.Drag(x + 3, 8);
    f.Drag(x - 3, 8);
    f.Up(x - 3, 8);
    EXPECT_EQ(f.Order(), "col1 col2 col3 ");
    EXPECT_EQ(f.Events(), (Lines{"ColumnMouseDown Button=1 Shift=0 X=131 Y=8 ColIndex=2",
                                 "ColumnMouseDownAlt Button=1 Shift=0 X=131 Y=8 ColIndex=2",
                                 "SortColumnChanged Column=2 SortOrder=0", "ColumnClick ColIndex=2",
                                 "ColumnClickAlt ColIndex=2",
                                 "ColumnMouseUp Button=1 Shift=0 X=128 Y=8 ColIndex=2",
                                 "ColumnMouseUpAlt Button=1 Shift=0 X=128 Y=8 ColIndex=2"}));
}

TEST(ColumnDrag, WithoutAllowColumnDragAPressAndMoveStayAHeaderClick) {
    Columns f;
    f->SetAllowColumnDrag(false);
    f->SetAllowColumnSorting(false);
    const int32_t x = f.ColumnX(1);
    f.Move(x, 8);
    f.Down(x, 8);
    f.Drag(250, 8);
    f.Up(250, 8);
    EXPECT_EQ(f.Order(), "col1 col2 col3 ");
}

// The drag image: the column as it looked at the drag's start, drawn at the pointer minus where
// the column was grabbed, over the list repainted under it.
TEST(ColumnDrag, TheImageFollowsThePointer) {
    Columns f;
    const int32_t y = 8, x = f.ColumnX(1);  // grabbed 30 pixels from the column's left edge
    f.Move(x, y);
    f.Down(x, y);
    const Surface before = f.form->Compose();
    f.Drag(x + 10, y);
    f.Drag(x + 160, y);
    f.platform.clock.Advance(2);
    const Surface during = f.form->Compose();
    // The column's pixels now start at 160; the list's own header at 160 showed column 2.
    const int32_t left = f->ColumnRecord(1).cHCollX;
    for (int32_t dy : {2, 10, f.RowY(2)})
        for (int32_t dx : {1, 20, 60, 98})
            EXPECT_EQ(during.GetPixel(left + 160 + dx, dy), before.GetPixel(left + dx, dy)) << dx << "," << dy;
    test::ExpectMatchesGolden(during, "column_drag_image");
    f.Up(x + 160, y);
    EXPECT_EQ(f.Order(), "col2 col1 col3 ");
}

TEST(ColumnReordering, SwapAndMoveThroughTheControl) {
    Columns f;
    const int32_t repaints = static_cast<int32_t>(f->surface().PaintSerial());
    EXPECT_TRUE(f->SwapColumns(1, 3));
    EXPECT_EQ(static_cast<int32_t>(f->surface().PaintSerial()), repaints);  // the host refreshes
    EXPECT_EQ(f.Order(), "col3 col2 col1 ");
    EXPECT_EQ(f.Row2(), "b2 a2 item2");
    EXPECT_TRUE(f->MoveColumn(3, 1));
    EXPECT_EQ(static_cast<int32_t>(f->surface().PaintSerial()), repaints + 1);
    EXPECT_EQ(f.Order(), "col1 col3 col2 ");
    EXPECT_EQ(f.Row2(), "item2 b2 a2");
    // Bad indexes: False and every record as it was, through the automation interface too.
    ObjectPtr control = f->DispatchObject();
    for (auto [a, b] : {std::pair{2, 2}, {-1, 2}, {2, -1}, {0, 1}, {1, 4}, {4, 1}}) {
        std::vector<tColHeaderInfo> columns;
        for (int32_t c = 1; c <= 3; ++c) columns.push_back(f->ColumnRecord(c));
        std::vector<tListItemInfo> items;
        for (int32_t i = 1; i <= 6; ++i) items.push_back(f->ItemRecord(i));
        EXPECT_FALSE(f->SwapColumns(static_cast<int32_t>(a), static_cast<int32_t>(b)));
        EXPECT_FALSE(f->MoveColumn(static_cast<int32_t>(a), static_cast<int32_t>(b)));
        const Variant args[] = {Variant(static_cast<int16_t>(a)), Variant(static_cast<int16_t>(b))};
        EXPECT_EQ(control->Invoke("SwapColumns", CallKind::Method, args), Variant(false));
        EXPECT_EQ(control->Invoke("MoveColumn", CallKind::Method, args), Variant(false));
        for (int32_t c = 1; c <= 3; ++c) EXPECT_TRUE(f->ColumnRecord(c) == columns[static_cast<size_t>(c - 1)]);
        for (int32_t i = 1; i <= 6; ++i) {
            tListItemInfo copy = f->ItemRecord(i);
            EXPECT_TRUE(copy == items[static_cast<size_t>(i - 1)]) << i;
        }
    }
}

}  // namespace
}  // namespace glv
