// The header gestures and the in-place editor on a 1280 x 800 control with six columns: one
// resize step (a move while resizing and the repaint timer's tick) must cost the page, not the
// list; moving a column moves every item's cells once; a character typed into the open edit box
// goes through the control's key rules and the box's repaint.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "bench/PaintBenchData.h"
#include "control/GlideListView.h"
#include "platform/EditBox.h"
#include "platform/Form.h"

namespace {

using namespace glv;

struct ColumnList {
    Platform platform;
    Container container;
    std::unique_ptr<Form> form;
    std::unique_ptr<GlideListView> list;

    explicit ColumnList(int64_t count) {
        form = std::make_unique<Form>(platform, 1280, 800);
        list = std::make_unique<GlideListView>(platform, container, 1280, 800, form->hwnd());
        list->InitProperties();
        for (int c = 0; c < kPaintBenchColumns; ++c) list->AddColumn("Column " + std::to_string(c + 1), -1, 210);
        LoadPaintBenchRows(*list, count);
        list->SetTopIndex(static_cast<int32_t>(count / 2 + 1));
        list->Refresh();
    }
};

// Column 2's divider held, the pointer moving one pixel right and left; each step is followed by
// the repaint timer's tick (2 ms), which repaints the control.
void BM_ColumnResizeStep(benchmark::State& state) {
    ColumnList in(state.range(0));
    GlideListView& list = *in.list;
    const auto split = static_cast<float>(list.ColumnRecord(2).cHCollXSplit);
    list.OnMouseMove(0, 0, split, 8);
    list.OnMouseDown(1, 0, split, 8);
    float x = split;
    bool right = true;
    for (auto _ : state) {
        x += right ? 1.0f : -1.0f;
        right = !right;
        list.OnMouseMove(1, 0, x, 8);
        in.platform.clock.Advance(2);
    }
    list.OnMouseUp(1, 0, x, 8);
    state.counters["width"] = list.ColumnRecord(2).cHWidth;
}

// MoveColumn(1, 5): every item's own cell and its first four sub-items change places.
void BM_MoveColumn(benchmark::State& state) {
    ColumnList in(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(in.list->MoveColumn(1, 5));
}

// One character typed into the open in-place edit box: ItemKeyPress's rules and the box's
// repaint; a Backspace takes it back, so the text keeps its length.
void BM_InPlaceEditKeystroke(benchmark::State& state) {
    ColumnList in(state.range(0));
    GlideListView& list = *in.list;
    list.EditItem(list.TopIndex() + 3);
    const HWND box = list.ItemEditBox().hwnd();
    list.ItemEditBox().SetSelStart(3);
    for (auto _ : state) {
        in.platform.windows.SendMessage(box, wm::kChar, 'x', 0);
        in.platform.windows.SendMessage(box, wm::kChar, 8, 0);
    }
    state.SetItemsProcessed(state.iterations() * 2);
    state.counters["open"] = list.ItemInEdit();
}

}  // namespace

BENCHMARK(BM_ColumnResizeStep)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MoveColumn)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_InPlaceEditKeystroke)->Arg(1000)->Unit(benchmark::kMicrosecond);
