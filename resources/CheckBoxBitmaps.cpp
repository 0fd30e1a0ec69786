// Check boxes (13 x 13) and the group glyphs (11 x 11), in the classic XP style.
#include "resources/BitmapTables.h"

namespace glv {

namespace {

constexpr PaletteEntry kCheckPalette[] = {
    {'#', 0x1C5180},  // frame
    {'.', 0xFFFFFF},  // box
    {'v', 0x21A121},  // tick
};

constexpr BitmapSource kSources[] = {
    {"IDLECHECKED", 13, 13, kCheckPalette, R"(
        #############
        #...........#
        #...........#
        #.........v.#
        #........vv.#
        #..v....vvv.#
        #..vv..vvv..#
        #..vvvvvv...#
        #...vvvv....#
        #....vv.....#
        #...........#
        #...........#
        #############
    )"},
};

}  // namespace

std::span<const BitmapSource> CheckBoxBitmaps() { return kSources; }

}  // namespace glv
