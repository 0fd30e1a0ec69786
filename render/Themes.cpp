#include "render/Themes.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

#include "core/PropertyValues.h"

namespace glv {

namespace {

// Blue and olive share the LVNormal band; silver has its own.
constexpr NormalBandColors kWarmBand{RGB(240, 240, 235), {14, 14, 19}, RGB(226, 222, 205),
                                     RGB(214, 210, 194), RGB(203, 199, 184)};
constexpr NormalBandColors kSilverBand{RGB(234, 234, 236), {11, 10, 7}, RGB(189, 190, 206),
                                       RGB(209, 210, 222), RGB(230, 231, 239)};

constexpr OfficeBandColors kBlueOffice{RGB(213, 231, 254), {20, 11, 2}, RGB(193, 220, 252),
                                       {83, 66, 34}};
constexpr OfficeBandColors kSilverOffice{RGB(240, 241, 248), {13, 15, 11}, RGB(227, 226, 237),
                                         {65, 66, 50}};
constexpr OfficeBandColors kOliveOffice{RGB(246, 246, 236), {7, 5, 28}, RGB(239, 241, 208),
                                        {69, 57, 77}};

// Silver follows the system button face; blue and olive use fixed shades a little darker than
// their header band, so a pressed cell reads as pushed in.
constexpr PressedShades kSilverPressed{true, 0, 15, true};
constexpr PressedShades kBluePressed{false, RGB(216, 216, 206), 16, false};
constexpr PressedShades kOlivePressed{false, RGB(216, 218, 200), 16, false};

constexpr ColorScheme kSchemes[] = {
    {RGB(127, 157, 185), kWarmBand, kBlueOffice, kBluePressed},      // XPBlue
    {RGB(127, 157, 185), kSilverBand, kSilverOffice, kSilverPressed},  // XPSilver
    {RGB(164, 185, 127), kWarmBand, kOliveOffice, kOlivePressed},    // XPOlive
};
constexpr ColorScheme kFallbackScheme{RGB(0, 0, 0), kWarmBand, kBlueOffice, kBluePressed};

constexpr int32_t kMetricPixels[] = {17, 24, 32};
constexpr int32_t kMetricTwips[] = {255, 360, 480};

uint8_t ClampChannel(int64_t v) { return static_cast<uint8_t>(std::clamp<int64_t>(v, 0, 255)); }

// A gradient colour: each channel is start - steps * (fall / span), formed by rounding to
// nearest with halves to even. A zero span has no fall.
COLORREF GradientColor(COLORREF start, const ChannelFall& fall, int32_t steps, int32_t span) {
    auto channel = [&](uint8_t from, int32_t total) {
        const double perStep = span == 0 ? 0.0 : static_cast<double>(total) / span;
        return ClampChannel(static_cast<int64_t>(std::nearbyint(from - steps * perStep)));
    };
    return RGB(channel(GetRValue(start), fall.r), channel(GetGValue(start), fall.g),
               channel(GetBValue(start), fall.b));
}

void HLine(Surface& s, int32_t x1, int32_t x2, int32_t y, COLORREF c) {
    s.SetPen(c);
    s.MoveTo(x1, y);
    s.LineTo(x2, y);
}

void DrawNormalBand(Surface& s, const NormalBandColors& band, int32_t hh) {
    const int32_t w = s.Width();
    const int32_t span = std::abs(w - 3);
    for (int32_t x = 1; x <= w - 2; ++x) {
        s.SetPen(GradientColor(band.start, band.fall, x - 1, span));
        s.MoveTo(x, 1);
        s.LineTo(x, hh);
    }
    HLine(s, 1, w - 1, hh, band.lineBottom);
    HLine(s, 1, w - 1, hh - 1, band.lineMiddle);
    HLine(s, 1, w - 1, hh - 2, band.lineTop);
}

void DrawOfficeBand(Surface& s, const OfficeBandColors& band, int32_t hh) {
    const int32_t w = s.Width();
    const int32_t half = hh / 2;
    for (int32_t y = 0; y <= half; ++y)
        HLine(s, 0, w, y, GradientColor(band.upperStart, band.upperFall, y, half));
    for (int32_t y = half; y <= hh; ++y)
        HLine(s, 0, w, y, GradientColor(band.lowerStart, band.lowerFall, y - half, half));
}

bool ContainsNoCase(std::string_view text, std::string_view word) {
    auto lower = [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); };
    return std::search(text.begin(), text.end(), word.begin(), word.end(),
                       [&](char a, char b) { return lower(a) == lower(b); }) != text.end();
}

std::string_view UpToNul(std::string_view s) { return s.substr(0, s.find('\0')); }

}  // namespace

