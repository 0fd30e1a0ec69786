// Test ideas not yet written: a cSubItem IconIndex that grows the row once image lists give a
// small-icon height; cListItems.Sort and cColumn.Sort once the sort engine exists.
#include <gtest/gtest.h>

#include "control/Collections.h"
#include "tests/support/dispatch_helpers.h"
#include "platform/StdFont.h"
#include "tests/support/control_access.h"

using namespace glv;
using namespace glv::test;

namespace {
constexpr const char* kSubscript = "9 glideListViewLib.cListItems Subscript out of range.";
constexpr const char* kRuntime9 = "9 glideListViewLib Subscript out of range";
constexpr const char* kHeader = "-2147196501 glideListViewLib.GlideListView Header does not exist.";
}  // namespace

TEST(ListItems, ElementObjectsNameIndexesNotItems) {
    Script s;
    s.AddItems({"a", "b", "c", "d"});
    ObjectPtr third = s.Obj("ListItems.Item(3)");
    EXPECT_EQ(On(third, "Text").ToString(), "c");
    s.Call("ListItems.Remove(1)");
    EXPECT_EQ(On(third, "Text").ToString(), "d");  // the object kept its index, not its item
    s.Call("ListItems.Remove(2)");
    EXPECT_EQ(ErrorOn(third, "Text"), kRuntime9);  // index 3 is past the end now
    EXPECT_EQ(SetErrorOn(third, "Text", "x"), "9 glideListViewLib.GlideListView Subscript out of range.");
    // Removing outside the list is ignored; a non-numeric index is a type mismatch.
    s.Call("ListItems.Remove(0)");
    s.Call("ListItems.Remove(3)");
    EXPECT_EQ(s.Error("ListItems.Remove(\"x\")"), "13 glideListViewLib Type mismatch");
    EXPECT_EQ(s.Items(), "b d");
}

TEST(ListItems, AddAndInsertArgumentsAndTheirObjects) {
    Script s;
    ObjectPtr a = s.Obj("ListItems.Add(\"a\")");
    EXPECT_EQ(On(a, "IconIndex"), Variant(int32_t{-1}));  // omitted icon; read as a Long
    EXPECT_TRUE(s.list->ItemRecord(1).cLIItemData.IsMissing());
    ObjectPtr b = s.Obj("ListItems.Add(\"b\", 4, 7, \"data\")");
    EXPECT_EQ(On(b, "IconIndex").ToLong(), 4);
    EXPECT_EQ(On(b, "Indent").ToLong(), 0);  // the Indent argument is not used
    EXPECT_EQ(On(b, "ItemData").ToString(), "data");
    ObjectPtr top = s.Obj("ListItems.Insert(1, \"top\")");
    EXPECT_EQ(On(top, "Text").ToString(), "top");
    EXPECT_EQ(s.Get("NewIndex").ToLong(), 3);
    ObjectPtr appended = s.Obj("ListItems.Insert(4, \"end\")");
    EXPECT_EQ(On(appended, "Text").ToString(), "end");
    // Nothing inserted: the object names index 0, whose reads and writes fail.
    ObjectPtr none = s.Obj("ListItems.Insert(6, \"x\")");
    EXPECT_EQ(ErrorOn(none, "Text"), kRuntime9);
    EXPECT_EQ(SetErrorOn(none, "Tag", "t"), "9 glideListViewLib.GlideListView Subscript out of range.");
    EXPECT_EQ(s.Items(), "top a b end");
    EXPECT_EQ(s.Get("ListItems.Count").ToLong(), 4);
}

