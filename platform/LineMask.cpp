#include "platform/LineMask.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace glv {
namespace {

// Each mask row has this many spare bytes after the area, so a glyph row can be merged with
// one sixteen-byte load and store wherever it starts.
constexpr int32_t kSlack = 16;

// The smallest rectangle holding a and b, a possibly empty.
RECT Union(const RECT& a, const RECT& b) {
    if (IsRectEmpty(a)) return b;
    return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
            std::max(a.Bottom, b.Bottom)};
}

#if defined(__SSE2__)
// n (1..16) coverage bytes from `from` in the low lanes, zero above. Glyph coverage has spare
// bytes after it (Face::Coverage), so the sixteen-byte read stays inside the glyph arena.
// Sixteen 255s then sixteen zeros: the sixteen bytes from 16 - n keep the first n lanes.
const uint8_t* KeepBytes() {
    static constexpr uint8_t kKeep[32] = {255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255,
                                          255, 255, 255, 255, 255};
    return kKeep + 16;
}

__m128i LoadCoverage(const uint8_t* from, size_t n) {
    return _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(from)),
                         _mm_loadu_si128(reinterpret_cast<const __m128i*>(KeepBytes() - n)));
}
#endif

}  // namespace

void LineMask::Begin(Surface& surface, const RECT& area, COLORREF color) {
    surface_ = &surface;
    area_ = IsRectEmpty(area) ? RECT{} : area;
    color_ = color;
    pitch_ = area_.Right - area_.Left + kSlack;
    bytes_.assign(static_cast<size_t>(pitch_) * static_cast<size_t>(area_.Bottom - area_.Top), 0);
    ink_ = {};
}

void LineMask::Add(int64_t x, int64_t y, const uint8_t* coverage, int32_t w, int32_t h) {
    const RECT r = IntersectRect(RectFrom64(x, y, x + w, y + h), area_);
    if (IsRectEmpty(r)) return;
    auto source = [&](int32_t row) {
        return coverage + static_cast<size_t>(row - y) * static_cast<size_t>(w) + (r.Left - x);
    };
    auto target = [&](int32_t row) { return Row(row) + (r.Left - area_.Left); };
    const auto n = static_cast<size_t>(r.Right - r.Left);
    // Only rows that already hold ink can meet this glyph's coverage.
    const int32_t sharedTop = std::max(r.Top, ink_.Top);
    const bool crosses = !IsRectEmpty(ink_) && r.Left < ink_.Right && ink_.Left < r.Right;
    const int32_t sharedBottom = crosses ? std::min(r.Bottom, ink_.Bottom) : sharedTop;
    bool meet = false;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    if (n <= 16) {
        // The usual glyph: one load, merge and store a row, pointers stepped row by row.
        const __m128i keep = _mm_loadu_si128(reinterpret_cast<const __m128i*>(KeepBytes() - n));
        for (int32_t row = sharedTop; row < sharedBottom && !meet; ++row) {
            const __m128i a = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(source(row))), keep);
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(target(row)));
            meet = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(a, zero), _mm_cmpeq_epi8(b, zero))) != 0xFFFF;
        }
        if (meet) Flush();
        const uint8_t* from = source(r.Top);
        uint8_t* to = target(r.Top);
        for (int32_t row = r.Top; row < r.Bottom; ++row, from += w, to += pitch_) {
            __m128i* at = reinterpret_cast<__m128i*>(to);
            const __m128i a = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(from)), keep);
            _mm_storeu_si128(at, _mm_or_si128(_mm_loadu_si128(at), a));  // one of each pair is 0
        }
        ink_ = Union(ink_, r);
        return;
    }
    for (int32_t row = sharedTop; row < sharedBottom; ++row) {
        const uint8_t* from = source(row);
        const uint8_t* to = target(row);
        for (size_t i = 0; i < n; i += 16) {
            const __m128i a = LoadCoverage(from + i, std::min<size_t>(16, n - i));
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(to + i));
            const __m128i either = _mm_or_si128(_mm_cmpeq_epi8(a, zero), _mm_cmpeq_epi8(b, zero));
            meet |= _mm_movemask_epi8(either) != 0xFFFF;
        }
    }
    if (meet) Flush();
    for (int32_t row = r.Top; row < r.Bottom; ++row) {
        const uint8_t* from = source(row);
        uint8_t* to = target(row);
        for (size_t i = 0; i < n; i += 16) {
            __m128i* at = reinterpret_cast<__m128i*>(to + i);
            const __m128i a = LoadCoverage(from + i, std::min<size_t>(16, n - i));
            _mm_storeu_si128(at, _mm_or_si128(_mm_loadu_si128(at), a));  // one of each pair is 0
        }
    }
#else
    for (int32_t row = sharedTop; row < sharedBottom; ++row) {
        const uint8_t* from = source(row);
        const uint8_t* to = target(row);
        for (size_t i = 0; i < n; ++i) meet |= from[i] != 0 && to[i] != 0;
    }
    if (meet) Flush();
    for (int32_t row = r.Top; row < r.Bottom; ++row) {
        const uint8_t* from = source(row);
        uint8_t* to = target(row);
        for (size_t i = 0; i < n; ++i) to[i] |= from[i];  // one of each pair is 0
    }
#endif
    ink_ = Union(ink_, r);
}

void LineMask::Flush() {
    if (IsRectEmpty(ink_)) return;
    const int32_t w = ink_.Right - ink_.Left;
    uint8_t* first = Row(ink_.Top) + (ink_.Left - area_.Left);
    // Rows are blended in whole runs of sixteen where the surface has room: the bytes past the
    // ink are zero (the slack included), and a pixel under zero coverage keeps its value.
    const int32_t runs = std::min((w + 15) / 16 * 16, surface_->ClipBox().Right - ink_.Left);
    const RECT reach{ink_.Left, ink_.Top, ink_.Left + std::max(runs, w), ink_.Bottom};
    surface_->BlendMask(ink_.Left, ink_.Top, first, reach.Right - reach.Left, ink_.Bottom - ink_.Top,
                        pitch_, color_, reach);
    for (int32_t row = ink_.Top; row < ink_.Bottom; ++row)
        std::memset(Row(row) + (ink_.Left - area_.Left), 0, static_cast<size_t>(w));
    ink_ = {};
}

}  // namespace glv
