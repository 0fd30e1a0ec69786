#pragma once
// The control's events: the sink interface a host implements, and a table describing every event
// and its arguments.
//
// A host derives from GlideListViewEvents and overrides the events it cares about; every method
// has an empty body, so an unhandled event costs nothing. Events are raised synchronously from
// inside the control's handlers, so a host may call back into the control from any of them.
//
// Conventions shared by all events:
// - Names and argument names are those of the control's original event interface, so ported
//   host code reads the same.
// - Record arguments (tListItemInfo& Item, tColHeaderInfo& Column) refer to the record the
//   control stores: a change a host makes through them persists. Where no item was hit the
//   control passes an all-empty record and ItemIndex -1.
// - Arguments the host answers through (Cancel, LVPrompt, NewString, KeyCode, KeyAscii, Effect,
//   ...) are references; the control reads them back when the handler returns.
// - An event whose name ends in Alt is the twin of the event without it: raised right after it,
//   with the same values minus the record, for hosts that cannot take records.
// - Button: 1 left, 2 right, 4 middle. Shift: 1 Shift, 2 Ctrl, 4 Alt. X and Y are client pixels
//   as the runtime delivers them (fractional values are possible). Item and row indexes are
//   1-based; SubItemIndex 1 is the second column.

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/Records.h"
#include "platform/DataObject.h"

namespace glv {

// Empty default bodies name their parameters on purpose (the names document the interface).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-parameter"

class GlideListViewEvents {
public:
    virtual ~GlideListViewEvents() = default;

    // Column header mouse events.
    // A button went down over a column header.
    virtual void ColumnMouseDown(int16_t Button, int16_t Shift, float X, float Y, tColHeaderInfo& Column, int32_t ColIndex) {}
    virtual void ColumnMouseDownAlt(int16_t Button, int16_t Shift, float X, float Y, int32_t ColIndex) {}
    // The pointer moved over a column header.
    virtual void ColumnMouseMove(int16_t Button, int16_t Shift, float X, float Y, tColHeaderInfo& Column, int32_t ColIndex) {}
    virtual void ColumnMouseMoveAlt(int16_t Button, int16_t Shift, float X, float Y, int32_t ColIndex) {}
    // A button was released over a column header (after ColumnClick for the left button).
    virtual void ColumnMouseUp(int16_t Button, int16_t Shift, float X, float Y, tColHeaderInfo& Column, int32_t ColIndex) {}
    virtual void ColumnMouseUpAlt(int16_t Button, int16_t Shift, float X, float Y, int32_t ColIndex) {}
    // A left-button release over a column header that ended neither a column drag nor a resize.
    virtual void ColumnClick(tColHeaderInfo& Column, int32_t ColIndex) {}
    virtual void ColumnClickAlt(int32_t ColIndex) {}

