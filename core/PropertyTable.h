#pragma once
// The property table: one descriptor per property of the control, and the order in which the
// persisted ones are loaded and saved.
//
// Everything about a property that is the same for every property lives here as data: its
// public name, the name it is persisted under, the name the container is told when it changes,
// its type, and what a change does (repaint, rebuild the background, re-layout). The handful of
// properties with rules of their own (ranges, clamps, "ignored while ...") carry a Rule that the
// control's setter dispatches on. The getters and setters by name, the typed accessors, the
// change notification, ReadProperties and WriteProperties are all driven by this table.

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <variant>

#include "core/PropertyValues.h"

namespace glv {

enum class PropType : uint8_t { Boolean, Integer, Long, Enum, Color, Font, Picture, Object };

// The C++ type a property of each PropType is stored and handed to host code as.
template <PropType T> struct PropertyCpp;
template <> struct PropertyCpp<PropType::Boolean> { using type = bool; };
template <> struct PropertyCpp<PropType::Integer> { using type = int16_t; };
template <> struct PropertyCpp<PropType::Long> { using type = int32_t; };
template <> struct PropertyCpp<PropType::Enum> { using type = int32_t; };
template <> struct PropertyCpp<PropType::Color> { using type = OLE_COLOR; };
template <> struct PropertyCpp<PropType::Font> { using type = FontPtr; };
template <> struct PropertyCpp<PropType::Picture> { using type = PicturePtr; };
template <PropType T> using PropertyCppType = typename PropertyCpp<T>::type;

// What a change does once the value is stored (a bit set).
namespace effect {
inline constexpr uint8_t kNone = 0;
inline constexpr uint8_t kRepaint = 1;            // repaint while painting is enabled
inline constexpr uint8_t kRepaintWhenLoaded = 2;  // repaint once loading has finished
inline constexpr uint8_t kRebuildBackground = 4;  // rebuild the background cache first
inline constexpr uint8_t kRelayout = 8;           // lay out as on a resize
}  // namespace effect

// Rules beyond "store, then the effects". Value rules (clamps, ranges, View) apply to loaded
// values too; the behaviour rules apply when a property is set.
enum class Rule : uint8_t {
    None,
    ClampNonNegative,   // negative values become 0
    ClampScrollBars,    // clamped to 0..3
    ToolTipTime,        // 0..30000 else error 11; the matching tooltip timer's interval follows
    SortedColumn,       // 1..column count else error 8 (not checked while loading: no columns)
    TopIndex,           // 1..item count else error 6; the vertical scroll bar follows
    Theme,              // 0..2 else runtime error 380; the effective scheme may follow
    ReportViewOnly,     // any value stores 3
    AutoSelectTheme,    // effective scheme, re-layout, end update
    AutoSelectSize,     // metric size, re-layout, end update
    MetricsSize,        // ignored while AutoSelectSize; else metric size, re-layout, end update
    BackColor,          // also the drawing surface's own back colour
    BackStyle,          // Ledger clears the surface picture; Normal rebuilds with a picture
    CheckBoxes,         // ignored while ExpandingRow
    ExpandingRow,       // shows or hides the attached row; clears check boxes when turned on
    Enabled,            // also the surface, both scroll bars and the window
    EditBoxColor,       // also the edit box's colours
    Ignore,             // reading gives Nothing, setting does nothing
};

// Public properties stored in PropertyValues under their own name.
// X(Name, Type, PersistedName, NotificationName, Effects, Rule); "" means none.
#define GLV_PUBLIC_PROPERTIES(X)                                                                 \
    X(AutoGenerateToolTips, Enum, "AutoGenerateToolTips", "AutoGenerateToolTips", effect::kNone, Rule::None) \
    X(AutoSelectTheme, Boolean, "AutoSelectTheme", "AutoSelectTheme", effect::kNone, Rule::AutoSelectTheme) \
    X(AutoSelectSize, Boolean, "AutoSelectSize", "AutoSelectSize", effect::kNone, Rule::AutoSelectSize) \
    X(MetricsSize, Enum, "MetricsSize", "MetricsSize", effect::kNone, Rule::MetricsSize)          \
    X(AllowColumnResizing, Boolean, "AllowColumnResizing", "AllowColumnResizing", effect::kNone, Rule::None) \
    X(AllowDelete, Boolean, "AllowDelete", "AllowDelete", effect::kNone, Rule::None)              \
    X(AllowEdit, Boolean, "AllowEdit", "AllowEdit", effect::kNone, Rule::None)                    \
    X(AllowKeyNavigation, Boolean, "AllowKeyNavigation", "AllowKeyNavigation", effect::kNone, Rule::None) \
    X(AllowSorting, Boolean, "AllowSorting", "AllowSorting", effect::kNone, Rule::None)           \
    X(AllowColumnSorting, Boolean, "AllowColumnSorting", "AllowColumnSorting", effect::kNone, Rule::None) \
    X(AllowColumnDrag, Boolean, "AllowColumnDrag", "AllowColumnDrag", effect::kNone, Rule::None)  \
    X(AllowSubMenu, Boolean, "AllowSubMenu", "AllowSubMenu", effect::kNone, Rule::None)           \
    X(BackGroundPicture, Picture, "BackGroundPicture", "BackGroundPicture",                       \
      effect::kRebuildBackground | effect::kRepaint, Rule::None)                                  \
    X(BackGroundPictureAlignment, Enum, "BackGroundPictureAlignment", "BackGroundPictureAlignment", \
      effect::kRepaint, Rule::None)                                                               \
    X(BackGroundPictureMaskColor, Color, "BackGroundPictureMaskColor", "BackGroundPictureMaskColor", \
      effect::kRepaint, Rule::None)                                                               \
    X(BackColor, Color, "BackColor", "BackColor", effect::kRebuildBackground | effect::kRepaint,   \
      Rule::BackColor)                                                                            \
    X(BackStyle, Enum, "BackStyle", "BackStyle", effect::kRepaint, Rule::BackStyle)               \
    X(BorderColor, Color, "BorderColor", "BorderColor", effect::kRepaint, Rule::None)             \
    X(CaratColor, Color, "CaratColor", "CaratColor", effect::kRepaint, Rule::None)                \
    X(CheckBoxes, Boolean, "Checkboxes", "CheckBoxes", effect::kRepaint, Rule::CheckBoxes)        \
    X(ColumnBackStyle, Enum, "ColumnBackStyle", "ColumnBackStyle", effect::kNone, Rule::None)     \
    X(CornerBackColor, Color, "CornerBackColor", "CornerBackColor", effect::kRepaint, Rule::None) \
    X(DefaultBorderColor, Boolean, "DefaultBorderColor", "DefaultBorderColor", effect::kNone, Rule::None) \
    X(DefaultColumnHeaderFont, Font, "DefaultColumnHeaderFont", "DefaultColumnHeaderFont", effect::kNone, Rule::None) \
    X(DefaultItemFont, Font, "DefaultItemFont", "DefaultItemFont", effect::kNone, Rule::None)     \
    X(DefaultItemForeColor, Color, "DefaultItemForeColor", "DefaultItemForeColor", effect::kNone, Rule::None) \
    X(DefaultItemBackColor, Color, "DefaultItemBackColor", "DefaultItemBackColor", effect::kNone, Rule::None) \
    X(DefaultSubItemFont, Font, "DefaultSubItemFont", "DefaultSubItemFont", effect::kNone, Rule::None) \
    X(DisabledBackColor, Color, "DisabledBackColor", "DisabledBackColor", effect::kNone, Rule::None) \
    X(DisabledForeColor, Color, "DisabledForeColor", "DisabledForeColor", effect::kNone, Rule::None) \
    X(Enabled, Boolean, "Enabled", "Enabled", effect::kRepaint, Rule::Enabled)                    \
    X(ExpandingRow, Boolean, "ExpandingRow", "ExpandingRow", effect::kRepaint, Rule::ExpandingRow) \
    X(FullRowSelect, Boolean, "FullRowSelect", "FullRowSelect", effect::kRepaint, Rule::None)     \
    X(GridLines, Boolean, "GridLines", "GridLines", effect::kRepaint, Rule::None)                 \
    X(GridColumnLines, Boolean, "GridColumnLines", "GridColumnLines", effect::kRepaint, Rule::None) \
    X(GridLineColor, Color, "GridLineColor", "GridLineColor", effect::kRepaint, Rule::None)       \
    X(HeaderStyle, Enum, "HeaderStyle", "HeaderStyle", effect::kRepaint, Rule::None)             \
    X(HideColumnHeaders, Boolean, "HideColumnHeaders", "HideColumnHeaders", effect::kRepaint, Rule::None) \
    X(HideSelection, Boolean, "HideSelection", "HideSelection", effect::kRepaint, Rule::None)     \
    X(HoverEffect, Boolean, "HoverEffect", "HoverEffect", effect::kNone, Rule::None)              \
    X(HeaderHoverEffect, Boolean, "HeaderHoverEffect", "HotTracking", effect::kNone, Rule::None)  \
    X(HoverSelection, Boolean, "HoverSelection", "HoverSelection", effect::kNone, Rule::None)     \
    X(IconSpaceX, Long, "", "IconSpaceX", effect::kRepaintWhenLoaded, Rule::None)                 \
    X(IconSpaceY, Long, "", "IconSpaceY", effect::kRepaintWhenLoaded, Rule::None)                 \
    X(ItemDisabledForeColor, Color, "ItemDisabledForeColor", "ItemDisabledForeColor", effect::kNone, Rule::None) \
    X(ItemEditBackColor, Color, "ItemEditBackColor", "ItemEditBackColor", effect::kNone, Rule::EditBoxColor) \
    X(ItemEditForeColor, Color, "ItemEditForeColor", "ItemEditForeColor", effect::kNone, Rule::EditBoxColor) \
    X(ItemToolTips, Boolean, "ItemToolTips", "ItemToolTips", effect::kNone, Rule::None)           \
    X(LedgerColorEven, Color, "LedgerColorEven", "LedgerColorEven", effect::kRepaint, Rule::None) \
    X(LedgerColorOdd, Color, "LedgerColorOdd", "LedgerColorOdd", effect::kNone, Rule::None)       \
    X(MaintainSelection, Boolean, "MaintainSelection", "MaintainSelection", effect::kNone, Rule::None) \
    X(MaintainSelectionMode, Enum, "MaintainSelectionMode", "MaintainSelectionMode", effect::kNone, Rule::None) \
    X(MultiSelect, Boolean, "MultiSelect", "MultiSelect", effect::kNone, Rule::None)              \
    X(OLEDragMode, Enum, "OleDragMode", "OLEDragMode", effect::kNone, Rule::None)                 \
    X(OLEDropMode, Enum, "OleDropMode", "OLEDropMode", effect::kNone, Rule::None)                 \
    X(OleDropDataMode, Enum, "OleDropDataMode", "OleDropDataMode", effect::kNone, Rule::None)     \
    X(RightToLeft, Boolean, "RightToLeft", "RightToLeft", effect::kRelayout, Rule::None)          \
    X(RowVerticalMargin, Integer, "RowVerticalMargin", "RowVerticalMargin", effect::kRepaint, Rule::ClampNonNegative) \
    X(RowShrinkOnNoText, Boolean, "RowShrinkOnNoText", "RowShrinkOnNoText", effect::kRepaint, Rule::None) \
    X(RowMinHeight, Integer, "RowMinHeight", "RowMinHeight", effect::kRepaint, Rule::ClampNonNegative) \
    X(ScrollBars, Enum, "ScrollBars", "ScrollBars", effect::kRepaint, Rule::ClampScrollBars)      \
    X(ToolTipBackColor, Color, "ToolTipBackColor", "ToolTipBackColor", effect::kNone, Rule::None) \
    X(ToolTipForeColor, Color, "ToolTipForeColor", "ToolTipForeColor", effect::kNone, Rule::None) \
    X(ToolTipBorderColor, Color, "ToolTipBorderColor", "ToolTipBorderColor", effect::kNone, Rule::None) \
    X(ToolTipPreTime, Long, "ToolTipPreTime", "ToolTipPreTime", effect::kNone, Rule::ToolTipTime) \
    X(ToolTipPostTime, Long, "ToolTipPostTime", "ToolTipPostTime", effect::kNone, Rule::ToolTipTime) \
    X(ToolTipFont, Font, "ToolTipFont", "ToolTipFont", effect::kNone, Rule::None)                 \
    X(SelectBackColor, Color, "SelectBackColor", "SelectBackColor", effect::kRepaint, Rule::None) \
    X(SelectForeColor, Color, "SelectForeColor", "SelectForeColor", effect::kRepaint, Rule::None) \
    X(SelectNoFocusBackColor, Color, "SelectNoFocusBackColor", "SelectNoFocusBackColor", effect::kRepaint, Rule::None) \
    X(SelectNoFocusForeColor, Color, "SelectNoFocusForeColor", "SelectNoFocusForeColor", effect::kRepaint, Rule::None) \
    X(SortOrder, Enum, "SortOrder", "", effect::kRepaint, Rule::None)                             \
    X(SortedColumn, Long, "SortedColumn", "", effect::kRepaint, Rule::SortedColumn)               \
    X(Theme, Enum, "Theme", "Theme", effect::kNone, Rule::Theme)                                  \
    X(View, Enum, "View", "View", effect::kRepaintWhenLoaded, Rule::ReportViewOnly)

// Values persisted without a public property. X(Member, Type, PersistedName, AlwaysWritten).
#define GLV_PERSISTED_ONLY_PROPERTIES(X)                                          \
    X(AllowDragDrop, Boolean, "AllowDragDrop", false)                             \
    X(DefaultColumnHeaderForeColor, Color, "DefaultColumnHeaderForeColor", false) \
    X(DynamicColumnResize, Boolean, "DynamicColumnResize", false)                 \
    X(HighLightBorderColor, Color, "HighLightBorderColor", false)                 \
    X(MouseIcon, Picture, "MouseIcon", false)                                     \
    X(BorderWidth, Integer, "BorderWidth", false)                                 \
    X(CurrentColumn, Integer, "CurrentColumn", true)

enum class PropId : uint8_t {
#define GLV_PROP_ID(Name, ...) Name,
    GLV_PUBLIC_PROPERTIES(GLV_PROP_ID) GLV_PERSISTED_ONLY_PROPERTIES(GLV_PROP_ID)
#undef GLV_PROP_ID
    // Public properties whose value lives outside PropertyValues.
    TopIndex,
    ImageList,
    Count
};

inline constexpr std::size_t kPropertyCount = static_cast<std::size_t>(PropId::Count);

// Where a property's value is stored; monostate for TopIndex and ImageList.
using PropertyMember =
    std::variant<std::monostate, bool PropertyValues::*, int16_t PropertyValues::*,
                 int32_t PropertyValues::*, OLE_COLOR PropertyValues::*, FontPtr PropertyValues::*,
                 PicturePtr PropertyValues::*>;

// A property value in its stored C++ type, in the same order as PropertyMember.
using StoredValue = std::variant<std::monostate, bool, int16_t, int32_t, OLE_COLOR, FontPtr, PicturePtr>;

struct PropertyDescriptor {
    PropId id{};
    std::string_view name;          // public name; empty for values persisted without one
    std::string_view persistedName; // empty when not persisted
    std::string_view notifyName;    // empty when a change is not reported to the container
    PropType type = PropType::Long;
    uint8_t effects = effect::kNone;
    Rule rule = Rule::None;
    PropertyMember member;
    bool alwaysWritten = false;     // saved with no default, so the bag always stores it
};

// Every descriptor, indexed by PropId.
std::span<const PropertyDescriptor> PropertyTable();
const PropertyDescriptor& Describe(PropId id);
// The descriptor of a public property by name, without regard to case; nullptr when none.
const PropertyDescriptor* FindProperty(std::string_view name);

// What loading does right after reading a value, before the next one.
enum class LoadFollowUp : uint8_t {
    None,
    EffectiveScheme,     // compute the effective scheme and hand it to the scroll bars
    MetricSize,          // read the scroll bar size and hand the metric size to the scroll bars
    DefaultItemHeight,   // the default item height becomes 16
    ScrollBarsEnabled,   // hand Enabled to both scroll bars
    EditBoxColors,       // hand the edit colours to the edit box
    ToolTipTimers,       // set both tooltip timer intervals
};

struct LoadStep {
    PropId id;
    LoadFollowUp then = LoadFollowUp::None;
};

std::span<const LoadStep> LoadOrder();
std::span<const PropId> SaveOrder();

}  // namespace glv
