#include "platform/ImageListObject.h"

#include "platform/AutomationError.h"

namespace glv {

namespace {

void ExpectArgs(std::span<const Variant> args, std::size_t least, std::size_t most) {
    if (args.size() < least || args.size() > most)
        RaiseRuntimeError(runtime_error::kWrongArgumentCount);
}

bool Given(std::span<const Variant> args, std::size_t i) {
    return i < args.size() && !args[i].IsMissing();
}

// The common-controls style and blend colour for a ListImage.Draw style.
uint32_t ListStyle(int32_t style) {
    switch (style) {
        case imlNormal: return ILD_NORMAL;
        case imlTransparent: return ILD_TRANSPARENT;
        case imlSelected: return ILD_TRANSPARENT | ILD_SELECTED;
        case imlFocus: return ILD_TRANSPARENT | ILD_FOCUS;
        default: RaiseRuntimeError(runtime_error::kInvalidProcedureCall);
    }
}

// A coordinate that names no pixel a Long can hold (NaN, or past the range) is the runtime's
// overflow, as converting it to a Long would be.
int32_t TwipsToPixels(double twips, int32_t twipsPerPixel) {
    const double pixels = RoundHalfEven(twips / (twipsPerPixel > 0 ? twipsPerPixel : 15));
    if (!(pixels >= INT32_MIN && pixels <= INT32_MAX)) RaiseRuntimeError(runtime_error::kOverflow);
    return static_cast<int32_t>(pixels);
}

}  // namespace

ImageListObject::ImageListObject(Platform& platform, uint32_t handle, int32_t twipsPerPixelX,
                                 int32_t twipsPerPixelY)
    : platform_(platform),
      handle_(handle),
      twipsPerPixelX_(twipsPerPixelX),
      twipsPerPixelY_(twipsPerPixelY) {}

int32_t ImageListObject::ImageWidth() const { return List() ? List()->ImageWidth() : 0; }
int32_t ImageListObject::ImageHeight() const { return List() ? List()->ImageHeight() : 0; }
int32_t ImageListObject::Count() const { return List() ? List()->Count() : 0; }

void ImageListObject::CheckIndex(int32_t index) const {
    if (index < 1 || index > Count()) RaiseRuntimeError(runtime_error::kSubscriptOutOfRange);
}

ObjectPtr ImageListObject::ListImages(int32_t index) {
    CheckIndex(index);
    auto self = std::static_pointer_cast<ImageListObject>(shared_from_this());
    return std::make_shared<ListImageObject>(std::move(self), index);
}

void ImageListObject::Draw(int32_t index, HDC hdc, double xTwips, double yTwips, int32_t style) {
    CheckIndex(index);
    const uint32_t listStyle = ListStyle(style);
    Surface* target = platform_.deviceContexts.Find(hdc);
    if (!target) return;
    const COLORREF highlight = platform_.system.Resolve(kSystemColorFlag | syscolor::kHighlight);
    List()->Draw(*target, index - 1, TwipsToPixels(xTwips, twipsPerPixelX_),
                 TwipsToPixels(yTwips, twipsPerPixelY_), listStyle,
                 style >= imlSelected ? highlight : CLR_NONE, List()->BkColor());
}

std::optional<Image> ImageListObject::Picture(int32_t index) const {
    const ImageList* list = List();
    return list ? list->GetImage(index - 1) : std::nullopt;
}

Variant ImageListObject::Invoke(std::string_view member, CallKind kind,
                                std::span<const Variant> args) {
    const bool read = kind != CallKind::Let;
    if (read && EqualsIgnoreCase(member, "hImagelist")) {
        ExpectArgs(args, 0, 0);
        return static_cast<int32_t>(handle_);
    }
    if (read && EqualsIgnoreCase(member, "ImageWidth")) {
        ExpectArgs(args, 0, 0);
        return ImageWidth();
    }
    if (read && EqualsIgnoreCase(member, "ImageHeight")) {
        ExpectArgs(args, 0, 0);
        return ImageHeight();
    }
    if (read && EqualsIgnoreCase(member, "ListImages")) {
        ExpectArgs(args, 1, 1);
        return ListImages(args[0].ToLong());
    }
    return Object::Invoke(member, kind, args);
}

Variant ListImageObject::Invoke(std::string_view member, CallKind kind,
                                std::span<const Variant> args) {
    const bool read = kind != CallKind::Let;
    if (read && EqualsIgnoreCase(member, "Index")) {
        ExpectArgs(args, 0, 0);
        return index_;
    }
    if (read && EqualsIgnoreCase(member, "Draw")) {
        ExpectArgs(args, 3, 4);
        const int32_t style = Given(args, 3) ? args[3].ToLong() : imlNormal;
        owner_->Draw(index_, args[0].ToLong(), args[1].ToDouble(), args[2].ToDouble(), style);
        return Variant();
    }
    return Object::Invoke(member, kind, args);
}

}  // namespace glv
