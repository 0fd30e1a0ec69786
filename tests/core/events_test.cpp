// Ideas not yet written: a fuzz of ShortestDecimal against strtod over random bit patterns of
// every float; answers driven from a scenario file once the runner exists.

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>
#include <limits>
#include <set>
#include <sstream>
#include <stdexcept>

#include "core/EventRecorder.h"
#include "core/Events.h"
#include "platform/DataObject.h"

namespace glv {
namespace {

std::string Join(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& line : lines) out += line + "\n";
    return out;
}

std::string ArgList(const EventInfo& info, bool withRecords) {
    std::string out;
    for (const EventArg& arg : info.Args())
        if (withRecords || arg.type < EventArgType::Item)
            out += std::string(arg.name) + ":" + std::to_string(static_cast<int>(arg.type)) + " ";
    return out;
}

TEST(EventTable, SixtyThreeEventsWithTheirAltTwins) {
    EXPECT_EQ(kEventCount, 63u);

    // The events that have a twin without the record, and only those.
    const std::set<std::string> expectedTwins = {
        "ColumnMouseDownAlt", "ColumnMouseMoveAlt", "ColumnMouseUpAlt", "ColumnClickAlt",
        "ItemMouseDownAlt", "ItemMouseMoveAlt", "ItemMouseUpAlt", "SubItemMouseDownAlt",
        "SubItemMouseUpAlt", "ItemClickAlt", "SubItemClickAlt", "ItemDblClickAlt",
        "SubItemDblClickAlt", "ItemCheckedAlt", "SelectedIndexChangedAlt", "ColumnWidthChangedAlt"};
    std::set<std::string> twins;
    for (const EventInfo& info : kEventTable) {
        const std::string name(info.name);
        if (!name.ends_with("Alt")) continue;
        twins.insert(name);
        const EventInfo* full = FindEvent(name.substr(0, name.size() - 3));
        ASSERT_NE(full, nullptr) << name;
        // ItemMouseMove is the one full event whose arguments are not the twin's plus a record.
        if (name == "ItemMouseMoveAlt") continue;
        EXPECT_EQ(ArgList(info, true), ArgList(*full, false)) << name;
    }
    EXPECT_EQ(twins, expectedTwins);

    // Events that carry a record but have no twin: deletion, editing and edit-box keys.
    std::set<std::string> recordsWithoutTwin;
    for (const EventInfo& info : kEventTable)
        if (std::ranges::any_of(info.Args(), [](const EventArg& arg) {
                return arg.type == EventArgType::Item || arg.type == EventArgType::Column;
            }) && !twins.contains(std::string(info.name) + "Alt"))
            recordsWithoutTwin.insert(std::string(info.name));
    EXPECT_EQ(recordsWithoutTwin, (std::set<std::string>{"AfterItemEdit", "BeforeItemDelete", "BeforeItemEdit",
                                                          "ItemKeyDown", "ItemKeyPress", "ItemKeyUp"}));

    EXPECT_EQ(FindEvent("itemclick"), nullptr);  // names are exact, as scenario files spell them
    EXPECT_EQ(EventIdOf("ColumnMouseDown"), 0u);
    EXPECT_EQ(kEventTable[EventIdOf("HScrollVisibleChanged")].name, "HScrollVisibleChanged");
}

// Every handler of the recorder, called through the host interface, writes a line naming its own
// event with its own arguments. Catches a handler that records another event's name.
TEST(EventRecorder, EveryHandlerWritesItsOwnEventLine) {
    tListItemInfo item;
    tColHeaderInfo column;
    DataObject data = DataObject::FromText("a,-1");
    int16_t i16 = 13;
    int32_t i32 = 1;
    bool flag = false;
    std::string text = "tip";
    int32_t index = 4;

    using Call = std::function<void(GlideListViewEvents&)>;
    const std::vector<std::pair<Call, std::string>> rows = {
        {[&](auto& s) { s.ColumnMouseDown(1, 0, 20, 5, column, 2); }, "ColumnMouseDown Button=1 Shift=0 X=20 Y=5 ColIndex=2"},
        {[&](auto& s) { s.ColumnMouseDownAlt(1, 0, 20, 5, 2); }, "ColumnMouseDownAlt Button=1 Shift=0 X=20 Y=5 ColIndex=2"},
        {[&](auto& s) { s.ColumnMouseMove(0, 1, 21.5f, 6, column, 2); }, "ColumnMouseMove Button=0 Shift=1 X=21.5 Y=6 ColIndex=2"},
        {[&](auto& s) { s.ColumnMouseMoveAlt(0, 1, 21.5f, 6, 2); }, "ColumnMouseMoveAlt Button=0 Shift=1 X=21.5 Y=6 ColIndex=2"},
        {[&](auto& s) { s.ColumnMouseUp(2, 0, 22, 7, column, 3); }, "ColumnMouseUp Button=2 Shift=0 X=22 Y=7 ColIndex=3"},
        {[&](auto& s) { s.ColumnMouseUpAlt(2, 0, 22, 7, 3); }, "ColumnMouseUpAlt Button=2 Shift=0 X=22 Y=7 ColIndex=3"},
        {[&](auto& s) { s.ColumnClick(column, 1); }, "ColumnClick ColIndex=1"},
        {[&](auto& s) { s.ColumnClickAlt(1); }, "ColumnClickAlt ColIndex=1"},
        {[&](auto& s) { s.ItemMouseDown(1, 0, 20, 45, item, 2); }, "ItemMouseDown Button=1 Shift=0 X=20 Y=45 ItemIndex=2"},
        {[&](auto& s) { s.ItemMouseDownAlt(1, 0, 20, 45, 2); }, "ItemMouseDownAlt Button=1 Shift=0 X=20 Y=45 ItemIndex=2"},
        {[&](auto& s) { s.ItemMouseMove(0, 0, 1, 2); }, "ItemMouseMove Button=0 Shift=0 X=1 Y=2"},
        {[&](auto& s) { s.ItemMouseMoveAlt(0, 0, 1, 2, 5); }, "ItemMouseMoveAlt Button=0 Shift=0 X=1 Y=2 ItemIndex=5"},
        {[&](auto& s) { s.ItemMouseUp(4, 2, 3, 4, item, -1); }, "ItemMouseUp Button=4 Shift=2 X=3 Y=4 ItemIndex=-1"},
        {[&](auto& s) { s.ItemMouseUpAlt(4, 2, 3, 4, -1); }, "ItemMouseUpAlt Button=4 Shift=2 X=3 Y=4 ItemIndex=-1"},
        {[&](auto& s) { s.SubItemMouseDown(1, 0, 150, 30, item, 3, 1); }, "SubItemMouseDown Button=1 Shift=0 X=150 Y=30 ItemIndex=3 SubItemIndex=1"},
        {[&](auto& s) { s.SubItemMouseDownAlt(1, 0, 150, 30, 3, 1); }, "SubItemMouseDownAlt Button=1 Shift=0 X=150 Y=30 ItemIndex=3 SubItemIndex=1"},
        {[&](auto& s) { s.SubItemMouseMove(0, 0, 151, 31, 3, 2); }, "SubItemMouseMove Button=0 Shift=0 X=151 Y=31 ItemIndex=3 SubItemIndex=2"},
        {[&](auto& s) { s.SubItemMouseUp(1, 4, 152, 32, item, 3, 2); }, "SubItemMouseUp Button=1 Shift=4 X=152 Y=32 ItemIndex=3 SubItemIndex=2"},
        {[&](auto& s) { s.SubItemMouseUpAlt(1, 4, 152, 32, 3, 2); }, "SubItemMouseUpAlt Button=1 Shift=4 X=152 Y=32 ItemIndex=3 SubItemIndex=2"},
        {[&](auto& s) { s.ItemClick(item, 6); }, "ItemClick ItemIndex=6"},
        {[&](auto& s) { s.ItemClickAlt(6); }, "ItemClickAlt ItemIndex=6"},
        {[&](auto& s) { s.SubItemClick(item, 6, 1); }, "SubItemClick ItemIndex=6 SubItemIndex=1"},
        {[&](auto& s) { s.SubItemClickAlt(6, 1); }, "SubItemClickAlt ItemIndex=6 SubItemIndex=1"},
        {[&](auto& s) { s.ItemDblClick(1, item, 7); }, "ItemDblClick Button=1 ItemIndex=7"},
        {[&](auto& s) { s.ItemDblClickAlt(1, 7); }, "ItemDblClickAlt Button=1 ItemIndex=7"},
        {[&](auto& s) { s.SubItemDblClick(0, item, 7, 2); }, "SubItemDblClick Button=0 ItemIndex=7 SubItemIndex=2"},
        {[&](auto& s) { s.SubItemDblClickAlt(0, 7, 2); }, "SubItemDblClickAlt Button=0 ItemIndex=7 SubItemIndex=2"},
        {[&](auto& s) { s.ItemChecked(item, 8, true); }, "ItemChecked ItemIndex=8 Value=True"},
        {[&](auto& s) { s.ItemCheckedAlt(8, false); }, "ItemCheckedAlt ItemIndex=8 Value=False"},
        {[&](auto& s) { s.GroupHeaderMouseDown(9, 1, 0, 10, 60, 1); }, "GroupHeaderMouseDown RowIndex=9 Button=1 Shift=0 X=10 Y=60 State=1"},
        {[&](auto& s) { s.GroupHeaderMouseUp(9, 1, 0, 10, 60, 0); }, "GroupHeaderMouseUp RowIndex=9 Button=1 Shift=0 X=10 Y=60 State=0"},
        {[&](auto& s) { s.GroupHeaderClick(9, 2); }, "GroupHeaderClick RowIndex=9 State=2"},
        {[&](auto& s) { s.GroupHeaderDblClick(9, 1); }, "GroupHeaderDblClick RowIndex=9 State=1"},
        {[&](auto& s) { s.GroupStateChange(9, 0); }, "GroupStateChange RowIndex=9 State=0"},
        {[&](auto& s) { s.SelectedIndexChanged(item, 2); }, "SelectedIndexChanged ItemIndex=2"},
        {[&](auto& s) { s.SelectedIndexChangedAlt(2); }, "SelectedIndexChangedAlt ItemIndex=2"},
        {[&](auto& s) { s.SelectedRowChanged(3); }, "SelectedRowChanged RowIndex=3"},
        {[&](auto& s) { s.KeyDown(i16, 2); }, "KeyDown KeyCode=13 Shift=2"},
        {[&](auto& s) { s.KeyPress(i16); }, "KeyPress KeyAscii=13"},
        {[&](auto& s) { s.KeyUp(i16, 0); }, "KeyUp KeyCode=13 Shift=0"},
        {[&](auto& s) { s.BeforeItemDelete(i32, item, 3); }, "BeforeItemDelete LVPrompt=1 ItemIndex=3"},
        {[&](auto& s) { s.ItemDeleted(3); }, "ItemDeleted ItemIndex=3"},
        {[&](auto& s) { s.GroupBeforeDelete(i32, 1); }, "GroupBeforeDelete LVPrompt=1 RowIndex=1"},
        {[&](auto& s) { s.GroupDelete(1); }, "GroupDelete RowIndex=1"},
        {[&](auto& s) { s.ColumnWidthChanged(column, 2); }, "ColumnWidthChanged ColIndex=2"},
        {[&](auto& s) { s.ColumnWidthChangedAlt(2); }, "ColumnWidthChangedAlt ColIndex=2"},
        {[&](auto& s) { s.SortColumnChanged(2, 0); }, "SortColumnChanged Column=2 SortOrder=0"},
        {[&](auto& s) { s.SortOrderChanged(2, 1); }, "SortOrderChanged Column=2 SortOrder=1"},
        {[&](auto& s) { s.BeforeItemEdit(flag, item, 5); }, "BeforeItemEdit Cancel=False ItemIndex=5"},
        {[&](auto& s) { s.AfterItemEdit(flag, item, 5, text); }, "AfterItemEdit Cancel=False ItemIndex=5 NewString=\"tip\""},
        {[&](auto& s) { s.CancelItemEdit(5); }, "CancelItemEdit ItemIndex=5"},
        {[&](auto& s) { s.ItemKeyDown(i16, 1, item, 5); }, "ItemKeyDown KeyCode=13 Shift=1 ItemIndex=5"},
        {[&](auto& s) { s.ItemKeyPress(i16, item, 5); }, "ItemKeyPress KeyAscii=13 ItemIndex=5"},
        {[&](auto& s) { s.ItemKeyUp(i16, 1, item, 5); }, "ItemKeyUp KeyCode=13 Shift=1 ItemIndex=5"},
        {[&](auto& s) { s.BeforeToolTip(i16, index, text); }, "BeforeToolTip ItemType=13 ItemIndex=4 ToolTipText=\"tip\""},
        {[&](auto& s) { s.OLEStartDrag(data, i32); }, "OLEStartDrag AllowedEffects=1"},
        {[&](auto& s) { s.OLEGiveFeedback(i32, flag); }, "OLEGiveFeedback Effect=1 DefaultCursors=False"},
        {[&](auto& s) { s.OLESetData(data, i16); }, "OLESetData DataFormat=13"},
        {[&](auto& s) { s.OLECompleteDrag(i32); }, "OLECompleteDrag Effect=1"},
        {[&](auto& s) { s.OLEDragOver(data, i32, 1, 0, 30, 40, 2); }, "OLEDragOver Effect=1 Button=1 Shift=0 X=30 Y=40 State=2"},
        {[&](auto& s) { s.OLEDragDrop(data, i32, 1, 0, 30, 40); }, "OLEDragDrop Effect=1 Button=1 Shift=0 X=30 Y=40"},
        {[&](auto& s) { s.VScrollVisibleChanged(true); }, "VScrollVisibleChanged bState=True"},
        {[&](auto& s) { s.HScrollVisibleChanged(false); }, "HScrollVisibleChanged bState=False"},
    };
    ASSERT_EQ(rows.size(), kEventCount);

    EventRecorder recorder;
    GlideListViewEvents& sink = recorder;
    std::set<std::string> named;
    for (const auto& [call, expected] : rows) {
        call(sink);
        ASSERT_EQ(recorder.Lines().size(), 1u) << expected;
        EXPECT_EQ(recorder.Lines()[0], expected);
        named.insert(expected.substr(0, expected.find(' ')));
        recorder.TakeLines();
    }
    EXPECT_EQ(named.size(), kEventCount);  // no event covered twice, none missed

    // Nothing the recorder does without answers changes what the control passed.
    EXPECT_EQ(i16, 13);
    EXPECT_EQ(i32, 1);
    EXPECT_EQ(text, "tip");
    EXPECT_EQ(data.GetData(DataObject::kTextFormat).AsString(), "a,-1");
}

TEST(EventLine, NumbersInShortestRoundTripForm) {
    const std::vector<std::pair<double, std::string>> doubles = {
        {10, "10"}, {10.5, "10.5"}, {0.1, "0.1"}, {-3.25, "-3.25"}, {-0.0, "0"}, {1e-7, "1e-7"},
        {0.000001, "0.000001"}, {1.5e-7, "1.5e-7"}, {1000000, "1000000"}, {1e21, "1e+21"},
        {123456789012345680000.0, "123456789012345680000"}, {2.5e300, "2.5e+300"},
        {5e-324, "5e-324"}, {1.0 / 3, "0.3333333333333333"},
        {std::numeric_limits<double>::infinity(), "Infinity"},
        {-std::numeric_limits<double>::infinity(), "-Infinity"},
        {std::numeric_limits<double>::quiet_NaN(), "NaN"}};
    for (const auto& [value, text] : doubles) EXPECT_EQ(ShortestDecimal(value), text) << text;

    // A Single is written with the digits of a float, not of the double it widens to.
    EXPECT_EQ(ShortestDecimal(0.1f), "0.1");
    EXPECT_EQ(ShortestDecimal(20.3f), "20.3");
    EXPECT_EQ(ShortestDecimal(1e-7f), "1e-7");
    EXPECT_EQ(ShortestDecimal(16777216.0f), "16777216");
    EXPECT_EQ(ShortestDecimal(std::numeric_limits<float>::max()), "3.4028235e+38");
    EXPECT_EQ(ShortestDecimal(std::numeric_limits<float>::denorm_min()), "1e-45");

    // Every form reads back to the value it came from, across many magnitudes.
    for (int e = -330; e <= 310; ++e) {
        for (double mantissa : {1.0, 1.2345678901234567, 9.87654321, 5.0}) {
            const double value = mantissa * std::pow(10.0, e);
            const std::string text = ShortestDecimal(value);
            double back = 0;
            std::from_chars(text.data(), text.data() + text.size(), back);
            if (std::isfinite(value)) {
                EXPECT_EQ(back, value) << text;
            }
            const float single = static_cast<float>(value);
            const std::string singleText = ShortestDecimal(single);
            float singleBack = 0;
            std::from_chars(singleText.data(), singleText.data() + singleText.size(), singleBack);
            if (std::isfinite(single)) {
                EXPECT_EQ(singleBack, single) << singleText;
            }
        }
    }
}

TEST(EventLine, ValuesOfEveryKind) {
    EventRecorder recorder;
    tListItemInfo item;
    int16_t keyCode = std::numeric_limits<int16_t>::min();
    recorder.ItemKeyDown(keyCode, -1, item, std::numeric_limits<int32_t>::min());
    recorder.ItemMouseMoveAlt(1, 0, -0.5f, 1e-7f, 0);
    recorder.ItemCheckedAlt(-1, true);

    bool cancel = true;
    std::string text = "say \"hi\"\\\n\ttab\x01 caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80 /";
    recorder.AfterItemEdit(cancel, item, 1, text);
    std::string broken = "a\xFF" "b";
    recorder.AfterItemEdit(cancel, item, 1, broken);
    std::string empty;
    recorder.AfterItemEdit(cancel, item, 1, empty);

    EXPECT_EQ(Join(recorder.Lines()),
              "ItemKeyDown KeyCode=-32768 Shift=-1 ItemIndex=-2147483648\n"
              "ItemMouseMoveAlt Button=1 Shift=0 X=-0.5 Y=1e-7 ItemIndex=0\n"
              "ItemCheckedAlt ItemIndex=-1 Value=True\n"
              "AfterItemEdit Cancel=True ItemIndex=1 NewString=\"say \\\"hi\\\"\\\\\\n\\ttab\\u0001 caf\xC3\xA9 "
              "\xE2\x82\xAC \xF0\x9F\x98\x80 /\"\n"
              "AfterItemEdit Cancel=True ItemIndex=1 NewString=\"a\xEF\xBF\xBD" "b\"\n"
              "AfterItemEdit Cancel=True ItemIndex=1 NewString=\"\"\n");
}

TEST(EventRecorder, AnswersFollowTheLineAndPersistUntilCleared) {
    std::ostringstream echo;
    EventRecorder recorder(&echo);
    tListItemInfo item;

    recorder.SetAnswer("BeforeItemDelete", {{"LVPrompt", Variant(int32_t{3})}});
    recorder.SetAnswer("AfterItemEdit", {{"Cancel", Variant(true)}, {"NewString", Variant("host text")}});
    // Values convert by the runtime's rules: 65.5 rounds half to even, a numeric string parses.
    recorder.SetAnswer("KeyPress", {{"KeyAscii", Variant(65.5)}});
    recorder.SetAnswer("BeforeToolTip", {{"ToolTipText", Variant("")}, {"ItemIndex", Variant("12")}});

    int32_t prompt = 1;
    recorder.BeforeItemDelete(prompt, item, 2);
    EXPECT_EQ(prompt, 3);
    prompt = 1;
    recorder.BeforeItemDelete(prompt, item, 3);  // still answered on every raise
    EXPECT_EQ(prompt, 3);

    bool cancel = false;
    std::string typed = "typed";
    recorder.AfterItemEdit(cancel, item, 2, typed);
    EXPECT_TRUE(cancel);
    EXPECT_EQ(typed, "host text");

    int16_t key = 97;
    recorder.KeyPress(key);
    EXPECT_EQ(key, 66);
    int16_t code = 40;
    recorder.KeyDown(code, 0);  // an answer to one event leaves the others alone
    EXPECT_EQ(code, 40);

    int16_t itemType = 0;
    int32_t row = 4;
    std::string tip = "row 4";
    recorder.BeforeToolTip(itemType, row, tip);
    EXPECT_EQ(itemType, 0);  // not named in the answer: untouched
    EXPECT_EQ(row, 12);
    EXPECT_EQ(tip, "");

    // A later answer replaces the earlier one; a cleared one stops.
    recorder.SetAnswer("BeforeItemDelete", {{"LVPrompt", Variant(int32_t{0})}});
    prompt = 1;
    recorder.BeforeItemDelete(prompt, item, 4);
    EXPECT_EQ(prompt, 0);
    recorder.ClearAnswer("BeforeItemDelete");
    recorder.ClearAnswer("NoSuchEvent");
    prompt = 1;
    recorder.BeforeItemDelete(prompt, item, 5);
    EXPECT_EQ(prompt, 1);

    const std::string expected =
        "BeforeItemDelete LVPrompt=1 ItemIndex=2\n"
        "BeforeItemDelete LVPrompt=1 ItemIndex=3\n"
        "AfterItemEdit Cancel=False ItemIndex=2 NewString=\"typed\"\n"
        "KeyPress KeyAscii=97\n"
        "KeyDown KeyCode=40 Shift=0\n"
        "BeforeToolTip ItemType=0 ItemIndex=4 ToolTipText=\"row 4\"\n"
        "BeforeItemDelete LVPrompt=1 ItemIndex=4\n"
        "BeforeItemDelete LVPrompt=1 ItemIndex=5\n";
    EXPECT_EQ(Join(recorder.Lines()), expected);
    EXPECT_EQ(echo.str(), expected);
    EXPECT_EQ(Join(recorder.TakeLines()), expected);
    EXPECT_TRUE(recorder.Lines().empty());
}

TEST(EventRecorder, RejectsAnswersItCannotGive) {
    EXPECT_TRUE(EventRecorder::IsKnownEvent("OLEDragOver"));
    EXPECT_FALSE(EventRecorder::IsKnownEvent("OleDragOver"));
    EXPECT_TRUE(EventRecorder::IsKnownArgument("ItemClick", "Item"));
    EXPECT_TRUE(EventRecorder::IsKnownArgument("BeforeItemDelete", "LVPrompt"));
    EXPECT_FALSE(EventRecorder::IsKnownArgument("BeforeItemDelete", "Prompt"));
    EXPECT_FALSE(EventRecorder::IsKnownArgument("BeforeItemDelete", "lvprompt"));
    EXPECT_FALSE(EventRecorder::IsKnownArgument("NoSuchEvent", "LVPrompt"));

    using Args = std::map<std::string, Variant>;
    EXPECT_EQ(EventRecorder::CheckAnswer("BeforeItemDelete", Args{{"LVPrompt", Variant(int32_t{2})}}), "");
    EXPECT_EQ(EventRecorder::CheckAnswer("NoSuchEvent", Args{}), "unknown event \"NoSuchEvent\"");
    EXPECT_EQ(EventRecorder::CheckAnswer("BeforeItemDelete", Args{{"Prompt", Variant(int32_t{2})}}),
              "BeforeItemDelete argument \"Prompt\": the event has no such argument");
    EXPECT_EQ(EventRecorder::CheckAnswer("ItemMouseDown", Args{{"Button", Variant(int32_t{2})}}),
              "ItemMouseDown argument \"Button\": not passed by reference, so it cannot be answered");
    EXPECT_EQ(EventRecorder::CheckAnswer("ItemClick", Args{{"Item", Variant(int32_t{2})}}),
              "ItemClick argument \"Item\": not passed by reference, so it cannot be answered");
    EXPECT_EQ(EventRecorder::CheckAnswer("KeyPress", Args{{"KeyAscii", Variant(int32_t{70000})}}),
              "KeyPress argument \"KeyAscii\": Long value does not convert to Integer (Overflow)");
    EXPECT_EQ(EventRecorder::CheckAnswer("BeforeItemDelete", Args{{"LVPrompt", Variant("yes")}}),
              "BeforeItemDelete argument \"LVPrompt\": String value does not convert to Long (Type mismatch)");
    EXPECT_NE(EventRecorder::CheckAnswer("BeforeItemEdit", Args{{"Cancel", Variant::Null()}}), "");

    // A rejected answer leaves the one in force.
    EventRecorder recorder;
    recorder.SetAnswer("OLECompleteDrag", {{"Effect", Variant(int32_t{2})}});
    EXPECT_THROW(recorder.SetAnswer("OLECompleteDrag", {{"Effect", Variant("copy")}}), std::invalid_argument);
    EXPECT_THROW(recorder.SetAnswer("OLECompleteDrag", {{"Effects", Variant(int32_t{1})}}), std::invalid_argument);
    int32_t effect = 0;
    recorder.OLECompleteDrag(effect);
    EXPECT_EQ(effect, 2);
}

TEST(DataObject, HoldsOneValuePerFormat) {
    DataObject data = DataObject::FromText("A,-1|B,-1");
    EXPECT_TRUE(data.GetFormat(DataObject::kTextFormat));
    EXPECT_FALSE(data.GetFormat(2));
    EXPECT_TRUE(data.GetData(2).IsEmpty());
    data.SetData(Variant("C,-1"), DataObject::kTextFormat);
    EXPECT_EQ(data.GetData(DataObject::kTextFormat).AsString(), "C,-1");
    data.Clear();
    EXPECT_FALSE(data.GetFormat(DataObject::kTextFormat));
}

}  // namespace
}  // namespace glv
