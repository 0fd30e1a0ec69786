#include "tests/support/random_operations.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <limits>
#include <map>
#include <memory>

#include "apps/scenario/Path.h"
#include "control/GlideListView.h"
#include "platform/AutomationError.h"
#include "platform/Container.h"
#include "platform/DragSession.h"
#include "platform/Form.h"
#include "platform/Platform.h"
#include "platform/PropertyBag.h"
#include "platform/WindowSystem.h"
#include "scrollbar/ScrollBar.h"
#include "tests/support/control_access.h"

namespace glv::test {

// --- the control and how a step reaches it ---------------------------------------------------

// Offers a plain text from a window of the form outside the control, as the runner's drop
// step does; no text leaves the data object without one.
struct DropStepSource final : DragSource {
    std::optional<std::string> text;
    void DragStart(DataObject& data, int32_t& allowed) override {
        if (text) data.SetData(Variant(*text), DataObject::kTextFormat);
        allowed = dropeffect::kCopy | dropeffect::kMove;
    }
};

// The same control the runner makes for a file with no settings: 400 x 300 on a form, user
// mode, 15 twips per pixel, DejaVu Sans 8 as the ambient font.
class OperationHost {
public:
    OperationHost() {
        container.UserMode = true;
        container.AmbientFont = StdFont{"DejaVu Sans", 8.0f};
        form = std::make_unique<Form>(platform, 400, 300);
        control = std::make_unique<GlideListView>(platform, container, 400, 300, form->hwnd());
        control->InitProperties();
        context = {container.AmbientFont, ".", &platform, 15};
        root = control->DispatchObject();
    }
    ~OperationHost() {
        drag.reset();
        control->Terminate();
        control.reset();
    }

    // Performs one step; automation errors pass through.
    void Perform(const Json& step);

