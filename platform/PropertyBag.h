#pragma once
// The container's property bag: the persisted values of one control, by name.
//
// A value written with a default equal to it is not stored, so a bag holds only what differs
// from the defaults; reading an absent name gives the default back. Names compare without
// regard to case.
//
// JSON form: one object whose keys are the names. Booleans, numbers and strings are stored as
// themselves (a whole number that fits 32 bits reads back as a Long, any other number as a
// Double); a font is an object with Name, Size, Bold, Italic, Underline and Strikethrough; a
// picture is {"png": BASE64}; null is Nothing. Values keep their JSON form until they are read, so a damaged
// entry fails only when it is read, with the runtime's error:
//   - an array: 13 (Type mismatch);
//   - a font field of the wrong type: 13; a font field that is absent takes the default's;
//   - a picture whose base64 or PNG data is bad: 481 (Invalid picture).

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/Variant.h"

namespace glv {

class PropertyBag {
public:
    PropertyBag() = default;
    virtual ~PropertyBag() = default;
    PropertyBag(const PropertyBag&) = default;
    PropertyBag& operator=(const PropertyBag&) = default;

    // The stored value, or def when the name is absent. A font entry fills its absent fields
    // from def when def is a font.
    virtual Variant ReadProperty(std::string_view name, const Variant& def) const;
    // Stores value under name, or removes the entry when value equals def. A Missing def means
    // "no default": the value is always stored. Values that have no stored form (arrays,
    // objects other than fonts and pictures) raise error 13.
    virtual void WriteProperty(std::string_view name, const Variant& value, const Variant& def);

    bool Contains(std::string_view name) const { return Find(name) != nullptr; }
    std::size_t Size() const { return entries_.size(); }

    nlohmann::json ToJson() const;
    // Takes every key of a JSON object, in time linear in their number; anything but an object,
    // or one nesting deeper than kMaxJsonDepth, raises error 13 with a message that says so.
    static PropertyBag FromJson(const nlohmann::json& json);
    // Parses JSON text first; text that is not JSON, larger than kMaxInputBytes or nested
    // deeper than kMaxJsonDepth raises error 13 naming the fault.
    static PropertyBag FromJsonText(std::string_view text);

    // Whether two values count as equal for "not stored when equal to its default": numbers by
    // value, strings exactly, fonts by their fields, pictures by their pixels, Nothing by itself.
    static bool SameValue(const Variant& a, const Variant& b);

private:
    struct Entry {
        std::string name;
        nlohmann::json value;
    };
    const Entry* Find(std::string_view name) const;
    Entry* Find(std::string_view name);
    void Add(std::string name, nlohmann::json value);
    void Reindex();

    std::vector<Entry> entries_;  // in the order they were first written
    // Lower-case name -> position in entries_, so a bag of many names loads and reads in linear
    // time (names compare without regard to ASCII case).
    std::unordered_map<std::string, std::size_t> index_;
};

}  // namespace glv
