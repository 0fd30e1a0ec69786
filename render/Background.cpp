#include "render/Background.h"

#include "render/BackgroundPicture.h"
#include "render/Themes.h"

namespace glv {

void RebuildBackgroundCache(cMemDC& cache, const BackgroundSpec& desc, const PropertyValues& props,
                            const SystemInfo& system) {
    Surface* surface = cache.hdc();
    if (!surface) return;
    cache.SetSolid(std::nullopt);
    FillListArea(*surface, desc.headerHeight, system.Resolve(props.BackColor));
    DrawBackgroundPicture(*surface, desc, props);
    DrawHeaderBand(*surface, desc, props);
    cache.SetSolid(FindSolidListArea(*surface, desc.headerHeight));
}

std::optional<cMemDC::SolidArea> FindSolidListArea(const Surface& cache, int32_t headerHeight) {
    const RECT area = IntersectRect(Surface::BoxRect(1, headerHeight + 1, cache.Width() - 1, cache.Height() - 1),
                                    cache.Bounds());
    if (IsRectEmpty(area)) return std::nullopt;
    const uint32_t* pixels = cache.Pixels();
    const uint32_t first = pixels[static_cast<size_t>(area.Top) * cache.Width() + area.Left];
    // A pixel with its top byte set cannot be filled back as it is.
    if (first != ToPixel(FromPixel(first))) return std::nullopt;
    for (int32_t y = area.Top; y < area.Bottom; ++y) {
        const uint32_t* row = pixels + static_cast<size_t>(y) * cache.Width();
        for (int32_t x = area.Left; x < area.Right; ++x)
            if (row[x] != first) return std::nullopt;  // a picture shows
    }
    return cMemDC::SolidArea{area, FromPixel(first)};
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
