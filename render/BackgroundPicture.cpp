#include "render/BackgroundPicture.h"

#include "render/CellPlacement.h"

namespace glv {

std::optional<RECT> PlaceBackgroundPicture(const BackgroundPictureState& state, int32_t width,
                                           int32_t height) {
    if (state.picture == nullptr || state.ledger) return std::nullopt;
    // The picture's own size, through the HIMETRIC size it reports, as the host sees it.
    const SIZE himetric = HimetricSize(*state.picture);
    const int32_t pw = HimetricToPixels(himetric.cx);
    const int32_t ph = HimetricToPixels(himetric.cy);
    const int32_t v = state.vScrollVisible ? kPictureScrollAllowance : 0;
    const int32_t h = state.hScrollVisible ? kPictureScrollAllowance : 0;
    const int32_t hh = state.headerHeight;
    auto at = [&](int32_t left, int32_t top) { return RECT{left, top, left + pw, top + ph}; };
    switch (state.alignment) {
        case lvwTopLeft: return at(0, 0);
        // The vertical scroll bar does not move a picture at the top right.
        case lvwTopRight: return at(width - pw, 0);
        case lvwBottomLeft: return at(0, height - ph - h);
        case lvwBottomRight: return at(width - pw - v, height - ph - h);
        case lvwCenter:
            return at(RoundToInt(width / 2.0 - pw / 2.0),
                      RoundToInt((height - hh) / 2.0 - ph / 2.0));
        case lvwStretch: return RECT{0, 0, width, height - hh};
        default: return std::nullopt;  // lvwTile and unknown values draw nothing
    }
}

void PaintBackgroundPicture(Surface& cache, const BackgroundPictureState& state) {
    const std::optional<RECT> place = PlaceBackgroundPicture(state, cache.Width(), cache.Height());
    if (!place) return;
    const Image& picture = *state.picture;
    if (picture.Width <= 0 || picture.Height <= 0) return;
    const Surface source = ToSurface(picture);
    const int32_t w = place->Right - place->Left;
    const int32_t h = place->Bottom - place->Top;
    if (state.alignment == lvwStretch)
        cache.StretchBlt(place->Left, place->Top, w, h, source, 0, 0, source.Width(),
                         source.Height());
    else
        cache.BitBlt(place->Left, place->Top, w, h, source, 0, 0);
}

}  // namespace glv
