#pragma once
// The automation picture object: a bitmap of decoded pixels, sized in HIMETRIC like the
// runtime's pictures, that persists as PNG.
//
// Pixels are 8-bit R, G, B, A in rows from the top. Width and Height report HIMETRIC units
// (hundredths of a millimetre) at 96 pixels per inch; PixelWidth and PixelHeight are exact.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Variant.h"

namespace glv {

// Picture types the runtime reports through Type.
inline constexpr int16_t kPicTypeBitmap = 1;

// Larger pictures are refused as corrupt rather than allocated: no background picture needs
// more, and a damaged header must not turn into a gigabyte allocation.
inline constexpr int64_t kMaxPicturePixels = int64_t{1} << 24;

// Decoded RGBA pixels.
struct RgbaImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> rgba;  // width * height * 4 bytes
};

// Decodes a PNG held in memory. Bad or truncated data, or a picture above kMaxPicturePixels,
// raises error 481 (Invalid picture).
RgbaImage DecodePng(std::span<const uint8_t> bytes);
// Encodes pixels as a PNG with an alpha channel.
std::vector<uint8_t> EncodePng(const RgbaImage& image);

// Base64 with the standard alphabet and padding. Decoding ignores ASCII white space and raises
// error 481 for any other character outside the alphabet or a wrong length.
std::string Base64Encode(std::span<const uint8_t> bytes);
std::vector<uint8_t> Base64Decode(std::string_view text);

// Pixels to HIMETRIC at 96 pixels per inch, rounded half to even.
int32_t PixelsToHimetric(int32_t pixels);

class StdPicture : public Object {
public:
    explicit StdPicture(RgbaImage image);
    // A picture filled with one colour (r, g, b, opaque).
    static std::shared_ptr<StdPicture> Solid(int32_t width, int32_t height, uint8_t r, uint8_t g,
                                             uint8_t b);
    static std::shared_ptr<StdPicture> FromPng(std::span<const uint8_t> bytes);
    static std::shared_ptr<StdPicture> FromBase64Png(std::string_view base64);

    std::string ToBase64Png() const;

    int32_t Width() const { return PixelsToHimetric(image_.width); }    // HIMETRIC
    int32_t Height() const { return PixelsToHimetric(image_.height); }  // HIMETRIC
    int32_t PixelWidth() const { return image_.width; }
    int32_t PixelHeight() const { return image_.height; }
    // An opaque non-zero value that identifies the picture while it lives.
    int32_t Handle() const;
    int16_t Type() const { return kPicTypeBitmap; }
    const RgbaImage& image() const { return image_; }

    // Two pictures with the same size and pixels.
    bool SamePixels(const StdPicture& other) const;

    std::string TypeName() const override { return "StdPicture"; }
    // Width, Height, Handle, Type (read only); the default member is Handle.
    Variant Invoke(std::string_view member, CallKind kind, std::span<const Variant> args) override;
    std::optional<Variant> DefaultValue() const override { return Variant(Handle()); }

private:
    RgbaImage image_;
};

using PicturePtr = std::shared_ptr<StdPicture>;

}  // namespace glv