    // Item and sub-item mouse events.
    // A button went down on an item's first column (in an empty list: empty record, index -1).
    virtual void ItemMouseDown(int16_t Button, int16_t Shift, float X, float Y, tListItemInfo& Item, int32_t ItemIndex) {}
    virtual void ItemMouseDownAlt(int16_t Button, int16_t Shift, float X, float Y, int32_t ItemIndex) {}
    // Kept for interface compatibility and never raised: moves over items arrive as the twin.
    virtual void ItemMouseMove(int16_t Button, int16_t Shift, float X, float Y) {}
    // The pointer moved over an item's first column; ItemIndex is the row under it.
    virtual void ItemMouseMoveAlt(int16_t Button, int16_t Shift, float X, float Y, int32_t ItemIndex) {}
    // A button was released over an item's first column.
    virtual void ItemMouseUp(int16_t Button, int16_t Shift, float X, float Y, tListItemInfo& Item, int32_t ItemIndex) {}
    virtual void ItemMouseUpAlt(int16_t Button, int16_t Shift, float X, float Y, int32_t ItemIndex) {}
    // A button went down on a sub-item cell.
    virtual void SubItemMouseDown(int16_t Button, int16_t Shift, float X, float Y, tListItemInfo& Item, int32_t ItemIndex, int32_t SubItemIndex) {}
    virtual void SubItemMouseDownAlt(int16_t Button, int16_t Shift, float X, float Y, int32_t ItemIndex, int32_t SubItemIndex) {}
    // The pointer moved over a sub-item cell (this event has no record and no twin).
    virtual void SubItemMouseMove(int16_t Button, int16_t Shift, float X, float Y, int32_t ItemIndex, int32_t SubItemIndex) {}
    // A button was released over a sub-item cell.
    virtual void SubItemMouseUp(int16_t Button, int16_t Shift, float X, float Y, tListItemInfo& Item, int32_t ItemIndex, int32_t SubItemIndex) {}
    virtual void SubItemMouseUpAlt(int16_t Button, int16_t Shift, float X, float Y, int32_t ItemIndex, int32_t SubItemIndex) {}
    // A left click on an item's first column, or the key up that ends an arrow-key move.
    virtual void ItemClick(tListItemInfo& Item, int32_t ItemIndex) {}
    virtual void ItemClickAlt(int32_t ItemIndex) {}
    // A left click on a sub-item cell.
    virtual void SubItemClick(tListItemInfo& Item, int32_t ItemIndex, int32_t SubItemIndex) {}
    virtual void SubItemClickAlt(int32_t ItemIndex, int32_t SubItemIndex) {}
    // A double click on an item's first column; Button is the button of the press.
    virtual void ItemDblClick(int16_t Button, tListItemInfo& Item, int32_t ItemIndex) {}
    virtual void ItemDblClickAlt(int16_t Button, int32_t ItemIndex) {}
    // A double click on a sub-item cell; Button is the button of the press.
    virtual void SubItemDblClick(int16_t Button, tListItemInfo& Item, int32_t ItemIndex, int32_t SubItemIndex) {}
    virtual void SubItemDblClickAlt(int16_t Button, int32_t ItemIndex, int32_t SubItemIndex) {}
    // The click that ends a press on a check box; Value is the item's new checked state.
    virtual void ItemChecked(tListItemInfo& Item, int32_t ItemIndex, bool Value) {}
    virtual void ItemCheckedAlt(int32_t ItemIndex, bool Value) {}

    // Group header rows; State is the row's LVGroupStateConstants value.
    // A button went down on a group header row.
    virtual void GroupHeaderMouseDown(int32_t RowIndex, int16_t Button, int16_t Shift, float X, float Y, int32_t State) {}
    // A button was released over a group header row.
    virtual void GroupHeaderMouseUp(int32_t RowIndex, int16_t Button, int16_t Shift, float X, float Y, int32_t State) {}
    // A left click on a group header row away from its expand glyph.
    virtual void GroupHeaderClick(int32_t RowIndex, int32_t State) {}
    // A double click on a group header row, or a single click on its expand glyph.
    virtual void GroupHeaderDblClick(int32_t RowIndex, int32_t State) {}
    // Kept for interface compatibility and never raised: group states change only when the host
    // sets them.
    virtual void GroupStateChange(int32_t RowIndex, int32_t State) {}

    // Selection.
    // A press selected a row other than the last selected one; ItemIndex is the new current item.
    virtual void SelectedIndexChanged(tListItemInfo& Item, int32_t ItemIndex) {}
    virtual void SelectedIndexChangedAlt(int32_t ItemIndex) {}
    // The arrow keys moved the selection (raised on key up), or the expanding row moved to
    // another current row.
    virtual void SelectedRowChanged(int32_t RowIndex) {}

    // Keyboard, while the list itself has the focus.
    // A key went down that navigation did not consume (every key while navigation is off).
    virtual void KeyDown(int16_t& KeyCode, int16_t Shift) {}
    // A character was typed.
    virtual void KeyPress(int16_t& KeyAscii) {}
    // A key was released, unless the release ends an arrow-key move.
    virtual void KeyUp(int16_t& KeyCode, int16_t Shift) {}

    // Deletion.
    // Before a selected item is deleted. LVPrompt comes preset to LVYesToAll; LVYes or LVNo
    // keep this item, LVNoToAll stops asking and keeps the rest.
    virtual void BeforeItemDelete(int32_t& LVPrompt, tListItemInfo& Item, int32_t ItemIndex) {}
    // An item was removed; ItemIndex is the index it had.
    virtual void ItemDeleted(int32_t ItemIndex) {}
    // Before a group header row is deleted by deleting all items; answered like BeforeItemDelete.
    virtual void GroupBeforeDelete(int32_t& LVPrompt, int32_t RowIndex) {}
    // A group header row was removed; RowIndex is the index it had.
    virtual void GroupDelete(int32_t RowIndex) {}

