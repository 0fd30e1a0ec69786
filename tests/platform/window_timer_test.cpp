// Window rectangles on the screen and timers that tick as WM_TIMER messages.
#include <gtest/gtest.h>

#include <string>

#include "platform/Clock.h"
#include "platform/WindowSystem.h"
#include "platform/WindowTimer.h"

using namespace glv;

namespace {

struct TimerLog : MessageSink {
    std::string log;
    intptr_t WindowProc(HWND, uint32_t msg, intptr_t wParam, intptr_t) override {
        if (msg == wm::kTimer) log += "t" + std::to_string(wParam) + " ";
        return 0;
    }
};

}  // namespace

TEST(WindowTimer, WindowRectsAddUpTheAncestorsAndTimersTickAsMessages) {
    WindowSystem windows;
    const HWND form = windows.CreateWindow(0, "Form", {100, 50, 400, 300});
    const HWND list = windows.CreateWindow(form, "List", {10, 20, 300, 200});
    const HWND bar = windows.CreateWindow(list, "Bar", {283, 0, 17, 200});
    EXPECT_EQ(ToString(windows.WindowRect(bar)), "393,70,410,270");
    EXPECT_EQ(ToString(windows.WindowRect(form)), "100,50,500,350");
    EXPECT_EQ(ToString(windows.WindowRect(0x7777)), "0,0,0,0");

    Clock clock;
    TimerLog sink;
    windows.AttachMessage(&sink, bar, wm::kTimer);
    {
        WindowTimer hover(windows, clock, bar, 1);
        WindowTimer other(windows, clock, bar, 7);
        hover.Set(10);
        other.Set(25);
        clock.Advance(30);
        EXPECT_EQ(sink.log, "t1 t1 t7 t1 ");
        hover.Kill();
        EXPECT_FALSE(hover.Running());
        clock.Advance(20);
        EXPECT_EQ(sink.log, "t1 t1 t7 t1 t7 ");
        // A timer on a window that is gone ticks into nothing.
        windows.DestroyWindow(bar);
        clock.Advance(50);
        EXPECT_EQ(sink.log, "t1 t1 t7 t1 t7 ");
    }
    EXPECT_EQ(clock.TimerCount(), 0u);
}
