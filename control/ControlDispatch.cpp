// The control as an automation object: one row per public member of GlideListView. The lookup
// and argument rules are core/Dispatch.h's, shared by every scriptable class.
#include <memory>

#include "control/Collections.h"
#include "control/ControlMembers.h"
#include "control/GlideExpandingRow.h"
#include "control/GlideListView.h"
#include "core/Dispatch.h"
#include "core/Errors.h"
#include "platform/Locale.h"

namespace glv {

namespace {

using L = GlideListView;

Variant AsVariant(std::shared_ptr<Object> object) { return Variant(ObjectPtr(std::move(object))); }

// Copies of records as an array with indexes 1..n (bounds 1 to 0 when there are none).
Variant RecordArray(const ItemRecords& records) {
    std::vector<Variant> elements;
    elements.reserve(records.size());
    for (const tListItemInfo& record : records) elements.push_back(MakeRecordVariant(record));
    return Variant::Array(std::move(elements), 1);
}

constexpr Variant Done() { return Variant(); }

// One row per public member of the control that exists so far. Stored properties are not
// listed: they are reached through the property table (GetProperty/SetProperty).
// clang-format off
constexpr Member<L> kControlMembers[] = {
    // Collections and item store
    {"ListItems", MemberKind::Property, 0, 0, [](L& l, Args) { return AsVariant(l.ListItems()); }},
    {"Columns", MemberKind::Property, 0, 0, [](L& l, Args) { return AsVariant(l.Columns()); }},
    {"NewIndex", MemberKind::Property, 0, 0, [](L& l, Args) { return Variant(l.NewIndex()); }},
    {"hwnd", MemberKind::Property, 0, 0, [](L& l, Args) { return Variant(static_cast<int32_t>(l.hwnd())); }},
    {"HasFocus", MemberKind::Property, 0, 0, [](L& l, Args) { return Variant(l.HasFocus()); }},
    {"TopItem", MemberKind::Property, 0, 0, [](L& l, Args) { return MakeRecordVariant(l.ItemRecord(l.TopIndex())); }},
    {"AddItemQuick", MemberKind::Method, 1, 1, [](L& l, Args a) { l.AddItemQuick(a[0]); return Done(); }},
    {"InsertItemQuick", MemberKind::Method, 1, 1, [](L& l, Args a) { l.InsertItemQuick(a[0]); return Done(); }},
    {"ClearItems", MemberKind::Method, 0, 0, [](L& l, Args) { l.ClearItems(); return Done(); }},
    {"ClearAll", MemberKind::Method, 0, 0, [](L& l, Args) { l.ClearAll(); return Done(); }},
    {"BeginUpdate", MemberKind::Method, 0, 0, [](L& l, Args) { l.BeginUpdate(); return Done(); }},
    {"EndUpdate", MemberKind::Method, 0, 0, [](L& l, Args) { l.EndUpdate(); return Done(); }},
    {"ColumnsTotalWidth", MemberKind::Method, 0, 0, [](L& l, Args) { return Variant(l.ColumnsTotalWidth()); }},
    {"ColumnsVisibleWidth", MemberKind::Method, 0, 0, [](L& l, Args) { return Variant(l.ColumnsVisibleWidth()); }},
    {"SwapColumns", MemberKind::Method, 2, 2,
     [](L& l, Args a) { return Variant(l.SwapColumns(a[0].ToInteger(l.locale()), a[1].ToInteger(l.locale()))); }},
    {"MoveColumn", MemberKind::Method, 2, 2,
     [](L& l, Args a) { return Variant(l.MoveColumn(a[0].ToInteger(l.locale()), a[1].ToInteger(l.locale()))); }},

    // Bulk operations and queries
    {"IsAnyChecked", MemberKind::Method, 0, 0, [](L& l, Args) { return Variant(l.IsAnyChecked()); }},
    {"IsAnySelected", MemberKind::Method, 0, 0, [](L& l, Args) { return Variant(l.IsAnySelected()); }},
    {"ItemsDeleteAll", MemberKind::Method, 0, 0, [](L& l, Args) { l.ItemsDeleteAll(); return Done(); }},
    {"ItemsDeleteSelected", MemberKind::Method, 0, 0, [](L& l, Args) { l.ItemsDeleteSelected(); return Done(); }},
    {"ItemsDeselectAll", MemberKind::Method, 0, 0, [](L& l, Args) { l.ItemsDeselectAll(); return Done(); }},
    {"ItemsSelectAll", MemberKind::Method, 0, 0, [](L& l, Args) { l.ItemsSelectAll(); return Done(); }},
    {"ItemsCheckAll", MemberKind::Method, 1, 1, [](L& l, Args a) { l.ItemsCheckAll(a[0].ToBoolean(l.locale())); return Done(); }},
    {"ItemInEdit", MemberKind::Method, 0, 0, [](L& l, Args) { return Variant(l.ItemInEdit()); }},
    {"CancelEdit", MemberKind::Method, 0, 0, [](L& l, Args) { l.CancelEdit(); return Done(); }},
    {"ItemsDisableAll", MemberKind::Method, 0, 0, [](L& l, Args) { l.ItemsDisableAll(); return Done(); }},
    {"ItemsEnableAll", MemberKind::Method, 0, 0, [](L& l, Args) { l.ItemsEnableAll(); return Done(); }},
    {"ItemsSelectRange", MemberKind::Method, 2, 2,
     [](L& l, Args a) { l.ItemsSelectRange(a[0].ToLong(l.locale()), a[1].ToLong(l.locale())); return Done(); }},
    {"IsVScrollVisible", MemberKind::Method, 0, 0, [](L& l, Args) { return Variant(l.IsVScrollVisible()); }},
    {"IsHScrollVisible", MemberKind::Method, 0, 0, [](L& l, Args) { return Variant(l.IsHScrollVisible()); }},
    {"ClientArea", MemberKind::Method, 0, 0, [](L& l, Args) { return MakeRecordVariant(l.ClientArea()); }},
    {"Refresh", MemberKind::Method, 0, 0, [](L& l, Args) { l.Refresh(); return Done(); }},
    {"AltKeyStatus", MemberKind::Method, 0, 0, [](L& l, Args) { return Variant(l.AltKeyStatus()); }},
    {"CtrlKeyStatus", MemberKind::Method, 0, 0, [](L& l, Args) { return Variant(l.CtrlKeyStatus()); }},
    {"hWndToolTip", MemberKind::Method, 1, 1, [](L& l, Args a) { return Variant(l.hWndToolTip(a[0].ToLong(l.locale()))); }},
    {"OLEDrag", MemberKind::Method, 0, 0, [](L& l, Args) { l.OLEDrag(); return Done(); }},
    {"SetExpandingRowRTControls", MemberKind::Method, 1, 1, [](L& l, Args a) {
         // Anything but a row control releases the one attached, as Nothing does.
         const ObjectPtr object = a[0].IsObject() ? a[0].AsObject() : nullptr;
         l.SetExpandingRowRTControls(std::dynamic_pointer_cast<GlideExpandingRow>(object));
         return Done(); }},
    {"SelectedItems", MemberKind::Property, 0, 0, [](L& l, Args) { return RecordArray(l.SelectedItems()); }},
    {"CheckedItems", MemberKind::Property, 0, 0, [](L& l, Args) { return RecordArray(l.CheckedItems()); }},
    {"SelectedCount", MemberKind::Property, 0, 0, [](L& l, Args) { return Variant(l.SelectedCount()); }},
    {"CheckedCount", MemberKind::Property, 0, 0, [](L& l, Args) { return Variant(l.CheckedCount()); }},
    {"SelectedIndex", MemberKind::Property, 0, 0, [](L& l, Args) { return Variant(l.SelectedIndex()); },
     [](L& l, Args, const Variant& v) { l.SetSelectedIndex(v.ToLong(l.locale())); }},
    {"CheckedIndex", MemberKind::Property, 0, 0, [](L& l, Args) { return Variant(l.CheckedIndex()); }},
    {"Selected", MemberKind::Property, 1, 1, [](L& l, Args a) { return Variant(l.Selected(a[0].ToLong(l.locale()))); }},
    {"SelectState", MemberKind::Property, 1, 1,
     [](L& l, Args a) { return Variant(l.SelectState(a[0].ToLong(l.locale()))); },
     [](L& l, Args a, const Variant& v) { l.SetSelectState(a[0].ToLong(l.locale()), v.ToBoolean(l.locale())); }},
    {"CheckedState", MemberKind::Property, 1, 1,
     [](L& l, Args a) { return Variant(l.CheckedState(a[0].ToLong(l.locale()))); },
     [](L& l, Args a, const Variant& v) { l.SetCheckedState(a[0].ToLong(l.locale()), v.ToBoolean(l.locale())); }},
    {"SetSelectAll", MemberKind::Method, 1, 1, [](L& l, Args a) { l.SetSelectAll(a[0].ToBoolean(l.locale())); return Done(); }},
    {"SetCheckAll", MemberKind::Method, 1, 1, [](L& l, Args a) { l.SetCheckAll(a[0].ToBoolean(l.locale())); return Done(); }},

    // Sorting
    {"Sort", MemberKind::Method, 2, 2,
     [](L& l, Args a) { l.Sort(a[0].ToLong(l.locale()), a[1].ToLong(l.locale())); return Done(); }},

    // Page functions
    {"FirstItemOnPage", MemberKind::Method, 0, 0, [](L& l, Args) { return Variant(l.FirstItemOnPage()); }},
    {"LastItemOnPage", MemberKind::Method, 0, 0, [](L& l, Args) { return Variant(l.LastItemOnPage()); }},
    {"ItemCountPerPage", MemberKind::Method, 0, 0, [](L& l, Args) { return Variant(l.ItemCountPerPage()); }},
    {"ItemEndOfPage", MemberKind::Method, 0, 0, [](L& l, Args) { return Variant(l.ItemEndOfPage()); }},
    {"FindFirstVisibleListItem", MemberKind::Method, 0, 0, [](L& l, Args) { return Variant(l.FindFirstVisibleListItem()); }},
    {"FindLastVisibleListItem", MemberKind::Method, 0, 0, [](L& l, Args) { return Variant(l.FindLastVisibleListItem()); }},
    {"FindNextVisibleItem", MemberKind::Method, 2, 2,
     [](L& l, Args a) { return Variant(l.FindNextVisibleItem(a[0].ToLong(l.locale()), a[1].ToBoolean(l.locale()))); }},
    {"FindVisibleItemByRange", MemberKind::Method, 3, 3,
     [](L& l, Args a) {
         return Variant(l.FindVisibleItemByRange(a[0].ToLong(l.locale()), a[1].ToLong(l.locale()),
                                                 a[2].ToBoolean(l.locale())));
     }},
    {"VisibleItemsRange", MemberKind::Method, 2, 2,
     [](L& l, Args a) { return Variant(l.VisibleItemsRange(a[0].ToLong(l.locale()), a[1].ToLong(l.locale()))); }},
    {"OffsetTopIndex", MemberKind::Method, 2, 2,
     [](L& l, Args a) { l.OffsetTopIndex(a[0].ToLong(l.locale()), a[1].ToBoolean(l.locale())); return Done(); }},
    {"EnsureVisible", MemberKind::Method, 1, 1, [](L& l, Args a) { l.EnsureVisible(a[0].ToLong(l.locale())); return Done(); }},

    // Image lists: SetImageList binds; the ImageList property takes an optional slot and a value
    // and keeps neither.
    {"SetImageList", MemberKind::Method, 2, 2, [](L& l, Args a) { l.SetImageList(a[0], a[1]); return Done(); }},
    {"ImageList", MemberKind::Property, 0, 1, [](L&, Args) { return Variant(ObjectPtr{}); },
     [](L& l, Args a, const Variant& v) { l.SetImageListProperty(Arg(a, 0), v); }},
};
// clang-format on

// Stored properties are reached through the property table: a read passes its index
// arguments, a write its index arguments and the value.
Variant InvokeStoredProperty(L& list, std::string_view name, CallKind kind, Args args) {
    if (kind != CallKind::Let) return list.GetProperty(name, args);
    if (args.empty()) RaiseRuntimeError(runtime_error::kWrongArgumentCount);
    list.SetProperty(name, args.back(), args.first(args.size() - 1));
    return {};
}

class ControlDispatch final : public Object {
public:
    ControlDispatch(const WindowSystem& windows, HWND hwnd) : windows_(&windows), hwnd_(hwnd) {}

    std::string TypeName() const override { return "GlideListView"; }

    Variant Invoke(std::string_view member, CallKind kind, std::span<const Variant> args) override {
        GlideListView* list = GlideListView::FromWindow(*windows_, hwnd_);
        if (!list) RaiseError(kErrObjectUnloaded, kSourceControl);
        if (const Member<L>* row = FindMember<L>(kControlMembers, member))
            return CallMember(*row, *list, kind, args);
        if (list->HasProperty(member)) return InvokeStoredProperty(*list, member, kind, args);
        RaiseRuntimeError(runtime_error::kNotSupported);
    }

private:
    const WindowSystem* windows_;  // the platform's, which outlives every control and object
    HWND hwnd_;
};

}  // namespace

std::span<const Member<GlideListView>> ControlMembers() { return kControlMembers; }

ObjectPtr GlideListView::DispatchObject() {
    return std::make_shared<ControlDispatch>(platform_.windows, hwnd_);
}

}  // namespace glv