TEST(ListItems, ItemIndexMustBeNumericAndInRange) {
    Script s;
    s.AddItems({"a", "b", "c"});
    EXPECT_EQ(s.Error("ListItems.Item(0)"), kSubscript);
    EXPECT_EQ(s.Error("ListItems.Item(4)"), kSubscript);
    EXPECT_EQ(s.Error("ListItems.Item(\"two\")"), kSubscript);  // keys are not supported
    EXPECT_EQ(s.Error("ListItems.Item(0.6)"), kSubscript);      // compared before rounding
    EXPECT_EQ(s.Get("ListItems.Item(\"2\").Text").ToString(), "b");
    EXPECT_EQ(s.Get("ListItems.Item(2.5).Text").ToString(), "b");  // half to even
    // Item is the default member.
    ObjectPtr items = s.Obj("ListItems");
    EXPECT_EQ(items->Invoke("", CallKind::Get, std::vector<Variant>{3}).ToObject()->Invoke("Text", CallKind::Get, {}).ToString(), "c");
    EXPECT_EQ(s.Error("ListItems.Item"), "449 glideListViewLib Argument not optional");
    EXPECT_EQ(s.Error("ListItems.Item(1, 2)"),
              "450 glideListViewLib Wrong number of arguments or invalid property assignment");
}

TEST(ListItem, SettersCheckTheIndexAndRepaintOrNotAsEachFieldSays) {
    Script s;
    s.AddItems({"a", "b"});
    ObjectPtr a = s.Obj("ListItems.Item(1)");
    struct Row {
        const char* member;
        Variant value;
        bool repaints;
    };
    const Row rows[] = {
        {"Text", "x", true},           {"ToolTipText", "tip", false}, {"ItemStringData", "s", false},
        {"Tag", "t", true},            {"BackColor", 255, true},     {"GroupHeader", true, true},
        {"FontItalic", true, true},    {"FontName", "DejaVu Serif", false},
        {"FontSize", 12, true},        {"ItemData", 5, true},        {"IconIndex", 3, true},
    };
    for (const Row& row : rows) {
        const int32_t before = s.Repaints();
        SetOn(a, row.member, row.value);
        EXPECT_EQ(s.Repaints() - before, row.repaints ? 1 : 0) << row.member;
        EXPECT_EQ(On(a, row.member).ToString(), row.value.ToString()) << row.member;
    }
    EXPECT_TRUE(s.list->GroupRecord(1).GroupHeader);
    EXPECT_EQ(On(a, "BackColor").Type(), VarType::Long);
    EXPECT_EQ(On(a, "Indent").Type(), VarType::Long);
    EXPECT_EQ(On(a, "FontSize").Type(), VarType::Single);
    // FontSize recomputed the height from the font; the grid line adds one.
    EXPECT_EQ(s.list->ItemRecord(1).cLIItemHeight, s.list->TextHeight(StdFont("DejaVu Serif", 12)) + 1);
    // An Integer field takes only Integer values.
    EXPECT_EQ(SetErrorOn(a, "IconIndex", 40000), "6 glideListViewLib Overflow");
    EXPECT_EQ(s.list->ItemRecord(1).cLIIconIndex, 3);
    // A colour may be given as its unsigned value.
    SetOn(a, "ForeColor", 2147483665.0);
    EXPECT_EQ(s.list->ItemRecord(1).cLIForeColor, 0x80000011u);
    EXPECT_EQ(On(a, "ForeColor").ToLong(), static_cast<int32_t>(0x80000011u));
    // While painting is off a field write does not repaint.
    s.list->BeginUpdate();
    const int32_t before = s.Repaints();
    SetOn(a, "Text", "y");
    EXPECT_EQ(s.Repaints(), before);
    EXPECT_EQ(s.Error("ListItems.Item(1).Nonsense"), "438 glideListViewLib Object doesn't support this property or method");
}

