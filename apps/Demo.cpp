#include "apps/Demo.h"

#include <algorithm>
#include <map>
#include <ostream>
#include <sstream>
#include <system_error>
#include <vector>

#include "apps/scenario/Scenario.h"

namespace glv::demo {

namespace fs = std::filesystem;

namespace {

// The pictures in a folder with their last write times, to tell which ones a run wrote.
std::map<fs::path, fs::file_time_type> Pictures(const fs::path& dir) {
    std::map<fs::path, fs::file_time_type> pictures;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(dir, ec))
        if (entry.path().extension() == ".png") pictures[entry.path()] = entry.last_write_time(ec);
    return pictures;
}

}  // namespace

int RunDemo(const fs::path& showcaseDir, const fs::path& outDir, std::ostream& out,
            std::ostream& diagnostics) {
    std::vector<fs::path> files;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(showcaseDir, ec))
        if (entry.path().extension() == ".json") files.push_back(entry.path());
    if (ec || files.empty()) {
        diagnostics << "glv demo: no showcase scenarios in " << showcaseDir.string() << "\n";
        return scenario::kExitInvalid;
    }
    std::sort(files.begin(), files.end());
    fs::create_directories(outDir, ec);

    int status = scenario::kExitPassed;
    for (const fs::path& file : files) {
        const auto before = Pictures(outDir);
        // The showcase is about pictures: the events the scenarios raise are not shown.
        std::ostringstream events;
        scenario::RunOptions options;
        options.outDir = outDir;
        const int result = scenario::RunScenarioFile(file, options, events, diagnostics);
        if (result != scenario::kExitPassed) {
            diagnostics << "glv demo: " << file.filename().string() << " exited with " << result
                        << "\n";
            if (status == scenario::kExitPassed) status = result;
        }
        for (const auto& [picture, time] : Pictures(outDir)) {
            const auto it = before.find(picture);
            if (it == before.end() || it->second != time) out << "wrote " << picture.string() << "\n";
        }
    }
    return status;
}

}  // namespace glv::demo