    // Columns and sorting.
    // A divider drag ended; raised on the release.
    virtual void ColumnWidthChanged(tColHeaderInfo& Column, int32_t ColIndex) {}
    virtual void ColumnWidthChangedAlt(int32_t ColIndex) {}
    // A header click or a sort call sorted by another column; SortOrder is the order in force.
    virtual void SortColumnChanged(int16_t Column, int32_t SortOrder) {}
    // A header click or a sort call changed the sort order (after SortColumnChanged, if both).
    virtual void SortOrderChanged(int16_t Column, int32_t SortOrder) {}

    // In-place editing of an item's text.
    // Before the edit box opens on ItemIndex; setting Cancel keeps it closed.
    virtual void BeforeItemEdit(bool& Cancel, tListItemInfo& Item, int32_t ItemIndex) {}
    // An edit is being committed. NewString is stored as the host leaves it; setting Cancel
    // keeps the box open instead.
    virtual void AfterItemEdit(bool& Cancel, tListItemInfo& Item, int32_t ItemIndex, std::string& NewString) {}
    // An edit ended without storing (Escape, CancelEdit, or a vetoed commit).
    virtual void CancelItemEdit(int32_t ItemIndex) {}
    // A key went down in the edit box.
    virtual void ItemKeyDown(int16_t& KeyCode, int16_t Shift, tListItemInfo& Item, int32_t ItemIndex) {}
    // A character was typed into the edit box; the host may change KeyAscii or zero it.
    virtual void ItemKeyPress(int16_t& KeyAscii, tListItemInfo& Item, int32_t ItemIndex) {}
    // A key was released in the edit box.
    virtual void ItemKeyUp(int16_t& KeyCode, int16_t Shift, tListItemInfo& Item, int32_t ItemIndex) {}

    // Tooltips.
    // Just before a row's tooltip shows (ItemType 0: a list item); an empty ToolTipText
    // suppresses it.
    virtual void BeforeToolTip(int16_t& ItemType, int32_t& ItemIndex, std::string& ToolTipText) {}

    // OLE drag and drop. Effects: 0 none, 1 copy, 2 move.
    // A drag is starting from the list; the host may change the data and the allowed effects.
    virtual void OLEStartDrag(DataObject& Data, int32_t& AllowedEffects) {}
    // During a drag from the list; setting DefaultCursors False lets the host set the pointer.
    virtual void OLEGiveFeedback(int32_t& Effect, bool& DefaultCursors) {}
    // The drop target asks for data in a format that was promised but not stored yet.
    virtual void OLESetData(DataObject& Data, int16_t& DataFormat) {}
    // A drag from the list ended; Effect is what the target did.
    virtual void OLECompleteDrag(int32_t& Effect) {}
    // Something is dragged over the list in manual drop mode; the host sets Effect.
    virtual void OLEDragOver(DataObject& Data, int32_t& Effect, int16_t Button, int16_t Shift, float X, float Y, int16_t State) {}
    // Something was dropped on the list in manual drop mode.
    virtual void OLEDragDrop(DataObject& Data, int32_t& Effect, int16_t Button, int16_t Shift, float X, float Y) {}

    // Scroll bars; bState is the bar's new visibility, raised only when it flips.
    virtual void VScrollVisibleChanged(bool bState) {}
    virtual void HScrollVisibleChanged(bool bState) {}
};

#pragma GCC diagnostic pop

// ---------------------------------------------------------------------------------------------
// The event table: every event with its arguments in declared order, as data. The recorder, the
// scenario runner and the dispatch layer read it instead of knowing the events one by one.

// The automation type of an argument. Item, Column and Data are the record and object arguments,
// which event lines leave out.
enum class EventArgType : uint8_t { Integer, Long, Single, Boolean, String, Item, Column, Data };
// The type's name as the interface spells it: "Integer", ..., "tListItemInfo", "DataObject".
std::string_view ArgTypeName(EventArgType type);

struct EventArg {
    std::string_view name;
    EventArgType type = EventArgType::Long;
    bool byRef = false;  // the host may answer through it
};

inline constexpr std::size_t kMaxEventArgs = 7;

struct EventInfo {
    std::string_view name;
    std::array<EventArg, kMaxEventArgs> args{};
    std::size_t argCount = 0;