const ColorScheme& SchemeFor(int32_t theme) {
    if (theme < XPBlue || theme > XPOlive) return kFallbackScheme;
    return kSchemes[theme];
}

COLORREF SchemeColor(int32_t theme, SchemeRole role) {
    const ColorScheme& s = SchemeFor(theme);
    switch (role) {
        case SchemeRole::Border: return s.border;
        case SchemeRole::NormalBandStart: return s.normalBand.start;
        case SchemeRole::NormalBandLineBottom: return s.normalBand.lineBottom;
        case SchemeRole::NormalBandLineMiddle: return s.normalBand.lineMiddle;
        case SchemeRole::NormalBandLineTop: return s.normalBand.lineTop;
        case SchemeRole::OfficeUpperStart: return s.officeBand.upperStart;
        case SchemeRole::OfficeLowerStart: return s.officeBand.lowerStart;
    }
    return 0;
}

COLORREF SchemeBorderColor(int32_t theme, bool defaultBorderColor, OLE_COLOR borderColor,
                        const SystemInfo& system) {
    return defaultBorderColor ? SchemeFor(theme).border : system.Resolve(borderColor);
}

bool VisualStylesAvailable(const OsVersion& os) {
    return os.major > 5 || (os.major == 5 && os.minor >= 1);
}

int32_t DetectScheme(int32_t current, bool stylesAvailable, const SystemInfo& system) {
    // No visual-style interface, or no visual style active: the theme data cannot be opened.
    if (!stylesAvailable || !system.visualStyles) return current;
    const std::string_view file = UpToNul(system.themeFile);
    const std::string_view scheme = UpToNul(system.colorScheme);
    if (!ContainsNoCase(file, "luna")) return current;
    if (scheme == "HomeStead") return XPOlive;
    if (scheme == "NormalColor") return XPBlue;
    if (scheme == "Metallic") return XPSilver;
    return current;
}

int32_t MetricPixels(int32_t metricsSize) {
    return metricsSize >= 0 && metricsSize <= 2 ? kMetricPixels[metricsSize] : 0;
}

int32_t MetricTwips(int32_t metricsSize) {
    return metricsSize >= 0 && metricsSize <= 2 ? kMetricTwips[metricsSize] : 0;
}

int32_t SystemScrollBarSize(const SystemInfo& system) { return system.Metric(metric::kCxHScroll); }

COLORREF ShiftColor(COLORREF c, int32_t d) {
    const int64_t b = GetBValue(c);
    return RGB(ClampChannel(int64_t{GetRValue(c)} + d), ClampChannel(int64_t{GetGValue(c)} + d),
               ClampChannel(b + b * d / 192));
}

COLORREF OffsetColor(COLORREF c, int32_t dr, int32_t dg, int32_t db) {
    return RGB(ClampChannel(int64_t{GetRValue(c)} + dr), ClampChannel(int64_t{GetGValue(c)} + dg),
               ClampChannel(int64_t{GetBValue(c)} + db));
}

COLORREF PressedBase(const PressedShades& shades, const SystemInfo& system) {
    if (!shades.baseFromButtonFace) return shades.base;
    const COLORREF face = system.Resolve(kSystemColorFlag | syscolor::kBtnFace);
    return ShiftColor(ShiftColor(face, 48), -32);
}

COLORREF PressedLineColor(const PressedShades& shades, COLORREF base, int32_t y, int32_t hh) {
    if (hh <= 0) return base;
    const int64_t d = shades.fallPerLine ? int64_t{y} * (shades.fall / hh)
                                         : int64_t{y} * shades.fall / hh;
    return ShiftColor(base, static_cast<int32_t>(-d));
}

void PaintHeaderBand(Surface& surface, int32_t headerStyle, int32_t theme, int32_t hh) {
    // A hidden header band has no height: nothing to draw.
    if (hh <= 0) return;
    const ColorScheme& scheme = SchemeFor(theme);
    if (headerStyle == LVOffice2003)
        DrawOfficeBand(surface, scheme.officeBand, hh);
    else
        DrawNormalBand(surface, scheme.normalBand, hh);
}

}  // namespace glv
