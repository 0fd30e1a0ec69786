// The background copy leaves out the boxes the rows' cells fill opaque. For every kind of row
// and cell the pass can meet, a frame painted over noise must be the frame painted over the
// whole background (what a pass that copies everything first gives): a box left out of the
// copy that is not filled later shows the noise, and one filled must hide it.
//
// The column lines are drawn band by band with the rows when no row can paint above its own
// top; for the same kinds of rows they must lie over everything, as lines drawn last do.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "control/Collections.h"
#include "control/GlideExpandingRow.h"
#include "platform/Image.h"
#include "platform/ImageList.h"
#include "platform/StdPicture.h"
#include "render/BackgroundPicture.h"
#include "render/PaintPass.h"
#include "tests/support/control_access.h"
#include "tests/support/list_fixture.h"

namespace glv {
namespace {

// Three columns over a 220-wide control: 90 + 60 + 40 leave a strip on the right; rows have
// all, some or none of their sub-items.
struct Page : test::ListFixture {
    Page() : ListFixture(220, 160) {
        list->AddColumn("Name", -1, 90);
        list->AddColumn("Size", -1, 60);
        list->AddColumn("Kind", -1, 40);
        for (int32_t i = 1; i <= 14; ++i) {
            std::vector<Variant> cells{Variant("item &" + std::to_string(i)), Variant(int32_t{-1})};
            for (int32_t k = 0; k < (i % 4 == 0 ? 0 : i % 3 == 0 ? 1 : 2); ++k) {
                cells.emplace_back("sub " + std::to_string(i * 10 + k));
                cells.emplace_back(int32_t{-1});
            }
            list->AddItemQuick(Variant::Array(cells));
        }
    }
    std::shared_ptr<cListItem> Item(int32_t i) const { return list->ListItems()->Item(Variant(i)); }
    std::shared_ptr<cColumn> Column(int32_t i) const { return list->Columns()->Item(Variant(i)); }
};

// The frame over the whole background against frames over noise and over its own negative,
// which differs from it in every bit of every pixel.
void ExpectIndependentOfWhatWasThere(GlideListView& l, const std::string& what) {
    l.Refresh();  // new rows take their painted heights
    Surface& s = l.surface();
    const Surface* background = ControlTestAccess::Background(l);
    ASSERT_NE(background, nullptr) << what;
    s.BitBlt(0, 0, s.Width(), s.Height(), *background, 0, 0);
    l.Refresh();
    const Surface reference = s;
    const int64_t count = int64_t{s.Width()} * s.Height();
    std::mt19937 random(5);
    for (int32_t round = 0; round < 2; ++round) {
        for (int64_t i = 0; i < count; ++i)
            s.Pixels()[i] = round == 0 ? static_cast<uint32_t>(random()) : ~reference.Pixels()[i];
        l.Refresh();
        for (int32_t y = 0; y < s.Height(); ++y) {
            for (int32_t x = 0; x < s.Width(); ++x) {
                const size_t at = static_cast<size_t>(y) * s.Width() + x;
                ASSERT_EQ(s.Pixels()[at], reference.Pixels()[at])
                    << what << ": differs at " << x << "," << y << " (round " << round << ")";
            }
        }
    }
}

// Drawing the column lines whole once more over the finished frame changes nothing: none is
// missing and nothing painted after its band covers one. The border and the corner between
// the scroll bars are painted after the lines, so they are left out of the comparison.
void ExpectColumnLinesOnTop(GlideListView& l, const std::string& what) {
    l.Refresh();
    Surface& s = l.surface();
    const Surface painted = s;
    const auto& frame = ControlTestAccess::Frame(l);
    DrawColumnLines(s, ControlTestAccess::Columns(l), frame.headerHeight,
                    l.platform().system.Resolve(ControlTestAccess::Props(l).GridLineColor));
    const bool corner = frame.vScrollVisible && frame.hScrollVisible;
    for (int32_t y = 1; y < s.Height() - 1; ++y) {
        for (int32_t x = 1; x < s.Width() - 1; ++x) {
            if (corner && y >= s.Height() - frame.scrollBarSize &&
                (x >= s.Width() - frame.scrollBarSize || x <= frame.scrollBarSize))
                continue;
            const size_t at = static_cast<size_t>(y) * s.Width() + x;
            ASSERT_EQ(s.Pixels()[at], painted.Pixels()[at]) << what << ": column line differs at " << x << "," << y;
        }
    }
}

struct Case {
    const char* name;
    std::function<void(Page&)> setUp;
};

TEST(CoveredBackground, EveryRowAndCellKindPaintsAsOverTheWholeBackground) {
    const auto pictured = [](Page& f) {
        Image checks(40, 30);
        for (int32_t y = 0; y < 30; ++y)
            for (int32_t x = 0; x < 40; ++x) checks.At(x, y) = ((x / 5 + y / 5) % 2 == 0) ? 0xFFFFD080u : 0xFF80C0FFu;
        f->SetBackGroundPictureAlignment(lvwCenter);
        f->SetBackGroundPicture(std::make_shared<StdPicture>(checks));
    };
    const std::vector<Case> cases = {
        {"plain", [](Page&) {}},
        {"selection with focus", [](Page& f) { f.Item(2)->SetSelected(true); f->GotFocus(); }},
        {"selection without focus", [](Page& f) { f.Item(2)->SetSelected(true); }},
        {"selection hidden without focus", [](Page& f) { f.Item(2)->SetSelected(true); f->SetHideSelection(true); }},
        {"selection in the first column only",
         [](Page& f) { f.Item(3)->SetSelected(true); f->GotFocus(); f->SetFullRowSelect(false); }},
        {"disabled items", [](Page& f) { f.Item(1)->SetEnabled(false); f.Item(5)->SetEnabled(false); }},
        {"disabled control", [](Page& f) { f->SetEnabled(false); }},
        {"ledger", [](Page& f) { f->SetBackStyle(Ledger); f.Item(4)->SetSelected(true); }},
        {"transparent columns", [](Page& f) { f->SetColumnBackStyle(LVColumnTransparent); }},
        {"transparent columns over a picture", [&](Page& f) { pictured(f); f->SetColumnBackStyle(LVColumnTransparent); }},
        {"opaque columns over a picture", pictured},
        {"cell colours", [](Page& f) {
             f.Item(2)->SetBackColor(RGB(250, 200, 10));
             f.Item(3)->SubItems()->Item(1)->SetBackColor(RGB(10, 200, 250));
         }},
        {"overlapping rows", [](Page& f) {
             f.Item(2)->SetOverLap(true);
             f.Item(6)->SetOverLap(true);
             f.Item(6)->SetSelected(true);
         }},
        {"group headers", [](Page& f) {
             f.Item(3)->SetGroupHeader(true);
             f.Item(7)->SetGroupHeader(true);
             f.Item(7)->SetGroupSeperator(true);
             f.Item(7)->SetGroupSeperatorThick(3);
         }},
        {"a group header whose caption rises above its row", [](Page& f) {
             f.Item(5)->SetGroupHeader(true);
             f.Item(5)->SetGroupHeaderAlignment(LVListItemAlignBottom);
             f.Item(5)->SetGroupHeaderMargin(12);
             f.Item(5)->SetText("a caption long enough to cross the column lines");
         }},
        {"hidden rows", [](Page& f) { f->SetItemVisible(2, false); f->SetItemVisible(3, false); }},
        {"grid lines", [](Page& f) { f->SetGridLines(true); f->SetGridColumnLines(true); }},
        {"no grid lines", [](Page& f) { f->SetGridLines(false); }},
        {"hidden header", [](Page& f) { ControlTestAccess::Props(*f).HideColumnHeaders = true; f->RecomputeHeaderHeight(); }},
        {"check boxes", [](Page& f) { f->SetCheckBoxes(true); f.Item(2)->SetChecked(true); }},
        {"columns past the right edge, scrolled", [](Page& f) {
             f.Column(3)->SetWidth(300);
             ControlTestAccess::Render(*f).hScrollOffset = 70;
         }},
        {"columns scrolled off on the left", [](Page& f) { ControlTestAccess::Render(*f).hScrollOffset = 160; }},
        {"a column of no width", [](Page& f) { f.Column(2)->SetWidth(0); }},
        {"a tall row", [](Page& f) { f.Item(2)->SetFontSize(20.0f); }},
        {"scrolled to the end", [](Page& f) { f->SetTopIndex(9); }},
    };
    for (const Case& c : cases) {
        Page f;
        c.setUp(f);
        ExpectIndependentOfWhatWasThere(*f, c.name);
        f->SetGridColumnLines(true);
        ExpectColumnLinesOnTop(*f, c.name);
    }
    // A control too short for the lines: they run upwards from the header band's bottom.
    Page f;
    f->SetGridColumnLines(true);
    f->Resize(220, 20);
    ExpectColumnLinesOnTop(*f, "a control shorter than its header band");
}

TEST(CoveredBackground, TheExpandingRowsPlaceShowsTheBackground) {
    Page f;
    auto row = std::make_shared<GlideExpandingRow>(f.platform, f.container, f.form->hwnd(), "detail", 100, 30);
    f->SetExpandingRow(true);
    f->SetExpandingRowRTControls(row);
    f.Item(3)->SetSelected(true);
    ExpectIndependentOfWhatWasThere(*f, "expanding row");
    f->SetGridColumnLines(true);
    ExpectColumnLinesOnTop(*f, "expanding row");
}

}  // namespace
}  // namespace glv
