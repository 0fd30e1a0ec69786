#pragma once
// Colour schemes and metrics.
//
// The control is drawn in one of three colour schemes of the XP visual style. A scheme is data:
// one table row per scheme with its border colour, the two header band styles and the pressed
// header shades, looked up by scheme value (and by role where a single colour is wanted). The
// painters never branch on the scheme themselves.
#include <cstdint>
#include <string_view>

#include "platform/Color.h"
#include "platform/Surface.h"
#include "platform/SystemInfo.h"

namespace glv {

// How much each channel falls over a gradient (from the first line or column to the last).
struct ChannelFall {
    int32_t r = 0;
    int32_t g = 0;
    int32_t b = 0;
};

// LVNormal: a horizontal gradient across the band and three lines under it.
struct NormalBandColors {
    COLORREF start = 0;       // at x = 1
    ChannelFall fall;         // over the band's width
    COLORREF lineBottom = 0;  // y = header height
    COLORREF lineMiddle = 0;  // y = header height - 1
    COLORREF lineTop = 0;     // y = header height - 2
};

// LVOffice2003: a vertical gradient in two halves.
struct OfficeBandColors {
    COLORREF upperStart = 0;
    ChannelFall upperFall;
    COLORREF lowerStart = 0;
    ChannelFall lowerFall;
};

// The pressed header cell: a vertical gradient from a base colour, darkening down the cell.
// Line y is shift(base, -d(y)), with d(y) = y * (fall / hh) when the fall is taken per line
// (whole steps only: a small fall over a tall header gives a flat cell), else y * fall / hh.
struct PressedShades {
    bool baseFromButtonFace = false;  // base = shift(shift(COLOR_BTNFACE, +48), -32)
    COLORREF base = 0;                // otherwise this
    int32_t fall = 0;
    bool fallPerLine = false;
};

struct ColorScheme {
    COLORREF border = 0;
    NormalBandColors normalBand;
    OfficeBandColors officeBand;
    PressedShades pressed;
};

// The row for a scheme value; a value outside XPBlue..XPOlive gets the fallback row (black
// border, the blue scheme's bands).
const ColorScheme& SchemeFor(int32_t theme);

enum class SchemeRole {
    Border,
    NormalBandStart,
    NormalBandLineBottom,
    NormalBandLineMiddle,
    NormalBandLineTop,
    OfficeUpperStart,
    OfficeLowerStart,
};
COLORREF SchemeColor(int32_t theme, SchemeRole role);

// The border colour a pass draws with: the scheme's with DefaultBorderColor, else BorderColor.
COLORREF SchemeBorderColor(int32_t theme, bool defaultBorderColor, OLE_COLOR borderColor,
                        const SystemInfo& system);

// --- detection --------------------------------------------------------------------------------

// Visual styles exist from version 5.1 on (major 6 or more, or 5 with minor 1 or more).
bool VisualStylesAvailable(const OsVersion& os);

// The scheme the system shows, starting from the current value: "Luna" anywhere in the theme
// file name (any case) with the colour scheme "HomeStead", "NormalColor" or "Metallic" (exact
// case) gives the olive, blue or silver scheme; anything else, no visual style active, or a
// control created where visual styles are not available (stylesAvailable, fixed when the
// control is created) leaves the current value. Only the text before a NUL counts in either
// name.
int32_t DetectScheme(int32_t current, bool stylesAvailable, const SystemInfo& system);

// --- metrics ----------------------------------------------------------------------------------

// ctsMetricSize 0, 1, 2 are 17, 24 and 32 pixel scroll bars (255, 360 and 480 twips); other
// values give 0.
int32_t MetricPixels(int32_t metricsSize);
int32_t MetricTwips(int32_t metricsSize);
// The size a visible scroll bar takes: the system's horizontal scroll arrow width.
int32_t SystemScrollBarSize(const SystemInfo& system);

// --- drawing ----------------------------------------------------------------------------------

// shift(c, d): red and green move by d, blue by blue * d / 192 (truncated), each clamped to
// 0..255. The pressed header cell is built from it.
COLORREF ShiftColor(COLORREF c, int32_t d);
// Per-channel offsets, clamped.
COLORREF OffsetColor(COLORREF c, int32_t dr, int32_t dg, int32_t db);

// The pressed cell's base colour for a scheme.
COLORREF PressedBase(const PressedShades& shades, const SystemInfo& system);
// The colour of line y of a pressed cell in a header hh pixels high.
COLORREF PressedLineColor(const PressedShades& shades, COLORREF base, int32_t y, int32_t hh);

// The header band of a header hh pixels high across the whole surface, in either style
// (headerStyle: 0 LVNormal, 1 LVOffice2003).
void PaintHeaderBand(Surface& surface, int32_t headerStyle, int32_t theme, int32_t hh);

}  // namespace glv
