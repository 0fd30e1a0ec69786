// The places where a property change reaches the parts that use it: the background cache, the
// scroll bars, the edit box, the tooltip timers and the layout. Until those parts exist each
// hook records what it handed on (applied_) and counts its calls, so tests can see it ran.

#include "control/GlideListView.h"
#include "control/InPlaceEdit.h"
#include "render/Themes.h"

namespace glv {

void GlideListView::ApplyEffectiveScheme() {
    ++propertyHooks_.schemeApplications;
    applied_.effectiveTheme = props_.AutoSelectTheme
                                  ? DetectScheme(applied_.effectiveTheme, visualStylesAvailable_, platform_.system)
                                  : props_.Theme;
    ForwardScrollBarTheme(applied_.effectiveTheme);
}

void GlideListView::ApplyMetricSize(bool readSystemSize) {
    ++propertyHooks_.metricApplications;
    if (readSystemSize)
        frame_.scrollBarSize = platform_.system.Metric(metric::kCxHScroll);
    applied_.scrollBarMetric = props_.MetricsSize;
    ForwardScrollBarMetric(applied_.scrollBarMetric);
}

// RebuildBackground, LayoutAsOnResize and RecomputeLayoutValues are the paint pass's
// (ControlPaint.cpp).

void GlideListView::UpdateToolTipTimers() {
    ++propertyHooks_.toolTipTimerUpdates;
    applied_.toolTipPreInterval = props_.ToolTipPreTime;
    applied_.toolTipPostInterval = props_.ToolTipPostTime;
    ApplyToolTipIntervals();
}

void GlideListView::ApplyEditBoxColors() {
    ++propertyHooks_.editBoxColorUpdates;
    applied_.editBackColor = props_.ItemEditBackColor;
    applied_.editForeColor = props_.ItemEditForeColor;
    if (editor_) editor_->box.SetColors(applied_.editBackColor, applied_.editForeColor);
}

void GlideListView::ApplyEnabled() {
    ++propertyHooks_.enabledUpdates;
    applied_.scrollBarsEnabled = props_.Enabled;
    ForwardScrollBarsEnabled(applied_.scrollBarsEnabled);
    platform_.windows.SetEnabled(hwnd_, props_.Enabled);
}

void GlideListView::ClearSurfacePicture() { ++propertyHooks_.surfacePictureClears; }

}  // namespace glv
