// The control's four image-list slots: SetImageList binds a list to one of them.
#include "control/GlideListView.h"
#include "platform/AutomationError.h"

namespace glv {

// --- the control's slots --------------------------------------------------------------------------

void GlideListView::SetImageList(const Variant& slot, const Variant& imageList) {
    const int32_t index = slot.ToLong(locale());
    if (index < LVHeaderImages || index > LVTileImages) RaiseRuntimeError(runtime_error::kSubscriptOutOfRange);
    ImageListSlot& target = imageLists_[static_cast<std::size_t>(index)];
    target = ImageListSlot{};
    target = BindImageList(imageList, platform_.imageLists);
    // Small icons change row heights and every slot changes icons: show the new list now
    // rather than at whatever paints next.
    Repaint();
}

const ImageListSlot& GlideListView::ImageListSlotAt(int32_t slot) const {
    return imageLists_[static_cast<std::size_t>(slot)];
}

}  // namespace glv