    constexpr EventInfo(std::string_view eventName, std::initializer_list<EventArg> list)
        : name(eventName) {
        for (const EventArg& arg : list) args[argCount++] = arg;  // too many: not a constant
    }
    constexpr std::span<const EventArg> Args() const { return {args.data(), argCount}; }
    // The position of the named argument, if the event has one by that name.
    constexpr std::optional<std::size_t> ArgIndex(std::string_view argName) const {
        for (std::size_t i = 0; i < argCount; ++i)
            if (args[i].name == argName) return i;
        return std::nullopt;
    }
};

namespace event_args {
using T = EventArgType;
inline constexpr EventArg Button{"Button", T::Integer};
inline constexpr EventArg Shift{"Shift", T::Integer};
inline constexpr EventArg X{"X", T::Single};
inline constexpr EventArg Y{"Y", T::Single};
inline constexpr EventArg Item{"Item", T::Item};
inline constexpr EventArg ItemIndex{"ItemIndex", T::Long};
inline constexpr EventArg SubItemIndex{"SubItemIndex", T::Long};
inline constexpr EventArg RowIndex{"RowIndex", T::Long};
inline constexpr EventArg Column{"Column", T::Column};
inline constexpr EventArg ColIndex{"ColIndex", T::Long};
inline constexpr EventArg GroupState{"State", T::Long};
inline constexpr EventArg SortColumn{"Column", T::Integer};
inline constexpr EventArg SortOrder{"SortOrder", T::Long};
inline constexpr EventArg Visible{"bState", T::Boolean};
inline constexpr EventArg KeyCode{"KeyCode", T::Integer, true};
inline constexpr EventArg KeyAscii{"KeyAscii", T::Integer, true};
inline constexpr EventArg LVPrompt{"LVPrompt", T::Long, true};
inline constexpr EventArg Cancel{"Cancel", T::Boolean, true};
inline constexpr EventArg Data{"Data", T::Data};
inline constexpr EventArg Effect{"Effect", T::Long, true};
}  // namespace event_args

// In the order of GlideListViewEvents.
inline constexpr std::array<EventInfo, 63> kEventTable = [] {
    using namespace event_args;
    return std::array<EventInfo, 63>{{
        {"ColumnMouseDown", {Button, Shift, X, Y, Column, ColIndex}},
        {"ColumnMouseDownAlt", {Button, Shift, X, Y, ColIndex}},
        {"ColumnMouseMove", {Button, Shift, X, Y, Column, ColIndex}},
        {"ColumnMouseMoveAlt", {Button, Shift, X, Y, ColIndex}},
        {"ColumnMouseUp", {Button, Shift, X, Y, Column, ColIndex}},
        {"ColumnMouseUpAlt", {Button, Shift, X, Y, ColIndex}},
        {"ColumnClick", {Column, ColIndex}},
        {"ColumnClickAlt", {ColIndex}},
        {"ItemMouseDown", {Button, Shift, X, Y, Item, ItemIndex}},
        {"ItemMouseDownAlt", {Button, Shift, X, Y, ItemIndex}},
        {"ItemMouseMove", {Button, Shift, X, Y}},
        {"ItemMouseMoveAlt", {Button, Shift, X, Y, ItemIndex}},
        {"ItemMouseUp", {Button, Shift, X, Y, Item, ItemIndex}},
        {"ItemMouseUpAlt", {Button, Shift, X, Y, ItemIndex}},
        {"SubItemMouseDown", {Button, Shift, X, Y, Item, ItemIndex, SubItemIndex}},
        {"SubItemMouseDownAlt", {Button, Shift, X, Y, ItemIndex, SubItemIndex}},
        {"SubItemMouseMove", {Button, Shift, X, Y, ItemIndex, SubItemIndex}},
        {"SubItemMouseUp", {Button, Shift, X, Y, Item, ItemIndex, SubItemIndex}},
        {"SubItemMouseUpAlt", {Button, Shift, X, Y, ItemIndex, SubItemIndex}},
        {"ItemClick", {Item, ItemIndex}},
        {"ItemClickAlt", {ItemIndex}},
        {"SubItemClick", {Item, ItemIndex, SubItemIndex}},
        {"SubItemClickAlt", {ItemIndex, SubItemIndex}},
        {"ItemDblClick", {Button, Item, ItemIndex}},
        {"ItemDblClickAlt", {Button, ItemIndex}},
        {"SubItemDblClick", {Button, Item, ItemIndex, SubItemIndex}},
        {"SubItemDblClickAlt", {Button, ItemIndex, SubItemIndex}},
        {"ItemChecked", {Item, ItemIndex, {"Value", T::Boolean}}},
        {"ItemCheckedAlt", {ItemIndex, {"Value", T::Boolean}}},
        {"GroupHeaderMouseDown", {RowIndex, Button, Shift, X, Y, GroupState}},
        {"GroupHeaderMouseUp", {RowIndex, Button, Shift, X, Y, GroupState}},
        {"GroupHeaderClick", {RowIndex, GroupState}},
        {"GroupHeaderDblClick", {RowIndex, GroupState}},
        {"GroupStateChange", {RowIndex, GroupState}},
        {"SelectedIndexChanged", {Item, ItemIndex}},
        {"SelectedIndexChangedAlt", {ItemIndex}},
        {"SelectedRowChanged", {RowIndex}},
        {"KeyDown", {KeyCode, Shift}},
        {"KeyPress", {KeyAscii}},
        {"KeyUp", {KeyCode, Shift}},
        {"BeforeItemDelete", {LVPrompt, Item, ItemIndex}},
        {"ItemDeleted", {ItemIndex}},
        {"GroupBeforeDelete", {LVPrompt, RowIndex}},
        {"GroupDelete", {RowIndex}},
        {"ColumnWidthChanged", {Column, ColIndex}},
        {"ColumnWidthChangedAlt", {ColIndex}},
        {"SortColumnChanged", {SortColumn, SortOrder}},
        {"SortOrderChanged", {SortColumn, SortOrder}},
        {"BeforeItemEdit", {Cancel, Item, ItemIndex}},
        {"AfterItemEdit", {Cancel, Item, ItemIndex, {"NewString", T::String, true}}},
        {"CancelItemEdit", {ItemIndex}},
        {"ItemKeyDown", {KeyCode, Shift, Item, ItemIndex}},
        {"ItemKeyPress", {KeyAscii, Item, ItemIndex}},
        {"ItemKeyUp", {KeyCode, Shift, Item, ItemIndex}},
        {"BeforeToolTip", {{"ItemType", T::Integer, true}, {"ItemIndex", T::Long, true},
                           {"ToolTipText", T::String, true}}},
        {"OLEStartDrag", {Data, {"AllowedEffects", T::Long, true}}},
        {"OLEGiveFeedback", {Effect, {"DefaultCursors", T::Boolean, true}}},
        {"OLESetData", {Data, {"DataFormat", T::Integer, true}}},
        {"OLECompleteDrag", {Effect}},
        {"OLEDragOver", {Data, Effect, Button, Shift, X, Y, {"State", T::Integer}}},
        {"OLEDragDrop", {Data, Effect, Button, Shift, X, Y}},
        {"VScrollVisibleChanged", {Visible}},
        {"HScrollVisibleChanged", {Visible}},
    }};
}();

inline constexpr std::size_t kEventCount = kEventTable.size();

namespace detail {
// Names are how scripts and scenario files reach events and their arguments, so they must be
// unique; records and objects are never answered through.
consteval bool EventTableIsSound() {
    for (std::size_t i = 0; i < kEventCount; ++i) {
        for (std::size_t j = i + 1; j < kEventCount; ++j)
            if (kEventTable[i].name == kEventTable[j].name) return false;
        const auto args = kEventTable[i].Args();
        for (std::size_t a = 0; a < args.size(); ++a) {
            for (std::size_t b = a + 1; b < args.size(); ++b)
                if (args[a].name == args[b].name) return false;
            const bool isValue = args[a].type < EventArgType::Item;
            if (args[a].byRef && !isValue) return false;
        }
    }
    return true;
}
static_assert(EventTableIsSound());
}  // namespace detail

// An event's position in the table (and in GlideListViewEvents).
using EventId = std::size_t;

// The id of an event named in code; an unknown name does not compile.
consteval EventId EventIdOf(std::string_view name) {
    for (std::size_t i = 0; i < kEventCount; ++i)
        if (kEventTable[i].name == name) return i;
    throw "unknown event name";  // not a constant expression: compilation stops here
}

// The event of that name, or nullptr (names are matched exactly, as scenario files spell them).
const EventInfo* FindEvent(std::string_view name);

}  // namespace glv
