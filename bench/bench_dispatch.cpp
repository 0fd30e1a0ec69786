// Reaching items by name: the cost of one scripted field read and write through the dispatch
// layer (find the control through its window, look the member up, convert), and of the bulk
// selection queries over a large list.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "control/GlideListView.h"

namespace {

struct Loaded {
    glv::Platform platform;
    glv::Container container;
    std::unique_ptr<glv::GlideListView> list;
    explicit Loaded(int32_t items) {
        list = std::make_unique<glv::GlideListView>(platform, container);
        list->InitProperties();
        list->AddColumn("a", -1, 100);
        list->AddColumn("b", -1, 100);
        list->BeginUpdate();
        for (int32_t i = 0; i < items; ++i) list->AddItemQuick(glv::Variant("Item " + std::to_string(i)));
        list->EndUpdate();
    }
};

// ListItems.Item(i).Text read, as a script writes it: three dispatch calls, two new objects.
void BM_DispatchItemTextRead(benchmark::State& state) {
    Loaded l(1000);
    const glv::ObjectPtr control = l.list->DispatchObject();
    int32_t i = 0;
    for (auto _ : state) {
        const std::vector<glv::Variant> index{glv::Variant(i % 1000 + 1)};
        glv::ObjectPtr items = control->Invoke("ListItems", glv::CallKind::Get, {}).ToObject();
        glv::ObjectPtr item = items->Invoke("Item", glv::CallKind::Get, index).ToObject();
        benchmark::DoNotOptimize(item->Invoke("Text", glv::CallKind::Get, {}));
        ++i;
    }
}
BENCHMARK(BM_DispatchItemTextRead);

// A held element object: one lookup and one field write (painting off, so no repaint).
void BM_DispatchHeldItemWrite(benchmark::State& state) {
    Loaded l(1000);
    l.list->BeginUpdate();
    const glv::ObjectPtr item = l.list->DispatchObject()
                                    ->Invoke("ListItems", glv::CallKind::Get, {})
                                    .ToObject()
                                    ->Invoke("Item", glv::CallKind::Get, std::vector<glv::Variant>{500})
                                    .ToObject();
    const std::vector<glv::Variant> value{glv::Variant(int32_t{3})};
    for (auto _ : state) item->Invoke("IconIndex", glv::CallKind::Let, value);
}
BENCHMARK(BM_DispatchHeldItemWrite);

// Bulk selection over the whole list and the recount that SelectedIndex does.
void BM_SelectAllAndSelectedIndex(benchmark::State& state) {
    Loaded l(static_cast<int32_t>(state.range(0)));
    for (auto _ : state) {
        l.list->ItemsSelectAll();
        benchmark::DoNotOptimize(l.list->SelectedIndex());
        l.list->ItemsDeselectAll();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SelectAllAndSelectedIndex)->Arg(100000);

}  // namespace
