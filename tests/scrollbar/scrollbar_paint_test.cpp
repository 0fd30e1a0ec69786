// Scroll bar painting: the part strip and the composed bar.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/golden.h"
#include "platform/Image.h"
#include "resources/Bitmaps.h"
#include "scrollbar/ScrollPainter.h"

using namespace glv;

namespace {

constexpr int32_t kCell = 17;
constexpr int32_t kLength = 80;

struct Look {
    const char* name;
    BarPaintState state;
};

// Every look a bar can show, with the thumb at pixels 30..50.
std::vector<Look> AllLooks() {
    auto with = [](int32_t hot, bool before, bool after, bool enabled) {
        BarPaintState s;
        s.thumbStart = 30;
        s.thumbLength = 20;
        s.hotPart = hot;
        s.trackBeforePressed = before;
        s.trackAfterPressed = after;
        s.enabled = enabled;
        return s;
    };
    using namespace hotpart;
    return {
        {"normal", with(kInitial, false, false, true)},
        {"first hot", with(kFirstArrowHot, false, false, true)},
        {"first pressed", with(kFirstArrowPressed, false, false, true)},
        {"second hot", with(kSecondArrowHot, false, false, true)},
        {"second pressed", with(kSecondArrowPressed, false, false, true)},
        {"thumb hot", with(kThumbHot, false, false, true)},
        {"thumb pressed", with(kThumbPressed, false, false, true)},
        {"track before", with(kNone, true, false, true)},
        {"track after", with(kNone, false, true, true)},
        {"disabled", with(kInitial, false, false, false)},
    };
}

Surface BarSurface(ScrollAxis axis) {
    return axis == ScrollAxis::Vertical ? Surface(kCell, kLength) : Surface(kLength, kCell);
}

// One bar per look and theme, two pixels apart on a white sheet: themes one after another.
Surface LookSheet(ScrollAxis axis) {
    const std::vector<Look> looks = AllLooks();
    const int32_t count = static_cast<int32_t>(looks.size()) * 3;
    const bool vertical = axis == ScrollAxis::Vertical;
    Surface sheet = vertical ? Surface(count * (kCell + 2), kLength, RGB(255, 255, 255))
                             : Surface(kLength, count * (kCell + 2), RGB(255, 255, 255));
    int32_t slot = 0;
    for (int32_t theme = 0; theme < 3; ++theme) {
        PartStrip strip(axis);
        strip.Resize(kCell, kLength);
        EXPECT_TRUE(strip.Build(theme)) << theme;
        for (const Look& look : looks) {
            Surface bar = BarSurface(axis);
            strip.Compose(bar, look.state);
            const int32_t offset = slot++ * (kCell + 2);
            sheet.BitBlt(vertical ? offset : 0, vertical ? 0 : offset, bar.Width(), bar.Height(),
                         bar, 0, 0);
        }
    }
    return sheet;
}

// The pixels of a row (vertical bar) as a string, for comparing whole rows.
std::vector<uint32_t> Row(const Surface& s, int32_t y) {
    return {s.Pixels() + y * s.Width(), s.Pixels() + (y + 1) * s.Width()};
}

}  // namespace

TEST(ScrollBarPaint, PartNamesFollowTheResourceScheme) {
    EXPECT_EQ(ScrollPartName(ScrollAxis::Vertical, ScrollPart::FirstButton, PartLook::Normal, 0), "VS_UP(0)");
    EXPECT_EQ(ScrollPartName(ScrollAxis::Vertical, ScrollPart::FirstGlyph, PartLook::Disabled, 1),
              "VS_UPARROWDISABLED");
    EXPECT_EQ(ScrollPartName(ScrollAxis::Horizontal, ScrollPart::LeadingCap, PartLook::Hot, 1),
              "HS_EDGELEFTHOT(1)");
    EXPECT_EQ(ScrollPartName(ScrollAxis::Horizontal, ScrollPart::PressedTrack, PartLook::Normal, 2),
              "HS_BACKHOT(2)");
    EXPECT_EQ(ScrollPartName(ScrollAxis::Vertical, ScrollPart::TrailingCap, PartLook::Pressed, 2),
              "VS_BOTTOMPRESS(2)");
}

