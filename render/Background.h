#pragma once
// The background cache: what every paint pass starts from, composed once per change (back
// colour, background picture, header band) and copied onto the surface with one blit.
//
// RebuildBackgroundCache is the one place the cache is filled; nothing fills it as a side
// effect of painting.

#include <cstdint>

#include "core/PropertyValues.h"
#include "platform/MemDC.h"

namespace glv {

struct BackgroundSpec {
    int32_t headerHeight = 0;
    int32_t effectiveTheme = XPBlue;
    bool vScrollVisible = false;  // the picture's bottom-right placement keeps clear of the bars
    bool hScrollVisible = false;
};

// Composes the cache at its current size: the list area in BackColor, then the background
// picture, then the header band.
void RebuildBackgroundCache(cMemDC& cache, const BackgroundSpec& desc, const PropertyValues& props,
                            const SystemInfo& system);

// The steps, in the order the rebuild runs them.
void FillListArea(Surface& cache, int32_t headerHeight, COLORREF backColor);
void DrawBackgroundPicture(Surface& cache, const BackgroundSpec& desc, const PropertyValues& props);
void DrawHeaderBand(Surface& cache, const BackgroundSpec& desc, const PropertyValues& props);

}  // namespace glv
