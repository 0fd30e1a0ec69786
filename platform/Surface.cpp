#include "platform/Surface.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <string>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define GLV_AVX2_BLEND 1
#endif

namespace glv {
namespace {

// Offsets along a line reach 2^33 and the slope numerator 2^66, past 64 bits.
__extension__ typedef __int128 Wide;

// The minor-axis offset of step i on a line of `steps` steps and `rise` minor units:
// i * rise / steps rounded to nearest, halves away from the start.
int64_t MinorOffset(int64_t i, int64_t rise, int64_t steps) {
    return static_cast<int64_t>((Wide{2} * i * rise + steps) / (Wide{2} * steps));
}

// Blends src into n pixels under n coverage bytes: a pixel under 0 keeps every bit, under 255
// it becomes src, otherwise BlendPixel's result. Text is most of a paint pass, so where the
// processor has SSE2 (every x86-64 does) sixteen coverage bytes are tested at once for an
// empty or full run, and four pixels are blended at a time with BlendPixel's arithmetic in
// 16-bit lanes: each channel's d * (255 - a) + s * a + 128 stays below 65536, so the result is
// the same to the bit.
void BlendCoverageRow(uint32_t* row, const uint8_t* m, int32_t n, uint32_t src) {
    int32_t i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i ones = _mm_set1_epi8(-1);
    const __m128i source = _mm_set1_epi32(static_cast<int32_t>(src));
    const __m128i sourceWide = _mm_unpacklo_epi8(source, zero);  // two pixels' channels
    const __m128i full = _mm_set1_epi16(255);
    const __m128i round = _mm_set1_epi16(128);
    const __m128i colourBits = _mm_set1_epi32(0x00FFFFFF);
    auto blend = [&](__m128i d, __m128i a) {  // two pixels, 16-bit lanes
        const __m128i t = _mm_add_epi16(
            _mm_add_epi16(_mm_mullo_epi16(d, _mm_sub_epi16(full, a)), _mm_mullo_epi16(sourceWide, a)),
            round);
        return _mm_srli_epi16(_mm_add_epi16(t, _mm_srli_epi16(t, 8)), 8);
    };
    // Four pixels under four coverage bytes.
    auto blendFour = [&](uint32_t* at, uint32_t four) {
        __m128i* p = reinterpret_cast<__m128i*>(at);
        const __m128i d = _mm_loadu_si128(p);
        __m128i a = _mm_cvtsi32_si128(static_cast<int32_t>(four));
        a = _mm_unpacklo_epi8(a, a);
        a = _mm_unpacklo_epi16(a, a);  // each pixel's coverage in its four bytes
        const __m128i blended = _mm_and_si128(
            _mm_packus_epi16(blend(_mm_unpacklo_epi8(d, zero), _mm_unpacklo_epi8(a, zero)),
                             blend(_mm_unpackhi_epi8(d, zero), _mm_unpackhi_epi8(a, zero))),
            colourBits);
        const __m128i untouched = _mm_cmpeq_epi8(a, zero);
        _mm_storeu_si128(p, _mm_or_si128(_mm_and_si128(untouched, d), _mm_andnot_si128(untouched, blended)));
    };
    auto quad = [&](int32_t at) {
        uint32_t four;
        std::memcpy(&four, m + at, sizeof four);
        if (four == 0) return;
        if (four == 0xFFFFFFFFu) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(row + at), source);
            return;
        }
        blendFour(row + at, four);
    };
    for (; i + 16 <= n; i += 16) {
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(m + i));
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(c, zero)) == 0xFFFF) continue;
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(c, ones)) == 0xFFFF) {
            for (int32_t k = 0; k < 16; k += 4) _mm_storeu_si128(reinterpret_cast<__m128i*>(row + i + k), source);
            continue;
        }
        // A mixed run blends all sixteen: guessing at each group of four costs more than it
        // saves, and the arithmetic keeps pixels under 0 and gives src under 255 anyway.
        uint32_t four[4];
        _mm_storeu_si128(reinterpret_cast<__m128i*>(four), c);
        for (int32_t k = 0; k < 4; ++k) blendFour(row + i + 4 * k, four[k]);
    }
    for (; i + 4 <= n; i += 4) quad(i);
#endif
    for (; i < n; ++i) {
        const uint32_t a = m[i];
        if (a == 0) continue;
        row[i] = a == 255 ? src : BlendPixel(row[i], src, a);
    }
}

#if defined(GLV_AVX2_BLEND)
#define GLV_AVX2 __attribute__((target("avx2")))

