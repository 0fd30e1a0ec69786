// Surface primitives and cMemDC, pixel by pixel on tiny bitmaps.
// Ideas not written yet: pen widths on diagonal lines; BitBlt from an empty surface onto itself.
#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <vector>

#include "tests/support/golden.h"
#include "platform/MemDC.h"
#include "platform/Surface.h"

namespace glv {
namespace {

using test::PixelMap;
constexpr COLORREF kWhite = RGB(255, 255, 255);

Surface Lines(int32_t w, int32_t h, std::initializer_list<RECT> segments) {
    Surface s(w, h);
    s.SetPen(kWhite);
    for (const RECT& seg : segments) {
        s.MoveTo(seg.Left, seg.Top);
        s.LineTo(seg.Right, seg.Bottom);
    }
    return s;
}

TEST(Surface, LinesExcludeTheirEndPointInEveryDirection) {
    // Left to right, right to left, top to bottom, bottom to top: the end pixel stays black.
    EXPECT_EQ(PixelMap(Lines(6, 4, {{0, 0, 4, 0}, {5, 1, 1, 1}, {0, 2, 0, 4}, {5, 3, 5, 2}})), R"(
####..
..####
#.....
#....#
)");
    // A diagonal, a shallow and a steep line; each point is the line rounded to nearest.
    EXPECT_EQ(PixelMap(Lines(5, 5, {{0, 0, 4, 4}})), R"(
#....
.#...
..#..
...#.
.....
)");
    EXPECT_EQ(PixelMap(Lines(6, 3, {{0, 0, 6, 2}, {5, 2, 5, 2}})), R"(
##....
..###.
.....#
)");
    EXPECT_EQ(PixelMap(Lines(3, 5, {{2, 4, 0, 0}})), "\n...\n#..\n.#.\n.#.\n..#\n");
}

TEST(Surface, LineToMovesTheCurrentPositionSoJointsAreDrawnOnce) {
    Surface s(4, 4);
    s.SetPen(kWhite);
    EXPECT_EQ(s.MoveTo(0, 0), (POINT{0, 0}));
    s.LineTo(3, 0);
    s.LineTo(3, 3);
    s.LineTo(0, 3);
    s.LineTo(0, 0);
    EXPECT_EQ(s.CurrentPosition(), (POINT{0, 0}));
    EXPECT_EQ(s.MoveTo(2, 2), (POINT{0, 0}));
    EXPECT_EQ(PixelMap(s), R"(
####
#..#
#..#
####
)");
}

TEST(Surface, LinesAreClippedToTheBufferAndTheClipRect) {
    // Far outside on both ends, negative coordinates, and lines wholly outside.
    Surface s = Lines(5, 4, {{INT_MIN, 0, INT_MAX, 0}, {-3, -2, 2, 3}, {-10, 5, 10, 5},
                             {2, INT_MAX, 2, INT_MIN}});
    EXPECT_EQ(PixelMap(s), R"(
#####
#.#..
.##..
..#..
)");
    Surface c(5, 3);
    c.SetClipRect({1, 0, 4, 2});
    c.SetPen(kWhite);
    c.MoveTo(-5, 1);
    c.LineTo(50, 1);
    c.MoveTo(0, 0);
    c.LineTo(5, 0);
    c.MoveTo(2, -4);
    c.LineTo(2, 9);
    EXPECT_EQ(PixelMap(c), R"(
.###.
.###.
.....
)");
    // A steep line spanning the whole int range stays cheap: only the visible steps are walked.
    Surface d = Lines(3, 3, {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}});
    EXPECT_EQ(PixelMap(d), "\n#..\n.#.\n..#\n");
}

TEST(Surface, WidePenStampsASquarePerPoint) {
    Surface s(6, 5);
    s.SetPen(kWhite, 3);
    s.MoveTo(1, 2);
    s.LineTo(4, 2);
    EXPECT_EQ(PixelMap(s), R"(
......
#####.
#####.
#####.
......
)");
}

TEST(Surface, FillAndFrameCoverRightAndBottomExclusively) {
    Surface s(6, 5);
    s.FillRect({1, 1, 3, 3}, kWhite);
    s.FillRect({4, 1, 4, 3}, kWhite);   // zero width
    s.FillRect({5, 3, 4, 4}, kWhite);   // inverted
    s.FillRect({-9, 4, 2, 99}, kWhite); // hangs off two edges
    EXPECT_EQ(PixelMap(s), R"(
......
.##...
.##...
......
##....
)");
    Surface f(7, 5);
    f.FrameRect({0, 0, 4, 4}, kWhite);
    f.FrameRect({5, 0, 6, 3}, kWhite);   // one pixel wide: a single column
    f.FrameRect({5, 4, 5, 5}, kWhite);   // empty: nothing
    EXPECT_EQ(PixelMap(f), R"(
####.#.
#..#.#.
#..#.#.
####...
.......
)");
}

TEST(Surface, BoxIncludesBothCornersInAnyOrder) {
    Surface s(7, 4);
    s.DrawBox(3, 2, 0, 0, kWhite, false);
    s.DrawBox(5, 1, 6, 3, kWhite, true);
    EXPECT_EQ(PixelMap(s), R"(
####...
#..#.##
####.##
.....##
)");
}

TEST(Surface, PixelsUseColorrefOutsideAndRgbInMemory) {
    Surface s(2, 2);
    EXPECT_EQ(s.SetPixel(1, 0, RGB(1, 2, 3)), RGB(1, 2, 3));
    EXPECT_EQ(s.Pixels()[1], 0x010203u);
    EXPECT_EQ(s.GetPixel(1, 0), RGB(1, 2, 3));
    for (POINT p : {POINT{-1, 0}, POINT{2, 0}, POINT{0, 2}, POINT{0, -1}}) {
        EXPECT_EQ(s.GetPixel(p.x, p.y), CLR_INVALID);
        EXPECT_EQ(s.SetPixel(p.x, p.y, kWhite), CLR_INVALID);
    }
    s.SetClipRect({1, 1, 2, 2});
    EXPECT_EQ(s.GetPixel(1, 0), CLR_INVALID);
    EXPECT_EQ(s.SetPixel(0, 0, kWhite), CLR_INVALID);
    EXPECT_EQ(s.SetPixel(1, 1, kWhite), kWhite);
    s.ClearClipRect();
    EXPECT_EQ(PixelMap(s, {{RGB(1, 2, 3), 'x'}}), "\n.x\n.#\n");
}

TEST(Surface, BitBltCopiesOnlyWhatExistsOnBothSides) {
    Surface src(3, 3);
    src.SetPixel(0, 0, kWhite);
    src.SetPixel(2, 2, kWhite);
    src.SetPixel(1, 1, RGB(255, 0, 0));
    const std::map<COLORREF, char> red{{RGB(255, 0, 0), 'r'}};

    Surface d(4, 4, RGB(0, 0, 255));
    d.BitBlt(2, 2, 3, 3, src, 0, 0);  // hangs off the bottom right
    d.BitBlt(-1, -1, 3, 3, src, 0, 0);  // hangs off the top left
    d.BitBlt(2, 0, 2, 2, src, 2, 2);  // reads past the source: only (2, 2) exists
    EXPECT_EQ(PixelMap(d, {{RGB(255, 0, 0), 'r'}, {RGB(0, 0, 255), 'b'}}), R"(
r.#b
.#bb
bb#.
bb.r
)");
    Surface none(2, 2, RGB(0, 0, 255));
    none.BitBlt(0, 0, 0, 2, src, 0, 0);
    none.BitBlt(0, 0, 2, -1, src, 0, 0);
    none.BitBlt(INT_MAX, INT_MAX, INT_MAX, INT_MAX, src, INT_MIN, INT_MIN);
    EXPECT_EQ(PixelMap(none, {{RGB(0, 0, 255), 'b'}}), "\nbb\nbb\n");

    // Overlapping copies within one surface, both directions.
    Surface o(4, 1);
    o.SetPixel(0, 0, kWhite);
    o.SetPixel(1, 0, RGB(255, 0, 0));
    o.BitBlt(1, 0, 3, 1, o, 0, 0);
    EXPECT_EQ(PixelMap(o, red), "\n##r.\n");
    Surface v(1, 4);
    v.SetPixel(0, 0, kWhite);
    v.SetPixel(0, 1, RGB(255, 0, 0));
    v.BitBlt(0, 1, 1, 3, v, 0, 0);
    EXPECT_EQ(PixelMap(v, red), "\n#\n#\nr\n.\n");
    v.BitBlt(0, 0, 1, 3, v, 0, 1);
    EXPECT_EQ(PixelMap(v, red), "\n#\nr\n.\n.\n");
}

TEST(Surface, StretchBltSamplesThePixelUnderEachCentre) {
    Surface src(4, 1);
    src.SetPixel(0, 0, RGB(255, 0, 0));
    src.SetPixel(1, 0, kWhite);
    src.SetPixel(3, 0, RGB(0, 0, 255));
    const std::map<COLORREF, char> legend{{RGB(255, 0, 0), 'r'}, {RGB(0, 0, 255), 'b'},
                                          {RGB(0, 255, 0), 'g'}};
    Surface up(8, 2);
    up.StretchBlt(0, 0, 8, 2, src, 0, 0, 4, 1);
    EXPECT_EQ(PixelMap(up, legend), "\nrr##..bb\nrr##..bb\n");
    Surface down(2, 1);
    down.StretchBlt(0, 0, 2, 1, src, 0, 0, 4, 1);  // keeps columns 1 and 3
    EXPECT_EQ(PixelMap(down, legend), "\n#b\n");
    Surface three(3, 1);
    three.StretchBlt(0, 0, 3, 1, src, 0, 0, 4, 1);  // centres 0.67, 2, 3.33
    EXPECT_EQ(PixelMap(three, legend), "\nr.b\n");
    // Clipped on the left: the visible pixels keep the mapping of the whole block.
    Surface clip(3, 1, RGB(0, 255, 0));
    clip.StretchBlt(-5, 0, 8, 1, src, 0, 0, 4, 1);
    EXPECT_EQ(PixelMap(clip, legend), "\n.bb\n");
    // Source block partly outside the source: those pixels are left alone.
    Surface part(4, 1, RGB(0, 255, 0));
    part.StretchBlt(0, 0, 4, 1, src, 2, 0, 4, 1);
    EXPECT_EQ(PixelMap(part, legend), "\n.bgg\n");
    Surface nothing(2, 1, RGB(0, 255, 0));
    nothing.StretchBlt(0, 0, -2, 1, src, 0, 0, 4, 1);
    nothing.StretchBlt(0, 0, 2, 1, src, 0, 0, 0, 1);
    EXPECT_EQ(PixelMap(nothing, legend), "\ngg\n");
}

// Text blends four pixels at a time where it can: every width, offset and mix of empty, full
// and partial coverage must give what the pixel-by-pixel rule gives, to the bit, also for
// pixels whose top byte is set (an empty coverage keeps it, any other clears it).
TEST(Surface, MaskBlendingMatchesThePerPixelRuleForEveryMix) {
    std::mt19937 random(7);
    const uint8_t levels[] = {0, 0, 0, 255, 255, 1, 128, 254};
    for (int32_t round = 0; round < 400; ++round) {
        const int32_t w = 1 + static_cast<int32_t>(random() % 13);
        const int32_t h = 1 + static_cast<int32_t>(random() % 3);
        const int32_t x = static_cast<int32_t>(random() % 5) - 2;
        Surface s(12, 4);
        for (int32_t i = 0; i < 12 * 4; ++i) s.Pixels()[i] = static_cast<uint32_t>(random());
        const Surface before = s;
        std::vector<uint8_t> mask(static_cast<std::size_t>(w * h));
        for (uint8_t& m : mask) m = random() % 3 == 0 ? static_cast<uint8_t>(random()) : levels[random() % 8];
        const COLORREF colour = static_cast<COLORREF>(random()) & 0xFFFFFFu;
        s.BlendMask(x, 1, mask.data(), w, h, w, colour, RECT{0, 0, 12, 4});
        for (int32_t py = 0; py < 4; ++py) {
            for (int32_t px = 0; px < 12; ++px) {
                uint32_t want = before.Pixels()[py * 12 + px];
                if (px >= x && px < x + w && py >= 1 && py < 1 + h) {
                    const uint32_t a = mask[static_cast<std::size_t>((py - 1) * w + px - x)];
                    if (a == 255) want = ToPixel(colour);
                    else if (a != 0) want = BlendPixel(want, ToPixel(colour), a);
                }
                ASSERT_EQ(s.Pixels()[py * 12 + px], want) << round << " at " << px << "," << py;
            }
        }
    }
}

TEST(Surface, SizesAreCheckedAndEmptySurfacesDrawNothing) {
    EXPECT_THROW(Surface(-1, 4), std::invalid_argument);
    EXPECT_THROW(Surface(1 << 14, 1 << 14), std::invalid_argument);
    Surface empty;
    empty.SetPen(kWhite);
    empty.MoveTo(-1, -1);
    empty.LineTo(5, 5);
    empty.FillRect({0, 0, 5, 5}, kWhite);
    empty.FrameRect({0, 0, 5, 5}, kWhite);
    Surface src(2, 2);
    empty.BitBlt(0, 0, 2, 2, src, 0, 0);
    empty.StretchBlt(0, 0, 2, 2, src, 0, 0, 2, 2);
    EXPECT_EQ(empty.GetPixel(0, 0), CLR_INVALID);
    EXPECT_EQ(ToString(empty.ClipBox()), "0,0,0,0");
}

TEST(Surface, DeviceContextStateSettersReturnThePreviousValue) {
    Surface s(1, 1);
    EXPECT_EQ(s.BackgroundMode(), BkMode::Transparent);
    EXPECT_EQ(s.SetTextColor(RGB(1, 2, 3)), RGB(0, 0, 0));
    EXPECT_EQ(s.SetTextColor(RGB(4, 5, 6)), RGB(1, 2, 3));
    EXPECT_EQ(s.SetBkMode(BkMode::Opaque), BkMode::Transparent);
    EXPECT_EQ(s.SetBkColor(RGB(7, 8, 9)), kWhite);
    s.SetPen(RGB(1, 1, 1), 0);
    EXPECT_EQ(s.PenWidth(), 1);
}

TEST(MemDC, RecreatesOnlyWhenTheSizeChangesAndGrowsOnlyWhenAsked) {
    cMemDC dc;
    EXPECT_EQ(dc.hdc(), nullptr);
    dc.SetSize(4, 3);
    ASSERT_NE(dc.hdc(), nullptr);
    dc.hdc()->SetPixel(1, 1, kWhite);
    const Surface* first = dc.hdc();
    dc.SetSize(4, 3);  // same size: same surface, content kept
    EXPECT_EQ(dc.hdc(), first);
    EXPECT_EQ(dc.hdc()->GetPixel(1, 1), kWhite);
    dc.SetWidth(2);  // smaller width is ignored
    dc.SetHeight(3);
    EXPECT_EQ(dc.hdc(), first);
    dc.SetWidth(6);  // larger recreates at (6, current height), cleared
    EXPECT_EQ(std::to_string(dc.Width()) + "x" + std::to_string(dc.Height()), "6x3");
    EXPECT_EQ(dc.hdc()->GetPixel(1, 1), RGB(0, 0, 0));
    dc.SetHeight(5);
    EXPECT_EQ(dc.hdc()->Height(), 5);
    dc.SetSize(0, 5);  // cannot be created: nothing, 0 x 0
    EXPECT_EQ(dc.hdc(), nullptr);
    EXPECT_EQ(dc.Width() + dc.Height(), 0);
    dc.SetSize(1 << 15, 1 << 15);  // too large: refused, not allocated
    EXPECT_EQ(dc.hdc(), nullptr);
    dc.SetSize(2, 2);
    dc.Release();
    EXPECT_EQ(dc.hdc(), nullptr);
    EXPECT_EQ(dc.Width(), 0);
}

}  // namespace
}  // namespace glv
