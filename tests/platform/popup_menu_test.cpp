// The pop-up menu: layout and placement as pure functions, then the open menu driven through
// the form's pointer and the keys sent to it.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/golden.h"
#include "platform/PopupMenu.h"
#include "platform/VirtualKeys.h"

using namespace glv;

namespace {

// The list's context menu, with Cut (2) and Delete (5) available or not.
std::vector<MenuEntry> ListMenu(bool selection) {
    return {{"Undo", false}, {"-"},          {"Cut", selection},  {"Copy"},
            {"Paste", false}, {"Delete", selection}, {"-"},      {"Disable All"},
            {"Enable All"},  {"-"},          {"DeSelect All"},    {"Select All"}};
}

struct Closed : PopupMenuEvents {
    std::string log;
    void MenuClosed(int32_t chosen) override { log += "closed " + std::to_string(chosen) + "; "; }
};

struct Fixture {
    Platform platform;
    Form form{platform, 320, 240, {50, 40}};
    HWND list = platform.windows.CreateWindow(form.hwnd(), "List", {0, 0, 320, 240});
    PopupMenu menu{platform, form};
    Closed closed;
    int listPresses = 0;

    Fixture() {
        menu.SetEvents(&closed);
        menu.SetEntries(ListMenu(true));
        platform.windows.SetWindowProcedure(list, [this](uint32_t msg, intptr_t, intptr_t) {
            if (msg == wm::kLButtonDown || msg == wm::kRButtonDown) ++listPresses;
            return intptr_t{0};
        });
    }
    // The centre of an entry, in form client pixels.
    POINT EntryCentre(int32_t index) const {
        const RECT r = menu.Layout().rows[static_cast<size_t>(index)];
        const RECT window = platform.windows.WindowRect(menu.hwnd());
        return {window.Left - 50 + (r.Left + r.Right) / 2, window.Top - 40 + (r.Top + r.Bottom) / 2};
    }
    void Pointer(Form::PointerAction action, POINT p, int32_t button = 1) {
        form.Pointer(action, p.x, p.y, button);
    }
    void Key(int32_t key) { platform.windows.SendMessage(platform.windows.GetFocus(), wm::kKeyDown, key, 0); }
};

}  // namespace

TEST(PopupMenu, LayoutAndPlacementArePureGeometry) {
    Platform platform;
    const FontSpec font;
    const MenuLayout layout = LayoutMenu(ListMenu(true), platform.text, font);
    const int32_t entry = platform.text.Metrics(font).height + MenuLayout::kEntryPadding;
    ASSERT_EQ(layout.rows.size(), 12u);
    EXPECT_EQ(ToString(layout.rows[0]), "3,3," + std::to_string(layout.size.cx - 3) + "," + std::to_string(3 + entry));
    EXPECT_EQ(layout.rows[1].Bottom - layout.rows[1].Top, MenuLayout::kSeparatorHeight);
    EXPECT_EQ(layout.size.cy, 6 + 9 * entry + 3 * MenuLayout::kSeparatorHeight);
    const int32_t widest = platform.text.GetTextExtentPoint32(font, "DeSelect All").cx;
    EXPECT_EQ(layout.size.cx, 6 + MenuLayout::kTextIndent + widest + MenuLayout::kTrailing);
    EXPECT_EQ(MenuEntryAt(layout, {10, 4}), 0);
    EXPECT_EQ(MenuEntryAt(layout, {10, 3 + entry}), 1);
    EXPECT_EQ(MenuEntryAt(layout, {1, 4}), -1);  // on the frame
    EXPECT_EQ(MenuEntryAt(layout, {10, layout.size.cy - 1}), -1);

    struct Row {
        POINT at;
        const char* placed;
    };
    const RECT area{0, 0, 300, 200};
    const Row rows[] = {
        {{10, 20}, "10,20"},    // fits right and below
        {{250, 20}, "170,20"},  // flipped left of the point
        {{10, 180}, "10,80"},   // flipped above it
        {{250, 190}, "170,90"},
        {{50, 50}, "50,50"},
    };
    for (const Row& row : rows) {
        const POINT p = PlaceMenu(row.at, {80, 100}, area);
        EXPECT_EQ(std::to_string(p.x) + "," + std::to_string(p.y), row.placed);
    }
    // Larger than the area: the top-left corner stays in view.
    const POINT big = PlaceMenu({100, 100}, {400, 300}, area);
    EXPECT_EQ(big, (POINT{0, 0}));
}

