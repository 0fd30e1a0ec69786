#pragma once
// Row tooltips: what text a row offers and when its tooltip shows and goes.
//
// Three timers drive it, owned by whoever runs the rules (the control, or a test):
//   Pre      the delay before the first tooltip of an armed period (ToolTipPreTime)
//   Display  the short delay between a text becoming pending and its showing (25 ms)
//   Post     the time after which the tooltip hides and the armed period ends (ToolTipPostTime)
// Idle -> pre-delay -> armed (display, then post) -> idle when the post delay runs out or the
// pointer enters the header band. While armed, another row's tooltip follows 25 ms after the
// move that reached it.
//
// The rules only keep their flags and tell the host which timer to start or stop and when to
// show or hide the window; the host raises BeforeToolTip and owns the window.

#include <cstdint>
#include <string>

#include "core/Records.h"

namespace glv {

// The display delay is fixed; the other two follow their properties.
inline constexpr int32_t kTipDisplayMs = 25;

// The text AutoGenerateToolTips makes for a row (LVAutoTTGenConstants; other values give
// nothing). The row forms join the item and its sub-items for columns 2..columnCount with ",":
// a single column leaves "text," and an item with fewer sub-items stops where they end.
std::string GeneratedToolTipText(const tListItemInfo& item, int32_t columnCount, int32_t mode);

enum class TipTimer : uint8_t { Pre, Display, Post };

class ToolTipHost {
public:
    virtual ~ToolTipHost() = default;
    virtual bool TimerRunning(TipTimer timer) const = 0;
    // Starting counts the interval from now, also for a timer that is running.
    virtual void StartTimer(TipTimer timer) = 0;
    virtual void StopTimer(TipTimer timer) = 0;
    // BeforeToolTip for the hover row; the host may rewrite the text.
    virtual void BeforeToolTip(int32_t row, std::string& text) = 0;
    // Shows the window with the text at the pointer; answers whether it is on screen.
    virtual bool ShowWindow(const std::string& text) = 0;
    // Unloads the window, if there is one.
    virtual void HideWindow() = 0;
};

struct ToolTipState {
    std::string text;      // waiting to be shown
    bool armed = false;    // the pre-delay has run out
    bool pending = false;  // a text waits for the display timer
    bool shown = false;    // the window is on screen
    int32_t shownRow = -1;
};

class ToolTips {
public:
    explicit ToolTips(ToolTipHost& host) : host_(host) {}

    const ToolTipState& State() const { return state_; }

    // The hover row became row (>= 1). localText is the row's own tooltip text, generated the
    // AutoGenerateToolTips text; editing is whether the edit box is open.
    void HoverRowChanged(int32_t row, const std::string& localText, const std::string& generated,
                         bool editing);
    void PreTick();
    void DisplayTick(int32_t hoverRow);
    void PostTick();
    void Hide();
    // The pointer moved in the header band: only does anything while something is under way.
    void CancelIfActive();
    // Everything back to idle, whatever is under way.
    void Cancel();

private:
    void Restart(TipTimer timer) {
        host_.StopTimer(timer);
        host_.StartTimer(timer);
    }

    ToolTipHost& host_;
    ToolTipState state_;
};

}  // namespace glv
