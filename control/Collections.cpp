#include "control/Collections.h"

#include <type_traits>

#include "core/Errors.h"
#include "control/GlideListView.h"
#include "platform/StdFont.h"

namespace glv {

// --- the control's side: field accessors and the hooks the element objects call ----------------

std::shared_ptr<cListItems> GlideListView::ListItems() const {
    return std::make_shared<cListItems>(platform_.windows, hwnd_);
}

std::shared_ptr<cColumns> GlideListView::Columns() const {
    return std::make_shared<cColumns>(platform_.windows, hwnd_);
}

tListItemInfo& GlideListView::ItemForWrite(int32_t index) {
    if (!items_.Contains(index)) RaiseError(kErrSubscript, kSourceControl);
    return items_.Item(index);
}

tItemGroupInfo& GlideListView::GroupForWrite(int32_t index) {
    if (!items_.Contains(index)) RaiseError(kErrSubscript, kSourceControl);
    return items_.Group(index);
}

tSubListItemInfo& GlideListView::SubItemForWrite(int32_t index, int32_t subIndex, bool checkItemIndex) {
    if (checkItemIndex && !items_.Contains(index)) RaiseError(kErrHeaderMissing, kSourceControl);
    // The other sub-item setters check nothing themselves: the arrays' bounds do.
    if (!items_.Contains(index)) RaiseRuntimeError(runtime_error::kSubscriptOutOfRange);
    auto& subs = items_.Item(index).cLISubListItemInfo;
    if (subIndex < 1 || subIndex > static_cast<int32_t>(subs.size()))
        RaiseRuntimeError(runtime_error::kSubscriptOutOfRange);
    return subs[static_cast<std::size_t>(subIndex - 1)];
}

tColHeaderInfo& GlideListView::ColumnForWrite(int32_t index) {
    if (!columns_.Contains(index)) RaiseError(kErrHeaderMissing, kSourceControl);
    return columns_.Column(index);
}

tColHeaderExtInfo& GlideListView::ColumnExtForWrite(int32_t index) {
    if (!columns_.Contains(index)) RaiseError(kErrHeaderMissing, kSourceControl);
    return columns_.Ext(index);
}

const tColHeaderExtInfo& GlideListView::ColumnExtRecord(int32_t index) const {
    if (!columns_.Contains(index)) RaiseRuntimeError(runtime_error::kSubscriptOutOfRange);
    return columns_.Ext(index);
}

void GlideListView::FieldWritten() {
    if (view_.paintingEnabled) Repaint();
}

void GlideListView::SubItemIconChanged(int32_t index) {
    tListItemInfo& item = items_.Item(index);
    const int32_t iconHeight = SmallIconHeight();
    if (item.cLIIconIndex < 1 && iconHeight > item.cLIItemHeight) item.cLIItemHeight = iconHeight;
}

// --- the objects ---------------------------------------------------------------------------------

GlideListView& ElementObject::Control() const {
    GlideListView* control = GlideListView::FromWindow(*windows_, hwnd_);
    if (!control) RaiseError(kErrObjectUnloaded, unloadedSource_);
    return *control;
}

namespace {

// Reading and writing one field of the records an element object names.

template <auto Ptr>
const FieldOf<Ptr>& ReadItemField(const GlideListView& list, int32_t index) {
    if constexpr (std::is_same_v<RecordOf<Ptr>, tListItemInfo>)
        return list.ItemRecord(index).*Ptr;
    else
        return list.GroupRecord(index).*Ptr;
}

template <auto Ptr, unsigned Rules>
void WriteItemField(GlideListView& list, int32_t index, const HostFieldType<Ptr>& value) {
    if constexpr (std::is_same_v<RecordOf<Ptr>, tListItemInfo>)
        list.ItemForWrite(index).*Ptr = value;
    else
        list.GroupForWrite(index).*Ptr = value;
    if constexpr ((Rules & kItemHeight) != 0)
        list.ItemFontChanged(index, (Rules & kRepaint) != 0);
    else if constexpr ((Rules & kRepaint) != 0)
        list.FieldWritten();
}

template <auto Ptr, unsigned Rules>
void WriteSubItemField(GlideListView& list, int32_t index, int32_t subIndex,
                       const HostFieldType<Ptr>& value) {
    list.SubItemForWrite(index, subIndex, (Rules & kCheckItem) != 0).*Ptr = value;
    if constexpr ((Rules & kIconHeight) != 0) list.SubItemIconChanged(index);
    if constexpr ((Rules & kRepaint) != 0) list.FieldWritten();
}

template <auto Ptr>
const FieldOf<Ptr>& ReadColumnField(const GlideListView& list, int32_t index) {
    if constexpr (std::is_same_v<RecordOf<Ptr>, tColHeaderInfo>)
        return list.ColumnRecord(index).*Ptr;
    else
        return list.ColumnExtRecord(index).*Ptr;
}

template <auto Ptr, unsigned Rules>
void WriteColumnField(GlideListView& list, int32_t index, const HostFieldType<Ptr>& value) {
    if constexpr (std::is_same_v<RecordOf<Ptr>, tColHeaderInfo>)
        list.ColumnForWrite(index).*Ptr = value;
    else
        list.ColumnExtForWrite(index).*Ptr = value;
    if constexpr ((Rules & kRepaint) != 0) list.FieldWritten();
}

// A field value as dispatch hands it out, and a dispatched value as the field takes it.
template <auto Ptr, unsigned Rules>
Variant FieldToVariant(const HostFieldType<Ptr>& value) {
    if constexpr ((Rules & kReadAsLong) != 0)
        return Variant(static_cast<int32_t>(value));
    else if constexpr ((Rules & kAsSingle) != 0)
        return Variant(static_cast<float>(value));
    else
        return ToVariant(value);
}

template <auto Ptr, unsigned Rules>
HostFieldType<Ptr> VariantToField(const Variant& value, const Locale& locale) {
    if constexpr ((Rules & kAsSingle) != 0)
        return SingleToPixels(value, locale);
    else
        return FromVariant<HostFieldType<Ptr>>(value, locale);
}

Variant AsVariant(std::shared_ptr<Object> object) { return Variant(ObjectPtr(std::move(object))); }

}  // namespace

// --- cListItems ----------------------------------------------------------------------------------

cListItems::cListItems(const WindowSystem& windows, HWND hwnd)
    : ElementObject(windows, hwnd, kSourceListItems) {}

std::shared_ptr<cListItem> cListItems::Add(const std::string& text, const Variant& icon,
                                           const Variant&, const Variant& itemData) {
    GlideListView& list = Control();
    const int16_t iconIndex = icon.IsMissing() ? int16_t{-1} : icon.ToInteger(list.locale());
    // The Indent argument is accepted for compatibility; a new item always starts unindented.
    const int32_t index = list.AddItem(text, iconIndex, 0, itemData);
    return std::make_shared<cListItem>(windows(), hwnd(), index);
}

std::shared_ptr<cListItem> cListItems::Insert(int32_t index, const std::string& text,
                                              const Variant& icon, const Variant&,
                                              const Variant& itemData) {
    GlideListView& list = Control();
    const int16_t iconIndex = icon.IsMissing() ? int16_t{-1} : icon.ToInteger(list.locale());
    const int32_t inserted = list.InsertItem(index, text, iconIndex, 0, itemData);
    return std::make_shared<cListItem>(windows(), hwnd(), inserted);
}

void cListItems::Sort(int32_t firstListIndex, int32_t lastListIndex, const Variant& column,
                      const Variant& sortOrder) {
    GlideListView& list = Control();
    const int16_t col = column.IsMissing() ? int16_t{0} : column.ToInteger(list.locale());
    const int32_t order = sortOrder.IsMissing() ? 0 : sortOrder.ToLong(list.locale());
    list.SortItems(firstListIndex, lastListIndex, col, order);
}

void cListItems::Clear() { Control().ClearItems(); }

int32_t cListItems::Count() const { return Control().ItemCount(); }

std::shared_ptr<cListItem> cListItems::Item(const Variant& index) const {
    GlideListView& list = Control();
    if (!index.IsNumeric(list.locale())) RaiseError(kErrSubscript, kSourceListItems);
    const double value = index.ToDouble(list.locale());
    if (value < 1 || value > list.ItemCount()) RaiseError(kErrSubscript, kSourceListItems);
    return std::make_shared<cListItem>(windows(), hwnd(), index.ToLong(list.locale()));
}

void cListItems::Remove(const Variant& index) {
    GlideListView& list = Control();
    list.RemoveItem(index.ToLong(list.locale()));
}

int32_t cListItems::CountPerPage() const { return Control().ItemCountPerPage(); }

std::span<const Member<cListItems>> cListItems::Members() {
    using Self = cListItems;
    static constexpr Member<Self> kMembers[] = {
        {"Add", MemberKind::Method, 1, 4,
         [](Self& s, Args a) {
             return AsVariant(s.Add(a[0].ToString(s.Control().locale()), Arg(a, 1), Arg(a, 2), Arg(a, 3)));
         }},
        {"Insert", MemberKind::Method, 2, 5,
         [](Self& s, Args a) {
             const Locale& loc = s.Control().locale();
             return AsVariant(s.Insert(a[0].ToLong(loc), a[1].ToString(loc), Arg(a, 2), Arg(a, 3), Arg(a, 4)));
         }},
        {"Sort", MemberKind::Method, 2, 4,
         [](Self& s, Args a) {
             const Locale& loc = s.Control().locale();
             s.Sort(a[0].ToLong(loc), a[1].ToLong(loc), Arg(a, 2), Arg(a, 3));
             return Variant();
         }},
        {"Clear", MemberKind::Method, 0, 0, [](Self& s, Args) { s.Clear(); return Variant(); }},
        {"Count", MemberKind::Property, 0, 0, [](Self& s, Args) { return Variant(s.Count()); }},
        {"Item", MemberKind::Property, 1, 1, [](Self& s, Args a) { return AsVariant(s.Item(a[0])); }},
        {"Remove", MemberKind::Method, 1, 1, [](Self& s, Args a) { s.Remove(a[0]); return Variant(); }},
        {"CountPerPage", MemberKind::Property, 0, 0, [](Self& s, Args) { return Variant(s.CountPerPage()); }},
    };
    return kMembers;
}

Variant cListItems::Invoke(std::string_view member, CallKind kind, std::span<const Variant> args) {
    return InvokeFromTable<cListItems>(Members(), *this, member, kind, args, "Item");
}

// --- cListItem -----------------------------------------------------------------------------------

cListItem::cListItem(const WindowSystem& windows, HWND hwnd, int32_t index)
    : ElementObject(windows, hwnd, kSourceListItems), index_(index) {}

#define GLV_DEFINE_ITEM_FIELD(Name, Ptr, Rules)                                         \
    HostFieldType<Ptr> cListItem::Name() const {                                        \
        return HostFieldType<Ptr>(ReadItemField<Ptr>(Control(), index_));               \
    }                                                                                   \
    void cListItem::Set##Name(const HostFieldType<Ptr>& value) {                        \
        WriteItemField<Ptr, Rules>(Control(), index_, value);                           \
    }
