#include "platform/SystemInfo.h"

namespace glv {

namespace {

constexpr SysColor Rgb(uint32_t rrggbb) {
    return ((rrggbb >> 16) & 0xFF) | (rrggbb & 0xFF00) | ((rrggbb & 0xFF) << 16);
}

// The colour table of a fresh installation with the blue visual style.
constexpr std::array<SysColor, syscolor::kCount> kDefaultColors = {
    Rgb(0xD4D0C8), Rgb(0x004E98), Rgb(0x0054E3), Rgb(0x7A96DF), Rgb(0xFFFFFF), Rgb(0xFFFFFF),
    Rgb(0x000000), Rgb(0x000000), Rgb(0x000000), Rgb(0xFFFFFF), Rgb(0xD4D0C8), Rgb(0xD4D0C8),
    Rgb(0x808080), Rgb(0x316AC5), Rgb(0xFFFFFF), Rgb(0xECE9D8), Rgb(0xACA899), Rgb(0xACA899),
    Rgb(0x000000), Rgb(0xD8E4F8), Rgb(0xFFFFFF), Rgb(0x716F64), Rgb(0xF1EFE2), Rgb(0x000000),
    Rgb(0xFFFFE1), Rgb(0xB5B5B5), Rgb(0x000080), Rgb(0x3D95FF), Rgb(0x9DB9EB), Rgb(0x316AC5),
    Rgb(0xECE9D8)};

}  // namespace

SystemInfo::SystemInfo() : colors(kDefaultColors) {
    metrics = {{metric::kCxVScroll, 17}, {metric::kCyHScroll, 17}, {metric::kCyVScroll, 17},
               {metric::kCxHScroll, 17}, {metric::kCxDoubleClk, 4},  {metric::kCyDoubleClk, 4},
               {metric::kMouseWheelPresent, 1}};
}

int SystemInfo::Metric(int index) const {
    if (index == metric::kMouseWheelPresent) return wheelPresent ? 1 : 0;
    auto it = metrics.find(index);
    return it == metrics.end() ? 0 : it->second;
}

bool SystemInfo::KeyDown(int virtualKey) const {
    auto it = keysDown.find(virtualKey);
    return it != keysDown.end() && it->second;
}

int SystemInfo::ModifierMask() const {
    return (KeyDown(16) ? 1 : 0) | (KeyDown(17) ? 2 : 0) | (KeyDown(18) ? 4 : 0);
}

SysColor SystemInfo::Resolve(OLE_COLOR color) const {
    if ((color & kSystemColorFlag) == 0) return color & 0x00FFFFFF;
    const uint32_t index = color & 0x00FFFFFF;
    return index < colors.size() ? colors[index] : 0;
}

}  // namespace glv
