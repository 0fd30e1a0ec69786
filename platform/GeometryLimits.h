#pragma once
// Bounds on pixel geometry that comes from a host: window sizes and positions computed from
// sizes the host may set anywhere in 32 bits.
#include <algorithm>
#include <cstdint>

#include "platform/Surface.h"

namespace glv {

// Windows (the control, its form) are never sized past kMaxSurfaceSide on either axis, so the
// surfaces behind them always exist: a square of this side is the largest surface there is.
inline constexpr int32_t kMaxSurfaceSide = 8192;
static_assert(int64_t{kMaxSurfaceSide} * kMaxSurfaceSide <= Surface::kMaxPixels);

// A window side as a surface can have it: negative sizes are 0, larger ones kMaxSurfaceSide.
constexpr int32_t ClampSurfaceSide(int32_t side) { return std::clamp(side, 0, kMaxSurfaceSide); }

// Positions the layout computes from host-set sizes (column edges from widths anywhere in 32
// bits) are kept within +-kFarPixel: far outside any surface, so what is drawn is unchanged, yet
// small enough that a right edge minus a left edge, or an edge plus a margin, fits in 32 bits.
inline constexpr int32_t kFarPixel = 1 << 29;
inline int32_t ClampToFar(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, -kFarPixel, kFarPixel)); }

}  // namespace glv
