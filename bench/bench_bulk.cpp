// Operations over many items at once, with a host handling the events they raise: deleting,
// hiding, asking for the selection, clearing and destroying after a sort, ending the load's
// update, and scrolling a list with every second row hidden. Each must stay near linear, so the
// million-item figure is about ten times the hundred-thousand one (a step of scrolling: the same).
//
//   build/default/bench/glv_bench --benchmark_repetitions=3
//       --benchmark_filter='BM_(Delete|Hide|SelectedItems|ClearItems|Destroy|EndUpdate|ScrollHidden)'

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "control/GlideListView.h"
#include "core/Events.h"
#include "core/Records.h"
#include "platform/WindowSystem.h"
#include "sort/SortTypes.h"

namespace {

using namespace glv;

// A host that handles the delete events the way a real one does: it looks at what it is told.
struct CountingHost : GlideListViewEvents {
    int64_t deleted = 0;
    int64_t asked = 0;
    void BeforeItemDelete(int32_t&, tListItemInfo&, int32_t) override { ++asked; }
    void ItemDeleted(int32_t index) override { deleted += index > 0 ? 1 : 0; }
    void GroupDelete(int32_t) override { ++deleted; }
};

// A shown control of 1280 x 800 with five columns and count rows loaded by AddItemQuick.
struct LoadedList {
    Platform platform;
    Container container;
    std::unique_ptr<GlideListView> list;
    CountingHost host;

