#pragma once
// The list's side of its two scroll bars: what it keeps of them, the sinks through which their
// events reach it. The wheel reaches the list through its message router. The behaviour itself (synchronisation,
// the handlers of the bar events, the wheel) is in ListScrolling.cpp as GlideListView members.
//
// Units: the vertical bar's Value counts shown rows (1 is the first shown row at the top); the
// horizontal bar's Value is the horizontal offset in pixels.

#include <cstdint>

#include "platform/Clock.h"
#include "platform/WindowSystem.h"
#include "scrollbar/ScrollBar.h"

namespace glv {

class GlideListView;
struct Platform;
class Container;

// Forwards one bar's events to the list.
class ListScrollSink : public ScrollBarEvents {
public:
    ListScrollSink(GlideListView& list, bool vertical) : list_(list), vertical_(vertical) {}
    void BarMouseDown() override;
    void Change(int32_t value) override;
    void Scroll(int32_t value) override;
    void BarMouseUp() override;
    void LargeChangeClick(int16_t& direction, int32_t& pageItems) override;

private:
    GlideListView& list_;
    bool vertical_;
};

struct ListScrollState {
    ListScrollState(GlideListView& list, Platform& platform, Container& container, HWND window);
    ~ListScrollState();
    ListScrollState(const ListScrollState&) = delete;
    ListScrollState& operator=(const ListScrollState&) = delete;

    Clock& clock;
    GlideVScroll vbar;
    GlideHScroll hbar;
    ListScrollSink vsink;
    ListScrollSink hsink;
    // Timer1: repaints the list every 2 ms while scrolling is under way. Started by a bar, a
    // tick repaints only when the bar moved the list since the last one, so a bar held at its
    // end (for hours of a host's time) paints nothing; started for other feedback, every tick.
    TimerId repaintTimer = 0;
    bool repaintEveryTick = true;
    bool scrolledSinceRepaint = false;

    // The vertical position the list scrolled to, in shown rows; at least 1. The horizontal
    // offset and whether each bar shows are kept where painting and the queries read them.
    int32_t vPosition = 1;
    // Width kept clear of columns at the right: the vertical bar's width + 2 while it shows, else 2.
    int32_t rightMargin = 2;
    // Where the bars were last asked to go, so an unchanged layout moves (and rebuilds) nothing.
    WindowPlacement vRequested{-1, -1, -1, -1};
    WindowPlacement hRequested{-1, -1, -1, -1};

    bool wheelPresent = false;
    int32_t wheelLines = 3;
};

}  // namespace glv
