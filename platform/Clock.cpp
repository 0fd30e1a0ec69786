#include "platform/Clock.h"

#include <algorithm>
#include <utility>

namespace glv {

TimerId Clock::CreateTimer(std::function<void()> onTick) {
    Timer timer;
    timer.onTick = std::move(onTick);
    timer.alive = true;
    timers_.push_back(std::move(timer));
    return static_cast<TimerId>(timers_.size());
}

void Clock::DestroyTimer(TimerId id) {
    if (Timer* timer = Find(id)) {
        timer->alive = false;
        timer->enabled = false;
        timer->onTick = nullptr;
    }
}

Clock::Timer* Clock::Find(TimerId id) {
    if (id < 1 || id > static_cast<TimerId>(timers_.size())) return nullptr;
    Timer& timer = timers_[static_cast<std::size_t>(id - 1)];
    return timer.alive ? &timer : nullptr;
}

const Clock::Timer* Clock::Find(TimerId id) const { return const_cast<Clock*>(this)->Find(id); }

void Clock::Schedule(Timer& timer) {
    timer.due = now_ + timer.interval;
    timer.sequence = nextSequence_++;
}

void Clock::SetInterval(TimerId id, int32_t ms) {
    if (Timer* timer = Find(id)) {
        timer->interval = ms < 0 ? 0 : ms;
        Schedule(*timer);
    }
}

int32_t Clock::Interval(TimerId id) const {
    const Timer* timer = Find(id);
    return timer ? timer->interval : 0;
}

void Clock::SetEnabled(TimerId id, bool enabled) {
    if (Timer* timer = Find(id)) {
        timer->enabled = enabled;
        if (enabled) Schedule(*timer);
    }
}

bool Clock::Enabled(TimerId id) const {
    const Timer* timer = Find(id);
    return timer && timer->enabled;
}

void Clock::Advance(int64_t ms) {
    if (ms < 0) return;
    const int64_t target = now_ + ms;
    for (;;) {
        // Earliest due timer within the span; the list is short (a handful per control).
        Timer* next = nullptr;
        for (Timer& timer : timers_) {
            if (!timer.alive || !timer.enabled || timer.interval <= 0 || timer.due > target) continue;
            if (!next || timer.due < next->due ||
                (timer.due == next->due && timer.sequence < next->sequence))
                next = &timer;
        }
        if (!next) break;
        now_ = next->due;
        Schedule(*next);
        // The callback may create timers (reallocating the vector): call a copy.
        auto tick = next->onTick;
        if (tick) tick();
    }
    now_ = target;
}

void Clock::AdvanceCoalescing(int64_t ms) {
    if (ms < 0) return;
    now_ += ms;
    std::vector<std::pair<TimerId, Timer*>> due;
    for (std::size_t i = 0; i < timers_.size(); ++i) {
        Timer& timer = timers_[i];
        if (timer.alive && timer.enabled && timer.interval > 0 && timer.due <= now_)
            due.emplace_back(static_cast<TimerId>(i + 1), &timer);
    }
    std::sort(due.begin(), due.end(), [](const auto& a, const auto& b) {
        return a.second->due != b.second->due ? a.second->due < b.second->due : a.second->sequence < b.second->sequence;
    });
    for (const auto& [id, unused] : due) {
        // A tick may stop, restart or destroy a later timer, or create timers (moving the list):
        // look each one up again.
        Timer* timer = Find(id);
        if (!timer || !timer->enabled || timer->interval <= 0 || timer->due > now_) continue;
        Schedule(*timer);
        auto tick = timer->onTick;
        if (tick) tick();
    }
}

std::size_t Clock::TimerCount() const {
    std::size_t count = 0;
    for (const Timer& timer : timers_) count += timer.alive ? 1 : 0;
    return count;
}

}  // namespace glv
