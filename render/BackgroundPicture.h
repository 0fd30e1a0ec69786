#pragma once
// The background picture, composed into the background cache when the cache is rebuilt: after
// the back colour and before the header band, which hides whatever of it lies under the header.
#include <cstdint>
#include <optional>

#include "platform/Geometry.h"
#include "platform/Image.h"
#include "platform/Surface.h"

namespace glv {

enum LVListPictureAlignmentConstants : int32_t {
    lvwTopLeft = 0,
    lvwTopRight = 1,
    lvwBottomLeft = 2,
    lvwBottomRight = 3,
    lvwCenter = 4,
    lvwTile = 5,
    lvwStretch = 6,
};

// What placing the picture needs to know. The scroll bar allowances are a fixed 18 pixels
// whatever size the scroll bars have.
struct BackgroundPictureState {
    const Image* picture = nullptr;  // none: nothing is drawn
    int32_t alignment = lvwTopLeft;
    bool ledger = false;             // BackStyle Ledger: the bands replace the picture
    int32_t headerHeight = 0;
    bool vScrollVisible = false;
    bool hScrollVisible = false;
};

inline constexpr int32_t kPictureScrollAllowance = 18;

// Where the picture goes on a surface of width x height, as a rectangle of its drawn size; for
// lvwStretch the size is the stretched one. No rectangle when nothing is drawn (no picture,
// Ledger, lvwTile or an unknown alignment).
std::optional<RECT> PlaceBackgroundPicture(const BackgroundPictureState& state, int32_t width,
                                           int32_t height);

// Copies the picture onto the cache at its place (stretched for lvwStretch); its alpha is
// dropped, as a bitmap copy does.
void PaintBackgroundPicture(Surface& cache, const BackgroundPictureState& state);

}  // namespace glv
