#include "core/PropertyTable.h"

#include <array>
#include <type_traits>

#include "platform/TextScan.h"

namespace glv {

namespace {

// The storage in PropertyValues must have the type the table gives the property.
#define GLV_CHECK_TYPE(Name, Type, ...)                                                           \
    static_assert(std::is_same_v<decltype(PropertyValues::Name), PropertyCppType<PropType::Type>>, \
                  #Name " is stored with a type other than its table type");
GLV_PUBLIC_PROPERTIES(GLV_CHECK_TYPE)
GLV_PERSISTED_ONLY_PROPERTIES(GLV_CHECK_TYPE)
#undef GLV_CHECK_TYPE

constexpr std::array<PropertyDescriptor, kPropertyCount> kTable = {{
#define GLV_PUBLIC_ENTRY(Name, Type, Persisted, Notify, Effects, TheRule) \
    {PropId::Name, #Name, Persisted, Notify, PropType::Type, Effects, TheRule, &PropertyValues::Name, false},
    GLV_PUBLIC_PROPERTIES(GLV_PUBLIC_ENTRY)
#undef GLV_PUBLIC_ENTRY
#define GLV_PERSISTED_ENTRY(Name, Type, Persisted, AlwaysWritten) \
    {PropId::Name, "", Persisted, "", PropType::Type, effect::kNone, Rule::None, &PropertyValues::Name, AlwaysWritten},
    GLV_PERSISTED_ONLY_PROPERTIES(GLV_PERSISTED_ENTRY)
#undef GLV_PERSISTED_ENTRY
    {PropId::TopIndex, "TopIndex", "", "", PropType::Long, effect::kRepaint, Rule::TopIndex, {}, false},
    {PropId::ImageList, "ImageList", "", "", PropType::Object, effect::kNone, Rule::Ignore, {}, false},
}};

constexpr bool InIdOrder() {
    for (std::size_t i = 0; i < kPropertyCount; ++i)
        if (static_cast<std::size_t>(kTable[i].id) != i) return false;
    return true;
}
static_assert(InIdOrder(), "the table must list the properties in PropId order");


using enum PropId;
using F = LoadFollowUp;

// The order in which stored values are read, and what happens between two reads.
constexpr LoadStep kLoadOrder[] = {
    {AutoGenerateToolTips}, {Theme}, {AutoSelectTheme, F::EffectiveScheme}, {MetricsSize},
    {AutoSelectSize, F::MetricSize}, {AllowColumnResizing}, {AllowColumnDrag}, {AllowDelete},
    {AllowDragDrop}, {AllowEdit}, {AllowKeyNavigation}, {AllowSorting}, {AllowColumnSorting},
    {AllowSubMenu}, {BackStyle}, {BackGroundPicture}, {BackGroundPictureAlignment},
    {BackGroundPictureMaskColor}, {BackColor}, {BorderColor}, {CaratColor}, {CheckBoxes},
    {ColumnBackStyle}, {CornerBackColor}, {DisabledForeColor}, {DisabledBackColor},
    {DefaultBorderColor}, {DefaultColumnHeaderFont}, {DefaultColumnHeaderForeColor},
    {DefaultItemFont}, {DefaultSubItemFont, F::DefaultItemHeight}, {DefaultItemForeColor},
    {DefaultItemBackColor}, {Enabled, F::ScrollBarsEnabled}, {ExpandingRow}, {FullRowSelect},
    {DynamicColumnResize}, {GridLines}, {GridColumnLines}, {GridLineColor}, {HeaderStyle},
    {HideColumnHeaders}, {HideSelection}, {HighLightBorderColor}, {HoverEffect},
    {HeaderHoverEffect}, {HoverSelection}, {ItemDisabledForeColor}, {ItemEditBackColor},
    {ItemEditForeColor, F::EditBoxColors}, {ItemToolTips}, {LedgerColorEven}, {LedgerColorOdd},
    {MaintainSelection}, {MaintainSelectionMode}, {MouseIcon}, {MultiSelect}, {OLEDragMode},
    {OLEDropMode}, {OleDropDataMode}, {RightToLeft}, {RowVerticalMargin}, {RowMinHeight},
    {RowShrinkOnNoText}, {SelectForeColor}, {SelectBackColor}, {SelectNoFocusForeColor},
    {SelectNoFocusBackColor}, {ScrollBars}, {SortOrder}, {SortedColumn}, {ToolTipPreTime},
    {ToolTipPostTime, F::ToolTipTimers}, {ToolTipBackColor}, {ToolTipForeColor},
    {ToolTipBorderColor}, {ToolTipFont}, {View},
};

// The order in which values are written (BorderWidth and CurrentColumn are written only).
constexpr PropId kSaveOrder[] = {
    AutoGenerateToolTips, AutoSelectTheme, AutoSelectSize, MetricsSize, AllowColumnResizing,
    AllowDelete, AllowDragDrop, AllowEdit, AllowKeyNavigation, AllowSorting, AllowColumnSorting,
    AllowSubMenu, AllowColumnDrag, BackColor, BackGroundPicture, BackGroundPictureAlignment,
    BackGroundPictureMaskColor, BackStyle, BorderColor, BorderWidth, CaratColor, CheckBoxes,
    ColumnBackStyle, DefaultColumnHeaderFont, DefaultColumnHeaderForeColor, DefaultItemFont,
    DefaultItemForeColor, DefaultItemBackColor, DefaultSubItemFont, CornerBackColor,
    CurrentColumn, DisabledForeColor, DisabledBackColor, DefaultBorderColor, DynamicColumnResize,
    Enabled, ExpandingRow, FullRowSelect, GridLines, GridColumnLines, GridLineColor, HeaderStyle,
    HideColumnHeaders, HideSelection, HighLightBorderColor, HoverEffect, HeaderHoverEffect,
    HoverSelection, ItemDisabledForeColor, ItemEditBackColor, ItemEditForeColor, ItemToolTips,
    LedgerColorEven, LedgerColorOdd, MaintainSelection, MaintainSelectionMode, MouseIcon,
    MultiSelect, OLEDragMode, OLEDropMode, OleDropDataMode, RightToLeft, RowVerticalMargin,
    RowMinHeight, RowShrinkOnNoText, SelectForeColor, SelectBackColor, SelectNoFocusForeColor,
    SelectNoFocusBackColor, ScrollBars, SortOrder, SortedColumn, Theme, ToolTipPreTime,
    ToolTipPostTime, ToolTipBackColor, ToolTipForeColor, ToolTipBorderColor, ToolTipFont, View,
};

}  // namespace

std::span<const PropertyDescriptor> PropertyTable() {
    static_assert(kPropertyCount < 256, "PropId is a byte");
    return kTable;
}

const PropertyDescriptor& Describe(PropId id) {
    return kTable[static_cast<std::size_t>(id)];
}

const PropertyDescriptor* FindProperty(std::string_view name) {
    if (name.empty()) return nullptr;
    for (const PropertyDescriptor& d : kTable)
        if (EqualsIgnoreCase(d.name, name)) return &d;
    return nullptr;
}

std::span<const LoadStep> LoadOrder() { return kLoadOrder; }
std::span<const PropId> SaveOrder() { return kSaveOrder; }

}  // namespace glv
