// Text engine: UTF-8, metrics, measuring, DrawText flags, ellipsis, DrawState, glyph cache.
// Ideas not written yet: DT_VCENTER on a rectangle shorter than a line; fonts at 1 px.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <sstream>

#include "tests/support/golden.h"
#include "platform/Text.h"
#include "platform/Utf8.h"

namespace glv {
namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

std::string CodePoints(std::string_view text) {
    std::ostringstream out;
    for (size_t pos = 0; pos < text.size();) out << std::hex << static_cast<uint32_t>(DecodeUtf8(text, pos)) << " ";
    return out.str();
}

// The smallest rectangle holding every pixel that is not bg (all zeros when none).
RECT InkRect(const Surface& s, COLORREF bg = kBlack) {
    RECT r{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int32_t y = 0; y < s.Height(); ++y) {
        for (int32_t x = 0; x < s.Width(); ++x) {
            if (FromPixel(s.Pixels()[y * s.Width() + x]) == bg) continue;
            r = {std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1),
                 std::max(r.Bottom, y + 1)};
        }
    }
    return r.Left == INT_MAX ? RECT{} : r;
}

// The same as "l,t,r,b", or "" when there is no ink.
std::string Ink(const Surface& s, COLORREF bg = kBlack) {
    const RECT r = InkRect(s, bg);
    return IsRectEmpty(r) ? "" : ToString(r);
}

bool SamePixels(const Surface& a, const Surface& b) {
    return a.Width() == b.Width() && a.Height() == b.Height() &&
           std::equal(a.Pixels(), a.Pixels() + a.Width() * a.Height(), b.Pixels());
}

class Text : public ::testing::Test {
protected:
    // Draws text white on black into rc on a w x h surface.
    Surface Draw(std::string_view text, RECT rc, uint32_t flags, int32_t w = 120,
                 int32_t h = 30, const FontSpec& face = {}) {
        Surface s(w, h);
        engine.DrawText(s, face, text, rc, flags, kWhite);
        return s;
    }
    int32_t Width(std::string_view text, const FontSpec& face = {}) {
        return engine.GetTextExtentPoint32(face, text).cx;
    }

    TextEngine engine;
    FontSpec font;  // DejaVu Sans 8 pt
};

TEST(Utf8, MalformedSequencesBecomeOneReplacementEach) {
    EXPECT_EQ(CodePoints("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"), "61 e9 20ac 1f600 ");
    EXPECT_EQ(CodePoints("\x80" "a"), "fffd 61 ");              // stray continuation byte
    EXPECT_EQ(CodePoints("\xE2\x82" "a"), "fffd 61 ");          // truncated, next char kept
    EXPECT_EQ(CodePoints("\xE2\x82"), "fffd ");                 // truncated at the end
    EXPECT_EQ(CodePoints("\xC0\x80"), "fffd fffd ");            // overlong lead byte
    EXPECT_EQ(CodePoints("\xE0\x80\x80"), "fffd fffd fffd ");   // overlong 3-byte form
    EXPECT_EQ(CodePoints("\xED\xA0\x80"), "fffd fffd fffd ");   // surrogate
    EXPECT_EQ(CodePoints("\xF4\x90\x80\x80"), "fffd fffd fffd fffd ");  // past U+10FFFF
    EXPECT_EQ(CodePoints("\xFF\xF5"), "fffd fffd ");
    std::string out;
    for (char32_t cp : {U'A', U'\u00E9', U'\u20AC', U'\U0001F600', char32_t{0xD800}})
        AppendUtf8(out, cp);
    EXPECT_EQ(CodePoints(out), "41 e9 20ac 1f600 fffd ");
}

TEST_F(Text, PointSizesMapToPixelsAndLineHeightsAtTheScreenDpi) {
    EXPECT_EQ(FontCache::PixelSize(8, 96), 11);   // 10.67
    EXPECT_EQ(FontCache::PixelSize(9, 96), 12);
    EXPECT_EQ(FontCache::PixelSize(8.25f, 96), 11);
    EXPECT_EQ(FontCache::PixelSize(8, 120), 13);  // 13.33
    EXPECT_EQ(FontCache::PixelSize(0, 96), 1);
    EXPECT_EQ(FontCache::PixelSize(-5, 96), 1);
    EXPECT_EQ(FontCache::PixelSize(NAN, 96), 1);
    EXPECT_EQ(FontCache::PixelSize(1e9f, 96), 1024);
    EXPECT_EQ(TextEngine::DpiFromTwipsPerPixel(15), 96);
    EXPECT_EQ(TextEngine::DpiFromTwipsPerPixel(12), 120);
    EXPECT_EQ(TextEngine::DpiFromTwipsPerPixel(0), 96);

    const FaceMetrics m = engine.Metrics(font);
    EXPECT_EQ(m.pixelSize, 11);
    // DejaVu Sans: ascent 1901 and descent 483 units of 2048, each rounded up at 11 px.
    EXPECT_EQ(m.ascent, 11);
    EXPECT_EQ(m.descent, 3);
    EXPECT_EQ(engine.GetTextExtentPoint32(font, "").cy, 14);
    engine.SetDpi(120);
    EXPECT_EQ(engine.Metrics(font).pixelSize, 13);
    EXPECT_GT(engine.GetTextExtentPoint32(font, "Wg").cx, 0);
}

