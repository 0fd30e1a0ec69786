#pragma once
// The random-operation tester: a seeded generator draws steps over the control's public
// interface (items, columns, properties with valid and invalid values, sorting, bulk operations,
// selection, scrolling, resizing, pointer, wheel, keys, drops, focus and time), a runner
// performs them in-process the way `glv run` would, and after every step the control's
// invariants are checked.
// A failing step list is shrunk to the shortest list that still fails and written as a scenario
// file, so `glv run` (under the sanitizers) replays it.
//
// Steps are scenario steps (SCENARIO.md), so a generated run and its replay are the same thing.

#include <cstdint>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "apps/scenario/Values.h"

namespace glv {
class GlideListView;
}

namespace glv::test {

using scenario::Json;

// The control a run drives (defined beside the runner).
class OperationHost;
using ExtraCheck = std::function<std::optional<std::string>(OperationHost&)>;
GlideListView& ControlOf(OperationHost& host);

// A property of the control after a step that does not hold, or a crash-free failure (an
// exception that is not an automation error, a step that changed state and raised).
struct Violation {
    std::size_t step = 0;  // 0-based index of the step after which it was found
    std::string what;
};

// Draws steps from a seed; it keeps a rough idea of the counts so most indexes are near the
// list's real range, with the extremes (0, -1, INT32_MIN, INT32_MAX) among them.
class StepGenerator {
public:
    explicit StepGenerator(uint32_t seed) : random_(seed) {}
    Json Next();

private:
    int32_t Pick(int32_t low, int32_t high);
    bool Chance(int percent) { return Pick(1, 100) <= percent; }
    int32_t Index(int32_t count);  // an item or column index, sometimes far out of range
    int32_t AnyLong();
    Json AnyValue();
    std::string Text();

    std::mt19937 random_;
    int32_t items_ = 0;    // what the generator believes; the control has the truth
    int32_t columns_ = 0;
};

// Runs steps on a fresh control (400 x 300 on a form, user mode) and checks the invariants after
// each one. An extra check (for the shrinker's own test) may be given.
std::optional<Violation> RunSteps(const std::vector<Json>& steps,
                                  const ExtraCheck& extra = {});

// The shortest sub-list of steps (removing chunks, then single steps) for which RunSteps still
// reports a violation.
std::vector<Json> Shrink(std::vector<Json> steps,
                         const ExtraCheck& extra = {});

// A scenario file that replays the steps (the runner's defaults match RunSteps' control).
Json ScenarioOf(const std::vector<Json>& steps, const std::string& description);

// Runs of `stepsPerRun` steps drawn from seeds firstSeed, firstSeed + 1, ... A failing run is
// shrunk and written to outDir/random-seed-N.json; its failure (with the scenario) is kept and
// the pass stops there unless keepGoing.
struct SeedsReport {
    uint64_t performed = 0;  // steps of the runs that held
    std::vector<std::string> failures;
};
SeedsReport RunSeeds(uint32_t firstSeed, uint32_t runs, uint32_t stepsPerRun, const std::string& outDir,
                     bool keepGoing = false);

}  // namespace glv::test
