#pragma once
// The collection and element objects through which a host reaches items, sub-items and columns:
// cListItems, cListItem, cSubItems, cSubItem, cColumns and cColumn.
//
// None of them stores data. Each holds the control's window handle and its indexes, finds the
// control again on every call through the window property the control registers, and forwards
// to the control's field accessors. So an object never keeps the control alive, and once the
// control's window is gone every call fails with "Object has been unloaded." (364). Indexes are
// fixed when the object is made: after an insert, a removal or a sort an element object refers to
// whatever record now holds its index.
//
// Each class is reachable by name through Invoke (one member table per class) and from C++
// through the typed methods below. The field members are generated from the lists
// GLV_*_FIELDS, so the typed accessors and the dispatch rows cannot drift apart.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "core/Dispatch.h"
#include "core/Records.h"
#include "platform/WindowSystem.h"

namespace glv {

class GlideListView;
class StdFont;

// What a field write does besides storing the value.
enum FieldRule : unsigned {
    kNoRepaint = 0,
    kRepaint = 1u << 0,      // repaint when painting is enabled
    kItemHeight = 1u << 1,   // recompute the item's row height from its font
    kReadAsLong = 1u << 2,   // read through dispatch as a Long (stored as an Integer)
    kCheckItem = 1u << 3,    // sub-item write that checks the item index (error code 8)
    kIconHeight = 1u << 4,   // sub-item icon: the row grows to the small-icon height
    kAsSingle = 1u << 5,     // exchanged through dispatch as a Single in surface units (pixels)
};

// The C++ type a host sees for a record field (shared strings read as plain strings).
template <class T>
struct HostTypeOf {
    using type = T;
};
template <>
struct HostTypeOf<SharedString> {
    using type = std::string;
};
template <auto Ptr>
using HostFieldType = typename HostTypeOf<FieldOf<Ptr>>::type;

// clang-format off
// cListItem fields: name, field (tListItemInfo or tItemGroupInfo), rules.
#define GLV_LIST_ITEM_FIELDS(X)                                                                   \
    X(Alignment, &tListItemInfo::cLIItemHAlign, kRepaint)                                        \
    X(BackColor, &tListItemInfo::cLIBackColor, kRepaint)                                         \
    X(Checked, &tListItemInfo::cLIItemChecked, kRepaint)                                         \
    X(Enabled, &tListItemInfo::cLIEnabled, kRepaint)                                             \
    X(ForeColor, &tListItemInfo::cLIForeColor, kRepaint)                                         \
    X(FontName, &tListItemInfo::cLIFontName, kItemHeight)                                        \
    X(FontBold, &tListItemInfo::cLIFontBold, kItemHeight | kRepaint)                             \
    X(FontItalic, &tListItemInfo::cLIFontItalic, kRepaint)                                       \
    X(FontStrikeThrough, &tListItemInfo::cLIFontStrikeThrough, kRepaint)                         \
    X(FontSize, &tListItemInfo::cLIFontSize, kItemHeight | kRepaint)                             \
    X(FontUnderline, &tListItemInfo::cLIFontUnderline, kItemHeight | kRepaint)                   \
    X(GroupHeader, &tItemGroupInfo::GroupHeader, kRepaint)                                       \
    X(GroupHeaderAlignment, &tItemGroupInfo::GroupHeaderAlignment, kRepaint)                     \
    X(GroupHeaderCaptionSeperation, &tItemGroupInfo::GroupHeaderCaptionSeperation, kRepaint)     \
    X(GroupHeaderMargin, &tItemGroupInfo::GroupHeaderMargin, kRepaint)                           \
    X(GroupHeaderHeight, &tItemGroupInfo::GroupHeaderHeight, kRepaint)                           \
    X(GroupSeperator, &tItemGroupInfo::GroupSeperator, kRepaint)                                 \
    X(GroupSeperatorColor, &tItemGroupInfo::GroupSeperatorColor, kRepaint)                       \
    X(GroupSeperatorThick, &tItemGroupInfo::GroupSeperatorThick, kRepaint)                       \
    X(GroupState, &tItemGroupInfo::GroupState, kRepaint)                                         \
    X(IconIndex, &tListItemInfo::cLIIconIndex, kRepaint | kReadAsLong)                           \
    X(Indent, &tListItemInfo::cLIIndent, kRepaint | kReadAsLong)                                 \
    X(ItemData, &tListItemInfo::cLIItemData, kRepaint)                                           \
    X(ItemStringData, &tListItemInfo::cLIItemStringData, kNoRepaint)                             \
    X(OverLap, &tListItemInfo::cLIOverLap, kRepaint)                                             \
    X(PictureOnRight, &tListItemInfo::cLIPictureOnRight, kRepaint)                               \
    X(Selectable, &tListItemInfo::cLISelectable, kRepaint)                                       \
    X(Tag, &tListItemInfo::cLITag, kRepaint)                                                     \
    X(Text, &tListItemInfo::cLIText, kRepaint)                                                   \
    X(ToolTipText, &tListItemInfo::cLIToolTipText, kNoRepaint)

// cSubItem fields.
#define GLV_SUB_ITEM_FIELDS(X)                                                                    \
    X(Alignment, &tSubListItemInfo::cSIItemHAlign, kRepaint | kCheckItem)                        \
    X(BackColor, &tSubListItemInfo::cSIBackColor, kRepaint)                                      \
    X(ForeColor, &tSubListItemInfo::cSIForeColor, kRepaint)                                      \
    X(FontName, &tSubListItemInfo::cSIFontName, kRepaint)                                        \
    X(FontBold, &tSubListItemInfo::cSIFontBold, kRepaint)                                        \
    X(FontItalic, &tSubListItemInfo::cSIFontItalic, kRepaint)                                    \
    X(FontStrikeThrough, &tSubListItemInfo::cSIFontStrikeThrough, kRepaint)                      \
    X(FontUnderline, &tSubListItemInfo::cSIFontUnderline, kRepaint)                              \
    X(IconIndex, &tSubListItemInfo::cSIIconIndex, kRepaint | kIconHeight)                        \
    X(Indent, &tSubListItemInfo::cSIIndent, kRepaint)                                            \
    X(PictureOnRight, &tSubListItemInfo::cSIPictureOnRight, kRepaint)                            \
    X(ItemData, &tSubListItemInfo::cSIItemData, kNoRepaint)                                      \
    X(ItemStringData, &tSubListItemInfo::cSIItemStringData, kNoRepaint)                          \
    X(Tag, &tSubListItemInfo::cSITag, kNoRepaint)                                                \
    X(Text, &tSubListItemInfo::cSIText, kRepaint)

// cColumn fields (tColHeaderInfo, or tColHeaderExtInfo for MaxWidth and ShowCaret).
#define GLV_COLUMN_FIELDS(X)                                                                      \
    X(AlignmentH, &tColHeaderInfo::cHHAlignment, kRepaint)                                       \
    X(AlignmentV, &tColHeaderInfo::cHVAlignment, kRepaint)                                       \
    X(Caption, &tColHeaderInfo::cHCaption, kRepaint)                                             \
    X(ForeColor, &tColHeaderInfo::cHForeColor, kRepaint)                                         \
    X(FontName, &tColHeaderInfo::cHFontName, kRepaint)                                           \
    X(FontBold, &tColHeaderInfo::cHFontBold, kRepaint)                                           \
    X(FontItalic, &tColHeaderInfo::cHFontItalic, kRepaint)                                       \
    X(FontStrikeThrough, &tColHeaderInfo::cHFontStrikeThrough, kRepaint)                         \
    X(FontSize, &tColHeaderInfo::cHFontSize, kRepaint)                                           \
    X(FontUnderline, &tColHeaderInfo::cHFontUnderline, kRepaint)                                 \
    X(HoverForeColor, &tColHeaderInfo::cHHoverForeColor, kRepaint)                               \
    X(Icon, &tColHeaderInfo::cHIcon, kRepaint)                                                   \
    X(IconHover, &tColHeaderInfo::cHIconHover, kRepaint)                                         \
    X(IconPress, &tColHeaderInfo::cHIconPress, kRepaint)                                         \
    X(ItemData, &tColHeaderInfo::cHItemData, kNoRepaint)                                         \
    X(MinWidth, &tColHeaderInfo::cHMinWidth, kRepaint | kAsSingle)                               \
    X(MaxWidth, &tColHeaderExtInfo::MaxWidth, kRepaint | kAsSingle)                              \
    X(PictureOnRight, &tColHeaderInfo::cHPictureOnRight, kRepaint)                               \
    X(ShowCaret, &tColHeaderExtInfo::ShowCaret, kRepaint)                                        \
    X(SortType, &tColHeaderInfo::cHSortType, kNoRepaint)                                         \
    X(Tag, &tColHeaderInfo::cHTag, kNoRepaint)                                                   \
    X(Width, &tColHeaderInfo::cHWidth, kRepaint)
// clang-format on

#define GLV_DECLARE_FIELD(Name, Ptr, Rules) \
    HostFieldType<Ptr> Name() const;        \
    void Set##Name(const HostFieldType<Ptr>& value);

class cListItem;
class cSubItems;
class cSubItem;
class cColumn;

// What every collection and element object shares: the control's window and the way back to
// the control.
class ElementObject : public Object {
public:
    HWND hwnd() const { return hwnd_; }

