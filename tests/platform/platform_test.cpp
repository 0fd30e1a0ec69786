#include <gtest/gtest.h>

#include <string>

#include "platform/Clock.h"
#include "platform/SystemInfo.h"
#include "platform/WindowSystem.h"

using namespace glv;

namespace {

struct RecordingSink : MessageSink {
    std::string name;
    std::string* log;
    RecordingSink(std::string n, std::string* l) : name(std::move(n)), log(l) {}
    intptr_t WindowProc(HWND, uint32_t msg, intptr_t wParam, intptr_t) override {
        *log += name + ":" + std::to_string(msg) + "/" + std::to_string(wParam) + " ";
        return 99;
    }
};

}  // namespace

TEST(WindowSystem, PropertiesLiveAndDieWithTheWindow) {
    WindowSystem ws;
    HWND parent = ws.CreateWindow(0, "Form");
    HWND child = ws.CreateWindow(parent, "GlideListView", {1, 2, 300, 200});
    EXPECT_TRUE(ws.IsWindow(child));
    EXPECT_EQ(ws.GetParent(child), parent);
    EXPECT_EQ(ws.Placement(child), (WindowPlacement{1, 2, 300, 200}));

    EXPECT_TRUE(ws.SetProp(child, "GlideListView30:ObjectPtr", 1234));
    EXPECT_EQ(ws.GetProp(child, "GlideListView30:ObjectPtr"), 1234);
    EXPECT_EQ(ws.GetProp(child, "other"), 0);
    EXPECT_EQ(ws.RemoveProp(child, "GlideListView30:ObjectPtr"), 1234);
    EXPECT_EQ(ws.GetProp(child, "GlideListView30:ObjectPtr"), 0);
    EXPECT_EQ(ws.RemoveProp(child, "GlideListView30:ObjectPtr"), 0);

    ws.SetProp(child, "p", 7);
    ws.SetFocus(child);
    ws.DestroyWindow(parent);  // takes the child with it
    EXPECT_FALSE(ws.IsWindow(child));
    EXPECT_EQ(ws.GetProp(child, "p"), 0);
    EXPECT_FALSE(ws.SetProp(child, "p", 8));
    EXPECT_EQ(ws.GetFocus(), 0);
    // Handles are never reused, so the old one cannot name a new window.
    HWND fresh = ws.CreateWindow(0, "Form");
    EXPECT_NE(fresh, child);
    EXPECT_NE(fresh, parent);
}

TEST(WindowSystem, HooksSeeMessagesBeforeTheWindowAndDetachCleanly) {
    WindowSystem ws;
    std::string log;
    HWND w = ws.CreateWindow(0, "GlideListView");
    ws.SetWindowProcedure(w, [&](uint32_t msg, intptr_t, intptr_t) {
        log += "own:" + std::to_string(msg) + " ";
        return intptr_t{5};
    });
    RecordingSink a("a", &log), b("b", &log);
    EXPECT_TRUE(ws.AttachMessage(&a, w, wm::kMouseWheel));
    EXPECT_TRUE(ws.AttachMessage(&a, w, wm::kMouseWheel));  // a second attach delivers once
    EXPECT_TRUE(ws.AttachMessage(&b, w, wm::kMouseWheel));
    EXPECT_TRUE(ws.AttachMessage(&b, w, wm::kThemeChanged));
    EXPECT_EQ(ws.SendMessage(w, wm::kMouseWheel, 120), 5);  // the window's own result stands
    EXPECT_EQ(log, "a:522/120 b:522/120 own:522 ");

    log.clear();
    EXPECT_TRUE(ws.DetachMessage(&a, w, wm::kMouseWheel));
    EXPECT_FALSE(ws.DetachMessage(&a, w, wm::kMouseWheel));
    ws.SendMessage(w, wm::kMouseWheel, 1);
    ws.SendMessage(w, wm::kKeyDown, 2);  // nobody hooked it
    EXPECT_EQ(log, "b:522/1 own:522 own:256 ");

    // A destroyed window takes its hooks along; sending to it reaches nobody.
    ws.DestroyWindow(w);
    log.clear();
    EXPECT_EQ(ws.SendMessage(w, wm::kMouseWheel, 1), 0);
    EXPECT_FALSE(ws.AttachMessage(&a, w, wm::kMouseWheel));
    EXPECT_EQ(ws.HookCount(w), 0u);
    EXPECT_EQ(log, "");
}

TEST(WindowSystem, SinkThatDestroysTheWindowStopsDelivery) {
    WindowSystem ws;
    std::string log;
    HWND w = ws.CreateWindow(0, "X");
    struct Destroyer : MessageSink {
        WindowSystem* ws;
        intptr_t WindowProc(HWND hwnd, uint32_t, intptr_t, intptr_t) override {
            ws->DestroyWindow(hwnd);
            return 0;
        }
    } destroyer;
    destroyer.ws = &ws;
    RecordingSink after("after", &log);
    ws.AttachMessage(&destroyer, w, wm::kTimer);
    ws.AttachMessage(&after, w, wm::kTimer);
    EXPECT_EQ(ws.SendMessage(w, wm::kTimer), 0);
    EXPECT_EQ(log, "");
}

TEST(Clock, TimersFireInTimeOrderIncludingOnesStartedDuringATick) {
    Clock clock;
    std::string log;
    TimerId slow = clock.CreateTimer([&] { log += "slow@" + std::to_string(clock.Now()) + " "; });
    TimerId late = 0;
    TimerId fast = clock.CreateTimer([&] {
        log += "fast@" + std::to_string(clock.Now()) + " ";
        if (clock.Now() == 20) clock.Start(late);  // started during a tick: due at 25
    });
    late = clock.CreateTimer([&] {
        log += "late@" + std::to_string(clock.Now()) + " ";
        clock.Stop(late);
    });
    clock.SetInterval(slow, 30);
    clock.SetInterval(fast, 10);
    clock.SetInterval(late, 5);
    clock.Start(slow);
    clock.Start(fast);
    clock.Advance(30);
    // At 30 both are due: the one scheduled first (slow, at 0) fires first.
    EXPECT_EQ(log, "fast@10 fast@20 late@25 slow@30 fast@30 ");
    EXPECT_EQ(clock.Now(), 30);

    log.clear();
    clock.Stop(fast);
    clock.SetInterval(slow, 0);  // an interval of 0 never ticks
    clock.Advance(100);
    EXPECT_EQ(log, "");

    // Restarting resets the count.
    clock.SetInterval(fast, 10);
    clock.Start(fast);
    clock.Advance(5);
    clock.Start(fast);
    clock.Advance(9);
    EXPECT_EQ(log, "");
    clock.Advance(1);
    EXPECT_EQ(log, "fast@145 ");

    clock.DestroyTimer(fast);
    clock.Advance(100);
    EXPECT_EQ(log, "fast@145 ");
    EXPECT_FALSE(clock.Enabled(fast));
    clock.Start(12345);  // unknown ids are ignored
}

TEST(SystemInfo, ResolvesSystemColours) {
    SystemInfo si;
    EXPECT_EQ(si.Resolve(0x123456), 0x123456u);
    EXPECT_EQ(si.Resolve(0x8000000F), si.colors[15]);
    EXPECT_EQ(si.Resolve(0x8000000D), 0xC56A31u);  // the blue highlight, as 0x00BBGGRR
    EXPECT_EQ(si.Resolve(0x800000FF), 0u);          // past the table
    si.wheelPresent = false;
    EXPECT_EQ(si.Metric(metric::kMouseWheelPresent), 0);
    EXPECT_EQ(si.Metric(metric::kCxVScroll), 17);
}
