#include "platform/Image.h"

#include "platform/BoundedInput.h"

#include <png.h>

#include <bit>
#include <cmath>
#include <fstream>

namespace glv {
namespace {

static_assert(std::endian::native == std::endian::little,
              "BGRA bytes are read as 0xAARRGGBB words");

void CheckSize(int64_t width, int64_t height) {
    if (width < 0 || height < 0 || width * height > Surface::kMaxPixels) {
        throw std::invalid_argument("image size " + std::to_string(width) + "x" +
                                    std::to_string(height) + " is out of range");
    }
}

std::vector<uint8_t> ReadFile(const std::string& path) {
    try {
        const std::string bytes = ReadInputFile(path);
        return {bytes.begin(), bytes.end()};
    } catch (const InputError& bad) {
        throw ImageError(std::string("image file: ") + bad.what());
    }
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw ImageError("cannot write image file \"" + path + "\"");
}

// Encodes rows of the given simplified-API format (stride = width pixels).
std::vector<uint8_t> Encode(int32_t width, int32_t height, png_uint_32 format, const void* data) {
    if (width <= 0 || height <= 0) throw ImageError("cannot write an empty image as PNG");
    png_image img{};
    img.version = PNG_IMAGE_VERSION;
    img.width = static_cast<png_uint_32>(width);
    img.height = static_cast<png_uint_32>(height);
    img.format = format;
    png_alloc_size_t size = 0;
    if (!png_image_write_get_memory_size(img, size, 0, data, 0, nullptr))
        throw ImageError(std::string("PNG encoding failed: ") + img.message);
    std::vector<uint8_t> bytes(size);
    if (!png_image_write_to_memory(&img, bytes.data(), &size, 0, data, 0, nullptr))
        throw ImageError(std::string("PNG encoding failed: ") + img.message);
    bytes.resize(size);
    return bytes;
}

int32_t MulDiv(int64_t value, int64_t num, int64_t den) {
    const double exact = static_cast<double>(value) * static_cast<double>(num) / static_cast<double>(den);
    return static_cast<int32_t>(std::lround(exact));
}

}  // namespace

Image::Image(int32_t width, int32_t height, uint32_t argb) {
    CheckSize(width, height);
    Width = width;
    Height = height;
    Pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), argb);
}

Image DecodePng(std::span<const uint8_t> bytes) {
    png_image img{};
    img.version = PNG_IMAGE_VERSION;
    if (bytes.empty()) throw ImageError("not a PNG image: no data");
    if (!png_image_begin_read_from_memory(&img, bytes.data(), bytes.size()))
        throw ImageError(std::string("not a valid PNG image: ") + img.message);
    const int64_t width = img.width;
    const int64_t height = img.height;
    if (width * height > Surface::kMaxPixels) {
        png_image_free(&img);
        throw ImageError("PNG image too large: " + std::to_string(width) + "x" +
                         std::to_string(height));
    }
    // 16-bit files without colour-space chunks are taken as sRGB, not linear: drop the low
    // byte rather than re-encode the values.
    img.flags |= PNG_IMAGE_FLAG_16BIT_sRGB;
    img.format = PNG_FORMAT_BGRA;
    Image out(static_cast<int32_t>(width), static_cast<int32_t>(height));
    if (!png_image_finish_read(&img, nullptr, out.Pixels.data(), 0, nullptr))
        throw ImageError(std::string("corrupt PNG image: ") + img.message);
    return out;
}

Image LoadPng(const std::string& path) {
    const std::vector<uint8_t> bytes = ReadFile(path);
    try {
        return DecodePng(bytes);
    } catch (const ImageError& e) {
        throw ImageError("\"" + path + "\": " + e.what());
    }
}

std::vector<uint8_t> EncodePng(const Image& image) {
    return Encode(image.Width, image.Height, PNG_FORMAT_BGRA, image.Pixels.data());
}

void SavePng(const Image& image, const std::string& path) { WriteFile(path, EncodePng(image)); }

std::vector<uint8_t> EncodePng(const Surface& surface) {
    std::vector<uint8_t> rgb;
    rgb.reserve(static_cast<size_t>(surface.Width()) * static_cast<size_t>(surface.Height()) * 3);
    const uint32_t* p = surface.Pixels();
    for (size_t i = 0, n = static_cast<size_t>(surface.Width()) * surface.Height(); i < n; ++i) {
        rgb.push_back(static_cast<uint8_t>(p[i] >> 16));
        rgb.push_back(static_cast<uint8_t>(p[i] >> 8));
        rgb.push_back(static_cast<uint8_t>(p[i]));
    }
    return Encode(surface.Width(), surface.Height(), PNG_FORMAT_RGB, rgb.data());
}

void SavePng(const Surface& surface, const std::string& path) {
    WriteFile(path, EncodePng(surface));
}

Surface LoadPngSurface(const std::string& path) { return ToSurface(LoadPng(path)); }

Surface ToSurface(const Image& image) {
    Surface s(image.Width, image.Height);
    for (size_t i = 0; i < image.Pixels.size(); ++i) s.Pixels()[i] = image.Pixels[i] & 0x00FFFFFFu;
    return s;
}

Image ToImage(const Surface& surface) {
    Image img(surface.Width(), surface.Height());
    for (size_t i = 0; i < img.Pixels.size(); ++i) img.Pixels[i] = surface.Pixels()[i] | 0xFF000000u;
    return img;
}

int32_t PixelsToHimetric(int32_t pixels, int32_t dpi) {
    return MulDiv(pixels, 2540, dpi > 0 ? dpi : 96);
}

int32_t HimetricToPixels(int32_t himetric, int32_t dpi) {
    return MulDiv(himetric, dpi > 0 ? dpi : 96, 2540);
}

SIZE HimetricSize(const Image& image, int32_t dpi) {
    return {PixelsToHimetric(image.Width, dpi), PixelsToHimetric(image.Height, dpi)};
}

}  // namespace glv