TEST(PopupMenu, PointerHighlightsAvailableEntriesAndAClickChooses) {
    Fixture f;
    f.platform.windows.SetFocus(f.list);
    f.Pointer(Form::PointerAction::Down, {300, 230}, 2);  // the right press that opens the menu
    f.menu.Open({300, 230});
    EXPECT_TRUE(f.menu.IsOpen());
    const RECT rect = f.platform.windows.WindowRect(f.menu.hwnd());
    EXPECT_EQ(rect.Right, 350);  // kept inside the form: flipped left and up of the point
    EXPECT_EQ(rect.Bottom, 270);
    EXPECT_EQ(f.platform.windows.GetFocus(), f.menu.hwnd());
    // Releasing the opening button without a move chooses nothing.
    f.Pointer(Form::PointerAction::Up, {300, 230}, 2);
    EXPECT_TRUE(f.menu.IsOpen());

    f.Pointer(Form::PointerAction::Move, f.EntryCentre(3));
    EXPECT_EQ(f.menu.Highlighted(), 3);
    f.Pointer(Form::PointerAction::Move, f.EntryCentre(0));  // Undo is unavailable
    EXPECT_EQ(f.menu.Highlighted(), -1);
    f.Pointer(Form::PointerAction::Down, f.EntryCentre(0));
    f.Pointer(Form::PointerAction::Up, f.EntryCentre(0));
    f.Pointer(Form::PointerAction::Down, f.EntryCentre(1));  // a separator
    f.Pointer(Form::PointerAction::Up, f.EntryCentre(1));
    EXPECT_TRUE(f.menu.IsOpen());
    EXPECT_EQ(f.closed.log, "");
    f.Pointer(Form::PointerAction::Move, f.EntryCentre(5));
    f.Pointer(Form::PointerAction::Down, f.EntryCentre(5));
    f.Pointer(Form::PointerAction::Up, f.EntryCentre(5));
    EXPECT_EQ(f.closed.log, "closed 5; ");
    EXPECT_FALSE(f.menu.IsOpen());
    EXPECT_EQ(f.platform.windows.GetFocus(), f.list);
    EXPECT_EQ(f.form.PopupCapture(), 0);
    EXPECT_EQ(f.listPresses, 1);  // only the press that opened the menu reached the list
    // Closed, the menu is gone from the picture and from the pointer's way.
    f.Pointer(Form::PointerAction::Down, {100, 100});
    EXPECT_EQ(f.listPresses, 2);
}

TEST(PopupMenu, KeysMoveTheHighlightAndEnterOrEscapeClose) {
    Fixture f;
    f.menu.SetEntries(ListMenu(false));
    f.menu.Open({10, 10});
    std::string visited;
    for (int i = 0; i < 8; ++i) {
        f.Key(vk::kDown);
        visited += std::to_string(f.menu.Highlighted()) + " ";
    }
    EXPECT_EQ(visited, "3 7 8 10 11 3 7 8 ");  // skipping greyed entries and separators, wrapping
    f.Key(vk::kUp);
    f.Key(vk::kUp);
    EXPECT_EQ(f.menu.Highlighted(), 3);
    f.Key(vk::kUp);
    EXPECT_EQ(f.menu.Highlighted(), 11);
    f.Key(vk::kReturn);
    EXPECT_EQ(f.closed.log, "closed 11; ");

    f.menu.Open({10, 10});
    f.Key(vk::kReturn);  // nothing highlighted: nothing chosen
    EXPECT_TRUE(f.menu.IsOpen());
    f.Key(vk::kEscape);
    EXPECT_EQ(f.closed.log, "closed 11; closed -1; ");

    // A press outside closes without a choice, and the press goes no further.
    f.menu.Open({10, 10});
    f.Pointer(Form::PointerAction::Down, {300, 230});
    f.Pointer(Form::PointerAction::Up, {300, 230});
    EXPECT_EQ(f.closed.log, "closed 11; closed -1; closed -1; ");
    EXPECT_EQ(f.listPresses, 0);

    // Bad input: no entries, an index out of range.
    f.menu.SetEntries({});
    f.menu.Open({10, 10});
    EXPECT_FALSE(f.menu.IsOpen());
    EXPECT_FALSE(f.menu.SetEnabled(3, true));
    EXPECT_FALSE(f.menu.SetEnabled(-1, true));
}

TEST(PopupMenu, PicturesOfEachAvailability) {
    // Left: an item selected, Cut highlighted. Right: nothing selected, Cut and Delete greyed,
    // Select All highlighted. Both over the form's own background.
    Fixture f;
    f.menu.Open({4, 4});
    f.Key(vk::kDown);
    const Surface withSelection = f.form.Compose(RGB(200, 220, 200));
    f.menu.Close();
    f.menu.SetEntries(ListMenu(false));
    f.menu.Open({150, 4});
    f.Key(vk::kUp);
    Surface sheet = f.form.Compose(RGB(200, 220, 200));
    sheet.BitBlt(0, 0, 150, 240, withSelection, 0, 0);
    test::ExpectMatchesGolden(sheet, "popup_menu");
}
