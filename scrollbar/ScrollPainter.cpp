#include "scrollbar/ScrollPainter.h"

#include <array>
#include <optional>

#include "platform/Image.h"
#include "resources/Bitmaps.h"

namespace glv {

namespace {

// Thumb caps are this long along the axis; the composer lays them over the thumb's ends.
constexpr int32_t kCapPixels = 3;
// Pixels kept unscaled at the edges when a part is stretched to its place.
constexpr int32_t kButtonMargin = 3;
constexpr int32_t kCapMarginAcross = 4;
constexpr int32_t kBodyMarginAcross = 3;
constexpr int32_t kTrackMarginAcross = 1;
// The grip is parked in the disabled cell this far past the first button.
constexpr int32_t kGripParkOffset = 10;

struct PartNames {
    const char* vertical;
    const char* horizontal;
};
constexpr std::array<PartNames, 10> kPartNames = {{
    {"VS_UP", "HS_LEFT"},
    {"VS_DOWN", "HS_RIGHT"},
    {"VS_UPARROW", "HS_LEFTARROW"},
    {"VS_DOWNARROW", "HS_RIGHTARROW"},
    {"VS_TOP", "HS_EDGELEFT"},
    {"VS_BAR", "HS_BAR"},
    {"VS_BOTTOM", "HS_EDGERIGHT"},
    {"VS_GRIPBAR", "HS_GRIPBAR"},
    {"VS_BACK", "HS_BACK"},
    {"VS_BACKHOT", "HS_BACKHOT"},
}};
constexpr std::array<const char*, 4> kLookSuffix = {"", "HOT", "PRESS", "DISABLED"};

// Drawing in the bar's own terms: positions and lengths along and across its axis. On the
// horizontal bar "along" is x; on the vertical bar it is y. The horizontal bitmaps are the
// vertical ones turned a quarter, so the same along/across description fits both.
struct AxisView {
    bool horizontal;

    int32_t X(int32_t along, int32_t across) const { return horizontal ? along : across; }
    int32_t Y(int32_t along, int32_t across) const { return horizontal ? across : along; }
    int32_t Along(const Surface& s) const { return horizontal ? s.Width() : s.Height(); }
    int32_t Across(const Surface& s) const { return horizontal ? s.Height() : s.Width(); }