// Two pixels per 128-bit half, 16-bit lanes: BlendPixel's rounding, as in the SSE2 blend.
GLV_AVX2 inline __m256i BlendWide(__m256i d, __m256i a, __m256i sourceWide) {
    const __m256i t = _mm256_add_epi16(
        _mm256_add_epi16(_mm256_mullo_epi16(d, _mm256_sub_epi16(_mm256_set1_epi16(255), a)),
                         _mm256_mullo_epi16(sourceWide, a)),
        _mm256_set1_epi16(128));
    return _mm256_srli_epi16(_mm256_add_epi16(t, _mm256_srli_epi16(t, 8)), 8);
}

// Eight pixels under eight coverage bytes.
GLV_AVX2 inline void BlendEight(uint32_t* at, const uint8_t* coverage, __m256i sourceWide) {
    // Each pixel's coverage byte into its four bytes: pixels 0-3 in the low half, 4-7 high.
    const __m256i spread = _mm256_setr_epi8(0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3,
                                            4, 4, 4, 4, 5, 5, 5, 5, 6, 6, 6, 6, 7, 7, 7, 7);
    const __m256i zero = _mm256_setzero_si256();
    __m256i* p = reinterpret_cast<__m256i*>(at);
    const __m256i d = _mm256_loadu_si256(p);
    const __m128i eight = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(coverage));
    const __m256i a = _mm256_shuffle_epi8(_mm256_broadcastsi128_si256(eight), spread);
    const __m256i blended = _mm256_and_si256(
        _mm256_packus_epi16(BlendWide(_mm256_unpacklo_epi8(d, zero), _mm256_unpacklo_epi8(a, zero), sourceWide),
                            BlendWide(_mm256_unpackhi_epi8(d, zero), _mm256_unpackhi_epi8(a, zero), sourceWide)),
        _mm256_set1_epi32(0x00FFFFFF));
    _mm256_storeu_si256(p, _mm256_blendv_epi8(blended, d, _mm256_cmpeq_epi8(a, zero)));
}

// BlendCoverageRow eight pixels at a time, for processors with AVX2 (chosen at run time): the
// same 16-bit arithmetic, so the same bits.
GLV_AVX2 void BlendCoverageRowAvx2(uint32_t* row, const uint8_t* m, int32_t n, uint32_t src) {
    const __m256i source = _mm256_set1_epi32(static_cast<int32_t>(src));
    const __m256i sourceWide = _mm256_unpacklo_epi8(source, _mm256_setzero_si256());
    int32_t i = 0;
    for (; i + 16 <= n; i += 16) {
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(m + i));
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(c, _mm_setzero_si128())) == 0xFFFF) continue;
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(c, _mm_set1_epi8(-1))) == 0xFFFF) {
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(row + i), source);
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(row + i + 8), source);
            continue;
        }
        BlendEight(row + i, m + i, sourceWide);
        BlendEight(row + i + 8, m + i + 8, sourceWide);
    }
    if (i < n) BlendCoverageRow(row + i, m + i, n - i, src);
}

bool HasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}
#endif

// n pixels of one value. GCC at -O2 stores std::fill's pixels one at a time; cell and list
// backgrounds fill most of a frame, so four go at a time.
void FillRow(uint32_t* row, size_t n, uint32_t pixel) {
    size_t i = 0;
#if defined(__SSE2__)
    const __m128i four = _mm_set1_epi32(static_cast<int32_t>(pixel));
    for (; i + 4 <= n; i += 4) _mm_storeu_si128(reinterpret_cast<__m128i*>(row + i), four);
#endif
    for (; i < n; ++i) row[i] = pixel;
}

}  // namespace

Surface::Surface(int32_t width, int32_t height, COLORREF fill) {
    if (width < 0 || height < 0 || int64_t{width} * height > kMaxPixels) {
        throw std::invalid_argument("surface size " + std::to_string(width) + "x" +
                                    std::to_string(height) + " is out of range");
    }
    width_ = width;
    height_ = height;
    pixels_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), ToPixel(fill));
}

COLORREF Surface::SetTextColor(COLORREF c) { return std::exchange(textColor_, c); }
COLORREF Surface::SetBkColor(COLORREF c) { return std::exchange(bkColor_, c); }
BkMode Surface::SetBkMode(BkMode mode) { return std::exchange(bkMode_, mode); }

void Surface::SetPen(COLORREF color, int32_t width) {
    penColor_ = color;
    penWidth_ = std::max(width, 1);
}

POINT Surface::MoveTo(int32_t x, int32_t y) { return std::exchange(position_, POINT{x, y}); }

