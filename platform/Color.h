#pragma once
// Colours as the control sees them: COLORREF values laid out 0x00BBGGRR, the way the desktop
// system stores them, so persisted colours and documented constants keep their numbers. Surfaces
// keep their pixels as 0x00RRGGBB (what a host blits), so converting is one byte swap.
#include <cstdint>

namespace glv {

using COLORREF = uint32_t;

// Returned by GetPixel outside the surface; also "no colour" for image-list backgrounds.
inline constexpr COLORREF CLR_INVALID = 0xFFFFFFFFu;
inline constexpr COLORREF CLR_NONE = 0xFFFFFFFFu;
// Image lists: "the list's own background colour".
inline constexpr COLORREF CLR_DEFAULT = 0xFF000000u;

constexpr COLORREF RGB(uint8_t r, uint8_t g, uint8_t b) {
    return COLORREF{r} | (COLORREF{g} << 8) | (COLORREF{b} << 16);
}
constexpr uint8_t GetRValue(COLORREF c) { return static_cast<uint8_t>(c & 0xFFu); }
constexpr uint8_t GetGValue(COLORREF c) { return static_cast<uint8_t>((c >> 8) & 0xFFu); }
constexpr uint8_t GetBValue(COLORREF c) { return static_cast<uint8_t>((c >> 16) & 0xFFu); }

// COLORREF (0x00BBGGRR) to a surface pixel (0x00RRGGBB) and back; the top byte is dropped.
constexpr uint32_t ToPixel(COLORREF c) {
    return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
constexpr COLORREF FromPixel(uint32_t p) {
    return ((p & 0xFFu) << 16) | (p & 0xFF00u) | ((p >> 16) & 0xFFu);
}

// Blends src over dst (both 0x00RRGGBB) with coverage a in 0..255: each channel becomes
// round((dst * (255 - a) + src * a) / 255), two channels per multiply.
constexpr uint32_t BlendPixel(uint32_t dst, uint32_t src, uint32_t a) {
    const uint32_t na = 255 - a;
    uint32_t rb = (dst & 0xFF00FFu) * na + (src & 0xFF00FFu) * a + 0x00800080u;
    rb = ((rb + ((rb >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
    uint32_t g = ((dst >> 8) & 0xFFu) * na + ((src >> 8) & 0xFFu) * a + 0x80u;
    g = ((g + (g >> 8)) >> 8) & 0xFFu;
    return rb | (g << 8);
}

}  // namespace glv
