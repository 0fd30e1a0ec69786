// The edit box driven through the messages its window receives: keys, characters, the pointer
// and the focus, as the form delivers them.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/golden.h"
#include "platform/AutomationError.h"
#include "platform/EditBox.h"
#include "platform/Form.h"
#include "platform/Utf8.h"
#include "platform/VirtualKeys.h"

using namespace glv;

namespace {

struct EventLog : EditBoxEvents {
    std::string log;
    int32_t dropChar = -1;  // a character the owner zeroes in EditKeyPress
    int32_t dropKey = -1;   // a key the owner zeroes in EditKeyDown
    void EditKeyDown(int32_t& keyCode, int32_t shift) override {
        log += "down " + std::to_string(keyCode) + "/" + std::to_string(shift) + "; ";
        if (keyCode == dropKey) keyCode = 0;
    }
    void EditKeyPress(int32_t& keyAscii) override {
        log += "press " + std::to_string(keyAscii) + "; ";
        if (keyAscii == dropChar) keyAscii = 0;
    }
    void EditKeyUp(int32_t& keyCode, int32_t) override { log += "up " + std::to_string(keyCode) + "; "; }
    void EditChange() override { log += "change; "; }
    void EditLostFocus() override { log += "lost focus; "; }
    std::string Take() { return std::exchange(log, {}); }
};

struct Fixture {
    Platform platform;
    Form form{platform, 300, 100, {40, 30}};
    HWND list = platform.windows.CreateWindow(form.hwnd(), "List", {0, 0, 300, 100});
    EditBox box{platform, list};
    EventLog events;

    explicit Fixture(int32_t width = 120) {
        box.Place({10, 20, width, 15});
        box.SetColors(RGB(255, 255, 255), RGB(0, 0, 0));
        box.SetEvents(&events);
    }
    void Shift(bool down) { platform.system.keysDown[vk::kShift] = down; }
    void Key(int32_t key) {
        platform.windows.SendMessage(box.hwnd(), wm::kKeyDown, key, 0);
        platform.windows.SendMessage(box.hwnd(), wm::kKeyUp, key, 0);
    }
    void Type(std::string_view utf8) {
        for (size_t pos = 0; pos < utf8.size();)
            platform.windows.SendMessage(box.hwnd(), wm::kChar, static_cast<intptr_t>(DecodeUtf8(utf8, pos)), 0);
    }
    void Mouse(uint32_t msg, int32_t x, intptr_t flags = 0) {
        platform.windows.SendMessage(box.hwnd(), msg, flags, PackPoint(x, 7));
    }
    // "text [start,length]"
    std::string State() const {
        return box.Text() + " [" + std::to_string(box.SelStart()) + "," + std::to_string(box.SelLength()) + "]";
    }
    // Runs a script of space-separated steps: < > home end del bs shift noshift ctrl noctrl,
    // or 'text.
    void Run(std::string_view script) {
        while (!script.empty()) {
            const size_t end = script.find(' ');
            const std::string_view step = script.substr(0, end);
            script = end == std::string_view::npos ? std::string_view{} : script.substr(end + 1);
            if (step == "<") Key(vk::kLeft);
            else if (step == ">") Key(vk::kRight);
            else if (step == "home") Key(vk::kHome);
            else if (step == "end") Key(vk::kEnd);
            else if (step == "del") Key(vk::kDelete);
            else if (step == "bs") Type("\b");
            else if (step == "shift") Shift(true);
            else if (step == "noshift") Shift(false);
            else if (step == "ctrl") platform.system.keysDown[vk::kControl] = true;
            else if (step == "noctrl") platform.system.keysDown[vk::kControl] = false;
            else if (step.starts_with('\'')) Type(step.substr(1));
            else ADD_FAILURE() << "unknown step " << step;
        }
    }
};

}  // namespace