void Surface::FillClipped(const RECT& rc, uint32_t pixel) {
    const RECT r = IntersectRect(rc, ClipBox());
    if (IsRectEmpty(r)) return;
    for (int32_t y = r.Top; y < r.Bottom; ++y) {
        uint32_t* row = pixels_.data() + static_cast<size_t>(y) * static_cast<size_t>(width_);
        FillRow(row + r.Left, static_cast<size_t>(r.Right - r.Left), pixel);
    }
}

void Surface::FillRect(const RECT& rc, COLORREF color) { FillClipped(rc, ToPixel(color)); }

void Surface::FrameRect(const RECT& rc, COLORREF color) {
    if (IsRectEmpty(rc)) return;
    const uint32_t p = ToPixel(color);
    FillClipped({rc.Left, rc.Top, rc.Right, rc.Top + 1}, p);
    FillClipped({rc.Left, rc.Bottom - 1, rc.Right, rc.Bottom}, p);
    FillClipped({rc.Left, rc.Top + 1, rc.Left + 1, rc.Bottom - 1}, p);
    FillClipped({rc.Right - 1, rc.Top + 1, rc.Right, rc.Bottom - 1}, p);
}

RECT Surface::BoxRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    return RectFrom64(std::min(x1, x2), std::min(y1, y2), int64_t{std::max(x1, x2)} + 1,
                      int64_t{std::max(y1, y2)} + 1);
}

void Surface::DrawBox(int32_t x1, int32_t y1, int32_t x2, int32_t y2, COLORREF color,
                      bool fill) {
    const RECT rc = BoxRect(x1, y1, x2, y2);
    if (fill) {
        FillRect(rc, color);
    } else {
        FrameRect(rc, color);
    }
}

void Surface::StampPoint(int32_t x, int32_t y, uint32_t pixel, const RECT& box) {
    if (penWidth_ == 1) {
        if (PtInRect(box, {x, y})) pixels_[static_cast<size_t>(y) * width_ + x] = pixel;
        return;
    }
    const int64_t lo = -(penWidth_ - 1) / 2;
    FillClipped(RectFrom64(x + lo, y + lo, x + lo + penWidth_, y + lo + penWidth_), pixel);
}

void Surface::DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    const uint32_t pixel = ToPixel(penColor_);
    const int64_t dx = int64_t{x2} - x1;
    const int64_t dy = int64_t{y2} - y1;
    const int64_t adx = std::abs(dx);
    const int64_t ady = std::abs(dy);
    const int64_t steps = std::max(adx, ady);  // points drawn: 0 .. steps - 1
    if (steps == 0) return;
    // A wide pen reaches half its width beyond the clip box; widen the range of steps we visit.
    const int64_t reach = penWidth_ / 2 + 1;
    const RECT box = ClipBox();
    if (IsRectEmpty(box)) return;
    if (penWidth_ == 1 && (dx == 0 || dy == 0)) {
        // Horizontal and vertical lines (grid lines, borders) are plain fills.
        if (dy == 0) {
            const int64_t lo = dx > 0 ? x1 : int64_t{x2} + 1;
            FillClipped(RectFrom64(lo, y1, lo + adx, int64_t{y1} + 1), pixel);
        } else {
            const int64_t lo = dy > 0 ? y1 : int64_t{y2} + 1;
            FillClipped(RectFrom64(x1, lo, int64_t{x1} + 1, lo + ady), pixel);
        }
        return;
    }
    const bool xMajor = adx >= ady;
    const int64_t major0 = xMajor ? x1 : y1;
    const int64_t dirMajor = (xMajor ? dx : dy) > 0 ? 1 : -1;
    const int64_t minor0 = xMajor ? y1 : x1;
    const int64_t dirMinor = (xMajor ? dy : dx) >= 0 ? 1 : -1;
    const int64_t aMinor = xMajor ? ady : adx;
    const int64_t lo = (xMajor ? box.Left : box.Top) - reach;
    const int64_t hi = (xMajor ? box.Right : box.Bottom) + reach;  // exclusive
    // Steps whose major coordinate lies in [lo, hi).
    int64_t first = dirMajor > 0 ? lo - major0 : major0 - hi + 1;
    int64_t last = dirMajor > 0 ? hi - major0 : major0 - lo + 1;  // exclusive
    first = std::max<int64_t>(first, 0);
    last = std::min(last, steps);
    for (int64_t i = first; i < last; ++i) {
        const int64_t m = minor0 + dirMinor * MinorOffset(i, aMinor, steps);
        const int64_t a = major0 + dirMajor * i;
        StampPoint(ClampToInt32(xMajor ? a : m), ClampToInt32(xMajor ? m : a), pixel, box);
    }
}

void Surface::LineTo(int32_t x, int32_t y) {
    DrawLine(position_.x, position_.y, x, y);
    position_ = {x, y};
}

