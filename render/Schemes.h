#pragma once
// The colours of the three XP colour schemes, as data looked up by role. A theme value outside
// the three schemes takes the fallback row.

#include <cstdint>

#include "platform/Color.h"
#include "platform/SystemInfo.h"

namespace glv {

struct SchemeColors {
    COLORREF border = RGB(0, 0, 0);
};

const SchemeColors& SchemeColorsFor(int32_t theme);

// The border: the scheme's colour with DefaultBorderColor, otherwise BorderColor resolved.
COLORREF BorderColorFor(int32_t effectiveTheme, bool defaultBorderColor, OLE_COLOR borderColor,
                        const SystemInfo& system);

}  // namespace glv
