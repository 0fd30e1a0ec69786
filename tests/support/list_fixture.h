#pragma once
// The control fixture as the layout and paint tests use it: 200 x 120 by default, no event sink.
#include "tests/support/control_fixture.h"

namespace glv::test {

struct ListFixture : ControlFixture {
    explicit ListFixture(int32_t width = 200, int32_t height = 120)
        : ControlFixture(ControlOptions{.width = width, .height = height, .recordEvents = false}) {}
};

}  // namespace glv::test