void Surface::BitBlt(int32_t x, int32_t y, int32_t w, int32_t h, const Surface& src, int32_t sx,
                     int32_t sy) {
    if (w <= 0 || h <= 0) return;
    const int64_t offX = int64_t{x} - sx;  // destination = source + offset
    const int64_t offY = int64_t{y} - sy;
    RECT r = IntersectRect(RectFrom64(x, y, int64_t{x} + w, int64_t{y} + h), ClipBox());
    r = IntersectRect(r, RectFrom64(offX, offY, offX + src.width_, offY + src.height_));
    if (IsRectEmpty(r)) return;
    const size_t count = static_cast<size_t>(r.Right - r.Left);
    auto copyRow = [&](int32_t row) {
        const uint32_t* from =
            src.pixels_.data() + static_cast<size_t>(row - offY) * src.width_ + (r.Left - offX);
        uint32_t* to = pixels_.data() + static_cast<size_t>(row) * width_ + r.Left;
        std::memmove(to, from, count * sizeof(uint32_t));
    };
    // Copying within one surface downwards must start at the bottom row.
    if (&src == this && offY > 0) {
        for (int32_t row = r.Bottom - 1; row >= r.Top; --row) copyRow(row);
    } else {
        for (int32_t row = r.Top; row < r.Bottom; ++row) copyRow(row);
    }
}

void Surface::StretchBlt(int32_t x, int32_t y, int32_t w, int32_t h, const Surface& src,
                         int32_t sx, int32_t sy, int32_t sw, int32_t sh) {
    if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return;
    const RECT r = IntersectRect(RectFrom64(x, y, int64_t{x} + w, int64_t{y} + h), ClipBox());
    if (IsRectEmpty(r)) return;
    // Source coordinate under the centre of destination pixel d (0-based within the block).
    auto sample = [](int64_t d, int64_t dstLen, int64_t srcStart, int64_t srcLen) {
        return srcStart + (2 * d + 1) * srcLen / (2 * dstLen);
    };
    std::vector<int64_t> columns(static_cast<size_t>(r.Right - r.Left));
    for (int32_t px = r.Left; px < r.Right; ++px)
        columns[static_cast<size_t>(px - r.Left)] = sample(px - int64_t{x}, w, sx, sw);
    // The source may be this surface: read every row before it can be overwritten.
    const Surface* from = &src;
    Surface copy;
    if (&src == this) {
        copy = *this;
        from = &copy;
    }
    for (int32_t py = r.Top; py < r.Bottom; ++py) {
        const int64_t v = sample(py - int64_t{y}, h, sy, sh);
        if (v < 0 || v >= from->height_) continue;
        const uint32_t* srcRow = from->pixels_.data() + static_cast<size_t>(v) * from->width_;
        uint32_t* dstRow = pixels_.data() + static_cast<size_t>(py) * width_;
        for (int32_t px = r.Left; px < r.Right; ++px) {
            const int64_t u = columns[static_cast<size_t>(px - r.Left)];
            if (u >= 0 && u < from->width_) dstRow[px] = srcRow[u];
        }
    }
}

COLORREF Surface::GetPixel(int32_t x, int32_t y) const {
    if (!PtInRect(ClipBox(), {x, y})) return CLR_INVALID;
    return FromPixel(pixels_[static_cast<size_t>(y) * width_ + x]);
}

COLORREF Surface::SetPixel(int32_t x, int32_t y, COLORREF color) {
    if (!PtInRect(ClipBox(), {x, y})) return CLR_INVALID;
    pixels_[static_cast<size_t>(y) * width_ + x] = ToPixel(color);
    return color & 0x00FFFFFFu;
}

void Surface::BlendMask(int32_t x, int32_t y, const uint8_t* mask, int32_t w, int32_t h,
                        int32_t pitch, COLORREF color, const RECT& clip) {
    const RECT r = IntersectRect(IntersectRect(RectFrom64(x, y, int64_t{x} + w, int64_t{y} + h), clip),
                                 ClipBox());
    if (IsRectEmpty(r)) return;
    const uint32_t src = ToPixel(color);
    const int32_t n = r.Right - r.Left;
    auto blendRow = BlendCoverageRow;
#if defined(GLV_AVX2_BLEND)
    if (HasAvx2()) blendRow = BlendCoverageRowAvx2;
#endif
    for (int32_t py = r.Top; py < r.Bottom; ++py) {
        blendRow(pixels_.data() + static_cast<size_t>(py) * width_ + r.Left,
                         mask + static_cast<size_t>(py - y) * pitch + (r.Left - x), n, src);
    }
}

}  // namespace glv
