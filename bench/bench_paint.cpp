// One paint pass of a 1280 x 800 control with six columns of text: the cost must follow the
// page, not the list, so 1000 and 1000000 items should take the same time.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <string>

#include "core/GlideListView.h"

namespace {

struct PaintedList {
    glv::Platform platform;
    glv::Container container;
    std::unique_ptr<glv::GlideListView> list;

    explicit PaintedList(int64_t count) {
        list = std::make_unique<glv::GlideListView>(platform, container, 1280, 800);
        list->InitProperties();
        for (int c = 0; c < 6; ++c) list->AddColumn("Column " + std::to_string(c + 1), -1, 210);
        list->BeginUpdate();
        for (int64_t i = 0; i < count; ++i) {
            // Numbers of one width, so both list sizes draw the same number of glyphs.
            std::string n = std::to_string(i);
            n.insert(0, 7 - std::min<std::size_t>(n.size(), 7), '0');
            list->AddItemQuick(glv::Variant::Array(
                {glv::Variant("Item " + n), glv::Variant(int32_t{-1}), glv::Variant("Size " + n),
                 glv::Variant(int32_t{-1}), glv::Variant("Kind " + n), glv::Variant(int32_t{-1}),
                 glv::Variant("Date " + n), glv::Variant(int32_t{-1}), glv::Variant("Owner " + n),
                 glv::Variant(int32_t{-1}), glv::Variant("Note " + n), glv::Variant(int32_t{-1})}));
        }
        list->EndUpdate();
        // The middle of the list, so the page is not the list's start.
        list->view().topIndex = static_cast<int32_t>(count / 2 + 1);
        list->Refresh();  // warms the glyphs of this page
    }
};

void BM_PaintPass(benchmark::State& state) {
    PaintedList painted(state.range(0));
    for (auto _ : state) {
        painted.list->Refresh();
        benchmark::DoNotOptimize(painted.list->surface().Pixels());
    }
    state.counters["rows"] = static_cast<double>(painted.list->ItemCountPerPage() + 1);
}

}  // namespace

BENCHMARK(BM_PaintPass)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
