#include "render/Background.h"

namespace glv {

void RebuildBackgroundCache(cMemDC& cache, const BackgroundSpec& desc, const PropertyValues& props,
                            const SystemInfo& system) {
    Surface* surface = cache.hdc();
    if (!surface) return;
    FillListArea(*surface, desc.headerHeight, system.Resolve(props.BackColor));
    if (props.BackStyle == Normal && props.BackGroundPicture) DrawBackgroundPicture(*surface, desc, props);
    DrawHeaderBand(*surface, desc, props);
}

void FillListArea(Surface& cache, int32_t headerHeight, COLORREF backColor) {
    cache.DrawBox(1, headerHeight + 1, cache.Width() - 1, cache.Height() - 1, backColor, true);
}

// The picture and the header band are composed by their own painters, which come next; until
// then the cache holds the back colour alone.
void DrawBackgroundPicture(Surface&, const BackgroundSpec&, const PropertyValues&) {}

void DrawHeaderBand(Surface&, const BackgroundSpec&, const PropertyValues&) {}

}  // namespace glv