    // The control, found again through its window; error code 1 with this object's source name
    // once the window is gone or the control is no longer registered on it.
    GlideListView& Control() const;

protected:
    ElementObject(const WindowSystem& windows, HWND hwnd, std::string_view unloadedSource)
        : windows_(&windows), hwnd_(hwnd), unloadedSource_(unloadedSource) {}

    const WindowSystem& windows() const { return *windows_; }

private:
    const WindowSystem* windows_;  // the platform's, which outlives every control and object
    HWND hwnd_;
    std::string_view unloadedSource_;
};

class cListItems final : public ElementObject {
public:
    cListItems(const WindowSystem& windows, HWND hwnd);

    // Icon -1 when omitted; Indent is accepted and not used (new items have indent 0).
    std::shared_ptr<cListItem> Add(const std::string& text, const Variant& icon = Variant::Missing(),
                                   const Variant& indent = Variant::Missing(),
                                   const Variant& itemData = Variant::Missing());
    // The object refers to index 0 when nothing was inserted; its members then fail.
    std::shared_ptr<cListItem> Insert(int32_t index, const std::string& text,
                                      const Variant& icon = Variant::Missing(),
                                      const Variant& indent = Variant::Missing(),
                                      const Variant& itemData = Variant::Missing());
    // Column 0 and the default order when omitted.
    void Sort(int32_t firstListIndex, int32_t lastListIndex, const Variant& column = Variant::Missing(),
              const Variant& sortOrder = Variant::Missing());
    void Clear();
    int32_t Count() const;
    // Numeric index in 1..count, else error code 6 (source cListItems). Keys are not supported.
    std::shared_ptr<cListItem> Item(const Variant& index) const;
    // A non-numeric index is a type mismatch; indexes outside the list are ignored.
    void Remove(const Variant& index);
    int32_t CountPerPage() const;