TEST(ListItem, SelectedVisibleAndSubItems) {
    Script s;
    s.AddItems({"a", "b", "c"});
    s.Set("ListItems.Item(1).Selected", true);
    s.Set("ListItems.Item(2).Selected", true);
    EXPECT_EQ(s.Items(), "a *b c");  // without MultiSelect the others are deselected first
    ControlTestAccess::Props(*s.list).MultiSelect = true;
    s.Set("ListItems.Item(3).Selected", true);
    EXPECT_EQ(s.Items(), "a *b *c");
    EXPECT_TRUE(s.Get("ListItems.Item(3).Selected").ToBoolean());
    s.Set("ListItems.Item(2).Visible", false);  // hiding clears every selection
    EXPECT_EQ(s.Items(), "a [b] c");
    EXPECT_EQ(s.list->VisibleItemCount(), 2);
    EXPECT_FALSE(s.Get("ListItems.Item(2).Visible").ToBoolean());
    EXPECT_EQ(s.SetError("ListItems.Item(1).Visible", false), "no error");
    EXPECT_EQ(s.Obj("ListItems.Item(1).SubItems")->TypeName(), "cSubItems");
    EXPECT_EQ(s.Error("ListItems.Item(1).Visible(1)"),
              "450 glideListViewLib Wrong number of arguments or invalid property assignment");
    // Edit is a no-op until editing exists; EnsureVisible checks the index.
    EXPECT_EQ(s.Error("ListItems.Item(1).Edit"), "no error");
    ObjectPtr stale = s.Obj("ListItems.Item(3)");
    s.Call("ListItems.Clear");
    EXPECT_EQ(ErrorOn(stale, "EnsureVisible"), "9 glideListViewLib.GlideListView Subscript out of range.");
}

TEST(SubItems, CountIndexesAndErrors) {
    Script s;
    s.Call("Columns.Add(\"one\")");
    s.AddItems({"a"});
    EXPECT_EQ(s.Get("ListItems.Item(1).SubItems.Count").ToLong(), 0);
    EXPECT_EQ(s.Error("ListItems.Item(1).SubItems.Item(1)"),
              "9 glideListViewLib.cSubItems Subscript out of range.");
    s.Call("Columns.Add(\"two\")");
    s.Call("Columns.Add(\"three\")");
    // "a" was made with one column: its sub-item array has one element.
    EXPECT_EQ(s.Get("ListItems.Item(1).SubItems.Count").ToLong(), 2);
    EXPECT_EQ(s.Get("ListItems.Item(1).SubItems.Item(1).Text").ToString(), "");
    EXPECT_EQ(s.Error("ListItems.Item(1).SubItems.Item(2).Text"), kRuntime9);
    EXPECT_EQ(s.SetError("ListItems.Item(1).SubItems.Item(2).Text", "x"), kRuntime9);
    s.AddItems({"b"});
    s.Set("ListItems.Item(2).SubItems.Item(2).Text", "b2");
    s.Set("ListItems.Item(2).SubItems(1).Text", "b1");  // Item is the default member
    EXPECT_EQ(s.list->SubItemRecord(2, 1).cSIText, "b1");
    EXPECT_EQ(s.list->SubItemRecord(2, 2).cSIText, "b2");
    EXPECT_EQ(s.Get("ListItems.Item(2).SubItems.Item(2).Index").ToLong(), 2);

    // The item index: Alignment checks it (code 8), the other setters leave it to the arrays.
    ObjectPtr sub = s.Obj("ListItems.Item(2).SubItems.Item(1)");
    s.Call("ListItems.Remove(2)");
    EXPECT_EQ(SetErrorOn(sub, "Alignment", 1), kHeader);
    EXPECT_EQ(SetErrorOn(sub, "Text", "x"), kRuntime9);
    EXPECT_EQ(ErrorOn(sub, "Text"), kRuntime9);

    // Clearing the columns leaves the sub-item index outside 1..count-1: code 10 on any member
    // except Index.
    s.Call("Columns.Clear");
    EXPECT_EQ(ErrorOn(sub, "Text"), "-2147196499 glideListViewLib.cSubItem SubItem does not exist.");
    EXPECT_EQ(SetErrorOn(sub, "Tag", "x"), "-2147196499 glideListViewLib.cSubItem SubItem does not exist.");
    EXPECT_EQ(On(sub, "Index").ToLong(), 1);
}

