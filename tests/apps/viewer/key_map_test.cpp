// Keys, modifiers and the wheel as the runtime reports them to the control.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "apps/viewer/KeyMap.h"
#include "apps/viewer/Viewer.h"
#include "platform/Platform.h"

namespace glv::viewer {
namespace {

TEST(KeyMap, SdlKeysBecomeVirtualKeyCodes) {
    struct Case {
        SDL_Keycode key;
        int32_t virtualKey;
    } cases[] = {
        {SDLK_UP, 38},      {SDLK_DOWN, 40},     {SDLK_LEFT, 37},     {SDLK_RIGHT, 39},   {SDLK_PAGEUP, 33},
        {SDLK_PAGEDOWN, 34}, {SDLK_HOME, 36},    {SDLK_END, 35},      {SDLK_DELETE, 46},  {SDLK_RETURN, 13},
        {SDLK_KP_ENTER, 13}, {SDLK_ESCAPE, 27},  {SDLK_LCTRL, 17},    {SDLK_RCTRL, 17},   {SDLK_LSHIFT, 16},
        {SDLK_RSHIFT, 16},  {SDLK_LALT, 18},     {SDLK_RALT, 18},     {SDLK_a, 'A'},      {SDLK_z, 'Z'},
        {SDLK_0, '0'},      {SDLK_9, '9'},       {SDLK_F1, 112},      {SDLK_F12, 123},    {SDLK_F13, 124},
        {SDLK_F24, 135},    {SDLK_SPACE, 32},    {SDLK_TAB, 9},       {SDLK_BACKSPACE, 8}, {SDLK_INSERT, 45},
        {SDLK_KP_5, 101},   {SDLK_APPLICATION, 93},
    };
    for (const Case& c : cases) EXPECT_EQ(VirtualKeyOf(c.key), c.virtualKey) << SDL_GetKeyName(c.key);
    // Keys the control has no code for are not delivered.
    EXPECT_EQ(VirtualKeyOf(SDLK_AUDIOPLAY), std::nullopt);
    EXPECT_EQ(VirtualKeyOf(SDLK_UNKNOWN), std::nullopt);
}

TEST(KeyMap, ModifiersBecomeTheShiftMask) {
    struct Case {
        uint16_t modifiers;
        int32_t mask;
    } cases[] = {
        {KMOD_NONE, 0}, {KMOD_LSHIFT, 1}, {KMOD_RSHIFT, 1}, {KMOD_LCTRL, 2}, {KMOD_RALT, 4},
        {KMOD_LSHIFT | KMOD_RCTRL | KMOD_LALT, 7}, {KMOD_CAPS | KMOD_NUM, 0}, {KMOD_GUI, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(ShiftMaskOf(c.modifiers), c.mask) << c.modifiers;
}

TEST(WheelAccumulator, FractionsAddUpToWholeNotches) {
    struct Case {
        std::vector<double> notches;
        std::vector<int32_t> deltas;
    } cases[] = {
        {{1}, {120}},
        {{-2}, {-240}},
        {{0.5, 0.25, 0.25}, {0, 0, 120}},
        {{0.4, 0.4, 0.4, -0.2}, {0, 0, 120, 0}},
        {{0.75, -0.5, -0.5}, {0, 0, 0}},  // back through zero: nothing whole either way
        {{2.6, 0.4}, {240, 120}},
        {{-0.7, -0.7}, {0, -120}},
    };
    for (const Case& c : cases) {
        WheelAccumulator wheel;
        std::vector<int32_t> deltas;
        for (double n : c.notches) deltas.push_back(wheel.Add(n));
        EXPECT_EQ(deltas, c.deltas) << testing::PrintToString(c.notches);
    }
}

// Records the key messages a window receives.
class KeySpy final : public MessageSink {
public:
    intptr_t WindowProc(HWND, uint32_t msg, intptr_t wParam, intptr_t lParam) override {
        lines.push_back(std::to_string(msg) + ":" + std::to_string(wParam) + ((lParam >> 29) & 1 ? " alt" : ""));
        return 0;
    }
    std::vector<std::string> lines;
};

TEST(DeliverKey, KeysGoToTheFocusWithTheSystemKeyState) {
    Platform platform;
    const HWND first = platform.windows.CreateWindow(0, "A");
    const HWND second = platform.windows.CreateWindow(0, "B");
    KeySpy spyFirst, spySecond;
    for (uint32_t msg : {wm::kKeyDown, wm::kKeyUp, wm::kSysKeyDown, wm::kSysKeyUp, 0x0102u, 0x0106u}) {
        platform.windows.AttachMessage(&spyFirst, first, msg);
        platform.windows.AttachMessage(&spySecond, second, msg);
    }
    // Nothing has the focus: the fallback window takes the keys.
    DeliverKey(platform, first, KeyAction::Down, 40, 0);
    DeliverKey(platform, first, KeyAction::Up, 40, 0);
    EXPECT_EQ(spyFirst.lines, (std::vector<std::string>{"256:40", "257:40"}));

    platform.windows.SetFocus(second);
    DeliverKey(platform, first, KeyAction::Down, 17, 2);
    EXPECT_TRUE(platform.system.KeyDown(17));
    DeliverKey(platform, first, KeyAction::Down, 18, 6);
    DeliverKey(platform, first, KeyAction::Press, 'x', 6);
    DeliverKey(platform, first, KeyAction::Up, 18, 2);
    DeliverKey(platform, first, KeyAction::Up, 17, 0);
    EXPECT_FALSE(platform.system.KeyDown(17));
    EXPECT_FALSE(platform.system.KeyDown(18));
    EXPECT_EQ(spySecond.lines,
              (std::vector<std::string>{"256:17", "260:18 alt", "262:120 alt", "261:18 alt", "257:17"}));
}

}  // namespace
}  // namespace glv::viewer
