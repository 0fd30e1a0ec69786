// The scenario runner driven in-process, against a double of the control's dispatch object that
// reports what it was passed, raises chosen errors and events, and starts timers.
//
// Ideas not yet written: a path through a default member once the control has one; "system" as
// a step once the theme code reads it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>

#include "apps/scenario/Path.h"
#include "apps/scenario/Scenario.h"
#include "core/Errors.h"
#include "core/Events.h"
#include "control/GlideListView.h"
#include "platform/AutomationError.h"
#include "platform/Image.h"
#include "platform/ImageList.h"

namespace glv::scenario {
namespace {

// A stand-in for the control's dispatch object. Like the real one it keeps the window handle
// and finds the control through it, so it outlives a destroyed control.
class Double : public Object {
public:
    Double(const WindowSystem& windows, HWND hwnd) : windows_(windows), hwnd_(hwnd) {}
    std::string TypeName() const override { return "Double"; }

    Variant Invoke(std::string_view member, CallKind kind, std::span<const Variant> args) override {
        GlideListView* control = GlideListView::FromWindow(windows_, hwnd_);
        if (!control) RaiseError(kErrObjectUnloaded, kSourceControl);
        const std::string name(member);
        if (name == "Value") {  // a property with an optional index: Value or Value(i)
            if (kind == CallKind::Let) value_ = args.back();
            return value_;
        }
        if (name == "TypesOf") return TypesOf(args);
        if (name == "Child") return Variant(ObjectPtr(std::make_shared<Double>(windows_, hwnd_)));
        if (name == "Nothing") return Variant(ObjectPtr());
        if (name == "Single") return 1.1f;
        if (name == "Red") return int32_t{0x0000FF};
        if (name == "Values") return Variant::Array({int32_t{10}, "x", true}, 1);
        if (name == "Font") return Variant(ObjectPtr(std::make_shared<StdFont>("DejaVu Sans", 9.0f, true)));
        if (name == "Size") return std::to_string(control->Width()) + "x" + std::to_string(control->Height());
        if (name == "Raise") {
            if (args.size() != 1) RaiseRuntimeError(runtime_error::kWrongArgumentCount);
            throw AutomationError(args[0].ToLong(), "glideListViewLib.Double", "raised on purpose");
        }
        if (name == "Delete") {  // asks the host about item args[0], as deleting does
            int32_t prompt = 1;
            tListItemInfo item;
            const int32_t index = Arg0(args).ToLong();
            control->EventSink()->BeforeItemDelete(prompt, item, index);
            if (prompt == 1) control->EventSink()->ItemDeleted(index);
            return prompt;
        }
        if (name == "StartTimer") {  // one ItemDeleted(7) every args[0] ms
            Clock& clock = control->platform().clock;
            const TimerId id = clock.CreateTimer([&windows = windows_, hwnd = hwnd_] {
                if (auto* c = GlideListView::FromWindow(windows, hwnd)) c->EventSink()->ItemDeleted(7);
            });
            clock.SetInterval(id, Arg0(args).ToLong());
            clock.Start(id);
            return {};
        }
        if (name == "ImageList") {  // the list registered under handle args[0]: "16x16 8"
            const ImageList* list = control->platform().imageLists.Find(static_cast<uint32_t>(Arg0(args).ToLong()));
            if (!list) return "none";
            return std::to_string(list->ImageWidth()) + "x" + std::to_string(list->ImageHeight()) + " " +
                   std::to_string(list->Count());
        }
        if (name == "Pair") {
            if (args.size() < 2) RaiseRuntimeError(runtime_error::kArgumentNotOptional);
            if (args.size() > 2) RaiseRuntimeError(runtime_error::kWrongArgumentCount);
            return args[0].ToLong() + args[1].ToLong();
        }
        return Object::Invoke(member, kind, args);
    }

private:
    static const Variant& Arg0(std::span<const Variant> args) {
        if (args.empty()) RaiseRuntimeError(runtime_error::kArgumentNotOptional);
        return args[0];
    }
    static std::string TypesOf(std::span<const Variant> args) {
        std::string out;
        for (const Variant& arg : args) {
            if (!out.empty()) out += ' ';
            out += VarTypeName(arg.Type());
            if (arg.IsArray()) out += "(" + std::to_string(arg.AsArray()->LBound) + ")";
            if (arg.IsObject() && arg.AsObject()) {
                if (const auto* font = dynamic_cast<const StdFont*>(arg.AsObject().get()))
                    out += "(" + font->Name + " " + std::to_string(static_cast<int>(font->Size)) +
                           (font->Bold ? " bold" : "") + ")";
                else
                    out += "(" + arg.AsObject()->TypeName() + ")";
            }
        }
        return out;
    }

