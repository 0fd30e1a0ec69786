// Check boxes (13 x 13) and the group glyphs (11 x 11), drawn in the classic XP style: a white
// box with a blue-grey frame, a soft shade in the top-left corner and a green tick; the disabled
// boxes are flat and grey. The plus and minus glyphs are framed squares with a light gradient.
#include "resources/BitmapTables.h"

namespace glv {

namespace {

constexpr PaletteEntry kCheckPalette[] = {
    {'#', 0x1C5180},  // frame
    {'a', 0xDCDCD7},  // shade, darkest in the top-left corner
    {'b', 0xE6E6E1},
    {'c', 0xF0F0EC},
    {'.', 0xFFFFFF},  // box
    {'v', 0x21A121},  // tick
};

constexpr PaletteEntry kDisabledCheckPalette[] = {
    {'#', 0xCAC8BB},  // frame
    {'.', 0xFFFFFF},  // box
    {'v', 0xCAC8BB},  // tick
};

constexpr PaletteEntry kGlyphPalette[] = {
    {'o', 0xD8DEE6},  // corners, half frame and half white so the square looks rounded
    {'#', 0x7898B5},  // frame
    {'.', 0xFFFFFF},
    {'a', 0xF4F3EE},  // gradient towards the bottom-right corner
    {'b', 0xE6E3DA},
    {'c', 0xD6D0C5},
    {'s', 0x000000},  // the sign
};

constexpr BitmapSource kSources[] = {
    {"IDLECHECKED", 13, 13, kCheckPalette, R"(
        #############
        #aaabbbbcccc#
        #aabbbbccccc#
        #abbbbcccvc.#
        #bbbbcccvv..#
        #bvbcccvvv..#
        #bvvccvvv...#
        #bvvvvvv....#
        #ccvvvv.....#
        #cccvv......#
        #ccc........#
        #cc.........#
        #############
    )"},
    {"IDLEUNCHECKED", 13, 13, kCheckPalette, R"(
        #############
        #aaabbbbcccc#
        #aabbbbccccc#
        #abbbbccccc.#
        #bbbbccccc..#
        #bbbccccc...#
        #bbccccc....#
        #bccccc.....#
        #ccccc......#
        #cccc.......#
        #ccc........#
        #cc.........#
        #############
    )"},
    {"DISABLEDCHECKED", 13, 13, kDisabledCheckPalette, R"(
        #############
        #...........#
        #...........#
        #........v..#
        #.......vv..#
        #.v....vvv..#
        #.vv..vvv...#
        #.vvvvvv....#
        #..vvvv.....#
        #...vv......#
        #...........#
        #...........#
        #############
    )"},
    {"DISABLEDUNCHECKED", 13, 13, kDisabledCheckPalette, R"(
        #############
        #...........#
        #...........#
        #...........#
        #...........#
        #...........#
        #...........#
        #...........#
        #...........#
        #...........#
        #...........#
        #...........#
        #############
    )"},
    {"IMGPLUS", 11, 11, kGlyphPalette, R"(
        o#########o
        #.......aa#
        #......aaa#
        #....saaaa#
        #....saaaa#
        #..sssssab#
        #..aasaabb#
        #.aaasabbb#
        #aaaaabbbc#
        #aaaabbbcc#
        o#########o
    )"},
    {"IMGMINUS", 11, 11, kGlyphPalette, R"(
        o#########o
        #.......aa#
        #......aaa#
        #.....aaaa#
        #....aaaaa#
        #..sssssab#
        #..aaaaabb#
        #.aaaaabbb#
        #aaaaabbbc#
        #aaaabbbcc#
        o#########o
    )"},
};

}  // namespace

std::span<const BitmapSource> CheckBoxBitmaps() { return kSources; }

}  // namespace glv
