// The places where a property change reaches the parts that use it: the background cache, the
// scroll bars, the edit box, the tooltip timers and the layout. Until those parts exist each
// hook records what it handed on (applied_) and counts its calls, so tests can see it ran.

#include "control/GlideListView.h"
#include "render/Themes.h"

namespace glv {

int32_t GlideListView::DetectSystemScheme(const SystemInfo& system, int32_t current) {
    return DetectScheme(current, system);
}

void GlideListView::ApplyEffectiveScheme() {
    ++propertyHooks_.schemeApplications;
    applied_.effectiveTheme = props_.AutoSelectTheme
                                  ? DetectSystemScheme(platform_.system, applied_.effectiveTheme)
                                  : props_.Theme;
    applied_.scrollBarTheme = applied_.effectiveTheme;
    ForwardScrollBarTheme(applied_.scrollBarTheme);
}

void GlideListView::ApplyMetricSize(bool readSystemSize) {
    ++propertyHooks_.metricApplications;
    if (readSystemSize)
        applied_.scrollBarSize = static_cast<int16_t>(platform_.system.Metric(metric::kCxHScroll));
    applied_.scrollBarMetric = props_.MetricsSize;
    ForwardScrollBarMetric(applied_.scrollBarMetric);
}

// RebuildBackground, LayoutAsOnResize and RecomputeLayoutValues are the paint pass's
// (ControlPaint.cpp).

void GlideListView::UpdateToolTipTimers() {
    ++propertyHooks_.toolTipTimerUpdates;
    applied_.toolTipPreInterval = props_.ToolTipPreTime;
    applied_.toolTipPostInterval = props_.ToolTipPostTime;
}

void GlideListView::ApplyEditBoxColors() {
    ++propertyHooks_.editBoxColorUpdates;
    applied_.editBackColor = props_.ItemEditBackColor;
    applied_.editForeColor = props_.ItemEditForeColor;
}

void GlideListView::ApplyEnabled() {
    ++propertyHooks_.enabledUpdates;
    applied_.scrollBarsEnabled = props_.Enabled;
    ForwardScrollBarsEnabled(applied_.scrollBarsEnabled);
    platform_.windows.SetEnabled(hwnd_, props_.Enabled);
}

void GlideListView::ClearSurfacePicture() { ++propertyHooks_.surfacePictureClears; }

void GlideListView::SetVerticalScrollValue(int32_t value) {
    applied_.verticalScrollValue = value;
    SetVScrollBarValue(value);
}

}  // namespace glv
