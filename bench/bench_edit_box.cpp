// The edit box answering one typed character, its repaint included: the list's in-place
// editor must keep up with the fastest typist on a long item text.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/EditBox.h"
#include "platform/Form.h"

namespace {

using namespace glv;

// Each iteration types one character and takes it back with Backspace, so the text keeps its
// length; the time per item is one keystroke with its repaint.
void BM_EditBoxKeystroke(benchmark::State& state) {
    Platform platform;
    Form form(platform, 400, 100);
    const HWND list = platform.windows.CreateWindow(form.hwnd(), "List", {0, 0, 400, 100});
    EditBox box(platform, list);
    box.Place({10, 10, 200, 15});
    box.SetText(std::string(static_cast<size_t>(state.range(0)), 'w'));
    box.Focus();
    box.SetSelStart(box.Length() / 2);
    for (auto _ : state) {
        platform.windows.SendMessage(box.hwnd(), wm::kChar, 'x', 0);
        platform.windows.SendMessage(box.hwnd(), wm::kChar, 8, 0);
    }
    state.SetItemsProcessed(state.iterations() * 2);
    benchmark::DoNotOptimize(box.Picture().Pixels()[0]);
}
BENCHMARK(BM_EditBoxKeystroke)->Arg(30)->Arg(200);

}  // namespace
