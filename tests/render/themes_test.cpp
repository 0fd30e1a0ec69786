// Colour schemes, scheme detection, metrics and the header bands.
// Ideas not yet written: a band on a 3-pixel-wide surface (no width to fall over) against a
// golden; detection after a theme-change message through the control once the hook is wired.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "core/PropertyValues.h"
#include "platform/Surface.h"
#include "platform/SystemInfo.h"
#include "render/Themes.h"

#include "tests/support/golden.h"

using namespace glv;
using test::HexColor;

TEST(Themes, BorderColourPerSchemeAndTheBorderColourRule) {
    EXPECT_EQ(HexColor(SchemeColor(XPBlue, SchemeRole::Border)), "7F9DB9");
    EXPECT_EQ(HexColor(SchemeColor(XPSilver, SchemeRole::Border)), "7F9DB9");
    EXPECT_EQ(HexColor(SchemeColor(XPOlive, SchemeRole::Border)), "A4B97F");
    EXPECT_EQ(HexColor(SchemeColor(3, SchemeRole::Border)), "000000");
    EXPECT_EQ(HexColor(SchemeColor(-1, SchemeRole::Border)), "000000");

    SystemInfo system;
    // DefaultBorderColor wins over whatever BorderColor holds.
    EXPECT_EQ(HexColor(SchemeBorderColor(XPOlive, true, RGB(1, 2, 3), system)), "A4B97F");
    EXPECT_EQ(HexColor(SchemeBorderColor(XPOlive, false, RGB(1, 2, 3), system)), "010203");
    system.colors[3] = RGB(9, 8, 7);
    EXPECT_EQ(HexColor(SchemeBorderColor(XPBlue, false, 0x80000003u, system)), "090807");
}

TEST(Themes, SchemeDetectionFollowsLunaAndTheColourSchemeName) {
    SystemInfo sys;
    auto detect = [&](const std::string& file, const std::string& scheme, int32_t current) {
        sys.themeFile = file;
        sys.colorScheme = scheme;
        return DetectScheme(current, true, sys);
    };
    const std::string luna = "C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles";
    EXPECT_EQ(detect(luna, "Metallic", XPBlue), XPSilver);
    EXPECT_EQ(detect(luna, "HomeStead", XPBlue), XPOlive);
    EXPECT_EQ(detect(luna, "NormalColor", XPOlive), XPBlue);
    // The file name is matched in any case, the colour name exactly.
    EXPECT_EQ(detect("c:\\themes\\LUNA.MSSTYLES", "Metallic", XPBlue), XPSilver);
    EXPECT_EQ(detect(luna, "metallic", XPOlive), XPOlive);
    EXPECT_EQ(detect(luna, "Royale", XPOlive), XPOlive);
    EXPECT_EQ(detect("C:\\Themes\\Royale.msstyles", "Metallic", XPOlive), XPOlive);
    // Only the text before a NUL counts.
    EXPECT_EQ(detect(std::string("C:\\x\0Luna", 9), "Metallic", XPBlue), XPBlue);
    EXPECT_EQ(detect(luna, std::string("Metallic\0junk", 13), XPBlue), XPSilver);

    // No visual style active, or visual styles not available: the current value stays.
    sys.themeFile = luna;
    sys.colorScheme = "Metallic";
    sys.visualStyles = false;
    EXPECT_EQ(DetectScheme(XPOlive, true, sys), XPOlive);
    sys.visualStyles = true;
    EXPECT_EQ(DetectScheme(XPOlive, false, sys), XPOlive);
    EXPECT_EQ(DetectScheme(XPOlive, true, sys), XPSilver);

    EXPECT_FALSE(VisualStylesAvailable({4, 90, 1}));
    EXPECT_FALSE(VisualStylesAvailable({5, 0, 2}));
    EXPECT_TRUE(VisualStylesAvailable({5, 1, 2}));
    EXPECT_TRUE(VisualStylesAvailable({6, 0, 2}));
}

TEST(Themes, MetricSizes) {
    EXPECT_EQ(MetricPixels(0), 17);
    EXPECT_EQ(MetricPixels(1), 24);
    EXPECT_EQ(MetricPixels(2), 32);
    EXPECT_EQ(MetricPixels(3), 0);
    EXPECT_EQ(MetricTwips(0), 255);
    EXPECT_EQ(MetricTwips(2), 480);
    EXPECT_EQ(MetricTwips(-1), 0);
    SystemInfo sys;
    sys.metrics[metric::kCxHScroll] = 21;
    EXPECT_EQ(SystemScrollBarSize(sys), 21);
}

TEST(Themes, ShiftColorClampsAndTruncatesBlueTowardsZero) {
    EXPECT_EQ(HexColor(ShiftColor(RGB(10, 250, 100), 10)), "14FF69");  // 100 + 1000 / 192 = 105
    EXPECT_EQ(HexColor(ShiftColor(RGB(10, 250, 100), -20)), "00E65A");  // 100 - 2000 / 192 = 90
    EXPECT_EQ(HexColor(ShiftColor(RGB(10, 10, 100), -1)), "090964"); // -100 / 192 truncates to 0
    EXPECT_EQ(HexColor(ShiftColor(RGB(255, 255, 255), 48)), "FFFFFF");
    EXPECT_EQ(HexColor(OffsetColor(RGB(250, 0, 5), 16, -10, 5)), "FF000A");

    // Silver presses from the button face: +48 then -32, and a header 20 high does not fall
    // at all (15 \ 20 is 0 per line).
    SystemInfo sys;
    sys.colors[syscolor::kBtnFace] = RGB(236, 233, 216);
    const PressedShades& silver = SchemeFor(XPSilver).pressed;
    const COLORREF base = PressedBase(silver, sys);
    EXPECT_EQ(HexColor(base), "DFDFD5");
    EXPECT_EQ(PressedLineColor(silver, base, 19, 20), base);
    EXPECT_EQ(HexColor(PressedLineColor(silver, base, 2, 7)), HexColor(ShiftColor(base, -4)));
    // Blue and olive press darker than their band.
    for (int32_t theme : {XPBlue, XPOlive}) {
        const PressedShades& shades = SchemeFor(theme).pressed;
        const COLORREF top = PressedLineColor(shades, PressedBase(shades, sys), 2, 20);
        EXPECT_LT(GetRValue(top), GetRValue(SchemeColor(theme, SchemeRole::NormalBandStart)));
    }
}