TEST_F(Text, FacesResolveThroughFontconfigIncludingStyles) {
    EXPECT_NE(engine.FontFile(font).find("DejaVuSans.ttf"), std::string::npos);
    FontSpec bold = font;
    bold.Bold = true;
    EXPECT_NE(engine.FontFile(bold).find("DejaVuSans-Bold.ttf"), std::string::npos);
    FontSpec italic = font;
    italic.Italic = true;
    EXPECT_NE(engine.FontFile(italic).find("DejaVuSans-Oblique.ttf"), std::string::npos);
    // Unknown names get the closest installed family rather than an error.
    FontSpec unknown = font;
    unknown.Name = "No Such Family 12345";
    EXPECT_FALSE(engine.FontFile(unknown).empty());
    EXPECT_GT(Width("Abc", unknown), 0);
    // Underline and strike-through share the plain face.
    FontSpec lined = font;
    lined.Underline = lined.Strikethrough = true;
    EXPECT_EQ(Width("Hello", lined), Width("Hello"));
    EXPECT_GT(Width("Hello", bold), Width("Hello"));
}

TEST_F(Text, ExtentsAddUpAndTreatOddInputConsistently) {
    EXPECT_EQ(Width("Hello, World"), Width("Hello,") + Width(" World"));
    EXPECT_EQ(Width("a\tb\nc\x01"), Width("abc"));  // control characters take no room
    EXPECT_EQ(Width("x\xFFy"), Width("x\xEF\xBF\xBDy"));  // a bad byte measures as U+FFFD
    EXPECT_EQ(Width("A&&B"), Width("A") + 2 * Width("&") + Width("B"));  // no "&" processing
    EXPECT_GT(Width("\xCE\xA9\xD0\x96\xC3\xA9"), 0);  // Greek, Cyrillic, accented Latin
}

TEST_F(Text, CalcRectMeasuresWithoutDrawing) {
    Surface s(50, 50);
    RECT rc{5, 7, 6, 8};
    EXPECT_EQ(engine.DrawText(s, font, "Hello", rc, DT_CALCRECT | DT_WORD_ELLIPSIS, kWhite), 14);
    EXPECT_EQ(ToString(rc), "5,7," + std::to_string(5 + Width("Hello")) + ",21");
    EXPECT_EQ(Ink(s), "");
    // "&" processing applies: "&&" shows one "&", a single "&" shows nothing.
    rc = {0, 0, 0, 0};
    engine.DrawText(s, font, "R&&D &x", rc, DT_CALCRECT, kWhite);
    EXPECT_EQ(rc.Right, Width("R&D x"));
    // Lines split at LF, CR LF and CR; a final break adds no line.
    rc = {0, 0, 0, 0};
    EXPECT_EQ(engine.DrawText(s, font, "ab\nlonger\r\nc\rd\n", rc, DT_CALCRECT, kWhite), 4 * 14);
    EXPECT_EQ(ToString(rc), "0,0," + std::to_string(Width("longer")) + ",56");
    rc = {0, 0, 0, 0};
    EXPECT_EQ(engine.DrawText(s, font, "ab\ncd", rc, DT_CALCRECT | DT_SINGLELINE, kWhite), 14);
    EXPECT_EQ(rc.Right, Width("abcd"));
    rc = {3, 4, 99, 99};
    EXPECT_EQ(engine.DrawText(s, font, "", rc, DT_CALCRECT, kWhite), 0);
    EXPECT_EQ(ToString(rc), "3,4,3,4");
}

