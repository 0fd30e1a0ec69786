// Header cells: separators, the pressed and hover looks, icons, captions and the sort caret.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/PropertyValues.h"
#include "platform/ImageList.h"
#include "platform/Surface.h"
#include "platform/Text.h"
#include "render/HeaderPainter.h"
#include "render/Themes.h"
#include "tests/support/golden.h"
#include "tests/support/handle_icons.h"

using namespace glv;
using test::HexColor;

namespace {

constexpr COLORREF kBand = RGB(1, 2, 3);

tColHeaderInfo Column(const std::string& caption) {
    tColHeaderInfo column;
    column.cHCaption = caption;
    column.cHFontName = "DejaVu Sans";
    column.cHFontSize = 8;
    column.cHWidth = 80;
    return column;
}

// The x of every pixel of colour c on row y, as "a-b" runs.
std::string Runs(const Surface& s, int32_t y, COLORREF c) {
    std::string out;
    for (int32_t x = 0; x < s.Width(); ++x) {
        if (s.GetPixel(x, y) != c) continue;
        int32_t end = x;
        while (end + 1 < s.Width() && s.GetPixel(end + 1, y) == c) ++end;
        out += (out.empty() ? "" : " ") + std::to_string(x) + "-" + std::to_string(end);
        x = end;
    }
    return out;
}

}  // namespace

TEST(HeaderPainter, SeparatorPressedAndHoverLooks) {
    TextEngine text;
    SystemInfo system;
    PropertyValues props;
    const int32_t hh = 20;
    HeaderStyle style = MakeHeaderStyle(props, system, XPBlue, hh, 13, 0);

    Surface s(100, 30, kBand);
    PaintHeaderCell(s, text, style, Column(""), {1, 81, false, false},
                    HeaderFont(Column("")));
    // The separator: a dark and a white line at r and r + 1 from y = 3 to hh - 4.
    EXPECT_EQ(HexColor(s.GetPixel(81, 3)), "919B9C");
    EXPECT_EQ(HexColor(s.GetPixel(82, 16)), "FFFFFF");
    EXPECT_EQ(HexColor(s.GetPixel(81, 17)), "010203");
    EXPECT_EQ(HexColor(s.GetPixel(81, 2)), "010203");
    EXPECT_EQ(HexColor(s.GetPixel(40, 10)), "010203");

    // Hot with the hover effect: the band from y = 2, and three warm lines at the bottom.
    style.hoverEffect = true;
    Surface hot(100, 30, kBand);
    PaintHeaderCell(hot, text, style, Column(""), {1, 81, false, true},
                    HeaderFont(Column("")));
    EXPECT_EQ(HexColor(hot.GetPixel(2, 2)), "FCFCFE");
    EXPECT_EQ(HexColor(hot.GetPixel(78, 10)), HexColor(HoverBandColor(10)));
    EXPECT_EQ(HexColor(hot.GetPixel(79, 10)), "010203");  // the band stops before r - 2
    EXPECT_EQ(Runs(hot, hh, RGB(230, 139, 44)), "2-80");
    EXPECT_EQ(Runs(hot, hh - 1, RGB(255, 200, 60)), "2-80");
    EXPECT_EQ(Runs(hot, hh - 2, RGB(255, 199, 60)), "2-80");
    // The band falls one step a line and stops at its floor.
    EXPECT_EQ(HexColor(HoverBandColor(3)), "FBFBFD");
    EXPECT_EQ(HexColor(HoverBandColor(30)), "F4F3EE");
    EXPECT_EQ(HexColor(HoverBandColor(12)), "F4F3F4");
    // Without the effect a hot column looks normal.
    style.hoverEffect = false;
    Surface plain(100, 30, kBand);
    PaintHeaderCell(plain, text, style, Column(""), {1, 81, false, true},
                    HeaderFont(Column("")));
    EXPECT_EQ(HexColor(plain.GetPixel(2, 2)), "010203");

    // Pressed: the frame around rows 2..hh, a bevel and a darker gradient inside.
    Surface pressed(100, 30, kBand);
    PaintHeaderCell(pressed, text, style, Column(""), {1, 81, true, false},
                    HeaderFont(Column("")));
    EXPECT_EQ(Runs(pressed, 2, RGB(207, 207, 192)), "1-80");
    EXPECT_EQ(Runs(pressed, hh, RGB(207, 207, 192)), "1-80");
    EXPECT_EQ(HexColor(pressed.GetPixel(1, 10)), "CFCFC0");
    EXPECT_EQ(HexColor(pressed.GetPixel(80, 10)), "CFCFC0");
    const COLORREF base = style.pressedBase;
    EXPECT_EQ(HexColor(pressed.GetPixel(2, 3)), HexColor(OffsetColor(base, 16, 10, 5)));
    EXPECT_EQ(HexColor(pressed.GetPixel(79, 10)), HexColor(ShiftColor(base, -32)));
    EXPECT_EQ(HexColor(pressed.GetPixel(40, 10)), HexColor(PressedLineColor(style.pressed, base, 10, hh)));
    EXPECT_EQ(HexColor(pressed.GetPixel(40, hh + 1)), "010203");

    // Silver presses in the button face's shades, flat on a 20-pixel header.
    HeaderStyle silver = MakeHeaderStyle(props, system, XPSilver, hh, 13, 0);
    Surface grey(100, 30, kBand);
    PaintHeaderCell(grey, text, silver, Column(""), {1, 81, true, false},
                    HeaderFont(Column("")));
    EXPECT_EQ(grey.GetPixel(40, 5), grey.GetPixel(40, 16));
    EXPECT_EQ(HexColor(grey.GetPixel(40, 5)),
              HexColor(ShiftColor(ShiftColor(system.Resolve(0x8000000F), 48), -32)));
}

