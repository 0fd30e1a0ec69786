#pragma once
// An icon source for painter tests: a list bound by handle in a registry of the test's own,
// drawing on whatever surface the painter names, with fixed blend colours.
#include <cstdint>

#include "platform/Color.h"
#include "platform/ImageList.h"
#include "render/IconPainter.h"

namespace glv {

// Selected icons are blended with the selection colour, disabled ones with the window colour.
class HandleIconPainter final : public IconPainter {
public:
    HandleIconPainter(const ImageListRegistry& lists, uint32_t handle, COLORREF selectColor,
                      COLORREF windowColor)
        : lists_(&lists), handle_(handle), selectColor_(selectColor), windowColor_(windowColor) {}

    bool Bound() const override { return list() != nullptr; }
    int32_t ImageWidth() const override { return list() ? list()->ImageWidth() : 0; }
    int32_t ImageHeight() const override { return list() ? list()->ImageHeight() : 0; }
    void Draw(Surface& target, int32_t index, int32_t x, int32_t y, bool selected) const override {
        DrawIcon(*lists_, target, handle_, index, x, y, selected, false, selectColor_);
    }
    void DrawDisabled(Surface& target, int32_t index, int32_t x, int32_t y) const override {
        DrawDisabledIcon(*lists_, target, handle_, index, x, y, windowColor_);
    }

private:
    const ImageList* list() const { return handle_ != 0 ? lists_->Find(handle_) : nullptr; }

    const ImageListRegistry* lists_;
    uint32_t handle_;
    COLORREF selectColor_;
    COLORREF windowColor_;
};

}  // namespace glv