TEST_F(Text, AlignmentPlacesTheInkAndTheReturnValueFollows) {
    const int32_t w = Width("Hi");
    // Left/top by default, right and bottom edges exclusive.
    RECT rc{10, 2, 60, 28};
    Surface left(70, 30);
    EXPECT_EQ(engine.DrawText(left, font, "Hi", rc, 0, kWhite), 14);
    Surface right(70, 30);
    EXPECT_EQ(engine.DrawText(right, font, "Hi", rc, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE, kWhite),
              26);  // from rc.Top to the bottom of the text
    Surface centre(70, 30);
    EXPECT_EQ(engine.DrawText(centre, font, "Hi", rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE,
                              kWhite),
              20);  // top 2 + (26 - 14) / 2 = 8, bottom 22
    const RECT li = InkRect(left), ri = InkRect(right), ci = InkRect(centre);
    ASSERT_FALSE(IsRectEmpty(li));
    EXPECT_EQ(ri.Left - li.Left, 50 - w);
    EXPECT_EQ(ci.Left - li.Left, (50 - w) / 2);
    EXPECT_EQ(ri.Top - li.Top, 12);
    EXPECT_EQ(ci.Top - li.Top, 6);
    // DT_VCENTER and DT_BOTTOM mean nothing without DT_SINGLELINE.
    EXPECT_TRUE(SamePixels(Draw("Hi", {10, 2, 60, 28}, DT_BOTTOM, 70), left));
}

