#pragma once
// The library's bitmap resources, written in source as text pixel maps.
//
// Each bitmap is a grid of characters, one per pixel, with a palette that maps each character
// to a colour. That keeps our bitmaps reviewable and diffable; they become images the first
// time they are asked for.

#include <cstdint>
#include <span>
#include <string_view>

#include "platform/Image.h"

namespace glv {

struct PaletteEntry {
    char key;
    uint32_t rgb;  // 0xRRGGBB
};

struct BitmapSource {
    std::string_view name;  // the resource name ("IDLECHECKED", "VS_UP(0)", ...)
    int32_t width;
    int32_t height;
    std::span<const PaletteEntry> palette;
    // Rows of exactly width characters, separated by newlines; leading and trailing blank lines
    // and the indentation of each row are ignored.
    std::string_view pixels;
};

// The bitmap of that name, or nullptr when there is none. Images are built once, on first use.
const Image* FindBitmap(std::string_view name);

// Builds an image from a source; throws std::invalid_argument naming the resource when a row
// has the wrong length, a character is not in the palette, or the row count is off.
Image BuildBitmap(const BitmapSource& source);

// Every resource the library has, in one list.
std::span<const BitmapSource> AllBitmapSources();

}  // namespace glv
