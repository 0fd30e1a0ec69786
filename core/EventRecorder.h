#pragma once
// An event sink that writes one text line per event, for tests and the command-line host.
//
// A line is the event's name followed, for each argument in declared order, by " Name=Value".
// Records and objects are left out; integers are decimal; Single and Double values take the
// shortest form that reads back to the same value; booleans are True or False; strings are JSON
// string literals. A by-reference argument shows what the control passed, before any answer:
//
//     BeforeItemDelete LVPrompt=1 ItemIndex=3
//
// The recorder can also stand in for a host's answers: SetAnswer("BeforeItemDelete",
// {{"LVPrompt", 0}}) makes every later BeforeItemDelete come back with LVPrompt = 0.
//
// A host that also reacts to some events derives from it, overrides those and calls the
// recorder's version first, so its lines stay complete.

#include <array>
#include <cstdint>
#include <iosfwd>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

#include "core/Events.h"
#include "platform/Variant.h"

namespace glv {

// The shortest decimal text that reads back to the same value. Magnitudes from 1e-6 up to below
// 1e21 are written without an exponent ("10", "10.5", "0.000001", "1000000"); others as "1e-7",
// "1.5e+21". Negative zero is "0"; NaN and infinities are "NaN", "Infinity", "-Infinity".
std::string ShortestDecimal(double value);
std::string ShortestDecimal(float value);

// A JSON string literal of UTF-8 text. Bytes that are not valid UTF-8 become U+FFFD, so the
// result always parses.
std::string JsonQuote(std::string_view text);

class EventRecorder : public GlideListViewEvents {
public:
    // echo, when given, receives each line as it is recorded (it must outlive the recorder).
    explicit EventRecorder(std::ostream* echo = nullptr) : echo_(echo) {}

    const std::vector<std::string>& Lines() const noexcept { return lines_; }
    // The lines recorded so far; the record starts afresh.
    std::vector<std::string> TakeLines();

    // Validation for scenario files and scripts, by exact (case-sensitive) name.
    static bool IsKnownEvent(std::string_view event);
    static bool IsKnownArgument(std::string_view event, std::string_view arg);
    // Why these answers cannot be given (unknown event or argument, an argument the host cannot
    // answer through, a value that does not convert to the argument's type); empty when they can.
    static std::string CheckAnswer(std::string_view event, const std::map<std::string, Variant>& args);

    // From now on, whenever the event is raised, set these by-reference arguments before
    // returning. Replaces an earlier answer to the same event. Values are converted to the
    // arguments' types here, by the runtime's rules, so a raise can never fail. Throws
    // std::invalid_argument with CheckAnswer's message, leaving the answers as they were.
    void SetAnswer(std::string_view event, const std::map<std::string, Variant>& args);
    // From now on the first raise of the event gets the first answers, the next raise the next,
    // and so on; after the last entry the last keeps applying. An empty entry answers nothing
    // for its raise. Throws like SetAnswer, naming the entry, and then changes nothing.
    void SetAnswerSequence(std::string_view event, const std::vector<std::map<std::string, Variant>>& sequence);
    // Stops answering the event; an unknown name is ignored.
    void ClearAnswer(std::string_view event);

