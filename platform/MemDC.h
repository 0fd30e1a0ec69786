#pragma once
// An off-screen drawing surface that is recreated only when its size really changes; the
// control keeps its background in one and copies it onto the window surface each paint pass.
#include <cstdint>
#include <memory>

#include "platform/Surface.h"

namespace glv {

class cMemDC {
public:
    cMemDC() = default;
    cMemDC(int32_t width, int32_t height) { SetSize(width, height); }

    // Recreates the surface (cleared to black) unless the size is unchanged, in which case the
    // content stays. A size that cannot be created leaves no surface and a 0 x 0 size.
    void SetSize(int32_t width, int32_t height);
    // The surface, or nullptr while none exists.
    Surface* hdc() { return surface_.get(); }
    const Surface* hdc() const { return surface_.get(); }
    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    // Grow-only writes: a larger value recreates at (new, other current); smaller is ignored.
    void SetWidth(int32_t width);
    void SetHeight(int32_t height);
    void Release();

private:
    void Recreate(int32_t width, int32_t height);

    std::unique_ptr<Surface> surface_;
    int32_t width_ = 0;
    int32_t height_ = 0;
};

}  // namespace glv
