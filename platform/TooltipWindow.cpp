#include "platform/TooltipWindow.h"

#include <algorithm>

namespace glv {

TooltipLayout LayoutTooltip(SIZE label) {
    TooltipLayout layout;
    layout.window = {label.cx + TooltipLayout::kExtraWidth, label.cy + TooltipLayout::kExtraHeight};
    layout.body = {0, 0, layout.window.cx - TooltipLayout::kShadowRight,
                   layout.window.cy - TooltipLayout::kShadowBottom};
    const int32_t top = (layout.window.cy - label.cy) / 2 - 2;
    layout.label = {TooltipLayout::kLabelLeft, top, TooltipLayout::kLabelLeft + label.cx, top + label.cy};
    return layout;
}

uint32_t ShadePixel(uint32_t pixel, int32_t shade) {
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int32_t channel = static_cast<int32_t>((pixel >> shift) & 0xFFu) + shade - 255;
        out |= static_cast<uint32_t>(std::max(channel, 0)) << shift;
    }
    return out;
}

void ShadeTooltipEdges(Surface& picture) {
    const int32_t w = picture.Width();
    const int32_t h = picture.Height();
    const int32_t band = TooltipLayout::kShadowBand;
    uint32_t* pixels = picture.Pixels();
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            // Depth into the right band (from row `band` down) and the bottom band (from column
            // `band` on); where they meet, the lighter of the two.
            const int32_t dx = y >= band ? x - (w - band) : -1;
            const int32_t dy = x >= band ? y - (h - band) : -1;
            const int32_t depth = std::max(dx, dy);
            if (depth < 0) continue;
            uint32_t& p = pixels[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)];
            p = ShadePixel(p, TooltipLayout::kShades[static_cast<size_t>(depth)]);
        }
    }
}

TooltipWindow::TooltipWindow(Platform& platform, Form& form)
    : platform_(platform),
      form_(form),
      window_(platform.windows, 0, "ToolTip", [](uint32_t, intptr_t, intptr_t) { return intptr_t{0}; }) {
    // A disabled window can never be given the focus.
    platform_.windows.SetEnabled(hwnd(), false);
    platform_.windows.SetVisible(hwnd(), false);
}

TooltipWindow::~TooltipWindow() { form_.RemoveTopMost(hwnd()); }

bool TooltipWindow::Show(std::string_view text, POINT at) {
    if (shown_ || text.empty()) return shown_;
    TextEngine& engine = platform_.text;
    const SIZE label = engine.GetTextExtentPoint32(style_.font, text);
    layout_ = LayoutTooltip(label);
    const SIZE size = layout_.window;
    const WindowPlacement area = platform_.windows.Placement(form_.hwnd());
    POINT p{at.x, at.y + size.cy};
    if (p.y + size.cy > area.height) p.y = at.y - size.cy;
    p.x = std::max(std::min(p.x, area.width - size.cx), 0);
    p.y = std::max(std::min(p.y, area.height - size.cy), 0);
    position_ = p;

    // What lies under the window now, before it shows, is what its shadow darkens.
    const Surface under = form_.Compose();
    const POINT screen = form_.ClientToScreen(p);
    window_.Place({screen.x, screen.y, size.cx, size.cy});
    Surface& picture = window_.Picture();
    picture.BitBlt(0, 0, size.cx, size.cy, under, p.x, p.y);
    ShadeTooltipEdges(picture);

    const SystemInfo& system = platform_.system;
    picture.FillRect(layout_.body, system.Resolve(style_.back));
    picture.FrameRect(layout_.body, system.Resolve(style_.border));
    // The label keeps its text inside the frame, whatever the glyphs' overhang.
    picture.SetClipRect({1, 1, layout_.body.Right - 1, layout_.body.Bottom - 1});
    engine.TextOut(picture, style_.font, layout_.label.Left, layout_.label.Top, text, system.Resolve(style_.fore));
    picture.ClearClipRect();

    platform_.windows.SetVisible(hwnd(), true);
    form_.AddTopMost(hwnd());
    shown_ = true;
    return true;
}

void TooltipWindow::Hide() {
    if (!shown_) return;
    shown_ = false;
    platform_.windows.SetVisible(hwnd(), false);
    form_.RemoveTopMost(hwnd());
}

}  // namespace glv
