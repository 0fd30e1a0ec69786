// The viewer's frame while the thumb is dragged over a million rows: the control's part (the
// pointer delivered through the form, the clock moved by a frame's time so the repaint timer
// ticks, and the paints it causes), and composing the frame the window uploads.
#include <benchmark/benchmark.h>

#include <sstream>

#include "apps/scenario/Scenario.h"
#include "apps/viewer/Viewer.h"

namespace {

using glv::Form;

constexpr int32_t kWidth = 1280, kHeight = 800;
constexpr int64_t kFrameMs = 16;  // one frame of a 60 Hz screen

// Runs the body on a 1280 x 800 viewer holding a million five-column rows.
void WithMillionRows(const std::function<void(glv::viewer::Viewer&)>& body) {
    glv::scenario::RunOptions options;
    options.handOver = [&](glv::scenario::Host& host) {
        glv::GlideListView& list = *host.control;
        for (int c = 0; c < 5; ++c) list.AddColumn("Column " + std::to_string(c + 1), -1, 200);
        list.BeginUpdate();
        for (int i = 0; i < 1'000'000; ++i) {
            const std::string n = std::to_string(i);
            list.AddItemQuick(glv::Variant::Array(
                {glv::Variant("Item " + n), glv::Variant(int16_t{-1}), glv::Variant(n), glv::Variant(int16_t{0}),
                 glv::Variant("Sub B " + n), glv::Variant(int16_t{0}), glv::Variant("3/2/2024 9:14 AM"),
                 glv::Variant(int16_t{0}), glv::Variant("category"), glv::Variant(int16_t{0})}));
        }
        list.EndUpdate();
        glv::viewer::ViewerEvents events(nullptr);
        glv::viewer::Viewer viewer(host, events);
        body(viewer);
        return 0;
    };
    std::ostringstream events, diagnostics;
    glv::scenario::RunScenario(R"({"size": [1280, 800]})", options, events, diagnostics);
}

void BM_ViewerThumbDragFrame(benchmark::State& state) {
    WithMillionRows([&](glv::viewer::Viewer& viewer) {
        int64_t now = 0;
        viewer.AdvanceTo(now);
        // The thumb sits just below the up arrow of the bar at the right edge.
        const int32_t x = kWidth - 8;
        viewer.Pointer(Form::PointerAction::Move, x, 22, 1, 0);
        viewer.Pointer(Form::PointerAction::Down, x, 22, 1, 0);
        int32_t y = 22;
        for (auto _ : state) {
            y = y >= kHeight - 40 ? 22 : y + 7;
            viewer.Pointer(Form::PointerAction::Move, x, y, 1, 0);
            viewer.AdvanceTo(now += kFrameMs);
        }
        state.counters["top_index"] = viewer.Control().TopIndex();
        viewer.Pointer(Form::PointerAction::Up, x, y, 1, 0);
    });
}

void BM_ViewerComposeFrame(benchmark::State& state) {
    WithMillionRows([&](glv::viewer::Viewer& viewer) {
        viewer.Compose();
        for (auto _ : state) benchmark::DoNotOptimize(viewer.Compose());
    });
}

}  // namespace

BENCHMARK(BM_ViewerThumbDragFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ViewerComposeFrame)->Unit(benchmark::kMicrosecond);
