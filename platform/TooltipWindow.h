#pragma once
// The tooltip pop-up: a borderless top-most window of the form holding one line of text.
//
//   +----------------------+---   the body: the window minus 3 pixels at the right and 4 at the
//   | label                |  |   bottom, filled with the back colour and framed in the border
//   +----------------------+  |   colour; the label (the text's own size) sits 6 pixels in.
//      |______________________|   the rest shows the form under the window, darkened along the
//                                 right and bottom edges as a soft shadow.
//
// The shadow is made from the pixels under the window at the moment it is shown: each pixel of
// a band 4 pixels wide along the right edge (from 4 pixels down) and along the bottom edge (from
// 4 pixels in) becomes, per channel, max(0, pixel + shade - 255), with one shade per pixel of
// depth into the band, darkest next to the body. The window never takes the pointer or the
// focus; it only shows.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/DrawnWindow.h"
#include "platform/Font.h"
#include "platform/Form.h"

namespace glv {

struct TooltipLayout {
    static constexpr int32_t kExtraWidth = 16;   // window width = label width + this
    static constexpr int32_t kExtraHeight = 12;  // window height = label height + this
    static constexpr int32_t kLabelLeft = 6;
    static constexpr int32_t kShadowRight = 3;   // columns right of the body
    static constexpr int32_t kShadowBottom = 4;  // rows below the body
    static constexpr int32_t kShadowBand = 4;    // depth of the shaded bands
    // The four shades from the body outwards: 255 would leave a pixel as it is.
    static constexpr std::array<int32_t, 4> kShades = {180, 205, 225, 240};

    SIZE window;
    RECT body;   // the border rectangle
    RECT label;
};
TooltipLayout LayoutTooltip(SIZE label);

// max(0, channel + shade - 255) for each channel of a 0x00RRGGBB pixel.
uint32_t ShadePixel(uint32_t pixel, int32_t shade);
// Darkens the shadow bands of a window-sized picture of what lies under the window.
void ShadeTooltipEdges(Surface& picture);

struct TooltipStyle {
    FontSpec font;
    OLE_COLOR back = 0x80000000u | 24;    // the system's info background
    OLE_COLOR fore = 0x80000000u | 23;    // the system's info text
    OLE_COLOR border = 0x80000000u | 23;
};

class TooltipWindow {
public:
    TooltipWindow(Platform& platform, Form& form);
    ~TooltipWindow();
    TooltipWindow(const TooltipWindow&) = delete;
    TooltipWindow& operator=(const TooltipWindow&) = delete;

    HWND hwnd() const { return window_.hwnd(); }
    void SetStyle(const TooltipStyle& style) { style_ = style; }

    // Shows the text for a pointer at `at` (form client pixels): the window's left edge at the
    // pointer's x and its top one window height below the pointer, moved back inside the form
    // (above the pointer when there is no room below). Empty text, or a window already shown,
    // shows nothing; answers whether the window is shown.
    bool Show(std::string_view text, POINT at);
    void Hide();
    bool Shown() const { return shown_; }
    const TooltipLayout& Layout() const { return layout_; }
    const Surface& Picture() const { return window_.Picture(); }
    // Where the window stands, in form client pixels.
    POINT Position() const { return position_; }

private:
    Platform& platform_;
    Form& form_;
    DrawnWindow window_;
    TooltipStyle style_;
    TooltipLayout layout_;
    POINT position_;
    bool shown_ = false;
};

}  // namespace glv
