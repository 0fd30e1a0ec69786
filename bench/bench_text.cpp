// Text drawing and measuring with warm glyph caches: the per-string cost a paint pass pays.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "platform/Text.h"

namespace {

using namespace glv;

const std::string kThirty = "Invoice 2024-0173 Smith & Sons";  // 30 characters

void BM_DrawText30(benchmark::State& state) {
    TextEngine engine;
    Surface surface(400, 40, RGB(255, 255, 255));
    const FontSpec font;
    for (auto _ : state) {
        RECT rc{2, 2, 398, 38};
        benchmark::DoNotOptimize(
            engine.DrawText(surface, font, kThirty, rc, DT_NOPREFIX, RGB(0, 0, 0)));
    }
    state.counters["glyphs_rasterised"] = static_cast<double>(engine.GlyphsRasterised());
}
BENCHMARK(BM_DrawText30);

void BM_DrawText30WordEllipsis(benchmark::State& state) {
    TextEngine engine;
    Surface surface(400, 40, RGB(255, 255, 255));
    const FontSpec font;
    for (auto _ : state) {
        RECT rc{2, 2, 90, 38};  // too narrow: the cut is searched every time
        benchmark::DoNotOptimize(
            engine.DrawText(surface, font, kThirty, rc, DT_WORD_ELLIPSIS, RGB(0, 0, 0)));
    }
}
BENCHMARK(BM_DrawText30WordEllipsis);

void BM_Measure30(benchmark::State& state) {
    TextEngine engine;
    const FontSpec font;
    for (auto _ : state) benchmark::DoNotOptimize(engine.GetTextExtentPoint32(font, kThirty));
}
BENCHMARK(BM_Measure30);

// A report view's page: 50 rows of 6 cells on a 1280 x 800 surface, each cell measured and
// drawn with word ellipsis, as the row painters do.
void BM_PageOfCells(benchmark::State& state) {
    TextEngine engine;
    Surface surface(1280, 800, RGB(255, 255, 255));
    const FontSpec font;
    std::vector<std::string> texts;
    for (int i = 0; i < 300; ++i)
        texts.push_back("Cell " + std::to_string(i) + (i % 3 == 0 ? " with a longer caption" : ""));
    for (auto _ : state) {
        for (int row = 0; row < 50; ++row) {
            for (int col = 0; col < 6; ++col) {
                const std::string& text = texts[static_cast<size_t>(row * 6 + col)];
                benchmark::DoNotOptimize(engine.GetTextExtentPoint32(font, text));
                RECT rc{col * 212 + 4, row * 16, col * 212 + 210, row * 16 + 14};
                engine.DrawText(surface, font, text, rc, DT_WORD_ELLIPSIS, RGB(0, 0, 0));
            }
        }
    }
    state.counters["glyphs_rasterised"] = static_cast<double>(engine.GlyphsRasterised());
}
BENCHMARK(BM_PageOfCells)->Unit(benchmark::kMicrosecond);

}  // namespace
