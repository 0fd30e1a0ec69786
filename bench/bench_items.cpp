// Bulk loading: AddItemQuick inside BeginUpdate/EndUpdate, five columns a row.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <memory>
#include <string>

#include "control/GlideListView.h"
#include "platform/LargeBlocks.h"

namespace {

// The heap in use plus the large blocks the item store maps itself.
std::size_t MemoryInUse() {
    return mallinfo2().uordblks + mallinfo2().hblkhd + glv::LargeBlockResource::Instance().MappedBytes();
}

void BM_AddItemQuick(benchmark::State& state) {
    const int64_t count = state.range(0);
    // The rows are made before timing starts: the host's data, not the control's work.
    std::vector<glv::Variant> rows;
    rows.reserve(static_cast<std::size_t>(count));
    for (int64_t i = 0; i < count; ++i) {
        const std::string n = std::to_string(i);
        rows.push_back(glv::Variant::Array({glv::Variant("Item " + n), glv::Variant(int32_t{1}),
                                            glv::Variant("Sub A " + n), glv::Variant(int32_t{2}),
                                            glv::Variant("Sub B " + n), glv::Variant(int32_t{3}),
                                            glv::Variant("Sub C " + n), glv::Variant(int32_t{4}),
                                            glv::Variant("Sub D " + n), glv::Variant(int32_t{5})}));
    }
    double bytesPerItem = 0;
    for (auto _ : state) {
        state.PauseTiming();
        glv::Platform platform;
        glv::Container container;
        auto list = std::make_unique<glv::GlideListView>(platform, container);
        list->InitProperties();
        for (int c = 0; c < 5; ++c) list->AddColumn("Column " + std::to_string(c), -1, 100);
        const std::size_t before = MemoryInUse();
        state.ResumeTiming();

        list->BeginUpdate();
        for (const glv::Variant& row : rows) list->AddItemQuick(row);
        list->EndUpdate();

        state.PauseTiming();
        bytesPerItem = static_cast<double>(MemoryInUse() - before) / static_cast<double>(count);
        list.reset();
        state.ResumeTiming();
    }
    state.counters["bytes_per_item"] = bytesPerItem;
    state.SetItemsProcessed(state.iterations() * count);
}

}  // namespace

BENCHMARK(BM_AddItemQuick)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);