GLV_LIST_ITEM_FIELDS(GLV_DEFINE_ITEM_FIELD)
#undef GLV_DEFINE_ITEM_FIELD

bool cListItem::Selected() const { return Control().ItemRecord(index_).cLISelected; }

void cListItem::SetSelected(bool value) {
    GlideListView& list = Control();
    if (!list.MultiSelect()) list.ItemsDeselectAll();
    list.SetSelectState(index_, value);
}

bool cListItem::Visible() const { return Control().GroupRecord(index_).Visible; }

void cListItem::SetVisible(bool value) { Control().SetItemVisible(index_, value); }

std::shared_ptr<cSubItems> cListItem::SubItems() const {
    Control();
    return std::make_shared<cSubItems>(windows(), hwnd(), index_);
}

void cListItem::Edit() { Control().EditItem(index_); }

void cListItem::EnsureVisible() { Control().EnsureVisible(index_); }

// A field member of an element object: the typed accessor, reached by name. The value is
// converted after the control is found, so a stale object reports that first.
#define GLV_FIELD_ROW(Self, Name, Ptr, Rules, FindControl)                                      \
    Member<Self>{#Name, MemberKind::Property, 0, 0,                                             \
                 [](Self& s, Args) { return FieldToVariant<Ptr, Rules>(s.Name()); },            \
                 [](Self& s, Args, const Variant& v) {                                          \
                     s.Set##Name(VariantToField<Ptr, Rules>(v, s.FindControl().locale()));      \
                 }},

