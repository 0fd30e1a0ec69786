#include "apps/scenario/Scenario.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <sstream>
#include <tuple>
#include <vector>

#include "apps/scenario/ControlObject.h"
#include "apps/scenario/Path.h"
#include "apps/scenario/Values.h"
#include "core/EventRecorder.h"
#include "control/GlideListView.h"
#include "platform/AutomationError.h"
#include "platform/BoundedInput.h"
#include "platform/Container.h"
#include "platform/DragSession.h"
#include "platform/Form.h"
#include "platform/PopupMenu.h"
#include "platform/Utf8.h"
#include "platform/Image.h"
#include "platform/Platform.h"

namespace glv::scenario {

namespace {

// An expectation did not hold (exit status 1).
class StepFailed : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

[[noreturn]] void Invalid(const std::string& message) { throw InvalidScenario(message); }

// Whether keys is a space-separated list that holds key.
bool ListHas(std::string_view keys, std::string_view key) {
    while (!keys.empty()) {
        const std::size_t end = keys.find(' ');
        if (keys.substr(0, end) == key) return true;
        if (end == std::string_view::npos) break;
        keys.remove_prefix(end + 1);
    }
    return false;
}

// Every key of an object must be one the reader knows: a misspelt key would otherwise be
// silently ignored and the scenario would test less than it says.
void CheckKeys(const Json& object, std::string_view known, std::string_view where) {
    for (const auto& [key, value] : object.items())
        if (!ListHas(known, key)) Invalid("unknown key \"" + key + "\" in " + std::string(where));
}

// Sizes and waits a scenario may ask for: far beyond any real one, small enough that a typo
// cannot ask the control for gigabytes of picture or the clock for a billion timer ticks.
constexpr int32_t kMaxPixels = 16384;
constexpr int32_t kMaxWaitMs = 24 * 60 * 60 * 1000;

std::pair<int32_t, int32_t> Size(const Json& value, std::string_view what) {
    if (!value.is_array() || value.size() != 2) Invalid(std::string(what) + " is written [WIDTH, HEIGHT]");
    return {WholeNumber(value[0], 0, kMaxPixels, what), WholeNumber(value[1], 0, kMaxPixels, what)};
}

std::pair<int32_t, int32_t> Point(const Json& value, std::string_view what) {
    if (!value.is_array() || value.size() != 2) Invalid(std::string(what) + " is written [X, Y]");
    return {WholeNumber(value[0], -kMaxPixels, kMaxPixels, what), WholeNumber(value[1], -kMaxPixels, kMaxPixels, what)};
}

// The button a down or up step presses or releases: 1 left (the default), 2 right, 4 middle.
int32_t PressedButton(const Json& step) {
    const int32_t button = step.contains("button") ? WholeNumber(step["button"], 1, 4, "button") : 1;
    if (button == 3) Invalid("button is 1 (left), 2 (right) or 4 (middle)");
    return button;
}

// The buttons a move step holds: a mask of 1, 2 and 4, 0 for none.
int32_t HeldButtons(const Json& value) { return WholeNumber(value, 0, 7, "button"); }

// System information as a scenario states it, at the start of a file and as a step.
void ApplySystem(const Json& desc, SystemInfo& system) {
    if (!desc.is_object()) Invalid("system is an object");
    CheckKeys(desc,
              "visual_styles theme_file color_scheme os_version wheel_present wheel_lines colors "
              "hscroll_arrow_width",
              "system");
    for (const auto& [key, value] : desc.items()) {
        if (key == "visual_styles") {
            system.visualStyles = Flag(value, key);
        } else if (key == "theme_file") {
            system.themeFile = Text(value, key);
        } else if (key == "color_scheme") {
            system.colorScheme = Text(value, key);
        } else if (key == "os_version") {
            if (!value.is_array() || value.size() != 3) Invalid("os_version is written [MAJOR, MINOR, PLATFORM]");
            system.os = {WholeNumber(value[0], 0, 99, key), WholeNumber(value[1], 0, 99, key),
                         WholeNumber(value[2], 0, 99, key)};
        } else if (key == "wheel_present") {
            system.wheelPresent = Flag(value, key);
        } else if (key == "wheel_lines") {
            system.wheelScrollLines = WholeNumber(value, -1, INT32_MAX, key);
        } else if (key == "hscroll_arrow_width") {
            system.metrics[metric::kCxHScroll] = WholeNumber(value, 0, INT32_MAX, key);
        } else if (key == "colors") {
            if (!value.is_object()) Invalid("colors is an object of index: \"#RRGGBB\"");
            for (const auto& [index, colour] : value.items()) {
                const Json number = Json::parse(index, nullptr, false);
                if (!number.is_number_integer() || number.get<int64_t>() < 0 ||
                    number.get<int64_t>() >= syscolor::kCount)
                    Invalid("colors: \"" + index + "\" is not a system colour index (0 to " +
                            std::to_string(syscolor::kCount - 1) + ")");
                const auto rgb = colour.is_string() ? ParseColour(colour.get<std::string>()) : std::nullopt;
                if (!rgb) Invalid("colors: " + Describe(colour) + " is not \"#RRGGBB\"");
                system.colors[static_cast<std::size_t>(number.get<int64_t>())] = *rgb;
            }
        }
    }
}

// What the top of a file says about the control and its surroundings.
struct FileSettings {
    int32_t width = 400;
    int32_t height = 300;
    const Json* properties = nullptr;
    const Json* system = nullptr;
    const Json* steps = nullptr;
    const Json* secondList = nullptr;
    bool userMode = true;
    int32_t twipsPerPixel = 15;
    StdFont ambientFont{"DejaVu Sans", 8.0f};
};

FileSettings ReadSettings(const Json& file) {
    if (!file.is_object()) Invalid("a scenario is a JSON object");
    CheckKeys(file, "size properties system user_mode twips_per_pixel ambient_font steps description second_list",
              "the scenario");
    FileSettings settings;
    if (file.contains("size")) std::tie(settings.width, settings.height) = Size(file["size"], "size");
    if (file.contains("properties")) {
        settings.properties = &file["properties"];
        if (!settings.properties->is_object()) Invalid("properties is an object of persisted names");
    }
    if (file.contains("system")) settings.system = &file["system"];
    if (file.contains("user_mode")) settings.userMode = Flag(file["user_mode"], "user_mode");
    if (file.contains("twips_per_pixel"))
        settings.twipsPerPixel = WholeNumber(file["twips_per_pixel"], 1, INT32_MAX, "twips_per_pixel");
    if (file.contains("ambient_font"))
        settings.ambientFont = FontFromJson(file["ambient_font"], settings.ambientFont);
    if (file.contains("description")) Text(file["description"], "description");
    if (file.contains("second_list")) {
        settings.secondList = &file["second_list"];
        if (!settings.secondList->is_object()) Invalid("second_list is an object of at, size and properties");
        CheckKeys(*settings.secondList, "at size properties", "second_list");
    }
    if (file.contains("steps")) {
        settings.steps = &file["steps"];
        if (!settings.steps->is_array()) Invalid("steps is an array");
    }
    return settings;
}

// Event lines one to a row, indented, for a diagnostic that compares two lists.
std::string Lines(const std::vector<std::string>& lines) {
    if (lines.empty()) return " (none)";
    std::string text;
    for (const std::string& line : lines) text += "\n  " + line;
    return text;
}

class Runner {
public:
    Runner(Host& host, const ValueContext& context, const RunOptions& options)
        : host_(host), context_(context), outDir_(options.outDir), writeSnapshots_(options.writeSnapshots),
          paths_(host.root, held_, context) {
        if (host_.second) held_["second"] = ControlObject(*host_.second);
    }

