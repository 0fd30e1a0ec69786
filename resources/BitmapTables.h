#pragma once
// The list of bitmap tables: each resource file contributes one function returning its sources.
// Add a line here when adding a resource file.

#include <span>

#include "resources/Bitmaps.h"

namespace glv {

std::span<const BitmapSource> CheckBoxBitmaps();
std::span<const BitmapSource> ScrollBarBitmapsBlue();
std::span<const BitmapSource> ScrollBarBitmapsSilver();
std::span<const BitmapSource> ScrollBarBitmapsOlive();
std::span<const BitmapSource> ScrollBarBitmapsDisabled();

using BitmapTable = std::span<const BitmapSource> (*)();
inline constexpr BitmapTable kBitmapTables[] = {
    CheckBoxBitmaps,
    ScrollBarBitmapsBlue,
    ScrollBarBitmapsSilver,
    ScrollBarBitmapsOlive,
    ScrollBarBitmapsDisabled,
};

}  // namespace glv
