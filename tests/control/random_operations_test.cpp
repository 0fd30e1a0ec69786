// Seeded random operations over the whole public interface with the invariants checked after
// every step (tests/support/random_operations.h). The CI pass runs a fixed number of steps from
// fixed seeds; GLV_RANDOM_SEED, GLV_RANDOM_RUNS and GLV_RANDOM_STEPS make a longer pass
// (scripts/fuzz-long.sh). A failure is shrunk and written as a scenario file under the test
// output folder, and printed.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "control/GlideListView.h"
#include "tests/support/random_operations.h"

using namespace glv;
using namespace glv::test;

namespace {

uint32_t FromEnvironment(const char* name, uint32_t fallback) {
    const char* text = std::getenv(name);
    return text && *text ? static_cast<uint32_t>(std::strtoul(text, nullptr, 10)) : fallback;
}

}  // namespace

TEST(RandomOperations, SeededRunsKeepEveryInvariant) {
    const uint32_t firstSeed = FromEnvironment("GLV_RANDOM_SEED", 1);
    const uint32_t runs = FromEnvironment("GLV_RANDOM_RUNS", 6);
    const uint32_t stepsPerRun = FromEnvironment("GLV_RANDOM_STEPS", 400);
    const SeedsReport report = RunSeeds(firstSeed, runs, stepsPerRun, GLV_TEST_OUT_DIR);
    for (const std::string& failure : report.failures) ADD_FAILURE() << failure;
    RecordProperty("operations", std::to_string(report.performed));
    std::printf("random operations: %llu steps in %u runs from seed %u\n",
                static_cast<unsigned long long>(report.performed), runs, firstSeed);
}

// The shrinker on a planted fault: "three or more selected rows" stands for a broken invariant.
// It must find a short list that still fails and that the runner accepts as a scenario.
TEST(RandomOperations, AFailingRunShrinksToAShortScenario) {
    std::vector<Json> steps;
    for (int i = 0; i < 30; ++i) steps.push_back({{"call", "ListItems.Add"}, {"args", {"row"}}});
    steps.push_back({{"set", "MultiSelect"}, {"value", true}});
    for (int i = 1; i <= 30; ++i) steps.push_back({{"set", "SelectState(" + std::to_string(i) + ")"}, {"value", true}});
    const ExtraCheck check = [](OperationHost& host) -> std::optional<std::string> {
        if (ControlOf(host).SelectedCount() >= 3) return "three rows selected";
        return std::nullopt;
    };
    const std::vector<Json> shortest = Shrink(steps, check);
    // Three adds, three selections (MultiSelect is not needed for SelectState).
    EXPECT_LE(shortest.size(), 7u);
    EXPECT_TRUE(RunSteps(shortest, check).has_value());
    EXPECT_FALSE(RunSteps(shortest).has_value()) << "the planted fault is the only one";
    EXPECT_EQ(ScenarioOf(shortest, "x")["steps"].size(), shortest.size());
}

// Every indexed member at the ends of the 32-bit range and just outside the list: the documented
// error or the documented quiet handling, the state unchanged after an error, every invariant
// holding (RunSteps checks all three after each step).
TEST(RandomOperations, EveryIndexedMemberAtTheEndsOfItsRange) {
    std::vector<Json> steps = {{{"call", "Columns.Add"}, {"args", {"a", nullptr, 80}}},
                               {{"call", "Columns.Add"}, {"args", {"b", nullptr, 80}}},
                               {{"call", "ListItems.Add"}, {"args", {"one"}}},
                               {{"call", "ListItems.Add"}, {"args", {"two"}}},
                               {{"call", "ListItems.Add"}, {"args", {"three"}}}};
    const std::vector<std::string> reads = {"ListItems.Item(%)", "Columns.Item(%)", "SelectState(%)", "CheckedState(%)",
                                            "Selected(%)", "ListItems.Item(1).SubItems.Item(%)", "Columns.Exists(%)"};
    const std::vector<std::string> calls = {"ListItems.Remove", "Columns.Remove", "EnsureVisible", "Columns.Item(%).Sort",
                                            "hWndToolTip", "ItemsCheckAll"};
    const std::vector<std::string> writes = {"TopIndex", "SortedColumn", "SelectState(%)", "CheckedState(%)",
                                             "Selected(%)", "ListItems.Item(%).Text", "Columns.Item(%).Width",
                                             "ListItems.Item(%).SubItems.Item(1).Text", "ListItems.Item(1).SubItems.Item(%).Text"};
    for (const int32_t index : {INT32_MIN, INT32_MAX, -1, 0, 4, 3}) {
        const auto at = [&](std::string path) {
            if (const auto mark = path.find('%'); mark != std::string::npos) path.replace(mark, 1, std::to_string(index));
            return path;
        };
        for (const std::string& path : reads) steps.push_back({{"get", at(path)}});
        for (const std::string& path : calls)
            steps.push_back(path.find('%') != std::string::npos ? Json{{"call", at(path)}, {"args", {1}}}
                                                                : Json{{"call", path}, {"args", {index}}});
        for (const std::string& path : writes)
            steps.push_back(path.find('%') != std::string::npos ? Json{{"set", at(path)}, {"value", true}}
                                                                : Json{{"set", path}, {"value", index}});
        for (const char* pair : {"ItemsSelectRange", "FindNextVisibleItem", "VisibleItemsRange", "OffsetTopIndex"})
            steps.push_back({{"call", pair}, {"args", {index, index}}});
        steps.push_back({{"call", "ListItems.Insert"}, {"args", {index, "new"}}});
        steps.push_back({{"call", "FindVisibleItemByRange"}, {"args", {index, index, index}}});
    }
    const auto violation = RunSteps(steps);
    EXPECT_FALSE(violation.has_value()) << (violation ? "step " + std::to_string(violation->step + 1) + " " +
                                                            steps[violation->step].dump() + ": " + violation->what
                                                      : "");
}
