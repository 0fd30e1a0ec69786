#pragma once
// Measuring and drawing text on a Surface with the desktop system's text calls and flags.
// One TextEngine per host Platform: it owns the font and glyph caches, and the screen DPI that
// turns point sizes into pixels. Text is UTF-8; malformed bytes show as U+FFFD.
//
// Text is measured with the same face and the same cached glyph advances that draw it, so a
// width measured here is exactly the width drawn.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Color.h"
#include "platform/Font.h"
#include "platform/FontCache.h"
#include "platform/Geometry.h"
#include "platform/LineCache.h"
#include "platform/LineMask.h"
#include "platform/Surface.h"

namespace glv {

// DrawText format flags (the desktop values; combine with |).
inline constexpr uint32_t DT_TOP = 0x0;
inline constexpr uint32_t DT_LEFT = 0x0;
inline constexpr uint32_t DT_CENTER = 0x1;
inline constexpr uint32_t DT_RIGHT = 0x2;
inline constexpr uint32_t DT_VCENTER = 0x4;  // with DT_SINGLELINE only
inline constexpr uint32_t DT_BOTTOM = 0x8;   // with DT_SINGLELINE only
inline constexpr uint32_t DT_SINGLELINE = 0x20;
inline constexpr uint32_t DT_NOCLIP = 0x100;
inline constexpr uint32_t DT_CALCRECT = 0x400;
inline constexpr uint32_t DT_NOPREFIX = 0x800;
inline constexpr uint32_t DT_END_ELLIPSIS = 0x8000;
inline constexpr uint32_t DT_WORD_ELLIPSIS = 0x40000;

// DrawState kinds and states used for text.
inline constexpr uint32_t DST_TEXT = 0x1;        // text drawn as is
inline constexpr uint32_t DST_PREFIXTEXT = 0x2;  // text with "&" marking an underlined letter
inline constexpr uint32_t DSS_DISABLED = 0x20;   // embossed: highlight at (+1, +1), then shadow

struct StateColors {
    COLORREF text = RGB(0, 0, 0);          // normal state
    COLORREF highlight = RGB(255, 255, 255);  // disabled: the 3-D highlight
    COLORREF shadow = RGB(128, 128, 128);     // disabled: the 3-D shadow
};

// What a line draws, in order: glyphs, and the underlines of "&"-marked characters.
struct LineMark {
    int64_t x = 0;  // the glyph box's left, or the underline's
    int64_t y = 0;
    GlyphBitmap glyph;  // none (width 0) for an underline
    int64_t underlineRight = 0;
};

class TextEngine {
public:
    // Throws std::runtime_error when the font libraries cannot start.
    explicit TextEngine(int32_t dpi = 96);

    int32_t Dpi() const { return dpi_; }
    void SetDpi(int32_t dpi);
    // 1440 twips per inch: 15 twips per pixel is 96 DPI.
    static int32_t DpiFromTwipsPerPixel(int32_t twipsPerPixel);

    // The resolved face's metrics (pixel size, ascent, descent, line height) and file.
    FaceMetrics Metrics(const FontSpec& font);
    std::string FontFile(const FontSpec& font);

    // Width of the text as drawn on one line (no "&" processing, control characters take no
    // room) and the font's line height, also for empty text.
    SIZE GetTextExtentPoint32(const FontSpec& font, std::string_view utf8);

    // Draws text into rc: lines split at CR, LF and CR LF unless DT_SINGLELINE; each line
    // aligned by DT_LEFT/DT_CENTER/DT_RIGHT; a single line placed by DT_TOP/DT_VCENTER/
    // DT_BOTTOM; clipped to rc unless DT_NOCLIP; "&x" underlines x and "&&" shows "&" unless
    // DT_NOPREFIX. A line wider than rc is cut to fit and followed by "...": at the end of its
    // last whole word with DT_WORD_ELLIPSIS (inside the first word when even that does not
    // fit), after the last whole character with DT_END_ELLIPSIS. DT_CALCRECT draws nothing
    // and sets rc.Right and rc.Bottom to the extent of the uncut text. An opaque background
    // mode fills each line's box with the surface's background colour first.
    // Returns the text height; with DT_VCENTER or DT_BOTTOM, the distance from rc.Top to the
    // bottom of the text.
    int32_t DrawText(Surface& surface, const FontSpec& font, std::string_view utf8, RECT& rc,
                     uint32_t flags, COLORREF color);
    // The same with the surface's current font and text colour.
    int32_t DrawText(Surface& surface, std::string_view utf8, RECT& rc, uint32_t flags);

    // Draws one line with its top-left at (x, y), clipped only by the surface.
    void TextOut(Surface& surface, const FontSpec& font, int32_t x, int32_t y,
                 std::string_view utf8, COLORREF color);

    // Text in a state, as DrawState draws it: one line at (x, y) inside a cx x cy box, where a
    // zero cx or cy is replaced by the text's own width or height. With DSS_DISABLED the text
    // is embossed: drawn at (x + 1, y + 1) in colors.highlight, then at (x, y) in
    // colors.shadow; otherwise drawn once in colors.text. Other state bits are ignored.
    void DrawState(Surface& surface, const FontSpec& font, std::string_view utf8, int32_t x,
                   int32_t y, int32_t cx, int32_t cy, uint32_t flags, const StateColors& colors);

    uint64_t GlyphsRasterised() const { return cache_.GlyphsRasterised(); }
    FontCache& Cache() { return cache_; }
    // Lines drawn by DrawText, kept for the next time they are drawn.
    LineCache& KeptLines() { return lines_; }

private:
    Face& FaceFor(const FontSpec& font) { return cache_.FaceFor(font, dpi_); }

    FontCache cache_;
    int32_t dpi_ = 96;
    // Reused by every line drawn, so drawing text allocates nothing once warm.
    std::vector<LineMark> marks_;
    LineMask lineMask_;
    LineCache lines_;
};

}  // namespace glv