TEST(ScrollBarPaint, EveryPartExistsInEverySchemeWithItsSize) {
    struct Expect {
        const char* name;
        int32_t w, h;
    };
    const Expect sizes[] = {
        {"VS_UP(t)", 17, 17}, {"VS_DOWNPRESS(t)", 17, 17}, {"VS_UPARROW(t)", 9, 6},
        {"VS_TOPHOT(t)", 17, 3}, {"VS_BAR(t)", 17, 6}, {"VS_BOTTOMPRESS(t)", 17, 3},
        {"VS_GRIPBAR(t)", 7, 8}, {"VS_BACK(t)", 17, 7}, {"VS_BACKHOT(t)", 17, 8},
        {"HS_RIGHTHOT(t)", 17, 17}, {"HS_LEFTARROW(t)", 6, 9}, {"HS_EDGERIGHT(t)", 3, 17},
        {"HS_GRIPBAR(t)", 8, 7}, {"HS_BACK(t)", 4, 17},
    };
    for (int theme = 0; theme < 3; ++theme) {
        for (const Expect& e : sizes) {
            std::string name = e.name;
            name.replace(name.find('t'), 1, std::to_string(theme));
            const Image* image = FindBitmap(name);
            ASSERT_NE(image, nullptr) << name;
            EXPECT_EQ(std::to_string(image->Width) + "x" + std::to_string(image->Height),
                      std::to_string(e.w) + "x" + std::to_string(e.h)) << name;
        }
    }
    // Sizes that differ by scheme.
    const std::pair<const char*, int32_t> widths[] = {
        {"HS_BAR(0)", 4}, {"HS_BAR(1)", 5}, {"HS_BARHOT(2)", 4},
        {"HS_BACKHOT(0)", 8}, {"HS_BACKHOT(1)", 9}, {"HS_BACKHOT(2)", 7}};
    for (auto [name, width] : widths) {
        ASSERT_NE(FindBitmap(name), nullptr) << name;
        EXPECT_EQ(FindBitmap(name)->Width, width) << name;
    }
    for (const char* name : {"VS_UPDISABLED", "VS_DOWNARROWDISABLED", "HS_LEFTDISABLED",
                             "HS_RIGHTARROWDISABLED"})
        EXPECT_NE(FindBitmap(name), nullptr) << name;
}

TEST(ScrollBarPaint, ComposedThumbIsThePreDrawnThumbWithItsTrailingCapLaidOver) {
    PartStrip strip(ScrollAxis::Vertical);
    strip.Resize(kCell, kLength);
    ASSERT_TRUE(strip.Build(0));
    const Surface& parts = *strip.surface();
    EXPECT_EQ(parts.Width(), 6 * kCell);
    EXPECT_EQ(parts.Height(), kLength);

    BarPaintState state;
    state.thumbStart = 25;
    state.thumbLength = 18;
    Surface bar(kCell, kLength);
    strip.Compose(bar, state);
    Surface expected(kCell, 1);
    auto stripRow = [&](int32_t cellIndex, int32_t y) {
        expected.BitBlt(0, 0, kCell, 1, parts, cellIndex * kCell, y);
        return Row(expected, 0);
    };
    // The grip covers the thumb's middle columns; compare the columns beside it.
    auto edges = [](std::vector<uint32_t> row) {
        return std::vector<uint32_t>{row[0], row[1], row[2], row[14], row[15], row[16]};
    };
    // Leading rows: the strip's thumb from its start; last three rows: its trailing cap.
    for (int32_t i = 0; i < 15; ++i)
        EXPECT_EQ(edges(Row(bar, 25 + i)), edges(stripRow(0, kCell + i))) << "thumb row " << i;
    for (int32_t i = 0; i < 3; ++i)
        EXPECT_EQ(Row(bar, 40 + i), stripRow(0, kLength - kCell - 3 + i)) << "cap row " << i;
    // Around the thumb: plain track; the buttons come from the normal cell.
    EXPECT_EQ(Row(bar, 24), stripRow(4, 24));
    EXPECT_EQ(Row(bar, 43), stripRow(4, 43));
    EXPECT_EQ(Row(bar, 5), stripRow(0, 5));
    EXPECT_EQ(Row(bar, kLength - 5), stripRow(0, kLength - 5));
    // The grip is the grip bitmap, opaque, centred on the thumb.
    const Image& grip = *FindBitmap("VS_GRIPBAR(0)");
    for (int32_t y = 0; y < grip.Height; ++y)
        for (int32_t x = 0; x < grip.Width; ++x)
            ASSERT_EQ(bar.Pixels()[(25 + 9 - 4 + y) * kCell + (kCell / 2 - 3 + x)],
                      grip.At(x, y) & 0xFFFFFFu) << x << "," << y;

    // Disabled: disabled buttons over a plain track, no thumb and no grip, whatever the values.
    state.enabled = false;
    state.hotPart = hotpart::kThumbPressed;
    strip.Compose(bar, state);
    for (int32_t y = kCell; y < kLength - kCell; ++y)
        ASSERT_EQ(Row(bar, y), stripRow(4, y)) << y;
    EXPECT_EQ(Row(bar, 3), stripRow(3, 3));
}

