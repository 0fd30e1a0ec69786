// Text dropped from another application becomes rows through AddItemQuick and InsertItemQuick:
// arrays of fields (text, icon, per column) built from the input, with values of every type a
// host can hand over. Every call either adds a row, inserts one, or changes nothing; no other
// outcome, and the control keeps painting.
#include <vector>

#include "platform/AutomationError.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace glv;

namespace {

Variant Value(fuzz::Reader& in, int depth) {
    switch (in.Byte() % 11) {
        case 0: return Variant(in.Text(40));
        case 1: return Variant(in.Raw<int32_t>());
        case 2: return Variant(in.Raw<int16_t>());
        case 3: return Variant(in.Raw<double>());
        case 4: return Variant(in.Raw<float>());
        case 5: return Variant(in.Byte() % 2 == 1);
        case 6: return Variant::Null();
        case 7: return Variant();
        case 8: return Variant::Date(in.Raw<double>());
        case 9: return Variant::Missing();
        default: {
            if (depth > 1) return Variant(in.Text(8));
            std::vector<Variant> items(in.Byte() % 8);
            for (Variant& item : items) item = Value(in, depth + 1);
            return Variant::Array(std::move(items), in.Byte() % 3 - 1);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static fuzz::Host host(200, 140);
    GlideListView& list = *host.control;
    fuzz::Reader in(data, size);
    list.ClearAll();
    for (int c = in.Byte() % 5; c > 0; --c) list.AddColumn("c", -1, 40);
    while (!in.Done() && list.ItemCount() < 200) {
        const int32_t before = list.ItemCount();
        const bool insert = in.Byte() % 4 == 0;
        std::vector<Variant> fields(in.Byte() % 12);
        for (Variant& field : fields) field = Value(in, 1);
        const Variant item = in.Byte() % 8 == 0 ? Value(in, 2) : Variant::Array(std::move(fields));
        try {
            insert ? list.InsertItemQuick(item) : list.AddItemQuick(item);
        } catch (const AutomationError&) {
            if (list.ItemCount() != before) fuzz::Broken("a failed add changed the item count");
        }
        const int32_t after = list.ItemCount();
        if (after != before && after != before + 1) fuzz::Broken("one call added more than one row");
    }
    list.Refresh();
    return 0;
}
