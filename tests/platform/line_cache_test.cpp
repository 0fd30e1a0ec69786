// Lines kept by the text engine must draw the very pixels the glyph-by-glyph path draws, the
// first time (only the width is kept), the second (the line is gathered) and every time after: texts with "&" marks, line
// breaks, glyphs that meet (italic, combining marks), lines cut with an ellipsis, clipped on
// any side or by the surface, opaque backgrounds, underlines, alignments, and a cache too
// small to hold a page, which starts afresh while drawing.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/Text.h"

namespace glv {
namespace {

std::string RandomText(std::mt19937& random) {
    static const std::vector<std::string> pieces = {
        "Row", " ", "12345", "&", "&&", "W", "ff", "fi", "j", "\xC3\xA9", "e\xCC\x81", "\xE2\x82\xAC",
        "\r\n", "\n", "gg", "Tj", "/", "\t", "\xF0\x9F\x98\x80", "AVAVAV", "  ", "Customer 0042"};
    std::string text;
    const auto count = random() % 9;
    for (uint32_t k = 0; k < count; ++k) text += pieces[random() % pieces.size()];
    return text;
}

struct Call {
    FontSpec font;
    std::string text;
    RECT rc;
    uint32_t flags;
    COLORREF color;
    bool opaque;
    RECT surfaceClip;
};

Call RandomCall(std::mt19937& random) {
    Call c;
    c.font.Size = random() % 3 == 0 ? 14.0f : 8.0f;
    c.font.Italic = random() % 3 == 0;
    c.font.Bold = random() % 4 == 0;
    c.font.Underline = random() % 6 == 0;
    c.font.Strikethrough = random() % 8 == 0;
    c.text = RandomText(random);
    const auto left = static_cast<int32_t>(random() % 60) - 20;
    const auto top = static_cast<int32_t>(random() % 30) - 8;
    c.rc = {left, top, left + static_cast<int32_t>(random() % 120), top + static_cast<int32_t>(random() % 40)};
    const uint32_t options[] = {DT_CENTER, DT_RIGHT, DT_SINGLELINE, DT_VCENTER, DT_NOPREFIX,
                                DT_END_ELLIPSIS, DT_WORD_ELLIPSIS, DT_NOCLIP, DT_BOTTOM};
    c.flags = 0;
    for (const uint32_t option : options)
        if (random() % 4 == 0) c.flags |= option;
    c.color = static_cast<COLORREF>(random()) & 0xFFFFFFu;
    c.opaque = random() % 5 == 0;
    c.surfaceClip = random() % 4 == 0 ? RECT{static_cast<int32_t>(random() % 30), static_cast<int32_t>(random() % 10),
                                             60 + static_cast<int32_t>(random() % 60), 20 + static_cast<int32_t>(random() % 30)}
                                      : RECT{0, 0, 120, 60};
    return c;
}

// Draws the call on a copy of the noise and returns the surface and DrawText's result.
std::pair<Surface, int32_t> Draw(TextEngine& engine, const Surface& noise, const Call& c) {
    Surface s = noise;
    s.SetClipRect(c.surfaceClip);
    s.SetBkColor(RGB(10, 200, 30));
    s.SetBkMode(c.opaque ? BkMode::Opaque : BkMode::Transparent);
    RECT rc = c.rc;
    const int32_t height = engine.DrawText(s, c.font, c.text, rc, c.flags, c.color);
    return {std::move(s), height};
}

TEST(LineCache, KeptLinesDrawAsTheGlyphsDo) {
    std::mt19937 random(17);
    TextEngine glyphs, kept, small;
    glyphs.KeptLines().SetBudget(0);
    small.KeptLines().SetBudget(2048);  // a few lines at most: cleared again and again
    Surface noise(120, 60);
    for (int32_t round = 0; round < 2500; ++round) {
        for (int32_t i = 0; i < 120 * 60; ++i) noise.Pixels()[i] = static_cast<uint32_t>(random());
        const Call c = RandomCall(random);
        const auto [want, wantHeight] = Draw(glyphs, noise, c);
        for (TextEngine* engine : {&kept, &kept, &kept, &small}) {  // measured, gathered, found
            const auto [got, height] = Draw(*engine, noise, c);
            ASSERT_EQ(height, wantHeight) << "round " << round << " text '" << c.text << "'";
            for (int32_t i = 0; i < 120 * 60; ++i)
                ASSERT_EQ(got.Pixels()[i], want.Pixels()[i])
                    << "round " << round << " text '" << c.text << "' flags " << c.flags << " at "
                    << i % 120 << "," << i / 120;
        }
        // DT_CALCRECT measures from the kept line when there is one.
        RECT a = c.rc, b = c.rc;
        Surface s(1, 1);
        glyphs.DrawText(s, c.font, c.text, a, c.flags | DT_CALCRECT, 0);
        kept.DrawText(s, c.font, c.text, b, c.flags | DT_CALCRECT, 0);
        ASSERT_EQ(ToString(a), ToString(b)) << "round " << round << " text '" << c.text << "'";
    }
    EXPECT_EQ(glyphs.KeptLines().size(), 0u);
    EXPECT_GT(kept.KeptLines().size(), 100u);
    EXPECT_LE(small.KeptLines().Bytes(), 2048u);
}

}  // namespace
}  // namespace glv