TEST(HeaderPainter, SortCaretRowsInBothOrdersAndPlacements) {
    auto caret = [](bool rightAligned, bool descending, bool pressed) {
        Surface s(120, 30, kBand);
        PaintSortCaret(s, {20, 80, 20, rightAligned, descending, pressed, RGB(255, 0, 0)});
        std::string out;
        for (int32_t y = 0; y < 30; ++y) {
            const std::string runs = Runs(s, y, RGB(255, 0, 0));
            if (!runs.empty()) out += (out.empty() ? "" : " | ") + std::to_string(y) + ":" + runs;
        }
        return out;
    };
    // Other alignments: spans measured back from e = 100.
    EXPECT_EQ(caret(false, true, false), "8:88-94 | 9:89-93 | 10:90-92");
    EXPECT_EQ(caret(false, false, false), "8:91-91 | 9:90-92 | 10:89-93 | 11:88-94");
    // A pressed header moves the caret down a line (round(11)).
    EXPECT_EQ(caret(false, true, true), "9:88-94 | 10:89-93 | 11:90-92");
    // Right-aligned columns put it at the left, from b = 20 (+1 while pressed).
    EXPECT_EQ(caret(true, true, false), "8:23-29 | 9:24-28 | 10:25-27");
    EXPECT_EQ(caret(true, false, true), "9:27-27 | 10:26-28 | 11:25-29 | 12:24-30");

    // Which column shows it.
    EXPECT_TRUE(HeaderShowsCaret(true, true, 2, 2, true));
    EXPECT_FALSE(HeaderShowsCaret(true, true, 2, 2, false));
    EXPECT_FALSE(HeaderShowsCaret(true, false, 2, 2, true));
    EXPECT_FALSE(HeaderShowsCaret(false, false, 2, 2, true));
    EXPECT_TRUE(HeaderShowsCaret(false, true, 0, 1, true));  // below 1 counts as 1
    EXPECT_FALSE(HeaderShowsCaret(true, true, -3, 2, true));
}

TEST(HeaderPainter, GoldenHeaderCellsOverEachBand) {
    TextEngine text;
    SystemInfo system;
    ImageListRegistry lists;
    const uint32_t handle = lists.Register(MakeSyntheticImageList(16, 16, 8));
    HandleIconPainter icons(lists, handle, RGB(0, 0, 255), RGB(255, 255, 255));
    PropertyValues props;
    props.HeaderHoverEffect = true;
    const int32_t hh = 22;
    const int32_t width = 420;
    Surface s(width, 6 * (hh + 3));
    for (int32_t theme : {XPBlue, XPSilver, XPOlive}) {
        for (int32_t headerStyle : {LVNormal, LVOffice2003}) {
            Surface strip(width, hh + 3, RGB(255, 255, 255));
            PaintHeaderBand(strip, headerStyle, theme, hh);
            HeaderStyle style = MakeHeaderStyle(props, system, theme, hh, 13, 16);
            style.icons = &icons;
            tColHeaderInfo name = Column("Name");
            name.cHIcon = 1;
            tColHeaderInfo size = Column("Size");
            size.cHHAlignment = LVColumnHeaderAlignRight;
            tColHeaderInfo type = Column("Type of the file");
            type.cHIconHover = 4;
            tColHeaderInfo modified = Column("Modified");
            modified.cHIconPress = 3;
            modified.cHHAlignment = LVColumnHeaderAlignCenter;
            tColHeaderInfo off = Column("Disabled");
            off.cHEnabled = false;
            off.cHIcon = 2;
            PaintHeaderCell(strip, text, style, name, {1, 81, false, false},
                            HeaderFont(name));
            PaintHeaderCell(strip, text, style, size, {81, 161, false, false},
                            HeaderFont(size));
            PaintSortCaret(strip, {81, 80, hh, true, true, true, 0});
            PaintHeaderCell(strip, text, style, type, {161, 241, false, true},
                            HeaderFont(type));
            PaintHeaderCell(strip, text, style, modified, {241, 321, true, false},
                            HeaderFont(modified));
            PaintSortCaret(strip, {241, 80, hh, false, false, true, 0});
            PaintHeaderCell(strip, text, style, off, {321, 401, false, false},
                            HeaderFont(off));
            const int32_t row = (theme * 2 + headerStyle) * (hh + 3);
            s.BitBlt(0, row, width, hh + 3, strip, 0, 0);
        }
    }
    test::ExpectMatchesGolden(s, "header_cells");
}
