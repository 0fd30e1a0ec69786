#include "scrollbar/ScrollBar.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "platform/Form.h"
#include "platform/Variant.h"

namespace glv {

namespace {

constexpr uint32_t kHookedMessages[] = {wm::kMouseMove, wm::kLButtonDown, wm::kLButtonUp,
                                        wm::kLButtonDblClk, wm::kTimer};

// Twips to whole pixels, truncated, as the composer places the thumb.
int32_t TwipsToPixels(double twips, int32_t twipsPerPixel) {
    const double pixels = std::trunc(twips / twipsPerPixel);
    if (!std::isfinite(pixels)) return 0;
    return static_cast<int32_t>(std::clamp(pixels, -1e9, 1e9));
}

const char* KindName(const std::optional<BarPress>& press) {
    if (!press) return "none";
    switch (press->kind) {
        case BarPress::Kind::FirstArrow: return "first";
        case BarPress::Kind::SecondArrow: return "second";
        case BarPress::Kind::Thumb: return "thumb";
        case BarPress::Kind::Track: return "track";
    }
    return "none";
}

}  // namespace

ScrollBarControl::ScrollBarControl(Platform& platform, Container& container, ScrollAxis axis,
                                   HWND parent, WindowPlacement placement)
    : platform_(platform),
      container_(container),
      hwnd_(platform.windows.CreateWindow(
          parent, axis == ScrollAxis::Vertical ? "GlideVScroll" : "GlideHScroll", placement)),
      twipsPerPixelX_(std::max(container.TwipsPerPixelX, 1)),
      twipsPerPixelY_(std::max(container.TwipsPerPixelY, 1)),
      model_(axis),
      strip_(axis),
      hoverTimer_(platform.windows, platform.clock, hwnd_, kHoverTimerId) {
    Clock& clock = platform_.clock;
    repeatDelay_ = clock.CreateTimer([this] { OnRepeatDelay(); });
    clock.SetInterval(repeatDelay_, kRepeatDelayMs);
    repeat_ = clock.CreateTimer([this] { OnRepeatTick(); });
    clock.SetInterval(repeat_, kRepeatDelayMs);
    initialised_ = true;
    // A press on the bar leaves the keyboard focus with the window it scrolls.
    platform_.windows.SetFocusable(hwnd_, false);
    RegisterSurface(platform_.windows, hwnd_, &surface_);
    AfterResize();
}

ScrollBarControl::~ScrollBarControl() {
    DetachHooks();
    platform_.clock.DestroyTimer(repeatDelay_);
    platform_.clock.DestroyTimer(repeat_);
    platform_.windows.DestroyWindow(hwnd_);
}

int32_t ScrollBarControl::TwipsAlong() const { return vertical() ? twipsPerPixelY_ : twipsPerPixelX_; }
int32_t ScrollBarControl::TwipsAcross() const { return vertical() ? twipsPerPixelX_ : twipsPerPixelY_; }

// --- placement and layout ---------------------------------------------------------------------

void ScrollBarControl::Move(int32_t left, int32_t top, int32_t width, int32_t height) {
    platform_.windows.SetPlacement(hwnd_, {left, top, std::max(width, 0), std::max(height, 0)});
    AfterResize();
}

WindowPlacement ScrollBarControl::Placement() const { return platform_.windows.Placement(hwnd_); }
bool ScrollBarControl::Visible() const { return platform_.windows.IsVisible(hwnd_); }
void ScrollBarControl::SetVisible(bool visible) { platform_.windows.SetVisible(hwnd_, visible); }

void ScrollBarControl::Layout() {
    if (inLayout_ || !initialised_) return;
    inLayout_ = true;
    if (cell_ == 0) cell_ = CellSizeFromMetric(platform_.system.Metric(metric::kCxHScroll));
    WindowPlacement placement = platform_.windows.Placement(hwnd_);
    int32_t& across = vertical() ? placement.width : placement.height;
    int32_t& length = vertical() ? placement.height : placement.width;
    across = cell_;
    const int32_t tpp = TwipsAlong();
    const double arrow = static_cast<double>(cell_) * tpp;
    const double needed = model_.Layout(static_cast<double>(length) * tpp, arrow);
    // Too short a bar grows to hold both arrows and a minimum thumb, in whole pixels.
    const auto neededPixels = static_cast<int32_t>(std::ceil(needed / tpp));
    if (neededPixels > length) {
        length = neededPixels;
        model_.Layout(static_cast<double>(length) * tpp, arrow);
    }
    platform_.windows.SetPlacement(hwnd_, placement);
    strip_.Resize(cell_, length);
    if (surface_.Width() != placement.width || surface_.Height() != placement.height) {
        try {
            surface_ = Surface(placement.width, placement.height);
        } catch (const std::exception&) {
            surface_ = Surface();
        }
    }
    if (container_.UserMode && !hooksAttached_) AttachHooks();
    inLayout_ = false;
}

void ScrollBarControl::AfterResize() {
    Layout();
    RebuildStrip();
    model_.ComputeThumb();
    model_.PlaceThumbFromValue();
    Repaint();
}

void ScrollBarControl::AttachHooks() {
    for (uint32_t msg : kHookedMessages) platform_.windows.AttachMessage(this, hwnd_, msg);
    hooksAttached_ = true;
}

void ScrollBarControl::DetachHooks() {
    if (!hooksAttached_) return;
    for (uint32_t msg : kHookedMessages) platform_.windows.DetachMessage(this, hwnd_, msg);
    hooksAttached_ = false;
}

void ScrollBarControl::RebuildStrip() { strip_.Build(theme_); }

// --- properties -------------------------------------------------------------------------------

void ScrollBarControl::SetItemsVisible(int32_t items) { model_.SetItemsVisible(items); }

void ScrollBarControl::SetTotalItems(int32_t items) {
    model_.SetTotalItems(items);
    ComputeThumbAndRepaint();
}

void ScrollBarControl::SetTheme(int16_t theme) {
    // The vertical bar only knows the three schemes; the horizontal bar trusts its host and
    // simply finds no bitmaps for anything else.
    if (vertical() && (theme < 0 || theme > 2)) return;
    theme_ = theme;
    RebuildStrip();
    if (vertical()) model_.ComputeThumb();
    Repaint();
}

void ScrollBarControl::SetMetricsSize(int16_t size) {
    metricsSize_ = size;
    AfterResize();
}

bool ScrollBarControl::Enabled() const { return platform_.windows.IsEnabled(hwnd_); }

void ScrollBarControl::SetEnabled(bool enabled) {
    platform_.windows.SetEnabled(hwnd_, enabled);
    Repaint();
}

void ScrollBarControl::Redraw() {
    Layout();
    RebuildStrip();
    Repaint();
}

void ScrollBarControl::Refresh() { Repaint(); }

void ScrollBarControl::SetRawValue(double value) {
    if (!model_.SetValue(value)) return;
    // During a drag the thumb follows the pointer, not the value.
    if (!(press_ && press_->kind == BarPress::Kind::Thumb)) ComputeThumbAndRepaint();
    model_.PlaceThumbFromValue();
}

void ScrollBarControl::SetRawMin(double value) { model_.SetMin(value); }

void ScrollBarControl::SetRawMax(double value) {
    model_.SetMax(value);
    if (!vertical()) return;
    ComputeThumbAndRepaint();
    model_.PlaceThumbFromValue();
}

void ScrollBarControl::ComputeThumbAndRepaint() {
    if (model_.ComputeThumb()) Repaint();
}

void ScrollBarControl::Repaint() {
    ++repaints_;
    const ScrollGeometry& g = model_.geometry();
    BarPaintState state;
    state.thumbStart = TwipsToPixels(g.thumbPosition, TwipsAlong());
    state.thumbLength = TwipsToPixels(g.thumbLength, TwipsAlong());
    state.hotPart = hotPart_;
    const bool paging = press_ && press_->kind == BarPress::Kind::Track;
    state.trackBeforePressed = paging && press_->direction == 0;
    state.trackAfterPressed = paging && press_->direction == 1;
    state.enabled = Enabled();
    strip_.Compose(surface_, state);
}

std::string ScrollBarControl::DescribeInput() const {
    auto onOff = [](bool on) { return on ? "on" : "off"; };
    return "hot=" + std::to_string(hotPart_) + " press=" + KindName(press_) +
           " dir=" + std::to_string(press_ ? press_->direction : 0) +
           " delay=" + onOff(platform_.clock.Enabled(repeatDelay_)) +
           " repeat=" + onOff(platform_.clock.Enabled(repeat_)) +
           " hover=" + onOff(hoverTimer_.Running());
}

// --- input ------------------------------------------------------------------------------------

intptr_t ScrollBarControl::WindowProc(HWND hwnd, uint32_t msg, intptr_t wParam, intptr_t) {
    if (hwnd != hwnd_) return 0;
    // Every message refreshes where the pointer is, so paging heads for the pointer's current
    // place even while it stands still: the hover timer keeps messages coming.
    RefreshPointer();
    switch (msg) {
        case wm::kMouseMove: OnPointerMove(); break;
        case wm::kLButtonDown:
        case wm::kLButtonDblClk: OnPress(); break;
        case wm::kLButtonUp: OnRelease(); break;
        case wm::kTimer:
            if (wParam == kHoverTimerId) OnHoverTimer();
            break;
        default: break;
    }
    return 0;
}

void ScrollBarControl::RefreshPointer() {
    const RECT rect = platform_.windows.WindowRect(hwnd_);
    const POINT cursor{platform_.system.cursorX, platform_.system.cursorY};
    pointerInside_ = PtInRect(rect, cursor);
    const int32_t pixels = vertical() ? cursor.y - rect.Top : cursor.x - rect.Left;
    pressPoint_ = static_cast<double>(pixels) * TwipsAlong();
}

std::optional<double> ScrollBarControl::PointerInBar() const {
    if (!pointerInside_) return std::nullopt;
    return pressPoint_;
}

void ScrollBarControl::OnPointerMove() {
    if (!Enabled()) return;
    if (!hoverTimer_.Running()) hoverTimer_.Set(kHoverMs);
    if (press_ && press_->kind == BarPress::Kind::Thumb) {
        DragStep();
        return;
    }
    using namespace hotpart;
    hotPart_ = kNone;
    switch (HitTest(model_.geometry(), PointerInBar())) {
        case ScrollHit::FirstArrow:
            hotPart_ = press_ && press_->kind == BarPress::Kind::FirstArrow ? kFirstArrowPressed
                                                                           : kFirstArrowHot;
            break;
        case ScrollHit::SecondArrow:
            hotPart_ = press_ && press_->kind == BarPress::Kind::SecondArrow ? kSecondArrowPressed
                                                                            : kSecondArrowHot;
            break;
        case ScrollHit::Thumb:
            if (!press_) hotPart_ = kThumbHot;
            break;
        default: break;
    }
    Repaint();
}

void ScrollBarControl::DragStep() {
    BarPress& press = *press_;
    const ScrollGeometry& g = model_.geometry();
    const double old = model_.values().Value;
    const double position = press.originThumb + (pressPoint_ - press.originPointer);
    const bool beforeStart = position < g.firstArrow;
    if (beforeStart || position + g.thumbLength > g.trackEnd) {
        // Pinned at an end; anchoring the drag here makes moving back respond at once.
        model_.PinThumb(beforeStart);
        press.originPointer = pressPoint_;
        press.originThumb = model_.geometry().thumbPosition;
    } else {
        model_.DragThumbTo(position);
    }
    if (model_.values().Value == old) return;
    Repaint();
    if (events_) events_->Scroll(ScrollModel::Reported(model_.values().Value));
}

void ScrollBarControl::OnPress() {
    if (!Enabled()) return;
    if (events_) events_->BarMouseDown();
    switch (HitTest(model_.geometry(), PointerInBar())) {
        case ScrollHit::FirstArrow: StartArrow(BarPress::Kind::FirstArrow); break;
        case ScrollHit::SecondArrow: StartArrow(BarPress::Kind::SecondArrow); break;
        case ScrollHit::Thumb:
            press_ = BarPress{BarPress::Kind::Thumb, 0, pressPoint_, model_.geometry().thumbPosition};
            hotPart_ = hotpart::kThumbPressed;
            Repaint();
            break;
        case ScrollHit::Track: {
            // A press up to the thumb's end pages towards Min, beyond it towards Max.
            const int32_t direction = pressPoint_ <= model_.geometry().ThumbEnd() ? 0 : 1;
            press_ = BarPress{BarPress::Kind::Track, direction, 0, 0};
            PageStep(true);
            Repaint();
            break;
        }
        case ScrollHit::None: break;
    }
}

void ScrollBarControl::StartArrow(BarPress::Kind kind) {
    const ScrollValues v = model_.values();
    const bool towardsMax = kind == BarPress::Kind::SecondArrow;
    double next = 0;
    if (towardsMax) {
        hotPart_ = hotpart::kSecondArrowPressed;
        next = v.Value + v.SmallChange < v.Max ? v.Value + v.SmallChange : v.Max;
    } else {
        hotPart_ = hotpart::kFirstArrowPressed;
        next = v.Value - v.SmallChange > v.Min ? v.Value - v.SmallChange : v.Min;
    }
    press_ = BarPress{kind, towardsMax ? 1 : 0, 0, 0};
    model_.SetValue(next);
    model_.PlaceThumbFromValue();
    Repaint();
    if (model_.values().Value != v.Value) RaiseChange();
    // Even a press that cannot move starts the delay: holding on must not be different.
    platform_.clock.Start(repeatDelay_);
}

void ScrollBarControl::PageStep(bool onPress) {
    if (!press_) return;
    if (vertical())
        PageStepVertical(onPress);
    else
        PageStepHorizontal(onPress);
}

// The vertical bar asks its host how long a page is (rows differ in height), then shortens the
// step so the thumb stops with its edge at the pointer.
void ScrollBarControl::PageStepVertical(bool onPress) {
    const int32_t direction = press_->direction;
    Clock& clock = platform_.clock;
    {
        const ScrollGeometry& g = model_.geometry();
        const bool reached = direction == 1 ? !(g.ThumbEnd() < pressPoint_) : g.thumbPosition <= pressPoint_;
        if (!onPress && reached) {
            clock.Stop(repeat_);
            return;
        }
    }
    int16_t askDirection = static_cast<int16_t>(direction);
    int32_t pageItems = 0;
    if (events_) events_->LargeChangeClick(askDirection, pageItems);
    if (!press_) return;  // the host released the button meanwhile
    if (pageItems == -1) {
        if (onPress) clock.Start(repeatDelay_);
        return;
    }
    const ScrollGeometry& g = model_.geometry();
    const ScrollValues v = model_.values();
    const double candidate = direction == 1 ? std::min(v.Value + pageItems, v.Max) : v.Value - pageItems;
    // Other negative answers page nowhere rather than backwards.
    double step = std::max(direction == 1 ? candidate - v.Value : v.Value - candidate, 0.0);
    if (const auto perUnit = TwipsPerUnit(g, v)) {
        const double distance = direction == 1 ? pressPoint_ - g.ThumbEnd() : g.thumbPosition - pressPoint_;
        if (step * *perUnit > distance) step = RoundHalfEven(std::max(distance, 0.0) / *perUnit);
    }
    model_.SetValue(direction == 1 ? v.Value + step : v.Value - step);
    if (model_.values().Value == v.Value) return;
    RaiseChange();
    if (onPress) {
        model_.PlaceThumbFromValue();
        clock.Start(repeatDelay_);
    }
}

// The horizontal bar pages by LargeChange, or by exactly the distance to the pointer when a
// full page would reach it; then paging is over.
void ScrollBarControl::PageStepHorizontal(bool onPress) {
    const int32_t direction = press_->direction;
    const ScrollGeometry& g = model_.geometry();
    const ScrollValues v = model_.values();
    const auto perUnit = TwipsPerUnit(g, v);
    if (!perUnit) return;  // nothing to page through
    const double distance = direction == 1 ? pressPoint_ - g.ThumbEnd() : g.thumbPosition - pressPoint_;
    double step = v.LargeChange;
    if (v.LargeChange * *perUnit >= distance) {
        step = std::max(distance, 0.0) / *perUnit;
        platform_.clock.Stop(repeat_);
    } else if (onPress) {
        platform_.clock.Start(repeatDelay_);
    }
    model_.SetValue(direction == 1 ? v.Value + step : v.Value - step);
    model_.PlaceThumbFromValue();
    if (model_.values().Value != v.Value) RaiseChange();
    Repaint();
}

void ScrollBarControl::OnRepeatDelay() {
    platform_.clock.Stop(repeatDelay_);
    platform_.clock.Start(repeat_);
}

void ScrollBarControl::OnRepeatTick() {
    if (!press_) {
        platform_.clock.Stop(repeat_);
        return;
    }
    const ScrollValues v = model_.values();
    const double thumbBefore = model_.geometry().thumbPosition;
    const bool paging = press_->kind == BarPress::Kind::Track;
    if (paging) {
        PageStep(false);
    } else if (press_->direction == 1) {
        model_.SetValue(v.Value + v.SmallChange < v.Max ? v.Value + v.SmallChange : v.Max);
    } else {
        model_.SetValue(v.Value - v.SmallChange > v.Min ? v.Value - v.SmallChange : v.Min);
    }
    // Only the bar's first ever repeat waits the full delay; the interval is never set back.
    platform_.clock.SetInterval(repeat_, kRepeatMs);
    if (!paging && model_.values().Value != v.Value) RaiseChange();
    model_.PlaceThumbFromValue();
    // A button held at the end of the range ticks on for as long as it is held; a tick that
    // moved nothing leaves the picture as it is, so a long hold costs no painting.
    if (model_.values().Value != v.Value || model_.geometry().thumbPosition != thumbBefore) Repaint();
}

void ScrollBarControl::OnRelease() {
    press_.reset();
    platform_.clock.Stop(repeatDelay_);
    platform_.clock.Stop(repeat_);
    if (events_) events_->BarMouseUp();
}

void ScrollBarControl::OnHoverTimer() {
    if (press_ && press_->kind == BarPress::Kind::Thumb) return;
    if (pointerInside_ || press_) return;
    hoverTimer_.Kill();
    hotPart_ = hotpart::kNone;
    Repaint();
}

void ScrollBarControl::RaiseChange() {
    if (events_) events_->Change(ScrollModel::Reported(model_.values().Value));
}

// --- the two bars -----------------------------------------------------------------------------

GlideVScroll::GlideVScroll(Platform& platform, Container& container, HWND parent,
                           WindowPlacement placement)
    : ScrollBarControl(platform, container, ScrollAxis::Vertical, parent, placement) {}

GlideHScroll::GlideHScroll(Platform& platform, Container& container, HWND parent,
                           WindowPlacement placement)
    : ScrollBarControl(platform, container, ScrollAxis::Horizontal, parent, placement) {}

}  // namespace glv
