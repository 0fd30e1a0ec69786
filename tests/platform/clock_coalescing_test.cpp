// A host's message loop moving the clock once a frame: timers tick once per frame at most.
#include <gtest/gtest.h>

#include <string>

#include "platform/Clock.h"

namespace glv {
namespace {

TEST(ClockCoalescing, EachDueTimerFiresOnceAtTheEndOfTheSpan) {
    Clock clock;
    std::string log;
    TimerId stopped = 0;
    const TimerId fast = clock.CreateTimer([&] { log += "fast@" + std::to_string(clock.Now()) + " "; });
    const TimerId slow = clock.CreateTimer([&] {
        log += "slow@" + std::to_string(clock.Now()) + " ";
        clock.Stop(stopped);  // a tick that stops a timer due later in the same span
    });
    stopped = clock.CreateTimer([&] { log += "stopped "; });
    const TimerId started = clock.CreateTimer([&] { log += "started "; });
    clock.SetInterval(fast, 2);
    clock.SetInterval(slow, 5);
    clock.SetInterval(stopped, 7);
    clock.SetInterval(started, 1);
    clock.Start(stopped);
    clock.Start(slow);
    clock.Start(fast);

    clock.AdvanceCoalescing(16);  // eight intervals of the fast timer, three of the slow one
    EXPECT_EQ(log, "fast@16 slow@16 ");
    EXPECT_EQ(clock.Now(), 16);

    // The next interval counts from the end of the span.
    log.clear();
    clock.AdvanceCoalescing(1);
    EXPECT_EQ(log, "");
    clock.AdvanceCoalescing(1);
    EXPECT_EQ(log, "fast@18 ");

    // Nothing due, nothing fired; a negative span does nothing.
    log.clear();
    clock.Stop(fast);
    clock.Stop(slow);
    clock.AdvanceCoalescing(-5);
    clock.AdvanceCoalescing(0);
    EXPECT_EQ(log, "");
    EXPECT_EQ(clock.Now(), 18);

    // A timer started after the span began waits for its own interval.
    clock.Start(started);
    clock.AdvanceCoalescing(3);
    EXPECT_EQ(log, "started ");
}

}  // namespace
}  // namespace glv