TEST(SubItem, WritesAndTheirRepaints) {
    Script s;
    s.Call("Columns.Add(\"one\")");
    s.Call("Columns.Add(\"two\")");
    s.AddItems({"a"});
    ObjectPtr sub = s.Obj("ListItems.Item(1).SubItems.Item(1)");
    const int32_t before = s.Repaints();
    for (const char* quiet : {"Tag", "ItemData", "ItemStringData"})
        SetOn(sub, quiet, "q");
    EXPECT_EQ(s.Repaints(), before);
    SetOn(sub, "IconIndex", 2);
    SetOn(sub, "FontBold", true);
    EXPECT_EQ(s.Repaints(), before + 2);
    // No image list yet: the row keeps its height.
    EXPECT_EQ(s.list->ItemRecord(1).cLIItemHeight, 16);
    const tSubListItemInfo& rec = s.list->SubItemRecord(1, 1);
    EXPECT_EQ(rec.cSIIconIndex, 2);
    EXPECT_TRUE(rec.cSIFontBold);
    EXPECT_EQ(rec.cSITag, std::string_view("q"));
    EXPECT_EQ(ErrorOn(sub, "FontSize"), "438 glideListViewLib Object doesn't support this property or method");
}

TEST(Columns, AddWidthsIconsAndMinWidth) {
    Script s;
    s.Call("Columns.Add(\"w80\", 2, 80)");
    s.Call("Columns.Add(\"w250\", null, 250)");
    ObjectPtr def = s.Obj("Columns.Add(\"default\")");
    s.Call("Columns.Add(\"half\", 1, 100.5)");
    s.Call("Columns.Add(\"half2\", 1, 101.5)");
    auto row = [&](int32_t i) {
        const tColHeaderInfo& c = s.list->ColumnRecord(i);
        return std::to_string(c.cHWidth) + "/" + std::to_string(c.cHMinWidth) + " icons " +
               std::to_string(c.cHIcon) + "," + std::to_string(c.cHIconHover) + "," + std::to_string(c.cHIconPress);
    };
    EXPECT_EQ(row(1), "80/80 icons 2,2,2");
    EXPECT_EQ(row(2), "250/100 icons -1,-1,-1");
    EXPECT_EQ(row(3), "100/100 icons -1,-1,-1");
    EXPECT_EQ(row(4), "100/100 icons 1,1,1");
    EXPECT_EQ(row(5), "102/100 icons 1,1,1");
    EXPECT_EQ(On(def, "Caption").ToString(), "default");
    EXPECT_EQ(On(def, "MinWidth").Type(), VarType::Single);
    EXPECT_EQ(s.Get("Columns.Count").ToLong(), 5);
}

TEST(Columns, AddExArgumentsAndDefaults) {
    Script s;
    ObjectPtr a = s.Obj("Columns.AddEx(\"a\", 1, 2, 255, 65280, null, null, 4, null, 9, 42, 1, 3, 100, 50)");
    ObjectPtr b = s.Obj("Columns.AddEx(\"b\", 0, 0, 0, 0, null, 7, null, null, 0, null, 0, 0, 120, 300)");
    const tColHeaderInfo& ca = s.list->ColumnRecord(1);
    EXPECT_EQ(ca.cHHAlignment, 1);
    EXPECT_EQ(ca.cHVAlignment, 2);
    EXPECT_EQ(ca.cHForeColor, 255u);
    EXPECT_EQ(ca.cHHoverForeColor, 65280u);
    EXPECT_EQ(ca.cHIcon, -1);
    EXPECT_EQ(ca.cHIconPress, 4);
    EXPECT_EQ(ca.cHIconHover, -1);
    EXPECT_EQ(ca.cHItemData, 9);
    EXPECT_EQ(ca.cHTag, std::string_view("42"));
    EXPECT_EQ(ca.cHSortType, 3);
    EXPECT_EQ(ca.cHWidth, 50);
    EXPECT_EQ(ca.cHMinWidth, 50);
    EXPECT_EQ(ca.cHFontName, std::string_view(s.container.AmbientFont.Name));
    EXPECT_EQ(On(b, "Width").ToLong(), 300);
    EXPECT_EQ(On(b, "MinWidth").ToLong(), 120);
    EXPECT_EQ(On(b, "Icon").ToLong(), 7);
    EXPECT_EQ(On(a, "Caption").ToString(), "a");  // each returned object names its new column
    EXPECT_EQ(On(b, "Caption").ToString(), "b");
    // Only the caption is required; a given font is copied into the column.
    auto font = std::make_shared<StdFont>("DejaVu Serif", 11.0f, true);
    s.Obj("Columns")->Invoke("AddEx", CallKind::Method, std::vector<Variant>{"c", 0, 0, 0, 0, ObjectPtr(font)});
    const tColHeaderInfo& cc = s.list->ColumnRecord(3);
    EXPECT_EQ(cc.cHFontName, std::string_view("DejaVu Serif"));
    EXPECT_TRUE(cc.cHFontBold);
    EXPECT_EQ(cc.cHWidth, 100);
    EXPECT_EQ(cc.cHMinWidth, 100);
    EXPECT_EQ(s.Error("Columns.AddEx(\"d\", 0, 0, 0, 0, \"not a font\")"), "424 glideListViewLib Object required");
    EXPECT_EQ(s.list->ColumnCount(), 3);
}

