#include "platform/MemDC.h"

#include <stdexcept>

namespace glv {

void cMemDC::SetSize(int32_t width, int32_t height) {
    if (width == width_ && height == height_) return;
    Recreate(width, height);
}

void cMemDC::SetWidth(int32_t width) {
    if (width > width_) Recreate(width, height_);
}

void cMemDC::SetHeight(int32_t height) {
    if (height > height_) Recreate(width_, height);
}

void cMemDC::Release() {
    surface_.reset();
    width_ = 0;
    height_ = 0;
}

void cMemDC::Recreate(int32_t width, int32_t height) {
    Release();
    // A bitmap with no pixels cannot be selected, so an empty size leaves no surface either.
    if (width <= 0 || height <= 0) return;
    try {
        surface_ = std::make_unique<Surface>(width, height);
    } catch (const std::exception&) {
        return;  // too large (or out of memory): no surface, size 0 x 0
    }
    width_ = width;
    height_ = height;
}

}  // namespace glv
