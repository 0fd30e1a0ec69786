// The sort engine's ordering step on a million prepared keys, beside std::sort of the same keys,
// and the cost of building keys from item texts.
//
//   build/default/bench/glv_bench --benchmark_filter='Sort|Key'

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "bench/SortBenchData.h"
#include "sort/SortCore.h"
#include "sort/SortKeys.h"

namespace glv {
namespace {

void BM_SortCoreString(benchmark::State& state) {
    const auto texts = ColumnTexts(static_cast<size_t>(state.range(0)));
    StringKeys keys;
    for (const std::string& t : texts) keys.Add(t);
    std::vector<int32_t> index(texts.size());
    for (auto _ : state) {
        SortIndexes(keys, index, false);
        benchmark::DoNotOptimize(index.data());
    }
}
BENCHMARK(BM_SortCoreString)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void BM_SortCoreNumeric(benchmark::State& state) {
    const auto keys = NumericKeys(static_cast<size_t>(state.range(0)));
    std::vector<int32_t> index(keys.size());
    for (auto _ : state) {
        SortIndexes(std::span<const int32_t>(keys), index, false);
        benchmark::DoNotOptimize(index.data());
    }
}
BENCHMARK(BM_SortCoreNumeric)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// Baseline: std::sort of a copy of the same prepared string keys (views into the texts).
void BM_StdSortKeys(benchmark::State& state) {
    const auto texts = ColumnTexts(static_cast<size_t>(state.range(0)));
    const std::vector<std::string_view> keys(texts.begin(), texts.end());
    for (auto _ : state) {
        std::vector<std::string_view> work = keys;
        std::sort(work.begin(), work.end());
        benchmark::DoNotOptimize(work.data());
    }
}
BENCHMARK(BM_StdSortKeys)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void BM_StdSortKeysNumeric(benchmark::State& state) {
    const auto keys = NumericKeys(static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        std::vector<int32_t> work = keys;
        std::sort(work.begin(), work.end());
        benchmark::DoNotOptimize(work.data());
    }
}
BENCHMARK(BM_StdSortKeysNumeric)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// Key building from item texts, the other half of a sort's cost.
void BuildKeys(benchmark::State& state, int32_t type, const std::vector<std::string>& texts) {
    const Locale locale;
    for (auto _ : state) {
        SortKeyBuilder keys(type, true, locale);
        keys.Reserve(texts.size(), texts.size() * 16);
        SortFieldValues f;
        for (const std::string& t : texts) {
            f.text = t;
            keys.Add(f);
        }
        benchmark::DoNotOptimize(keys.size());
    }
}

void BM_KeyBuildString(benchmark::State& state) {
    BuildKeys(state, LVSortString, ColumnTexts(static_cast<size_t>(state.range(0))));
}
BENCHMARK(BM_KeyBuildString)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void BM_KeyBuildDouble(benchmark::State& state) {
    std::mt19937 rng(44);
    std::vector<std::string> texts(static_cast<size_t>(state.range(0)));
    for (std::string& t : texts) {
        t = std::to_string(rng() % 10'000'000) + "." + std::to_string(rng() % 100);
    }
    BuildKeys(state, LVSortDouble, texts);
}
BENCHMARK(BM_KeyBuildDouble)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void BM_KeyBuildDateMonth(benchmark::State& state) {
    std::mt19937 rng(45);
    std::vector<std::string> texts(static_cast<size_t>(state.range(0)));
    for (std::string& t : texts) {
        t = std::to_string(1 + rng() % 12) + "/" + std::to_string(1 + rng() % 28) + "/" +
            std::to_string(1990 + rng() % 30) + " " + std::to_string(1 + rng() % 12) + ":30 PM";
    }
    BuildKeys(state, LVSortDateMonthAccuracy, texts);
}
BENCHMARK(BM_KeyBuildDateMonth)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace glv
