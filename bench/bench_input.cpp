// Gestures on a 1280 x 800 control with six columns, at 1000 and 1000000 items: a gesture may
// cost its page and the rows it selects, never the list. Each one includes the repaints it causes.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "bench/PaintBenchData.h"
#include "control/GlideListView.h"
#include "input/Keyboard.h"

namespace {

struct InputList {
    glv::Platform platform;
    glv::Container container;
    std::unique_ptr<glv::GlideListView> list;

    explicit InputList(int64_t count) {
        list = std::make_unique<glv::GlideListView>(platform, container, 1280, 800);
        list->InitProperties();
        for (int c = 0; c < glv::kPaintBenchColumns; ++c)
            list->AddColumn("Column " + std::to_string(c + 1), -1, 210);
        glv::LoadPaintBenchRows(*list, count);
        list->SetTopIndex(static_cast<int32_t>(count / 2 + 1));  // the middle of the list
        list->Refresh();
    }
    // The middle of a row of the page, as the last paint placed it.
    float RowY(int32_t offset) const {
        const int32_t row = list->TopIndex() + offset;
        return static_cast<float>(list->ItemRecord(row).cLIItemY + 5);
    }
    void Click(float y, int16_t shift = 0) {
        list->OnMouseMove(0, shift, 40, y);
        list->OnMouseDown(1, shift, 40, y);
        list->OnMouseUp(1, shift, 40, y);
        list->OnClick();
    }
};

// A plain click selecting another row each time: press, release, click.
void BM_ClickSelect(benchmark::State& state) {
    InputList in(state.range(0));
    int32_t offset = 0;
    for (auto _ : state) {
        in.Click(in.RowY(offset));
        offset = (offset + 7) % 20;
    }
}

// Down: key down and key up, moving the single selection one row (and back up on the way).
void BM_KeyDownArrow(benchmark::State& state) {
    InputList in(state.range(0));
    in.Click(in.RowY(5));
    bool down = true;
    int32_t moves = 0;
    for (auto _ : state) {
        int16_t key = down ? glv::vk::kDown : glv::vk::kUp;
        in.list->OnKeyDown(key, 0);
        in.list->OnKeyUp(key, 0);
        if (++moves == 10) {
            moves = 0;
            down = !down;
        }
    }
}

// A Shift-click extending the selection by 10 rows from a fresh single selection.
void BM_ShiftClick(benchmark::State& state) {
    InputList in(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        in.Click(in.RowY(2));
        state.ResumeTiming();
        in.Click(in.RowY(12), 1);
    }
}

// Every item selected, then one plain click (twice: the first press on a selected row keeps
// the selection), leaving that row alone selected.
void BM_SelectAllThenClick(benchmark::State& state) {
    InputList in(state.range(0));
    for (auto _ : state) {
        in.list->ItemsSelectAll();
        in.Click(in.RowY(3));
        in.Click(in.RowY(4));
    }
    state.counters["selected"] = static_cast<double>(in.list->SelectedCount());
}

}  // namespace

BENCHMARK(BM_ClickSelect)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_KeyDownArrow)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ShiftClick)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SelectAllThenClick)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond);