TEST_F(Text, TextIsClippedToItsRectangleUnlessNoClip) {
    // The rectangle is 8 pixels tall and 10 wide; the text would reach well past both.
    Surface clipped = Draw("Wide text here", {4, 4, 14, 12}, DT_NOPREFIX);
    RECT r = InkRect(clipped);
    ASSERT_FALSE(IsRectEmpty(r));
    EXPECT_GE(r.Left, 4);
    EXPECT_GE(r.Top, 4);
    EXPECT_LE(r.Right, 14);
    EXPECT_LE(r.Bottom, 12);
    Surface free = Draw("Wide text here", {4, 4, 14, 12}, DT_NOPREFIX | DT_NOCLIP);
    r = InkRect(free);
    EXPECT_GT(r.Right, 14 + 40);
    EXPECT_GT(r.Bottom, 12);
    // An inverted or empty rectangle draws nothing and still reports the height.
    Surface none(40, 20);
    RECT inverted{30, 0, 10, 20};
    EXPECT_EQ(engine.DrawText(none, font, "abc", inverted, DT_WORD_ELLIPSIS, kWhite), 14);
    EXPECT_EQ(Ink(none), "");
    // Coordinates at the ends of the int range do not overflow.
    RECT huge{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    engine.DrawText(none, font, "abc", huge, DT_CENTER | DT_VCENTER | DT_SINGLELINE, kWhite);
    RECT far{INT_MAX - 3, INT_MAX - 3, INT_MAX, INT_MAX};
    engine.DrawText(none, font, "abc", far, DT_CALCRECT, kWhite);
    EXPECT_EQ(ToString(far), "2147483644,2147483644,2147483647,2147483647");
}

TEST_F(Text, WordEllipsisCutsAtTheLastWholeWordThatFits) {
    const std::string text = "Hello wonderful world";
    // Room for "Hello wonderful..." and a space: the word cut drops the space, the
    // character cut keeps it.
    const int32_t room = Width("Hello wonderful...") + Width(" ");
    const RECT rc{2, 2, 2 + room, 20};
    const Surface word = Draw(text, rc, DT_WORD_ELLIPSIS);
    EXPECT_TRUE(SamePixels(word, Draw("Hello wonderful...", rc, 0)));
    const Surface end = Draw(text, rc, DT_END_ELLIPSIS);
    EXPECT_TRUE(SamePixels(end, Draw("Hello wonderful ...", rc, 0)));
    // Text that fits is left whole, "..." included.
    EXPECT_TRUE(SamePixels(Draw(text, {2, 2, 2 + Width(text), 20}, DT_WORD_ELLIPSIS),
                           Draw(text, {2, 2, 2 + Width(text), 20}, 0)));
    // A first word too long for the room is cut inside the word.
    const RECT narrow{2, 2, 2 + Width("Superc..."), 20};
    EXPECT_TRUE(SamePixels(Draw("Supercalifragilistic", narrow, DT_WORD_ELLIPSIS),
                           Draw("Superc...", narrow, 0)));
    // Not even "..." fits: what fits of it is shown.
    EXPECT_TRUE(SamePixels(Draw("Hello", {2, 2, 6, 20}, DT_WORD_ELLIPSIS),
                           Draw("...", {2, 2, 6, 20}, 0)));
    // Right alignment places the cut text against the right edge.
    EXPECT_TRUE(SamePixels(Draw(text, {0, 2, 100, 20}, DT_RIGHT | DT_WORD_ELLIPSIS),
                           Draw("Hello wonderful...", {0, 2, 100, 20}, DT_RIGHT)));
    // "&" pairs are never split by the cut.
    const RECT amp{2, 2, 2 + Width("a&b ..."), 20};
    EXPECT_TRUE(SamePixels(Draw("a&&b c&&d", amp, DT_WORD_ELLIPSIS),
                           Draw("a&&b...", amp, 0)));
}

TEST_F(Text, PrefixUnderlinesTheMarkedLetter) {
    const Surface marked = Draw("&File", {2, 2, 100, 20}, 0);
    const Surface plain = Draw("File", {2, 2, 100, 20}, DT_NOPREFIX);
    const Surface literal = Draw("&File", {2, 2, 100, 20}, DT_NOPREFIX);
    EXPECT_FALSE(SamePixels(plain, literal));
    // The marked text differs from the plain one only in the underline row under "F".
    const int32_t baseline = 2 + engine.Metrics(font).ascent;
    const int32_t row = baseline + engine.Metrics(font).underlineOffset;
    std::string differing;
    for (int32_t y = 0; y < marked.Height(); ++y)
        for (int32_t x = 0; x < marked.Width(); ++x)
            if (marked.GetPixel(x, y) != plain.GetPixel(x, y))
                differing += std::to_string(x) + "," + std::to_string(y) + " ";
    std::string expected;
    for (int32_t x = 2; x < 2 + Width("F"); ++x)
        expected += std::to_string(x) + "," + std::to_string(row) + " ";
    EXPECT_EQ(differing, expected);
}

TEST_F(Text, OpaqueModeFillsTheLineBoxFirst) {
    Surface s(60, 20);
    s.SetBkMode(BkMode::Opaque);
    s.SetBkColor(RGB(0, 0, 255));
    s.SetFont(font);
    s.SetTextColor(kWhite);
    RECT rc{3, 2, 60, 20};
    engine.DrawText(s, "ab", rc, 0);
    EXPECT_EQ(Ink(s, kBlack), "3,2," + std::to_string(3 + Width("ab")) + ",16");
    EXPECT_EQ(s.GetPixel(3, 15), RGB(0, 0, 255));
}

TEST_F(Text, DrawStateEmbossesDisabledText) {
    const StateColors colors{kWhite, RGB(255, 0, 0), RGB(0, 0, 255)};
    Surface s(60, 20);
    engine.DrawState(s, font, "&Ok", 5, 3, 0, 0, DST_TEXT | DSS_DISABLED | 0x40000, colors);
    // The same as drawing the text twice by hand, each clipped to the text's own box:
    // offset highlight, then shadow.
    const int32_t w = Width("&Ok");
    Surface manual(60, 20);
    RECT light{6, 4, 6 + w, 18}, dark{5, 3, 5 + w, 17};
    engine.DrawText(manual, font, "&Ok", light, DT_NOPREFIX, RGB(255, 0, 0));
    engine.DrawText(manual, font, "&Ok", dark, DT_NOPREFIX, RGB(0, 0, 255));
    EXPECT_TRUE(SamePixels(s, manual));
    // Without DSS_DISABLED it is plain text in colors.text; DST_PREFIXTEXT handles "&".
    Surface normal(60, 20);
    engine.DrawState(normal, font, "&Ok", 5, 3, 0, 0, DST_PREFIXTEXT, colors);
    Surface prefixed(60, 20);
    RECT rc{5, 3, 5 + Width("Ok"), 17};
    engine.DrawText(prefixed, font, "&Ok", rc, 0, kWhite);
    EXPECT_TRUE(SamePixels(normal, prefixed));
    // A given size clips: only the top 5 rows of the box (and the highlight's, 1 lower).
    Surface box(60, 20);
    engine.DrawState(box, font, "Ok", 5, 3, 100, 5, DST_TEXT | DSS_DISABLED, colors);
    EXPECT_EQ(InkRect(box).Bottom, 9);
}

TEST_F(Text, GlyphsAreRasterisedOncePerFaceAndSize) {
    Surface s(200, 20);
    RECT rc{0, 0, 200, 20};
    const uint64_t before = engine.GlyphsRasterised();
    engine.DrawText(s, font, "abcabc", rc, 0, kWhite);
    EXPECT_EQ(engine.GlyphsRasterised() - before, 3u);
    engine.DrawText(s, font, "cab", rc, DT_WORD_ELLIPSIS, kWhite);
    engine.GetTextExtentPoint32(font, "bca");
    FontSpec lined = font;
    lined.Underline = true;
    engine.DrawText(s, lined, "abc", rc, 0, kWhite);  // same face, same glyphs
    EXPECT_EQ(engine.GlyphsRasterised() - before, 3u);
    FontSpec bigger = font;
    bigger.Size = 12;
    engine.DrawText(s, bigger, "abc", rc, 0, kWhite);
    EXPECT_EQ(engine.GlyphsRasterised() - before, 6u);
    // Bad sizes settle on one face instead of a new entry per call.
    FontSpec bad = font;
    bad.Size = NAN;
    engine.GetTextExtentPoint32(bad, "abc");
    const size_t faces = engine.Cache().FaceCount();
    const uint64_t glyphs = engine.GlyphsRasterised();
    for (float size : {NAN, -3.0f, 0.0f, 0.1f}) {
        bad.Size = size;
        engine.DrawText(s, bad, "abc", rc, 0, kWhite);
    }
    EXPECT_EQ(engine.Cache().FaceCount(), faces);
    EXPECT_EQ(engine.GlyphsRasterised(), glyphs);
    // Two engines share nothing: each has its own caches.
    TextEngine other;
    other.GetTextExtentPoint32(font, "abc");
    EXPECT_EQ(other.GlyphsRasterised(), 3u);
}

TEST_F(Text, MissingGlyphsComeFromAnotherInstalledFont) {
    // U+2312 (arc) is in DejaVu Sans Mono but not in DejaVu Sans.
    const size_t faces = engine.Cache().FaceCount();
    EXPECT_GT(Width("\xE2\x8C\x92"), 0);
    EXPECT_EQ(engine.Cache().FaceCount(), faces + 2);  // DejaVu Sans, then the fallback
    // A private-use character no font has draws the missing-glyph box, not nothing.
    const Surface box = Draw("\xEE\x80\x80", {0, 0, 40, 20}, 0);
    EXPECT_FALSE(Ink(box).empty());
    EXPECT_FALSE(SamePixels(Draw("\xE2\x8C\x92", {0, 0, 40, 20}, 0), box));
}

TEST_F(Text, SamplesMatchTheirGolden) {
    Surface s(240, 150, RGB(255, 255, 255));
    struct Sample {
        const char* text;
        FontSpec font;
        uint32_t flags;
        RECT rc;
    };
    FontSpec bold = font, italic = font, lined = font, big = font;
    bold.Bold = true;
    italic.Italic = true;
    lined.Underline = lined.Strikethrough = true;
    big.Size = 12;
    const Sample samples[] = {
        {"Regular DejaVu Sans 8 pt", font, 0, {4, 2, 236, 16}},
        {"Bold &File and R&&D", bold, 0, {4, 16, 236, 30}},
        {"Italic, underline:", italic, 0, {4, 30, 100, 44}},
        {"lined", lined, 0, {104, 30, 236, 44}},
        {"Gr\xC3\xBC\xC3\x9F" "e \xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1 "
         "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 \xE2\x82\xAC 12,50",
         font, 0, {4, 44, 236, 58}},
        {"A caption too long for its column", font, DT_WORD_ELLIPSIS, {4, 58, 124, 72}},
        {"Centred", big, DT_CENTER | DT_SINGLELINE | DT_VCENTER, {4, 72, 236, 96}},
        {"Right", font, DT_RIGHT, {4, 96, 236, 110}},
    };
    s.FrameRect({3, 57, 125, 73}, RGB(255, 0, 0));
    for (Sample sample : samples)
        engine.DrawText(s, sample.font, sample.text, sample.rc, sample.flags, RGB(0, 0, 0));
    s.FillRect({0, 112, 240, 150}, RGB(236, 233, 216));
    engine.DrawState(s, font, "Disabled item", 4, 116, 0, 0, DST_TEXT | DSS_DISABLED,
                     {kBlack, kWhite, RGB(172, 168, 153)});
    engine.DrawState(s, bold, "Disabled bold", 120, 116, 0, 0, DST_TEXT | DSS_DISABLED,
                     {kBlack, kWhite, RGB(172, 168, 153)});
    RECT colour{4, 132, 236, 146};
    engine.DrawText(s, font, "Coloured on a band", colour, 0, RGB(49, 106, 197));
    test::ExpectMatchesGolden(s, "text_samples");
}

}  // namespace
}  // namespace glv
