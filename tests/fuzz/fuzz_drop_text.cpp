// Text dropped from another application, through the real path: a drag session started from a
// window of the form, moved over the control and released there, with OLEDropMode automatic.
// The first byte gives the column count (b % 5) and what the data object holds (b / 5 % 8:
// 0..5 the rest of the input as text, 6 a Double read from it, 7 a value of another type);
// the rest is the dropped value.
//
// A text adds exactly the rows the drop rules make of it, at the end, whatever it holds; a
// value of another type adds at most one row; the drag completes and the list paints.
#include <vector>

#include "input/DragText.h"
#include "platform/DragSession.h"
#include "platform/Form.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace glv;

namespace {

struct ValueSource final : DragSource {
    Variant value;
    int32_t completed = -1;
    void DragStart(DataObject& data, int32_t& allowed) override {
        data.SetData(value, DataObject::kTextFormat);
        allowed = dropeffect::kCopy | dropeffect::kMove;
    }
    void DragComplete(int32_t effect) override { completed = effect; }
};

struct DropHost {
    Platform platform;
    Container container;
    Form form{platform, 260, 160};
    std::unique_ptr<GlideListView> control;
    ValueSource source;
    HWND sourceWindow = 0;
    std::unique_ptr<DragSession> session;

    DropHost() {
        container.UserMode = true;
        control = std::make_unique<GlideListView>(platform, container, 200, 140, form.hwnd());
        control->InitProperties();
        control->SetOLEDropMode(2);
        sourceWindow = platform.windows.CreateWindow(0, "Source", {0, 0, 0, 0});
        RegisterDragSource(platform.windows, sourceWindow, &source);
        session = std::make_unique<DragSession>(platform, form);
    }
};

Variant OtherValue(fuzz::Reader& in) {
    switch (in.Byte() % 6) {
        case 0: return Variant::Null();
        case 1: return Variant();
        case 2: return Variant(in.Byte() % 2 == 1);
        case 3: return Variant::Date(in.Raw<double>());
        case 4: return Variant(in.Raw<int32_t>());
        default: {
            std::vector<Variant> items(in.Byte() % 4);
            for (Variant& item : items) item = Variant(in.Text(16));
            return Variant::Array(std::move(items));
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static DropHost host;
    GlideListView& list = *host.control;
    fuzz::Reader in(data, size);
    list.ClearAll();
    const uint8_t pick = in.Byte();
    for (int c = pick % 5; c > 0; --c) list.AddColumn("c", -1, 40);
    const int kind = pick / 5 % 8;
    std::optional<std::size_t> rows;  // known for a text
    if (kind <= 5) {
        const std::string_view text = in.Rest();
        rows = DroppedRowCount(text);
        host.source.value = Variant(text);
    } else {
        host.source.value = kind == 6 ? Variant(in.Raw<double>()) : OtherValue(in);
    }

    host.source.completed = -1;
    if (!host.session->Start(host.sourceWindow)) fuzz::Broken("the drag did not start");
    host.session->Over({60, 60}, 0);
    host.session->Drop({60, 60}, 0);
    if (host.session->Active() || host.source.completed < 0) fuzz::Broken("the drag did not complete");

    const auto added = static_cast<std::size_t>(list.ItemCount());
    if (rows ? added != *rows : added > 1) fuzz::Broken("the drop added " + std::to_string(added) + " rows");
    list.Refresh();
    return 0;
}
