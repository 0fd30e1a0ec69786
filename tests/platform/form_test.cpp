// The form: routing raw pointer input to windows as the runtime does, and composing pictures.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/golden.h"
#include "platform/Form.h"

using namespace glv;

namespace {

std::string MessageName(uint32_t msg) {
    switch (msg) {
        case wm::kMouseMove: return "move";
        case wm::kLButtonDown: return "down";
        case wm::kLButtonUp: return "up";
        case wm::kLButtonDblClk: return "dbl";
        case wm::kRButtonDown: return "rdown";
        case wm::kRButtonUp: return "rup";
        case wm::kRuntimeClick: return "click";
        default: return std::to_string(msg);
    }
}

// Logs "window:message x,y flags" for every mouse message of the windows it watches.
struct Spy : MessageSink {
    WindowSystem* windows = nullptr;
    std::string log;
    void Watch(HWND hwnd) {
        for (uint32_t msg : {wm::kMouseMove, wm::kLButtonDown, wm::kLButtonUp, wm::kLButtonDblClk,
                             wm::kRButtonDown, wm::kRButtonUp, wm::kRuntimeClick})
            windows->AttachMessage(this, hwnd, msg);
    }
    intptr_t WindowProc(HWND hwnd, uint32_t msg, intptr_t wParam, intptr_t lParam) override {
        const POINT p = UnpackPoint(lParam);
        log += windows->ClassName(hwnd) + ":" + MessageName(msg) + " " + std::to_string(p.x) + "," +
               std::to_string(p.y) + (wParam ? " f" + std::to_string(wParam) : "") + "; ";
        return 0;
    }
    std::string Take() { return std::exchange(log, {}); }
};

struct Fixture {
    Platform platform;
    Form form{platform, 400, 300, {100, 50}};
    HWND list = platform.windows.CreateWindow(form.hwnd(), "list", {0, 0, 400, 300});
    HWND bar = platform.windows.CreateWindow(list, "bar", {383, 0, 17, 283});
    Spy spy;
    Fixture() {
        spy.windows = &platform.windows;
        spy.Watch(list);
        spy.Watch(bar);
    }
    void Move(int32_t x, int32_t y) { form.Pointer(Form::PointerAction::Move, x, y); }
    void Down(int32_t x, int32_t y, int32_t button = 1, int32_t shift = 0) {
        form.Pointer(Form::PointerAction::Down, x, y, button, shift);
    }
    void Up(int32_t x, int32_t y, int32_t button = 1) { form.Pointer(Form::PointerAction::Up, x, y, button); }
    void Click(int32_t x, int32_t y) {
        Down(x, y);
        Up(x, y);
    }
};

}  // namespace

TEST(Form, PointerGoesToTheWindowUnderItWithCaptureClicksAndFocus) {
    Fixture f;
    f.Move(50, 60);
    EXPECT_EQ(f.spy.Take(), "list:move 50,60; ");
    EXPECT_EQ(f.platform.system.cursorX, 150);
    EXPECT_EQ(f.platform.system.cursorY, 110);

    // A press on the bar captures the pointer there until the release; leaving the bar before
    // releasing gives no click.
    f.Down(390, 10, 1, 2);
    EXPECT_EQ(f.form.Capture(), f.bar);
    EXPECT_EQ(f.platform.windows.GetFocus(), f.bar);
    f.Move(20, 20);
    f.Up(20, 20);
    EXPECT_EQ(f.spy.Take(), "bar:down 7,10 f9; bar:move -363,20 f1; bar:up -363,20; ");
    EXPECT_EQ(f.form.Capture(), 0);

    // A release inside the pressed window clicks.
    f.platform.clock.Advance(1000);
    f.Down(20, 20);
    f.Up(21, 20);
    EXPECT_EQ(f.spy.Take(), "list:down 20,20 f1; list:up 21,20; list:click 21,20; ");

    // A second press soon and close by is a double click, whose release does not click; a third
    // press starts over.
    f.platform.clock.Advance(501);
    f.Click(23, 24);
    f.platform.clock.Advance(100);
    f.Click(24, 25);
    f.Click(24, 25);
    EXPECT_EQ(f.spy.Take(), "list:down 23,24 f1; list:up 23,24; list:click 23,24; "
                            "list:dbl 24,25 f1; list:up 24,25; "
                            "list:down 24,25 f1; list:up 24,25; list:click 24,25; ");
    // Too late, too far, or on another window: plain presses.
    f.platform.clock.Advance(501);
    f.Click(23, 24);
    f.Click(28, 24);
    f.Click(390, 24);
    EXPECT_EQ(f.spy.Take(), "list:down 23,24 f1; list:up 23,24; list:click 23,24; "
                            "list:down 28,24 f1; list:up 28,24; list:click 28,24; "
                            "bar:down 7,24 f1; bar:up 7,24; bar:click 7,24; ");

    // The right button: its own messages, no click.
    f.Down(30, 30, 2);
    f.Up(30, 30, 2);
    EXPECT_EQ(f.spy.Take(), "list:rdown 30,30 f2; list:rup 30,30; ");

    // Hidden windows are passed over; disabled ones swallow the input.
    f.platform.windows.SetVisible(f.bar, false);
    f.Move(390, 10);
    EXPECT_EQ(f.spy.Take(), "list:move 390,10; ");
    f.platform.windows.SetVisible(f.bar, true);
    f.platform.windows.SetEnabled(f.bar, false);
    f.Click(390, 10);
    EXPECT_EQ(f.spy.Take(), "");
    EXPECT_EQ(f.form.WindowAt(390, 10), f.bar);
    EXPECT_EQ(f.form.WindowAt(390, 290), f.list);
}

TEST(Form, ComposesVisibleWindowsChildrenOverParentsClipped) {
    Platform platform;
    Form form(platform, 8, 6, {40, 40});
    const HWND list = platform.windows.CreateWindow(form.hwnd(), "list", {1, 1, 6, 4});
    const HWND child = platform.windows.CreateWindow(list, "child", {4, 2, 5, 5});  // overhangs
    const HWND hidden = platform.windows.CreateWindow(list, "hidden", {0, 0, 2, 2});
    Surface listPixels(6, 4, RGB(255, 0, 0));
    Surface childPixels(5, 5, RGB(0, 0, 255));
    Surface hiddenPixels(2, 2, RGB(0, 255, 0));
    RegisterSurface(platform.windows, list, &listPixels);
    RegisterSurface(platform.windows, child, &childPixels);
    RegisterSurface(platform.windows, hidden, &hiddenPixels);
    platform.windows.SetVisible(hidden, false);
    const std::map<COLORREF, char> legend = {{RGB(255, 0, 0), 'r'}, {RGB(0, 0, 255), 'b'}};
    EXPECT_EQ(test::PixelMap(form.Compose(), legend), R"(
########
#rrrrrr#
#rrrrrr#
#rrrrbb#
#rrrrbb#
########
)");
    RegisterSurface(platform.windows, child, nullptr);
    EXPECT_EQ(test::PixelMap(form.Compose(RGB(0, 0, 0)), legend), R"(
........
.rrrrrr.
.rrrrrr.
.rrrrrr.
.rrrrrr.
........
)");
}
