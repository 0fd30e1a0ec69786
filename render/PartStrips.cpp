#include "render/PartStrips.h"

#include <array>
#include <string_view>

#include "platform/Image.h"
#include "resources/Bitmaps.h"

namespace glv {

namespace {

// Lays the named bitmaps side by side into one strip; false (and an empty strip) when any is
// missing or their sizes differ.
template <size_t N>
bool BuildStrip(cMemDC& strip, const std::array<std::string_view, N>& names, int32_t& width,
                int32_t& height) {
    std::array<const Image*, N> images{};
    for (size_t i = 0; i < N; ++i) {
        images[i] = FindBitmap(names[i]);
        if (images[i] == nullptr || images[i]->Width != images[0]->Width ||
            images[i]->Height != images[0]->Height) {
            strip.Release();
            width = height = 0;
            return false;
        }
    }
    width = images[0]->Width;
    height = images[0]->Height;
    strip.SetSize(width * static_cast<int32_t>(N), height);
    Surface* target = strip.hdc();
    if (target == nullptr) return false;
    for (size_t i = 0; i < N; ++i) {
        const Surface part = ToSurface(*images[i]);
        target->BitBlt(static_cast<int32_t>(i) * width, 0, width, height, part, 0, 0);
    }
    return true;
}

void CopyFromStrip(Surface& target, const cMemDC& strip, int32_t index, int32_t w, int32_t h,
                   int32_t x, int32_t y) {
    if (const Surface* source = strip.hdc()) target.BitBlt(x, y, w, h, *source, index * w, 0);
}

}  // namespace

void RebuildPartStrips(PartStrips& strips) {
    static constexpr std::array<std::string_view, 4> kCheckBoxes{
        "IDLECHECKED", "IDLEUNCHECKED", "DISABLEDCHECKED", "DISABLEDUNCHECKED"};
    static constexpr std::array<std::string_view, 2> kGlyphs{"IMGPLUS", "IMGMINUS"};
    BuildStrip(strips.checkBoxes, kCheckBoxes, strips.checkWidth, strips.checkHeight);
    BuildStrip(strips.glyphs, kGlyphs, strips.glyphWidth, strips.glyphHeight);
}

void DrawCheckBox(Surface& target, const PartStrips& strips, CheckBoxImage image, int32_t x,
                  int32_t y) {
    if (!strips.HasCheckBoxes()) return;
    CopyFromStrip(target, strips.checkBoxes, static_cast<int32_t>(image), strips.checkWidth,
                  strips.checkHeight, x, y);
}

void DrawGroupGlyph(Surface& target, const PartStrips& strips, GroupGlyph glyph, int32_t x,
                    int32_t y) {
    if (!strips.HasGlyphs()) return;
    CopyFromStrip(target, strips.glyphs, static_cast<int32_t>(glyph), strips.glyphWidth,
                  strips.glyphHeight, x, y);
}

}  // namespace glv
