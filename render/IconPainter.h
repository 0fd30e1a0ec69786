#pragma once
// What a painter needs of an image-list slot: whether a list is bound, its image size, and the
// two icon primitives. The control adapts its slots (bound by handle or through an image-list
// object) to this, so painters never see the slots themselves.
#include <cstdint>

#include "platform/Color.h"
#include "platform/ImageList.h"
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

// A slot bound by handle to a list in the host's registry: selected icons are blended with the
// selection colour, disabled ones with the window colour (both resolved).
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
