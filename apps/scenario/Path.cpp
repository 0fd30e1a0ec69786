#include "apps/scenario/Path.h"

#include "platform/AutomationError.h"
#include "platform/BoundedInput.h"

namespace glv::scenario {

namespace {

bool IsIdentifierStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsIdentifierChar(char c) { return IsIdentifierStart(c) || (c >= '0' && c <= '9'); }

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if ((a[i] | 0x20) != (b[i] | 0x20)) return false;
    return true;
}

class PathParser {
public:
    explicit PathParser(std::string_view text) : text_(text) {}

    Path Parse() {
        Path path;
        path.text = std::string(text_);
        do {
            path.segments.push_back(ParseSegment());
        } while (Take('.'));
        if (pos_ != text_.size()) Fail("expected \".\" or the end");
        for (std::size_t i = 1; i < path.segments.size(); ++i)
            if (path.segments[i].held) Fail("a held value can only start a path");
        return path;
    }

private:
    [[noreturn]] void Fail(const std::string& what) const {
        throw InvalidScenario("path \"" + std::string(text_) + "\" at " + std::to_string(pos_ + 1) + ": " + what);
    }
    bool AtEnd() const { return pos_ >= text_.size(); }
    bool Take(char c) {
        if (AtEnd() || text_[pos_] != c) return false;
        ++pos_;
        return true;
    }
    void SkipSpaces() {
        while (!AtEnd() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
    }

    Segment ParseSegment() {
        Segment segment;
        segment.held = Take('$');
        const std::size_t start = pos_;
        if (AtEnd() || !IsIdentifierStart(text_[pos_])) Fail("expected a member name");
        while (!AtEnd() && IsIdentifierChar(text_[pos_])) ++pos_;
        segment.name = std::string(text_.substr(start, pos_ - start));
        if (!Take('(')) return segment;
        SkipSpaces();
        if (Take(')')) return segment;
        do {
            SkipSpaces();
            segment.args.push_back(ParseLiteral());
            SkipSpaces();
        } while (Take(','));
        if (!Take(')')) Fail("expected \",\" or \")\"");
        return segment;
    }

    // One JSON scalar: a string runs to its closing quote, anything else to the next "," or ")".
    Json ParseLiteral() {
        const std::size_t start = pos_;
        if (Take('"')) {
            while (!AtEnd() && text_[pos_] != '"') pos_ += text_[pos_] == '\\' ? 2 : 1;
            if (!Take('"')) Fail("unterminated string");
        } else {
            while (!AtEnd() && text_[pos_] != ',' && text_[pos_] != ')' && text_[pos_] != ' ' &&
                   text_[pos_] != '\t')
                ++pos_;
        }
        const std::string_view literal = text_.substr(start, pos_ - start);
        if (literal.empty()) Fail("expected an argument");
        // Only scalars are arguments, so anything that nests is turned away before parsing.
        Json value = JsonNestsDeeperThan(literal, 0) ? Json(Json::value_t::discarded)
                                                     : Json::parse(literal, nullptr, false);
        if (value.is_discarded() || value.is_structured()) {
            pos_ = start;
            Fail("an argument is a JSON number, string, true, false or null");
        }
        return value;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

// Arrays answer the members a script uses on them, with their own lower bound.
Variant ArrayMember(const SafeArray& array, std::string_view name, CallKind kind,
                    std::span<const Variant> args) {
    if (kind == CallKind::Let) RaiseRuntimeError(runtime_error::kNotSupported);
    const bool item = SameName(name, "Item");
    if (!item && !SameName(name, "Count") && !SameName(name, "LBound") && !SameName(name, "UBound"))
        RaiseRuntimeError(runtime_error::kNotSupported);
    if (args.size() != (item ? 1u : 0u))
        RaiseRuntimeError(item && args.empty() ? runtime_error::kArgumentNotOptional
                                               : runtime_error::kWrongArgumentCount);
    if (SameName(name, "Count")) return static_cast<int32_t>(array.Items.size());
    if (SameName(name, "LBound")) return array.LBound;
    if (SameName(name, "UBound")) return array.UBound();
    if (args[0].IsMissing()) RaiseRuntimeError(runtime_error::kArgumentNotOptional);
    const int64_t index = static_cast<int64_t>(args[0].ToLong()) - array.LBound;
    if (index < 0 || index >= static_cast<int64_t>(array.Items.size()))
        RaiseRuntimeError(runtime_error::kSubscriptOutOfRange);
    return array.Items[static_cast<std::size_t>(index)];
}

std::string SegmentText(const Segment& segment) {
    std::string text = (segment.held ? "$" : "") + segment.name;
    if (segment.args.empty()) return text;
    text += '(';
    for (std::size_t i = 0; i < segment.args.size(); ++i) {
        if (i > 0) text += ", ";
        text += Describe(segment.args[i]);
    }
    return text + ')';
}

}  // namespace

bool IsIdentifier(std::string_view text) {
    if (text.empty() || !IsIdentifierStart(text[0])) return false;
    for (char c : text)
        if (!IsIdentifierChar(c)) return false;
    return true;
}

Path ParsePath(std::string_view text) { return PathParser(text).Parse(); }

Variant PathEvaluator::Reach(const Variant& holder, const Segment& segment, CallKind kind,
                             std::span<const Variant> args) {
    if (const SafeArray* array = holder.AsArray()) return ArrayMember(*array, segment.name, kind, args);
    if (!holder.IsObject()) RaiseRuntimeError(runtime_error::kObjectRequired);
    const ObjectPtr& object = holder.AsObject();
    if (!object) RaiseRuntimeError(runtime_error::kObjectVariableNotSet);
    if (kind == CallKind::Let) return object->Invoke(segment.name, kind, args);
    // Reading a method calls it, and calling a property reads it: whichever way the object
    // takes the member, the scenario means the same thing.
    const CallKind other = kind == CallKind::Get ? CallKind::Method : CallKind::Get;
    try {
        return object->Invoke(segment.name, kind, args);
    } catch (const AutomationError& first) {
        if (first.Number != runtime_error::kNotSupported) throw;
        try {
            return object->Invoke(segment.name, other, args);
        } catch (const AutomationError& second) {
            if (second.Number == runtime_error::kNotSupported) throw first;
            throw;
        }
    }
}

Variant PathEvaluator::Evaluate(const Path& path, Access access, std::span<const Variant> extra) {
    const std::vector<Segment>& segments = path.segments;
    Variant current;
    std::size_t first = 0;
    member_.clear();
    if (segments.front().held) {
        const Segment& head = segments.front();
        auto it = held_.find(head.name);
        if (it == held_.end()) throw InvalidScenario("no value is held as $" + head.name);
        if (!head.args.empty()) throw InvalidScenario("$" + head.name + " takes no arguments");
        current = it->second;
        member_ = "$" + head.name;
        first = 1;
        if (segments.size() == 1) {
            if (access != Access::Read) throw InvalidScenario("$" + head.name + " is a held value, not a member");
            return current;
        }
    } else {
        current = Variant(root_);
    }
    for (std::size_t i = first; i < segments.size(); ++i) {
        const Segment& segment = segments[i];
        if (!member_.empty()) member_ += '.';
        member_ += SegmentText(segment);
        std::vector<Variant> args;
        args.reserve(segment.args.size() + extra.size() + 1);
        for (const Json& arg : segment.args) args.push_back(ToVariant(arg, context_));
        const bool last = i + 1 == segments.size();
        CallKind kind = CallKind::Get;
        if (last && access == Access::Write) {
            kind = CallKind::Let;
            args.insert(args.end(), extra.begin(), extra.end());
        } else if (last && access == Access::Call) {
            kind = CallKind::Method;
            args.insert(args.end(), extra.begin(), extra.end());
        }
        current = Reach(current, segment, kind, args);
    }
    return current;
}

}  // namespace glv::scenario