TEST(EditBox, KeysEditTheTextByWholeCharacters) {
    struct Row {
        const char* text;
        int32_t start, length;
        const char* script;
        const char* expected;
    };
    const Row rows[] = {
        {"hello", 0, 5, "'Wo", "Wo [2,0]"},                      // typing replaces the selection
        {"hello", 5, 0, "shift < < noshift 'P", "helP [4,0]"},   // Shift+Left selects backwards
        {"hello", 2, 0, "shift > > <", "hello [2,1]"},           // Shift+Right then back by one
        {"hello", 1, 3, "<", "hello [1,0]"},                     // Left collapses to the start
        {"hello", 1, 3, ">", "hello [4,0]"},                     // Right collapses to the end
        {"hello", 2, 0, "shift end", "hello [2,3]"},
        {"hello", 2, 0, "shift home", "hello [0,2]"},
        {"hello", 3, 0, "home 'x end 'y", "xhelloy [7,0]"},
        {"hello", 0, 0, "bs <", "hello [0,0]"},                  // Backspace and Left at 0
        {"hello", 5, 0, "del >", "hello [5,0]"},                 // Delete and Right at the end
        {"hello", 1, 0, "del", "hllo [1,0]"},
        {"hello", 1, 0, "bs", "ello [0,0]"},
        {"hello", 1, 3, "bs", "ho [1,0]"},                       // Backspace removes a selection
        {"hello", 1, 3, "del", "ho [1,0]"},
        {"café", 4, 0, "bs", "caf [3,0]"},                       // two-byte letters
        {"naïve", 2, 0, "shift > noshift del", "nave [2,0]"},
        {"日本語", 1, 0, "shift > noshift 'x", "日x語 [2,0]"},   // three-byte characters
        {"a😀b", 1, 0, "del", "ab [1,0]"},                       // four bytes, one character
        {"a😀b", 3, 0, "< < 'ü", "aü😀b [2,0]"},
        {"", 0, 0, "'Ωμέγα", "Ωμέγα [5,0]"},
        {"one  two three", 0, 0, "ctrl > >", "one  two three [9,0]"},  // Ctrl moves by word
        {"one  two three", 14, 0, "ctrl < shift <", "one  two three [5,4]"},
        {"one  two three", 6, 0, "ctrl < noctrl 'X", "one  Xtwo three [6,0]"},
    };
    for (const Row& row : rows) {
        Fixture f;
        f.box.SetText(row.text);
        f.box.SetSelStart(row.start);
        f.box.SetSelLength(row.length);
        f.Run(row.script);
        EXPECT_EQ(f.State(), row.expected) << row.text << " / " << row.script;
    }
}

TEST(EditBox, OwnerSeesEachKeyFirstAndMayDropIt) {
    Fixture f;
    f.box.SetText("abc");
    f.events.Take();
    f.box.SetSelStart(3);
    f.events.dropChar = 'x';
    f.events.dropKey = vk::kDelete;
    f.Shift(true);
    f.Key(vk::kHome);
    EXPECT_EQ(f.events.Take(), "down 36/1; up 36; ");
    EXPECT_EQ(f.State(), "abc [0,3]");
    f.Shift(false);
    f.Key(vk::kDelete);  // dropped: the selection stays
    f.Type("x");         // dropped
    EXPECT_EQ(f.State(), "abc [0,3]");
    f.Type("y\x1b\r\t");  // Escape, Enter and Tab put nothing into one line
    EXPECT_EQ(f.State(), "y [1,0]");
    EXPECT_EQ(f.events.Take(), "down 46/0; up 46; press 120; press 121; change; press 27; press 13; press 9; ");
}

