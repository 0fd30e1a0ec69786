#pragma once
// The list of bitmap tables: each resource file contributes one function returning its sources.
// Add a line here when adding a resource file.

#include <span>

#include "resources/Bitmaps.h"

namespace glv {

std::span<const BitmapSource> CheckBoxBitmaps();

using BitmapTable = std::span<const BitmapSource> (*)();
inline constexpr BitmapTable kBitmapTables[] = {
    CheckBoxBitmaps,
};

}  // namespace glv
