#pragma once
// A font as the control describes one: face name, size in points and the four style flags.
// Resolving it to a file and a pixel size is the text engine's business.
#include <cstddef>
#include <functional>
#include <string>

namespace glv {

struct FontSpec {
    std::string Name = "DejaVu Sans";
    float Size = 8.0f;  // points
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Strikethrough = false;
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

struct FontSpecHash {
    size_t operator()(const FontSpec& f) const noexcept {
        size_t h = std::hash<std::string>{}(f.Name);
        h ^= std::hash<float>{}(f.Size) + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2);
        const size_t flags = (f.Bold ? 1u : 0u) | (f.Italic ? 2u : 0u) | (f.Underline ? 4u : 0u) |
                             (f.Strikethrough ? 8u : 0u);
        return h ^ (flags * 0x100000001B3ull);
    }
};

}  // namespace glv

template <>
struct std::hash<glv::FontSpec> : glv::FontSpecHash {};