    // The member table Invoke reads, one row per member reachable by name.
    static std::span<const Member<cListItems>> Members();
    std::string TypeName() const override { return "cListItems"; }
    Variant Invoke(std::string_view member, CallKind kind, std::span<const Variant> args) override;
};

class cListItem final : public ElementObject {
public:
    cListItem(const WindowSystem& windows, HWND hwnd, int32_t index);
    int32_t index() const { return index_; }

    GLV_LIST_ITEM_FIELDS(GLV_DECLARE_FIELD)
    bool Selected() const;
    // Without MultiSelect every other item is deselected first.
    void SetSelected(bool value);
    bool Visible() const;
    void SetVisible(bool value);
    std::shared_ptr<cSubItems> SubItems() const;
    void Edit();
    void EnsureVisible();

    // The member table Invoke reads, one row per member reachable by name.
    static std::span<const Member<cListItem>> Members();
    std::string TypeName() const override { return "cListItem"; }
    Variant Invoke(std::string_view member, CallKind kind, std::span<const Variant> args) override;

private:
    int32_t index_;
};

class cSubItems final : public ElementObject {
public:
    cSubItems(const WindowSystem& windows, HWND hwnd, int32_t itemIndex);
    int32_t itemIndex() const { return itemIndex_; }

    // Column count - 1: one sub-item per column after the first.
    int32_t Count() const;
    // 1..Count(), else error code 6 (source cSubItems).
    std::shared_ptr<cSubItem> Item(int32_t index) const;

