// The tooltip pop-up: its geometry, the shadow made from what lies under it, and its picture
// over a known background.
#include <gtest/gtest.h>

#include "tests/support/golden.h"
#include "platform/TooltipWindow.h"

using namespace glv;

namespace {

struct Fixture {
    Platform platform;
    Form form{platform, 200, 120, {30, 20}};
    HWND list = platform.windows.CreateWindow(form.hwnd(), "List", {0, 0, 200, 120});
    Surface listPicture{200, 120};
    TooltipWindow tip{platform, form};
    int listPresses = 0;

    Fixture() {
        // Bands of known colours, so every shade can be checked against its source pixel.
        const COLORREF bands[] = {RGB(255, 255, 255), RGB(90, 160, 230), RGB(250, 200, 40), RGB(20, 40, 60)};
        for (int y = 0; y < 120; ++y)
            listPicture.FillRect({0, y, 200, y + 1}, bands[(y / 6) % 4]);
        RegisterSurface(platform.windows, list, &listPicture);
        platform.windows.SetWindowProcedure(list, [this](uint32_t msg, intptr_t, intptr_t) {
            if (msg == wm::kLButtonDown) ++listPresses;
            return intptr_t{0};
        });
        TooltipStyle style;
        style.back = RGB(255, 255, 225);
        style.fore = RGB(0, 0, 0);
        style.border = RGB(0, 0, 128);
        tip.SetStyle(style);
    }
};

}  // namespace

TEST(TooltipWindow, GeometryFollowsTheLabel) {
    const TooltipLayout layout = LayoutTooltip({40, 13});
    EXPECT_EQ(layout.window, (SIZE{56, 25}));
    EXPECT_EQ(ToString(layout.body), "0,0,53,21");
    EXPECT_EQ(ToString(layout.label), "6,4,46,17");  // (25 - 13) / 2 - 2 from the top
    EXPECT_EQ(ToString(LayoutTooltip({7, 14}).label), "6,4,13,18");

    struct Row {
        uint32_t pixel;
        int32_t shade;
        uint32_t shaded;
    };
    const Row rows[] = {{0xFFFFFF, 180, 0xB4B4B4}, {0x102030, 240, 0x011121},
                        {0x050505, 180, 0x000000}, {0xFF00FF, 255, 0xFF00FF}};
    for (const Row& row : rows) EXPECT_EQ(ShadePixel(row.pixel, row.shade), row.shaded) << row.pixel;
}

TEST(TooltipWindow, ShadowDarkensTheFormUnderItsRightAndBottomEdges) {
    Fixture f;
    ASSERT_TRUE(f.tip.Show("Tip", {20, 10}));
    const TooltipLayout& layout = f.tip.Layout();
    const SIZE label = f.platform.text.GetTextExtentPoint32({}, "Tip");
    EXPECT_EQ(layout.window, (SIZE{label.cx + 16, label.cy + 12}));
    const POINT at = f.tip.Position();
    EXPECT_EQ(at, (POINT{20, 10 + layout.window.cy}));  // a window height below the pointer

    const Surface& picture = f.tip.Picture();
    const int32_t w = layout.window.cx;
    const int32_t h = layout.window.cy;
    // The pixel of the form under (x, y) of the window, shaded.
    auto under = [&](int32_t x, int32_t y, int level) {
        const uint32_t source = f.listPicture.Pixels()[(at.y + y) * 200 + at.x + x];
        return FromPixel(level < 0 ? source : ShadePixel(source, TooltipLayout::kShades[static_cast<size_t>(level)]));
    };
    struct Probe {
        int32_t x, y;
        int level;  // -1: left as it is
    };
    const Probe probes[] = {
        {w - 1, 0, -1}, {w - 1, 3, -1}, {w - 3, 2, -1},  // above the right band
        {w - 1, 4, 3},  {w - 2, 9, 2},  {w - 3, 9, 1},   // the right band, darkest inside
        {0, h - 1, -1}, {3, h - 2, -1},                  // left of the bottom band
        {4, h - 4, 0},  {9, h - 3, 1},  {9, h - 1, 3},   // the bottom band
        {w - 1, h - 1, 3}, {w - 3, h - 4, 1},            // where the bands meet: the lighter
    };
    for (const Probe& p : probes)
        EXPECT_EQ(picture.GetPixel(p.x, p.y), under(p.x, p.y, p.level)) << p.x << "," << p.y;
    EXPECT_EQ(picture.GetPixel(0, 0), RGB(0, 0, 128));
    EXPECT_EQ(picture.GetPixel(w - 4, h - 5), RGB(0, 0, 128));
    EXPECT_EQ(picture.GetPixel(1, 1), RGB(255, 255, 225));

    // The form shows it over everything; it never takes the pointer or the focus.
    const Surface frame = f.form.Compose();
    EXPECT_EQ(frame.GetPixel(at.x, at.y), RGB(0, 0, 128));
    EXPECT_FALSE(f.platform.windows.SetFocus(f.tip.hwnd()));
    f.form.Pointer(Form::PointerAction::Down, at.x + 2, at.y + 2);
    EXPECT_EQ(f.listPresses, 1);
    EXPECT_EQ(f.platform.windows.GetFocus(), f.list);

    EXPECT_TRUE(f.tip.Show("Another", {0, 0}));  // already shown: stays as it is
    EXPECT_EQ(f.tip.Position(), at);
    f.tip.Hide();
    EXPECT_FALSE(f.tip.Shown());
    EXPECT_EQ(f.form.Compose().GetPixel(at.x, at.y), f.listPicture.GetPixel(at.x, at.y));
}

TEST(TooltipWindow, StaysOnTheFormAndShowsNothingForEmptyText) {
    Fixture f;
    EXPECT_FALSE(f.tip.Show("", {20, 10}));
    EXPECT_FALSE(f.tip.Shown());
    // Near the bottom right: above the pointer, pulled left inside the form.
    ASSERT_TRUE(f.tip.Show("Ünïcödé 日本", {190, 110}));
    const TooltipLayout& layout = f.tip.Layout();
    EXPECT_EQ(layout.window.cx, f.platform.text.GetTextExtentPoint32({}, "Ünïcödé 日本").cx + 16);
    EXPECT_EQ(f.tip.Position(), (POINT{200 - layout.window.cx, 110 - layout.window.cy}));
}

TEST(TooltipWindow, PictureOverKnownBackground) {
    Fixture f;
    ASSERT_TRUE(f.tip.Show("Row 12: Ünïcode tip", {8, 4}));
    test::ExpectMatchesGolden(f.form.Compose(), "tooltip_window");
}
