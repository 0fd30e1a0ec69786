#pragma once
// Member paths: how a scenario names a member, starting at the control.
//
//     path    := segment ("." segment)*
//     segment := name [ "(" arg ("," arg)* ")" ]
//     name    := Identifier | "$" Identifier      ($x: a value held with "as")
//
// Arguments are JSON literals (numbers, strings, true, false, null for an omitted argument).
// A path is evaluated one segment at a time through Object::Invoke: every segment but the last
// is read (a method read in the middle of a path is called), and the last one is read, written
// or called as the step asks. An array value answers Count and Item(i) with its own bounds.

#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "apps/scenario/Values.h"
#include "platform/Variant.h"

namespace glv::scenario {

struct Segment {
    std::string name;       // without the "$" of a held value
    bool held = false;      // "$name": a value held with "as"
    std::vector<Json> args; // the literals between the parentheses
};

struct Path {
    std::vector<Segment> segments;
    std::string text;  // as written, for messages
};

// Parses a path. Throws InvalidScenario with the position of the first thing that is wrong.
Path ParsePath(std::string_view text);

// Whether text is an identifier (a letter or "_", then letters, digits and "_").
bool IsIdentifier(std::string_view text);

enum class Access { Read, Write, Call };

// Evaluates paths against a root object and the held values.
class PathEvaluator {
public:
    PathEvaluator(ObjectPtr root, const std::map<std::string, Variant>& held,
                  const ValueContext& context)
        : root_(std::move(root)), held_(held), context_(context) {}

    // Read: the member's value. Write: stores value (the last argument of the property write).
    // Call: calls the member with the path's arguments followed by extra.
    // Automation errors raised by the members pass through; Member() then names the segment
    // that raised. Throws InvalidScenario for an unknown held value or a path that cannot be
    // written or called.
    Variant Evaluate(const Path& path, Access access, std::span<const Variant> extra = {});

    // The member being reached when the last error was raised, e.g. "ListItems.Item(9)".
    const std::string& Member() const { return member_; }

private:
    Variant Reach(const Variant& holder, const Segment& segment, CallKind kind,
                  std::span<const Variant> args);

    ObjectPtr root_;
    const std::map<std::string, Variant>& held_;
    const ValueContext& context_;
    std::string member_;
};

}  // namespace glv::scenario
