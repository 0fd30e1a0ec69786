// The control's answers to the system: focus changes and visual-style changes.
#include "control/GlideListView.h"
#include "render/Themes.h"

namespace glv {

void GlideListView::GotFocus() {
    view_.hasFocus = true;
    Repaint();
}

void GlideListView::LostFocus() {
    view_.hasFocus = false;
    Repaint();
}

void GlideListView::SystemThemeChanged() {
    if (!props_.AutoSelectTheme || view_.terminating) return;
    const int32_t detected = DetectScheme(applied_.effectiveTheme, visualStylesAvailable_, platform_.system);
    if (detected == applied_.effectiveTheme) return;
    applied_.effectiveTheme = detected;
    ForwardScrollBarTheme(detected);
    if (!view_.loaded) return;
    // Only the Office 2003 band is drawn in the scheme's colours straight away; the normal band
    // takes them at the next rebuild of the background.
    if (props_.HeaderStyle == LVOffice2003) RebuildBackground();
    Repaint();
}

intptr_t GlideListView::SystemMessageHook::WindowProc(HWND, uint32_t msg, intptr_t, intptr_t) {
    if (msg == wm::kThemeChanged) owner_.SystemThemeChanged();
    return 0;
}

void GlideListView::AttachSystemHooks() {
    if (systemHooksAttached_) return;
    systemHooksAttached_ = platform_.windows.AttachMessage(&systemHook_, hwnd_, wm::kThemeChanged);
}

void GlideListView::DetachSystemHooks() {
    if (!systemHooksAttached_) return;
    platform_.windows.DetachMessage(&systemHook_, hwnd_, wm::kThemeChanged);
    systemHooksAttached_ = false;
}

}  // namespace glv
