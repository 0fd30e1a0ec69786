// Scrolling a big list by its thumb: each pointer step moves the bar, scrolls the list and
// repaints both. Only the page is laid out and painted, so a step costs the same for a thousand
// rows as for a million.
//
//   build/default/bench/glv_bench --benchmark_filter=ListThumbDrag

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "bench/PaintBenchData.h"
#include "control/GlideListView.h"
#include "platform/Form.h"
#include "scrollbar/ScrollBar.h"

namespace {

using namespace glv;

struct DraggedList {
    Platform platform;
    Container container;
    std::unique_ptr<Form> form;
    std::unique_ptr<GlideListView> list;

    explicit DraggedList(int64_t count) {
        form = std::make_unique<Form>(platform, 1280, 800);
        list = std::make_unique<GlideListView>(platform, container, 1280, 800, form->hwnd());
        list->InitProperties();
        for (int c = 0; c < kPaintBenchColumns; ++c)
            list->AddColumn("Column " + std::to_string(c + 1), -1, 200);
        LoadPaintBenchRows(*list, count);
    }
};

void BM_ListThumbDrag(benchmark::State& state) {
    DraggedList dragged(state.range(0));
    GlideListView& list = *dragged.list;
    Form& form = *dragged.form;
    const WindowPlacement bar = list.VScrollBar().Placement();
    const int32_t x = bar.x + bar.width / 2;
    // The thumb sits just under the upper arrow, which is as long as the bar is wide.
    const int32_t top = bar.y + bar.width + 2;
    const int32_t bottom = bar.y + bar.height - bar.width;
    form.Pointer(Form::PointerAction::Move, x, top);
    form.Pointer(Form::PointerAction::Down, x, top);
    int32_t y = top;
    int32_t step = 1;
    int64_t lastTop = 0;
    for (auto _ : state) {
        // End to end and back, one pixel a step.
        if (y + step > bottom || y + step < top) step = -step;
        y += step;
        form.Pointer(Form::PointerAction::Move, x, y);
        // The list repaints on its 2 ms timer while the thumb is held.
        dragged.platform.clock.Advance(2);
        lastTop = list.TopIndex();
        benchmark::DoNotOptimize(lastTop);
    }
    form.Pointer(Form::PointerAction::Up, x, y);
    state.counters["rows"] = static_cast<double>(list.ItemCountPerPage() + 1);
    state.counters["top_at_end"] = static_cast<double>(lastTop);
}
BENCHMARK(BM_ListThumbDrag)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

}  // namespace