std::span<const Member<cListItem>> cListItem::Members() {
    using Self = cListItem;
#define GLV_ITEM_ROW(Name, Ptr, Rules) GLV_FIELD_ROW(Self, Name, Ptr, Rules, Control)
    static constexpr Member<Self> kMembers[] = {
        GLV_LIST_ITEM_FIELDS(GLV_ITEM_ROW)
        {"Selected", MemberKind::Property, 0, 0, [](Self& s, Args) { return Variant(s.Selected()); },
         [](Self& s, Args, const Variant& v) { s.SetSelected(v.ToBoolean(s.Control().locale())); }},
        {"Visible", MemberKind::Property, 0, 0, [](Self& s, Args) { return Variant(s.Visible()); },
         [](Self& s, Args, const Variant& v) { s.SetVisible(v.ToBoolean(s.Control().locale())); }},
        {"SubItems", MemberKind::Property, 0, 0, [](Self& s, Args) { return AsVariant(s.SubItems()); }},
        {"Edit", MemberKind::Method, 0, 0, [](Self& s, Args) { s.Edit(); return Variant(); }},
        {"EnsureVisible", MemberKind::Method, 0, 0, [](Self& s, Args) { s.EnsureVisible(); return Variant(); }},
    };
#undef GLV_ITEM_ROW
    return kMembers;
}

