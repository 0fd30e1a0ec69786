#pragma once
// The coverage of a line of glyphs, gathered into one mask and blended with one call. A glyph
// at 8 points is about six pixels wide, too narrow for the blend's wide loop, so blending
// glyph by glyph spends most of its time on the edges of tiny boxes; a whole line blends in
// long rows that skip their empty stretches sixteen pixels at a time.
//
// The picture is the one glyph-by-glyph blending gives, to the bit: a pixel under no coverage
// is never touched, so glyphs whose coverage never meets blend the same in one mask as one
// after another. Where a glyph brings coverage to a pixel that already has some, the pixel
// must be blended twice, in turn: what is gathered is blended first and the mask starts again.
// Whoever draws anything else between two glyphs (an underline) flushes first.
#include <cstdint>
#include <vector>

#include "platform/Color.h"
#include "platform/Geometry.h"
#include "platform/Surface.h"

namespace glv {

class LineMask {
public:
    // Starts a line drawn in color on surface, its glyphs limited to area (already inside the
    // glyphs' clip rectangle). The area should be no larger than the glyphs' boxes: it is
    // cleared here.
    void Begin(Surface& surface, const RECT& area, COLORREF color);
    // What surface.BlendMask(x, y, coverage, w, h, w, color, area) would do at this point. The
    // coverage must be followed by 16 readable bytes, as a glyph's is (Face::Coverage).
    void Add(int64_t x, int64_t y, const uint8_t* coverage, int32_t w, int32_t h);
    // Blends what is gathered and clears it.
    void Flush();

private:
    uint8_t* Row(int32_t y) {
        return bytes_.data() + static_cast<size_t>(y - area_.Top) * static_cast<size_t>(pitch_);
    }

    Surface* surface_ = nullptr;
    RECT area_;
    COLORREF color_ = 0;
    int32_t pitch_ = 0;
    std::vector<uint8_t> bytes_;
    RECT ink_;  // what holds coverage now; empty when nothing does
};

}  // namespace glv
