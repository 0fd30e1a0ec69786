#include "platform/StdPicture.h"

#include <png.h>

#include <array>
#include <cstring>

#include "platform/AutomationError.h"

namespace glv {

namespace {

bool NameIs(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if ((a[i] | 0x20) != (b[i] | 0x20)) return false;
    return true;
}

[[noreturn]] void InvalidPicture() { RaiseRuntimeError(runtime_error::kInvalidPicture); }

constexpr char kBase64Alphabet[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// The 6-bit value of a base64 character, -1 for padding, -2 for anything else.
int Base64Value(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    if (c == '=') return -1;
    return -2;
}

}  // namespace

// The simplified libpng interface reports failures through its return values and keeps its
// longjmp inside the library, so no C++ object here is ever jumped over.
RgbaImage DecodePng(std::span<const uint8_t> bytes) {
    if (bytes.empty()) InvalidPicture();
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) InvalidPicture();
    const int64_t pixels = int64_t{image.width} * int64_t{image.height};
    if (image.width == 0 || image.height == 0 || pixels > kMaxPicturePixels) {
        png_image_free(&image);
        InvalidPicture();
    }
    image.format = PNG_FORMAT_RGBA;
    RgbaImage out;
    out.width = static_cast<int32_t>(image.width);
    out.height = static_cast<int32_t>(image.height);
    out.rgba.resize(static_cast<std::size_t>(pixels) * 4);
    if (!png_image_finish_read(&image, nullptr, out.rgba.data(), 0, nullptr)) {
        png_image_free(&image);
        InvalidPicture();
    }
    return out;
}

std::vector<uint8_t> EncodePng(const RgbaImage& source) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(source.width);
    image.height = static_cast<png_uint_32>(source.height);
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, source.rgba.data(), 0, nullptr))
        InvalidPicture();
    std::vector<uint8_t> png(size);
    if (!png_image_write_to_memory(&image, png.data(), &size, 0, source.rgba.data(), 0, nullptr))
        InvalidPicture();
    png.resize(size);
    return png;
}

std::string Base64Encode(std::span<const uint8_t> bytes) {
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        const uint32_t v = (uint32_t{bytes[i]} << 16) | (uint32_t{bytes[i + 1]} << 8) | bytes[i + 2];
        for (int shift = 18; shift >= 0; shift -= 6) out += kBase64Alphabet[(v >> shift) & 63];
    }
    const std::size_t rest = bytes.size() - i;
    if (rest > 0) {
        uint32_t v = uint32_t{bytes[i]} << 16;
        if (rest == 2) v |= uint32_t{bytes[i + 1]} << 8;
        out += kBase64Alphabet[(v >> 18) & 63];
        out += kBase64Alphabet[(v >> 12) & 63];
        out += rest == 2 ? kBase64Alphabet[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

std::vector<uint8_t> Base64Decode(std::string_view text) {
    std::vector<uint8_t> out;
    out.reserve(text.size() / 4 * 3);
    std::array<int, 4> quad{};
    std::size_t filled = 0;
    bool ended = false;  // padding seen: only padding and white space may follow
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
        const int value = Base64Value(c);
        if (value == -2 || (ended && value != -1)) InvalidPicture();
        if (value == -1) {
            // Padding may only fill the last one or two places of a group.
            if (filled < 2) InvalidPicture();
            ended = true;
        }
        quad[filled++] = value;
        if (filled < 4) continue;
        filled = 0;
        const uint32_t v = (static_cast<uint32_t>(quad[0]) << 18) |
                           (static_cast<uint32_t>(quad[1]) << 12) |
                           (static_cast<uint32_t>(quad[2] < 0 ? 0 : quad[2]) << 6) |
                           static_cast<uint32_t>(quad[3] < 0 ? 0 : quad[3]);
        out.push_back(static_cast<uint8_t>(v >> 16));
        if (quad[2] >= 0) out.push_back(static_cast<uint8_t>(v >> 8));
        else if (quad[3] >= 0) InvalidPicture();  // "x=y" padding in the middle
        if (quad[3] >= 0) out.push_back(static_cast<uint8_t>(v));
    }
    if (filled != 0) InvalidPicture();
    return out;
}

int32_t PixelsToHimetric(int32_t pixels) {
    return static_cast<int32_t>(RoundHalfEven(static_cast<double>(pixels) * 2540.0 / 96.0));
}

StdPicture::StdPicture(RgbaImage image) : image_(std::move(image)) {}

std::shared_ptr<StdPicture> StdPicture::Solid(int32_t width, int32_t height, uint8_t r, uint8_t g,
                                              uint8_t b) {
    if (width <= 0 || height <= 0 || int64_t{width} * height > kMaxPicturePixels) InvalidPicture();
    RgbaImage image{width, height, {}};
    image.rgba.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    for (int64_t i = 0; i < int64_t{width} * height; ++i)
        image.rgba.insert(image.rgba.end(), {r, g, b, 255});
    return std::make_shared<StdPicture>(std::move(image));
}

std::shared_ptr<StdPicture> StdPicture::FromPng(std::span<const uint8_t> bytes) {
    return std::make_shared<StdPicture>(DecodePng(bytes));
}

std::shared_ptr<StdPicture> StdPicture::FromBase64Png(std::string_view base64) {
    return FromPng(Base64Decode(base64));
}

std::string StdPicture::ToBase64Png() const { return Base64Encode(EncodePng(image_)); }

int32_t StdPicture::Handle() const {
    // Distinct for pictures alive at the same time, never 0 (0 is "no picture").
    const auto address = reinterpret_cast<uintptr_t>(this);
    return static_cast<int32_t>((address >> 4) & 0x3FFFFFFF) | 1;
}

bool StdPicture::SamePixels(const StdPicture& other) const {
    return image_.width == other.image_.width && image_.height == other.image_.height &&
           image_.rgba == other.image_.rgba;
}

Variant StdPicture::Invoke(std::string_view member, CallKind kind, std::span<const Variant> args) {
    if (kind != CallKind::Let) {
        if (!args.empty()) RaiseRuntimeError(runtime_error::kWrongArgumentCount);
        if (NameIs(member, "Width")) return Width();
        if (NameIs(member, "Height")) return Height();
        if (NameIs(member, "Handle")) return Handle();
        if (NameIs(member, "Type")) return Type();
    }
    return Object::Invoke(member, kind, args);
}

}  // namespace glv