    void ColumnMouseDown(int16_t Button, int16_t Shift, float X, float Y, tColHeaderInfo& Column, int32_t ColIndex) override { Emit<EventIdOf("ColumnMouseDown")>(Button, Shift, X, Y, Column, ColIndex); }
    void ColumnMouseDownAlt(int16_t Button, int16_t Shift, float X, float Y, int32_t ColIndex) override { Emit<EventIdOf("ColumnMouseDownAlt")>(Button, Shift, X, Y, ColIndex); }
    void ColumnMouseMove(int16_t Button, int16_t Shift, float X, float Y, tColHeaderInfo& Column, int32_t ColIndex) override { Emit<EventIdOf("ColumnMouseMove")>(Button, Shift, X, Y, Column, ColIndex); }
    void ColumnMouseMoveAlt(int16_t Button, int16_t Shift, float X, float Y, int32_t ColIndex) override { Emit<EventIdOf("ColumnMouseMoveAlt")>(Button, Shift, X, Y, ColIndex); }
    void ColumnMouseUp(int16_t Button, int16_t Shift, float X, float Y, tColHeaderInfo& Column, int32_t ColIndex) override { Emit<EventIdOf("ColumnMouseUp")>(Button, Shift, X, Y, Column, ColIndex); }
    void ColumnMouseUpAlt(int16_t Button, int16_t Shift, float X, float Y, int32_t ColIndex) override { Emit<EventIdOf("ColumnMouseUpAlt")>(Button, Shift, X, Y, ColIndex); }
    void ColumnClick(tColHeaderInfo& Column, int32_t ColIndex) override { Emit<EventIdOf("ColumnClick")>(Column, ColIndex); }
    void ColumnClickAlt(int32_t ColIndex) override { Emit<EventIdOf("ColumnClickAlt")>(ColIndex); }
    void ItemMouseDown(int16_t Button, int16_t Shift, float X, float Y, tListItemInfo& Item, int32_t ItemIndex) override { Emit<EventIdOf("ItemMouseDown")>(Button, Shift, X, Y, Item, ItemIndex); }
    void ItemMouseDownAlt(int16_t Button, int16_t Shift, float X, float Y, int32_t ItemIndex) override { Emit<EventIdOf("ItemMouseDownAlt")>(Button, Shift, X, Y, ItemIndex); }
    void ItemMouseMove(int16_t Button, int16_t Shift, float X, float Y) override { Emit<EventIdOf("ItemMouseMove")>(Button, Shift, X, Y); }
    void ItemMouseMoveAlt(int16_t Button, int16_t Shift, float X, float Y, int32_t ItemIndex) override { Emit<EventIdOf("ItemMouseMoveAlt")>(Button, Shift, X, Y, ItemIndex); }
    void ItemMouseUp(int16_t Button, int16_t Shift, float X, float Y, tListItemInfo& Item, int32_t ItemIndex) override { Emit<EventIdOf("ItemMouseUp")>(Button, Shift, X, Y, Item, ItemIndex); }
    void ItemMouseUpAlt(int16_t Button, int16_t Shift, float X, float Y, int32_t ItemIndex) override { Emit<EventIdOf("ItemMouseUpAlt")>(Button, Shift, X, Y, ItemIndex); }
    void SubItemMouseDown(int16_t Button, int16_t Shift, float X, float Y, tListItemInfo& Item, int32_t ItemIndex, int32_t SubItemIndex) override { Emit<EventIdOf("SubItemMouseDown")>(Button, Shift, X, Y, Item, ItemIndex, SubItemIndex); }
    void SubItemMouseDownAlt(int16_t Button, int16_t Shift, float X, float Y, int32_t ItemIndex, int32_t SubItemIndex) override { Emit<EventIdOf("SubItemMouseDownAlt")>(Button, Shift, X, Y, ItemIndex, SubItemIndex); }
    void SubItemMouseMove(int16_t Button, int16_t Shift, float X, float Y, int32_t ItemIndex, int32_t SubItemIndex) override { Emit<EventIdOf("SubItemMouseMove")>(Button, Shift, X, Y, ItemIndex, SubItemIndex); }
    void SubItemMouseUp(int16_t Button, int16_t Shift, float X, float Y, tListItemInfo& Item, int32_t ItemIndex, int32_t SubItemIndex) override { Emit<EventIdOf("SubItemMouseUp")>(Button, Shift, X, Y, Item, ItemIndex, SubItemIndex); }
    void SubItemMouseUpAlt(int16_t Button, int16_t Shift, float X, float Y, int32_t ItemIndex, int32_t SubItemIndex) override { Emit<EventIdOf("SubItemMouseUpAlt")>(Button, Shift, X, Y, ItemIndex, SubItemIndex); }
    void ItemClick(tListItemInfo& Item, int32_t ItemIndex) override { Emit<EventIdOf("ItemClick")>(Item, ItemIndex); }
    void ItemClickAlt(int32_t ItemIndex) override { Emit<EventIdOf("ItemClickAlt")>(ItemIndex); }
    void SubItemClick(tListItemInfo& Item, int32_t ItemIndex, int32_t SubItemIndex) override { Emit<EventIdOf("SubItemClick")>(Item, ItemIndex, SubItemIndex); }
    void SubItemClickAlt(int32_t ItemIndex, int32_t SubItemIndex) override { Emit<EventIdOf("SubItemClickAlt")>(ItemIndex, SubItemIndex); }
    void ItemDblClick(int16_t Button, tListItemInfo& Item, int32_t ItemIndex) override { Emit<EventIdOf("ItemDblClick")>(Button, Item, ItemIndex); }
    void ItemDblClickAlt(int16_t Button, int32_t ItemIndex) override { Emit<EventIdOf("ItemDblClickAlt")>(Button, ItemIndex); }
    void SubItemDblClick(int16_t Button, tListItemInfo& Item, int32_t ItemIndex, int32_t SubItemIndex) override { Emit<EventIdOf("SubItemDblClick")>(Button, Item, ItemIndex, SubItemIndex); }
    void SubItemDblClickAlt(int16_t Button, int32_t ItemIndex, int32_t SubItemIndex) override { Emit<EventIdOf("SubItemDblClickAlt")>(Button, ItemIndex, SubItemIndex); }
    void ItemChecked(tListItemInfo& Item, int32_t ItemIndex, bool Value) override { Emit<EventIdOf("ItemChecked")>(Item, ItemIndex, Value); }
    void ItemCheckedAlt(int32_t ItemIndex, bool Value) override { Emit<EventIdOf("ItemCheckedAlt")>(ItemIndex, Value); }
    void GroupHeaderMouseDown(int32_t RowIndex, int16_t Button, int16_t Shift, float X, float Y, int32_t State) override { Emit<EventIdOf("GroupHeaderMouseDown")>(RowIndex, Button, Shift, X, Y, State); }
    void GroupHeaderMouseUp(int32_t RowIndex, int16_t Button, int16_t Shift, float X, float Y, int32_t State) override { Emit<EventIdOf("GroupHeaderMouseUp")>(RowIndex, Button, Shift, X, Y, State); }
    void GroupHeaderClick(int32_t RowIndex, int32_t State) override { Emit<EventIdOf("GroupHeaderClick")>(RowIndex, State); }
    void GroupHeaderDblClick(int32_t RowIndex, int32_t State) override { Emit<EventIdOf("GroupHeaderDblClick")>(RowIndex, State); }
    void GroupStateChange(int32_t RowIndex, int32_t State) override { Emit<EventIdOf("GroupStateChange")>(RowIndex, State); }
    void SelectedIndexChanged(tListItemInfo& Item, int32_t ItemIndex) override { Emit<EventIdOf("SelectedIndexChanged")>(Item, ItemIndex); }
    void SelectedIndexChangedAlt(int32_t ItemIndex) override { Emit<EventIdOf("SelectedIndexChangedAlt")>(ItemIndex); }
    void SelectedRowChanged(int32_t RowIndex) override { Emit<EventIdOf("SelectedRowChanged")>(RowIndex); }
    void KeyDown(int16_t& KeyCode, int16_t Shift) override { Emit<EventIdOf("KeyDown")>(KeyCode, Shift); }
    void KeyPress(int16_t& KeyAscii) override { Emit<EventIdOf("KeyPress")>(KeyAscii); }
    void KeyUp(int16_t& KeyCode, int16_t Shift) override { Emit<EventIdOf("KeyUp")>(KeyCode, Shift); }
    void BeforeItemDelete(int32_t& LVPrompt, tListItemInfo& Item, int32_t ItemIndex) override { Emit<EventIdOf("BeforeItemDelete")>(LVPrompt, Item, ItemIndex); }
    void ItemDeleted(int32_t ItemIndex) override { Emit<EventIdOf("ItemDeleted")>(ItemIndex); }
    void GroupBeforeDelete(int32_t& LVPrompt, int32_t RowIndex) override { Emit<EventIdOf("GroupBeforeDelete")>(LVPrompt, RowIndex); }
    void GroupDelete(int32_t RowIndex) override { Emit<EventIdOf("GroupDelete")>(RowIndex); }
    void ColumnWidthChanged(tColHeaderInfo& Column, int32_t ColIndex) override { Emit<EventIdOf("ColumnWidthChanged")>(Column, ColIndex); }
    void ColumnWidthChangedAlt(int32_t ColIndex) override { Emit<EventIdOf("ColumnWidthChangedAlt")>(ColIndex); }
    void SortColumnChanged(int16_t Column, int32_t SortOrder) override { Emit<EventIdOf("SortColumnChanged")>(Column, SortOrder); }
    void SortOrderChanged(int16_t Column, int32_t SortOrder) override { Emit<EventIdOf("SortOrderChanged")>(Column, SortOrder); }
    void BeforeItemEdit(bool& Cancel, tListItemInfo& Item, int32_t ItemIndex) override { Emit<EventIdOf("BeforeItemEdit")>(Cancel, Item, ItemIndex); }
    void AfterItemEdit(bool& Cancel, tListItemInfo& Item, int32_t ItemIndex, std::string& NewString) override { Emit<EventIdOf("AfterItemEdit")>(Cancel, Item, ItemIndex, NewString); }
    void CancelItemEdit(int32_t ItemIndex) override { Emit<EventIdOf("CancelItemEdit")>(ItemIndex); }
    void ItemKeyDown(int16_t& KeyCode, int16_t Shift, tListItemInfo& Item, int32_t ItemIndex) override { Emit<EventIdOf("ItemKeyDown")>(KeyCode, Shift, Item, ItemIndex); }
    void ItemKeyPress(int16_t& KeyAscii, tListItemInfo& Item, int32_t ItemIndex) override { Emit<EventIdOf("ItemKeyPress")>(KeyAscii, Item, ItemIndex); }
    void ItemKeyUp(int16_t& KeyCode, int16_t Shift, tListItemInfo& Item, int32_t ItemIndex) override { Emit<EventIdOf("ItemKeyUp")>(KeyCode, Shift, Item, ItemIndex); }
    void BeforeToolTip(int16_t& ItemType, int32_t& ItemIndex, std::string& ToolTipText) override { Emit<EventIdOf("BeforeToolTip")>(ItemType, ItemIndex, ToolTipText); }
    void OLEStartDrag(DataObject& Data, int32_t& AllowedEffects) override { Emit<EventIdOf("OLEStartDrag")>(Data, AllowedEffects); }
    void OLEGiveFeedback(int32_t& Effect, bool& DefaultCursors) override { Emit<EventIdOf("OLEGiveFeedback")>(Effect, DefaultCursors); }
    void OLESetData(DataObject& Data, int16_t& DataFormat) override { Emit<EventIdOf("OLESetData")>(Data, DataFormat); }
    void OLECompleteDrag(int32_t& Effect) override { Emit<EventIdOf("OLECompleteDrag")>(Effect); }
    void OLEDragOver(DataObject& Data, int32_t& Effect, int16_t Button, int16_t Shift, float X, float Y, int16_t State) override { Emit<EventIdOf("OLEDragOver")>(Data, Effect, Button, Shift, X, Y, State); }
    void OLEDragDrop(DataObject& Data, int32_t& Effect, int16_t Button, int16_t Shift, float X, float Y) override { Emit<EventIdOf("OLEDragDrop")>(Data, Effect, Button, Shift, X, Y); }
    void VScrollVisibleChanged(bool bState) override { Emit<EventIdOf("VScrollVisibleChanged")>(bState); }
    void HScrollVisibleChanged(bool bState) override { Emit<EventIdOf("HScrollVisibleChanged")>(bState); }

private:
    // Where the recorder reads an argument and, for answers, writes it; records and objects
    // are held as monostate because lines leave them out and answers never reach them.
    using ArgRef = std::variant<std::monostate, int16_t*, int32_t*, float*, bool*, std::string*>;
    using AnswerValue = std::variant<int16_t, int32_t, float, bool, std::string>;
    struct AnswerArg {
        std::size_t arg = 0;  // position in the event's arguments
        AnswerValue value;
    };

