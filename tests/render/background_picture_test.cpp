// Placing and drawing the background picture into the background cache.
#include <gtest/gtest.h>

#include <string>

#include "platform/Image.h"
#include "render/BackgroundPicture.h"

using namespace glv;

namespace {

std::string Place(const BackgroundPictureState& state, int32_t w, int32_t h) {
    const auto r = PlaceBackgroundPicture(state, w, h);
    return r ? ToString(*r) : "none";
}

}  // namespace

TEST(BackgroundPicture, PlacementForEveryAlignmentAndTheScrollBarAllowances) {
    const Image picture(40, 30, 0xFFFF0000u);
    BackgroundPictureState state{&picture, lvwTopLeft, false, 21, false, false};
    const char* expected[] = {
        "0,0,40,30",      // top left
        "160,0,200,30",   // top right
        "0,120,40,150",   // bottom left
        "160,120,200,150",
        "80,50,120,80",   // centre: round(100 - 20), round((150 - 21) / 2 - 15) = round(49.5)
        "none",           // tile draws nothing
        "0,0,200,129",    // stretch: the width by the height under the header
        "none",           // unknown alignment
    };
    for (int32_t a = 0; a <= 7; ++a) {
        state.alignment = a;
        EXPECT_EQ(Place(state, 200, 150), expected[a]) << a;
    }
    // Both scroll bars: 18 pixels whatever their size, and top right does not move.
    state.vScrollVisible = state.hScrollVisible = true;
    state.alignment = lvwBottomRight;
    EXPECT_EQ(Place(state, 200, 150), "142,102,182,132");
    state.alignment = lvwTopRight;
    EXPECT_EQ(Place(state, 200, 150), "160,0,200,30");
    state.alignment = lvwBottomLeft;
    EXPECT_EQ(Place(state, 200, 150), "0,102,40,132");
    // Centring rounds halves to even: 201 / 2 - 20 = 80.5 -> 80.
    state.alignment = lvwCenter;
    EXPECT_EQ(Place(state, 201, 150), "80,50,120,80");

    // Ledger replaces the picture; no picture, nothing.
    state.ledger = true;
    EXPECT_EQ(Place(state, 200, 150), "none");
    state.ledger = false;
    state.picture = nullptr;
    EXPECT_EQ(Place(state, 200, 150), "none");
}

TEST(BackgroundPicture, DrawsClippedAndStretchedCopiesWithoutAlpha) {
    Image picture(4, 2, 0xFF00FF00u);
    picture.At(0, 0) = 0x00FF0000u;  // transparent red: a bitmap copy ignores the alpha
    Surface cache(6, 5, RGB(9, 9, 9));
    BackgroundPictureState state{&picture, lvwBottomRight, false, 1, false, false};
    PaintBackgroundPicture(cache, state);
    EXPECT_EQ(cache.GetPixel(2, 3), RGB(255, 0, 0));
    EXPECT_EQ(cache.GetPixel(5, 4), RGB(0, 255, 0));
    EXPECT_EQ(cache.GetPixel(1, 3), RGB(9, 9, 9));

    // A picture larger than the cache is clipped at its edges.
    Surface small(3, 1, RGB(9, 9, 9));
    state.alignment = lvwTopLeft;
    PaintBackgroundPicture(small, state);
    EXPECT_EQ(small.GetPixel(2, 0), RGB(0, 255, 0));

    // Stretch fills the width and the height under the header.
    Surface wide(8, 5, RGB(9, 9, 9));
    state.alignment = lvwStretch;
    PaintBackgroundPicture(wide, state);
    EXPECT_EQ(wide.GetPixel(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(wide.GetPixel(1, 1), RGB(255, 0, 0));
    EXPECT_EQ(wide.GetPixel(7, 3), RGB(0, 255, 0));
    EXPECT_EQ(wide.GetPixel(7, 4), RGB(9, 9, 9));

    // Tile shows nothing.
    Surface tiled(8, 5, RGB(9, 9, 9));
    state.alignment = lvwTile;
    PaintBackgroundPicture(tiled, state);
    EXPECT_EQ(tiled.GetPixel(0, 0), RGB(9, 9, 9));
}
