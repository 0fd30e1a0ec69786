// In-place editing driven by raw input through the form: the second click that opens the box,
// keys typed into it, the host's vetoes and rewrites, and every way an edit ends, asserted as
// exact event sequences, item texts and the box's state.
#include <gtest/gtest.h>

#include "control/Collections.h"
#include "platform/EditBox.h"
#include "input/Keyboard.h"
#include "tests/support/control_access.h"
#include "tests/support/golden.h"
#include "tests/support/input_fixture.h"

namespace glv {
namespace {

using test::InputFixture;
using Lines = std::vector<std::string>;
using PA = Form::PointerAction;

struct Editing : InputFixture {
    explicit Editing(int32_t count = 12) {
        Fill(count);
        list->Refresh();
    }
    EditBox& Box() { return list->ItemEditBox(); }
    bool BoxShown() const { return platform.windows.IsVisible(list->ItemEditBox().hwnd()); }
    HWND Focus() const { return platform.windows.GetFocus(); }
    // Click once to select, and again later (not a double click) to edit; the events of the
    // first click and of the moves are dropped.
    void SecondClick(int32_t row) {
        Click(ColumnX(1), RowY(row));
        platform.clock.Advance(600);
        PressRelease(ColumnX(1), RowY(row));
    }
    void Type(std::string_view ascii) {
        for (char c : ascii) form->Key(Form::KeyAction::Press, c);
    }
    // A key as the keyboard gives it: down, the character, up.
    void Stroke(int32_t key, int32_t ch) {
        form->Key(Form::KeyAction::Down, key);
        form->Key(Form::KeyAction::Press, ch);
        form->Key(Form::KeyAction::Up, key);
    }
    std::string Text(int32_t row) const { return list->ItemRecord(row).cLIText; }
};

std::string Up(int x, int y, int row) {
    return " Button=1 Shift=0 X=" + std::to_string(x) + " Y=" + std::to_string(y) + " ItemIndex=" + std::to_string(row);
}

TEST(InPlaceEdit, TheSecondClickOpensTheBoxOverTheRowsText) {
    Editing f;
    const int x = f.ColumnX(1), y = f.RowY(3);
    f.SecondClick(3);
    EXPECT_EQ(f.Events(), (Lines{"ItemMouseDown" + Up(x, y, 3), "ItemMouseDownAlt" + Up(x, y, 3),
                                 "BeforeItemEdit Cancel=False ItemIndex=3", "ItemMouseUp" + Up(x, y, 3),
                                 "ItemMouseUpAlt" + Up(x, y, 3), "ItemClick ItemIndex=3", "ItemClickAlt ItemIndex=3"}));
    EXPECT_EQ(f->ItemInEdit(), 3);
    EXPECT_TRUE(f->ItemRecord(3).cLIInEdit);
    EXPECT_TRUE(f.BoxShown());
    EXPECT_EQ(f.Focus(), f.Box().hwnd());
    EXPECT_FALSE(f->HasFocus());
    EXPECT_EQ(f.Box().Text(), "item3");
    EXPECT_EQ(f.Box().SelStart(), 0);
    EXPECT_EQ(f.Box().SelLength(), 5);
    // As high as "Wg", centred on the row, from the text to column 1's right edge.
    const tListItemInfo& item = f->ItemRecord(3);
    const int32_t h = f->TextHeight(StdFont(item.cLIFontName.str(), item.cLIFontSize));
    const WindowPlacement at = f.platform.windows.Placement(f.Box().hwnd());
    EXPECT_EQ(at.height, h);
    EXPECT_EQ(at.x, item.cLIItemX);
    EXPECT_EQ(at.x + at.width, f->ColumnRecord(1).cHCollX + f->ColumnRecord(1).cHWidth);
    EXPECT_LE(std::abs(2 * at.y + h - (2 * item.cLIItemY + item.cLIItemHeight)), 1);
}

TEST(InPlaceEdit, KeysCommitAndCancel) {
    struct Case {
        const char* name;
        std::function<void(Editing&)> setup;  // answers, before the edit opens
        std::function<void(Editing&)> keys;
        Lines events;
        const char* text;   // item 2's text afterwards
        bool open;          // the box still open
    };
    const Case cases[] = {
        {"typing replaces the selection, Enter stores it", nullptr,
         [](Editing& f) {
             f.Type("ab");
             f.Stroke(13, 13);
         },
         {"ItemKeyPress KeyAscii=97 ItemIndex=2", "ItemKeyPress KeyAscii=98 ItemIndex=2",
          "ItemKeyDown KeyCode=13 Shift=0 ItemIndex=2", "AfterItemEdit Cancel=False ItemIndex=2 NewString=\"ab\"",
          "KeyUp KeyCode=13 Shift=0"},
         "ab", false},
        {"line feed (Ctrl+Enter) commits too", nullptr, [](Editing& f) { f.Type("x\n"); },
         {"ItemKeyPress KeyAscii=120 ItemIndex=2", "AfterItemEdit Cancel=False ItemIndex=2 NewString=\"x\""}, "x",
         false},
        {"Escape closes without storing", nullptr,
         [](Editing& f) {
             f.Type("zz");
             f.Stroke(27, 27);
         },
         {"ItemKeyPress KeyAscii=122 ItemIndex=2", "ItemKeyPress KeyAscii=122 ItemIndex=2",
          "ItemKeyDown KeyCode=27 Shift=0 ItemIndex=2", "CancelItemEdit ItemIndex=2", "KeyUp KeyCode=27 Shift=0"},
         "item2", false},
        {"the host rewrites NewString", [](Editing& f) { f.recorder.SetAnswer("AfterItemEdit", {{"NewString", Variant("host")}}); },
         [](Editing& f) { f.Type("typed\r"); },
         {"ItemKeyPress KeyAscii=116 ItemIndex=2", "ItemKeyPress KeyAscii=121 ItemIndex=2",
          "ItemKeyPress KeyAscii=112 ItemIndex=2", "ItemKeyPress KeyAscii=101 ItemIndex=2",
          "ItemKeyPress KeyAscii=100 ItemIndex=2", "AfterItemEdit Cancel=False ItemIndex=2 NewString=\"typed\""},
         "host", false},
        {"the host vetoes: the box stays open, CancelItemEdit follows",
         [](Editing& f) { f.recorder.SetAnswer("AfterItemEdit", {{"Cancel", Variant(true)}}); },
         [](Editing& f) { f.Type("no\r"); },
         {"ItemKeyPress KeyAscii=110 ItemIndex=2", "ItemKeyPress KeyAscii=111 ItemIndex=2",
          "AfterItemEdit Cancel=False ItemIndex=2 NewString=\"no\"", "CancelItemEdit ItemIndex=2"},
         "item2", true},
        {"the host changes or drops a typed character",
         [](Editing& f) {
             f.recorder.SetAnswerSequence("ItemKeyPress", {{{"KeyAscii", Variant(int16_t{66})}}, {{"KeyAscii", Variant(int16_t{0})}}, {}});
         },
         [](Editing& f) { f.Type("abc\r"); },
         {"ItemKeyPress KeyAscii=97 ItemIndex=2", "ItemKeyPress KeyAscii=98 ItemIndex=2",
          "ItemKeyPress KeyAscii=99 ItemIndex=2", "AfterItemEdit Cancel=False ItemIndex=2 NewString=\"Bc\""},
         "Bc", false},
        {"editing keys reach the box after ItemKeyDown",
         nullptr,
         [](Editing& f) {
             f.Key(vk::kEnd);
             f.Stroke(8, 8);
             f.Type("!\r");
         },
         {"ItemKeyDown KeyCode=35 Shift=0 ItemIndex=2", "ItemKeyUp KeyCode=35 Shift=0 ItemIndex=2",
          "ItemKeyDown KeyCode=8 Shift=0 ItemIndex=2", "ItemKeyPress KeyAscii=8 ItemIndex=2",
          "ItemKeyUp KeyCode=8 Shift=0 ItemIndex=2", "ItemKeyPress KeyAscii=33 ItemIndex=2",
          "AfterItemEdit Cancel=False ItemIndex=2 NewString=\"item!\""},
         "item!", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Editing f;
        if (c.setup) c.setup(f);
        f.SecondClick(2);
        f.Events();
        c.keys(f);
        EXPECT_EQ(f.Events(), c.events);
        EXPECT_EQ(f.Text(2), c.text);
        EXPECT_EQ(f.BoxShown(), c.open);
        EXPECT_EQ(f->ItemInEdit(), c.open ? 2 : -1);
        EXPECT_EQ(f.Focus(), c.open ? f.Box().hwnd() : f->hwnd());
        if (c.open) {  // a vetoed commit selects the whole text again
            EXPECT_EQ(f.Box().SelStart(), 0);
            EXPECT_EQ(f.Box().SelLength(), f.Box().Length());
        } else {
            EXPECT_FALSE(f->ItemRecord(2).cLIInEdit);
        }
    }
}

TEST(InPlaceEdit, WhereEditingNeverBegins) {
    struct Case {
        const char* name;
        std::function<void(Editing&)> setup;
        Lines events;  // of the second click
    };
    const int x = 31;
    const auto mouse = [x](Editing& f, int row) {
        const int y = f.RowY(row);
        return Lines{"ItemMouseDown" + Up(x, y, row), "ItemMouseDownAlt" + Up(x, y, row), "ItemMouseUp" + Up(x, y, row),
                     "ItemMouseUpAlt" + Up(x, y, row), "ItemClick ItemIndex=" + std::to_string(row),
                     "ItemClickAlt ItemIndex=" + std::to_string(row)};
    };
    {
        SCOPED_TRACE("AllowEdit False: only the mouse events");
        Editing f;
        f->SetAllowEdit(false);
        f.SecondClick(2);
        EXPECT_EQ(f.Events(), mouse(f, 2));
        EXPECT_EQ(f->ItemInEdit(), -1);
        cListItem(f.platform.windows, f->hwnd(), 5).Edit();
        EXPECT_EQ(f->ItemInEdit(), -1);
        EXPECT_EQ(f.Events(), Lines{});
    }
    {
        SCOPED_TRACE("BeforeItemEdit vetoes");
        Editing f;
        f.recorder.SetAnswer("BeforeItemEdit", {{"Cancel", Variant(true)}});
        f.SecondClick(2);
        Lines expected = mouse(f, 2);
        expected.insert(expected.begin() + 2, "BeforeItemEdit Cancel=False ItemIndex=2");
        EXPECT_EQ(f.Events(), expected);
        EXPECT_EQ(f->ItemInEdit(), -1);
        EXPECT_FALSE(f.BoxShown());
        EXPECT_EQ(f.Focus(), f->hwnd());
    }
    {
        SCOPED_TRACE("a group header row");
        Editing f;
        f->GroupForWrite(2).GroupHeader = true;
        f->ItemForWrite(2).cLISelected = true;
        f.SecondClick(2);
        f.Click(f.ColumnX(1), f.RowY(2));
        EXPECT_EQ(f->ItemInEdit(), -1);
    }
    {
        SCOPED_TRACE("the first click on a row that was not selected");
        Editing f;
        f.Click(f.ColumnX(1), f.RowY(2));
        EXPECT_EQ(f->ItemInEdit(), -1);
    }
}

TEST(InPlaceEdit, OtherWaysAnEditEnds) {
    {
        SCOPED_TRACE("a press on another row commits first");
        Editing f;
        f.SecondClick(2);
        f.Type("new");
        f.Events();
        const int y = f.RowY(5);
        f.PressRelease(f.ColumnX(1), y);
        EXPECT_EQ(f.Events(), (Lines{"AfterItemEdit Cancel=False ItemIndex=2 NewString=\"new\"",
                                     "SelectedIndexChanged ItemIndex=5", "SelectedIndexChangedAlt ItemIndex=5",
                                     "ItemMouseDown" + Up(31, y, 5), "ItemMouseDownAlt" + Up(31, y, 5),
                                     "ItemMouseUp" + Up(31, y, 5), "ItemMouseUpAlt" + Up(31, y, 5),
                                     "ItemClick ItemIndex=5", "ItemClickAlt ItemIndex=5"}));
        EXPECT_EQ(f.Text(2), "new");
        EXPECT_EQ(f->ItemInEdit(), -1);
        EXPECT_EQ(f.Focus(), f->hwnd());
    }
    {
        SCOPED_TRACE("the focus going elsewhere commits and repaints");
        Editing f;
        const HWND other = f.platform.windows.CreateWindow(f.form->hwnd(), "Other", {0, 0, 1, 1});
        f.SecondClick(2);
        f.Type("gone");
        f.Events();
        const int32_t repaints = static_cast<int32_t>(f->surface().PaintSerial());
        f.platform.windows.SetFocus(other);
        EXPECT_EQ(f.Events(), (Lines{"AfterItemEdit Cancel=False ItemIndex=2 NewString=\"gone\""}));
        EXPECT_GT(static_cast<int32_t>(f->surface().PaintSerial()), repaints);
        EXPECT_EQ(f.Text(2), "gone");
        EXPECT_FALSE(f.BoxShown());
    }
    {
        SCOPED_TRACE("a vetoed commit on focus loss still closes the box");
        Editing f;
        f.recorder.SetAnswer("AfterItemEdit", {{"Cancel", Variant(true)}});
        f.SecondClick(2);
        f.Type("q");
        f.Events();
        f.platform.windows.SetFocus(0);
        EXPECT_EQ(f.Events(), (Lines{"AfterItemEdit Cancel=False ItemIndex=2 NewString=\"q\"", "CancelItemEdit ItemIndex=2"}));
        EXPECT_FALSE(f.BoxShown());
        EXPECT_EQ(f.Text(2), "item2");
    }
    {
        SCOPED_TRACE("CancelEdit");
        Editing f;
        f.SecondClick(2);
        f.Type("q");
        f.Events();
        f->CancelEdit();
        EXPECT_EQ(f.Events(), (Lines{"CancelItemEdit ItemIndex=2"}));
        EXPECT_EQ(f.Text(2), "item2");
        EXPECT_EQ(f->ItemInEdit(), -1);
        EXPECT_FALSE(f.BoxShown());
        EXPECT_EQ(f.Focus(), f->hwnd());
        f->CancelEdit();  // nothing open: nothing happens
        EXPECT_EQ(f.Events(), Lines{});
    }
    {
        SCOPED_TRACE("CancelEdit while the box has no focus");
        Editing f;
        f.SecondClick(2);
        const HWND box = f.Box().hwnd();
        f.platform.windows.SetFocusable(box, false);  // the box cannot take the focus back
        f.platform.windows.SendMessage(box, wm::kKillFocus, 0, 0);  // as if it had lost it
        f.Events();
        f->CancelEdit();
        EXPECT_EQ(f.Events(), Lines{});  // the loss already committed the unchanged text
    }
    {
        SCOPED_TRACE("clearing the items closes the box without an event");
        Editing f;
        f.SecondClick(2);
        f.Events();
        f->ClearItems();
        EXPECT_EQ(f.Events(), Lines{});
        EXPECT_FALSE(f.BoxShown());
        EXPECT_EQ(f->ItemInEdit(), -1);
    }
}

TEST(InPlaceEdit, ListItemEditScrollsSelectsAndOpens) {
    Editing f(40);
    f->SetSelectState(1, true);
    f->SetSelectState(3, true);
    f.Events();
    ASSERT_LT(f->LastItemOnPage(), 30);  // item 30 is below the page
    cListItem(f.platform.windows, f->hwnd(), 30).Edit();
    EXPECT_EQ(f.Events(), (Lines{"BeforeItemEdit Cancel=False ItemIndex=30"}));
    EXPECT_EQ(f.Selected(), "30");
    EXPECT_EQ(ControlTestAccess::View(*f).currentItem, 30);
    EXPECT_EQ(f->ItemInEdit(), 30);
    EXPECT_EQ(f->LastItemOnPage(), 30);
    const WindowPlacement at = f.platform.windows.Placement(f.Box().hwnd());
    const tListItemInfo& item = f->ItemRecord(30);
    EXPECT_GE(at.y, item.cLIItemY);  // placed over the row where the scroll put it
    EXPECT_LE(at.y + at.height, item.cLIItemY + item.cLIItemHeight);
    f.Type("thirty\r");
    EXPECT_EQ(f.Text(30), "thirty");

    // A hidden item and an item that no longer exists: nothing at all.
    Editing g;
    g->SetItemVisible(4, false);
    auto stale = std::make_shared<cListItem>(g.platform.windows, g->hwnd(), 12);
    g->RemoveItem(12);
    g->SetSelectState(2, true);
    g.Events();
    cListItem(g.platform.windows, g->hwnd(), 4).Edit();
    stale->Edit();
    cListItem(g.platform.windows, g->hwnd(), 0).Edit();
    EXPECT_EQ(g.Events(), Lines{});
    EXPECT_EQ(g->ItemInEdit(), -1);
    EXPECT_EQ(g.Selected(), "2");
}

TEST(InPlaceEdit, ABigFontGetsATallBoxCentredOnItsRow) {
    Editing f;
    tListItemInfo& item = f->ItemForWrite(2);
    item.cLIFontSize = 20;
    f->ItemFontChanged(2, true);
    f.SecondClick(2);
    const tListItemInfo& painted = f->ItemRecord(2);
    const int32_t h = f->TextHeight(StdFont(painted.cLIFontName.str(), 20));
    const WindowPlacement at = f.platform.windows.Placement(f.Box().hwnd());
    EXPECT_EQ(at.height, h);
    EXPECT_GT(h, 25);
    EXPECT_LE(std::abs(2 * at.y + h - (2 * painted.cLIItemY + painted.cLIItemHeight)), 1);
    EXPECT_EQ(f.Box().Font().Size, 20);
}

TEST(InPlaceEdit, HoverSelectionRestsWhileTheBoxIsOpen) {
    Editing f;
    f->SetHoverSelection(true);
    f.SecondClick(2);
    f.Move(f.ColumnX(1), f.RowY(6));
    EXPECT_EQ(f.Selected(), "2");
    EXPECT_EQ(f->ItemInEdit(), 2);
}

TEST(InPlaceEdit, ThePictureOfAnOpenBox) {
    Editing f;
    f->SetItemEditBackColor(0xFFFFFF);
    f->SetItemEditForeColor(0);
    f.SecondClick(2);
    f.Key(vk::kHome);
    f.form->Key(Form::KeyAction::Down, vk::kShift);
    f.Key(vk::kRight);
    f.Key(vk::kRight);
    f.form->Key(Form::KeyAction::Up, vk::kShift);
    EXPECT_EQ(f.Box().SelText(), "it");
    test::ExpectMatchesGolden(f.form->Compose(), "in_place_edit");
}

}  // namespace
}  // namespace glv

namespace glv {
namespace {

TEST(InPlaceEdit, TheBoxTakesTheEditColoursAsTheyAreSet) {
    Editing f;
    f.SecondClick(2);
    const Surface& picture = f.Box().Picture();
    const int32_t x = picture.Width() - 2;  // beyond the text
    EXPECT_EQ(picture.GetPixel(x, 1), f.platform.system.colors[syscolor::kHighlight]);  // the default, resolved
    f->SetItemEditBackColor(0x0000FF);  // red, as an OLE_COLOR
    EXPECT_EQ(picture.GetPixel(x, 1), RGB(255, 0, 0));
}

}  // namespace
}  // namespace glv
