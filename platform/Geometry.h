#pragma once
// Points, sizes and rectangles in pixels. RECT is also the control's public record, so its four
// Long fields keep their public names. Right and Bottom are exclusive: a RECT covers the pixels
// Left <= x < Right, Top <= y < Bottom, and one with Right <= Left or Bottom <= Top covers none.
#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

namespace glv {

struct POINT {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(const POINT&, const POINT&) = default;
};

struct SIZE {
    int32_t cx = 0;
    int32_t cy = 0;
    friend bool operator==(const SIZE&, const SIZE&) = default;
};

struct RECT {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
    friend bool operator==(const RECT&, const RECT&) = default;
};

inline bool IsRectEmpty(const RECT& r) { return r.Right <= r.Left || r.Bottom <= r.Top; }

inline bool PtInRect(const RECT& r, POINT p) {
    return p.x >= r.Left && p.x < r.Right && p.y >= r.Top && p.y < r.Bottom;
}

// The common part of two rectangles; an empty result is returned as all zeros, as the desktop
// system does, so callers can test it with IsRectEmpty.
inline RECT IntersectRect(const RECT& a, const RECT& b) {
    RECT r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
           std::min(a.Bottom, b.Bottom)};
    return IsRectEmpty(r) ? RECT{} : r;
}

inline RECT OffsetRect(RECT r, int32_t dx, int32_t dy) {
    return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}

// A rectangle from 64-bit edges, each clamped to the 32-bit range, so that x + width can be
// formed without overflow before clipping.
inline int32_t ClampToInt32(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}
inline RECT RectFrom64(int64_t left, int64_t top, int64_t right, int64_t bottom) {
    return {ClampToInt32(left), ClampToInt32(top), ClampToInt32(right), ClampToInt32(bottom)};
}

// "Left,Top,Right,Bottom": compact enough to compare in tests and print in diagnostics.
inline std::string ToString(const RECT& r) {
    return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) +
           "," + std::to_string(r.Bottom);
}

}  // namespace glv