TEST(Columns, ItemExistsRemoveClearAndColumnErrors) {
    Script s;
    for (int i = 0; i < 4; ++i) s.Call("Columns.Add(\"c\")");
    s.AddItems({"a"});
    EXPECT_EQ(s.Error("Columns.Item(5)"), kHeader);
    EXPECT_EQ(s.Error("Columns.Item(0)"), kHeader);
    EXPECT_EQ(s.Error("Columns.Item(\"x\")"), "13 glideListViewLib Type mismatch");
    EXPECT_FALSE(s.Get("Columns.Exists(0)").ToBoolean());
    EXPECT_FALSE(s.Get("Columns.Exists(\"x\")").ToBoolean());
    EXPECT_TRUE(s.Get("Columns.Exists(4)").ToBoolean());
    s.Call("Columns.Remove(1)");
    EXPECT_EQ(s.list->ColumnCount(), 4);
    s.Set("Columns(2).Width", 60);
    s.Set("Columns.Item(2).MaxWidth", 250.5);  // a Single in pixels, stored whole (half to even)
    s.Set("Columns.Item(2).ShowCaret", false);
    EXPECT_EQ(s.list->ColumnRecord(2).cHWidth, 60);
    EXPECT_EQ(s.list->ColumnExtRecord(2).MaxWidth, 250);
    EXPECT_FALSE(s.list->ColumnExtRecord(2).ShowCaret);
    EXPECT_EQ(s.Get("Columns.Item(2).Left").ToLong(), 101);  // as painted: column 1 from x = 1
    EXPECT_EQ(s.SetError("Columns.Item(2).Left", 5), "438 glideListViewLib Object doesn't support this property or method");
    const int32_t before = s.Repaints();
    s.Set("Columns.Item(2).SortType", 4);
    s.Set("Columns.Item(2).Tag", "t");
    s.Set("Columns.Item(2).ItemData", 8);
    EXPECT_EQ(s.Repaints(), before);
    ObjectPtr col = s.Obj("Columns.Item(4)");
    s.Call("Columns.Clear");  // every column and every item
    EXPECT_EQ(s.list->ItemCount(), 0);
    EXPECT_EQ(SetErrorOn(col, "Width", 10), kHeader);
    EXPECT_EQ(SetErrorOn(col, "ShowCaret", true), kHeader);
    EXPECT_EQ(ErrorOn(col, "Width"), kRuntime9);
    EXPECT_EQ(ErrorOn(col, "Sort(0)"), kHeader);
}

TEST(Columns, TotalAndVisibleWidth) {
    Script s(400, 300);
    EXPECT_EQ(s.Call("ColumnsVisibleWidth").ToLong(), 0);
    EXPECT_EQ(s.Call("ColumnsTotalWidth").ToLong(), 0);
    s.Call("Columns.Add(\"a\", null, 100)");
    s.Call("Columns.Add(\"b\", null, 150)");
    s.Call("Columns.Add(\"c\", null, 60)");
    EXPECT_EQ(s.Call("ColumnsTotalWidth").ToLong(), 310);
    EXPECT_EQ(s.Call("ColumnsVisibleWidth").ToLong(), 309);
    s.list->Resize(200, 300);
    EXPECT_EQ(s.Call("ColumnsVisibleWidth").ToLong(), 198);
    ControlTestAccess::Frame(*s.list).vScrollVisible = true;  // the bar takes its size off the available width
    EXPECT_EQ(s.Call("ColumnsVisibleWidth").ToLong(), 200 - 17 - 2);
    s.list->Resize(329, 300);
    EXPECT_EQ(s.Call("ColumnsVisibleWidth").ToLong(), 309);  // exactly fits: total - 1
}

