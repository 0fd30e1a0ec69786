// The expanding row: a host's GlideExpandingRow adopted, replaced and released by
// SetExpandingRowRTControls, placed on the selected item's row by the paint pass with the rows
// below moved down by its height, and the input rules of expanding-row mode.
//
// Test ideas not yet written: the row parked above and below the page as the list scrolls; the
// scroll bar's Max with an expanding row in use.
#include <gtest/gtest.h>

#include <algorithm>

#include "control/GlideExpandingRow.h"
#include "scrollbar/ScrollBar.h"
#include "tests/support/control_fixture.h"
#include "platform/GeometryLimits.h"
#include "platform/PropertyBag.h"
#include "tests/support/control_access.h"
#include "tests/support/golden.h"

namespace glv {
namespace {

struct ResizeLog final : GlideExpandingRowEvents {
    std::vector<int32_t> widths;
    void ExpandingRowResize(int32_t lWidth) override { widths.push_back(lWidth); }
};

// A host's child window that draws one colour: what a button or a text box of the host would
// look like to the form.
struct Swatch {
    WindowSystem& windows;
    HWND hwnd;
    Surface picture;
    Swatch(WindowSystem& w, HWND parent, WindowPlacement at, COLORREF color)
        : windows(w), hwnd(w.CreateWindow(parent, "HostChild", at)), picture(at.width, at.height, color) {
        picture.FrameRect(picture.Bounds(), RGB(60, 60, 60));
        RegisterSurface(windows, hwnd, &picture);
    }
};

struct RowFixture : test::ControlFixture {
    std::shared_ptr<GlideExpandingRow> row;
    ResizeLog log;