    template <class A>
    static constexpr EventArgType TypeOf() {
        if constexpr (std::is_same_v<A, int16_t>) return EventArgType::Integer;
        else if constexpr (std::is_same_v<A, int32_t>) return EventArgType::Long;
        else if constexpr (std::is_same_v<A, float>) return EventArgType::Single;
        else if constexpr (std::is_same_v<A, bool>) return EventArgType::Boolean;
        else if constexpr (std::is_same_v<A, std::string>) return EventArgType::String;
        else if constexpr (std::is_same_v<A, tListItemInfo>) return EventArgType::Item;
        else if constexpr (std::is_same_v<A, tColHeaderInfo>) return EventArgType::Column;
        else {
            static_assert(std::is_same_v<A, DataObject>, "not an event argument type");
            return EventArgType::Data;
        }
    }

    // The C++ arguments of a handler against the table's row: a handler that emits another
    // event's id, or drops or reorders an argument, does not compile.
    template <EventId Id, class... A>
    static consteval bool MatchesTable() {
        constexpr std::array<EventArgType, sizeof...(A)> types{TypeOf<A>()...};
        const auto args = kEventTable[Id].Args();
        if (args.size() != types.size()) return false;
        for (std::size_t i = 0; i < types.size(); ++i)
            if (args[i].type != types[i]) return false;
        return true;
    }

    template <class A>
    static ArgRef RefTo(A& arg) {
        if constexpr (TypeOf<A>() >= EventArgType::Item) return std::monostate{};
        else return &arg;
    }

    template <EventId Id, class... A>
    void Emit(A&... args) {
        static_assert(MatchesTable<Id, A...>(), "handler arguments differ from the event table");
        const std::array<ArgRef, sizeof...(A)> refs{RefTo(args)...};
        Record(Id, refs);
    }

    void Record(EventId id, std::span<const ArgRef> args);
    // Converts answers to their arguments' types; the error message, or empty on success.
    static std::string PrepareAnswer(std::string_view event, const std::map<std::string, Variant>& args,
                                     EventId& id, std::vector<AnswerArg>& prepared);

    std::ostream* echo_ = nullptr;
    std::vector<std::string> lines_;
    // Per event: the answers for each raise in turn, and which raise comes next.
    struct AnswerSequence {
        std::vector<std::vector<AnswerArg>> entries;
        std::size_t next = 0;
    };
    std::array<AnswerSequence, kEventCount> answers_;
};

}  // namespace glv
