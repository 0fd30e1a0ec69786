#pragma once
// Scroll bar painting in two stages. When the theme or the bar's size changes, every part in
// every state is drawn once from the part bitmaps into an off-screen part strip; each repaint
// then composes the bar from that strip with block copies alone, so a drag or an auto-repeat
// never loads or scales a bitmap.
//
// The strip, described for the vertical bar (the horizontal one is the same turned a quarter,
// with rows in place of columns): six cells across, as long as the bar.
//   cell 0  normal   first button with glyph, thumb over the whole track, second button
//   cell 1  hot      the same with the hot bitmaps
//   cell 2  pressed  the same with the pressed bitmaps
//   cell 3  disabled both disabled buttons, no thumb; the grip is parked here as well
//   cell 4  the track
//   cell 5  the pressed track

#include <cstdint>
#include <string>

#include "platform/MemDC.h"
#include "platform/Surface.h"
#include "scrollbar/ScrollModel.h"

namespace glv {

// What a repaint needs to know, in pixels along the axis.
struct BarPaintState {
    int32_t thumbStart = 0;
    int32_t thumbLength = 0;
    int32_t hotPart = hotpart::kInitial;
    bool trackBeforePressed = false;
    bool trackAfterPressed = false;
    bool enabled = true;
};

enum class ScrollPart : uint8_t {
    FirstButton, SecondButton, FirstGlyph, SecondGlyph,
    LeadingCap, Body, TrailingCap, Grip, Track, PressedTrack,
};
// The looks a part comes in; the strip's first four cells in this order.
enum class PartLook : uint8_t { Normal, Hot, Pressed, Disabled };

// The resource name of a part: "VS_UP(0)", "HS_EDGELEFTHOT(1)", "VS_UPARROW(2)", or without a
// theme index for the disabled looks ("VS_UPDISABLED", "HS_LEFTARROWDISABLED").
std::string ScrollPartName(ScrollAxis axis, ScrollPart part, PartLook look, int32_t theme);

class PartStrip {
public:
    explicit PartStrip(ScrollAxis axis) : axis_(axis) {}

    // Resizes the strip for cells of `cell` pixels and a bar of `length` pixels along its axis.
    void Resize(int32_t cell, int32_t length);
    // Draws every part of the theme's bitmap set. Stops quietly at a missing bitmap, keeping
    // what was drawn so far; returns whether the whole set was drawn.
    bool Build(int32_t theme);
    // Composes the bar onto target (cell across, length along) with at most eight block copies.
    void Compose(Surface& target, const BarPaintState& state) const;

    const Surface* surface() const { return strip_.hdc(); }
    int32_t cell() const { return cell_; }
    int32_t length() const { return length_; }

private:
    ScrollAxis axis_;
    int32_t cell_ = 0;
    int32_t length_ = 0;
    // Where the grip was parked in the strip and its size, taken from its bitmap at build time
    // so that repaints need no bitmap.
    int32_t gripAlong_ = 0, gripAcross_ = 0, gripAlongSize_ = 0, gripAcrossSize_ = 0;
    cMemDC strip_;
};

}  // namespace glv