TEST(EditBox, PressPlacesTheCaretAtTheNearestBoundaryAndDragSelects) {
    Fixture f;
    f.box.SetText("iiWWii");
    const int32_t narrow = f.platform.text.GetTextExtentPoint32(f.box.Font(), "i").cx;
    const int32_t wide = f.platform.text.GetTextExtentPoint32(f.box.Font(), "W").cx;
    ASSERT_GT(wide, narrow + 3);  // a proportional font
    const int32_t firstW = f.box.XFromChar(2);
    EXPECT_EQ(firstW, EditBox::kMargin + 2 * narrow);
    struct Row {
        int32_t x;
        int32_t caret;
    };
    const Row rows[] = {{0, 0},
                        {firstW, 2},
                        {firstW + wide / 2 - 1, 2},
                        {firstW + wide / 2 + 1, 3},
                        {firstW + wide + 1, 3},
                        {firstW + 2 * wide - 1, 4},
                        {1000, 6}};
    for (const Row& row : rows) {
        f.Mouse(wm::kLButtonDown, row.x, mk::kLButton);
        f.Mouse(wm::kLButtonUp, row.x);
        EXPECT_EQ(f.State(), "iiWWii [" + std::to_string(row.caret) + ",0]") << row.x;
    }
    f.Mouse(wm::kLButtonDown, firstW, mk::kLButton);
    f.Mouse(wm::kMouseMove, f.box.XFromChar(4), mk::kLButton);
    EXPECT_EQ(f.State(), "iiWWii [2,2]");
    f.Mouse(wm::kMouseMove, 0, mk::kLButton);  // back past the anchor: selects leftwards
    EXPECT_EQ(f.State(), "iiWWii [0,2]");
    f.Mouse(wm::kLButtonUp, 0);
    f.Mouse(wm::kMouseMove, 1000, 0);  // no button: nothing changes
    EXPECT_EQ(f.State(), "iiWWii [0,2]");
    f.Mouse(wm::kLButtonDown, f.box.XFromChar(6), mk::kLButton | mk::kShift);  // Shift extends
    EXPECT_EQ(f.State(), "iiWWii [2,4]");
    f.box.SetText("one two three");
    f.Mouse(wm::kLButtonDblClk, f.box.XFromChar(5));
    EXPECT_EQ(f.box.SelText(), "two");
}

TEST(EditBox, ScrollsSidewaysToKeepTheCaretInView) {
    Fixture f(40);
    f.box.SetText("The quick brown fox jumps");
    auto caretInView = [&] {
        const int32_t x = f.box.XFromChar(f.box.Caret());
        return x >= EditBox::kMargin && x <= 40 - EditBox::kMargin;
    };
    EXPECT_EQ(f.box.ScrollX(), 0);
    f.Key(vk::kEnd);
    EXPECT_GT(f.box.ScrollX(), 0);
    EXPECT_TRUE(caretInView());
    EXPECT_EQ(f.box.XFromChar(f.box.Length()), 40 - EditBox::kMargin);  // the end just shows
    f.Key(vk::kHome);
    EXPECT_EQ(f.box.ScrollX(), 0);
    for (int i = 0; i < 12; ++i) {
        f.Key(vk::kRight);
        EXPECT_TRUE(caretInView()) << i;
    }
    // Dragging past the right side selects and scrolls on to the end.
    f.Key(vk::kHome);
    f.Mouse(wm::kLButtonDown, 2, mk::kLButton);
    f.Mouse(wm::kMouseMove, 300, mk::kLButton);
    EXPECT_EQ(f.box.SelLength(), f.box.Length());
    EXPECT_TRUE(caretInView());
    // Deleting text scrolls back rather than leave blank room at the right.
    f.Mouse(wm::kLButtonUp, 300);
    f.Type("\b");
    EXPECT_EQ(f.box.ScrollX(), 0);
    EXPECT_EQ(f.State(), " [0,0]");
}

TEST(EditBox, CaretBlinksWhileFocusedAndFocusLossIsReported) {
    Fixture f;
    f.box.SetText("abc");
    f.events.Take();
    EXPECT_FALSE(f.box.CaretShown());
    f.box.Focus();
    EXPECT_EQ(f.platform.windows.GetFocus(), f.box.hwnd());
    EXPECT_TRUE(f.box.CaretShown());
    f.platform.clock.Advance(EditBox::kBlinkMs);
    EXPECT_FALSE(f.box.CaretShown());
    f.platform.clock.Advance(EditBox::kBlinkMs);
    EXPECT_TRUE(f.box.CaretShown());
    f.platform.clock.Advance(EditBox::kBlinkMs);
    f.Type("d");  // typing shows the caret again and restarts the blink
    EXPECT_TRUE(f.box.CaretShown());
    f.platform.clock.Advance(EditBox::kBlinkMs - 1);
    EXPECT_TRUE(f.box.CaretShown());

    f.platform.windows.SendMessage(f.box.hwnd(), wm::kKillFocus, 0, 0);
    f.platform.windows.SendMessage(f.box.hwnd(), wm::kKillFocus, 0, 0);  // told twice, reported once
    EXPECT_EQ(f.events.Take(), "press 100; change; lost focus; ");
    EXPECT_FALSE(f.box.Focused());
    f.platform.clock.Advance(10 * EditBox::kBlinkMs);
    EXPECT_FALSE(f.box.CaretShown());
    f.platform.windows.SendMessage(f.box.hwnd(), wm::kSetFocus, 0, 0);
    EXPECT_TRUE(f.box.CaretShown());
}

