#pragma once
// What a painter needs of an image-list slot: whether a list is bound, its image size, and the
// two icon primitives. The control adapts its slots (bound by handle or through an image-list
// object) to this, so painters never see the slots themselves.
#include <cstdint>

#include "platform/Color.h"
#include "platform/Surface.h"

namespace glv {

class IconPainter {
public:
    virtual ~IconPainter() = default;
    virtual bool Bound() const = 0;
    virtual int32_t ImageWidth() const = 0;
    virtual int32_t ImageHeight() const = 0;
    // index is the painters' 1-based icon index.
    virtual void Draw(Surface& target, int32_t index, int32_t x, int32_t y, bool selected) const = 0;
    virtual void DrawDisabled(Surface& target, int32_t index, int32_t x, int32_t y) const = 0;
};

}  // namespace glv
