// Test ideas not yet written: ItemsSelectAll, ItemsCheckAll and ItemsSelectRange doing nothing
// while an expanding row is attached (needs the expanding row); ItemsDeleteSelected with
// MaintainSelection (keyboard Delete).
#include <gtest/gtest.h>

#include "tests/support/control_access.h"
#include "tests/support/dispatch_helpers.h"

using namespace glv;
using namespace glv::test;

namespace {

// Five items; "g" is a group header row.
void Groups(Script& s) {
    s.AddItems({"g", "a", "b", "h", "c"});
    s.list->GroupForWrite(1).GroupHeader = true;
    s.list->GroupForWrite(4).GroupHeader = true;
}

}  // namespace

TEST(BulkSelection, SelectAllRangeDeselectAndCounts) {
    Script s;
    s.AddItems({"g", "a", "b", "c", "d"});
    s.list->GroupForWrite(1).GroupHeader = true;
    s.Call("ItemsSelectAll");
    EXPECT_EQ(s.Items(), "g *a *b *c *d");
    EXPECT_EQ(ControlTestAccess::View(*s.list).selectedCount, 5);  // the item count, group headers included
    EXPECT_EQ(s.Get("SelectedCount").ToLong(), 4);
    EXPECT_EQ(ControlTestAccess::View(*s.list).selectedCount, 4);  // reading it stores the true count
    EXPECT_EQ(s.Get("SelectedIndex").ToLong(), -1);

    s.Call("ItemsSelectRange(3, 1)");
    EXPECT_EQ(s.Items(), "g a b c d");
    s.Call("ItemsSelectRange(4, 9)");
    EXPECT_EQ(s.Items(), "g a b *c *d");
    s.Call("ItemsSelectRange(-1, 2)");  // a negative bound changes nothing
    EXPECT_EQ(s.Items(), "g a b *c *d");
    s.Call("ItemsSelectRange(0, 1)");  // group headers are selected by a range
    EXPECT_EQ(s.Items(), "*g a b c d");
    EXPECT_EQ(ControlTestAccess::View(*s.list).selectedCount, 1);

    s.Set("SelectedIndex", 3);
    EXPECT_EQ(s.Items(), "g a *b c d");
    s.Set("SelectedIndex", 0);  // ignored
    s.Set("SelectedIndex", 6);
    EXPECT_EQ(s.Items(), "g a *b c d");
    EXPECT_EQ(s.Get("SelectedIndex").ToLong(), 3);

    s.Set("SelectState(0)", true);
    s.Set("SelectState(6)", true);
    EXPECT_EQ(s.Items(), "g a *b c d");
    EXPECT_FALSE(s.Get("SelectState(0)").ToBoolean());
    EXPECT_TRUE(s.Get("Selected(3)").ToBoolean());
    EXPECT_EQ(s.Error("Selected(0)"), "9 glideListViewLib Subscript out of range");

    s.Call("SetSelectAll(true)");
    EXPECT_EQ(s.Items(), "*g *a *b *c *d");
    EXPECT_EQ(ControlTestAccess::View(*s.list).selectedCount, 5);
    s.Call("ItemsDeselectAll");
    EXPECT_EQ(s.Items(), "g a b c d");
    EXPECT_EQ(ControlTestAccess::View(*s.list).selectedCount, 0);
    EXPECT_EQ(s.Get("SelectedIndex").ToLong(), 0);
    EXPECT_FALSE(s.Call("IsAnySelected").ToBoolean());
}

