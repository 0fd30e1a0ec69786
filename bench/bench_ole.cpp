// Drag and drop at scale: an automatic drag start over 100,000 selected rows of five columns (the
// control writes their drag text), and an automatic drop of a 100,000-line text onto an empty
// control, both through the drag session.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "control/GlideListView.h"
#include "input/DragText.h"
#include "platform/DragSession.h"
#include "platform/Form.h"

namespace {

constexpr int32_t kRows = 100000;
constexpr int32_t kColumns = 5;

// A control of five columns on a form.
struct FormList {
    glv::Platform platform;
    glv::Container container;
    std::unique_ptr<glv::Form> form;
    std::unique_ptr<glv::GlideListView> list;

    FormList() {
        form = std::make_unique<glv::Form>(platform, 800, 600);
        list = std::make_unique<glv::GlideListView>(platform, container, 800, 600, form->hwnd());
        list->InitProperties();
        for (int c = 1; c <= kColumns; ++c) list->AddColumn("Column " + std::to_string(c), -1, 150);
    }
};

// "item17,3,a17,1,b17,2,c17,3,d17,4": one row of the AddItemQuick layout.
std::string Row(int32_t i) {
    std::string row = "item" + std::to_string(i) + "," + std::to_string(i % 9);
    for (const char* sub : {"a", "b", "c", "d"}) row += std::string(",") + sub + std::to_string(i) + "," + std::to_string(i % 5);
    return row;
}

void BM_DragTextRowData(benchmark::State& state) {
    FormList f;
    f.list->BeginUpdate();
    for (int32_t i = 1; i <= kRows; ++i) {
        std::vector<glv::Variant> fields;
        glv::ForEachDroppedRow(Row(i), [&](std::span<const std::string_view> row) { fields.assign(row.begin(), row.end()); });
        f.list->AddItemQuick(glv::Variant::Array(std::move(fields)));
    }
    f.list->EndUpdate();
    f.list->ItemsSelectAll();
    f.list->SetOLEDragMode(1);  // automatic: the control writes the drag text itself
    f.list->SetOleDropDataMode(glv::oleDragRowData);
    std::size_t bytes = 0;
    for (auto _ : state) {
        glv::DragSession session(f.platform, *f.form);
        session.Start(f.list->hwnd());
        bytes = session.Data().GetData(glv::DataObject::kTextFormat).AsString().size();
        session.Cancel();
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_DragTextRowData)->Unit(benchmark::kMillisecond);

struct OfferText final : glv::DragSource {
    std::string text;
    void DragStart(glv::DataObject& data, int32_t& allowed) override {
        data.SetData(glv::Variant(text), glv::DataObject::kTextFormat);
        allowed = glv::dropeffect::kMove;
    }
};

void BM_AutomaticDrop(benchmark::State& state) {
    OfferText source;
    for (int32_t i = 1; i <= kRows; ++i) source.text += Row(i) + (i < kRows ? "|" : "");
    for (auto _ : state) {
        state.PauseTiming();
        auto f = std::make_unique<FormList>();
        f->list->SetOLEDropMode(2);
        const glv::HWND window = f->platform.windows.CreateWindow(0, "Source", {0, 0, 0, 0});
        glv::RegisterDragSource(f->platform.windows, window, &source);
        glv::DragSession session(f->platform, *f->form);
        state.ResumeTiming();
        session.Start(window);
        session.Over({100, 100}, 0);
        session.Drop({100, 100}, 0);
        state.PauseTiming();
        if (f->list->ItemCount() != kRows) state.SkipWithError("the drop lost rows");
        f.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AutomaticDrop)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
