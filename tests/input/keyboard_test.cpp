// The keyboard's rules over explicit state: the key table, the arrows past group header and
// hidden rows, the page keys, and the delete prompt's answers.
#include <gtest/gtest.h>

#include "input/Keyboard.h"
#include "tests/input/store_rows.h"

namespace glv {
namespace {

TEST(Keyboard, KeyTable) {
    struct Case {
        int16_t key;
        bool navigation, allowDelete;
        KeyAction action;
    };
    const Case cases[] = {
        {vk::kDown, false, true, KeyAction::PassOn},  // navigation off passes every key on
        {vk::kControl, false, true, KeyAction::PassOn},
        {vk::kControl, true, true, KeyAction::Ctrl},
        {vk::kPageUp, true, true, KeyAction::PageUp},
        {vk::kPageDown, true, true, KeyAction::PageDown},
        {vk::kEnd, true, true, KeyAction::PassOn},    // End is passed on
        {vk::kHome, true, true, KeyAction::Home},
        {vk::kLeft, true, true, KeyAction::Left},
        {vk::kRight, true, true, KeyAction::Right},
        {vk::kUp, true, true, KeyAction::Up},
        {vk::kDown, true, true, KeyAction::Down},
        {vk::kDelete, true, true, KeyAction::Delete},
        {vk::kDelete, true, false, KeyAction::PassOn},
        {65, true, true, KeyAction::PassOn},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KeyDownAction(c.key, c.navigation, c.allowDelete), c.action) << c.key;
}

// One arrow key: rows (see store_rows.h), the view, the key; then the selected rows, the
// keyboard row, TopIndex and whether the tail runs.
struct Arrow {
    const char* name;
    const char* rows;
    int32_t currentItem;
    ArrowView view;
    bool up;
    const char* selected;
    int32_t keyboardRow;
    int32_t topIndex;
    bool tail;
};

TEST(Keyboard, ArrowsMoveOneSelection) {
    const Arrow cases[] = {
        {"Up from 4 to 3", "...S..", 0, {1, 1, 6}, true, "3", 3, 1, true},
        {"Down with 2 and 5 selected leaves 6", ".S..S...", 0, {1, 1, 8}, false, "6", 6, 1, true},
        {"Down on the last item changes nothing", "....S", 0, {1, 1, 5}, false, "5", 0, 1, false},
        {"Down past a group header and a hidden row", ".S.gh.", 0, {1, 1, 6}, false, "3", 3, 1, true},
        {"Down over them", ".Sgh..", 0, {1, 1, 6}, false, "5", 5, 1, true},
        {"Down with nothing usable below stays", ".Sghu", 0, {1, 1, 5}, false, "2", 2, 1, true},
        {"Down below the page scrolls one shown row", "..S.h..", 0, {1, 1, 3}, false, "4", 4, 2, true},
        {"Down with nothing selected does nothing", "....", 2, {1, 1, 4}, false, "-", 0, 1, false},
        {"Up under a group header at the page top shows the header", "g.gS..", 0, {4, 1, 6}, true,
         "4", 0, 3, false},
        {"Up over a group header and a hidden row", "..ghS.", 0, {1, 1, 6}, true, "2", 2, 1, true},
        {"Up onto a row above the page moves TopIndex", "...S..", 0, {4, 1, 6}, true, "3", 3, 3, true},
        {"Up at the first shown row stays", "hS...", 0, {2, 2, 5}, true, "2", 2, 2, true},
        {"Up below an unusable first row goes to the top", "gS..", 0, {1, 1, 4}, true, "2", 2, 1, true},
        {"Up with nothing selected does nothing", "....", 3, {1, 1, 4}, true, "-", 0, 1, false},
        {"Up on an empty list runs the tail only", "", 0, {1, 0, 0}, true, "-", 0, 1, true},
    };
    for (const Arrow& c : cases) {
        SCOPED_TRACE(c.name);
        ItemStore items;
        test::FillRows(items, c.rows);
        SelectionState state;
        Selection selection(items, state);
        KeyboardState keyboard;
        const ArrowResult out = c.up ? MoveSelectionUp(items, selection, keyboard, c.currentItem, c.view)
                                     : MoveSelectionDown(items, selection, keyboard, c.currentItem, c.view);
        EXPECT_EQ(test::SelectedRows(items), c.selected);
        EXPECT_EQ(keyboard.row, c.keyboardRow);
        EXPECT_EQ(out.topIndex, c.topIndex);
        EXPECT_EQ(out.tail, c.tail);
    }
}

TEST(Keyboard, PageKeysAndHorizontalSteps) {
    ItemStore items;
    test::FillRows(items, "..........");  // 16-pixel rows
    EXPECT_EQ(PageUpTop(items, 10, 50, false, 1), 7);   // 16 + 16 + 16 fit in 50
    EXPECT_EQ(PageUpTop(items, 10, 50, true, 1), 8);    // 17 + 17 fit, a third does not
    EXPECT_EQ(PageUpTop(items, 10, 48, false, 1), 7);   // exactly full still fits
    EXPECT_EQ(PageUpTop(items, 3, 500, false, 2), 2);   // at the top: the first shown row
    EXPECT_EQ(PageUpTop(items, 10, 10, false, 1), 10);  // not even one row fits
    items.SetVisible(9, false);
    EXPECT_EQ(PageUpTop(items, 10, 50, false, 1), 6);   // a hidden row takes no space

    EXPECT_EQ(PageDownTop(1, 10, 100), 10);
    EXPECT_EQ(PageDownTop(90, 10, 100), 99);
    EXPECT_EQ(PageDownTop(91, 10, 100), 100);
    EXPECT_EQ(PageDownTop(1, 10, 5), 5);
    EXPECT_EQ(PageDownTop(0, 0, 0), 0);  // an empty list: not -1
    EXPECT_EQ(PageDownTop(4, 0, 9), 4);  // no whole row fits: no step back

    EXPECT_EQ(HorizontalStep(5, 100, false), 1);
    EXPECT_EQ(HorizontalStep(50, 100, false), 40);
    EXPECT_EQ(HorizontalStep(95, 100, true), 100);
    EXPECT_EQ(HorizontalStep(50, 100, true), 60);
    // At the ends of the int range (found by the random tester).
    EXPECT_EQ(HorizontalStep(INT32_MAX, INT32_MAX, true), INT32_MAX);
    EXPECT_EQ(HorizontalStep(INT32_MAX - 3, INT32_MAX, true), INT32_MAX);
    EXPECT_EQ(HorizontalStep(INT32_MIN, 100, false), 1);
}

TEST(Keyboard, PromptAnswers) {
    struct Case {
        int32_t answer;
        PromptStep step;
        bool yesToAll;
    };
    const Case cases[] = {{LVYes, PromptStep::Keep, false},
                          {LVYesToAll, PromptStep::Remove, true},
                          {LVNo, PromptStep::Keep, false},
                          {LVNoToAll, PromptStep::Stop, false},
                          {7, PromptStep::Keep, false}};
    for (const Case& c : cases) {
        bool yesToAll = false;
        EXPECT_EQ(StepForAnswer(c.answer, yesToAll), c.step) << c.answer;
        EXPECT_EQ(yesToAll, c.yesToAll) << c.answer;
    }
}

}  // namespace
}  // namespace glv
