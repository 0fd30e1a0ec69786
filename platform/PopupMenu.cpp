#include "platform/PopupMenu.h"

#include <algorithm>

#include "platform/Text.h"
#include "platform/VirtualKeys.h"

namespace glv {

MenuLayout LayoutMenu(const std::vector<MenuEntry>& entries, TextEngine& text, const FontSpec& font) {
    MenuLayout layout;
    const int32_t inset = MenuLayout::kBorder + MenuLayout::kPadding;
    const int32_t entryHeight = text.Metrics(font).height + MenuLayout::kEntryPadding;
    Surface scratch;  // DT_CALCRECT measures without drawing
    int32_t widest = 0;
    int32_t y = inset;
    for (const MenuEntry& entry : entries) {
        const int32_t h = entry.IsSeparator() ? MenuLayout::kSeparatorHeight : entryHeight;
        layout.rows.push_back({inset, y, 0, y + h});
        y += h;
        if (!entry.IsSeparator()) {
            RECT rc{};
            text.DrawText(scratch, font, entry.caption, rc, DT_CALCRECT | DT_SINGLELINE, 0);
            widest = std::max(widest, rc.Right - rc.Left);
        }
    }
    const int32_t width = 2 * inset + MenuLayout::kTextIndent + widest + MenuLayout::kTrailing;
    for (RECT& row : layout.rows) row.Right = width - inset;
    layout.size = {width, y + inset};
    return layout;
}

POINT PlaceMenu(POINT at, SIZE menu, const RECT& area) {
    POINT p = at;
    if (p.x + menu.cx > area.Right) p.x -= menu.cx;
    if (p.y + menu.cy > area.Bottom) p.y -= menu.cy;
    // A menu larger than the area keeps its top-left corner in view.
    p.x = std::max(std::min(p.x, area.Right - menu.cx), area.Left);
    p.y = std::max(std::min(p.y, area.Bottom - menu.cy), area.Top);
    return p;
}

int32_t MenuEntryAt(const MenuLayout& layout, POINT p) {
    for (size_t i = 0; i < layout.rows.size(); ++i)
        if (PtInRect(layout.rows[i], p)) return static_cast<int32_t>(i);
    return -1;
}

PopupMenu::PopupMenu(Platform& platform, Form& form)
    : platform_(platform),
      form_(form),
      window_(platform.windows, 0, "PopupMenu",
              [this](uint32_t msg, intptr_t wParam, intptr_t lParam) { return Procedure(msg, wParam, lParam); }) {
    platform_.windows.SetVisible(hwnd(), false);
}

PopupMenu::~PopupMenu() {
    form_.RemoveTopMost(hwnd());
    if (form_.PopupCapture() == hwnd()) form_.SetPopupCapture(0);
}

void PopupMenu::SetEntries(std::vector<MenuEntry> entries) {
    entries_ = std::move(entries);
    if (open_) {
        layout_ = LayoutMenu(entries_, platform_.text, font_);
        highlight_ = -1;
        Paint();
    }
}

bool PopupMenu::SetEnabled(int32_t index, bool enabled) {
    if (index < 0 || index >= static_cast<int32_t>(entries_.size())) return false;
    entries_[static_cast<size_t>(index)].enabled = enabled;
    if (highlight_ == index && !enabled) highlight_ = -1;
    if (open_) Paint();
    return true;
}

void PopupMenu::Open(POINT at) {
    if (entries_.empty()) return;
    if (open_) Close();
    layout_ = LayoutMenu(entries_, platform_.text, font_);
    const WindowPlacement area = platform_.windows.Placement(form_.hwnd());
    const POINT corner = PlaceMenu(at, layout_.size, {0, 0, area.width, area.height});
    const POINT screen = form_.ClientToScreen(corner);
    window_.Place({screen.x, screen.y, layout_.size.cx, layout_.size.cy});
    open_ = true;
    highlight_ = -1;
    moved_ = pressedInside_ = false;
    Paint();
    platform_.windows.SetVisible(hwnd(), true);
    form_.AddTopMost(hwnd());
    form_.SetPopupCapture(hwnd());
    previousFocus_ = platform_.windows.GetFocus();
    platform_.windows.SetFocus(hwnd());
}

bool PopupMenu::Choosable(int32_t index) const {
    if (index < 0 || index >= static_cast<int32_t>(entries_.size())) return false;
    const MenuEntry& entry = entries_[static_cast<size_t>(index)];
    return entry.enabled && !entry.IsSeparator();
}

intptr_t PopupMenu::Procedure(uint32_t msg, intptr_t wParam, intptr_t lParam) {
    if (!open_) return 0;
    const POINT p = UnpackPoint(lParam);
    const bool inside = PtInRect({0, 0, layout_.size.cx, layout_.size.cy}, p);
    switch (msg) {
        case wm::kMouseMove: {
            moved_ = true;
            const int32_t entry = MenuEntryAt(layout_, p);
            SetHighlight(Choosable(entry) ? entry : -1);
            return 0;
        }
        case wm::kLButtonDown:
        case wm::kRButtonDown:
        case wm::kLButtonDblClk:
            if (!inside) {
                Close();
                return 0;
            }
            pressedInside_ = true;
            return 0;
        case wm::kLButtonUp:
        case wm::kRButtonUp: {
            const int32_t entry = MenuEntryAt(layout_, p);
            if (inside && (moved_ || pressedInside_) && Choosable(entry)) Finish(entry);
            return 0;
        }
        case wm::kKeyDown:
            switch (static_cast<int>(wParam)) {
                case vk::kUp: Step(-1); break;
                case vk::kDown: Step(+1); break;
                case vk::kReturn:
                    if (Choosable(highlight_)) Finish(highlight_);
                    break;
                case vk::kEscape: Close(); break;
                default: break;
            }
            return 0;
        case wm::kKillFocus: Close(); return 0;
        default: return 0;
    }
}

bool PopupMenu::Choose(int32_t index) {
    if (!open_ || !Choosable(index)) return false;
    Finish(index);
    return true;
}

void PopupMenu::Step(int32_t direction) {
    const auto count = static_cast<int32_t>(entries_.size());
    int32_t index = highlight_ < 0 ? (direction > 0 ? -1 : count) : highlight_;
    for (int32_t tried = 0; tried < count; ++tried) {
        index = (index + direction + count) % count;
        if (Choosable(index)) {
            SetHighlight(index);
            return;
        }
    }
}

void PopupMenu::SetHighlight(int32_t index) {
    if (index == highlight_) return;
    highlight_ = index;
    Paint();
}

void PopupMenu::Finish(int32_t chosen) {
    if (!open_) return;
    open_ = false;
    highlight_ = -1;
    platform_.windows.SetVisible(hwnd(), false);
    form_.RemoveTopMost(hwnd());
    if (form_.PopupCapture() == hwnd()) form_.SetPopupCapture(0);
    if (platform_.windows.GetFocus() == hwnd())
        platform_.windows.SetFocus(platform_.windows.IsWindow(previousFocus_) ? previousFocus_ : 0);
    if (events_) events_->MenuClosed(chosen);
}

void PopupMenu::Paint() {
    Surface& picture = window_.Picture();
    const SystemInfo& system = platform_.system;
    const COLORREF menu = system.colors[syscolor::kMenu];
    picture.FillRect(picture.Bounds(), menu);
    picture.FrameRect(picture.Bounds(), system.colors[syscolor::kBtnShadow]);
    for (size_t i = 0; i < entries_.size(); ++i) {
        const MenuEntry& entry = entries_[i];
        const RECT row = layout_.rows[i];
        if (entry.IsSeparator()) {
            const int32_t y = (row.Top + row.Bottom) / 2 - 1;
            picture.FillRect({row.Left, y, row.Right, y + 1}, system.colors[syscolor::kBtnShadow]);
            picture.FillRect({row.Left, y + 1, row.Right, y + 2}, system.colors[syscolor::kBtnHighlight]);
            continue;
        }
        COLORREF color = system.colors[syscolor::kMenuText];
        if (static_cast<int32_t>(i) == highlight_) {
            picture.FillRect(row, system.colors[syscolor::kMenuHilight]);
            color = system.colors[syscolor::kHighlightText];
        } else if (!entry.enabled) {
            color = system.colors[syscolor::kGrayText];
        }
        RECT text{row.Left + MenuLayout::kTextIndent, row.Top, row.Right, row.Bottom};
        platform_.text.DrawText(picture, font_, entry.caption, text, DT_SINGLELINE | DT_VCENTER | DT_LEFT,
                                color);
    }
}

}  // namespace glv
