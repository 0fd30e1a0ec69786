// Mouse gestures through the form, asserted as exact event sequences, and the header's hover and
// pressed looks and pointer shape from real moves.
//
// Test ideas not yet written: the expanding row's press (current item only); hover selection
// across the sub-item area with FullRowSelect off.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "tests/support/control_access.h"
#include "tests/support/input_fixture.h"
#include "input/Keyboard.h"
#include "scrollbar/ScrollBar.h"

namespace glv {
namespace {

using test::InputFixture;
using Lines = std::vector<std::string>;

// "Name Button=1 Shift=0 X=31 Y=26" and the rest of the arguments.
std::string M(const std::string& name, int button, int shift, int x, int y, const std::string& rest) {
    return name + " Button=" + std::to_string(button) + " Shift=" + std::to_string(shift) + " X=" +
           std::to_string(x) + " Y=" + std::to_string(y) + rest;
}

struct Gesture {
    const char* name;
    std::function<void(InputFixture&)> setup;
    // Performs the gesture and returns the events it should raise.
    std::function<Lines(InputFixture&)> run;
};

TEST(MouseInput, GestureEventSequences) {
    const Gesture gestures[] = {
        {"left click on an unselected item", nullptr,
         [](InputFixture& f) {
             const int x = f.ColumnX(1), y = f.RowY(2);
             f.PressRelease(x, y);
             return Lines{"SelectedIndexChanged ItemIndex=2", "SelectedIndexChangedAlt ItemIndex=2",
                          M("ItemMouseDown", 1, 0, x, y, " ItemIndex=2"),
                          M("ItemMouseDownAlt", 1, 0, x, y, " ItemIndex=2"),
                          M("ItemMouseUp", 1, 0, x, y, " ItemIndex=2"),
                          M("ItemMouseUpAlt", 1, 0, x, y, " ItemIndex=2"), "ItemClick ItemIndex=2",
                          "ItemClickAlt ItemIndex=2"};
         }},
        {"a later press on the selected row is deferred: no press event",
         [](InputFixture& f) { f->SetMultiSelect(true); },
         [](InputFixture& f) {
             const int x = f.ColumnX(1), y = f.RowY(2);
             f.Click(x, y);
             f.platform.clock.Advance(600);  // too late for a double click
             f.PressRelease(x, y);
             // The release on the row selected before begins editing it.
             return Lines{"BeforeItemEdit Cancel=False ItemIndex=2",
                          M("ItemMouseUp", 1, 0, x, y, " ItemIndex=2"), M("ItemMouseUpAlt", 1, 0, x, y, " ItemIndex=2"),
                          "ItemClick ItemIndex=2", "ItemClickAlt ItemIndex=2"};
         }},
        {"double click", nullptr,
         [](InputFixture& f) {
             const int x = f.ColumnX(1), y = f.RowY(2);
             f.Click(x, y);
             f.PressRelease(x, y);
             return Lines{"ItemDblClick Button=1 ItemIndex=2", "ItemDblClickAlt Button=1 ItemIndex=2",
                          "BeforeItemEdit Cancel=False ItemIndex=2", M("ItemMouseUp", 1, 0, x, y, " ItemIndex=2"), M("ItemMouseUpAlt", 1, 0, x, y, " ItemIndex=2")};
         }},
        {"check box click", [](InputFixture& f) { f->SetCheckBoxes(true); },
         [](InputFixture& f) {
             f.PressRelease(10, f.RowY(3));
             return Lines{"ItemChecked ItemIndex=3 Value=True", "ItemCheckedAlt ItemIndex=3 Value=True"};
         }},
        {"header click without sorting", [](InputFixture& f) { f->SetAllowColumnSorting(false); },
         [](InputFixture& f) {
             const int x = f.ColumnX(2);
             f.PressRelease(x, 10);
             return Lines{M("ColumnMouseDown", 1, 0, x, 10, " ColIndex=2"), M("ColumnMouseDownAlt", 1, 0, x, 10, " ColIndex=2"),
                          "ColumnClick ColIndex=2", "ColumnClickAlt ColIndex=2",
                          M("ColumnMouseUp", 1, 0, x, 10, " ColIndex=2"), M("ColumnMouseUpAlt", 1, 0, x, 10, " ColIndex=2")};
         }},
        {"right click on a header sorts without ColumnClick", nullptr,
         [](InputFixture& f) {
             const int x = f.ColumnX(3);
             f.Move(x, 10);
             f.Events();
             f.form->Pointer(Form::PointerAction::Down, x, 10, 2);
             f.form->Pointer(Form::PointerAction::Up, x, 10, 2);
             return Lines{M("ColumnMouseDown", 2, 0, x, 10, " ColIndex=3"), M("ColumnMouseDownAlt", 2, 0, x, 10, " ColIndex=3"),
                          "SortColumnChanged Column=3 SortOrder=0",
                          M("ColumnMouseUp", 2, 0, x, 10, " ColIndex=3"), M("ColumnMouseUpAlt", 2, 0, x, 10, " ColIndex=3")};
         }},
        {"group header press and click", [](InputFixture& f) { f->GroupForWrite(2).GroupHeader = true; },
         [](InputFixture& f) {
             const int y = f.RowY(2);
             f.Move(50, y);
             f.Events();
             f.form->Pointer(Form::PointerAction::Down, 50, y, 1);
             f.form->Pointer(Form::PointerAction::Up, 50, y, 1);
             return Lines{"GroupHeaderMouseDown RowIndex=2 Button=1 Shift=0 X=50 Y=" + std::to_string(y) + " State=0",
                          "GroupHeaderMouseUp RowIndex=2 Button=1 Shift=0 X=50 Y=" + std::to_string(y) + " State=0",
                          "GroupHeaderClick RowIndex=2 State=0"};
         }},
        {"group glyph click stands for a double click", [](InputFixture& f) { f->GroupForWrite(2).GroupHeader = true; },
         [](InputFixture& f) {
             const int y = f.RowY(2);
             f.Move(10, y);
             f.Events();
             f.form->Pointer(Form::PointerAction::Down, 10, y, 1);
             f.form->Pointer(Form::PointerAction::Up, 10, y, 1);
             return Lines{"GroupHeaderMouseDown RowIndex=2 Button=1 Shift=0 X=10 Y=" + std::to_string(y) + " State=0",
                          "GroupHeaderMouseUp RowIndex=2 Button=1 Shift=0 X=10 Y=" + std::to_string(y) + " State=0",
                          "GroupHeaderDblClick RowIndex=2 State=0"};
         }},
        {"press on a disabled row: nothing", [](InputFixture& f) { f->ItemForWrite(2).cLIEnabled = false; },
         [](InputFixture& f) {
             f.PressRelease(f.ColumnX(1), f.RowY(2));
             return Lines{};
         }},
        {"press on an unselectable row: nothing", [](InputFixture& f) { f->ItemForWrite(2).cLISelectable = false; },
         [](InputFixture& f) {
             f.PressRelease(f.ColumnX(1), f.RowY(2));
             return Lines{};
         }},
        {"press below the last row: nothing", nullptr,
         [](InputFixture& f) {
             f.PressRelease(f.ColumnX(1), 250);
             return Lines{};
         }},
        {"press in an empty list: the item events with index -1", [](InputFixture& f) { f->ClearItems(); },
         [](InputFixture& f) {
             f.Move(40, 100);
             f.form->Pointer(Form::PointerAction::Down, 40, 100, 1);
             f.form->Pointer(Form::PointerAction::Up, 40, 100, 1);
             return Lines{M("ItemMouseDown", 1, 0, 40, 100, " ItemIndex=-1"), M("ItemMouseDownAlt", 1, 0, 40, 100, " ItemIndex=-1"),
                          M("ItemMouseUp", 1, 0, 40, 100, " ItemIndex=-1"), M("ItemMouseUpAlt", 1, 0, 40, 100, " ItemIndex=-1"),
                          "ItemClick ItemIndex=-1", "ItemClickAlt ItemIndex=-1"};
         }},
        {"right press on an item without the menu keeps the selection",
         [](InputFixture& f) {
             f->SetAllowSubMenu(false);
             f->SetSelectState(1, true);
         },
         [](InputFixture& f) {
             const int x = f.ColumnX(1), y = f.RowY(3);
             f.Move(x, y);
             f.Events();
             f.form->Pointer(Form::PointerAction::Down, x, y, 2);
             f.form->Pointer(Form::PointerAction::Up, x, y, 2);
             EXPECT_EQ(f.Selected(), "1");
             return Lines{M("ItemMouseDown", 2, 0, x, y, " ItemIndex=3"), M("ItemMouseDownAlt", 2, 0, x, y, " ItemIndex=3"),
                          M("ItemMouseUp", 2, 0, x, y, " ItemIndex=3"), M("ItemMouseUpAlt", 2, 0, x, y, " ItemIndex=3")};
         }},
        {"sub-item click", nullptr,
         [](InputFixture& f) {
             const int x = f.ColumnX(3), y = f.RowY(4);
             f.Move(x, y);
             f.Events();
             f.form->Pointer(Form::PointerAction::Down, x, y, 1);
             f.form->Pointer(Form::PointerAction::Up, x, y, 1);
             return Lines{"SelectedIndexChanged ItemIndex=4", "SelectedIndexChangedAlt ItemIndex=4",
                          M("SubItemMouseDown", 1, 0, x, y, " ItemIndex=4 SubItemIndex=2"),
                          M("SubItemMouseDownAlt", 1, 0, x, y, " ItemIndex=4 SubItemIndex=2"),
                          M("SubItemMouseUp", 1, 0, x, y, " ItemIndex=4 SubItemIndex=2"),
                          M("SubItemMouseUpAlt", 1, 0, x, y, " ItemIndex=4 SubItemIndex=2"),
                          "SubItemClick ItemIndex=4 SubItemIndex=2", "SubItemClickAlt ItemIndex=4 SubItemIndex=2"};
         }},
        {"moves within one row raise ItemMouseMoveAlt each time", nullptr,
         [](InputFixture& f) {
             const int y = f.RowY(2);
             f.Move(30, y);
             f.Move(31, y);
             return Lines{"ItemMouseMoveAlt Button=0 Shift=0 X=30 Y=" + std::to_string(y) + " ItemIndex=2",
                          "ItemMouseMoveAlt Button=0 Shift=0 X=31 Y=" + std::to_string(y) + " ItemIndex=2"};
         }},
        {"disabled control: nothing at all", [](InputFixture& f) { f->SetEnabled(false); },
         [](InputFixture& f) {
             f->OnMouseDown(1, 0, 30, static_cast<float>(f.RowY(2)));
             f->OnMouseUp(1, 0, 30, static_cast<float>(f.RowY(2)));
             f->OnClick();
             return Lines{};
         }},
    };
    for (const Gesture& g : gestures) {
        SCOPED_TRACE(g.name);
        InputFixture f;
        f.Fill(6);
        if (g.setup) g.setup(f);
        f->Refresh();
        f.Events();
        const Lines expected = g.run(f);
        EXPECT_EQ(f.Events(), expected);
    }
}

TEST(MouseInput, SortOnHeaderClicksNewColumnThenOrder) {
    InputFixture f;
    f.Fill(3);
    const int x = f.ColumnX(2);
    f.Click(x, 10);
    f.Events();
    f.platform.clock.Advance(600);  // not a double click
    f.Click(x, 10);
    const Lines events = f.Events();
    EXPECT_NE(std::find(events.begin(), events.end(), "SortOrderChanged Column=2 SortOrder=1"), events.end());
    EXPECT_EQ(f->SortedColumn(), 2);
    EXPECT_EQ(f->SortOrder(), 1);
}

TEST(MouseInput, SelectionByShiftAndCtrlClicks) {
    InputFixture f;
    f.Fill(10);
    f->SetMultiSelect(true);
    f->Refresh();
    const int x = f.ColumnX(1);
    f.Click(x, f.RowY(3));
    f.Click(x, f.RowY(6), 1, 1);  // Shift alone
    EXPECT_EQ(f.Selected(), "3 4 5 6");
    f.form->Key(Form::KeyAction::Down, vk::kControl);  // Ctrl held while the control has the focus
    f.Click(x, f.RowY(8));
    f.form->Key(Form::KeyAction::Up, vk::kControl);
    EXPECT_EQ(f.Selected(), "3 4 5 6 8");
    // A plain press on a selected row keeps the selection once, raising no press event.
    f.Events();
    f.Click(x, f.RowY(4));
    EXPECT_EQ(f.Selected(), "3 4 5 6 8");
    for (const std::string& line : f.Events()) EXPECT_EQ(line.find("ItemMouseDown"), std::string::npos) << line;
    f.Click(x, f.RowY(5));
    EXPECT_EQ(f.Selected(), "5");
    EXPECT_EQ(f->SelectedIndex(), 5);
    EXPECT_EQ(f->SelectedCount(), 1);
}

TEST(MouseInput, HeaderHoverPressAndPointerShapeFromRealInput) {
    InputFixture f;
    f.Fill(3);
    f->Refresh();
    f.Move(f.ColumnX(2), 10);
    EXPECT_EQ(ControlTestAccess::Input(*f.list).hotColumn, 2);
    f.form->Pointer(Form::PointerAction::Down, f.ColumnX(2), 10, 1);
    EXPECT_EQ(ControlTestAccess::Input(*f.list).pressedColumn, 2);
    f.form->Pointer(Form::PointerAction::Up, f.ColumnX(2), 10, 1);
    EXPECT_EQ(ControlTestAccess::Input(*f.list).pressedColumn, -1);
    // Over a divider the pointer becomes the sizing shape; off it, the arrow again.
    const int divider = f->ColumnRecord(1).cHCollXSplit;
    f.Move(divider + 2, 10);
    EXPECT_EQ(f.form->Cursor(), CursorShape::SizeWE);
    f.Move(divider + 10, 10);
    EXPECT_EQ(f.form->Cursor(), CursorShape::Arrow);
    f.Move(divider, 100);  // below the header: the hover look goes at once
    EXPECT_EQ(ControlTestAccess::Input(*f.list).hotColumn, -1);
}

TEST(MouseInput, LeaveTimerClearsTheHoverLookOncePointerIsOutside) {
    test::InputFixture f(400, 300);
    f.form->SetSize(600, 300);
    f.Fill(3);
    f->Refresh();
    f.Move(f.ColumnX(1), 10);
    EXPECT_EQ(ControlTestAccess::Input(*f.list).hotColumn, 1);
    f.Move(500, 10);  // sideways off the control, onto the form
    EXPECT_EQ(ControlTestAccess::Input(*f.list).hotColumn, 1);
    f.platform.clock.Advance(10);
    EXPECT_EQ(ControlTestAccess::Input(*f.list).hotColumn, -1);
}

TEST(MouseInput, FocusFollowsPressesAndAStatusFollowsKeyMessages) {
    InputFixture f;
    f.Fill(3);
    EXPECT_FALSE(ControlTestAccess::View(*f).hasFocus);
    f.Click(f.ColumnX(1), f.RowY(1));
    EXPECT_TRUE(ControlTestAccess::View(*f).hasFocus);
    // A press on the scroll bar leaves the focus with the list.
    for (int i = 0; i < 40; ++i) f->AddItem("more", -1, 0, Variant());
    const RECT bar = f.platform.windows.WindowRect(f->VScrollBar().hwnd());
    f.Click(bar.Left + 5, bar.Top + 40);
    EXPECT_TRUE(ControlTestAccess::View(*f).hasFocus);
    EXPECT_EQ(f.platform.windows.GetFocus(), f->hwnd());

    f.form->Key(Form::KeyAction::Down, vk::kControl);
    EXPECT_TRUE(f->CtrlKeyStatus());
    EXPECT_FALSE(f->AltKeyStatus());
    f.form->Key(Form::KeyAction::Down, vk::kMenu);
    EXPECT_TRUE(f->AltKeyStatus());
    f.form->Key(Form::KeyAction::Up, vk::kMenu);
    EXPECT_FALSE(f->AltKeyStatus());  // the key up no longer carries the context bit
    f.form->Key(Form::KeyAction::Up, vk::kControl);
    EXPECT_FALSE(f->CtrlKeyStatus());
}

}  // namespace
}  // namespace glv
