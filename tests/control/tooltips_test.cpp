// Row tooltips from real pointer moves: the three delays in virtual milliseconds, the texts and
// BeforeToolTip, cancelling in the header band, and the window with its shadow over the rows.
//
// Test ideas not yet written: the leave timer cancelling a shown tooltip; a tooltip near the
// form's bottom edge flipping above the pointer.
#include <gtest/gtest.h>

#include "core/Errors.h"
#include "platform/AutomationError.h"
#include "platform/TooltipWindow.h"
#include "tests/support/control_fixture.h"
#include "tests/support/golden.h"

namespace glv {
namespace {

struct TipFixture : test::ControlFixture {
    TipFixture() : ControlFixture(300, 160) {
        list->AddColumn("Name", -1, 100);
        list->AddColumn("Size", -1, 80);
        AddItems(6);
        for (int32_t i = 1; i <= 6; ++i) list->ItemForWrite(i).cLISubListItemInfo[0].cSIText = "s" + std::to_string(i);
        Events();
    }
    int32_t RowY(int32_t row) const {
        const tListItemInfo& item = list->ItemRecord(row);
        return item.cLIItemY + item.cLIItemHeight / 2;
    }
    // Moves over a row and forgets the move's own events.
    void Hover(int32_t row, int32_t x = 30) {
        Move(x, RowY(row));
        events.TakeLines();
    }
    std::string Tip(int32_t row, const std::string& text) {
        return "BeforeToolTip ItemType=0 ItemIndex=" + std::to_string(row) + " ToolTipText=\"" + text + "\"";
    }
    bool Shown() const { return list->ToolTipWindow() != nullptr && list->ToolTipWindow()->Shown(); }
};

TEST(ToolTips, DelaysInVirtualMilliseconds) {
    TipFixture f;
    f->SetAutoGenerateToolTips(LVGenListItemText);
    f->ItemForWrite(2).cLIToolTipText = "own text";
    f.Hover(2);
    f.Wait(999);
    EXPECT_EQ(f.Events(), "");
    f.Wait(1);  // the pre-delay ends: armed, the row's own text waits 25 ms more
    EXPECT_TRUE(f->ToolTipStatus().armed);
    f.Wait(24);
    EXPECT_EQ(f.Events(), "");
    EXPECT_FALSE(f.Shown());
    f.Wait(1);  // 1025 ms: shown
    EXPECT_EQ(f.Events(), f.Tip(2, "own text"));
    EXPECT_TRUE(f.Shown());
    EXPECT_EQ(f->ToolTipStatus().shownRow, 2);

    // Armed: the next row's generated text 25 ms after the move.
    f.Wait(100);
    f.Hover(4);
    EXPECT_FALSE(f.Shown());
    f.Wait(24);
    EXPECT_EQ(f.Events(), "");
    f.Wait(1);
    EXPECT_EQ(f.Events(), f.Tip(4, "item4"));
    EXPECT_TRUE(f.Shown());

    // Moving within the row re-arms nothing and keeps the window.
    f.Move(60, f.RowY(4));
    f.Wait(100);
    EXPECT_TRUE(f.Shown());
    EXPECT_EQ(f.Events(), "ItemMouseMoveAlt Button=0 Shift=0 X=60 Y=" + std::to_string(f.RowY(4)) + " ItemIndex=4");

    // ToolTipPostTime (3000) after the last showing: hidden and no longer armed.
    f.Wait(2899);
    EXPECT_TRUE(f.Shown());
    f.Wait(1);
    EXPECT_EQ(f->ToolTipWindow(), nullptr);
    EXPECT_FALSE(f->ToolTipStatus().armed);
    EXPECT_EQ(f->ToolTipStatus().shownRow, -1);
    // Idle again: the next row waits the whole pre-delay.
    f->ItemForWrite(5).cLIToolTipText = "five";
    f.Hover(5);
    f.Wait(1024);
    EXPECT_EQ(f.Events(), "");
    f.Wait(1);
    EXPECT_EQ(f.Events(), f.Tip(5, "five"));
}

TEST(ToolTips, FirstShowingNeedsTheRowsOwnText) {
    TipFixture f;
    // LVGenNone and no text of its own: the pre-delay arms but finds nothing to show, so no
    // BeforeToolTip; the host cannot supply a text then.
    f->SetAutoGenerateToolTips(LVGenNone);
    f->SetToolTipPostTime(10000);
    f.events.SetAnswer("BeforeToolTip", {{"ToolTipText", Variant("from host")}});
    f.Hover(1);
    f.Wait(1025);
    EXPECT_EQ(f.Events(), "");
    EXPECT_TRUE(f->ToolTipStatus().armed);
    // Armed, a later row raises BeforeToolTip with the (empty) generated text, and the host's
    // text shows.
    f.Hover(2);
    f.Wait(25);
    EXPECT_EQ(f.Events(), f.Tip(2, ""));
    EXPECT_TRUE(f.Shown());
}

TEST(ToolTips, HostEmptyingTheTextSuppressesTheWindow) {
    TipFixture f;
    f->ItemForWrite(1).cLIToolTipText = "one";
    f.events.SetAnswer("BeforeToolTip", {{"ToolTipText", Variant("")}});
    f.Hover(1);
    f.Wait(1025);
    EXPECT_EQ(f.Events(), f.Tip(1, "one"));
    EXPECT_EQ(f->ToolTipWindow(), nullptr);
}

TEST(ToolTips, HeaderBandAndItemToolTipsOff) {
    TipFixture f;
    f->ItemForWrite(2).cLIToolTipText = "two";
    f.Hover(2);
    f.Wait(1025);
    ASSERT_TRUE(f.Shown());
    f.Move(30, 10);  // into the header band: everything cancelled
    EXPECT_EQ(f->ToolTipWindow(), nullptr);
    EXPECT_FALSE(f->ToolTipStatus().armed);
    // Back below the header on another row (the hover row is still 2): the whole pre-delay again.
    f->ItemForWrite(3).cLIToolTipText = "three";
    f.Hover(3);
    f.Wait(1024);
    EXPECT_EQ(f.Events(), "");
    f.Wait(1);
    EXPECT_EQ(f.Events(), f.Tip(3, "three"));

    TipFixture off;
    off->SetItemToolTips(false);
    off->ItemForWrite(2).cLIToolTipText = "two";
    off.Hover(2);
    off.Hover(3);
    off.Wait(10000);
    EXPECT_EQ(off.Events(), "");
    EXPECT_FALSE(off->ToolTipStatus().armed);
}

TEST(ToolTips, LeavingTheControlCancels) {
    TipFixture f;
    f->ItemForWrite(2).cLIToolTipText = "two";
    f.Hover(2);
    f.Wait(1025);
    ASSERT_TRUE(f.Shown());
    // The pointer goes off the control (the form is larger than nothing else here): the leave
    // timer's next tick finds it outside.
    f.platform.system.cursorX = 1000;
    f.platform.system.cursorY = 1000;
    f.Wait(10);
    EXPECT_EQ(f->ToolTipWindow(), nullptr);
    EXPECT_FALSE(f->ToolTipStatus().armed);
    // The hWndToolTip rule: the control's own window, else 0.
    EXPECT_EQ(f->hWndToolTip(static_cast<int32_t>(f->hwnd())), static_cast<int32_t>(f->hwnd()));
    EXPECT_EQ(f->hWndToolTip(static_cast<int32_t>(f.form->hwnd())), 0);
}

TEST(ToolTips, TimesOutsideTheRangeRaiseError11) {
    TipFixture f;
    for (const int32_t bad : {30001, -1}) {
        for (const char* name : {"ToolTipPreTime", "ToolTipPostTime"}) {
            try {
                f->SetProperty(name, Variant(bad));
                ADD_FAILURE() << name << " took " << bad;
            } catch (const AutomationError& error) {
                EXPECT_EQ(error.Number, kErrToolTipTime);
            }
        }
    }
    EXPECT_EQ(f->ToolTipPreTime(), 1000);
    EXPECT_EQ(f->ToolTipPostTime(), 3000);
    // 0 and 30000 are taken; a pre-delay of 30000 shows after 30025 ms.
    f->SetToolTipPreTime(30000);
    f->ItemForWrite(3).cLIToolTipText = "three";
    f.Hover(3);
    f.Wait(30024);
    EXPECT_EQ(f.Events(), "");
    f.Wait(1);
    EXPECT_EQ(f.Events(), f.Tip(3, "three"));
}

TEST(ToolTips, WindowSitsBelowThePointerWithItsShadow) {
    TipFixture f;
    f->ItemForWrite(2).cLIToolTipText = "Tooltip over rows";
    f->SetToolTipBackColor(RGB(255, 255, 225));
    f->SetToolTipForeColor(RGB(0, 0, 0));
    f->SetToolTipBorderColor(RGB(0, 0, 128));
    const Surface before = f.form->Compose();
    f.Hover(2, 40);
    f.Wait(1025);
    const TooltipWindow* tip = f->ToolTipWindow();
    ASSERT_NE(tip, nullptr);
    const TooltipLayout& layout = tip->Layout();
    EXPECT_EQ(tip->Position(), (POINT{40, f.RowY(2) + layout.window.cy}));
    // The window never takes the focus.
    EXPECT_EQ(f.platform.windows.GetFocus() == tip->hwnd(), false);
    const Surface after = f.form->Compose();
    const POINT p = tip->Position();
    // The body's corner in the border colour; the outermost shadow pixel of the right band is
    // the form's pixel shaded by the lightest level.
    EXPECT_EQ(after.GetPixel(p.x, p.y), RGB(0, 0, 128));
    const int32_t sx = p.x + layout.window.cx - 1, sy = p.y + 10;
    EXPECT_EQ(after.GetPixel(sx, sy), ShadePixel(before.GetPixel(sx, sy), TooltipLayout::kShades[3]));
    test::ExpectMatchesGolden(after, "tooltip_over_rows");
}

}  // namespace
}  // namespace glv