TEST(BulkSelection, HiddenItemsAreNotCountedButStillReported) {
    Script s;
    s.AddItems({"a", "b", "c"});
    s.Set("ListItems.Item(2).Visible", false);
    s.Set("SelectState(2)", true);
    EXPECT_EQ(s.Get("SelectedCount").ToLong(), 0);
    EXPECT_EQ(s.Get("SelectedIndex").ToLong(), 0);
    EXPECT_FALSE(s.Call("IsAnySelected").ToBoolean());
    s.Set("SelectState(3)", true);
    // One counted selection: the lowest selected index answers, hidden or not.
    EXPECT_EQ(s.Get("SelectedIndex").ToLong(), 2);
    EXPECT_TRUE(s.Call("IsAnySelected").ToBoolean());
    const Variant selected = s.Get("SelectedItems");
    ASSERT_TRUE(selected.IsArray());
    EXPECT_EQ(selected.AsArray()->LBound, 1);
    ASSERT_EQ(selected.AsArray()->Items.size(), 2u);  // hidden ones included
    EXPECT_EQ(On(selected.AsArray()->Items[0].ToObject(), "cLIText").ToString(), "b");

    s.Set("CheckedState(2)", true);
    EXPECT_TRUE(s.Get("CheckedState(2)").ToBoolean());
    EXPECT_FALSE(s.Get("CheckedState(9)").ToBoolean());
    EXPECT_EQ(s.Get("CheckedCount").ToLong(), 1);  // hidden ones count here
    EXPECT_EQ(s.Get("CheckedIndex").ToLong(), 2);
    EXPECT_FALSE(s.Call("IsAnyChecked").ToBoolean());  // but not here
    s.Call("ItemsCheckAll(true)");
    EXPECT_EQ(s.Get("CheckedIndex").ToLong(), -1);
    EXPECT_TRUE(s.Call("IsAnyChecked").ToBoolean());
    s.Call("SetCheckAll(false)");
    EXPECT_EQ(s.Get("CheckedIndex").ToLong(), 0);
    const Variant none = s.Get("CheckedItems");
    EXPECT_EQ(none.AsArray()->LBound, 1);
    EXPECT_EQ(none.AsArray()->UBound(), 0);
}

TEST(BulkSelection, CheckAllSkipsGroupHeadersAndDisableClearsSelection) {
    Script s;
    Groups(s);
    s.Call("ItemsCheckAll(true)");
    std::string checked;
    for (int32_t i = 1; i <= 5; ++i) checked += s.list->ItemRecord(i).cLIItemChecked ? '1' : '0';
    EXPECT_EQ(checked, "01101");
    s.Call("SetCheckAll(true)");  // every row, group headers too
    EXPECT_EQ(s.Get("CheckedCount").ToLong(), 5);
    s.Call("SetSelectAll(true)");
    s.Call("ItemsDisableAll");
    EXPECT_EQ(s.Items(), "g a b h c");
    EXPECT_FALSE(s.list->ItemRecord(3).cLIEnabled);
    EXPECT_EQ(ControlTestAccess::View(*s.list).selectedCount, 0);
    s.Set("SelectState(2)", true);
    s.Call("ItemsEnableAll");
    EXPECT_TRUE(s.list->ItemRecord(3).cLIEnabled);
    EXPECT_EQ(s.Items(), "g *a b h c");  // enabling keeps the selection
}

TEST(BulkSelection, NothingPaintsWhileUpdatingAndEachChangePaintsOnceAfter) {
    Script s;
    s.AddItems({"a", "b"});
    s.list->BeginUpdate();
    int32_t before = s.Repaints();
    s.Set("SelectedIndex", 1);
    s.Set("SelectState(2)", true);
    s.Set("CheckedState(2)", true);
    s.Call("SetSelectAll(true)");
    s.Call("SetCheckAll(true)");
    s.Call("ItemsDeselectAll");
    s.Call("ItemsCheckAll(false)");
    s.Call("ItemsEnableAll");
    s.Call("Refresh");
    EXPECT_EQ(s.Repaints(), before);
    s.list->EndUpdate();
    before = s.Repaints();
    s.Set("SelectState(2)", true);
    s.Set("SelectState(7)", true);  // ignored without a repaint
    EXPECT_EQ(s.Repaints(), before + 1);
}

