#pragma once
// An image-list control as a host puts one on its form, reached by name: an automation object
// of type "ImageList" over a list registered by handle. Hosts bind it to a control's image-list
// slot; the control then draws through the object (ListImages(i).Draw) instead of the handle.
//
// Members: hImagelist, ImageWidth, ImageHeight (read-only), ListImages(i) (1-based) giving a
// "ListImage" object with Index, Draw(hDC, x, y, [style]) and Picture. Draw takes twips, as the
// hosting runtime's controls do, and draws on the surface registered under hDC.

#include <cstdint>
#include <memory>
#include <optional>

#include "platform/Image.h"
#include "platform/Platform.h"
#include "platform/Variant.h"

namespace glv {

// ListImage.Draw styles.
enum ListImageDrawStyle : int32_t {
    imlNormal = 0,       // transparent parts show the list's background colour
    imlTransparent = 1,  // transparent parts leave the target alone
    imlSelected = 2,     // blended half with the system highlight colour
    imlFocus = 3,        // blended a quarter with the system highlight colour
};

class ImageListObject : public Object {
public:
    // The object keeps a reference to the platform, which must outlive it; twips per pixel are
    // the screen's, used to turn Draw's twips into pixels.
    ImageListObject(Platform& platform, uint32_t handle, int32_t twipsPerPixelX = 15,
                    int32_t twipsPerPixelY = 15);

    uint32_t hImagelist() const { return handle_; }
    int32_t ImageWidth() const;
    int32_t ImageHeight() const;
    int32_t Count() const;
    // ListImages(index), 1-based; runtime error 9 outside 1..Count().
    ObjectPtr ListImages(int32_t index);

    // Draws image index (1-based) at (x, y) in twips on the surface behind hdc; an unknown hdc
    // draws nothing. Runtime error 9 for an index outside the list, 5 for an unknown style.
    void Draw(int32_t index, HDC hdc, double xTwips, double yTwips, int32_t style);
    // Image index (1-based) as a picture; std::nullopt outside the list.
    std::optional<Image> Picture(int32_t index) const;

    std::string TypeName() const override { return "ImageList"; }
    Variant Invoke(std::string_view member, CallKind kind, std::span<const Variant> args) override;

private:
    const ImageList* List() const { return platform_.imageLists.Find(handle_); }
    void CheckIndex(int32_t index) const;

    Platform& platform_;
    uint32_t handle_ = 0;
    int32_t twipsPerPixelX_ = 15;
    int32_t twipsPerPixelY_ = 15;
};

// One image of an ImageListObject.
class ListImageObject : public Object {
public:
    ListImageObject(std::shared_ptr<ImageListObject> owner, int32_t index)
        : owner_(std::move(owner)), index_(index) {}

    int32_t Index() const { return index_; }
    std::optional<Image> Picture() const { return owner_->Picture(index_); }

    std::string TypeName() const override { return "ListImage"; }
    Variant Invoke(std::string_view member, CallKind kind, std::span<const Variant> args) override;

private:
    std::shared_ptr<ImageListObject> owner_;
    int32_t index_ = 1;
};

}  // namespace glv
