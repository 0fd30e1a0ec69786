#include "platform/StdPicture.h"

#include <array>
#include <stdexcept>

#include "platform/AutomationError.h"
#include "platform/TextScan.h"

namespace glv {

namespace {

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

std::shared_ptr<StdPicture> StdPicture::Solid(int32_t width, int32_t height, uint8_t r, uint8_t g,
                                              uint8_t b) {
    if (width <= 0 || height <= 0 || int64_t{width} * height > Surface::kMaxPixels) InvalidPicture();
    const uint32_t argb = 0xFF000000u | (uint32_t{r} << 16) | (uint32_t{g} << 8) | b;
    return std::make_shared<StdPicture>(Image(width, height, argb));
}

std::shared_ptr<StdPicture> StdPicture::FromPng(std::span<const uint8_t> bytes) {
    try {
        return std::make_shared<StdPicture>(DecodePng(bytes));
    } catch (const ImageError&) {
        InvalidPicture();
    } catch (const std::invalid_argument&) {
        InvalidPicture();
    }
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

Variant StdPicture::Invoke(std::string_view member, CallKind kind, std::span<const Variant> args) {
    if (kind != CallKind::Let) {
        if (!args.empty()) RaiseRuntimeError(runtime_error::kWrongArgumentCount);
        if (EqualsIgnoreCase(member, "Width")) return Width();
        if (EqualsIgnoreCase(member, "Height")) return Height();
        if (EqualsIgnoreCase(member, "Handle")) return Handle();
        if (EqualsIgnoreCase(member, "Type")) return Type();
    }
    return Object::Invoke(member, kind, args);
}

}  // namespace glv
