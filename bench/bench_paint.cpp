// One paint pass of a 1280 x 800 control with six columns of text: the cost must follow the
// page, not the list, so 1000 and 1000000 items should take the same time.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>
#include <string>

#include "bench/PaintBenchData.h"
#include "control/GlideListView.h"
#include "platform/ImageList.h"

namespace {

struct PaintedList {
    glv::Platform platform;
    glv::Container container;
    std::unique_ptr<glv::GlideListView> list;

    // With icons, every row also has a check box in its first column and a 16 x 16 icon in
    // each of its other cells.
    PaintedList(int64_t count, bool icons) {
        list = std::make_unique<glv::GlideListView>(platform, container, 1280, 800);
        list->InitProperties();
        if (icons) {
            list->SetCheckBoxes(true);
            const auto handle = platform.imageLists.Register(glv::MakeSyntheticImageList(16, 16, 8));
            list->SetImageList(glv::Variant(int32_t{2}), glv::Variant(static_cast<int32_t>(handle)));
        }
        for (int c = 0; c < glv::kPaintBenchColumns; ++c)
            list->AddColumn("Column " + std::to_string(c + 1), -1, 210);
        glv::LoadPaintBenchRows(*list, count, icons ? 3 : -1);
        // The middle of the list, so the page is not the list's start.
        list->SetTopIndex(static_cast<int32_t>(count / 2 + 1));
        list->Refresh();  // warms the glyphs of this page
    }
};

void PaintPasses(benchmark::State& state, bool icons) {
    PaintedList painted(state.range(0), icons);
    for (auto _ : state) {
        painted.list->Refresh();
        benchmark::DoNotOptimize(painted.list->surface().Pixels());
    }
    state.counters["rows"] = static_cast<double>(painted.list->ItemCountPerPage() + 1);
}

void BM_PaintPass(benchmark::State& state) { PaintPasses(state, false); }
void BM_PaintPassIconsAndChecks(benchmark::State& state) { PaintPasses(state, true); }

// The floor a paint pass is measured against: one copy of a whole 1280 x 800 frame.
void BM_FrameMemcpy(benchmark::State& state) {
    std::vector<uint32_t> from(1280 * 800, 0xFFFFFFFFu), to(1280 * 800);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size() * sizeof(uint32_t));
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}

}  // namespace

BENCHMARK(BM_FrameMemcpy)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaintPass)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaintPassIconsAndChecks)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