    Platform platform;
    Container container;
    std::unique_ptr<Form> form;
    std::unique_ptr<GlideListView> control;
    scenario::ValueContext context;
    ObjectPtr root;
    std::map<std::string, Variant> held;
    DropStepSource dropSource;
    std::unique_ptr<DragSession> drag;  // made by the first drop step
    HWND dropSourceWindow = 0;
};

void OperationHost::Perform(const Json& step) {
    using scenario::Access;
    scenario::PathEvaluator paths(root, held, context);
    if (step.contains("call")) {
        std::vector<Variant> args;
        if (step.contains("args"))
            for (const Json& arg : step["args"]) args.push_back(scenario::ToVariant(arg, context));
        paths.Evaluate(scenario::ParsePath(step["call"].get<std::string>()), Access::Call, args);
    } else if (step.contains("set")) {
        const Variant value = scenario::ToVariant(step["value"], context);
        paths.Evaluate(scenario::ParsePath(step["set"].get<std::string>()), Access::Write,
                       std::span<const Variant>(&value, 1));
    } else if (step.contains("get")) {
        paths.Evaluate(scenario::ParsePath(step["get"].get<std::string>()), Access::Read);
    } else if (step.contains("pointer")) {
        const std::string action = step["pointer"].get<std::string>();
        const auto kind = action == "down" ? Form::PointerAction::Down
                          : action == "up" ? Form::PointerAction::Up
                                           : Form::PointerAction::Move;
        form->Pointer(kind, step["x"].get<int32_t>(), step["y"].get<int32_t>(), step.value("button", 1), 0);
    } else if (step.contains("key")) {
        const std::string action = step["key"].get<std::string>();
        const auto kind = action == "down"    ? Form::KeyAction::Down
                          : action == "press" ? Form::KeyAction::Press
                                              : Form::KeyAction::Up;
        form->Key(kind, step["code"].get<int32_t>(), step.value("shift", 0));
    } else if (step.contains("drop")) {
        const Json& drop = step["drop"];
        dropSource.text = drop.contains("text") ? std::optional(drop["text"].get<std::string>()) : std::nullopt;
        if (!drag) {
            const HWND window = platform.windows.CreateWindow(0, "DropSource", {0, 0, 0, 0});
            platform.windows.SetVisible(window, false);
            RegisterDragSource(platform.windows, window, &dropSource);
            drag = std::make_unique<DragSession>(platform, *form);
            dropSourceWindow = window;
        }
        // A drag the control itself started (automatic OLEDragMode) may still be under way.
        if (!drag->Start(dropSourceWindow)) return;
        const POINT at{drop["x"].get<int32_t>(), drop["y"].get<int32_t>()};
        drag->Over(at, 0);
        drag->Drop(at, 0);
    } else if (step.contains("wheel")) {
        const auto high = static_cast<uint32_t>(static_cast<uint16_t>(step["wheel"].get<int32_t>())) << 16;
        platform.windows.SendMessage(control->hwnd(), wm::kMouseWheel, static_cast<intptr_t>(high),
                                     PackPoint(platform.system.cursorX, platform.system.cursorY));
    } else if (step.contains("resize")) {
        form->SetSize(step["resize"][0].get<int32_t>(), step["resize"][1].get<int32_t>());
        control->Resize(step["resize"][0].get<int32_t>(), step["resize"][1].get<int32_t>());
    } else if (step.contains("focus")) {
        step["focus"].get<bool>() ? control->GotFocus() : control->LostFocus();
    } else if (step.contains("wait")) {
        platform.clock.Advance(step["wait"].get<int32_t>());
    }
}

GlideListView& ControlOf(OperationHost& host) { return *host.control; }

// --- invariants ------------------------------------------------------------------------------

namespace {

// Everything a failed call must leave as it was: the persisted properties, every item, group
// and column record's own fields (not the geometry a paint writes back), and the top index.
std::string Snapshot(GlideListView& list) {
    PropertyBag bag;
    list.WriteProperties(bag);
    std::string out = bag.ToJson().dump();
    out += "|top " + std::to_string(list.TopIndex());
    for (int32_t i = 1; i <= list.ItemCount(); ++i) {
        const tListItemInfo& item = list.ItemRecord(i);
        const tItemGroupInfo& group = list.GroupRecord(i);
        out += "|" + item.cLIText + (item.cLISelected ? "*" : "") + (item.cLIItemChecked ? "v" : "") +
               (item.cLIEnabled ? "" : "-") + (group.Visible ? "" : "h") + (group.GroupHeader ? "g" : "") +
               std::to_string(item.cLIIconIndex) + "/" + std::to_string(item.cLISubListItemInfo.size());
        for (const tSubListItemInfo& sub : item.cLISubListItemInfo) out += "," + sub.cSIText;
    }
    for (int32_t c = 1; c <= list.ColumnCount(); ++c) {
        const tColHeaderInfo& column = list.ColumnRecord(c);
        out += "|col " + column.cHCaption + " " + std::to_string(column.cHWidth) + " " +
               std::to_string(column.cHHAlignment) + " " + std::to_string(column.cHSortType);
    }
    return out;
}

// The numbers the control and the runtime document for a call that is turned down.
bool DocumentedError(int32_t number) {
    static constexpr int32_t kNumbers[] = {5, 6, 7, 9, 11, 13, 91, 94, 364, 380, 424, 438, 449, 450, 481,
                                           -2147196503, -2147196502, -2147196501, -2147196500,
                                           -2147196499, -2147220455};
    return std::find(std::begin(kNumbers), std::end(kNumbers), number) != std::end(kNumbers);
}

std::optional<std::string> CheckInvariants(OperationHost& host) {
    GlideListView& list = *host.control;
    const int32_t count = list.ItemCount();
    if (host.root->Invoke("ListItems", CallKind::Get, {}).ToObject()->Invoke("Count", CallKind::Get, {}) != Variant(count))
        return "ListItems.Count disagrees with the item store";
    if (list.VisibleItemCount() < 0 || list.VisibleItemCount() > count) return "VisibleItemCount out of 0..count";
    int32_t selected = 0, visible = 0;
    for (int32_t i = 1; i <= count; ++i) {
        const bool shown = list.GroupRecord(i).Visible;
        visible += shown ? 1 : 0;
        if (list.ItemRecord(i).cLISelected && shown) ++selected;
        if (static_cast<int32_t>(list.ItemRecord(i).cLISubListItemInfo.size()) < 0) return "negative sub-items";
    }
    if (visible != list.VisibleItemCount())
        return "VisibleItemCount " + std::to_string(list.VisibleItemCount()) + " but " + std::to_string(visible) + " rows are visible";
    if (list.SelectedCount() != selected)
        return "SelectedCount " + std::to_string(list.SelectedCount()) + " but " + std::to_string(selected) +
               " visible rows are selected";
    // With no item shown (none at all, or every one hidden) TopIndex may be 0: it follows the
    // first shown item, and there is none.
    const int32_t top = list.TopIndex();
    if (top < (visible == 0 ? 0 : 1) || top > std::max(count, 1))
        return "TopIndex " + std::to_string(top) + " outside the list of " + std::to_string(count);
    for (ScrollBarControl* bar : {static_cast<ScrollBarControl*>(&list.VScrollBar()),
                                  static_cast<ScrollBarControl*>(&list.HScrollBar())}) {
        const ScrollValues v = bar->model().values();
        if (!(v.Value >= std::min(v.Min, v.Max) && v.Value <= std::max(v.Min, v.Max)))
            return "a scroll bar's value " + std::to_string(v.Value) + " outside " + std::to_string(v.Min) + ".." +
                   std::to_string(v.Max);
    }
    // Every row the last paint laid out on the page lies inside the control. Those are the rows
    // from TopIndex down that each start where the one above ended, the first under the header:
    // a row the paint did not reach keeps the geometry of an earlier paint (stale by design, as
    // after a change of row height or a paint that failed on a row height out of range), and
    // between BeginUpdate and EndUpdate no row is laid out at all.
    try {
        list.Refresh();
    } catch (const std::exception& e) {
        return std::string("painting failed: ") + e.what();
    }
    const int32_t height = list.Height();
    if (count > 0 && list.Enabled() && ControlTestAccess::PaintingEnabled(list)) {
        const int32_t first = list.FirstItemOnPage(), last = list.LastItemOnPage();
        int32_t next = list.HeaderHeight() + 1;  // where the next row of the last paint starts
        for (int32_t i = std::max(first, 1); i <= std::min(last, count); ++i) {
            if (!list.GroupRecord(i).Visible) continue;
            const tListItemInfo& item = list.ItemRecord(i);
            if (item.cLIItemY != next) break;
            if (item.cLIItemY < 0 || item.cLIItemY > height)
                return "row " + std::to_string(i) + " laid out at y " + std::to_string(item.cLIItemY) + " outside the control";
            next = item.cLIItemY + item.cLIItemHeight + (list.GridLines() ? 1 : 0);
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<Violation> RunSteps(const std::vector<Json>& steps,
                                  const ExtraCheck& extra) {
    OperationHost host;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const std::string before = Snapshot(*host.control);
        try {
            host.Perform(steps[i]);
        } catch (const AutomationError& e) {
            if (!DocumentedError(e.Number)) return Violation{i, "undocumented error " + std::to_string(e.Number) + ": " + e.Description};
            if (Snapshot(*host.control) != before)
                return Violation{i, "error " + std::to_string(e.Number) + " raised after changing the state"};
        } catch (const std::exception& e) {
            return Violation{i, std::string("an exception escaped: ") + e.what()};
        }
        try {
            if (auto broken = CheckInvariants(host)) return Violation{i, *broken};
            if (extra)
                if (auto broken = extra(host)) return Violation{i, *broken};
        } catch (const std::exception& e) {
            return Violation{i, std::string("checking the invariants failed: ") + e.what()};
        }
    }
    return std::nullopt;
}

std::vector<Json> Shrink(std::vector<Json> steps,
                         const ExtraCheck& extra) {
    auto violation = RunSteps(steps, extra);
    if (!violation) return steps;
    steps.resize(violation->step + 1);  // nothing after the failing step matters
    // Remove chunks, halving their size, while the run still fails (delta debugging).
    for (std::size_t chunk = std::max<std::size_t>(steps.size() / 2, 1);; chunk /= 2) {
        for (std::size_t start = 0; start < steps.size();) {
            std::vector<Json> fewer(steps.begin(), steps.begin() + static_cast<std::ptrdiff_t>(start));
            fewer.insert(fewer.end(), steps.begin() + static_cast<std::ptrdiff_t>(std::min(start + chunk, steps.size())), steps.end());
            if (auto still = RunSteps(fewer, extra)) {
                fewer.resize(still->step + 1);
                steps = std::move(fewer);
            } else {
                start += chunk;
            }
        }
        if (chunk == 1) break;
    }
    return steps;
}

Json ScenarioOf(const std::vector<Json>& steps, const std::string& description) {
    Json file = Json::object();
    file["description"] = description;
    file["steps"] = Json::array();
    for (const Json& step : steps) file["steps"].push_back(step);
    return file;
}

SeedsReport RunSeeds(uint32_t firstSeed, uint32_t runs, uint32_t stepsPerRun, const std::string& outDir,
                     bool keepGoing) {
    SeedsReport report;
    for (uint32_t seed = firstSeed; seed - firstSeed < runs; ++seed) {
        StepGenerator generator(seed);
        std::vector<Json> steps;
        for (uint32_t i = 0; i < stepsPerRun; ++i) steps.push_back(generator.Next());
        const auto violation = RunSteps(steps);
        if (!violation) {
            report.performed += steps.size();
            continue;
        }
        const std::vector<Json> shortest = Shrink(steps);
        const auto still = RunSteps(shortest);
        const Json file = ScenarioOf(shortest, "random operations, seed " + std::to_string(seed) + ": " +
                                                   (still ? still->what : "(no longer fails)"));
        std::filesystem::create_directories(outDir);
        const std::string path = outDir + "/random-seed-" + std::to_string(seed) + ".json";
        std::ofstream(path) << file.dump(2) << '\n';
        report.failures.push_back("seed " + std::to_string(seed) + ", step " + std::to_string(violation->step + 1) +
                                  ": " + violation->what + "\nshortest failing scenario: " + path + "\n" + file.dump(2));
        if (!keepGoing) break;
    }
    return report;
}

// --- the generator ---------------------------------------------------------------------------

int32_t StepGenerator::Pick(int32_t low, int32_t high) {
    return std::uniform_int_distribution<int32_t>(low, high)(random_);
}

int32_t StepGenerator::AnyLong() {
    static constexpr int32_t kEdges[] = {0, 1, -1, 2, 100, 32767, -32768, 65536, 1 << 30,
                                         std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::min()};
    return Chance(50) ? kEdges[Pick(0, std::size(kEdges) - 1)] : Pick(-1000, 1000);
}

int32_t StepGenerator::Index(int32_t count) {
    if (Chance(8)) return AnyLong();
    return Pick(-1, count + 1);
}

std::string StepGenerator::Text() {
    static const char* const kTexts[] = {"", "a", "B", "row", "10", "-3.5", "1/2/2003", "Zebra", "zz top",
                                         "\xC3\xA9t\xC3\xA9", "12:30 PM", "1E+300", "  7 "};
    return kTexts[Pick(0, std::size(kTexts) - 1)];
}

Json StepGenerator::AnyValue() {
    switch (Pick(0, 7)) {
        case 0: return Chance(50);
        case 1: return Text();
        case 2: return Json{{"double", Chance(50) ? 1e300 : -0.5}};
        case 3: return nullptr;
        case 4: return Json{{"integer", Pick(-32768, 32767)}};
        default: return AnyLong();
    }
}

Json StepGenerator::Next() {
    static const char* const kBoolProps[] = {"GridLines", "CheckBoxes", "MultiSelect", "FullRowSelect",
                                             "HideColumnHeaders", "Enabled", "ExpandingRow", "RightToLeft",
                                             "AutoSelectSize", "AllowSorting", "AllowColumnSorting",
                                             "HideSelection", "RowShrinkOnNoText", "MaintainSelection",
                                             "AllowEdit", "AllowDelete", "AllowKeyNavigation", "AllowColumnDrag",
                                             "AllowColumnResizing", "HoverSelection", "ItemToolTips"};
    static const char* const kLongProps[] = {"Theme", "ScrollBars", "RowVerticalMargin", "RowMinHeight", "SortedColumn",
                                             "SortOrder", "TopIndex", "ToolTipPreTime", "HeaderStyle", "BackStyle",
                                             "MetricsSize", "View", "BackColor", "ColumnBackStyle",
                                             "OLEDragMode", "OLEDropMode", "OleDropDataMode", "CurrentColumn"};
    static const char* const kBulk[] = {"ItemsSelectAll", "ItemsDeselectAll", "ItemsDeleteSelected", "ItemsDisableAll",
                                        "ItemsEnableAll", "ClearItems", "Refresh", "BeginUpdate", "EndUpdate",
                                        "FirstItemOnPage", "LastItemOnPage", "ItemCountPerPage", "ClientArea",
                                        "ColumnsVisibleWidth", "ColumnsTotalWidth", "FindFirstVisibleListItem"};
    static const char* const kItemFields[] = {"Text", "Selected", "Visible", "IconIndex", "GroupHeader", "GroupState"};
    const std::string item = "ListItems.Item(" + std::to_string(Index(items_)) + ")";
    switch (Pick(0, 31)) {
        case 0:
        case 1:
        case 2:
            ++items_;
            return {{"call", "ListItems.Add"}, {"args", Chance(70) ? Json::array({Text()}) : Json::array({Text(), AnyValue(), AnyValue()})}};
        case 3:
            ++items_;
            return {{"call", "ListItems.Insert"}, {"args", {Index(items_), Text()}}};
        case 4:
            items_ = std::max(items_ - 1, 0);
            return {{"call", "ListItems.Remove"}, {"args", {Index(items_)}}};
        case 5: {
            ++items_;
            Json fields = Json::array();
            for (int f = Pick(0, 6); f > 0; --f) fields.push_back(AnyValue());
            return {{"call", Chance(70) ? "AddItemQuick" : "InsertItemQuick"}, {"args", {Chance(80) ? fields : AnyValue()}}};
        }
        case 6:
            ++columns_;
            return {{"call", "Columns.Add"}, {"args", {Text(), nullptr, Chance(70) ? Pick(0, 200) : AnyLong()}}};
        case 7:
            if (Chance(30)) {
                columns_ = std::max(columns_ - 1, 0);
                return {{"call", "Columns.Remove"}, {"args", {Index(columns_)}}};
            }
            return {{"set", "Columns.Item(" + std::to_string(Index(columns_)) + ").Width"}, {"value", Chance(60) ? Pick(-10, 300) : AnyLong()}};
        case 8:
        case 9:
            return {{"set", item + "." + kItemFields[Pick(0, std::size(kItemFields) - 1)]}, {"value", AnyValue()}};
        case 10:
            return {{"set", item + ".SubItems.Item(" + std::to_string(Index(columns_)) + ").Text"}, {"value", Text()}};
        case 11:
            return {{"set", kBoolProps[Pick(0, std::size(kBoolProps) - 1)]}, {"value", Chance(85) ? Json(Chance(50)) : AnyValue()}};
        case 12:
            return {{"set", kLongProps[Pick(0, std::size(kLongProps) - 1)]}, {"value", Chance(60) ? Json(Pick(-1, 4)) : AnyValue()}};
        case 13:
            return {{"set", "TopIndex"}, {"value", Index(items_)}};
        case 14:
            return {{"call", "EnsureVisible"}, {"args", {Index(items_)}}};
        case 15:
            if (Chance(50)) return {{"call", "Sort"}, {"args", {Index(columns_), Pick(-1, 2)}}};
            return {{"call", "Columns.Item(" + std::to_string(Index(columns_)) + ").Sort"}, {"args", {Pick(-1, 2)}}};
        case 16:
            if (Chance(10)) items_ = 0;
            return {{"call", kBulk[Pick(0, std::size(kBulk) - 1)]}};
        case 17:
            return {{"call", "ItemsSelectRange"}, {"args", {Index(items_), Index(items_)}}};
        case 18:
            return {{"set", std::string(Chance(50) ? "SelectState(" : "CheckedState(") + std::to_string(Index(items_)) + ")"},
                    {"value", Chance(50)}};
        case 19:
            return {{"call", "ItemsCheckAll"}, {"args", {Chance(50)}}};
        case 20:
            return {{"call", "OffsetTopIndex"}, {"args", {Index(items_), Pick(-5, 5)}}};
        case 21:
            return {{"resize", {Chance(80) ? Pick(0, 600) : Pick(0, 2000), Chance(80) ? Pick(0, 400) : Pick(0, 1200)}}};
        case 22:
        case 23:
        case 24: {
            static const char* const kActions[] = {"down", "move", "up"};
            return {{"pointer", kActions[Pick(0, 2)]}, {"x", Pick(-20, 420)}, {"y", Pick(-20, 320)}, {"button", Chance(85) ? 1 : 2}};
        }
        case 25:
            return {{"wheel", Chance(80) ? Pick(-3, 3) * 120 : Pick(-32768, 32767)}};
        case 26:
            return {{"focus", Chance(60)}};
        case 27:
        case 28: {
            // Navigation, selection, editing and menu keys, the modifiers, and characters.
            static constexpr int32_t kKeys[] = {37, 38, 39, 40, 33, 34, 35, 36, 32, 13, 27, 113, 46, 16, 17, 18, 65, 9, 93, 121};
            static constexpr int32_t kChars[] = {'a', 'Z', ' ', 13, 27, 8, 1, 0xE9, 0x263A};
            static const char* const kActions[] = {"down", "up", "press"};
            const char* action = kActions[Pick(0, 2)];
            const int32_t code = action[0] == 'p' ? kChars[Pick(0, std::size(kChars) - 1)] : kKeys[Pick(0, std::size(kKeys) - 1)];
            return {{"key", action}, {"code", code}, {"shift", Chance(80) ? 0 : Pick(0, 7)}};
        }
        case 29: {
            static const char* const kDropped[] = {"one", "a,-1|b,2", "x,1,sub,-1", "|||", "a|b", ",,,,,,,,", "\xC3\xA9t\xC3\xA9,x"};
            Json drop = {{"x", Pick(-20, 420)}, {"y", Pick(-20, 320)}};
            if (Chance(90)) drop["text"] = kDropped[Pick(0, std::size(kDropped) - 1)];
            if (Chance(80)) items_ += 1;
            return {{"drop", drop}};
        }
        case 30:
            return {{"call", Chance(50) ? "SwapColumns" : "MoveColumn"}, {"args", {Index(columns_), Index(columns_)}}};
        default:
            return {{"wait", Chance(70) ? Pick(0, 600) : Pick(0, 5000)}};
    }
}

}  // namespace glv::test
