// Scroll bar input: hover, arrows with their auto-repeat, track paging, thumb dragging, driven
// through the bar's own window messages and the virtual clock.
//
// The vertical bar stands at x 383 in a 400 x 300 form whose client origin is at (100, 50) on
// the screen. With 10 of 40 items visible and Max 30 its thumb spans 255..1252.5 twips
// (pixels 17..83) at Value 0, and one unit of value is 99.75 twips of thumb travel.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "scrollbar/ScrollBar.h"

using namespace glv;

namespace {

class Recorder : public ScrollBarEvents {
public:
    std::optional<int32_t> pageAnswer;  // what the host writes into PageItems

    void BarMouseDown() override { log_.push_back("down"); }
    void Change(int32_t value) override { log_.push_back("Change " + std::to_string(value)); }
    void Scroll(int32_t value) override { log_.push_back("Scroll " + std::to_string(value)); }
    void BarMouseUp() override { log_.push_back("up"); }
    void LargeChangeClick(int16_t& direction, int32_t& pageItems) override {
        log_.push_back("Ask " + std::to_string(direction) + " " + std::to_string(pageItems));
        if (pageAnswer) pageItems = *pageAnswer;
    }

    // The events since the last call, comma separated.
    std::string Take() {
        std::string out;
        for (const std::string& line : log_) out += (out.empty() ? "" : ", ") + line;
        log_.clear();
        return out;
    }

private:
    std::vector<std::string> log_;
};

constexpr POINT kFormOrigin{100, 50};

template <typename Bar>
struct Harness {
    Platform platform;
    Container container;
    HWND form = platform.windows.CreateWindow(0, "Form", {kFormOrigin.x, kFormOrigin.y, 400, 300});
    std::unique_ptr<Bar> bar;
    Recorder events;

    explicit Harness(WindowPlacement placement) {
        bar = std::make_unique<Bar>(platform, container, form, placement);
        bar->SetEventSink(&events);
    }
    // A message to the bar with the cursor at (x, y) in the form's client pixels.
    void Send(uint32_t msg, int32_t x, int32_t y) {
        platform.system.cursorX = kFormOrigin.x + x;
        platform.system.cursorY = kFormOrigin.y + y;
        platform.windows.SendMessage(bar->hwnd(), msg);
    }
    void Move(int32_t x, int32_t y) { Send(wm::kMouseMove, x, y); }
    void Down(int32_t x, int32_t y) { Send(wm::kLButtonDown, x, y); }
    void Up(int32_t x, int32_t y) { Send(wm::kLButtonUp, x, y); }
    void Wait(int64_t ms) { platform.clock.Advance(ms); }
};

struct VBar : Harness<GlideVScroll> {
    VBar() : Harness({383, 0, 17, 300}) {
        bar->SetItemsVisible(10);
        bar->SetTotalItems(40);
        bar->SetMax(30);
    }
    void Down(int32_t y) { Harness::Down(390, y); }
    void Move(int32_t y) { Harness::Move(390, y); }
    void Up(int32_t y) { Harness::Up(390, y); }
};

}  // namespace

TEST(ScrollBarInput, LayoutForcesTheCellAcrossAndAMinimumLength) {
    VBar v;
    EXPECT_EQ(v.bar->Placement(), (WindowPlacement{383, 0, 17, 300}));
    v.bar->Move(10, 20, 40, 30);  // too wide and shorter than two arrows and a minimum thumb
    EXPECT_EQ(v.bar->Placement(), (WindowPlacement{10, 20, 17, 50}));
    EXPECT_EQ(v.bar->surface().Width(), 17);
    EXPECT_EQ(v.bar->surface().Height(), 50);
    EXPECT_EQ(v.platform.windows.HookCount(v.bar->hwnd()), 5u);

    // A system arrow width below 13 pixels is raised to 13.
    Platform platform;
    platform.system.metrics[metric::kCxHScroll] = 9;
    Container designTime;
    designTime.UserMode = false;
    GlideHScroll h(platform, designTime, 0, {0, 0, 200, 40});
    EXPECT_EQ(h.CellSize(), 13);
    EXPECT_EQ(h.Placement(), (WindowPlacement{0, 0, 200, 13}));
    // At design time the bar hooks nothing.
    EXPECT_EQ(platform.windows.HookCount(h.hwnd()), 0u);
}

