#include "render/Background.h"

#include "render/BackgroundPicture.h"
#include "render/Themes.h"

namespace glv {

void RebuildBackgroundCache(cMemDC& cache, const BackgroundSpec& desc, const PropertyValues& props,
                            const SystemInfo& system) {
    Surface* surface = cache.hdc();
    if (!surface) return;
    FillListArea(*surface, desc.headerHeight, system.Resolve(props.BackColor));
    DrawBackgroundPicture(*surface, desc, props);
    DrawHeaderBand(*surface, desc, props);
}

void FillListArea(Surface& cache, int32_t headerHeight, COLORREF backColor) {
    cache.DrawBox(1, headerHeight + 1, cache.Width() - 1, cache.Height() - 1, backColor, true);
}

void DrawBackgroundPicture(Surface& cache, const BackgroundSpec& desc, const PropertyValues& props) {
    // Only the Normal style shows the picture; without one nothing is placed.
    const Image* picture = props.BackGroundPicture ? &props.BackGroundPicture->image() : nullptr;
    const BackgroundPictureState state{picture,
                                       props.BackGroundPictureAlignment,
                                       props.BackStyle != Normal,
                                       desc.headerHeight,
                                       desc.vScrollVisible,
                                       desc.hScrollVisible};
    PaintBackgroundPicture(cache, state);
}

void DrawHeaderBand(Surface& cache, const BackgroundSpec& desc, const PropertyValues& props) {
    PaintHeaderBand(cache, props.HeaderStyle, desc.effectiveTheme, desc.headerHeight);
}

}  // namespace glv