Variant cListItem::Invoke(std::string_view member, CallKind kind, std::span<const Variant> args) {
    return InvokeFromTable<cListItem>(Members(), *this, member, kind, args);
}

// --- cSubItems -----------------------------------------------------------------------------------

cSubItems::cSubItems(const WindowSystem& windows, HWND hwnd, int32_t itemIndex)
    : ElementObject(windows, hwnd, kSourceSubItems), itemIndex_(itemIndex) {}

int32_t cSubItems::Count() const { return Control().ColumnCount() - 1; }

std::shared_ptr<cSubItem> cSubItems::Item(int32_t index) const {
    const GlideListView& list = Control();
    if (index < 1 || index > list.ColumnCount() - 1) RaiseError(kErrSubscript, kSourceSubItems);
    return std::make_shared<cSubItem>(windows(), hwnd(), itemIndex_, index);
}

std::span<const Member<cSubItems>> cSubItems::Members() {
    using Self = cSubItems;
    static constexpr Member<Self> kMembers[] = {
        {"Count", MemberKind::Property, 0, 0, [](Self& s, Args) { return Variant(s.Count()); }},
        {"Item", MemberKind::Property, 1, 1,
         [](Self& s, Args a) { return AsVariant(s.Item(a[0].ToLong(s.Control().locale()))); }},
    };
    return kMembers;
}

Variant cSubItems::Invoke(std::string_view member, CallKind kind, std::span<const Variant> args) {
    return InvokeFromTable<cSubItems>(Members(), *this, member, kind, args, "Item");
}

// --- cSubItem ------------------------------------------------------------------------------------

cSubItem::cSubItem(const WindowSystem& windows, HWND hwnd, int32_t itemIndex, int32_t subItemIndex)
    : ElementObject(windows, hwnd, kSourceSubItem), itemIndex_(itemIndex), subItemIndex_(subItemIndex) {}

GlideListView& cSubItem::CheckedControl() const {
    GlideListView& list = Control();
    if (subItemIndex_ < 1 || subItemIndex_ > list.ColumnCount() - 1)
        RaiseError(kErrSubItemMissing, kSourceSubItem);
    return list;
}

#define GLV_DEFINE_SUB_ITEM_FIELD(Name, Ptr, Rules)                                              \
    HostFieldType<Ptr> cSubItem::Name() const {                                                  \
        return HostFieldType<Ptr>(CheckedControl().SubItemRecord(itemIndex_, subItemIndex_).*Ptr); \
    }                                                                                            \
    void cSubItem::Set##Name(const HostFieldType<Ptr>& value) {                                  \
        WriteSubItemField<Ptr, Rules>(CheckedControl(), itemIndex_, subItemIndex_, value);       \
    }
GLV_SUB_ITEM_FIELDS(GLV_DEFINE_SUB_ITEM_FIELD)
#undef GLV_DEFINE_SUB_ITEM_FIELD

