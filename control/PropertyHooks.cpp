// The places where a property change reaches the parts that use it: the background cache, the
// scroll bars, the edit box, the tooltip timers and the layout. Each hook records what it handed
// on (applied_), where the parts that use it read it.

#include "control/GlideListView.h"
#include "control/InPlaceEdit.h"
#include "render/Themes.h"

namespace glv {

void GlideListView::ApplyEffectiveScheme() {
    applied_.effectiveTheme = props_.AutoSelectTheme
                                  ? DetectScheme(applied_.effectiveTheme, visualStylesAvailable_, platform_.system)
                                  : props_.Theme;
    ForwardScrollBarTheme(applied_.effectiveTheme);
}

void GlideListView::ApplyMetricSize(bool readSystemSize) {
    if (readSystemSize)
        frame_.scrollBarSize = platform_.system.Metric(metric::kCxHScroll);
    ForwardScrollBarMetric(props_.MetricsSize);
}

// RebuildBackground, LayoutAsOnResize and RecomputeLayoutValues are the paint pass's
// (ControlPaint.cpp).

void GlideListView::UpdateToolTipTimers() {
    applied_.toolTipPreInterval = props_.ToolTipPreTime;
    applied_.toolTipPostInterval = props_.ToolTipPostTime;
    ApplyToolTipIntervals();
}

void GlideListView::ApplyEditBoxColors() {
    applied_.editBackColor = props_.ItemEditBackColor;
    applied_.editForeColor = props_.ItemEditForeColor;
    if (editor_) editor_->box.SetColors(applied_.editBackColor, applied_.editForeColor);
}

void GlideListView::ApplyEnabled() {
    ForwardScrollBarsEnabled(props_.Enabled);
    platform_.windows.SetEnabled(hwnd_, props_.Enabled);
}

}  // namespace glv
