// A scenario file from anywhere, run by the runner for at most 64 steps: whatever it says, the
// run ends with one of the runner's exit statuses and a diagnostic for a failure, never a crash.
#include <filesystem>
#include <sstream>

#include <unistd.h>

#include "apps/scenario/Scenario.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace glv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static const std::filesystem::path scratch = [] {
        auto dir = std::filesystem::temp_directory_path() / ("glv_fuzz_scenario_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        return dir;
    }();
    scenario::RunOptions options;
    options.outDir = scratch;
    options.baseDir = scratch;
    options.maxSteps = 64;
    std::ostringstream events, diagnostics;
    const int status = scenario::RunScenario(std::string_view(reinterpret_cast<const char*>(data), size), options,
                                             events, diagnostics);
    if (status != scenario::kExitPassed && status != scenario::kExitFailed && status != scenario::kExitInvalid)
        fuzz::Broken("exit status " + std::to_string(status));
    if (status != scenario::kExitPassed && diagnostics.str().empty()) fuzz::Broken("a failure without a diagnostic");
    return 0;
}
