#include "render/CellPlacement.h"

#include <algorithm>
#include <cmath>

namespace glv {

int32_t RoundToInt(double v) { return static_cast<int32_t>(std::nearbyint(v)); }

CellAlign ToCellAlign(int32_t value) {
    return value == 1 ? CellAlign::Center : value == 2 ? CellAlign::Right : CellAlign::Left;
}

namespace {

// round(W / 2 - round(s / 2) + L): the start of a block of width s centred in the cell.
int32_t CentredStart(int32_t left, int32_t width, int32_t s) {
    return RoundToInt(width / 2.0 - RoundToInt(s / 2.0) + left);
}

}  // namespace

CellPlacement PlaceItemCell(const CellInput& in) {
    const int32_t L = in.left, R = in.right, W = R - L;
    const int32_t tw = in.textWidth, iw = in.imageWidth, n = in.indent;
    // Text with no image ignores "picture on right": there is nothing to put on the right.
    const bool p = in.pictureOnRight && iw != 0;
    CellPlacement out;
    int32_t& x = out.imageX;
    switch (in.align) {
        case CellAlign::Left:
            if (!p) {
                x = L + 2 + n;
            } else {
                x = L + 2 + tw + n;
                if (x + iw + 2 > R) x = R - 2 - iw;
            }
            break;
        case CellAlign::Center: {
            const int32_t s = tw + iw + 2 + n;
            if (!p)
                x = s >= W ? L + 2 : CentredStart(L, W, s);
            else
                x = s < W ? R - RoundToInt((W - s) / 2.0) - iw : R - iw - 2;
            break;
        }
        case CellAlign::Right:
            if (!p) {
                x = std::max(R - tw - iw - n - 4, L + 2);
            } else {
                x = R - iw - n - 2;
            }
            break;
    }
    if (p) {
        out.textRight = x - 4;
        const int32_t left = in.align == CellAlign::Right ? x - tw - 4 - n : x - 4 - tw;
        // Left alignment only pulls the text in when it would start left of the cell.
        if (in.align == CellAlign::Left)
            out.textLeft = left < L ? L + 2 : left;
        else
            out.textLeft = std::max(left, L + 2);
        return out;
    }
    switch (in.align) {
        case CellAlign::Left: out.textLeft = x + iw + 2; out.textRight = R - 1; break;
        case CellAlign::Center: out.textLeft = x + iw + 4; out.textRight = R - 1; break;
        // Text wider than the cell starts at L + 2 and is cut with an ellipsis.
        case CellAlign::Right:
            out.textRight = R - 1;
            out.textLeft = std::max(out.textRight - tw, L + 2);
            break;
    }
    return out;
}

CellPlacement PlaceSubItemCell(const CellInput& in) {
    const int32_t L = in.left, R = in.right, W = R - L;
    const int32_t tw = in.textWidth, iw = in.imageWidth, n = in.indent;
    const bool p = in.pictureOnRight;
    CellPlacement out;
    if (iw == 0) {
        switch (in.align) {
            case CellAlign::Left: out.imageX = L + 2 + n; break;
            case CellAlign::Center: out.imageX = CentredStart(L, W, tw + 2); break;
            case CellAlign::Right: out.imageX = std::max(R - (n + tw + 4), L + 2); break;
        }
        out.textLeft = out.imageX;
        out.textRight = R - 1;
        return out;
    }
    int32_t x = 0;
    switch (in.align) {
        case CellAlign::Left: x = p ? L + 4 + tw + n : L + 2 + n; break;
        case CellAlign::Center: {
            const int32_t s = tw + iw + 2;
            if (!p)
                x = s >= W ? L + 2 : CentredStart(L, W, s);
            else
                x = s >= W ? R - iw - 2 : R - RoundToInt((W - s) / 2.0) - iw;
            break;
        }
        case CellAlign::Right: x = p ? R - iw - n - 2 : R - tw - iw - n - 4; break;
    }
    x = std::max(x, L);
    out.imageX = x;
    if (!p) {
        out.textLeft = x + iw + 2;
        out.textRight = R - 1;
        return out;
    }
    switch (in.align) {
        case CellAlign::Left:
            out.textLeft = L + 2 + n;
            out.textRight = std::min(x - 2, R);
            break;
        case CellAlign::Center:
            out.textRight = x - 2;
            out.textLeft = std::max(out.textRight - tw, L + 2);
            break;
        case CellAlign::Right:
            out.textLeft = std::max(x - tw - 4, L + 2);
            out.textRight = x - 4;
            break;
    }
    return out;
}

CellPlacement PlaceHeaderCaption(const CellInput& in) {
    const int32_t L = in.left, R = in.right, W = R - L, cw = in.textWidth;
    CellPlacement out;
    switch (in.align) {
        case CellAlign::Left: out.textLeft = L + 2; break;
        case CellAlign::Center: {
            const int32_t s = cw + 2;
            out.textLeft = s >= W ? L + 2 : CentredStart(L, W, s);
            break;
        }
        case CellAlign::Right: out.textLeft = std::max(R - cw - 4, L + 2); break;
    }
    out.imageX = out.textLeft;
    out.textRight = R - 1;
    return out;
}

int32_t CentredTop(int32_t y, int32_t h, int32_t ih) {
    return ih >= h ? y : y + RoundToInt((h - ih) / 2.0);
}

int32_t TextTop(int32_t y, int32_t h, int32_t t) { return t < h ? y + (h - t) / 2 : y; }

}  // namespace glv
