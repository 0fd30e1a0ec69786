#pragma once
// Images with alpha, PNG files and the picture sizes an automation picture reports.
// Every PNG colour type and bit depth loads as 8-bit RGBA; a missing, unreadable or corrupt
// file raises ImageError with a message naming the file and the fault.
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Geometry.h"
#include "platform/Surface.h"

namespace glv {

class ImageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Straight (not premultiplied) alpha; pixels row-major as 0xAARRGGBB.
struct Image {
    int32_t Width = 0;
    int32_t Height = 0;
    std::vector<uint32_t> Pixels;

    Image() = default;
    // Throws std::invalid_argument for a negative or too large size.
    Image(int32_t width, int32_t height, uint32_t argb = 0);

    uint32_t At(int32_t x, int32_t y) const {
        return Pixels[static_cast<size_t>(y) * static_cast<size_t>(Width) + static_cast<size_t>(x)];
    }
    uint32_t& At(int32_t x, int32_t y) {
        return Pixels[static_cast<size_t>(y) * static_cast<size_t>(Width) + static_cast<size_t>(x)];
    }
    friend bool operator==(const Image&, const Image&) = default;
};

Image DecodePng(std::span<const uint8_t> bytes);
Image LoadPng(const std::string& path);
std::vector<uint8_t> EncodePng(const Image& image);  // RGBA
void SavePng(const Image& image, const std::string& path);

// A surface is written as an RGB PNG; a PNG read into a surface drops its alpha.
std::vector<uint8_t> EncodePng(const Surface& surface);
void SavePng(const Surface& surface, const std::string& path);
Surface LoadPngSurface(const std::string& path);

Surface ToSurface(const Image& image);  // alpha dropped
Image ToImage(const Surface& surface);  // opaque

// 2540 HIMETRIC units per inch. Pixel counts convert at the screen DPI, rounded to nearest with
// halves away from zero (the desktop MulDiv rule).
int32_t PixelsToHimetric(int32_t pixels, int32_t dpi = 96);
int32_t HimetricToPixels(int32_t himetric, int32_t dpi = 96);
SIZE HimetricSize(const Image& image, int32_t dpi = 96);

}  // namespace glv