    explicit LoadedList(int64_t count, int32_t wheelLines = 3) {
        platform.system.wheelScrollLines = wheelLines;
        list = std::make_unique<GlideListView>(platform, container, 1280, 800);
        list->InitProperties();
        list->SetMultiSelect(true);
        for (int c = 0; c < 5; ++c) list->AddColumn("Column " + std::to_string(c + 1), -1, 200);
        Load(count);
        list->SetEventSink(&host);
    }
    void Load(int64_t count) {
        list->BeginUpdate();
        for (int64_t i = 0; i < count; ++i) {
            const std::string n = std::to_string(i);
            list->AddItemQuick(Variant::Array(
                {Variant("Item " + n), Variant(int32_t{1}), Variant("Size " + n), Variant(int32_t{2}),
                 Variant("Kind " + n), Variant(int32_t{3}), Variant("Date " + n), Variant(int32_t{4}),
                 Variant("Note " + n), Variant(int32_t{5})}));
        }
        list->EndUpdate();
    }
};

// Runs op on a freshly loaded list per iteration; the load is not timed.
template <typename Prepare, typename Op>
void OnFreshList(benchmark::State& state, Prepare prepare, Op op) {
    for (auto _ : state) {
        state.PauseTiming();
        auto loaded = std::make_unique<LoadedList>(state.range(0));
        prepare(*loaded->list);
        state.ResumeTiming();
        op(*loaded);
        state.PauseTiming();
        loaded.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_DeleteSelectedAll(benchmark::State& state) {
    OnFreshList(state, [](GlideListView& list) { list.SetSelectAll(true); },
                [](LoadedList& l) { l.list->ItemsDeleteSelected(); });
}

void BM_DeleteSelectedHalf(benchmark::State& state) {
    OnFreshList(state,
                [](GlideListView& list) {
                    list.BeginUpdate();  // each selection repaints otherwise
                    for (int32_t i = 1; i <= list.ItemCount(); i += 2) list.SetSelectState(i, true);
                    list.EndUpdate();
                },
                [](LoadedList& l) { l.list->ItemsDeleteSelected(); });
}

void BM_DeleteAll(benchmark::State& state) {
    OnFreshList(state, [](GlideListView&) {}, [](LoadedList& l) { l.list->ItemsDeleteAll(); });
}

// Hides every second item one by one, as a host does through cListItem.Visible, inside
// BeginUpdate/EndUpdate as a host hiding many rows does (each call repaints otherwise).
void HideEverySecondRow(GlideListView& list) {
    list.BeginUpdate();
    for (int32_t i = 2; i <= list.ItemCount(); i += 2) list.SetItemVisible(i, false);
    list.EndUpdate();
}

void BM_HideHalf(benchmark::State& state) {
    OnFreshList(state, [](GlideListView&) {}, [](LoadedList& l) { HideEverySecondRow(*l.list); });
}

void BM_SelectedItemsAll(benchmark::State& state) {
    LoadedList loaded(state.range(0));
    loaded.list->SetSelectAll(true);
    for (auto _ : state) benchmark::DoNotOptimize(loaded.list->SelectedItems().size());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The same list, with every copy then read once (the copies are made as they are read).
void BM_SelectedItemsReadAll(benchmark::State& state) {
    LoadedList loaded(state.range(0));
    loaded.list->SetSelectAll(true);
    for (auto _ : state) {
        std::size_t characters = 0;
        for (const tListItemInfo& item : loaded.list->SelectedItems()) characters += item.cLIText.size();
        benchmark::DoNotOptimize(characters);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void SortByFirstColumn(GlideListView& list) { list.SortColumn(1, LVSortOrderDescending); }

// The same two without a sort, for comparison: a sort must not make them dearer.
void BM_ClearItems(benchmark::State& state) {
    OnFreshList(state, [](GlideListView&) {}, [](LoadedList& l) { l.list->ClearItems(); });
}

void BM_Destroy(benchmark::State& state) {
    OnFreshList(state, [](GlideListView&) {}, [](LoadedList& l) { l.list.reset(); });
}

void BM_ClearItemsAfterSort(benchmark::State& state) {
    OnFreshList(state, SortByFirstColumn, [](LoadedList& l) { l.list->ClearItems(); });
}

void BM_DestroyAfterSort(benchmark::State& state) {
    OnFreshList(state, SortByFirstColumn, [](LoadedList& l) { l.list.reset(); });
}

// The EndUpdate that closes a bulk load: it paints and brings the scroll bars up to date.
void BM_EndUpdateAfterLoad(benchmark::State& state) {
    OnFreshList(state, [](GlideListView& list) { list.BeginUpdate(); },
                [](LoadedList& l) { l.list->EndUpdate(); });
}

// Every second row hidden; one wheel notch moves a quarter of the list, then the repaint timer
// paints the new page. Up and down in turn.
void BM_ScrollHiddenRows(benchmark::State& state) {
    const int64_t count = state.range(0);
    LoadedList loaded(count, static_cast<int32_t>(count / 8));
    GlideListView& list = *loaded.list;
    HideEverySecondRow(list);
    int32_t delta = -120;
    for (auto _ : state) {
        const auto high = static_cast<uint32_t>(static_cast<uint16_t>(delta)) << 16;
        loaded.platform.windows.SendMessage(list.hwnd(), wm::kMouseWheel, static_cast<intptr_t>(high), 0);
        loaded.platform.clock.Advance(2);
        delta = -delta;
    }
    state.counters["top"] = list.TopIndex();
}

}  // namespace

#define GLV_BULK_SIZES ->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(1)
BENCHMARK(BM_DeleteSelectedAll) GLV_BULK_SIZES;
BENCHMARK(BM_DeleteSelectedHalf) GLV_BULK_SIZES;
BENCHMARK(BM_DeleteAll) GLV_BULK_SIZES;
BENCHMARK(BM_HideHalf) GLV_BULK_SIZES;
BENCHMARK(BM_SelectedItemsAll) GLV_BULK_SIZES;
BENCHMARK(BM_SelectedItemsReadAll) GLV_BULK_SIZES;
BENCHMARK(BM_ClearItems) GLV_BULK_SIZES;
BENCHMARK(BM_Destroy) GLV_BULK_SIZES;
BENCHMARK(BM_ClearItemsAfterSort) GLV_BULK_SIZES;
BENCHMARK(BM_DestroyAfterSort) GLV_BULK_SIZES;
BENCHMARK(BM_EndUpdateAfterLoad) GLV_BULK_SIZES;
BENCHMARK(BM_ScrollHiddenRows)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