TEST(ElementObjects, EveryObjectReportsTheUnloadedControlWithItsSource) {
    Script s;
    s.Call("Columns.Add(\"a\")");
    s.Call("Columns.Add(\"b\")");
    s.AddItems({"x"});
    ObjectPtr items = s.Obj("ListItems");
    ObjectPtr item = s.Obj("ListItems.Item(1)");
    ObjectPtr subs = s.Obj("ListItems.Item(1).SubItems");
    ObjectPtr sub = s.Obj("ListItems.Item(1).SubItems.Item(1)");
    ObjectPtr cols = s.Obj("Columns");
    ObjectPtr col = s.Obj("Columns.Item(1)");
    auto cListItem = std::dynamic_pointer_cast<glv::cListItem>(item);
    ASSERT_TRUE(cListItem);
    EXPECT_EQ(cListItem->Text(), "x");
    s.list.reset();  // terminates and destroys the window
    const std::string unloaded = "364 glideListViewLib.";
    EXPECT_EQ(ErrorOn(items, "Count"), unloaded + "cListItems Object has been unloaded.");
    EXPECT_EQ(ErrorOn(item, "Text"), unloaded + "cListItems Object has been unloaded.");
    EXPECT_EQ(SetErrorOn(item, "Text", "y"), unloaded + "cListItems Object has been unloaded.");
    EXPECT_EQ(ErrorOn(col, "Width"), unloaded + "cListItems Object has been unloaded.");
    EXPECT_EQ(ErrorOn(cols, "Count"), unloaded + "cColumns Object has been unloaded.");
    EXPECT_EQ(ErrorOn(cols, "Remove(1)"), unloaded + "cColumns Object has been unloaded.");
    EXPECT_EQ(ErrorOn(subs, "Count"), unloaded + "cSubItems Object has been unloaded.");
    EXPECT_EQ(ErrorOn(sub, "Text"), unloaded + "cSubItem Object has been unloaded.");
    EXPECT_EQ(On(sub, "Index").ToLong(), 1);  // needs no control
    EXPECT_EQ(ErrorOf([&] { cListItem->SetText("z"); }), unloaded + "cListItems Object has been unloaded.");
    EXPECT_EQ(ErrorOn(s.control, "ListItems"), unloaded + "GlideListView Object has been unloaded.");
    EXPECT_EQ(ErrorOn(s.control, "NoSuchMember"), unloaded + "GlideListView Object has been unloaded.");
}

TEST(ElementObjects, TypedHostInterface) {
    Script s;
    std::shared_ptr<cColumns> columns = s.list->Columns();
    columns->Add("one");
    std::shared_ptr<cColumn> two = columns->Add("two", Variant::Missing(), 80.0f);
    EXPECT_EQ(two->MinWidth(), 80);
    two->SetCaption("Two");
    EXPECT_EQ(s.list->ColumnRecord(2).cHCaption, "Two");
    std::shared_ptr<cListItems> items = s.list->ListItems();
    std::shared_ptr<cListItem> a = items->Add("a", int16_t{3});
    a->SetToolTipText("tip");
    a->SetFontBold(true);
    EXPECT_EQ(a->ToolTipText(), "tip");
    EXPECT_EQ(a->IconIndex(), 3);
    std::shared_ptr<cSubItem> sub = a->SubItems()->Item(1);
    sub->SetText("a1");
    EXPECT_EQ(s.list->SubItemRecord(1, 1).cSIText, "a1");
    EXPECT_EQ(items->Count(), 1);
    EXPECT_EQ(ErrorOf([&] { items->Item(Variant(int32_t{2})); }), kSubscript);
    EXPECT_EQ(ErrorOf([&] { a->SubItems()->Item(2); }), "9 glideListViewLib.cSubItems Subscript out of range.");
}
