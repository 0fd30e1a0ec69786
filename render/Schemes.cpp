#include "render/Schemes.h"

#include <array>

#include "core/PropertyValues.h"

namespace glv {

namespace {

// Indexed by LVThemes; the last row serves every other value.
constexpr std::array<SchemeColors, 4> kSchemes = {{
    {RGB(127, 157, 185)},  // XPBlue
    {RGB(127, 157, 185)},  // XPSilver
    {RGB(164, 185, 127)},  // XPOlive
    {RGB(0, 0, 0)},        // anything else
}};

}  // namespace

const SchemeColors& SchemeColorsFor(int32_t theme) {
    const bool known = theme >= XPBlue && theme <= XPOlive;
    return kSchemes[known ? static_cast<std::size_t>(theme) : kSchemes.size() - 1];
}

COLORREF BorderColorFor(int32_t effectiveTheme, bool defaultBorderColor, OLE_COLOR borderColor,
                        const SystemInfo& system) {
    return defaultBorderColor ? SchemeColorsFor(effectiveTheme).border : system.Resolve(borderColor);
}

}  // namespace glv
