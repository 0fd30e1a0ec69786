// Keys through the form to the focused control: arrows, page keys, Delete with prompting and the
// selection a keyboard deletion leaves, as exact event sequences.
#include <gtest/gtest.h>

#include "input/Keyboard.h"
#include "tests/support/input_fixture.h"

namespace glv {
namespace {

using test::InputFixture;
using Lines = std::vector<std::string>;

// A list of count items with row `selected` clicked (which also gives the control the focus).
void Prepare(InputFixture& f, int32_t count, int32_t selected) {
    f.Fill(count);
    f->Refresh();
    f.Click(f.ColumnX(1), f.RowY(selected));
    f.Events();
}

TEST(KeyInput, ArrowsReportTheMoveOnKeyUp) {
    InputFixture f;
    Prepare(f, 8, 4);
    f.Key(vk::kUp);
    EXPECT_EQ(f.Events(), (Lines{"SelectedRowChanged RowIndex=3", "ItemClick ItemIndex=3", "ItemClickAlt ItemIndex=3"}));
    EXPECT_EQ(f.Selected(), "3");
    f.form->Key(Form::KeyAction::Up, vk::kUp);  // a second key up with no move
    EXPECT_EQ(f.Events(), (Lines{"KeyUp KeyCode=38 Shift=0"}));
    f.Key(vk::kDown);
    f.Key(vk::kDown);
    EXPECT_EQ(f.Selected(), "5");
    f.Events();
    f.Key(vk::kEnd);  // passed on, nothing else
    EXPECT_EQ(f.Events(), (Lines{"KeyDown KeyCode=35 Shift=0", "KeyUp KeyCode=35 Shift=0"}));
    f.form->Key(Form::KeyAction::Press, 'a');
    EXPECT_EQ(f.Events(), (Lines{"KeyPress KeyAscii=97"}));
    EXPECT_EQ(f.Selected(), "5");
}

TEST(KeyInput, EdgesOfTheArrowKeys) {
    {
        InputFixture f;
        Prepare(f, 5, 5);
        f.Key(vk::kDown);  // the last item: nothing changes, not even KeyDown
        EXPECT_EQ(f.Events(), (Lines{"KeyUp KeyCode=40 Shift=0"}));
        EXPECT_EQ(f.Selected(), "5");
    }
    {
        InputFixture f;
        Prepare(f, 5, 2);
        f->SetAllowKeyNavigation(false);
        f.Key(vk::kDown);
        EXPECT_EQ(f.Events(), (Lines{"KeyDown KeyCode=40 Shift=0", "KeyUp KeyCode=40 Shift=0"}));
        EXPECT_EQ(f.Selected(), "2");
    }
    {
        InputFixture f;
        Prepare(f, 8, 2);
        f->SetSelectState(5, true);
        f.Key(vk::kDown);  // from the largest selected row
        EXPECT_EQ(f.Selected(), "6");
    }
    {
        InputFixture f;
        Prepare(f, 8, 3);
        f->GroupForWrite(4).GroupHeader = true;
        f->SetItemVisible(5, false);  // deselects every row
        f.platform.clock.Advance(600);  // not a double click
        f.Click(f.ColumnX(1), f.RowY(3));
        f.Key(vk::kDown);  // past the group header and the hidden row
        EXPECT_EQ(f.Selected(), "6");
    }
}

TEST(KeyInput, PageKeysMoveTopIndexByAPage) {
    InputFixture f;
    Prepare(f, 100, 1);
    const int32_t perPage = f->ItemCountPerPage();
    f.Key(vk::kPageDown);
    EXPECT_EQ(f->TopIndex(), perPage);
    f.Key(vk::kPageDown);
    EXPECT_EQ(f->TopIndex(), 2 * perPage - 1);
    // Page Down keeps the last row of the old page on the new one (n - 1 rows); Page Up passes
    // every row that fits above, a whole page.
    f.Key(vk::kPageUp);
    EXPECT_EQ(f->TopIndex(), perPage - 1);
    f.Key(vk::kHome);
    EXPECT_EQ(f->TopIndex(), 1);
    EXPECT_EQ(f.Selected(), "1");  // the selection stays
    EXPECT_EQ(f.Events(), (Lines{"KeyUp KeyCode=34 Shift=0", "KeyUp KeyCode=34 Shift=0",
                                 "KeyUp KeyCode=33 Shift=0", "KeyUp KeyCode=36 Shift=0"}));
}

TEST(KeyInput, DeleteAsksTheHost) {
    struct Case {
        const char* name;
        std::vector<std::map<std::string, Variant>> answers;
        Lines events;
        const char* texts;
    };
    const Case cases[] = {
        {"no answers: one prompt deletes all", {},
         {"BeforeItemDelete LVPrompt=1 ItemIndex=2", "ItemDeleted ItemIndex=2", "ItemDeleted ItemIndex=3",
          "ItemDeleted ItemIndex=4", "KeyUp KeyCode=46 Shift=0"},
         "item1 item3 item5"},
        {"LVYes keeps the first and asks again", {{{"LVPrompt", Variant(int32_t{LVYes})}}, {}},
         {"BeforeItemDelete LVPrompt=1 ItemIndex=2", "BeforeItemDelete LVPrompt=1 ItemIndex=4",
          "ItemDeleted ItemIndex=4", "ItemDeleted ItemIndex=5", "KeyUp KeyCode=46 Shift=0"},
         "item1 item2 item3 item5"},
        {"LVNoToAll on the second of three stops there",
         {{{"LVPrompt", Variant(int32_t{LVNo})}}, {{"LVPrompt", Variant(int32_t{LVNoToAll})}}},
         {"BeforeItemDelete LVPrompt=1 ItemIndex=2", "BeforeItemDelete LVPrompt=1 ItemIndex=4",
          "KeyUp KeyCode=46 Shift=0"},
         "item1 item2 item3 item4 item5 item6"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InputFixture f;
        Prepare(f, 6, 2);
        for (int32_t row : {4, 6}) f->SetSelectState(row, true);
        if (!c.answers.empty()) f.recorder.SetAnswerSequence("BeforeItemDelete", c.answers);
        f.Key(vk::kDelete);
        EXPECT_EQ(f.Events(), c.events);
        std::string texts;
        for (int32_t i = 1; i <= f->ItemCount(); ++i) texts += (i > 1 ? " " : "") + f->ItemRecord(i).cLIText;
        EXPECT_EQ(texts, c.texts);
    }
}

TEST(KeyInput, SelectionAfterDeleteFollowsMaintainSelectionMode) {
    // Ten rows, row 4 selected and deleted; nine rows are left.
    struct Case {
        int32_t mode;
        const char* selected;
    };
    const Case cases[] = {{mSelNone, "-"}, {mSelNextUp, "3"}, {mSelNextDown, "4"}, {mSelFirst, "1"},
                          {mSelLast, "9"}, {mSelFirstVisible, "1"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        InputFixture f;
        Prepare(f, 10, 4);
        f->SetMaintainSelection(true);
        f->SetMaintainSelectionMode(c.mode);
        f.Key(vk::kDelete);
        EXPECT_EQ(f->ItemCount(), 9);
        EXPECT_EQ(f.Selected(), c.selected);
    }
    // The last row on the page, in a list longer than the page.
    InputFixture f;
    Prepare(f, 40, 4);
    f->SetMaintainSelection(true);
    f->SetMaintainSelectionMode(mSelLastVisible);
    f.Key(vk::kDelete);
    EXPECT_EQ(f.Selected(), std::to_string(f->FindLastVisibleListItem()));
}

}  // namespace
}  // namespace glv
