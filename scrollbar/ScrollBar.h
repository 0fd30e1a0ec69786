#pragma once
// GlideVScroll and GlideHScroll: the list's own themed scroll bars.
//
// Each bar is a child window of the list with a surface of its own. It never reads the list:
// the list sets its values, and the bar reports user input back through ScrollBarEvents. Mouse
// input arrives through message hooks on the bar's own window (move, button down, up, double
// click and the hover timer's ticks); the pointer position is read from the system's cursor,
// as the bar's window sees it.
//
// Timers: the hover timer (window timer 1, 10 ms) ends the hot look once the pointer has left;
// the repeat delay (500 ms, one shot) follows an arrow or track press and starts the repeat
// timer, which ticks every 50 ms after its first tick. Its first tick in the bar's life waits
// 500 ms, so the very first auto-repeat of a bar starts half a second later than the others.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Container.h"
#include "platform/Platform.h"
#include "platform/Surface.h"
#include "platform/WindowTimer.h"
#include "scrollbar/ScrollModel.h"
#include "scrollbar/ScrollPainter.h"

namespace glv {

// What a bar tells its host. Values are reported as 32-bit integers (rounded half to even).
class ScrollBarEvents {
public:
    virtual ~ScrollBarEvents() = default;
    // The left button went down (or double-clicked) on an enabled bar, before it is handled.
    virtual void BarMouseDown() {}
    // Value changed through an arrow, a track press or an auto-repeat tick.
    virtual void Change(int32_t /*Value*/) {}
    // Value changed while the thumb is dragged.
    virtual void Scroll(int32_t /*Value*/) {}
    virtual void BarMouseUp() {}
    // Vertical bar only: how many units is one page in Direction (0 towards Min, 1 towards
    // Max)? PageItems arrives as 0; -1 means "do not move".
    virtual void LargeChangeClick(int16_t& /*Direction*/, int32_t& /*PageItems*/) {}
};

// A press on the bar, from button down to button up.
struct BarPress {
    enum class Kind : uint8_t { FirstArrow, SecondArrow, Thumb, Track };
    Kind kind = Kind::FirstArrow;
    int32_t direction = 0;  // arrows and track: 0 towards Min, 1 towards Max
    // Thumb drags: pointer and thumb position (twips) at the press, or at the last time the
    // drag was pinned to an end.
    double originPointer = 0;
    double originThumb = 0;
};

class ScrollBarControl : public MessageSink {
public:
    // The hover timer's id on the bar's window.
    static constexpr intptr_t kHoverTimerId = 1;
    static constexpr int32_t kHoverMs = 10;
    static constexpr int32_t kRepeatDelayMs = 500;
    static constexpr int32_t kRepeatMs = 50;

    ~ScrollBarControl() override;
    ScrollBarControl(const ScrollBarControl&) = delete;
    ScrollBarControl& operator=(const ScrollBarControl&) = delete;

    HWND hwnd() const { return hwnd_; }
    void SetEventSink(ScrollBarEvents* sink) { events_ = sink; }

    // The bar's window in its parent's client pixels. Moving runs the layout, which forces the
    // size across the axis to one cell and the length to at least two cells and a minimum thumb.
    void Move(int32_t left, int32_t top, int32_t width, int32_t height);
    WindowPlacement Placement() const;
    bool Visible() const;
    void SetVisible(bool visible);

    int32_t ItemsVisible() const { return model_.values().ItemsVisible; }
    void SetItemsVisible(int32_t items);
    int32_t TotalItems() const { return model_.values().TotalItems; }
    void SetTotalItems(int32_t items);
    int16_t Theme() const { return theme_; }
    void SetTheme(int16_t theme);
    int16_t MetricsSize() const { return metricsSize_; }
    void SetMetricsSize(int16_t size);
    bool Enabled() const;
    void SetEnabled(bool enabled);
    // Re-layout, rebuild the part strip and repaint.
    void Redraw();
    // Repaint from the part strip.
    void Refresh();

    // --- what tests and the host's compositor read -------------------------------------------
    const Surface& surface() const { return surface_; }
    const ScrollModel& model() const { return model_; }
    int32_t HotPart() const { return hotPart_; }
    int32_t CellSize() const { return cell_; }
    int32_t RepaintCount() const { return repaints_; }
    const std::optional<BarPress>& Press() const { return press_; }
    // "hot=2 press=first dir=0 delay=on repeat=off hover=on" for tests.
    std::string DescribeInput() const;

