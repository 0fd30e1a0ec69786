#pragma once
// What the control asks of the system: metrics, the system colour table, the OS version,
// visual styles and the active theme, wheel settings, the cursor and key state, the locale.
// A host (or a test) sets these; nothing here reads the real machine.

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>

#include "platform/Locale.h"

namespace glv {

using OLE_COLOR = uint32_t;   // 0x00BBGGRR, or a system colour index with the high bit set
using SysColor = uint32_t;    // a resolved colour, 0x00BBGGRR

inline constexpr OLE_COLOR kSystemColorFlag = 0x80000000u;

// System colour indexes (the low bits of a system OLE_COLOR).
namespace syscolor {
inline constexpr int kActiveCaption = 2;
inline constexpr int kMenu = 4;
inline constexpr int kWindow = 5;
inline constexpr int kMenuText = 7;
inline constexpr int kWindowText = 8;
inline constexpr int kHighlight = 13;
inline constexpr int kHighlightText = 14;
inline constexpr int kBtnFace = 15;
inline constexpr int kBtnShadow = 16;
inline constexpr int kGrayText = 17;
inline constexpr int kBtnText = 18;
inline constexpr int kBtnHighlight = 20;
inline constexpr int k3DDkShadow = 21;
inline constexpr int k3DLight = 22;
inline constexpr int kInfoText = 23;
inline constexpr int kInfoBk = 24;
inline constexpr int kMenuHilight = 29;  // the highlighted entry of a flat menu
inline constexpr int kCount = 31;
}  // namespace syscolor

// System metric indexes used by the library.
namespace metric {
inline constexpr int kCxVScroll = 2;
inline constexpr int kCyHScroll = 3;
inline constexpr int kCyVScroll = 20;
inline constexpr int kCxHScroll = 21;
inline constexpr int kCxDoubleClk = 36;
inline constexpr int kCyDoubleClk = 37;
inline constexpr int kMouseWheelPresent = 75;
}  // namespace metric

struct OsVersion {
    int major = 5;
    int minor = 1;
    int platformId = 2;  // 2: the NT family
};

struct SystemInfo {
    SystemInfo();

    std::array<SysColor, syscolor::kCount> colors{};  // the system colour table (XP defaults)
    std::unordered_map<int, int> metrics;              // GetSystemMetrics values
    OsVersion os;
    bool visualStyles = true;
    std::string themeFile = "C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles";
    std::string colorScheme = "NormalColor";
    bool wheelPresent = true;
    int wheelScrollLines = 3;
    int cursorX = 0, cursorY = 0;                      // screen position of the pointer
    std::unordered_map<int, bool> keysDown;            // asynchronous key state by virtual key
    const Locale* locale = Locale::Find("en-US");

    int Metric(int index) const;
    bool KeyDown(int virtualKey) const;
    // A colour ready to draw: RGB values pass through, system colours are looked up.
    SysColor Resolve(OLE_COLOR color) const;
};

}  // namespace glv
