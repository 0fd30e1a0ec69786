// The whole control sort on a million items: key building, ordering and moving the records, as
// SortColumn runs it. Compare with BM_StdSortKeys (bench_sort.cpp), std::sort of the same texts
// already prepared as keys.
//
//   build/default/bench/glv_bench --benchmark_filter='BM_Sort(String|Numeric)/|BM_StdSortKeys'

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "bench/SortBenchData.h"
#include "control/GlideListView.h"
#include "sort/SortEngine.h"

namespace glv {
namespace {

// A list of n items loaded with AddItemQuick: column 1 holds the baseline's texts, column 2 the
// numeric keys as text, column 3 a unique zero-padded number in load order. Sorting by column 3
// puts the items back in load order, which is how each timed sort starts from the same order.
struct SortBenchList {
    static constexpr int32_t kRestoreColumn = 3;

    Platform platform;
    Container container;
    std::unique_ptr<GlideListView> list;

    explicit SortBenchList(size_t n) {
        list = std::make_unique<GlideListView>(platform, container);
        list->InitProperties();
        for (int32_t c = 1; c <= 3; ++c) list->AddColumn("Column " + std::to_string(c), -1, 100);
        const std::vector<std::string> texts = ColumnTexts(n);
        const std::vector<int32_t> numbers = NumericKeys(n);
        list->BeginUpdate();
        list->ReserveItems(static_cast<int32_t>(n));
        for (size_t i = 0; i < n; ++i) {
            char order[24];
            std::snprintf(order, sizeof order, "%09zu", i);
            list->AddItemQuick(Variant::Array({Variant(texts[i]), Variant(int32_t{1}),
                                               Variant(std::to_string(numbers[i])), Variant(int32_t{2}),
                                               Variant(order), Variant(int32_t{3})}));
        }
        list->EndUpdate();
    }

    void RestoreLoadOrder() { list->OrderItems(1, list->ItemCount(), kRestoreColumn, LVSortOrderAscending); }
};

void SortByColumn(benchmark::State& state, int32_t column, int32_t sortType) {
    // Loading a million items costs more than a sort: done once, before timing, with a fixed
    // number of iterations so the benchmark is not run again to find one.
    SortBenchList bench(static_cast<size_t>(state.range(0)));
    GlideListView& list = *bench.list;
    list.ColumnForWrite(column).cHSortType = sortType;  // as cColumn.SortType writes it
    for (auto _ : state) {
        state.PauseTiming();
        bench.RestoreLoadOrder();
        state.ResumeTiming();
        list.SortColumn(column, LVSortOrderAscending);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_SortString(benchmark::State& state) { SortByColumn(state, 1, LVSortString); }
BENCHMARK(BM_SortString)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(5);

// Column 2: each key is the leading number of the sub-item text, rounded to a 32-bit integer.
void BM_SortNumeric(benchmark::State& state) { SortByColumn(state, 2, LVSortNumeric); }
BENCHMARK(BM_SortNumeric)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace glv
