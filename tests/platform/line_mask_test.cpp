// A line of glyphs gathered into one mask must blend to the very pixels that blending glyph by
// glyph gives: glyph boxes that overlap with and without coverage meeting, boxes cut by the
// clip and by the surface's clip rectangle, and underlines drawn between glyphs.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "platform/LineMask.h"
#include "platform/Surface.h"

namespace glv {
namespace {

struct Glyph {
    int64_t x = 0;
    int64_t y = 0;
    int32_t w = 0;
    int32_t h = 0;
    std::vector<uint8_t> coverage;
    bool underline = false;  // an underline after the glyph, under its box
};

std::vector<Glyph> RandomLine(std::mt19937& random) {
    const uint8_t levels[] = {0, 0, 0, 0, 255, 255, 1, 128, 254};
    std::vector<Glyph> line(1 + random() % 12);
    int64_t x = static_cast<int64_t>(random() % 12) - 6;
    for (Glyph& g : line) {
        g.w = 1 + static_cast<int32_t>(random() % (random() % 4 == 0 ? 24 : 9));  // wide ones too
        g.h = 1 + static_cast<int32_t>(random() % 12);
        g.x = x;
        g.y = static_cast<int64_t>(random() % 7) - 2;
        // Mostly side by side, sometimes overlapping the glyph before, with empty edges that
        // often keep the coverage apart.
        x += static_cast<int64_t>(random() % 10) - 2;
        g.coverage.resize(static_cast<size_t>(g.w * g.h) + 16);  // the spare bytes a glyph has
        const bool emptyEdges = random() % 2 == 0;
        for (int32_t r = 0; r < g.h; ++r) {
            for (int32_t c = 0; c < g.w; ++c) {
                const bool edge = c == 0 || c == g.w - 1;
                g.coverage[static_cast<size_t>(r * g.w + c)] =
                    emptyEdges && edge ? 0
                    : random() % 3 == 0 ? static_cast<uint8_t>(random())
                                        : levels[random() % 9];
            }
        }
        g.underline = random() % 8 == 0;
    }
    return line;
}

TEST(LineMask, BlendsALineAsGlyphByGlyphBlendingDoes) {
    std::mt19937 random(11);
    for (int32_t round = 0; round < 3000; ++round) {
        Surface s(40, 16);
        for (int32_t i = 0; i < 40 * 16; ++i) s.Pixels()[i] = static_cast<uint32_t>(random());
        if (random() % 4 == 0) s.SetClipRect({static_cast<int32_t>(random() % 8), 0, 30, 12});
        const RECT clip{static_cast<int32_t>(random() % 10) - 3, static_cast<int32_t>(random() % 5) - 1,
                        10 + static_cast<int32_t>(random() % 35), 4 + static_cast<int32_t>(random() % 14)};
        const COLORREF colour = static_cast<COLORREF>(random()) & 0xFFFFFFu;
        const std::vector<Glyph> line = RandomLine(random);

        Surface want = s;
        for (const Glyph& g : line) {
            want.BlendMask(static_cast<int32_t>(g.x), static_cast<int32_t>(g.y), g.coverage.data(),
                           g.w, g.h, g.w, colour, clip);
            if (g.underline) want.FillRect(IntersectRect(RECT{static_cast<int32_t>(g.x), 9,
                                                              static_cast<int32_t>(g.x) + g.w, 10}, clip), colour);
        }

        LineMask mask;
        RECT area{};
        for (const Glyph& g : line) {
            const RECT box = RectFrom64(g.x, g.y, g.x + g.w, g.y + g.h);
            area = IsRectEmpty(area) ? box
                                     : RECT{std::min(area.Left, box.Left), std::min(area.Top, box.Top),
                                            std::max(area.Right, box.Right), std::max(area.Bottom, box.Bottom)};
        }
        mask.Begin(s, IntersectRect(IntersectRect(area, clip), s.ClipBox()), colour);
        for (const Glyph& g : line) {
            mask.Add(g.x, g.y, g.coverage.data(), g.w, g.h);
            if (g.underline) {
                mask.Flush();
                s.FillRect(IntersectRect(RECT{static_cast<int32_t>(g.x), 9, static_cast<int32_t>(g.x) + g.w, 10}, clip),
                           colour);
            }
        }
        mask.Flush();
        for (int32_t i = 0; i < 40 * 16; ++i)
            ASSERT_EQ(s.Pixels()[i], want.Pixels()[i]) << "round " << round << " at " << i % 40 << "," << i / 40;
    }
}

// Long rows take the sixteen-byte path: runs of empty and full coverage of every length and
// alignment around partial bytes.
TEST(LineMask, LongRowsBlendAsPixelByPixel) {
    std::mt19937 random(3);
    for (int32_t round = 0; round < 2000; ++round) {
        const int32_t w = 1 + static_cast<int32_t>(random() % 70);
        Surface s(80, 1);
        for (int32_t i = 0; i < 80; ++i) s.Pixels()[i] = static_cast<uint32_t>(random());
        const Surface before = s;
        std::vector<uint8_t> mask;
        while (static_cast<int32_t>(mask.size()) < w) {
            const uint8_t level = random() % 3 == 0 ? 0 : random() % 2 == 0 ? 255 : static_cast<uint8_t>(random());
            mask.insert(mask.end(), 1 + random() % 20, level);
        }
        mask.resize(static_cast<size_t>(w));
        const int32_t x = static_cast<int32_t>(random() % 12) - 2;
        const COLORREF colour = static_cast<COLORREF>(random()) & 0xFFFFFFu;
        s.BlendMask(x, 0, mask.data(), w, 1, w, colour, s.Bounds());
        for (int32_t px = 0; px < 80; ++px) {
            uint32_t want = before.Pixels()[px];
            if (px >= x && px < x + w) {
                const uint32_t a = mask[static_cast<size_t>(px - x)];
                if (a == 255) want = ToPixel(colour);
                else if (a != 0) want = BlendPixel(want, ToPixel(colour), a);
            }
            ASSERT_EQ(s.Pixels()[px], want) << round << " at " << px;
        }
    }
}

}  // namespace
}  // namespace glv
