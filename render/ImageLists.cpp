#include "render/ImageLists.h"

#include <exception>

#include "core/Errors.h"
#include "platform/AutomationError.h"
#include "platform/ImageListObject.h"

namespace glv {

namespace {

// The error number is in the object-defined range: the object error base plus 1049.
constexpr int32_t kImageListTypeError = static_cast<int32_t>(0x80040419u);

Variant Call(const ObjectPtr& object, std::string_view member, CallKind kind,
             std::initializer_list<Variant> args) {
    return object->Invoke(member, kind, std::span<const Variant>(args.begin(), args.size()));
}

ObjectPtr ListImage(const ObjectPtr& list, int32_t index) {
    return Call(list, "ListImages", CallKind::Get, {index}).ToObject();
}

// Reads a size property of a bound object; a failing or odd object reports 0.
int32_t SizeOf(const ObjectPtr& object, std::string_view member) {
    try {
        return Call(object, member, CallKind::Get, {}).ToLong();
    } catch (const std::exception&) {
        return 0;
    }
}

}  // namespace

void RaiseImageListTypeError() {
    RaiseAutomationError(kImageListTypeError, std::string(kLibraryName) + ".GlideSuite ListView.",
                         "ImageList property expects GlideImageList object or Long hImageList handle.");
}

ImageListSlot BindImageList(const Variant& value, const ImageListRegistry& lists) {
    ImageListSlot slot;
    if (value.IsObject()) {
        const ObjectPtr& object = value.AsObject();
        try {
            // Drawing the first image makes a list that builds its handle lazily build it.
            const ObjectPtr first = object ? ListImage(object, 1) : nullptr;
            if (!first) return slot;
            Call(first, "Draw", CallKind::Method, {int32_t{0}, int32_t{0}, int32_t{0}});
            slot.handle = static_cast<uint32_t>(Call(object, "hImagelist", CallKind::Get, {}).ToLong());
            if (object->TypeName() == "ImageList") slot.object = object;
        } catch (const std::exception&) {
            return ImageListSlot{};
        }
    } else if (value.Type() == VarType::Long) {
        slot.handle = static_cast<uint32_t>(value.AsLong());
    } else {
        RaiseImageListTypeError();
    }
    if (slot.handle == 0) return slot;
    if (slot.object) {
        slot.width = SizeOf(slot.object, "ImageWidth");
        slot.height = SizeOf(slot.object, "ImageHeight");
    } else if (const ImageList* list = lists.Find(slot.handle)) {
        if (const auto rect = list->GetImageRect(0)) {
            slot.width = rect->Right - rect->Left;
            slot.height = rect->Bottom - rect->Top;
        }
    }
    return slot;
}

void DrawSlotIcon(const IconTarget& target, const ImageListSlot& slot, int32_t index, int32_t x,
                  int32_t y, bool selected, bool focus) {
    if (slot.object) {
        try {
            const ObjectPtr image = ListImage(slot.object, index);
            if (image)
                Call(image, "Draw", CallKind::Method,
                     {target.hdc, static_cast<double>(x) * target.twipsPerPixelX, static_cast<double>(y) * target.twipsPerPixelY,
                      int32_t{imlTransparent}});
        } catch (const std::exception&) {
            // A host object that fails to draw leaves the icon out.
        }
        return;
    }
    if (slot.handle == 0) return;
    const COLORREF selectColor = target.platform.system.Resolve(target.selectBackColor);
    DrawIcon(target.platform.imageLists, target.surface, slot.handle, index, x, y, selected, focus,
             selectColor);
}

void DrawSlotDisabledIcon(const IconTarget& target, const ImageListSlot& slot, int32_t index,
                          int32_t x, int32_t y) {
    const SystemInfo& system = target.platform.system;
    if (slot.object) {
        try {
            const ObjectPtr image = ListImage(slot.object, index);
            // Only our own list images hand over their picture as pixels.
            if (const auto* own = dynamic_cast<const ListImageObject*>(image.get()))
                if (const auto picture = own->Picture())
                    DrawEmbossed(target.surface, *picture, x, y,
                                 system.Resolve(kSystemColorFlag | syscolor::kBtnHighlight),
                                 system.Resolve(kSystemColorFlag | syscolor::kBtnShadow));
        } catch (const std::exception&) {
            // As above: the icon is left out.
        }
        return;
    }
    if (slot.handle == 0) return;
    DrawDisabledIcon(target.platform.imageLists, target.surface, slot.handle, index, x, y,
                     system.Resolve(kSystemColorFlag | syscolor::kWindow));
}

}  // namespace glv