TEST(ScrollBarPaint, HoverThenPressSwitchesOnlyTheThumb) {
    PartStrip strip(ScrollAxis::Horizontal);
    strip.Resize(kCell, kLength);
    ASSERT_TRUE(strip.Build(1));
    BarPaintState state;
    state.thumbStart = 30;
    state.thumbLength = 20;
    state.hotPart = hotpart::kThumbHot;
    Surface hot(kLength, kCell), pressed(kLength, kCell), normal(kLength, kCell);
    strip.Compose(hot, state);
    state.hotPart = hotpart::kThumbPressed;
    strip.Compose(pressed, state);
    state.hotPart = hotpart::kInitial;
    strip.Compose(normal, state);
    auto column = [](const Surface& s, int32_t x) {
        std::vector<uint32_t> out;
        for (int32_t y = 0; y < s.Height(); ++y) out.push_back(s.Pixels()[y * s.Width() + x]);
        return out;
    };
    EXPECT_NE(column(hot, 33), column(pressed, 33));
    EXPECT_NE(column(hot, 33), column(normal, 33));
    for (int32_t x : {2, 10, kLength - 3})
        EXPECT_EQ(column(hot, x), column(pressed, x)) << x;
}

TEST(ScrollBarPaint, MissingSchemeStopsQuietlyKeepingThePicture) {
    PartStrip strip(ScrollAxis::Horizontal);
    strip.Resize(kCell, kLength);
    ASSERT_TRUE(strip.Build(2));
    const Surface before = *strip.surface();
    EXPECT_FALSE(strip.Build(7));  // no such scheme: nothing is drawn
    EXPECT_EQ(std::vector<uint32_t>(before.Pixels(), before.Pixels() + before.Width() * before.Height()),
              std::vector<uint32_t>(strip.surface()->Pixels(),
                                    strip.surface()->Pixels() + before.Width() * before.Height()));
}

TEST(ScrollBarPaint, EveryLookOfBothBarsInEveryScheme) {
    test::ExpectMatchesGolden(LookSheet(ScrollAxis::Vertical), "scrollbar_vertical_looks");
    test::ExpectMatchesGolden(LookSheet(ScrollAxis::Horizontal), "scrollbar_horizontal_looks");
}

TEST(ScrollBarPaint, LargerCellsStretchTheMiddleAndKeepTheCorners) {
    PartStrip strip(ScrollAxis::Vertical);
    strip.Resize(24, 120);
    ASSERT_TRUE(strip.Build(0));
    BarPaintState state;
    state.thumbStart = 40;
    state.thumbLength = 30;
    Surface bar(24, 120);
    strip.Compose(bar, state);
    test::ExpectMatchesGolden(bar, "scrollbar_vertical_cell24");
    // The button's corner pixels are the bitmap's own, unscaled.
    const Image& up = *FindBitmap("VS_UP(0)");
    for (auto [x, y] : {std::pair{0, 0}, {1, 1}, {2, 0}})
        EXPECT_EQ(bar.Pixels()[y * 24 + x], up.At(x, y) & 0xFFFFFFu);
    EXPECT_EQ(bar.Pixels()[0 * 24 + 23], up.At(16, 0) & 0xFFFFFFu);
    EXPECT_EQ(bar.Pixels()[23 * 24 + 23], up.At(16, 16) & 0xFFFFFFu);
}
