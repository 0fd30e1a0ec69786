#pragma once
// The automation picture object: a bitmap of decoded pixels, sized in HIMETRIC like the
// runtime's pictures, that persists as PNG (base64 text in a property bag).

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Image.h"
#include "platform/Variant.h"

namespace glv {

// Picture types the runtime reports through Type.
inline constexpr int16_t kPicTypeBitmap = 1;

// Base64 with the standard alphabet and padding. Decoding ignores ASCII white space and raises
// error 481 (Invalid picture) for any other character outside the alphabet or a wrong length.
std::string Base64Encode(std::span<const uint8_t> bytes);
std::vector<uint8_t> Base64Decode(std::string_view text);

class StdPicture : public Object {
public:
    explicit StdPicture(Image image) : image_(std::move(image)) {}
    // A picture filled with one opaque colour; an empty or oversized one raises error 481.
    static std::shared_ptr<StdPicture> Solid(int32_t width, int32_t height, uint8_t r, uint8_t g,
                                             uint8_t b);
    // Bad, truncated or oversized PNG data raises error 481.
    static std::shared_ptr<StdPicture> FromPng(std::span<const uint8_t> bytes);
    static std::shared_ptr<StdPicture> FromBase64Png(std::string_view base64);

    std::string ToBase64Png() const;

    int32_t Width() const { return PixelsToHimetric(image_.Width); }    // HIMETRIC at 96 DPI
    int32_t Height() const { return PixelsToHimetric(image_.Height); }  // HIMETRIC at 96 DPI
    int32_t PixelWidth() const { return image_.Width; }
    int32_t PixelHeight() const { return image_.Height; }
    // An opaque non-zero value that identifies the picture while it lives.
    int32_t Handle() const;
    int16_t Type() const { return kPicTypeBitmap; }
    const Image& image() const { return image_; }

    bool SamePixels(const StdPicture& other) const { return image_ == other.image_; }

    std::string TypeName() const override { return "StdPicture"; }
    // Width, Height, Handle, Type (read only); the default member is Handle.
    Variant Invoke(std::string_view member, CallKind kind, std::span<const Variant> args) override;
    std::optional<Variant> DefaultValue() const override { return Variant(Handle()); }

private:
    Image image_;
};

using PicturePtr = std::shared_ptr<StdPicture>;

}  // namespace glv
