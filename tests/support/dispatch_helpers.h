#pragma once
// Driving a control by member path from tests, the way a script does:
//     s.Get("ListItems.Item(3).Text"), s.Set("SelectState(2)", true), s.Error("Columns.Item(0)")
// A path is segments separated by '.', each a member name with optional arguments in brackets:
// integers, decimals, "strings", true, false, and null for an omitted argument. Every segment
// but the last is read with Get; the last is read, called or written as asked.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/Events.h"
#include "control/GlideListView.h"
#include "platform/AutomationError.h"
#include "tests/support/control_fixture.h"

namespace glv::test {

struct Segment {
    std::string name;
    std::vector<Variant> args;
};

inline Variant ParseLiteral(std::string text) {
    while (!text.empty() && text.front() == ' ') text.erase(0, 1);
    while (!text.empty() && text.back() == ' ') text.pop_back();
    if (text == "null") return Variant::Missing();
    if (text == "true") return Variant(true);
    if (text == "false") return Variant(false);
    if (!text.empty() && text.front() == '"') return Variant(text.substr(1, text.size() - 2));
    if (text.find('.') != std::string::npos) return Variant(std::stod(text));
    return Variant(static_cast<int32_t>(std::stol(text)));
}

inline std::vector<Segment> ParsePath(const std::string& path) {
    std::vector<Segment> out;
    std::size_t i = 0;
    while (i < path.size()) {
        Segment seg;
        while (i < path.size() && path[i] != '.' && path[i] != '(') seg.name += path[i++];
        if (i < path.size() && path[i] == '(') {
            std::string arg;
            bool quoted = false;
            for (++i; i < path.size() && (quoted || path[i] != ')'); ++i) {
                if (path[i] == '"') quoted = !quoted;
                if (!quoted && path[i] == ',') {
                    seg.args.push_back(ParseLiteral(arg));
                    arg.clear();
                } else {
                    arg += path[i];
                }
            }
            if (!arg.empty()) seg.args.push_back(ParseLiteral(arg));
            ++i;  // ')'
        }
        if (i < path.size() && path[i] == '.') ++i;
        out.push_back(std::move(seg));
    }
    return out;
}

// Reaches a path from an object; kind applies to the last segment.
inline Variant Reach(ObjectPtr object, const std::string& path, CallKind kind,
                     const Variant* value = nullptr) {
    std::vector<Segment> segs = ParsePath(path);
    for (std::size_t i = 0; i + 1 < segs.size(); ++i)
        object = object->Invoke(segs[i].name, CallKind::Get, segs[i].args).ToObject();
    Segment& last = segs.back();
    if (value) last.args.push_back(*value);
    return object->Invoke(last.name, kind, last.args);
}

// "number source description" of the error a call raises, or "no error".
inline std::string ErrorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const AutomationError& e) {
        return std::to_string(e.Number) + " " + e.Source + " " + e.Description;
    }
    return "no error";
}

// A sink that writes a compact line per delete event and answers prompts from a script: each
// prompt takes the next answer, the last one repeats; no answers leaves the preset.
struct PromptSink : GlideListViewEvents {
    std::vector<std::string> lines;
    std::vector<int32_t> answers;
    std::size_t next = 0;
    int32_t Answer(int32_t preset) {
        if (answers.empty()) return preset;
        const int32_t a = answers[std::min(next, answers.size() - 1)];
        ++next;
        return a;
    }
    void BeforeItemDelete(int32_t& LVPrompt, tListItemInfo& Item, int32_t ItemIndex) override {
        lines.push_back("ask " + Item.cLIText + "@" + std::to_string(ItemIndex) + " preset " +
                        std::to_string(LVPrompt));
        LVPrompt = Answer(LVPrompt);
    }
    void ItemDeleted(int32_t ItemIndex) override { lines.push_back("deleted " + std::to_string(ItemIndex)); }
    void GroupBeforeDelete(int32_t& LVPrompt, int32_t RowIndex) override {
        lines.push_back("ask group@" + std::to_string(RowIndex));
        LVPrompt = Answer(LVPrompt);
    }
    void GroupDelete(int32_t RowIndex) override { lines.push_back("group deleted " + std::to_string(RowIndex)); }
    std::string Take() {
        std::string out;
        for (const std::string& l : lines) out += (out.empty() ? "" : "; ") + l;
        lines.clear();
        return out;
    }
};

// One control on its own platform, reached through its dispatch object.
struct Script : test::ControlFixture {
    ObjectPtr control;

    explicit Script(int32_t width = 400, int32_t height = 300)
        : ControlFixture({.width = width, .height = height, .recordEvents = false}) {
        control = list->DispatchObject();
    }

    Variant Get(const std::string& path) { return Reach(control, path, CallKind::Get); }
    Variant Call(const std::string& path) { return Reach(control, path, CallKind::Method); }
    void Set(const std::string& path, const Variant& value) { Reach(control, path, CallKind::Let, &value); }
    ObjectPtr Obj(const std::string& path) { return Get(path).ToObject(); }
    std::string Error(const std::string& path) {
        return ErrorOf([&] { Get(path); });
    }
    std::string SetError(const std::string& path, const Variant& value) {
        return ErrorOf([&] { Set(path, value); });
    }

    // Item texts in order, selected ones marked '*', hidden ones in brackets: "a *b [c]".
    std::string Items() const {
        std::string out;
        for (int32_t i = 1; i <= list->ItemCount(); ++i) {
            const tListItemInfo& item = list->ItemRecord(i);
            std::string text = (item.cLISelected ? "*" : "") + item.cLIText;
            if (!list->GroupRecord(i).Visible) text = "[" + text + "]";
            out += (out.empty() ? "" : " ") + text;
        }
        return out;
    }
    void AddItems(std::initializer_list<const char*> texts) {
        for (const char* t : texts) list->AddItem(t, -1, 0, Variant::Missing());
    }
    int32_t Repaints() const { return static_cast<int32_t>(list->surface().PaintSerial()); }
};

// Reads a path through a held object.
inline Variant On(const ObjectPtr& object, const std::string& path) {
    return Reach(object, path, CallKind::Get);
}
inline void SetOn(const ObjectPtr& object, const std::string& path, const Variant& value) {
    Reach(object, path, CallKind::Let, &value);
}
inline std::string ErrorOn(const ObjectPtr& object, const std::string& path) {
    return ErrorOf([&] { Reach(object, path, CallKind::Get); });
}
inline std::string SetErrorOn(const ObjectPtr& object, const std::string& path, const Variant& value) {
    return ErrorOf([&] { Reach(object, path, CallKind::Let, &value); });
}

}  // namespace glv::test