    // Runs one step; the exceptions carry the outcome of a step that did not pass.
    void Step(const Json& step);

    void Set(const Json& step);
    void Get(const Json& step);
    void Call(const Json& step);
    void Events(const Json& step);
    void Answer(const Json& step);
    void Wait(const Json& step);
    void Resize(const Json& step);
    void Destroy(const Json& step);
    void Pointer(const Json& step);
    void Mouse(const Json& step);
    void ClickAt(const Json& step);
    void Key(const Json& step);
    void Type(const Json& step);
    void Wheel(const Json& step);
    void Focus(const Json& step);
    void System(const Json& step);
    void Snapshot(const Json& step);
    void Probe(const Json& step);
    void Menu(const Json& step);
    void Drop(const Json& step);

private:
    // set, get and call: evaluate the path, then check the error or the value.
    void Access(const Json& step, Access access, const Json& path, std::span<const Variant> extra);
    void CheckError(const Json& expected, const AutomationError& error) const;
    GlideListView& Control() const;

    Host& host_;
    const ValueContext& context_;
    std::filesystem::path outDir_;
    bool writeSnapshots_ = true;
    std::map<std::string, Variant> held_;
    PathEvaluator paths_;
    // Buttons pressed by earlier down steps and not yet released, per verb: a move that names
    // no buttons holds these.
    int32_t mouseButtons_ = 0;
    int32_t pointerButtons_ = 0;
};

// The verbs a step may start with, and the other keys each one takes ("comment" goes anywhere).
// Input, painting, menus and drag and drop join this table as those subsystems arrive.
struct Verb {
    std::string_view name;
    void (Runner::*run)(const Json& step);
    std::string_view keys;
};

constexpr Verb kVerbs[] = {
    {"set", &Runner::Set, "value error"},
    {"get", &Runner::Get, "expect as error"},
    {"call", &Runner::Call, "args expect as error"},
    {"events", &Runner::Events, ""},
    {"answer", &Runner::Answer, "args sequence"},
    {"wait", &Runner::Wait, ""},
    {"resize", &Runner::Resize, ""},
    {"destroy", &Runner::Destroy, ""},
    {"pointer", &Runner::Pointer, "x y button shift"},
    {"mouse", &Runner::Mouse, "x y button shift"},
    {"click", &Runner::ClickAt, "button shift"},
    {"key", &Runner::Key, "code shift"},
    {"type", &Runner::Type, ""},
    {"wheel", &Runner::Wheel, ""},
    {"focus", &Runner::Focus, ""},
    {"system", &Runner::System, ""},
    {"snapshot", &Runner::Snapshot, ""},
    {"probe", &Runner::Probe, "expect"},
    {"menu", &Runner::Menu, "expect"},
    {"drop", &Runner::Drop, ""},
};

void Runner::Step(const Json& step) {
    if (!step.is_object() || step.empty()) Invalid("a step is an object whose first key is its verb");
    const std::string& verb = step.begin().key();
    for (const Verb& known : kVerbs) {
        if (verb != known.name) continue;
        for (auto it = std::next(step.begin()); it != step.end(); ++it)
            if (it.key() != "comment" && !ListHas(known.keys, it.key()))
                Invalid("unknown key \"" + it.key() + "\" for " + verb);
        (this->*known.run)(step);
        return;
    }
    Invalid("unknown verb \"" + verb + "\"");
}

// The error numbers that mean the scenario names something the control does not have, or
// passes arguments of the wrong shape: the file is at fault, not the control.
bool IsShapeError(int32_t number) {
    return number == runtime_error::kNotSupported || number == runtime_error::kArgumentNotOptional ||
           number == runtime_error::kWrongArgumentCount;
}

std::string DescribeError(const AutomationError& error) {
    return "error " + std::to_string(error.Number) + " " + JsonQuote(error.Description) + " (" +
           error.Source + ")";
}

// The fields of an expected error that the file gives, in the order errors are printed.
std::string DescribeExpectedError(const Json& expected) {
    std::string text = "error";
    if (expected.contains("number")) text += " " + Describe(expected["number"]);
    if (expected.contains("description")) text += " " + Describe(expected["description"]);
    if (expected.contains("source")) text += " (" + expected["source"].get<std::string>() + ")";
    return text;
}

void Runner::CheckError(const Json& expected, const AutomationError& error) const {
    auto mismatch = [&](const std::string& what) {
        throw StepFailed("expected " + what + " found " + DescribeError(error));
    };
    if (expected.contains("number") && expected["number"].get<int64_t>() != error.Number) {
        if (IsShapeError(error.Number)) throw error;
        mismatch("error " + Describe(expected["number"]));
    }
    if (expected.contains("description") && expected["description"].get<std::string>() != error.Description)
        mismatch("description " + Describe(expected["description"]));
    if (expected.contains("source") && expected["source"].get<std::string>() != error.Source)
        mismatch("source " + Describe(expected["source"]));
}

void Runner::Access(const Json& step, enum Access access, const Json& pathText,
                    std::span<const Variant> extra) {
    const Path path = ParsePath(Text(pathText, "a path"));
    const Json* error = step.contains("error") ? &step["error"] : nullptr;
    if (error) {
        if (!error->is_object()) Invalid("error is an object of number, description and source");
        CheckKeys(*error, "number description source", "error");
        if (error->contains("number")) WholeNumber((*error)["number"], INT32_MIN, INT32_MAX, "error number");
        if (error->contains("description")) Text((*error)["description"], "error description");
        if (error->contains("source")) Text((*error)["source"], "error source");
    }
    if (step.contains("as") && !IsIdentifier(Text(step["as"], "as")))
        Invalid("as names a value to hold: an identifier, not " + Describe(step["as"]));

    Variant result;
    try {
        result = paths_.Evaluate(path, access, extra);
    } catch (const AutomationError& raised) {
        try {
            if (!error) {
                if (IsShapeError(raised.Number)) throw;
                throw StepFailed("expected no error found " + DescribeError(raised));
            }
            CheckError(*error, raised);
            return;
        } catch (const AutomationError& shape) {
            Invalid(paths_.Member() + ": " + DescribeError(shape));
        }
    }
    if (error) throw StepFailed("expected " + DescribeExpectedError(*error) + " found " + Describe(result));
    if (step.contains("expect") && !Matches(step["expect"], result, context_))
        throw StepFailed("expected " + Describe(step["expect"]) + " found " + DescribeFound(result, step["expect"]));
    if (step.contains("as")) held_[step["as"].get<std::string>()] = std::move(result);
}

void Runner::Set(const Json& step) {
    if (!step.contains("value")) Invalid("set needs a value");
    const Variant value = ToVariant(step["value"], context_);
    Access(step, Access::Write, step["set"], std::span<const Variant>(&value, 1));
}

void Runner::Get(const Json& step) { Access(step, Access::Read, step["get"], {}); }

void Runner::Call(const Json& step) {
    std::vector<Variant> args;
    if (step.contains("args")) {
        if (!step["args"].is_array()) Invalid("args is an array of values");
        for (const Json& arg : step["args"]) args.push_back(ToVariant(arg, context_));
    }
    Access(step, Access::Call, step["call"], args);
}

void Runner::Events(const Json& step) {
    const Json& expected = step["events"];
    std::vector<std::string> lines;
    if (!expected.is_null()) {
        if (!expected.is_array()) Invalid("events is an array of event lines, or null");
        for (const Json& line : expected) lines.push_back(Text(line, "an event line"));
    }
    std::vector<std::string> found = host_.recorder.TakeLines();
    if (!expected.is_null() && found != lines)
        throw StepFailed("expected events" + Lines(lines) + "\nfound" + Lines(found));
}

void Runner::Answer(const Json& step) {
    const std::string event = Text(step["answer"], "answer");
    if (!EventRecorder::IsKnownEvent(event)) Invalid("answer: unknown event \"" + event + "\"");
    if (step.contains("sequence")) {
        if (step.contains("args")) Invalid("answer takes args or a sequence, not both");
        const Json& sequence = step["sequence"];
        if (!sequence.is_array() || sequence.empty())
            Invalid("answer sequence is a non-empty array of objects of argument names and values");
        std::vector<std::map<std::string, Variant>> entries;
        for (const Json& entry : sequence) {
            if (!entry.is_object()) Invalid("each answer in a sequence is an object of argument names and values");
            std::map<std::string, Variant> values;
            for (const auto& [name, value] : entry.items()) values[name] = ToVariant(value, context_);
            entries.push_back(std::move(values));
        }
        try {
            host_.recorder.SetAnswerSequence(event, entries);
        } catch (const std::invalid_argument& bad) {
            Invalid(std::string("answer: ") + bad.what());
        }
        return;
    }
    if (!step.contains("args")) Invalid("answer needs args (an object, or null to stop answering) or a sequence");
    const Json& args = step["args"];
    if (args.is_null()) {
        host_.recorder.ClearAnswer(event);
        return;
    }
    if (!args.is_object()) Invalid("answer args is an object of argument names and values");
    std::map<std::string, Variant> values;
    for (const auto& [name, value] : args.items()) values[name] = ToVariant(value, context_);
    try {
        host_.recorder.SetAnswer(event, values);
    } catch (const std::invalid_argument& bad) {
        Invalid(std::string("answer: ") + bad.what());
    }
}

void Runner::Wait(const Json& step) {
    host_.platform.clock.Advance(WholeNumber(step["wait"], 0, kMaxWaitMs, "wait"));
}

GlideListView& Runner::Control() const {
    if (!host_.control) Invalid("the control has been destroyed");
    return *host_.control;
}

void Runner::Resize(const Json& step) {
    const auto [width, height] = Size(step["resize"], "resize");
    GlideListView& control = Control();
    host_.form->SetSize(width, height);
    control.Resize(width, height);
}

// The focus moves through the window system, so the control hears it as the runtime tells it:
// once per change.
void Runner::Focus(const Json& step) {
    const bool focus = Flag(step["focus"], "focus");
    const HWND control = Control().hwnd();
    WindowSystem& windows = host_.platform.windows;
    if (focus)
        windows.SetFocus(control);
    else if (windows.GetFocus() == control)
        windows.SetFocus(host_.form->hwnd());
}

// {"system": {...}} changes what the system reports; with "theme_changed": true the control's
// window then receives the theme-change message, as when the user picks another visual style.
void Runner::System(const Json& step) {
    Json desc = step["system"];
    bool themeChanged = false;
    if (desc.is_object() && desc.contains("theme_changed")) {
        themeChanged = Flag(desc["theme_changed"], "theme_changed");
        desc.erase("theme_changed");
    }
    ApplySystem(desc, host_.platform.system);
    if (themeChanged) host_.platform.windows.SendMessage(Control().hwnd(), wm::kThemeChanged);
}

void Runner::Destroy(const Json& step) {
    if (step["destroy"] != Json(true)) Invalid("destroy is written {\"destroy\": true}");
    if (!host_.control) return;
    // Objects the scenario holds keep only the window handle, so they outlive the control and
    // report it unloaded from now on.
    host_.control->Terminate();
    host_.control.reset();
}

// Raw pointer input, routed by the form to the window under the pointer (the control or one of
// its child windows) as the runtime would.
void Runner::Pointer(const Json& step) {
    const std::string action = Text(step["pointer"], "pointer");
    Form::PointerAction kind = Form::PointerAction::Move;
    if (action == "down")
        kind = Form::PointerAction::Down;
    else if (action == "up")
        kind = Form::PointerAction::Up;
    else if (action != "move")
        Invalid("pointer is \"move\", \"down\" or \"up\", not " + Describe(step["pointer"]));
    if (!step.contains("x") || !step.contains("y")) Invalid("pointer needs x and y");
    const int32_t x = WholeNumber(step["x"], -kMaxPixels, kMaxPixels, "x");
    const int32_t y = WholeNumber(step["y"], -kMaxPixels, kMaxPixels, "y");
    const int32_t shift = step.contains("shift") ? WholeNumber(step["shift"], 0, 7, "shift") : 0;
    Control();
    if (kind == Form::PointerAction::Move) {
        const std::optional<int32_t> held =
            step.contains("button") ? std::optional<int32_t>(HeldButtons(step["button"])) : std::nullopt;
        host_.form->Pointer(kind, x, y, 1, shift, held ? held : std::optional<int32_t>(pointerButtons_));
        return;
    }
    const int32_t button = PressedButton(step);
    pointerButtons_ = kind == Form::PointerAction::Down ? pointerButtons_ | button : pointerButtons_ & ~button;
    host_.form->Pointer(kind, x, y, button, shift);
}

// The control's own handlers, called directly as the runtime would call them.
void Runner::Mouse(const Json& step) {
    const std::string action = Text(step["mouse"], "mouse");
    GlideListView& control = Control();
    if (action == "click" || action == "dblclick") {
        for (const char* key : {"x", "y", "button", "shift"})
            if (step.contains(key)) Invalid(std::string("mouse ") + action + " takes no " + key);
        if (action == "click")
            control.OnClick();
        else
            control.OnDblClick();
        return;
    }
    if (action != "down" && action != "move" && action != "up")
        Invalid("mouse is \"down\", \"move\", \"up\", \"click\" or \"dblclick\", not " + Describe(step["mouse"]));
    if (!step.contains("x") || !step.contains("y")) Invalid("mouse " + action + " needs x and y");
    const auto x = static_cast<float>(WholeNumber(step["x"], -kMaxPixels, kMaxPixels, "x"));
    const auto y = static_cast<float>(WholeNumber(step["y"], -kMaxPixels, kMaxPixels, "y"));
    const auto shift = static_cast<int16_t>(step.contains("shift") ? WholeNumber(step["shift"], 0, 7, "shift") : 0);
    if (action == "move") {
        const int32_t held = step.contains("button") ? HeldButtons(step["button"]) : mouseButtons_;
        control.OnMouseMove(static_cast<int16_t>(held), shift, x, y);
        return;
    }
    const int32_t button = PressedButton(step);
    if (action == "down") {
        mouseButtons_ |= button;
        control.OnMouseDown(static_cast<int16_t>(button), shift, x, y);
    } else {
        mouseButtons_ &= ~button;
        control.OnMouseUp(static_cast<int16_t>(button), shift, x, y);
    }
}

// {"click": [X, Y]}: move, down, up and click at one point through the control's handlers.
void Runner::ClickAt(const Json& step) {
    const auto [px, py] = Point(step["click"], "click");
    const auto x = static_cast<float>(px);
    const auto y = static_cast<float>(py);
    const int32_t button = PressedButton(step);
    const auto shift = static_cast<int16_t>(step.contains("shift") ? WholeNumber(step["shift"], 0, 7, "shift") : 0);
    GlideListView& control = Control();
    control.OnMouseMove(static_cast<int16_t>(mouseButtons_), shift, x, y);
    control.OnMouseDown(static_cast<int16_t>(button), shift, x, y);
    control.OnMouseUp(static_cast<int16_t>(button), shift, x, y);
    control.OnClick();
}

// Key input to the focused window, through the form: Shift, Ctrl and Alt key downs hold their
// key in the system's key state until their key up.
void Runner::Key(const Json& step) {
    const std::string action = Text(step["key"], "key");
    Form::KeyAction kind = Form::KeyAction::Down;
    if (action == "press")
        kind = Form::KeyAction::Press;
    else if (action == "up")
        kind = Form::KeyAction::Up;
    else if (action != "down")
        Invalid("key is \"down\", \"press\" or \"up\", not " + Describe(step["key"]));
    if (!step.contains("code")) Invalid("key needs a code");
    const int32_t code = WholeNumber(step["code"], 0, kind == Form::KeyAction::Press ? 65535 : 255, "code");
    const int32_t shift = step.contains("shift") ? WholeNumber(step["shift"], 0, 7, "shift") : 0;
    Control();
    host_.form->Key(kind, code, shift);
}

// {"type": "text"}: a key press per character, to the focused window.
void Runner::Type(const Json& step) {
    const std::string text = Text(step["type"], "type");
    Control();
    for (std::size_t pos = 0; pos < text.size();) {
        const char32_t c = DecodeUtf8(text, pos);
        host_.form->Key(Form::KeyAction::Press, static_cast<int32_t>(c & 0xFFFF));
    }
}

// A wheel message to the control's window: the signed delta in the high word of wParam, the
// cursor's screen position in lParam.
void Runner::Wheel(const Json& step) {
    const int32_t delta = WholeNumber(step["wheel"], INT16_MIN, INT16_MAX, "wheel");
    const auto high = static_cast<uint32_t>(static_cast<uint16_t>(delta)) << 16;
    const SystemInfo& system = host_.platform.system;
    host_.platform.windows.SendMessage(Control().hwnd(), wm::kMouseWheel, static_cast<intptr_t>(high),
                                       PackPoint(system.cursorX, system.cursorY));
}

// The composed picture: the control's surface with its visible child windows (the scroll bars)
// over it, as the form shows them.
void Runner::Snapshot(const Json& step) {
    const std::filesystem::path name(Text(step["snapshot"], "snapshot"));
    if (name.empty() || name.is_absolute() || name.filename() != name || name.extension() != ".png")
        Invalid("snapshot names a .png file in the output folder, not " + Describe(step["snapshot"]));
    if (!writeSnapshots_) return;
    std::error_code error;
    std::filesystem::create_directories(outDir_, error);
    try {
        Control();
        SavePng(host_.form->Compose(), (outDir_ / name).string());
    } catch (const ImageError& bad) {
        throw StepFailed(std::string("snapshot not written: ") + bad.what());
    }
}

void Runner::Probe(const Json& step) {
    const Json& at = step["probe"];
    Control();
    const Surface picture = host_.form->Compose();
    if (!at.is_array() || at.size() != 2) Invalid("probe is written [X, Y]");
    const int32_t x = WholeNumber(at[0], 0, picture.Width() - 1, "probe x");
    const int32_t y = WholeNumber(at[1], 0, picture.Height() - 1, "probe y");
    if (!step.contains("expect")) Invalid("probe needs an expected \"#RRGGBB\"");
    const std::optional<uint32_t> expected =
        step["expect"].is_string() ? ParseColour(step["expect"].get<std::string>()) : std::nullopt;
    if (!expected) Invalid("probe expects \"#RRGGBB\", not " + Describe(step["expect"]));
    const COLORREF found = picture.GetPixel(x, y);
    if (found != *expected) {
        char text[8];
        std::snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(found), GetGValue(found), GetBValue(found));
        throw StepFailed("expected " + step["expect"].get<std::string>() + " at [" + std::to_string(x) +
                         ", " + std::to_string(y) + "] found " + text);
    }
}

// {"menu": INDEX} chooses an entry of the open context menu, {"menu": INDEX, "expect":
// "unavailable"} checks that it cannot be chosen, {"menu": null} closes the menu.
void Runner::Menu(const Json& step) {
    PopupMenu* menu = Control().OpenContextMenu();
    const Json& entry = step["menu"];
    const bool unavailable = step.contains("expect");
    if (unavailable && step["expect"] != Json("unavailable"))
        Invalid("menu expect is \"unavailable\", not " + Describe(step["expect"]));
    if (entry.is_null()) {
        if (unavailable) Invalid("menu null closes the menu and expects nothing");
        if (!menu) throw StepFailed("no context menu is open");
        menu->Close();
        return;
    }
    const int32_t index = WholeNumber(entry, 0, INT16_MAX, "menu");
    if (!menu) throw StepFailed("no context menu is open");
    const auto count = static_cast<int32_t>(menu->Entries().size());
    if (index >= count) throw StepFailed("the menu has no entry " + std::to_string(index));
    const MenuEntry& shown = menu->Entries()[static_cast<std::size_t>(index)];
    const bool available = shown.enabled && !shown.IsSeparator();
    if (unavailable) {
        if (available) throw StepFailed("expected entry " + std::to_string(index) + " unavailable found available");
        if (menu->Choose(index) || !menu->IsOpen())
            throw StepFailed("entry " + std::to_string(index) + " was chosen");
        return;
    }
    if (!menu->Choose(index)) throw StepFailed("entry " + std::to_string(index) + " is unavailable");
}

// {"drop": {"text": T, "x": X, "y": Y, "effect": E}}: a drag from outside the control offering
// effects E (1 copy, 2 move, 3 both; default 3) enters the control, moves to (X, Y) and drops a
// data object holding the plain text T, or no text at all when "text" is left out. "shift"
// gives the keys held (2 Ctrl asks for a copy).
void Runner::Drop(const Json& step) {
    const Json& desc = step["drop"];
    if (!desc.is_object()) Invalid("drop is an object of text, x, y and effect");
    CheckKeys(desc, "text x y effect shift", "drop");
    if (!desc.contains("x") || !desc.contains("y")) Invalid("drop needs x and y");
    const POINT at{WholeNumber(desc["x"], -kMaxPixels, kMaxPixels, "x"),
                   WholeNumber(desc["y"], -kMaxPixels, kMaxPixels, "y")};
    const int32_t shift = desc.contains("shift") ? WholeNumber(desc["shift"], 0, 7, "shift") : 0;
    DropStepSource& source = host_.dropSource;
    source.text = desc.contains("text") ? std::optional<std::string>(Text(desc["text"], "text")) : std::nullopt;
    source.effects = desc.contains("effect") ? WholeNumber(desc["effect"], 0, 3, "effect")
                                             : dropeffect::kCopy | dropeffect::kMove;
    Control();
    WindowSystem& windows = host_.platform.windows;
    if (!host_.drag) {
        host_.dropSourceWindow = windows.CreateWindow(0, "DropSource", {0, 0, 0, 0});
        windows.SetVisible(host_.dropSourceWindow, false);
        RegisterDragSource(windows, host_.dropSourceWindow, &source);
        host_.drag = std::make_unique<DragSession>(host_.platform, *host_.form);
    }
    if (!host_.drag->Start(host_.dropSourceWindow)) throw StepFailed("a drag is already under way");
    host_.drag->Over(at, shift);
    host_.drag->Drop(at, shift);
}

// Brings the control up as the file describes: a new control, or one loaded from a bag.
void CreateControl(Host& host, const FileSettings& settings, const RunOptions& options) {
    host.container.UserMode = settings.userMode;
    host.container.TwipsPerPixelX = settings.twipsPerPixel;
    host.container.TwipsPerPixelY = settings.twipsPerPixel;
    host.container.AmbientFont = settings.ambientFont;
    if (settings.system) ApplySystem(*settings.system, host.platform.system);
    // The form holds the control at its origin and the second list, when there is one, where
    // the file puts it.
    int32_t formWidth = settings.width, formHeight = settings.height;
    int32_t secondX = 0, secondY = 0, secondWidth = 300, secondHeight = 200;
    if (const Json* second = settings.secondList) {
        if (second->contains("at")) std::tie(secondX, secondY) = Point((*second)["at"], "second_list at");
        if (second->contains("size")) std::tie(secondWidth, secondHeight) = Size((*second)["size"], "second_list size");
        formWidth = std::max(formWidth, secondX + secondWidth);
        formHeight = std::max(formHeight, secondY + secondHeight);
    }
    host.form = std::make_unique<Form>(host.platform, formWidth, formHeight);
    host.control = std::make_unique<GlideListView>(host.platform, host.container, settings.width,
                                                   settings.height, host.form->hwnd());
    host.control->SetEventSink(&host.recorder);
    if (settings.properties)
        LoadProperties(*host.control, *settings.properties);
    else
        host.control->InitProperties();
    if (const Json* second = settings.secondList) {
        host.second = std::make_unique<GlideListView>(host.platform, host.container, secondWidth, secondHeight,
                                                      host.form->hwnd());
        host.platform.windows.SetPlacement(host.second->hwnd(), {secondX, secondY, secondWidth, secondHeight});
        host.second->SetEventSink(&host.secondRecorder);
        if (second->contains("properties")) {
            if (!(*second)["properties"].is_object()) Invalid("second_list properties is an object of persisted names");
            LoadProperties(*host.second, (*second)["properties"]);
        } else {
            host.second->InitProperties();
        }
    }
    host.root = options.rootObject ? options.rootObject(*host.control) : ControlObject(*host.control);
}

int Run(const Json& file, const RunOptions& options, std::ostream& events, std::ostream& diagnostics) {
    Host host(events);
    ValueContext context;
    std::size_t stepNumber = 0;
    try {
        const FileSettings settings = ReadSettings(file);
        context = {settings.ambientFont, options.baseDir, &host.platform, settings.twipsPerPixel};
        CreateControl(host, settings, options);
        context.container = &host.container;
        context.form = host.form->hwnd();
        context.kept = &host.kept;
        Runner runner(host, context, options);
        if (settings.steps != nullptr) {
            for (const Json& step : *settings.steps) {
                if (options.maxSteps != 0 && stepNumber == options.maxSteps) break;
                ++stepNumber;
                runner.Step(step);
            }
        }
        if (!options.handOver) return kExitPassed;
        if (!host.control) {
            diagnostics << "the scenario destroyed its control: there is nothing to hand over\n";
            return kExitFailed;
        }
        stepNumber = 0;
        return options.handOver(host);
    } catch (const InvalidScenario& invalid) {
        diagnostics << (stepNumber ? "step " + std::to_string(stepNumber) + ": " : std::string())
                    << "not a valid scenario: " << invalid.what() << '\n';
        return kExitInvalid;
    } catch (const nlohmann::json::exception& bad) {
        diagnostics << (stepNumber ? "step " + std::to_string(stepNumber) + ": " : std::string())
                    << "not a valid scenario: " << bad.what() << '\n';
        return kExitInvalid;
    } catch (const StepFailed& failed) {
        diagnostics << "step " << stepNumber << ": " << failed.what() << '\n';
        return kExitFailed;
    } catch (const AutomationError& raised) {
        diagnostics << (stepNumber ? "step " + std::to_string(stepNumber) + ": " : std::string("setup: "))
                    << "expected no error found " << DescribeError(raised) << '\n';
        return kExitFailed;
    } catch (const std::exception& other) {
        diagnostics << (stepNumber ? "step " + std::to_string(stepNumber) + ": " : std::string("setup: "))
                    << "unexpected failure: " << other.what() << '\n';
        return kExitFailed;
    }
}

}  // namespace

int RunScenario(std::string_view text, const RunOptions& options, std::ostream& events,
                std::ostream& diagnostics) {
    Json file;
    try {
        file = ParseInputJson<Json>(text, "the file");
    } catch (const InputError& bad) {
        diagnostics << "not a valid scenario: " << bad.what() << '\n';
        return kExitInvalid;
    }
    return Run(file, options, events, diagnostics);
}

int RunScenarioFile(const std::filesystem::path& file, RunOptions options, std::ostream& events,
                    std::ostream& diagnostics) {
    std::string text;
    try {
        text = ReadInputFile(file);
    } catch (const InputError& bad) {
        diagnostics << bad.what() << '\n';
        return kExitInvalid;
    }
    options.baseDir = file.parent_path().empty() ? std::filesystem::path(".") : file.parent_path();
    return RunScenario(text, options, events, diagnostics);
}

}  // namespace glv::scenario
