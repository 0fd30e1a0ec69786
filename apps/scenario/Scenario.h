#pragma once
// The scenario runner: creates one GlideListView as a scenario file describes, drives it step
// by step through its dispatch interface and checks what happens.
//
// Event lines go to the events stream as the control raises them, and nothing else does;
// diagnostics go to the diagnostics stream. The result is the exit status of `glv run`:
//   0  every expectation held
//   1  an expectation failed ("step N: expected ... found ..."); the run stops there
//   2  the file is not a valid scenario (bad JSON, unknown verb or member, arguments of the
//      wrong shape), with a message naming the step

#include <cstddef>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <string_view>

#include "platform/Variant.h"

namespace glv {
class GlideListView;
}

namespace glv::scenario {

inline constexpr int kExitPassed = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitInvalid = 2;

struct RunOptions {
    std::filesystem::path outDir = "glv-out";  // where snapshots are written
    std::filesystem::path baseDir = ".";       // files named in the scenario are relative to it
    // The object paths start at. Empty: the control's own dispatch object. Tests put a double here.
    std::function<ObjectPtr(GlideListView&)> rootObject;
    // Runs only the first maxSteps steps (0: all of them), so a file from an untrusted source
    // (the fuzz target) runs in bounded time; the outcome is that of the steps run.
    std::size_t maxSteps = 0;
};

// Runs a scenario given as text.
int RunScenario(std::string_view text, const RunOptions& options, std::ostream& events,
                std::ostream& diagnostics);

// Runs a scenario file; its folder becomes the base folder.
int RunScenarioFile(const std::filesystem::path& file, RunOptions options, std::ostream& events,
                    std::ostream& diagnostics);

}  // namespace glv::scenario