std::span<const Member<cSubItem>> cSubItem::Members() {
    using Self = cSubItem;
#define GLV_SUB_ITEM_ROW(Name, Ptr, Rules) GLV_FIELD_ROW(Self, Name, Ptr, Rules, CheckedControl)
    static constexpr Member<Self> kMembers[] = {
        GLV_SUB_ITEM_FIELDS(GLV_SUB_ITEM_ROW)
        {"Index", MemberKind::Property, 0, 0, [](Self& s, Args) { return Variant(s.Index()); }},
    };
#undef GLV_SUB_ITEM_ROW
    return kMembers;
}

Variant cSubItem::Invoke(std::string_view member, CallKind kind, std::span<const Variant> args) {
    return InvokeFromTable<cSubItem>(Members(), *this, member, kind, args);
}

// --- cColumns ------------------------------------------------------------------------------------

cColumns::cColumns(const WindowSystem& windows, HWND hwnd)
    : ElementObject(windows, hwnd, kSourceColumns) {}

std::shared_ptr<cColumn> cColumns::Add(const std::string& caption, const Variant& icon,
                                       const Variant& width) {
    GlideListView& list = Control();
    const int16_t iconIndex = icon.IsMissing() ? int16_t{-1} : icon.ToInteger(list.locale());
    const int32_t pixels = width.IsMissing() ? 100 : SingleToPixels(width, list.locale());
    const int32_t index = list.AddColumn(caption, iconIndex, pixels);
    return std::make_shared<cColumn>(windows(), hwnd(), index);
}

std::shared_ptr<cColumn> cColumns::AddEx(const ColumnAddExArgs& args) {
    GlideListView& list = Control();
    const Locale& loc = list.locale();
    auto icon = [&](const Variant& v) { return v.IsMissing() ? int16_t{-1} : v.ToInteger(loc); };
    ColumnSpec desc;
    desc.caption = args.caption;
    desc.hAlign = args.hAlign;
    desc.vAlign = args.vAlign;
    desc.foreColor = args.foreColor;
    desc.hoverForeColor = args.hoverForeColor;
    desc.font = args.font ? *args.font : list.container().AmbientFont;
    desc.icon = icon(args.icon);
    desc.downIcon = icon(args.downIcon);
    desc.hoverIcon = icon(args.hoverIcon);
    desc.itemData = args.itemData;
    desc.tag = args.tag.IsMissing() ? std::string() : args.tag.ToString(loc);
    desc.sortType = args.sortType;
    desc.minWidth = args.minWidth;
    desc.width = args.width;
    const int32_t index = list.AddColumnEx(desc);
    return std::make_shared<cColumn>(windows(), hwnd(), index);
}

void cColumns::Clear() { Control().ClearAll(); }

int32_t cColumns::Count() const { return Control().ColumnCount(); }

bool cColumns::Exists(const Variant& index) const {
    Control();
    try {
        Item(index);
        return true;
    } catch (const AutomationError&) {
        return false;
    }
}

std::shared_ptr<cColumn> cColumns::Item(const Variant& index) const {
    const GlideListView& list = Control();
    const double value = index.ToDouble(list.locale());
    if (value < 1 || value > list.ColumnCount()) RaiseError(kErrHeaderMissing, kSourceControl);
    return std::make_shared<cColumn>(windows(), hwnd(), index.ToLong(list.locale()));
}

void cColumns::Remove(const Variant&) { Control(); }

namespace {

// Columns.AddEx's positional arguments, converted with the runtime's rules.
ColumnAddExArgs AddExArgs(Args a, const Locale& loc) {
    ColumnAddExArgs x;
    auto given = [&](std::size_t i) { return !Arg(a, i).IsMissing(); };
    x.caption = a[0].ToString(loc);
    if (given(1)) x.hAlign = a[1].ToLong(loc);
    if (given(2)) x.vAlign = a[2].ToLong(loc);
    if (given(3)) x.foreColor = FromVariant<OLE_COLOR>(a[3], loc);
    if (given(4)) x.hoverForeColor = FromVariant<OLE_COLOR>(a[4], loc);
    if (given(5)) {
        const ObjectPtr font = a[5].ToObject();
        if (font) {
            x.font = std::dynamic_pointer_cast<const StdFont>(font);
            if (!x.font) RaiseRuntimeError(runtime_error::kTypeMismatch);
        }
    }
    x.icon = Arg(a, 6);
    x.downIcon = Arg(a, 7);
    x.hoverIcon = Arg(a, 8);
    if (given(9)) x.itemData = a[9].ToLong(loc);
    if (given(10)) x.tag = a[10];
    if (given(11)) x.sortOrder = a[11].ToLong(loc);
    if (given(12)) x.sortType = a[12].ToLong(loc);
    if (given(13)) x.minWidth = a[13].ToLong(loc);
    if (given(14)) x.width = a[14].ToLong(loc);
    if (given(15)) x.useMaskColor = a[15].ToBoolean(loc);
    if (given(16)) x.maskColor = FromVariant<OLE_COLOR>(a[16], loc);
    return x;
}

}  // namespace

