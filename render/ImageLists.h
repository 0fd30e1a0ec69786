#pragma once
// The control's four image-list slots and the two icon primitives the painters call.
//
// A slot holds a list bound by handle, or an image-list object ("ImageList" type) through
// which icons are then drawn, and the image size the layout and the painters read. The
// painters decide which slot, index and position; this file decides how an icon reaches the
// surface.

#include <array>
#include <cstdint>

#include "platform/DeviceContext.h"
#include "platform/Platform.h"
#include "platform/Variant.h"
#include "render/IconPainter.h"

namespace glv {

enum LVImageListTypeConstants : int32_t {
    LVHeaderImages = 0,
    LVLargeIcon = 1,
    LVSmallIcon = 2,
    LVTileImages = 3,
};

struct ImageListSlot {
    uint32_t handle = 0;  // 0: no list
    ObjectPtr object;     // kept only for objects whose type name is "ImageList"
    int32_t width = 0;    // image size in pixels
    int32_t height = 0;
    bool Bound() const { return handle != 0 || object != nullptr; }
};

using ImageListSlots = std::array<ImageListSlot, 4>;

// What SetImageList stores for a value: an object is probed (ListImages(1).Draw, then
// hImagelist) with its errors swallowed, a failed probe giving an empty slot; a Long is the
// handle itself. Anything else raises 0x80040419 (the slot's caller has cleared it already).
ImageListSlot BindImageList(const Variant& value, const ImageListRegistry& lists);

// The error a value that is neither an object nor a Long handle gets.
[[noreturn]] void RaiseImageListTypeError();

// Where icons are drawn, and what the primitives need of the control.
struct IconTarget {
    Platform& platform;
    Surface& surface;
    HDC hdc = 0;  // the surface's handle, for objects that draw by hDC
    int32_t twipsPerPixelX = 15;
    int32_t twipsPerPixelY = 15;
    OLE_COLOR selectBackColor = 0;  // the selected icon's blend colour
};

// Icon index (1-based as the painters pass it) from the slot at (x, y). Through a bound object
// the selected and focus flags have no effect; through a handle a selected icon is blended
// half with the selection colour. Errors of a bound object are swallowed.
void DrawSlotIcon(const IconTarget& target, const ImageListSlot& slot, int32_t index, int32_t x,
                  int32_t y, bool selected, bool focus);
// The disabled look: an object's picture embossed, a handle's image blended half with the
// window colour.
void DrawSlotDisabledIcon(const IconTarget& target, const ImageListSlot& slot, int32_t index,
                          int32_t x, int32_t y);

// A slot as the painters see it. Icons go to the pass's own surface through the slot's handle or
// object (an object draws through the surface's hDC), so the surface a painter names is the
// target's; the focus flag is never set by a painter.
class SlotIconPainter final : public IconPainter {
public:
    SlotIconPainter(const IconTarget& target, const ImageListSlot& slot)
        : target_(&target), slot_(&slot) {}

    bool Bound() const override { return slot_->Bound(); }
    int32_t ImageWidth() const override { return slot_->width; }
    int32_t ImageHeight() const override { return slot_->height; }
    void Draw(Surface&, int32_t index, int32_t x, int32_t y, bool selected) const override {
        DrawSlotIcon(*target_, *slot_, index, x, y, selected, false);
    }
    void DrawDisabled(Surface&, int32_t index, int32_t x, int32_t y) const override {
        DrawSlotDisabledIcon(*target_, *slot_, index, x, y);
    }

private:
    const IconTarget* target_;
    const ImageListSlot* slot_;
};

}  // namespace glv