TEST(ScrollBarInput, HoldingAnArrowStepsOnceThenWaitsThenRepeats) {
    VBar v;
    v.Down(290);  // second arrow
    EXPECT_EQ(v.events.Take(), "down, Change 1");
    EXPECT_EQ(v.bar->DescribeInput(), "hot=4 press=second dir=1 delay=on repeat=off hover=off");
    v.Wait(500);  // the delay ends; the very first repeat of this bar waits one more tick
    EXPECT_EQ(v.events.Take(), "");
    v.Wait(499);
    EXPECT_EQ(v.events.Take(), "");
    v.Wait(1);
    EXPECT_EQ(v.events.Take(), "Change 2");
    v.Wait(100);
    EXPECT_EQ(v.events.Take(), "Change 3, Change 4");
    v.Up(290);
    EXPECT_EQ(v.events.Take(), "up");
    EXPECT_EQ(v.bar->DescribeInput(), "hot=4 press=none dir=0 delay=off repeat=off hover=off");
    v.Wait(1000);
    EXPECT_EQ(v.events.Take(), "");

    // Later presses repeat 500 ms after the press, then every 50 ms.
    v.Down(290);
    v.Wait(549);
    EXPECT_EQ(v.events.Take(), "down, Change 5");
    v.Wait(1);
    EXPECT_EQ(v.events.Take(), "Change 6");
    v.Wait(50);
    EXPECT_EQ(v.events.Take(), "Change 7");
    v.Up(290);
    v.events.Take();

    // At Min the first arrow changes nothing and raises no Change, yet the delay still runs.
    v.bar->SetValue(0);
    v.Down(5);
    EXPECT_EQ(v.events.Take(), "down");
    EXPECT_EQ(v.bar->DescribeInput(), "hot=2 press=first dir=0 delay=on repeat=off hover=off");
    v.Wait(600);
    EXPECT_EQ(v.events.Take(), "");
    EXPECT_EQ(v.bar->DescribeInput(), "hot=2 press=first dir=0 delay=off repeat=on hover=off");
    // Towards Max the arrows stop at Max.
    v.Up(5);
    v.bar->SetValue(29);
    v.events.Take();
    v.Down(290);
    v.Wait(600);
    EXPECT_EQ(v.events.Take(), "down, Change 30");
    EXPECT_EQ(v.bar->Value(), 30);
}

TEST(ScrollBarInput, PagingStopsWithTheThumbEdgeAtThePointer) {
    VBar v;
    v.events.pageAnswer = 5;
    v.Down(200);  // 3000 twips, below the thumb: towards Max
    EXPECT_EQ(v.events.Take(), "down, Ask 1 0, Change 5");
    EXPECT_EQ(v.bar->DescribeInput(), "hot=0 press=track dir=1 delay=on repeat=off hover=off");
    v.Wait(1000);
    EXPECT_EQ(v.events.Take(), "Ask 1 0, Change 10");
    v.Wait(100);
    // The third page would carry the thumb past the pointer: the step is shortened to reach it.
    EXPECT_EQ(v.events.Take(), "Ask 1 0, Change 15, Ask 1 0, Change 18");
    const ScrollGeometry& g = v.bar->model().geometry();
    EXPECT_NEAR(g.ThumbEnd(), 3000, 99.75 / 2);
    // The thumb has reached the pointer: the next tick stops the repeat without asking.
    v.Wait(50);
    EXPECT_EQ(v.events.Take(), "");
    EXPECT_EQ(v.bar->DescribeInput(), "hot=0 press=track dir=1 delay=off repeat=off hover=off");
    v.Up(200);
    EXPECT_EQ(v.events.Take(), "up");
}

TEST(ScrollBarInput, PagingFollowsAMovingPointerButNeverReverses) {
    VBar v;
    v.events.pageAnswer = 5;
    v.Down(150);  // 2250 twips
    v.Move(250);  // the target moves on to 3750 twips while the button is held
    v.Wait(1100);
    EXPECT_EQ(v.events.Take(), "down, Ask 1 0, Change 5, Ask 1 0, Change 10, Ask 1 0, Change 15, "
                               "Ask 1 0, Change 20");
    // Beyond the thumb's far side: paging stops instead of turning round.
    v.Move(30);
    v.Wait(100);
    EXPECT_EQ(v.events.Take(), "");
    EXPECT_EQ(v.bar->Value(), 20);
    EXPECT_EQ(v.bar->DescribeInput(), "hot=-1 press=track dir=1 delay=off repeat=off hover=on");
    v.Up(30);

    // Towards Min from below the thumb; the hover timer's ticks keep the target current.
    v.events.Take();
    v.Down(20);
    EXPECT_EQ(v.events.Take(), "down, Ask 0 0, Change 15");
    v.Wait(550);  // this bar has repeated before: 500 ms delay, then 50 ms
    EXPECT_EQ(v.events.Take(), "Ask 0 0, Change 10");
}

