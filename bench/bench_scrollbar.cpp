// Scroll bar painting: a repaint composes the bar from the part strip with block copies, which
// drags and auto-repeat pay on every step; building the strip is paid on theme or size changes.
#include <benchmark/benchmark.h>

#include "platform/Container.h"
#include "platform/Platform.h"
#include "scrollbar/ScrollBar.h"
#include "scrollbar/ScrollPainter.h"

namespace {

using namespace glv;

void BM_ScrollBarCompose(benchmark::State& state) {
    const auto length = static_cast<int32_t>(state.range(0));
    PartStrip strip(ScrollAxis::Vertical);
    strip.Resize(17, length);
    strip.Build(0);
    Surface bar(17, length);
    BarPaintState look;
    look.thumbStart = length / 3;
    look.thumbLength = length / 4;
    look.hotPart = hotpart::kThumbPressed;
    for (auto _ : state) {
        strip.Compose(bar, look);
        benchmark::DoNotOptimize(bar.Pixels());
    }
}
BENCHMARK(BM_ScrollBarCompose)->Arg(300)->Arg(1200);

void BM_ScrollBarStripBuild(benchmark::State& state) {
    const auto length = static_cast<int32_t>(state.range(0));
    PartStrip strip(ScrollAxis::Vertical);
    strip.Resize(17, length);
    for (auto _ : state) benchmark::DoNotOptimize(strip.Build(1));
}
BENCHMARK(BM_ScrollBarStripBuild)->Arg(300)->Arg(1200);

// One step of a thumb drag as the bar handles it: the pointer message, the new value, the
// repaint and the event.
void BM_ScrollBarDragStep(benchmark::State& state) {
    Platform platform;
    Container container;
    GlideVScroll bar(platform, container, 0, {0, 0, 17, 800});
    bar.SetItemsVisible(40);
    bar.SetTotalItems(100000);
    bar.SetMax(99961);
    platform.system.cursorY = 30;
    platform.windows.SendMessage(bar.hwnd(), wm::kLButtonDown);
    int32_t y = 30;
    for (auto _ : state) {
        y = y >= 760 ? 30 : y + 1;
        platform.system.cursorY = y;
        platform.windows.SendMessage(bar.hwnd(), wm::kMouseMove);
    }
    benchmark::DoNotOptimize(bar.Value());
}
BENCHMARK(BM_ScrollBarDragStep);

}  // namespace