    RowFixture() : ControlFixture(300, 200) {
        list->AddColumn("Name", -1, 120);
        list->AddColumn("Size", -1, 80);
        AddItems(6);
        row = MakeRow("detail", 40);
        Events();
    }
    std::shared_ptr<GlideExpandingRow> MakeRow(const std::string& name, int32_t heightPx) {
        auto made = std::make_shared<GlideExpandingRow>(platform, container, form->hwnd(), name, 100, heightPx);
        made->SetEventSink(&log);
        return made;
    }
    int32_t RowY(int32_t r) const {
        const tListItemInfo& item = list->ItemRecord(r);
        return item.cLIItemY + item.cLIItemHeight / 2;
    }
};

TEST(ExpandingRow, AdoptReplaceRelease) {
    RowFixture f;
    f->SetExpandingRow(true);
    f->SetExpandingRowRTControls(f.row);
    WindowSystem& windows = f.platform.windows;
    EXPECT_EQ(windows.GetParent(f.row->hwnd()), f->hwnd());
    EXPECT_TRUE(f.row->Visible());
    EXPECT_EQ(f.row->ctrlLeft(), 15.0f);
    EXPECT_EQ(f.row->ctrlWidth(), 300 * 15);  // no vertical bar: the whole width
    EXPECT_EQ(f.log.widths, std::vector<int32_t>{300 * 15});  // the host's layout ran at once
    EXPECT_EQ(ControlTestAccess::View(*f).currentItem, 1);
    // The scroll bars stay above it.
    const std::vector<HWND> children = windows.Children(f->hwnd());
    const auto z = [&](HWND hwnd) { return std::find(children.begin(), children.end(), hwnd) - children.begin(); };
    EXPECT_LT(z(f.row->hwnd()), z(f->VScrollBar().hwnd()));
    EXPECT_LT(z(f.row->hwnd()), z(f->HScrollBar().hwnd()));

    auto second = f.MakeRow("other", 30);
    f->SetExpandingRowRTControls(second);
    EXPECT_EQ(windows.GetParent(f.row->hwnd()), f.form->hwnd());  // back where the list sits
    EXPECT_FALSE(f.row->Visible());
    EXPECT_EQ(windows.GetParent(second->hwnd()), f->hwnd());
    EXPECT_EQ(f->AttachedExpandingRow(), second);

    f->SetExpandingRowRTControls(nullptr);
    EXPECT_EQ(windows.GetParent(second->hwnd()), f.form->hwnd());
    EXPECT_FALSE(second->Visible());
    EXPECT_EQ(f->AttachedExpandingRow(), nullptr);

    // ClearAll lets go of an attached row the same way.
    f->SetExpandingRowRTControls(second);
    f->ClearAll();
    EXPECT_EQ(windows.GetParent(second->hwnd()), f.form->hwnd());
    EXPECT_EQ(f->AttachedExpandingRow(), nullptr);

    // With ExpandingRow off the row is adopted hidden; turning it on shows it.
    f->SetExpandingRow(false);
    f->SetExpandingRowRTControls(f.row);
    EXPECT_FALSE(f.row->Visible());
    f->SetExpandingRow(true);
    EXPECT_TRUE(f.row->Visible());
}

TEST(ExpandingRow, TakesTheSelectedItemsPlace) {
    RowFixture f;
    f->SetExpandingRow(true);
    const int32_t top4 = f->ItemRecord(4).cLIItemY;
    const int32_t step = f->ItemRecord(5).cLIItemY - top4;  // a row and its grid line
    f->SetExpandingRowRTControls(f.row);
    // Adopted, it waits under the header band (over rows 1 and 2) until an item is selected;
    // a press there is the host's window's, not the list's.
    EXPECT_EQ(f.platform.windows.Placement(f.row->hwnd()).y, f->HeaderHeight());
    f.Click(30, f.RowY(2));
    EXPECT_EQ(f.Events(), "");
    f.Click(30, f.RowY(4));
    EXPECT_EQ(ControlTestAccess::View(*f).currentItem, 4);
    // The row control sits where item 4 was; item 5 moves down by the row's 40 pixels.
    EXPECT_EQ(f.platform.windows.Placement(f.row->hwnd()).y, top4);
    EXPECT_EQ(f->ItemRecord(5).cLIItemY, top4 + 40 + 1);
    EXPECT_EQ(f->ItemRecord(6).cLIItemY, top4 + 40 + 1 + step);
}

TEST(ExpandingRow, ScrollBarReachesFurther) {
    RowFixture f;
    f->SetExpandingRow(true);
    f.AddItems(20, "more");
    ASSERT_TRUE(f->IsVScrollVisible());
    const int32_t before = f->VScrollBar().Max();
    const auto overflow = [&] { return f->VScrollBar().TotalItems() - f->VScrollBar().ItemsVisible(); };
    EXPECT_EQ(before, overflow() + 1);
    // 80 pixels are five rows of 16: the maximum is the overflow + 5 - 1 (and the overflow
    // itself grows, as the row takes room from the page).
    auto tall = f.MakeRow("tall", 80);
    f->SetExpandingRowRTControls(tall);
    EXPECT_EQ(f->VScrollBar().Max(), overflow() + 5 - 1);
    f->SetExpandingRowRTControls(nullptr);
    EXPECT_EQ(f->VScrollBar().Max(), before);
}

TEST(ExpandingRow, ModeKeepsSelectionSingleAndHeadersStill) {
    RowFixture f;
    f->SetExpandingRow(true);
    f->SetMultiSelect(true);
    f->SetExpandingRowRTControls(f.row);
    f.Click(30, f.RowY(4));
    f.Click(30, f.RowY(6), 1, 1);  // Shift: no range in expanding-row mode
    EXPECT_EQ(f->SelectedCount(), 1);
    EXPECT_TRUE(f->ItemRecord(6).cLISelected);
    f.Events();
    f.Move(30, 10);
    f.Click(30, 10);  // a header click neither presses nor sorts
    EXPECT_EQ(f.Events().find("Sort"), std::string::npos);
    EXPECT_EQ(f->ItemRecord(1).cLIText, "item1");
}

TEST(ExpandingRow, BackColorPersistsAndDispatches) {
    RowFixture f;
    PropertyBag bag;
    f.row->WriteProperties(bag);
    EXPECT_FALSE(bag.Contains("BackColor"));  // the default is not stored
    f.row->SetBackColor(RGB(10, 20, 30));
    f.row->WriteProperties(bag);
    auto loaded = f.MakeRow("loaded", 20);
    loaded->ReadProperties(bag);
    EXPECT_EQ(loaded->BackColor(), RGB(10, 20, 30));
    EXPECT_EQ(loaded->Invoke("ctrlName", CallKind::Get, {}).AsString(), "loaded");
    const Variant height(int32_t{600});
    loaded->Invoke("ctrlHeight", CallKind::Let, std::span<const Variant>(&height, 1));
    EXPECT_EQ(f.platform.windows.Placement(loaded->hwnd()).height, 40);
}

// A host's size far past any window: the value is kept, the window is as large as a surface can be.
TEST(ExpandingRow, HugeSizesAreKeptAndTheWindowClamped) {
    RowFixture f;
    for (const int32_t twips : {INT32_MAX, -1}) {
        f.row->SetctrlWidth(twips);
        f.row->SetctrlHeight(twips);
        EXPECT_EQ(f.row->ctrlWidth(), twips);
        const WindowPlacement placed = f.platform.windows.Placement(f.row->hwnd());
        EXPECT_EQ(placed.width, twips > 0 ? kMaxSurfaceSide : 0);
        EXPECT_EQ(placed.height, twips > 0 ? kMaxSurfaceSide : 0);
    }
}

TEST(ExpandingRow, Picture) {
    RowFixture f;
    f->SetExpandingRow(true);
    f.row->SetBackColor(RGB(236, 242, 250));
    f->SetExpandingRowRTControls(f.row);
    // The host's widgets: a text field and two buttons.
    Swatch field(f.platform.windows, f.row->hwnd(), {8, 8, 150, 22}, RGB(255, 255, 255));
    Swatch ok(f.platform.windows, f.row->hwnd(), {170, 8, 50, 22}, RGB(212, 208, 200));
    Swatch cancel(f.platform.windows, f.row->hwnd(), {228, 8, 60, 22}, RGB(212, 208, 200));
    f.Click(30, f.RowY(3));
    test::ExpectMatchesGolden(f.form->Compose(), "expanding_row_open");
}

}  // namespace
}  // namespace glv