TEST(ScrollBarInput, HostAnsweringMinusOneKeepsTheBarStill) {
    VBar v;
    v.bar->SetValue(10);
    v.events.pageAnswer = -1;
    v.Down(250);
    EXPECT_EQ(v.events.Take(), "down, Ask 1 0");
    // The auto-repeat still starts; every tick asks again and nothing moves.
    EXPECT_EQ(v.bar->DescribeInput(), "hot=0 press=track dir=1 delay=on repeat=off hover=off");
    v.Wait(1050);
    EXPECT_EQ(v.events.Take(), "Ask 1 0, Ask 1 0");
    EXPECT_EQ(v.bar->Value(), 10);
    // With no answer at all (PageItems stays 0) a press moves nothing and starts no repeat.
    v.Up(250);
    v.events.pageAnswer.reset();
    v.events.Take();
    v.Down(250);
    EXPECT_EQ(v.events.Take(), "down, Ask 1 0");
    EXPECT_EQ(v.bar->DescribeInput(), "hot=0 press=track dir=1 delay=off repeat=off hover=off");
}

TEST(ScrollBarInput, DraggingPastEitherEndPinsAndReanchors) {
    VBar v;
    v.Move(50);
    EXPECT_EQ(v.bar->HotPart(), hotpart::kThumbHot);
    v.Down(50);  // on the thumb
    EXPECT_EQ(v.events.Take(), "down");
    EXPECT_EQ(v.bar->DescribeInput(), "hot=6 press=thumb dir=0 delay=off repeat=off hover=on");
    v.Move(100);  // 750 twips on: 7.5 units, rounded to 8
    EXPECT_EQ(v.events.Take(), "Scroll 8");
    v.Move(299);  // far past the end: pinned at Max, the drag re-anchored here
    EXPECT_EQ(v.events.Take(), "Scroll 30");
    v.Move(290);  // moving back responds at once
    EXPECT_EQ(v.events.Take(), "Scroll 29");
    v.Move(-50);  // above the bar (the pointer is captured): pinned at Min
    EXPECT_EQ(v.events.Take(), "Scroll 0");
    v.Move(0);
    EXPECT_EQ(v.events.Take(), "Scroll 8");
    v.Move(0);  // no change of value, no event
    EXPECT_EQ(v.events.Take(), "");
    v.Up(0);
    EXPECT_EQ(v.events.Take(), "up");
    EXPECT_EQ(v.bar->HotPart(), hotpart::kThumbPressed);  // kept until the next movement
    v.Move(200);
    EXPECT_EQ(v.bar->HotPart(), hotpart::kNone);
}

TEST(ScrollBarInput, HoverEndsOnlyOnceThePointerHasLeftAndNothingIsHeld) {
    VBar v;
    v.Move(5);
    EXPECT_EQ(v.bar->DescribeInput(), "hot=1 press=none dir=0 delay=off repeat=off hover=on");
    v.Move(295);
    EXPECT_EQ(v.bar->HotPart(), hotpart::kSecondArrowHot);
    v.Wait(30);  // still inside: the hot look stays
    EXPECT_EQ(v.bar->HotPart(), hotpart::kSecondArrowHot);
    v.platform.system.cursorX = 10;  // the pointer leaves without another message to the bar
    v.Wait(10);
    EXPECT_EQ(v.bar->DescribeInput(), "hot=-1 press=none dir=0 delay=off repeat=off hover=off");

    // A held button keeps the hover timer alive outside the bar.
    v.Move(5);
    v.Down(5);
    v.platform.system.cursorX = 10;
    v.Wait(30);
    EXPECT_EQ(v.bar->DescribeInput(), "hot=2 press=first dir=0 delay=on repeat=off hover=on");
    v.Up(5);
    v.platform.system.cursorX = 10;
    v.Wait(10);
    EXPECT_EQ(v.bar->DescribeInput(), "hot=-1 press=none dir=0 delay=off repeat=off hover=off");

    // Setting the value it already has repaints nothing.
    const int32_t repaints = v.bar->RepaintCount();
    v.bar->SetValue(v.bar->Value());
    EXPECT_EQ(v.bar->RepaintCount(), repaints);

    // A disabled bar takes no pointer input.
    v.bar->SetEnabled(false);
    v.events.Take();
    v.Move(50);
    v.Down(290);
    EXPECT_EQ(v.events.Take(), "");
    EXPECT_EQ(v.bar->HotPart(), hotpart::kNone);
}

