#include <gtest/gtest.h>

#include "core/RecordObjects.h"
#include "tests/support/dispatch_helpers.h"
#include "tests/support/control_access.h"

using namespace glv;
using namespace glv::test;

TEST(Dispatch, NamesArgumentCountsAndKindsOfCall) {
    Script s;
    EXPECT_EQ(s.control->TypeName(), "GlideListView");
    s.AddItems({"a", "b"});
    EXPECT_EQ(s.Get("listitems.COUNT").ToLong(), 2);  // names are case-insensitive
    EXPECT_EQ(s.Call("ListItems.Count").ToLong(), 2);  // a property may be called
    EXPECT_EQ(s.Get("IsAnySelected").Type(), VarType::Boolean);  // reading a method calls it
    const std::string unknown = "438 glideListViewLib Object doesn't support this property or method";
    EXPECT_EQ(s.Error("NoSuchThing"), unknown);
    EXPECT_EQ(s.SetError("NewIndex", 3), unknown);   // read only
    EXPECT_EQ(s.SetError("ClearItems", 3), unknown);  // a method
    const std::string count = "450 glideListViewLib Wrong number of arguments or invalid property assignment";
    EXPECT_EQ(s.Error("ClearItems(1)"), count);
    EXPECT_EQ(s.Error("SelectState(1, 2)"), count);
    EXPECT_EQ(s.Error("SelectState"), "449 glideListViewLib Argument not optional");
    EXPECT_EQ(s.Error("ItemsSelectRange(1, null)"), "449 glideListViewLib Argument not optional");
    EXPECT_EQ(s.Error("ItemsCheckAll(\"maybe\")"), "13 glideListViewLib Type mismatch");
    EXPECT_EQ(s.list->ItemCount(), 2);
    EXPECT_EQ(s.Get("hwnd").ToLong(), s.list->hwnd());
    EXPECT_FALSE(s.Get("HasFocus").ToBoolean());
}

TEST(Dispatch, ItemStoreMembersByName) {
    Script s;
    s.Call("Columns.Add(\"one\")");
    s.Call("Columns.Add(\"two\")");
    s.control->Invoke("AddItemQuick", CallKind::Method, std::vector<Variant>{Variant::Array({"a", 1, "a1", 2})});
    s.control->Invoke("InsertItemQuick", CallKind::Method, std::vector<Variant>{Variant::Array({1, "top", 0})});
    s.Call("AddItemQuick(\"plain\")");
    EXPECT_EQ(s.Items(), "top a plain");
    EXPECT_EQ(s.Get("NewIndex").ToLong(), 3);
    EXPECT_EQ(s.Get("ListItems.Item(2).SubItems.Item(1).Text").ToString(), "a1");
    EXPECT_EQ(s.Get("ListItems(2).SubItems(1).Text").ToString(), "a1");  // default members
    EXPECT_EQ(s.Get("Columns(2).Caption").ToString(), "two");
    EXPECT_EQ(s.Error("NewIndex(1)"),
              "450 glideListViewLib Wrong number of arguments or invalid property assignment");
    s.Call("BeginUpdate");
    EXPECT_FALSE(ControlTestAccess::View(*s.list).paintingEnabled);
    s.Call("EndUpdate");
    EXPECT_TRUE(ControlTestAccess::View(*s.list).paintingEnabled);
    s.Call("ClearItems");
    EXPECT_EQ(s.list->ItemCount(), 0);
    s.Call("ClearAll");
    EXPECT_EQ(s.list->ColumnCount(), 0);
}

TEST(Dispatch, RecordValuesAreDetachedCopies) {
    Script s;
    s.Call("Columns.Add(\"one\")");
    s.Call("Columns.Add(\"two\")");
    EXPECT_EQ(s.Error("TopItem"), "9 glideListViewLib Subscript out of range");  // no items yet
    s.AddItems({"a", "b"});
    s.Set("ListItems.Item(1).SubItems.Item(1).Text", "a1");
    const ObjectPtr top = s.Obj("TopItem");
    EXPECT_EQ(top->TypeName(), "tListItemInfo");
    EXPECT_EQ(On(top, "cLIText").ToString(), "a");
    EXPECT_EQ(On(top, "CLITEXT").ToString(), "a");
    EXPECT_EQ(On(top, "cLIBackColor").ToLong(), 0xFFFFFF);
    EXPECT_EQ(On(top, "cLIItemHeight").ToLong(), 16);
    const Variant subs = On(top, "cLISubListItemInfo");
    ASSERT_TRUE(subs.IsArray());
    EXPECT_EQ(subs.AsArray()->LBound, 1);
    ASSERT_EQ(subs.AsArray()->Items.size(), 2u);
    const ObjectPtr sub = subs.AsArray()->Items[0].ToObject();
    EXPECT_EQ(sub->TypeName(), "tSubListItemInfo");
    EXPECT_EQ(On(sub, "cSIText").ToString(), "a1");
    SetOn(top, "cLIText", "changed");  // only the copy changes
    EXPECT_EQ(On(top, "cLIText").ToString(), "changed");
    EXPECT_EQ(s.list->ItemRecord(1).cLIText, "a");
    EXPECT_EQ(SetErrorOn(top, "cLISubListItemInfo", 1),
              "438 glideListViewLib Object doesn't support this property or method");
    EXPECT_EQ(ErrorOn(top, "cLINothing"), "438 glideListViewLib Object doesn't support this property or method");
    EXPECT_EQ(SetErrorOn(top, "cLIIconIndex", 70000), "6 glideListViewLib Overflow");

    const ObjectPtr column = MakeRecordVariant(s.list->ColumnRecord(2)).ToObject();
    EXPECT_EQ(column->TypeName(), "tColHeaderInfo");
    EXPECT_EQ(On(column, "cHCaption").ToString(), "two");
    EXPECT_EQ(On(column, "cHIcon").ToLong(), -1);
}

TEST(Dispatch, StoredPropertiesGoThroughThePropertyTable) {
    Script s;
    s.AddItems({"a", "b", "c"});
    EXPECT_TRUE(s.Get("gridlines").ToBoolean());  // names are case-insensitive here too
    s.Set("MultiSelect", true);
    EXPECT_TRUE(ControlTestAccess::Props(*s.list).MultiSelect);
    s.Set("ListItems.Item(1).Selected", true);
    s.Set("ListItems.Item(3).Selected", true);  // MultiSelect keeps the first selected
    EXPECT_EQ(s.Items(), "*a b *c");
    EXPECT_EQ(s.SetError("ToolTipPreTime", 30001), "11 glideListViewLib.GlideListView ");
    EXPECT_EQ(s.Get("ToolTipPreTime").ToLong(), 1000);
    EXPECT_EQ(s.Error("GridLines(1)"),
              "450 glideListViewLib Wrong number of arguments or invalid property assignment");
    // The table's own rows come first: ListItems is a member here, not a stored value.
    EXPECT_EQ(s.Obj("ListItems")->TypeName(), "cListItems");
    s.list.reset();
    EXPECT_EQ(s.Error("GridLines"), "364 glideListViewLib.GlideListView Object has been unloaded.");
}