TEST(EditBox, BadInputIsRefusedOrMadeWellFormed) {
    Fixture f;
    f.box.SetText("ab\xC3(\xFF");  // a truncated sequence and a byte that starts nothing
    EXPECT_EQ(f.box.Text(), "ab\xEF\xBF\xBD(\xEF\xBF\xBD");
    EXPECT_EQ(f.box.Length(), 5);
    f.box.SetSelStart(1);
    f.box.SetSelLength(2);
    for (auto bad : {+[](EditBox& b) { b.SetSelStart(-1); }, +[](EditBox& b) { b.SetSelLength(-5); }}) {
        try {
            bad(f.box);
            ADD_FAILURE() << "no error";
        } catch (const AutomationError& e) {
            EXPECT_EQ(e.Number, 380);
        }
        EXPECT_EQ(f.box.SelStart(), 1);
        EXPECT_EQ(f.box.SelLength(), 2);
    }
    f.box.SetSelLength(99);
    EXPECT_EQ(f.box.SelLength(), 4);
    f.box.SetSelStart(99);
    EXPECT_EQ(f.box.SelStart(), 5);
    // Characters that are no code point put nothing in.
    for (intptr_t bad : {intptr_t{0xD800}, intptr_t{0x110000}, intptr_t{-3}})
        f.platform.windows.SendMessage(f.box.hwnd(), wm::kChar, bad, 0);
    EXPECT_EQ(f.box.Length(), 5);
    // A box too small to show anything still edits.
    f.box.Place({0, 0, 0, 0});
    f.Type("z");
    EXPECT_EQ(f.box.Length(), 6);
}

TEST(EditBox, PressThroughTheFormFocusesTheBoxAndPlacesTheCaret) {
    Fixture f;
    f.box.SetText("hello");
    const int32_t x = f.box.XFromChar(2);
    f.form.Pointer(Form::PointerAction::Down, 10 + x, 25);
    f.form.Pointer(Form::PointerAction::Up, 10 + x, 25);
    EXPECT_EQ(f.platform.windows.GetFocus(), f.box.hwnd());
    EXPECT_EQ(f.State(), "hello [2,0]");
    // The form composes the box over the list.
    f.box.Focus();
    f.box.SelectAll();
    const Surface frame = f.form.Compose(RGB(0, 128, 0));
    EXPECT_EQ(frame.GetPixel(9, 25), RGB(0, 128, 0));
    EXPECT_EQ(frame.GetPixel(10, 20), RGB(255, 255, 255));
    EXPECT_EQ(frame.GetPixel(129, 34), RGB(255, 255, 255));
    EXPECT_EQ(frame.GetPixel(130, 34), RGB(0, 128, 0));
}

TEST(EditBox, Pictures) {
    // Rows, top to bottom: caret shown, caret hidden, part of the text selected, and the
    // list's own colours (highlight back, white text) where the selection shows inverted.
    Fixture f(90);
    Surface sheet(94, 4 * 19, RGB(128, 128, 128));
    auto snap = [&](int row) { sheet.BitBlt(2, 2 + row * 19, 90, 15, f.box.Picture(), 0, 0); };
    f.box.SetText("Edit me, Ünï");
    f.box.Focus();
    f.Key(vk::kEnd);
    f.Key(vk::kLeft);
    snap(0);
    f.platform.clock.Advance(EditBox::kBlinkMs);
    snap(1);
    f.box.SetSelStart(1);
    f.box.SetSelLength(3);
    snap(2);
    f.box.SetColors(kSystemColorFlag | syscolor::kHighlight, RGB(255, 255, 255));
    snap(3);
    test::ExpectMatchesGolden(sheet, "edit_box");
}