TEST(BulkDelete, DeleteAllWithoutAHostAsksOnceForEachKind) {
    Script s;
    Groups(s);
    PromptSink sink;
    s.list->SetEventSink(&sink);
    s.Call("ItemsDeleteAll");
    EXPECT_EQ(sink.Take(),
              "ask group@1; group deleted 1; ask a@1 preset 1; deleted 1; deleted 1; group deleted 1; "
              "deleted 1");
    EXPECT_EQ(s.list->ItemCount(), 0);
    EXPECT_EQ(ControlTestAccess::View(*s.list).currentItem, -1);
    EXPECT_EQ(ControlTestAccess::View(*s.list).lastSelectedRow, -1);
    s.Call("ItemsDeleteAll");  // nothing left: no prompt
    EXPECT_EQ(sink.Take(), "");
}

TEST(BulkDelete, DeleteAllAnswers) {
    {
        Script s;  // LVNo to everything keeps all and still repaints
        Groups(s);
        PromptSink sink;
        sink.answers = {LVNo};
        s.list->SetEventSink(&sink);
        const int32_t before = s.Repaints();
        s.Call("ItemsDeleteAll");
        EXPECT_EQ(sink.Take(), "ask group@1; ask a@2 preset 1; ask b@3 preset 1; ask group@4; ask c@5 preset 1");
        EXPECT_EQ(s.Items(), "g a b h c");
        EXPECT_EQ(s.Repaints(), before + 1);
    }
    {
        Script s;  // LVNoToAll at the first group header ends at once, without the final step
        Groups(s);
        PromptSink sink;
        sink.answers = {LVNoToAll};
        s.list->SetEventSink(&sink);
        const int32_t before = s.Repaints();
        s.Call("ItemsDeleteAll");
        EXPECT_EQ(sink.Take(), "ask group@1");
        EXPECT_EQ(s.Repaints(), before);
        EXPECT_EQ(ControlTestAccess::View(*s.list).currentItem, 0);
    }
    {
        Script s;  // LVNoToAll on an item keeps every later item without asking; groups still ask
        Groups(s);
        PromptSink sink;
        sink.answers = {LVYes, LVNoToAll, LVYesToAll};
        s.list->SetEventSink(&sink);
        s.Call("ItemsDeleteAll");
        EXPECT_EQ(sink.Take(), "ask group@1; ask a@2 preset 1; ask group@4; group deleted 4");
        EXPECT_EQ(s.Items(), "g a b c");
    }
    {
        Script s;  // AllowDelete off: nothing at all
        Groups(s);
        PromptSink sink;
        s.list->SetEventSink(&sink);
        ControlTestAccess::Props(*s.list).AllowDelete = false;
        s.Call("ItemsDeleteAll");
        EXPECT_EQ(sink.Take(), "");
        EXPECT_EQ(s.list->ItemCount(), 5);
    }
}

TEST(BulkDelete, DeleteSelectedPromptsPerSelectedItem) {
    {
        Script s;  // no host: one prompt, then every selected item goes; headers never do
        Groups(s);
        ControlTestAccess::Props(*s.list).MultiSelect = true;
        s.Call("SetSelectAll(true)");
        s.Set("SelectState(3)", false);
        ControlTestAccess::View(*s.list).topIndex = 4;
        PromptSink sink;
        s.list->SetEventSink(&sink);
        s.Call("ItemsDeleteSelected");
        EXPECT_EQ(sink.Take(), "ask a@2 preset 1; deleted 2; deleted 4");
        EXPECT_EQ(s.Items(), "*g b *h");
        EXPECT_EQ(s.list->TopIndex(), 1);
        EXPECT_EQ(ControlTestAccess::View(*s.list).currentItem, -1);
    }
    {
        Script s;  // LVYes keeps the first and asks about the second
        s.AddItems({"a", "b", "c"});
        s.Call("SetSelectAll(true)");
        PromptSink sink;
        sink.answers = {LVYes, LVNo, LVYes};
        s.list->SetEventSink(&sink);
        s.Call("ItemsDeleteSelected");
        EXPECT_EQ(sink.Take(), "ask a@1 preset 1; ask b@2 preset 1; ask c@3 preset 1");
        EXPECT_EQ(s.Items(), "*a *b *c");
    }
    {
        Script s;  // LVYes keeps the first; LVNoToAll on the second stops at once
        s.AddItems({"a", "b", "c"});
        s.Call("SetSelectAll(true)");
        s.Set("ListItems.Item(3).Visible", false);  // clears every selection ...
        s.Call("SetSelectAll(true)");                // ... so select again, hidden one too
        ControlTestAccess::View(*s.list).currentItem = 2;
        ControlTestAccess::View(*s.list).selectedCount = 7;
        PromptSink sink;
        sink.answers = {LVYes, LVNoToAll};
        s.list->SetEventSink(&sink);
        s.Call("ItemsDeleteSelected");
        EXPECT_EQ(sink.Take(), "ask a@1 preset 1; ask b@2 preset 1");
        EXPECT_EQ(s.Items(), "*a *b [*c]");
        EXPECT_EQ(ControlTestAccess::View(*s.list).currentItem, 2);    // the final step was skipped
        EXPECT_EQ(ControlTestAccess::View(*s.list).selectedCount, 2);  // refreshed: visible ones only
        EXPECT_EQ(s.list->TopIndex(), 1);
    }
}