    // The member table Invoke reads, one row per member reachable by name.
    static std::span<const Member<cSubItems>> Members();
    std::string TypeName() const override { return "cSubItems"; }
    Variant Invoke(std::string_view member, CallKind kind, std::span<const Variant> args) override;

private:
    int32_t itemIndex_;
};

class cSubItem final : public ElementObject {
public:
    cSubItem(const WindowSystem& windows, HWND hwnd, int32_t itemIndex, int32_t subItemIndex);
    int32_t itemIndex() const { return itemIndex_; }

    GLV_SUB_ITEM_FIELDS(GLV_DECLARE_FIELD)
    // The held sub-item index; the only member that does not need the control.
    int32_t Index() const { return subItemIndex_; }

    // The control, after checking that the sub-item index names a column after the first
    // (error code 10, source cSubItem).
    GlideListView& CheckedControl() const;

    // The member table Invoke reads, one row per member reachable by name.
    static std::span<const Member<cSubItem>> Members();
    std::string TypeName() const override { return "cSubItem"; }
    Variant Invoke(std::string_view member, CallKind kind, std::span<const Variant> args) override;

private:
    int32_t itemIndex_;
    int32_t subItemIndex_;
};

// The arguments of Columns.AddEx in their published order; omitted ones keep these defaults.
struct ColumnAddExArgs {
    std::string caption;
    int32_t hAlign = 0;
    int32_t vAlign = 0;
    OLE_COLOR foreColor = 0;
    OLE_COLOR hoverForeColor = 0;
    std::shared_ptr<const StdFont> font;  // nullptr: the container's ambient font
    Variant icon = Variant::Missing();      // omitted icons are -1
    Variant downIcon = Variant::Missing();
    Variant hoverIcon = Variant::Missing();
    int32_t itemData = 0;
    Variant tag;
    int32_t sortOrder = 0;                 // accepted, not stored
    int32_t sortType = 0;
    int32_t minWidth = 100;
    int32_t width = 100;
    bool useMaskColor = true;              // accepted, not stored
    OLE_COLOR maskColor = 0xFF00FF;        // accepted, not stored
};

class cColumns final : public ElementObject {
public:
    cColumns(const WindowSystem& windows, HWND hwnd);

    // Icon -1 when omitted; Width rounded to whole pixels, half to even.
    std::shared_ptr<cColumn> Add(const std::string& caption, const Variant& icon = Variant::Missing(),
                                 const Variant& width = Variant::Missing());
    std::shared_ptr<cColumn> AddEx(const ColumnAddExArgs& args);
    // Removes every column and every item.
    void Clear();
    int32_t Count() const;
    // True when Item(index) succeeds; any error it raises gives False.
    bool Exists(const Variant& index) const;
    // 1..count compared as a number (non-numeric: type mismatch), else error code 8.
    std::shared_ptr<cColumn> Item(const Variant& index) const;
    // Columns are removed only all at once (Clear): this does nothing.
    void Remove(const Variant& index);

    // The member table Invoke reads, one row per member reachable by name.
    static std::span<const Member<cColumns>> Members();
    std::string TypeName() const override { return "cColumns"; }
    Variant Invoke(std::string_view member, CallKind kind, std::span<const Variant> args) override;
};

class cColumn final : public ElementObject {
public:
    cColumn(const WindowSystem& windows, HWND hwnd, int32_t index);
    int32_t index() const { return index_; }

    GLV_COLUMN_FIELDS(GLV_DECLARE_FIELD)
    // Left edge of the column as last painted.
    int32_t Left() const;
    // Sorts all items by this column (error code 8 when it no longer exists).
    void Sort(int32_t sortOrder);

    // The member table Invoke reads, one row per member reachable by name.
    static std::span<const Member<cColumn>> Members();
    std::string TypeName() const override { return "cColumn"; }
    Variant Invoke(std::string_view member, CallKind kind, std::span<const Variant> args) override;

private:
    int32_t index_;
};

}  // namespace glv
