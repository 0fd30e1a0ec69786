#pragma once
// Where the image and the text go inside a cell: pure arithmetic on the cell's edges, the text
// width and the image width, shared by the item cell, the sub-item cells and the header cells.
// round() here is to nearest with halves to even; integer divisions truncate.
#include <cstdint>

namespace glv {

// Horizontal alignment of a cell's content (item, sub-item and header values coincide).
enum class CellAlign : int32_t { Left = 0, Center = 1, Right = 2 };
CellAlign ToCellAlign(int32_t value);  // unknown values align left

struct CellInput {
    int32_t left = 0;          // L
    int32_t right = 0;         // R
    int32_t textWidth = 0;     // tw
    int32_t imageWidth = 0;    // iw; 0 when there is no image
    int32_t indent = 0;        // n
    CellAlign align = CellAlign::Left;
    bool pictureOnRight = false;  // p
};

struct CellPlacement {
    int32_t imageX = 0;     // the image's left, or the text start when there is no image
    int32_t textLeft = 0;
    int32_t textRight = 0;
};

// First-column rules (also the header's rules when a header icon is shown).
CellPlacement PlaceItemCell(const CellInput& in);
// Sub-item rules: centring ignores the indent, and the image never starts left of the cell.
CellPlacement PlaceSubItemCell(const CellInput& in);
// A header caption with no icon: its left edge (Left x + 2, centred, or right with 4 pixels to
// spare but never left of x + 2); the right edge is the cell's right - 1.
CellPlacement PlaceHeaderCaption(const CellInput& in);

// Vertical centring of an image of height ih in a row (y, h): the top is y when the image is at
// least as tall as the row.
int32_t CentredTop(int32_t y, int32_t h, int32_t ih);
// The row's text box: top = y + (h - t) / 2 when the text is lower than the row, else y.
int32_t TextTop(int32_t y, int32_t h, int32_t t);

// To nearest, halves to even, as a pixel coordinate.
int32_t RoundToInt(double v);

}  // namespace glv