    void Copy(Surface& dst, int32_t along, int32_t across, int32_t alongLen, int32_t acrossLen,
              const Surface& src, int32_t srcAlong, int32_t srcAcross) const {
        dst.BitBlt(X(along, across), Y(along, across), X(alongLen, acrossLen),
                   Y(alongLen, acrossLen), src, X(srcAlong, srcAcross), Y(srcAlong, srcAcross));
    }
    void Stretch(Surface& dst, int32_t along, int32_t across, int32_t alongLen, int32_t acrossLen,
                 const Surface& src, int32_t srcAlong, int32_t srcAcross, int32_t srcAlongLen,
                 int32_t srcAcrossLen) const {
        dst.StretchBlt(X(along, across), Y(along, across), X(alongLen, acrossLen),
                       Y(alongLen, acrossLen), src, X(srcAlong, srcAcross),
                       Y(srcAlong, srcAcross), X(srcAlongLen, srcAcrossLen),
                       Y(srcAlongLen, srcAcrossLen));
    }
};

// One stretch of a slice: a source range placed onto a destination range.
struct Band {
    int32_t src = 0, srcLen = 0, dst = 0, dstLen = 0;
};

// The three bands of a length sliced with `margin` pixels kept at each end; a margin of 0
// stretches the whole length as one band.
std::array<Band, 3> Bands(int32_t srcLen, int32_t dstLen, int32_t margin) {
    if (margin <= 0) return {Band{0, srcLen, 0, dstLen}, Band{}, Band{}};
    return {Band{0, margin, 0, margin},
            Band{margin, srcLen - 2 * margin, margin, dstLen - 2 * margin},
            Band{srcLen - margin, margin, dstLen - margin, margin}};
}

struct Area {
    int32_t along = 0, across = 0, alongLen = 0, acrossLen = 0;
};

// Draws src onto the area keeping marginAlong and marginAcross pixels at its edges unscaled and
// stretching the rest (nine pieces with both margins set, three with one).
void DrawSliced(const AxisView& axis, Surface& dst, const Area& area, const Surface& src,
                int32_t marginAlong, int32_t marginAcross) {
    for (const Band& a : Bands(axis.Along(src), area.alongLen, marginAlong)) {
        for (const Band& c : Bands(axis.Across(src), area.acrossLen, marginAcross)) {
            axis.Stretch(dst, area.along + a.dst, area.across + c.dst, a.dstLen, c.dstLen, src,
                         a.src, c.src, a.srcLen, c.srcLen);
        }
    }
}

// Copies a glyph leaving out its key colour (its top-left pixel), so the button shows through.
void DrawTransparent(Surface& dst, int32_t x, int32_t y, const Surface& glyph) {
    if (glyph.Width() <= 0 || glyph.Height() <= 0) return;
    const uint32_t key = glyph.Pixels()[0];
    for (int32_t gy = 0; gy < glyph.Height(); ++gy) {
        const uint32_t* row = glyph.Pixels() + static_cast<size_t>(gy) * glyph.Width();
        for (int32_t gx = 0; gx < glyph.Width(); ++gx)
            if (row[gx] != key) dst.SetPixel(x + gx, y + gy, FromPixel(row[gx]));
    }
}

}  // namespace

std::string ScrollPartName(ScrollAxis axis, ScrollPart part, PartLook look, int32_t theme) {
    const PartNames& names = kPartNames[static_cast<size_t>(part)];
    std::string name = axis == ScrollAxis::Horizontal ? names.horizontal : names.vertical;
    name += kLookSuffix[static_cast<size_t>(look)];
    // Appended piece by piece: GCC 12 at -O3 reports a false overlap (-Wrestrict) for a
    // literal + std::string.
    if (look != PartLook::Disabled) name.append("(").append(std::to_string(theme)).append(")");
    return name;
}

void PartStrip::Resize(int32_t cell, int32_t length) {
    cell_ = cell;
    length_ = length;
    const AxisView axis{axis_ == ScrollAxis::Horizontal};
    // The cell comes from the system's arrow width, anywhere in 32 bits: a strip too large for a
    // surface is simply not made, and Build then draws nothing.
    const int32_t across = ClampToInt32(int64_t{6} * cell);
    strip_.SetSize(axis.X(length, across), axis.Y(length, across));
}

bool PartStrip::Build(int32_t theme) {
    Surface* strip = strip_.hdc();
    if (!strip || cell_ <= 0) return false;
    const AxisView axis{axis_ == ScrollAxis::Horizontal};
    const int32_t cell = cell_;
    const int32_t length = length_;

    auto load = [&](ScrollPart part, PartLook look) -> std::optional<Surface> {
        const Image* image = FindBitmap(ScrollPartName(axis_, part, look, theme));
        if (!image) return std::nullopt;
        return ToSurface(*image);
    };
    // A glyph centred on the button whose cell starts at `along`.
    auto drawGlyph = [&](const Surface& glyph, int32_t along, int32_t across) {
        const int32_t a = along + cell / 2 - axis.Along(glyph) / 2;
        const int32_t c = across + cell / 2 - axis.Across(glyph) / 2;
        DrawTransparent(*strip, axis.X(a, c), axis.Y(a, c), glyph);
    };

    for (int32_t s = 0; s < 4; ++s) {
        const auto look = static_cast<PartLook>(s);
        const PartLook glyphLook = look == PartLook::Disabled ? PartLook::Disabled : PartLook::Normal;
        const int32_t across = s * cell;
        const auto first = load(ScrollPart::FirstButton, look);
        const auto firstGlyph = load(ScrollPart::FirstGlyph, glyphLook);
        const auto second = load(ScrollPart::SecondButton, look);
        const auto secondGlyph = load(ScrollPart::SecondGlyph, glyphLook);
        if (!first) return false;
        DrawSliced(axis, *strip, {0, across, cell, cell}, *first, kButtonMargin, kButtonMargin);
        if (!firstGlyph) return false;
        drawGlyph(*firstGlyph, 0, across);
        if (!second) return false;
        DrawSliced(axis, *strip, {length - cell, across, cell, cell}, *second, kButtonMargin,
                   kButtonMargin);
        if (!secondGlyph) return false;
        drawGlyph(*secondGlyph, length - cell, across);
        if (look == PartLook::Disabled) break;

        // The thumb of this look over the whole track; repaints copy as much of it as they need.
        const auto lead = load(ScrollPart::LeadingCap, look);
        const auto body = load(ScrollPart::Body, look);
        const auto trail = load(ScrollPart::TrailingCap, look);
        if (!lead || !body || !trail) return false;
        const int32_t leadLen = axis.Along(*lead);
        const int32_t trailLen = axis.Along(*trail);
        const int32_t bodyStart = cell + leadLen;
        const int32_t bodyEnd = length - cell - trailLen;
        DrawSliced(axis, *strip, {cell, across, leadLen, cell}, *lead, 0, kCapMarginAcross);
        DrawSliced(axis, *strip, {bodyStart, across, bodyEnd - bodyStart, cell}, *body, 0,
                   kBodyMarginAcross);
        DrawSliced(axis, *strip, {bodyEnd, across, trailLen, cell}, *trail, 0, kCapMarginAcross);
    }

    for (auto [part, cellIndex] : {std::pair{ScrollPart::Track, 4}, std::pair{ScrollPart::PressedTrack, 5}}) {
        const auto track = load(part, PartLook::Normal);
        if (!track) return false;
        DrawSliced(axis, *strip, {0, cellIndex * cell, length, cell}, *track, 0, kTrackMarginAcross);
    }

    const auto grip = load(ScrollPart::Grip, PartLook::Normal);
    if (!grip) return false;
    gripAlongSize_ = axis.Along(*grip);
    gripAcrossSize_ = axis.Across(*grip);
    gripAlong_ = cell + kGripParkOffset;
    gripAcross_ = 3 * cell + cell / 2 - gripAcrossSize_ / 2;
    axis.Copy(*strip, gripAlong_, gripAcross_, gripAlongSize_, gripAcrossSize_, *grip, 0, 0);
    return true;
}

void PartStrip::Compose(Surface& target, const BarPaintState& state) const {
    const Surface* strip = strip_.hdc();
    if (!strip) return;
    const AxisView axis{axis_ == ScrollAxis::Horizontal};
    const int32_t cell = cell_;
    const int32_t length = length_;
    const int32_t thumbEnd = state.thumbStart + state.thumbLength;
    auto copy = [&](int32_t along, int32_t alongLen, int32_t srcAlong, int32_t cellIndex) {
        axis.Copy(target, along, 0, alongLen, cell, *strip, srcAlong, cellIndex * cell);
    };

    copy(0, length, 0, 4);
    if (state.trackBeforePressed)
        copy(0, state.thumbStart, 0, 5);
    else if (state.trackAfterPressed)
        copy(thumbEnd, length - thumbEnd, thumbEnd, 5);

    if (!state.enabled) {
        copy(0, cell, 0, 3);
        copy(length - cell, cell, length - cell, 3);
        return;
    }
    using namespace hotpart;
    const int32_t thumbCell = state.hotPart == kThumbHot ? 1 : state.hotPart == kThumbPressed ? 2 : 0;
    copy(state.thumbStart, state.thumbLength, cell, thumbCell);
    copy(state.thumbStart, kCapPixels, cell, thumbCell);
    copy(thumbEnd - kCapPixels, kCapPixels, length - cell - kCapPixels, thumbCell);
    const int32_t firstCell = state.hotPart == kFirstArrowHot ? 1 : state.hotPart == kFirstArrowPressed ? 2 : 0;
    copy(0, cell, 0, firstCell);
    const int32_t secondCell = state.hotPart == kSecondArrowHot ? 1 : state.hotPart == kSecondArrowPressed ? 2 : 0;
    copy(length - cell, cell, length - cell, secondCell);
    const int32_t centre = state.thumbStart + state.thumbLength / 2;
    axis.Copy(target, centre - gripAlongSize_ / 2, cell / 2 - gripAcrossSize_ / 2, gripAlongSize_,
              gripAcrossSize_, *strip, gripAlong_, gripAcross_);
}

}  // namespace glv
