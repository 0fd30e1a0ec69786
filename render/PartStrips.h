#pragma once
// The two image strips the row painters copy from: the four check boxes side by side (checked,
// unchecked, disabled checked, disabled unchecked) and the group glyphs (plus, minus). Built once
// from the bitmap resources when the properties are loaded, and kept for the control's life.
#include <cstdint>

#include "platform/MemDC.h"

namespace glv {

enum class CheckBoxImage : int32_t { Checked = 0, Unchecked = 1, DisabledChecked = 2, DisabledUnchecked = 3 };
enum class GroupGlyph : int32_t { Plus = 0, Minus = 1 };

struct PartStrips {
    cMemDC checkBoxes;
    cMemDC glyphs;
    int32_t checkWidth = 0;   // taken from the bitmaps
    int32_t checkHeight = 0;
    int32_t glyphWidth = 0;
    int32_t glyphHeight = 0;

    bool HasCheckBoxes() const { return checkBoxes.hdc() != nullptr && checkWidth > 0; }
    bool HasGlyphs() const { return glyphs.hdc() != nullptr && glyphWidth > 0; }
};

// Fills both strips from the bitmap resources; a missing resource leaves its strip unbuilt, and
// painters then leave that image out.
void RebuildPartStrips(PartStrips& strips);

// Copy strip image i to (x, y) at full size; nothing when the strip was not built.
void DrawCheckBox(Surface& target, const PartStrips& strips, CheckBoxImage image, int32_t x,
                  int32_t y);
void DrawGroupGlyph(Surface& target, const PartStrips& strips, GroupGlyph glyph, int32_t x,
                    int32_t y);

}  // namespace glv
