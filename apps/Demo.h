#pragma once
// glv demo: renders the showcase pictures by running the scenario files shipped with the
// project (apps/showcase/*.json) through the scenario runner.
#include <filesystem>
#include <iosfwd>

namespace glv::demo {

// Runs every showcase scenario in name order, writing their snapshots into outDir, and prints
// the path of each picture written. Returns 0 when every scenario passed, else the first
// failing scenario's exit status (the others still run).
int RunDemo(const std::filesystem::path& showcaseDir, const std::filesystem::path& outDir,
            std::ostream& out, std::ostream& diagnostics);

}  // namespace glv::demo