    // MessageSink: the hooked mouse and timer messages of the bar's window.
    intptr_t WindowProc(HWND hwnd, uint32_t msg, intptr_t wParam, intptr_t lParam) override;

protected:
    ScrollBarControl(Platform& platform, Container& container, ScrollAxis axis, HWND parent,
                     WindowPlacement placement);

    // Value plumbing for the typed façades; each applies the setter rules and side effects.
    double RawValue() const { return model_.values().Value; }
    void SetRawValue(double value);
    void SetRawMin(double value);
    void SetRawMax(double value);
    void SetRawSmallChange(double value) { model_.SetSmallChange(value); }
    void SetRawLargeChange(double value) { model_.SetLargeChange(value); }

private:
    bool vertical() const { return model_.vertical(); }
    int32_t TwipsAlong() const;
    int32_t TwipsAcross() const;

    void Layout();
    void AfterResize();
    void AttachHooks();
    void DetachHooks();
    void RebuildStrip();
    void ComputeThumbAndRepaint();
    void Repaint();

    // Input.
    void RefreshPointer();
    std::optional<double> PointerInBar() const;
    void OnPointerMove();
    void DragStep();
    void OnPress();
    void OnRelease();
    void OnHoverTimer();
    void StartArrow(BarPress::Kind kind);
    void PageStep(bool onPress);
    void PageStepVertical(bool onPress);
    void PageStepHorizontal(bool onPress);
    void OnRepeatDelay();
    void OnRepeatTick();
    void RaiseChange();

    Platform& platform_;
    Container& container_;
    HWND hwnd_ = 0;
    ScrollBarEvents* events_ = nullptr;

    // The screen's twips per pixel, read once when the bar is created.
    int32_t twipsPerPixelX_ = 15;
    int32_t twipsPerPixelY_ = 15;
    ScrollModel model_;
    int16_t theme_ = 0;
    int16_t metricsSize_ = 0;
    int32_t cell_ = 0;
    int32_t hotPart_ = hotpart::kInitial;
    std::optional<BarPress> press_;
    double pressPoint_ = 0;      // pointer along the axis, twips from the bar's start
    bool pointerInside_ = false;  // the cursor lies inside the bar's window
    bool hooksAttached_ = false;
    bool inLayout_ = false;
    bool initialised_ = false;

    Surface surface_;
    PartStrip strip_;
    int32_t repaints_ = 0;

    WindowTimer hoverTimer_;
    TimerId repeatDelay_ = 0;  // one shot: starts the repeat timer
    TimerId repeat_ = 0;
};

class GlideVScroll : public ScrollBarControl {
public:
    GlideVScroll(Platform& platform, Container& container, HWND parent,
                 WindowPlacement placement = {0, 0, 17, 100});

    // Values are whole numbers: what is set is rounded half to even.
    double Value() const { return RawValue(); }
    void SetValue(double value) { SetRawValue(value); }
    double Min() const { return model().values().Min; }
    void SetMin(double value) { SetRawMin(value); }
    double Max() const { return model().values().Max; }
    void SetMax(double value) { SetRawMax(value); }
    double SmallChange() const { return model().values().SmallChange; }
    void SetSmallChange(double value) { SetRawSmallChange(value); }
    double LargeChange() const { return model().values().LargeChange; }
    void SetLargeChange(double value) { SetRawLargeChange(value); }
};

class GlideHScroll : public ScrollBarControl {
public:
    GlideHScroll(Platform& platform, Container& container, HWND parent,
                 WindowPlacement placement = {0, 0, 100, 17});

    // Values are kept as doubles (paging may leave a fraction) and read back rounded.
    int32_t Value() const { return ScrollModel::Reported(RawValue()); }
    void SetValue(int32_t value) { SetRawValue(value); }
    int32_t Min() const { return ScrollModel::Reported(model().values().Min); }
    void SetMin(int32_t value) { SetRawMin(value); }
    int32_t Max() const { return ScrollModel::Reported(model().values().Max); }
    void SetMax(int32_t value) { SetRawMax(value); }
    int32_t SmallChange() const { return ScrollModel::Reported(model().values().SmallChange); }
    void SetSmallChange(int32_t value) { SetRawSmallChange(value); }
    int32_t LargeChange() const { return ScrollModel::Reported(model().values().LargeChange); }
    void SetLargeChange(int32_t value) { SetRawLargeChange(value); }
};

}  // namespace glv
