// The viewer in a window on SDL's dummy video driver, driven through SDL's own event queue: the
// frame it shows must be the picture `glv run` takes after the same steps.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "apps/scenario/Scenario.h"
#include "apps/viewer/SdlViewer.h"
#include "platform/Image.h"

namespace glv::viewer {
namespace {

namespace fs = std::filesystem;

// A list taller than its window, so both the wheel and the thumb have something to move.
std::string Scenario(const std::string& moreSteps) {
    std::string steps = R"({"call": "Columns.Add", "args": ["Name", null, 100]},
                           {"call": "Columns.Add", "args": ["Size", null, 60]})";
    for (int i = 1; i <= 30; ++i)
        steps += R"(, {"call": "AddItemQuick", "args": [["row )" + std::to_string(i) + R"(", 0, ")" +
                 std::to_string(i * 7) + R"( KB", 0]]})";
    return R"({"size": [200, 124], "steps": [)" + steps + moreSteps + "]}";
}

fs::path OutDir() { return fs::path(GLV_TEST_OUT_DIR) / "viewer-window"; }

// What `glv run` draws after the steps: the scenario's own snapshot.
Surface Expected(const std::string& steps, const std::string& name) {
    scenario::RunOptions options;
    options.outDir = OutDir();
    std::ostringstream events, diagnostics;
    const int status = scenario::RunScenario(Scenario(steps + R"(, {"snapshot": ")" + name + R"(.png"})"), options,
                                             events, diagnostics);
    EXPECT_EQ(status, 0) << diagnostics.str();
    return LoadPngSurface((OutDir() / (name + ".png")).string());
}

bool SamePicture(const Surface& actual, const Surface& expected, const std::string& name) {
    bool same = actual.Width() == expected.Width() && actual.Height() == expected.Height();
    for (int32_t y = 0; same && y < actual.Height(); ++y)
        for (int32_t x = 0; same && x < actual.Width(); ++x) same = actual.GetPixel(x, y) == expected.GetPixel(x, y);
    if (!same) SavePng(actual, (OutDir() / (name + ".viewer.png")).string());
    return same;
}

// SDL's dummy video driver: windows and renderers in memory, with no display, however the tests
// are started.
bool UseDummyVideo() { return setenv("SDL_VIDEODRIVER", "dummy", 1) == 0; }

// The window on the control the scenario set up, with a clock the test moves.
struct WindowTest {
    int64_t now = 1000;
    bool headless = UseDummyVideo();
    SdlVideo video;
    ViewerEvents events{nullptr};
    Viewer viewer;
    std::unique_ptr<SdlViewer> window;

    explicit WindowTest(scenario::Host& host) : viewer(host, events) {
        WindowOptions options;
        options.width = 200;
        options.height = 124;
        options.clockMs = [this] { return now; };
        std::string error;
        if (video.ok()) window = SdlViewer::Open(viewer, options, error);
        EXPECT_NE(window, nullptr) << video.error() << error;
        // What the window system said while the window opened (shown, focus) is not part of
        // the steps being compared.
        SDL_PumpEvents();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    }

    void Motion(int x, int y) {
        SDL_Event e{};
        e.type = SDL_MOUSEMOTION;
        e.motion.x = x;
        e.motion.y = y;
        SDL_PushEvent(&e);
    }
    void Button(bool down, int x, int y) {
        SDL_Event e{};
        e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
        e.button.button = SDL_BUTTON_LEFT;
        e.button.x = x;
        e.button.y = y;
        SDL_PushEvent(&e);
    }
    void Wheel(float notches) {
        SDL_Event e{};
        e.type = SDL_MOUSEWHEEL;
        e.wheel.preciseY = notches;
        e.wheel.y = static_cast<Sint32>(notches);
        e.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
        SDL_PushEvent(&e);
    }
    void Frame() { ASSERT_TRUE(window->Frame()); }
};

// Runs the scenario's setup, then hands its control to a window for the test body.
void WithWindow(const std::function<void(WindowTest&)>& body) {
    scenario::RunOptions options;
    options.handOver = [&](scenario::Host& host) {
        WindowTest test(host);
        if (test.window) body(test);
        return 0;
    };
    std::ostringstream events, diagnostics;
    EXPECT_EQ(scenario::RunScenario(Scenario(""), options, events, diagnostics), 0) << diagnostics.str();
}

TEST(ViewerWindow, ThumbDragAndWheelShowWhatTheScenarioDraws) {
    const Surface expected = Expected(R"(, {"pointer": "move", "x": 190, "y": 25},
        {"pointer": "down", "x": 190, "y": 25}, {"pointer": "move", "x": 190, "y": 60},
        {"pointer": "up", "x": 190, "y": 60}, {"wait": 10}, {"wheel": 120})",
                                      "drag-and-wheel");
    WithWindow([&](WindowTest& t) {
        t.Motion(190, 25);
        t.Button(true, 190, 25);
        t.Frame();
        t.Motion(190, 60);
        t.Frame();
        t.Button(false, 190, 60);
        t.Frame();
        t.now += 10;
        t.Frame();
        // Half notches add up to the one notch the scenario turns.
        t.Wheel(0.5f);
        t.Frame();
        EXPECT_EQ(t.viewer.Control().TopIndex(), 12) << "half a notch must not scroll";
        t.Wheel(0.5f);
        t.Frame();
        EXPECT_TRUE(SamePicture(t.viewer.Frame(), expected, "drag-and-wheel"));
        EXPECT_EQ(t.viewer.Status().substr(0, 21), "30 items, 0 selected");
    });
}

TEST(ViewerWindow, WindowResizeResizesTheControl) {
    const Surface expected = Expected(R"(, {"resize": [260, 150]}, {"wheel": -240})", "resize");
    WithWindow([&](WindowTest& t) {
        t.Frame();
        SDL_SetWindowSize(t.window->window(), 260, 150);
        t.Frame();
        t.Wheel(-2);
        t.Frame();
        EXPECT_EQ(t.viewer.Control().Width(), 260);
        EXPECT_TRUE(SamePicture(t.viewer.Frame(), expected, "resize"));
    });
}

TEST(ViewerWindow, TheClockFollowsTheRealClockFromTheFirstFrame) {
    WithWindow([&](WindowTest& t) {
        const int64_t start = t.viewer.platform().clock.Now();
        t.Frame();  // sets the origin
        t.now += 250;
        t.Frame();
        t.now += 5;
        t.Frame();
        EXPECT_EQ(t.viewer.platform().clock.Now() - start, 255);
    });
}

TEST(ViewerEvents, ADoubleClickReachesHostCodeAfterItsLine) {
    ViewerEvents events(nullptr);
    std::string seen;
    events.onItemDblClick = [&](const tListItemInfo& item, int32_t index) {
        seen = item.cLIText + "@" + std::to_string(index) + " after " + events.Lines().back();
    };
    tListItemInfo item;
    item.cLIText = "Pictures";
    events.ItemDblClick(1, item, 3);
    events.ItemDblClickAlt(1, 3);
    EXPECT_EQ(seen, "Pictures@3 after ItemDblClick Button=1 ItemIndex=3");
    EXPECT_EQ(events.LastLine(), "ItemDblClickAlt Button=1 ItemIndex=3");
    EXPECT_TRUE(events.Lines().empty());
    EXPECT_EQ(events.LastLine(), "ItemDblClickAlt Button=1 ItemIndex=3");
}

}  // namespace
}  // namespace glv::viewer
