#pragma once
// Virtual time and timers.
//
// Time only moves when the host says so: Advance(ms) fires every timer that falls due in that
// span, earliest first, so timer-driven behaviour (tooltips, auto-repeat, repaint delays) is
// deterministic in tests. A real host advances the clock from its own.

#include <cstdint>
#include <functional>
#include <vector>

namespace glv {

using TimerId = int32_t;

class Clock {
public:
    int64_t Now() const { return now_; }

    // A new timer, stopped, with interval 0. The callback runs on each tick.
    TimerId CreateTimer(std::function<void()> onTick);
    void DestroyTimer(TimerId id);

    // Like the runtime's timer control: a timer ticks every Interval ms while enabled; an
    // interval of 0 never ticks. Setting the interval or enabling restarts the count.
    void SetInterval(TimerId id, int32_t ms);
    int32_t Interval(TimerId id) const;
    void SetEnabled(TimerId id, bool enabled);
    bool Enabled(TimerId id) const;
    void Start(TimerId id) { SetEnabled(id, true); }
    void Stop(TimerId id) { SetEnabled(id, false); }

    // Moves time forward, firing due timers in time order (ties in the order they were scheduled).
    // Timers started or restarted by a tick fire within the same call when they fall due in it.
    void Advance(int64_t ms);
    // Moves time forward as a host's message loop sees it when it checks its timers once at the
    // end of the span: each timer due by then fires once, however many of its intervals passed
    // (the runtime sends one timer message, not one per missed interval), earliest due first,
    // and counts its next interval from the end of the span. A real host calls this once a
    // frame with the time its own clock says passed; a 2 ms timer then ticks once a frame.
    void AdvanceCoalescing(int64_t ms);

    std::size_t TimerCount() const;

private:
    struct Timer {
        std::function<void()> onTick;
        int32_t interval = 0;
        bool enabled = false;
        bool alive = false;
        int64_t due = 0;
        uint64_t sequence = 0;  // scheduling order, to break ties
    };
    Timer* Find(TimerId id);
    const Timer* Find(TimerId id) const;
    void Schedule(Timer& timer);

    std::vector<Timer> timers_;  // TimerId = index + 1
    int64_t now_ = 0;
    uint64_t nextSequence_ = 0;
};

}  // namespace glv
