#pragma once
// Scenario values: JSON written in a scenario file turned into automation variants, and the
// comparison of what the control returned against what the file expects.
//
// Plain JSON maps onto the obvious automation type (true/false Boolean, a whole number that fits
// 32 bits Long, any other number Double, a string String, an array an array with lower bound 0,
// null an omitted argument). A JSON object with a single key asks for a typed or object value:
// {"integer": 5}, {"single": 1.5}, {"font": {...}}, {"picture": {...}}, ...

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/Container.h"
#include "platform/StdFont.h"
#include "platform/Variant.h"
#include "platform/WindowSystem.h"

namespace glv {
struct Platform;
}

namespace glv::scenario {

// Scenario files keep their keys in the order written: a step's first key is its verb.
using Json = nlohmann::ordered_json;

// The file is not a valid scenario (exit status 2): bad JSON, an unknown verb, member or value
// form, arguments of the wrong shape.
class InvalidScenario : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Readers for the fields of a scenario file: the value, or InvalidScenario naming what wanted it.
int32_t WholeNumber(const Json& value, int32_t low, int32_t high, std::string_view what);
bool Flag(const Json& value, std::string_view what);
std::string Text(const Json& value, std::string_view what);

// What building a value may need beyond the JSON itself.
struct ValueContext {
    StdFont ambientFont;                  // fills the fields a font value leaves out
    std::filesystem::path baseDir;        // picture and image-list files are relative to it
    Platform* platform = nullptr;         // where image lists get their handles
    int32_t twipsPerPixel = 15;           // the screen's, for image-list objects' Draw
    // Where an expanding row value is made: the control's container, the form it starts on, and
    // what keeps its host windows alive while the run lasts.
    Container* container = nullptr;
    HWND form = 0;
    std::vector<std::shared_ptr<void>>* kept = nullptr;
};

// The variant a JSON value stands for. Throws InvalidScenario for a form it does not know.
Variant ToVariant(const Json& value, const ValueContext& context);

// A font: base with the fields the object gives (Name, Size, Bold, Italic, Underline,
// Strikethrough) replaced. Throws InvalidScenario for another field or a value of the wrong type.
StdFont FontFromJson(const Json& fields, const StdFont& base);

// "#RRGGBB" as an OLE_COLOR (0x00BBGGRR); nullopt for any other text.
std::optional<uint32_t> ParseColour(std::string_view text);

// Whether found is what the file expects: numbers by value whatever their automation type,
// strings exactly, booleans as booleans, arrays element by element, "#RRGGBB" against a number
// as that colour, a font form against a font object field by field (only the fields given),
// null against Empty, Null or Nothing.
bool Matches(const Json& expect, const Variant& found, const ValueContext& context);

// A short description of a value for diagnostics: `3 (Long)`, `"abc" (String)`,
// `[1, 2] (Array)`, `object cListItem`.
std::string Describe(const Variant& value);

// What was found, described for a comparison with expect: a number compared with "#RRGGBB" is
// also shown as a colour, `12632256 (Long, #C0C0C0)`.
std::string DescribeFound(const Variant& found, const Json& expect);

// A JSON value as written, for diagnostics.
std::string Describe(const Json& value);

}  // namespace glv::scenario