std::span<const Member<cColumns>> cColumns::Members() {
    using Self = cColumns;
    static constexpr Member<Self> kMembers[] = {
        {"Add", MemberKind::Method, 1, 3,
         [](Self& s, Args a) {
             return AsVariant(s.Add(a[0].ToString(s.Control().locale()), Arg(a, 1), Arg(a, 2)));
         }},
        {"AddEx", MemberKind::Method, 1, 17,
         [](Self& s, Args a) { return AsVariant(s.AddEx(AddExArgs(a, s.Control().locale()))); }},
        {"Clear", MemberKind::Method, 0, 0, [](Self& s, Args) { s.Clear(); return Variant(); }},
        {"Count", MemberKind::Property, 0, 0, [](Self& s, Args) { return Variant(s.Count()); }},
        {"Exists", MemberKind::Method, 1, 1, [](Self& s, Args a) { return Variant(s.Exists(a[0])); }},
        {"Item", MemberKind::Property, 1, 1, [](Self& s, Args a) { return AsVariant(s.Item(a[0])); }},
        {"Remove", MemberKind::Method, 1, 1, [](Self& s, Args a) { s.Remove(a[0]); return Variant(); }},
    };
    return kMembers;
}

Variant cColumns::Invoke(std::string_view member, CallKind kind, std::span<const Variant> args) {
    return InvokeFromTable<cColumns>(Members(), *this, member, kind, args, "Item");
}

// --- cColumn -------------------------------------------------------------------------------------

cColumn::cColumn(const WindowSystem& windows, HWND hwnd, int32_t index)
    : ElementObject(windows, hwnd, kSourceListItems), index_(index) {}

#define GLV_DEFINE_COLUMN_FIELD(Name, Ptr, Rules)                                       \
    HostFieldType<Ptr> cColumn::Name() const {                                          \
        return HostFieldType<Ptr>(ReadColumnField<Ptr>(Control(), index_));             \
    }                                                                                   \
    void cColumn::Set##Name(const HostFieldType<Ptr>& value) {                          \
        WriteColumnField<Ptr, Rules>(Control(), index_, value);                         \
    }
GLV_COLUMN_FIELDS(GLV_DEFINE_COLUMN_FIELD)
#undef GLV_DEFINE_COLUMN_FIELD

int32_t cColumn::Left() const { return Control().ColumnRecord(index_).cHCollX; }

void cColumn::Sort(int32_t sortOrder) { Control().SortColumn(index_, sortOrder); }

std::span<const Member<cColumn>> cColumn::Members() {
    using Self = cColumn;
#define GLV_COLUMN_ROW(Name, Ptr, Rules) GLV_FIELD_ROW(Self, Name, Ptr, Rules, Control)
    static constexpr Member<Self> kMembers[] = {
        GLV_COLUMN_FIELDS(GLV_COLUMN_ROW)
        {"Left", MemberKind::Property, 0, 0, [](Self& s, Args) { return Variant(s.Left()); }},
        {"Sort", MemberKind::Method, 1, 1,
         [](Self& s, Args a) { s.Sort(a[0].ToLong(s.Control().locale())); return Variant(); }},
    };
#undef GLV_COLUMN_ROW
    return kMembers;
}

Variant cColumn::Invoke(std::string_view member, CallKind kind, std::span<const Variant> args) {
    return InvokeFromTable<cColumn>(Members(), *this, member, kind, args);
}

#undef GLV_FIELD_ROW

}  // namespace glv