TEST(BulkDelete, HostChangingTheListInsideAPromptIsSafe) {
    Script s;
    s.AddItems({"a", "b", "c"});
    s.Call("SetSelectAll(true)");
    struct Sink : PromptSink {
        GlideListView* list = nullptr;
        void BeforeItemDelete(int32_t& p, tListItemInfo& item, int32_t index) override {
            PromptSink::BeforeItemDelete(p, item, index);
            list->ClearItems();  // the host empties the list and still says yes to all
        }
    } sink;
    sink.list = s.list.get();
    s.list->SetEventSink(&sink);
    s.Call("ItemsDeleteSelected");
    s.AddItems({"x", "y"});
    s.list->GroupForWrite(1).GroupHeader = true;
    s.Call("ItemsDeleteAll");
    EXPECT_EQ(s.list->ItemCount(), 0);
}

TEST(BulkQueries, ClientAreaScrollBarsKeysAndToolTipWindows) {
    Script s(300, 200);
    ControlTestAccess::Frame(*s.list).headerHeight = 20;
    const ObjectPtr area = s.Call("ClientArea").ToObject();
    EXPECT_EQ(area->TypeName(), "RECT");
    auto rect = [&] {
        const ObjectPtr r = s.Call("ClientArea").ToObject();
        return On(r, "Left").ToString() + "," + On(r, "Top").ToString() + "," + On(r, "Right").ToString() +
               "," + On(r, "Bottom").ToString();
    };
    EXPECT_EQ(rect(), "1,22,299,199");
    ControlTestAccess::Frame(*s.list).vScrollVisible = true;
    ControlTestAccess::Frame(*s.list).hScrollVisible = true;
    EXPECT_EQ(rect(), "1,22,282,182");
    EXPECT_TRUE(s.Call("IsVScrollVisible").ToBoolean());
    EXPECT_TRUE(s.Call("IsHScrollVisible").ToBoolean());
    EXPECT_FALSE(s.Call("AltKeyStatus").ToBoolean());
    EXPECT_FALSE(s.Call("CtrlKeyStatus").ToBoolean());
    EXPECT_EQ(s.Call("ItemInEdit").ToLong(), -1);
    const int32_t hwnd = s.Get("hwnd").ToLong();
    EXPECT_EQ(s.Call("hWndToolTip(" + std::to_string(hwnd) + ")").ToLong(), hwnd);
    EXPECT_EQ(s.Call("hWndToolTip(" + std::to_string(hwnd + 100) + ")").ToLong(), 0);
    EXPECT_EQ(s.Call("hWndToolTip(0)").ToLong(), 0);
    ControlTestAccess::Frame(*s.list).vScrollHwnd = hwnd + 100;
    EXPECT_EQ(s.Call("hWndToolTip(" + std::to_string(hwnd + 100) + ")").ToLong(), hwnd + 100);
}
