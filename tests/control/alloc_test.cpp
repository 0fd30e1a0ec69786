// Steady-state text drawing allocates nothing: a paint pass of many cells must not touch the
// heap once glyphs and faces are cached. Counts operator new calls made on this thread while
// a probe is active.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "control/GlideListView.h"
#include "platform/Text.h"
#include "tests/support/control_access.h"

// The replacement pair below matches malloc with free; GCC cannot see that through inlining.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

namespace {
thread_local bool counting = false;
thread_local long allocations = 0;
}  // namespace

void* operator new(std::size_t size) {
    if (counting) ++allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace glv {
namespace {

TEST(TextAllocation, WarmDrawingAndMeasuringAllocateNothing) {
    TextEngine engine;
    Surface surface(300, 40, RGB(255, 255, 255));
    FontSpec regular;
    FontSpec bold = regular;
    bold.Bold = true;
    bold.Name = "A family name longer than fifteen";  // no short-string storage to hide in
    auto pass = [&] {
        for (const FontSpec* font : {&regular, &bold}) {
            RECT rc{2, 2, 80, 38};
            engine.DrawText(surface, *font, "Gr\xC3\xBC\xC3\x9F" "e \xCE\xA9 \xE4\xB8\xAD wide text &x",
                            rc, DT_WORD_ELLIPSIS, RGB(0, 0, 0));
            engine.GetTextExtentPoint32(*font, "Measure me");
            engine.DrawState(surface, *font, "Disabled", 2, 20, 0, 0, DST_TEXT | DSS_DISABLED, {});
        }
    };
    counting = true;
    pass();  // fills the caches, which allocates (and shows the probe works)
    EXPECT_GT(allocations, 0);
    allocations = 0;
    pass();
    counting = false;
    EXPECT_EQ(allocations, 0);
}

TEST(PaintAllocation, WarmPaintPassAllocatesNothingPerRow) {
    Platform platform;
    Container container;
    GlideListView list(platform, container, 400, 300);
    list.InitProperties();
    // A font name too long for short-string storage, so reusing the pass's font storage is
    // what keeps selecting it free.
    ControlTestAccess::Props(list).DefaultItemFont = std::make_shared<StdFont>("A family name longer than fifteen", 8.0f);
    for (int c = 0; c < 6; ++c) list.AddColumn("Column " + std::to_string(c), -1, 70);
    list.BeginUpdate();
    for (int i = 0; i < 200; ++i) {
        std::vector<Variant> fields;
        for (int c = 0; c < 6; ++c) {
            fields.emplace_back("Row " + std::to_string(i) + " cell " + std::to_string(c));
            fields.emplace_back(int32_t{-1});
        }
        list.AddItemQuick(Variant::Array(std::move(fields)));
    }
    list.EndUpdate();
    list.OffsetTopIndex(50, true);  // a page the first paints never laid out
    counting = true;
    list.Refresh();  // warms the glyphs of the new rows
    allocations = 0;
    list.Refresh();
    counting = false;
    EXPECT_EQ(allocations, 0);
}

}  // namespace
}  // namespace glv