TEST(ScrollBarInput, HorizontalPagingLeavesAFractionAndReadsItBackRounded) {
    // 383 pixels long: a 5745-twip bar, a 1308.75-twip thumb, 13.0875 twips per unit.
    Harness<GlideHScroll> h({0, 283, 383, 17});
    h.bar->SetItemsVisible(100);
    h.bar->SetTotalItems(400);
    h.bar->SetMax(300);
    h.bar->SetLargeChange(100);
    h.Down(200, 290);  // 3000 twips, right of the thumb
    EXPECT_EQ(h.events.Take(), "down, Change 100");
    EXPECT_EQ(h.bar->DescribeInput(), "hot=0 press=track dir=1 delay=on repeat=off hover=off");
    h.Wait(1000);
    // A full page would pass the pointer: the bar moves by the remaining distance and stops.
    EXPECT_EQ(h.events.Take(), "Change 110");
    EXPECT_NEAR(h.bar->model().values().Value, 100 + 127.5 / 13.0875, 1e-9);
    EXPECT_EQ(h.bar->Value(), 110);
    EXPECT_EQ(h.bar->DescribeInput(), "hot=0 press=track dir=1 delay=off repeat=off hover=off");
    EXPECT_NEAR(h.bar->model().geometry().ThumbEnd(), 3000, 1e-6);
    h.Up(200, 290);
    EXPECT_EQ(h.events.Take(), "up");
    // Left of the thumb the distance is shorter than a page at once; the horizontal bar never
    // asks its host how long a page is.
    h.Down(50, 290);
    h.Up(50, 290);
    EXPECT_EQ(h.events.Take(), "down, Change 38, up");
}

TEST(ScrollBarInput, EachSetterRepaintsOrNotAsItsBarDoes) {
    // "+" where the setter repainted the bar, "." where it did not.
    auto trace = [](ScrollBarControl& bar, const std::vector<std::function<void()>>& sets) {
        std::string out;
        for (const auto& set : sets) {
            const int32_t before = bar.RepaintCount();
            set();
            out += bar.RepaintCount() == before ? "." : "+";
        }
        return out;
    };
    VBar v;
    GlideVScroll& vb = *v.bar;
    // Value (changed, unchanged), Min, Max, SmallChange, LargeChange, ItemsVisible, TotalItems,
    // Theme (in range, out of range), MetricsSize, Enabled.
    EXPECT_EQ(trace(vb, {[&] { vb.SetValue(5); }, [&] { vb.SetValue(5); }, [&] { vb.SetMin(1); },
                         [&] { vb.SetMax(20); }, [&] { vb.SetSmallChange(2); },
                         [&] { vb.SetLargeChange(3); }, [&] { vb.SetItemsVisible(5); },
                         [&] { vb.SetTotalItems(30); }, [&] { vb.SetTheme(1); },
                         [&] { vb.SetTheme(3); }, [&] { vb.SetMetricsSize(1); },
                         [&] { vb.SetEnabled(false); }}),
              "+..+...++.++");
    EXPECT_EQ(vb.Theme(), 1);  // 3 is no scheme of the vertical bar
    EXPECT_EQ(vb.MetricsSize(), 1);
    EXPECT_EQ(vb.model().Describe(), "v=5 min=1 max=20 small=2 large=3 items=5/30");

    Harness<GlideHScroll> h({0, 283, 383, 17});
    GlideHScroll& hb = *h.bar;
    hb.SetItemsVisible(100);
    hb.SetTotalItems(400);
    // The horizontal bar neither re-lays its thumb nor repaints for a new Max, and takes any
    // theme its host hands it.
    EXPECT_EQ(trace(hb, {[&] { hb.SetValue(5); }, [&] { hb.SetMin(1); }, [&] { hb.SetMax(300); },
                         [&] { hb.SetTotalItems(200); }, [&] { hb.SetTheme(3); }}),
              "+..++");
    EXPECT_EQ(hb.Theme(), 3);
}
