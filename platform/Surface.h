#pragma once
// A 32-bit pixel buffer with the drawing state of a device context: the current font, text and
// background colours, background mode, pen and current position, and an optional clip rectangle.
//
// Edge rules, shared by every primitive:
//  - rectangles cover Left <= x < Right, Top <= y < Bottom (see Geometry.h);
//  - a line covers its start point but not its end point, so consecutive LineTo calls meet
//    without drawing the joint twice;
//  - everything is clipped to the buffer and to the clip rectangle, if one is set; a primitive
//    returns early when nothing of it is left, and coordinates may be negative or far outside.
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/Color.h"
#include "platform/Font.h"
#include "platform/Geometry.h"

namespace glv {

enum class BkMode : int32_t { Transparent = 1, Opaque = 2 };

class Surface {
public:
    // Larger buffers are refused rather than half-allocated: 64 Mi pixels is 256 MiB.
    static constexpr int64_t kMaxPixels = int64_t{1} << 26;

    Surface() = default;
    // Throws std::invalid_argument for a negative or too large size.
    Surface(int32_t width, int32_t height, COLORREF fill = RGB(0, 0, 0));

    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    // Row-major, Width() pixels per row, each 0x00RRGGBB.
    uint32_t* Pixels() { return pixels_.data(); }
    const uint32_t* Pixels() const { return pixels_.data(); }
    RECT Bounds() const { return {0, 0, width_, height_}; }

    // Counts the pictures finished in this surface: whoever draws a whole picture into it calls
    // FinishPaint when done, so a presenter can skip uploading a picture it already shows. A
    // surface that replaces another (a resize) continues the old one's serial, so a presenter
    // never sees a number it has seen before.
    uint64_t PaintSerial() const { return paintSerial_; }
    void FinishPaint() { ++paintSerial_; }
    void ContinuePaintSerial(const Surface& previous) { paintSerial_ = previous.paintSerial_; }

    // Clipping: every primitive draws only inside ClipBox(), the buffer cut by the clip rect.
    void SetClipRect(const RECT& clip) { clip_ = clip; }
    void ClearClipRect() { clip_.reset(); }
    std::optional<RECT> ClipRect() const { return clip_; }
    RECT ClipBox() const { return clip_ ? IntersectRect(Bounds(), *clip_) : Bounds(); }

    // Device-context state. Setters return the previous value, as their desktop namesakes do.
    const FontSpec& Font() const { return font_; }
    void SetFont(const FontSpec& font) { font_ = font; }
    COLORREF TextColor() const { return textColor_; }
    COLORREF SetTextColor(COLORREF c);
    COLORREF BkColor() const { return bkColor_; }
    COLORREF SetBkColor(COLORREF c);
    BkMode BackgroundMode() const { return bkMode_; }
    BkMode SetBkMode(BkMode mode);
    COLORREF PenColor() const { return penColor_; }
    int32_t PenWidth() const { return penWidth_; }
    void SetPen(COLORREF color, int32_t width = 1);
    POINT CurrentPosition() const { return position_; }

    POINT MoveTo(int32_t x, int32_t y);
    // Draws from the current position to (x, y), end point excluded, with the current pen, and
    // makes (x, y) the current position. A wider pen stamps a width x width square per point.
    void LineTo(int32_t x, int32_t y);

    void FillRect(const RECT& rc, COLORREF color);
    // A one-pixel frame on the inside edge of rc.
    void FrameRect(const RECT& rc, COLORREF color);
    // The box form of the line primitive: corners (x1, y1) and (x2, y2) both included, in any
    // order; filled or outlined. BoxRect is the rectangle it covers.
    static RECT BoxRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    void DrawBox(int32_t x1, int32_t y1, int32_t x2, int32_t y2, COLORREF color, bool fill);

    // Copies a w x h block from src at (sx, sy) to (x, y). Only pixels that exist in the source
    // and lie inside this surface's clip box change. src may be this surface (overlap is safe).
    void BitBlt(int32_t x, int32_t y, int32_t w, int32_t h, const Surface& src, int32_t sx,
                int32_t sy);
    // Scales the source block (sx, sy, sw, sh) onto (x, y, w, h) by nearest neighbour: each
    // destination pixel takes the source pixel under its centre, whole pixels are dropped or
    // repeated and never averaged. Non-positive sizes draw nothing (no mirroring).
    void StretchBlt(int32_t x, int32_t y, int32_t w, int32_t h, const Surface& src, int32_t sx,
                    int32_t sy, int32_t sw, int32_t sh);

    // CLR_INVALID outside the clip box.
    COLORREF GetPixel(int32_t x, int32_t y) const;
    // Returns the colour set, or CLR_INVALID when (x, y) is outside the clip box.
    COLORREF SetPixel(int32_t x, int32_t y, COLORREF color);

    // Blends color into the pixels under an 8-bit coverage mask placed at (x, y), limited to
    // clip and the clip box. This is the one place anti-aliased text reaches the pixels.
    void BlendMask(int32_t x, int32_t y, const uint8_t* mask, int32_t w, int32_t h, int32_t pitch,
                   COLORREF color, const RECT& clip);

private:
    void FillClipped(const RECT& rc, uint32_t pixel);
    void StampPoint(int32_t x, int32_t y, uint32_t pixel, const RECT& box);
    void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

    int32_t width_ = 0;
    int32_t height_ = 0;
    std::vector<uint32_t> pixels_;
    std::optional<RECT> clip_;
    uint64_t paintSerial_ = 0;

    FontSpec font_;
    COLORREF textColor_ = RGB(0, 0, 0);
    COLORREF bkColor_ = RGB(255, 255, 255);
    // Transparent, as on the control's own drawing surface: text never paints a background box
    // unless a painter asks for one.
    BkMode bkMode_ = BkMode::Transparent;
    COLORREF penColor_ = RGB(0, 0, 0);
    int32_t penWidth_ = 1;
    POINT position_;
};

}  // namespace glv