    const WindowSystem& windows_;
    HWND hwnd_;
    Variant value_;
};

struct Outcome {
    int status = -1;
    std::string out, err;
};

RunOptions WithDouble() {
    RunOptions options;
    options.rootObject = [](GlideListView& control) -> ObjectPtr {
        return std::make_shared<Double>(control.platform().windows, control.hwnd());
    };
    return options;
}

Outcome RunSteps(const std::string& steps, const RunOptions& options = WithDouble(),
            const std::string& settings = "") {
    std::ostringstream out, err;
    const std::string text = "{" + settings + (settings.empty() ? "" : ",") + "\"steps\": [" + steps + "]}";
    Outcome outcome;
    outcome.status = RunScenario(text, options, out, err);
    outcome.out = out.str();
    outcome.err = err.str();
    return outcome;
}

TEST(ScenarioValues, JsonTurnsIntoTheAutomationTypesTheContractNames) {
    const Outcome ok = RunSteps(R"j(
        {"call": "TypesOf", "args": [true, 5, -2147483648, 2147483648, 1.0, "s", [1, [2]], null,
            {"integer": -32768}, {"long": 5}, {"single": 1.5}, {"double": 5}, {"string": "5"},
            {"boolean": false}, {"empty": true}, {"null": true}, {"date": 2.5},
            {"font": {"Bold": true}}, {"font": {"Name": "Serif", "Size": 12}}],
         "expect": "Boolean Long Long Double Double String Array(0) Missing Integer Long Single Double String Boolean Empty Null Date Object(DejaVu Sans 8 bold) Object(Serif 12)"},
        {"get": "TypesOf(1, \"a,b)\", null, -2.5e3, true)", "expect": "Long String Missing Double Boolean"},
        {"call": "Child.TypesOf(1)", "args": ["x"], "expect": "Long String"}
    )j", WithDouble(), R"j("ambient_font": {"Size": 8.4})j");
    EXPECT_EQ(ok.status, 0) << ok.err;

    // Typed forms hold their type's range; anything else is a file error, not a conversion.
    for (const char* bad : {R"j({"integer": 32768})j", R"j({"long": 1.5})j", R"j({"boolean": 1})j",
                            R"j({"empty": false})j", R"j({"integer": 1, "long": 2})j", R"j({"colour": 1})j",
                            R"j({"font": {"Weight": 700}})j", R"j({"font": {"Size": -1}})j"}) {
        const Outcome o = RunSteps(std::string(R"j({"call": "TypesOf", "args": [)j") + bad + "]}");
        EXPECT_EQ(o.status, 2) << bad;
        EXPECT_EQ(o.err.rfind("step 1: not a valid scenario: ", 0), 0u) << o.err;
    }
}

TEST(ScenarioValues, ExpectComparesNumbersByValueColoursArraysAndFonts) {
    const Outcome ok = RunSteps(R"j(
        {"get": "Single", "expect": 1.1},
        {"get": "Single", "expect": {"single": 1.1}},
        {"get": "Red", "expect": "#FF0000"},
        {"get": "Red", "expect": {"double": 255}},
        {"get": "Values", "expect": [10, "x", true]},
        {"get": "Values.Count", "expect": 3},
        {"get": "Values.Item(1)", "expect": 10},
        {"get": "Values.Item(3)", "expect": true},
        {"get": "Values.UBound", "expect": 3},
        {"get": "Font", "expect": {"font": {"Bold": true, "Size": 9}}},
        {"get": "Font", "expect": "DejaVu Sans"},
        {"get": "Nothing", "expect": null},
        {"get": "Value", "expect": null},
        {"set": "Value", "value": "7"},
        {"get": "Value", "expect": "7"}
    )j");
    EXPECT_EQ(ok.status, 0) << ok.err;

    struct Row {
        const char* step;
        const char* message;
    };
    const Row rows[] = {
        {R"j({"get": "Red", "expect": "#0000FF"})j", "step 1: expected \"#0000FF\" found 255 (Long, #FF0000)"},
        {R"j({"get": "Red", "expect": "255"})j", "step 1: expected \"255\" found 255 (Long)"},
        {R"j({"get": "Values", "expect": [10, "x"]})j", "step 1: expected [10,\"x\"] found array(1 to 3) [10 (Long), \"x\" (String), True (Boolean)]"},
        {R"j({"get": "Values.Item(3)", "expect": -1})j", "step 1: expected -1 found True (Boolean)"},
        {R"j({"get": "Font", "expect": {"font": {"Italic": true}}})j", "step 1: expected {\"font\":{\"Italic\":true}} found object StdFont"},
        {R"j({"get": "Single", "expect": 1.2})j", "step 1: expected 1.2 found 1.1 (Single)"},
    };
    for (const Row& row : rows) {
        const Outcome o = RunSteps(row.step);
        EXPECT_EQ(o.status, 1) << row.step;
        EXPECT_EQ(o.err, std::string(row.message) + "\n");
    }
}

TEST(ScenarioSteps, ErrorsAreCheckedFieldByFieldAndShapeErrorsMakeTheFileInvalid) {
    const Outcome ok = RunSteps(R"j(
        {"call": "Raise", "args": [9], "error": {"number": 9}},
        {"call": "Raise(5)", "error": {"number": 5, "description": "raised on purpose", "source": "glideListViewLib.Double"}},
        {"get": "Values.Item(4)", "error": {"number": 9}},
        {"get": "Value.Foo", "error": {"number": 424}},
        {"get": "Nothing.Foo", "error": {"number": 91}},
        {"get": "NoSuchMember", "error": {"number": 438}},
        {"call": "Pair", "args": [1, 2], "expect": 3, "as": "three"},
        {"get": "$three", "expect": 3}
    )j");
    EXPECT_EQ(ok.status, 0) << ok.err;

    struct Row {
        const char* step;
        int status;
        const char* message;
    };
    const Row rows[] = {
        {R"j({"call": "Raise(5)", "error": {"number": 6}})j", 1,
         "step 1: expected error 6 found error 5 \"raised on purpose\" (glideListViewLib.Double)"},
        {R"j({"call": "Raise(5)", "error": {"source": "x"}})j", 1,
         "step 1: expected source \"x\" found error 5 \"raised on purpose\" (glideListViewLib.Double)"},
        {R"j({"call": "Raise(5)"})j", 1,
         "step 1: expected no error found error 5 \"raised on purpose\" (glideListViewLib.Double)"},
        {R"j({"get": "Red", "error": {"number": 5}})j", 1, "step 1: expected error 5 found 255 (Long)"},
        {R"j({"get": "Child.Nope"})j", 2,
         "step 1: not a valid scenario: Child.Nope: error 438 \"Object doesn't support this property or method\" (glideListViewLib)"},
        {R"j({"call": "Pair", "args": [1]})j", 2,
         "step 1: not a valid scenario: Pair: error 449 \"Argument not optional\" (glideListViewLib)"},
        {R"j({"call": "Pair(1, 2)", "args": [3], "error": {"number": 5}})j", 2,
         "step 1: not a valid scenario: Pair(1, 2): error 450 \"Wrong number of arguments or invalid property assignment\" (glideListViewLib)"},
        {R"j({"get": "$unknown"})j", 2, "step 1: not a valid scenario: no value is held as $unknown"},
        {R"j({"set": "Red"})j", 2, "step 1: not a valid scenario: set needs a value"},
        {R"j({"get": "Red", "as": "1x"})j", 2, "step 1: not a valid scenario: as names a value to hold: an identifier, not \"1x\""},
    };
    for (const Row& row : rows) {
        const Outcome o = RunSteps(row.step);
        EXPECT_EQ(o.status, row.status) << row.step;
        EXPECT_EQ(o.err, std::string(row.message) + "\n");
    }
}

TEST(ScenarioSteps, EventsAreEchoedAsRaisedAndAnswersComeBack) {
    const Outcome o = RunSteps(R"j(
        {"call": "Delete(3)", "expect": 1},
        {"events": ["BeforeItemDelete LVPrompt=1 ItemIndex=3", "ItemDeleted ItemIndex=3"]},
        {"answer": "BeforeItemDelete", "args": {"LVPrompt": 2}},
        {"call": "Delete(4)", "expect": 2},
        {"call": "Delete(5)", "expect": 2},
        {"events": null},
        {"events": []},
        {"answer": "BeforeItemDelete", "args": null},
        {"call": "Delete(6)", "expect": 1},
        {"events": ["BeforeItemDelete LVPrompt=1 ItemIndex=6"]}
    )j");
    EXPECT_EQ(o.status, 1);
    // Standard output has the event lines as they were raised, and nothing else.
    EXPECT_EQ(o.out,
              "BeforeItemDelete LVPrompt=1 ItemIndex=3\nItemDeleted ItemIndex=3\n"
              "BeforeItemDelete LVPrompt=1 ItemIndex=4\nBeforeItemDelete LVPrompt=1 ItemIndex=5\n"
              "BeforeItemDelete LVPrompt=1 ItemIndex=6\nItemDeleted ItemIndex=6\n");
    EXPECT_EQ(o.err,
              "step 10: expected events\n  BeforeItemDelete LVPrompt=1 ItemIndex=6\n"
              "found\n  BeforeItemDelete LVPrompt=1 ItemIndex=6\n  ItemDeleted ItemIndex=6\n");

    for (const char* bad : {R"j({"answer": "BeforeItemDeleted", "args": {"LVPrompt": 2}})j",
                            R"j({"answer": "BeforeItemDelete", "args": {"Prompt": 2}})j",
                            R"j({"answer": "BeforeItemDelete", "args": {"ItemIndex": 2}})j",
                            R"j({"answer": "BeforeItemDelete", "args": {"LVPrompt": "two"}})j",
                            R"j({"answer": "BeforeItemDelete"})j", R"j({"answer": "Nope", "args": null})j",
                            R"j({"events": "ItemDeleted ItemIndex=3"})j", R"j({"events": [3]})j"}) {
        const Outcome b = RunSteps(bad);
        EXPECT_EQ(b.status, 2) << bad;
        EXPECT_EQ(b.err.rfind("step 1: not a valid scenario: ", 0), 0u) << b.err;
    }
}

TEST(ScenarioSteps, WaitResizeAndDestroy) {
    const Outcome o = RunSteps(R"j(
        {"get": "Size", "expect": "120x80"},
        {"call": "StartTimer(10)"},
        {"wait": 9},
        {"events": []},
        {"wait": 21},
        {"events": ["ItemDeleted ItemIndex=7", "ItemDeleted ItemIndex=7", "ItemDeleted ItemIndex=7"]},
        {"resize": [64, 48], "comment": "smaller"},
        {"get": "Size", "expect": "64x48"},
        {"get": "Child", "as": "child"},
        {"destroy": true},
        {"wait": 100},
        {"events": []},
        {"get": "$child.Red", "error": {"number": 364, "description": "Object has been unloaded.",
                                       "source": "glideListViewLib.GlideListView"}},
        {"get": "Red", "error": {"number": 364}},
        {"destroy": true},
        {"resize": [10, 10]}
    )j", WithDouble(), R"j("size": [120, 80])j");
    EXPECT_EQ(o.status, 2);
    EXPECT_EQ(o.err, "step 16: not a valid scenario: the control has been destroyed\n");
}

TEST(ScenarioFile, SettingsReachTheControlAndBadFilesAreRejected) {
    RunOptions options = WithDouble();
    Container seen;
    SystemInfo seenSystem;
    options.rootObject = [&](GlideListView& control) -> ObjectPtr {
        seen.UserMode = control.container().UserMode;
        seen.TwipsPerPixelX = control.container().TwipsPerPixelX;
        seen.AmbientFont = control.container().AmbientFont;
        seenSystem = control.platform().system;
        return std::make_shared<Double>(control.platform().windows, control.hwnd());
    };
    const Outcome o = RunSteps("", options,
                          R"j("description": "settings", "user_mode": false, "twips_per_pixel": 12,
                             "ambient_font": {"Name": "DejaVu Serif", "Italic": true},
                             "system": {"visual_styles": false, "theme_file": "t", "color_scheme": "Metallic",
                                        "os_version": [6, 0, 2], "wheel_present": false, "wheel_lines": 5,
                                        "colors": {"5": "#102030"}, "hscroll_arrow_width": 21})j");
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_FALSE(seen.UserMode);
    EXPECT_EQ(seen.TwipsPerPixelX, 12);
    EXPECT_EQ(seen.AmbientFont.Name + " " + std::to_string(seen.AmbientFont.Size) + " " +
                  std::to_string(seen.AmbientFont.Italic),
              "DejaVu Serif 8.000000 1");
    EXPECT_FALSE(seenSystem.visualStyles);
    EXPECT_EQ(seenSystem.themeFile + " " + seenSystem.colorScheme, "t Metallic");
    EXPECT_EQ(seenSystem.os.major * 100 + seenSystem.os.minor, 600);
    EXPECT_FALSE(seenSystem.wheelPresent);
    EXPECT_EQ(seenSystem.wheelScrollLines, 5);
    EXPECT_EQ(seenSystem.colors[5], 0x302010u);
    EXPECT_EQ(seenSystem.Metric(metric::kCxHScroll), 21);

    struct Row {
        const char* text;
        const char* message;
    };
    const Row rows[] = {
        {"{\"steps\": [", "not a valid scenario: the file is not valid JSON: "},
        {"[]", "not a valid scenario: a scenario is a JSON object"},
        {R"j({"stpes": []})j", "not a valid scenario: unknown key \"stpes\" in the scenario"},
        {R"j({"size": [400]})j", "not a valid scenario: size is written [WIDTH, HEIGHT]"},
        {R"j({"size": [400, 100000]})j", "not a valid scenario: size wants a whole number from 0 to 16384"},
        {R"j({"system": {"colors": {"31": "#000000"}}})j", "not a valid scenario: colors: \"31\" is not a system colour index"},
        {R"j({"system": {"theme_changed": true}})j", "not a valid scenario: unknown key \"theme_changed\" in system"},
        {R"j({"steps": [{}]})j", "step 1: not a valid scenario: a step is an object whose first key is its verb"},
        {R"j({"steps": [{"get": "Red"}, {"mouse": "down", "x": 1}]})j", "step 2: not a valid scenario: mouse down needs x and y"},
        {R"j({"steps": [{"expect": 1, "get": "Red"}]})j", "step 1: not a valid scenario: unknown verb \"expect\""},
        {R"j({"steps": [{"get": "Red", "value": 1}]})j", "step 1: not a valid scenario: unknown key \"value\" for get"},
        {R"j({"steps": [{"get": "Red..Blue"}]})j", "step 1: not a valid scenario: path \"Red..Blue\" at 5: expected a member name"},
        {R"j({"steps": [{"call": "TypesOf", "args": [{"picture": {"width": 4, "height": 4}}]}]})j", "step 1: not a valid scenario: picture needs color"},
        {R"j({"steps": [{"call": "TypesOf", "args": [{"imagelist": {"width": 16, "height": 16}}]}]})j", "step 1: not a valid scenario: image list needs count"},
        {R"j({"steps": [{"call": "TypesOf", "args": [{"imagelist": {"file": "none.png", "width": 16}}]}]})j", "step 1: not a valid scenario: image list: "},
        {R"j({"steps": [{"wait": -1}]})j", "step 1: not a valid scenario: wait wants a whole number from 0"},
    };
    for (const Row& row : rows) {
        std::ostringstream out, err;
        EXPECT_EQ(RunScenario(row.text, WithDouble(), out, err), 2) << row.text;
        EXPECT_EQ(err.str().rfind(row.message, 0), 0u) << row.text << " -> " << err.str();
        EXPECT_EQ(out.str(), "");
    }
}

TEST(ScenarioValues, PicturesAndImageListsComeFromFormsOrFilesBesideTheScenario) {
    // A strip of three 4x5 green images beside the scenario; file paths are relative to it.
    const std::filesystem::path dir = std::filesystem::path(GLV_TEST_OUT_DIR) / "scenario-values";
    std::filesystem::create_directories(dir);
    SavePng(Image(12, 5, 0xFF00FF00u), (dir / "strip.png").string());
    RunOptions options = WithDouble();
    options.baseDir = dir;
    const Outcome o = RunSteps(R"j(
        {"set": "Value", "value": {"picture": {"width": 12, "height": 5, "color": "#00FF00"}}},
        {"get": "Value", "expect": {"picture": {"file": "strip.png"}}},
        {"get": "Value.Width", "expect": 318},
        {"call": "TypesOf", "args": [{"picture": {"file": "strip.png"}}], "expect": "Object(StdPicture)"},
        {"call": "TypesOf", "args": [{"imagelist": {"width": 16, "height": 16, "count": 8}}], "expect": "Long"},
        {"call": "ImageList", "args": [{"imagelist": {"width": 16, "height": 12, "count": 3}}], "expect": "16x12 3"},
        {"call": "ImageList", "args": [{"imagelist": {"file": "strip.png", "width": 4}}], "expect": "4x5 3"},
        {"call": "ImageList", "args": [0], "expect": "none"}
    )j", options);
    EXPECT_EQ(o.status, 0) << o.err;
    for (const char* bad : {R"j({"file": "strip.png", "width": 13})j", R"j({"file": "strip.png"})j",
                            R"j({"width": 0, "height": 16, "count": 1})j", R"j({"width": 16, "height": 16, "count": 1, "x": 1})j",
                            R"j([16, 16, 8])j"}) {
        const Outcome b = RunSteps(std::string(R"j({"call": "ImageList", "args": [{"imagelist": )j") + bad + "}]}", options);
        EXPECT_EQ(b.status, 2) << bad;
        EXPECT_EQ(b.err.rfind("step 1: not a valid scenario: image list", 0), 0u) << b.err;
    }
    const Outcome other = RunSteps(R"j(
        {"set": "Value", "value": {"picture": {"width": 12, "height": 5, "color": "#00FF00"}}},
        {"get": "Value", "expect": {"picture": {"width": 12, "height": 5, "color": "#00FE00"}}}
    )j", options);
    EXPECT_EQ(other.status, 1);
    EXPECT_EQ(other.err, "step 2: expected {\"picture\":{\"width\":12,\"height\":5,\"color\":\"#00FE00\"}} found object StdPicture\n");
    for (const char* bad : {R"j({"file": "none.png"})j", R"j({"file": "strip.png", "width": 3})j",
                            R"j({"width": 5000, "height": 1, "color": "#000000"})j",
                            R"j({"width": 5, "height": 1, "color": "red"})j", R"j("strip.png")j"}) {
        const Outcome b = RunSteps(std::string(R"j({"call": "TypesOf", "args": [{"picture": )j") + bad + "}]}", options);
        EXPECT_EQ(b.status, 2) << bad;
        EXPECT_EQ(b.err.rfind("step 1: not a valid scenario: picture", 0), 0u) << b.err;
    }
}

TEST(ScenarioPath, ParsesSegmentsArgumentsAndHeldValues) {
    auto shape = [](std::string_view text) {
        std::string out;
        for (const Segment& s : ParsePath(text).segments) {
            out += (s.held ? "$" : "") + s.name;
            for (const Json& arg : s.args) out += " " + arg.dump();
            out += ";";
        }
        return out;
    };
    EXPECT_EQ(shape("GridLines"), "GridLines;");
    EXPECT_EQ(shape("ListItems.Item(2).SubItems.Item(1).Text"), "ListItems;Item 2;SubItems;Item 1;Text;");
    EXPECT_EQ(shape("$it.Text"), "$it;Text;");
    EXPECT_EQ(shape("F( \"a\\\"),b\" , null,-1.5e2 ,true)"), "F \"a\\\"),b\" null -150.0 true;");
    EXPECT_EQ(shape("F()"), "F;");
    for (const char* bad : {"", ".A", "A.", "A..B", "1A", "A.$b", "A(", "A(1", "A(1,)", "A(,1)", "A(x)",
                            "A([1])", "A({})j", "A(\"open)", "A(1 2)", "A)b", "A b", "$", "A.B(1)(2)"})
        EXPECT_THROW(ParsePath(bad), InvalidScenario) << bad;
}

// Mutated scenario files, fed through the runner in-process: whatever the bytes, the result is
// one of the three statuses and nothing crashes (the sanitizer build checks the rest).
TEST(ScenarioFuzz, MutatedFilesNeverCrashTheRunner) {
    // The scenario files drive the control's own object; the last seed drives the double.
    std::vector<std::string> seeds;
    for (const auto& entry : std::filesystem::directory_iterator(GLV_TEST_DATA_DIR "/scenarios")) {
        if (entry.path().extension() != ".json") continue;
        std::ifstream in(entry.path());
        seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    const std::size_t doubleSeed = seeds.size();
    seeds.push_back(R"j({"size": [50, 40], "steps": [
        {"call": "TypesOf", "args": [1, "a", [true, null], {"font": {"Bold": true}}, {"single": 2}]},
        {"call": "Delete(2)", "as": "p"}, {"get": "$p", "expect": 1},
        {"answer": "BeforeItemDelete", "args": {"LVPrompt": 3}}, {"call": "StartTimer(5)"}, {"wait": 12},
        {"events": ["BeforeItemDelete LVPrompt=1 ItemIndex=2"]}, {"get": "Values.Item(2)", "expect": "x"},
        {"resize": [10, 10]}, {"destroy": true}, {"get": "Red", "error": {"number": 364}}]})j");

    // Pieces that make mutations land on the grammar: JSON punctuation, verbs, path syntax.
    const std::vector<std::string> pieces = {
        "{", "}", "[", "]", ",", ":", "\"", "null", "true", "-1", "0", "2147483648", "1e308", "\"$p\"",
        "\"get\"", "\"set\"", "\"call\"", "\"events\"", "\"answer\"", "\"wait\"", "\"destroy\"",
        "\"resize\"", ".", "(", ")", "\\", "\"Item(0)\"", "{\"font\":{}}", "{\"integer\":1}", "\xff"};

    std::mt19937 random(20240611);
    auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };

    // Byte edits: broken JSON, strings cut in half, stray punctuation.
    auto mutateText = [&](std::string text) {
        const std::size_t edits = 1 + pick(2);
        for (std::size_t e = 0; e < edits && !text.empty(); ++e) {
            const std::size_t at = pick(text.size());
            switch (pick(4)) {
                case 0: text.erase(at, 1 + pick(8)); break;
                case 1: text.insert(at, pieces[pick(pieces.size())]); break;
                case 2: text[at] = pieces[pick(pieces.size())][0]; break;
                default: {  // copy a span elsewhere: duplicated steps, keys and values
                    const std::size_t from = pick(text.size());
                    text.insert(at, text.substr(from, 1 + pick(40)));
                }
            }
        }
        return text;
    };
    // Tree edits: valid JSON whose values, keys and steps are wrong, to reach past the parser.
    const std::vector<Json> values = Json::parse(R"j([null, true, false, 0, -1, 3, 2147483648, 1.5,
        "", "Red", "$p", "Item(0)", "ListItems.Item(1).Text", "#FF0000", "BeforeItemDelete",
        [], [1, 2], {}, {"integer": 1}, {"font": {"Size": 0}}, {"empty": true}, {"get": "Red"}])j");
    auto mutateTree = [&](const std::string& seed) {
        Json file = Json::parse(seed);
        const std::size_t edits = 1 + pick(2);
        for (std::size_t e = 0; e < edits; ++e) {
            std::vector<Json::json_pointer> nodes;
            std::function<void(const Json&, const Json::json_pointer&)> walk =
                [&](const Json& node, const Json::json_pointer& at) {
                    nodes.push_back(at);
                    if (node.is_array())
                        for (std::size_t i = 0; i < node.size(); ++i) walk(node[i], at / i);
                    if (node.is_object())
                        for (const auto& [key, child] : node.items()) walk(child, at / key);
                };
            walk(file, Json::json_pointer());
            const Json::json_pointer at = nodes[pick(nodes.size())];
            if (at.empty()) continue;
            const bool remove = pick(3) == 0;
            Json& parent = file[at.parent_pointer()];
            if (remove && parent.is_array()) parent.erase(std::stoul(at.back()));
            else if (remove) parent.erase(at.back());
            else file[at] = pick(4) == 0 ? file[nodes[pick(nodes.size())]] : values[pick(values.size())];
        }
        return file.dump();
    };

    int statuses[3] = {0, 0, 0};
    for (int i = 0; i < 300; ++i) {
        const std::size_t seed = i % 3 == 0 ? doubleSeed : pick(seeds.size());
        const std::string text = i % 2 ? mutateText(seeds[seed]) : mutateTree(seeds[seed]);
        std::ostringstream out, err;
        const RunOptions options = seed == doubleSeed ? WithDouble() : RunOptions{};
        int status = -1;
        ASSERT_NO_THROW(status = RunScenario(text, options, out, err)) << text;
        ASSERT_TRUE(status >= 0 && status <= 2) << text;
        ++statuses[status];
        if (status != 0) {
            EXPECT_FALSE(err.str().empty()) << text;
        }
    }
    // The mutations reach past the JSON parser: some files stay valid and some fail on a step.
    EXPECT_GT(statuses[0] + statuses[1], 40) << statuses[0] << " passed, " << statuses[1] << " failed, "
                                              << statuses[2] << " invalid";
}

}  // namespace
}  // namespace glv::scenario
