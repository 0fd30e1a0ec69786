// The built-in context menu from a real right press: availability from the selection, each
// entry's action, choosing by pointer and keys, and its pictures.
//
// Test ideas not yet written: Delete with MaintainSelection and each MaintainSelectionMode from
// the menu (the same path as the Delete key, tested there).
#include <gtest/gtest.h>

#include "input/ContextMenuEntries.h"
#include "platform/PopupMenu.h"
#include "tests/support/control_fixture.h"
#include "tests/support/golden.h"

namespace glv {
namespace {

struct MenuFixture : test::ControlFixture {
    MenuFixture() : ControlFixture(240, 320) {
        list->AddColumn("Name", -1, 100);
        AddItems(5);
        Events();
    }
    int32_t RowY(int32_t row) const {
        const tListItemInfo& item = list->ItemRecord(row);
        return item.cLIItemY + item.cLIItemHeight / 2;
    }
    PopupMenu* RightClick(int32_t row) {
        Move(30, RowY(row));
        events.TakeLines();
        Click(30, RowY(row), 2);
        return list->OpenContextMenu();
    }
    std::string Texts() const {
        std::string out;
        for (int32_t i = 1; i <= list->ItemCount(); ++i) out += (i > 1 ? " " : "") + list->ItemRecord(i).cLIText;
        return out;
    }
    // Available entries as "3 7 8 10 11".
    static std::string Available(const PopupMenu& menu) {
        std::string out;
        for (std::size_t i = 0; i < menu.Entries().size(); ++i)
            if (menu.Entries()[i].enabled && !menu.Entries()[i].IsSeparator())
                out += (out.empty() ? "" : " ") + std::to_string(i);
        return out;
    }
};

TEST(ContextMenu, EntriesAndAvailability) {
    const std::vector<MenuEntry> none = ContextMenuEntries(0);
    ASSERT_EQ(none.size(), 12u);
    const char* captions[] = {"Undo", "-", "Cut", "Copy", "Paste", "Delete", "-", "Disable All",
                              "Enable All", "-", "DeSelect All", "Select All"};
    for (std::size_t i = 0; i < none.size(); ++i) EXPECT_EQ(none[i].caption, captions[i]);

    MenuFixture f;
    PopupMenu* menu = f.RightClick(2);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(f.Events(), "");  // the menu's press raises nothing and selects nothing
    EXPECT_EQ(f->SelectedCount(), 0);
    EXPECT_EQ(MenuFixture::Available(*menu), "3 7 8 10 11");  // no Cut, no Delete; Copy
    // An unavailable entry cannot be chosen; the menu stays open.
    EXPECT_FALSE(menu->Choose(5));
    EXPECT_TRUE(menu->IsOpen());
    menu->Close();

    f->SetSelectState(4, true);
    menu = f.RightClick(1);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(MenuFixture::Available(*menu), "2 3 5 7 8 10 11");
    menu->Close();

    // With AllowSubMenu off a right press is an ordinary press.
    f->SetAllowSubMenu(false);
    EXPECT_EQ(f.RightClick(2), nullptr);
    EXPECT_EQ(f.Events(),
              "ItemMouseDown Button=2 Shift=0 X=30 Y=" + std::to_string(f.RowY(2)) +
                  " ItemIndex=2, ItemMouseDownAlt Button=2 Shift=0 X=30 Y=" + std::to_string(f.RowY(2)) +
                  " ItemIndex=2, ItemMouseUp Button=2 Shift=0 X=30 Y=" + std::to_string(f.RowY(2)) +
                  " ItemIndex=2, ItemMouseUpAlt Button=2 Shift=0 X=30 Y=" + std::to_string(f.RowY(2)) + " ItemIndex=2");
}

TEST(ContextMenu, EachEntrysAction) {
    struct Case {
        int32_t entry;
        const char* selected;  // after the choice, as "2 4"
        const char* enabled;   // rows still enabled
    };
    const Case cases[] = {
        {menucmd::kSelectAll, "1 2 3 4 5", "1 2 3 4 5"},
        {menucmd::kDeselectAll, "", "1 2 3 4 5"},
        {menucmd::kDisableAll, "", ""},
        {menucmd::kCopy, "2 4", "1 2 3 4 5"},
        {menucmd::kCut, "2 4", "1 2 3 4 5"},
    };
    for (const Case& c : cases) {
        MenuFixture f;
        f->SetMultiSelect(true);
        f->SetSelectState(2, true);
        f->SetSelectState(4, true);
        PopupMenu* menu = f.RightClick(1);
        ASSERT_NE(menu, nullptr);
        ASSERT_TRUE(menu->Choose(c.entry)) << c.entry;
        EXPECT_EQ(f->OpenContextMenu(), nullptr);
        std::string selected, enabled;
        for (int32_t i = 1; i <= f->ItemCount(); ++i) {
            if (f->ItemRecord(i).cLISelected) selected += (selected.empty() ? "" : " ") + std::to_string(i);
            if (f->ItemRecord(i).cLIEnabled) enabled += (enabled.empty() ? "" : " ") + std::to_string(i);
        }
        EXPECT_EQ(selected, c.selected) << c.entry;
        EXPECT_EQ(enabled, c.enabled) << c.entry;
        EXPECT_EQ(f.Events(), "") << c.entry;
    }
}

TEST(ContextMenu, DeleteIgnoresAllowDeleteAndPrompts) {
    MenuFixture f;
    f->SetAllowDelete(false);
    f->SetMultiSelect(true);
    f->SetSelectState(2, true);
    f->SetSelectState(4, true);
    PopupMenu* menu = f.RightClick(1);
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(menu->Choose(menucmd::kDelete));
    EXPECT_EQ(f.Texts(), "item1 item3 item5");
    // The prompt's first answer (LVYesToAll as passed) deletes the rest without asking.
    EXPECT_EQ(f.Events(), "BeforeItemDelete LVPrompt=1 ItemIndex=2, ItemDeleted ItemIndex=2, ItemDeleted ItemIndex=3");
    // Nothing selected any more: Delete is unavailable and the key is still refused.
    menu = f.RightClick(1);
    ASSERT_NE(menu, nullptr);
    EXPECT_FALSE(menu->Choose(menucmd::kDelete));
}

TEST(ContextMenu, ChosenByPointerAndKeys) {
    MenuFixture f;
    PopupMenu* menu = f.RightClick(2);
    ASSERT_NE(menu, nullptr);
    // The menu opens at the pointer and keeps on the form.
    const RECT rect = f.platform.windows.WindowRect(menu->hwnd());
    EXPECT_EQ(rect.Left, 30);
    EXPECT_EQ(rect.Top, f.RowY(2));
    // Pointer: move onto "Select All" and click it.
    const RECT row = menu->Layout().rows[menucmd::kSelectAll];
    const int32_t x = rect.Left + row.Left + 20, y = rect.Top + (row.Top + row.Bottom) / 2;
    f.Move(x, y);
    EXPECT_EQ(menu->Highlighted(), menucmd::kSelectAll);
    f.Click(x, y);
    EXPECT_EQ(f->OpenContextMenu(), nullptr);
    EXPECT_EQ(f->SelectedCount(), 5);
    // Keys: Up from nothing wraps to the last entry; Enter chooses; Escape closes.
    menu = f.RightClick(3);
    ASSERT_NE(menu, nullptr);
    f.form->Key(Form::KeyAction::Down, 38);  // Up: "Select All"
    f.form->Key(Form::KeyAction::Down, 38);  // "DeSelect All"
    f.form->Key(Form::KeyAction::Down, 13);
    EXPECT_EQ(f->SelectedCount(), 0);
    menu = f.RightClick(3);
    f.form->Key(Form::KeyAction::Down, 27);
    EXPECT_EQ(f->OpenContextMenu(), nullptr);
    EXPECT_EQ(f->SelectedCount(), 0);
    // A press outside closes it without a choice; that press does not reach the list.
    menu = f.RightClick(3);
    f.Click(200, f.RowY(1));
    EXPECT_EQ(f->OpenContextMenu(), nullptr);
    EXPECT_EQ(f.Events(), "");
}

TEST(ContextMenu, Pictures) {
    MenuFixture f;
    f.RightClick(1);
    test::ExpectMatchesGolden(f.form->Compose(), "context_menu_nothing_selected");
    f->OpenContextMenu()->Close();
    f->SetSelectState(2, true);
    f.RightClick(2);
    test::ExpectMatchesGolden(f.form->Compose(), "context_menu_with_selection");
}

}  // namespace
}  // namespace glv