TEST(Themes, NormalBandGradientAndItsThreeBottomLines) {
    const int32_t hh = 20;
    for (int32_t theme : {XPBlue, XPSilver, XPOlive}) {
        Surface s(103, 40, RGB(1, 1, 1));
        PaintHeaderBand(s, LVNormal, theme, hh);
        const NormalBandColors& band = SchemeFor(theme).normalBand;
        SCOPED_TRACE(theme);
        // First column starts the gradient, the last one has fallen all the way (W - 3 = 100).
        EXPECT_EQ(HexColor(s.GetPixel(1, 1)), HexColor(band.start));
        EXPECT_EQ(HexColor(s.GetPixel(1, hh - 3)), HexColor(band.start));
        EXPECT_EQ(HexColor(s.GetPixel(101, 1)),
                  HexColor(RGB(GetRValue(band.start) - band.fall.r, GetGValue(band.start) - band.fall.g,
                          GetBValue(band.start) - band.fall.b)));
        // Column 51 is half way: each channel falls by half its total, rounded halves to even.
        const COLORREF mid = s.GetPixel(51, 5);
        EXPECT_EQ(GetRValue(mid), GetRValue(band.start) - (band.fall.r == 11 ? 6 : 7));
        EXPECT_EQ(HexColor(s.GetPixel(1, hh)), HexColor(band.lineBottom));
        EXPECT_EQ(HexColor(s.GetPixel(101, hh - 1)), HexColor(band.lineMiddle));
        EXPECT_EQ(HexColor(s.GetPixel(50, hh - 2)), HexColor(band.lineTop));
        // Lines stop short of the right edge; the band leaves row 0 and column 0 alone.
        EXPECT_EQ(HexColor(s.GetPixel(102, hh)), "010101");
        EXPECT_EQ(HexColor(s.GetPixel(0, 5)), "010101");
        EXPECT_EQ(HexColor(s.GetPixel(5, 0)), "010101");
        EXPECT_EQ(HexColor(s.GetPixel(5, hh + 1)), "010101");
    }
    // The silver band is cooler than the blue one.
    EXPECT_EQ(HexColor(SchemeColor(XPSilver, SchemeRole::NormalBandStart)), "EAEAEC");
    EXPECT_EQ(HexColor(SchemeColor(XPOlive, SchemeRole::NormalBandLineBottom)), "E2DECD");
}

TEST(Themes, OfficeBandIsTwoVerticalHalves) {
    const int32_t hh = 21;  // half = 10; the lower half runs one line longer
    for (int32_t theme : {XPBlue, XPSilver, XPOlive}) {
        Surface s(30, 40, RGB(1, 1, 1));
        PaintHeaderBand(s, LVOffice2003, theme, hh);
        const OfficeBandColors& band = SchemeFor(theme).officeBand;
        SCOPED_TRACE(theme);
        EXPECT_EQ(HexColor(s.GetPixel(0, 0)), HexColor(band.upperStart));
        // The component value is rounded, halves to even, not the fall.
        auto fallen = [](uint8_t start, int32_t fall, int32_t steps) {
            return static_cast<int>(std::nearbyint(start - steps * (fall / 10.0)));
        };
        const COLORREF line9 = s.GetPixel(29, 9);
        EXPECT_EQ(GetRValue(line9), fallen(GetRValue(band.upperStart), band.upperFall.r, 9));
        EXPECT_EQ(GetGValue(line9), fallen(GetGValue(band.upperStart), band.upperFall.g, 9));
        EXPECT_EQ(GetBValue(line9), fallen(GetBValue(band.upperStart), band.upperFall.b, 9));
        // The middle line belongs to the lower half, which overwrites it.
        EXPECT_EQ(HexColor(s.GetPixel(7, 10)), HexColor(band.lowerStart));
        const COLORREF last = s.GetPixel(7, hh);
        EXPECT_EQ(GetRValue(last), fallen(GetRValue(band.lowerStart), band.lowerFall.r, 11));
        EXPECT_EQ(HexColor(s.GetPixel(7, hh + 1)), "010101");
    }
    EXPECT_EQ(HexColor(SchemeColor(XPOlive, SchemeRole::OfficeLowerStart)), "EFF1D0");
    // Silver's green on line 9: 241 - 9 * 1.5 = 227.5, which rounds to the even 228.
    Surface silver(4, 30);
    PaintHeaderBand(silver, LVOffice2003, XPSilver, hh);
    EXPECT_EQ(GetGValue(silver.GetPixel(0, 9)), 228);
    // A zero-height header draws nothing.
    Surface s(10, 10, RGB(1, 1, 1));
    PaintHeaderBand(s, LVOffice2003, XPBlue, 0);
    PaintHeaderBand(s, LVNormal, XPBlue, 0);
    EXPECT_EQ(HexColor(s.GetPixel(1, 1)), "010101");
    EXPECT_EQ(HexColor(s.GetPixel(0, 0)), "010101");
}
