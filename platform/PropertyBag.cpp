#include "platform/PropertyBag.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "platform/AutomationError.h"
#include "platform/BoundedInput.h"
#include "platform/StdFont.h"
#include "platform/StdPicture.h"
#include "platform/TextScan.h"

namespace glv {

namespace {

using nlohmann::json;

[[noreturn]] void BagTypeMismatch(const std::string& why) {
    throw AutomationError(runtime_error::kTypeMismatch, std::string(kLibraryName) + ".PropertyBag",
                          "Type mismatch: " + why);
}

Variant ScalarFromJson(const json& value) {
    if (value.is_boolean()) return Variant(value.get<bool>());
    if (value.is_number_integer()) {
        if (value.is_number_unsigned()) {
            const auto v = value.get<uint64_t>();
            if (v <= static_cast<uint64_t>(std::numeric_limits<int32_t>::max()))
                return Variant(static_cast<int32_t>(v));
            return Variant(static_cast<double>(v));
        }
        const auto v = value.get<int64_t>();
        if (v >= std::numeric_limits<int32_t>::min() && v <= std::numeric_limits<int32_t>::max())
            return Variant(static_cast<int32_t>(v));
        return Variant(static_cast<double>(v));
    }
    if (value.is_number()) return Variant(value.get<double>());
    if (value.is_string()) return Variant(value.get<std::string>());
    if (value.is_null()) return Variant(ObjectPtr{});  // Nothing
    RaiseRuntimeError(runtime_error::kTypeMismatch);
}

// A font entry: the fields it names over the default font's (or a plain font's) fields.
Variant FontFromJson(const json& fields, const Variant& def) {
    auto font = std::make_shared<StdFont>();
    if (def.IsObject())
        if (auto base = std::dynamic_pointer_cast<StdFont>(def.AsObject())) *font = *base;
    for (const auto& [key, raw] : fields.items()) {
        if (raw.is_object() || raw.is_array()) RaiseRuntimeError(runtime_error::kTypeMismatch);
        const Variant value = ScalarFromJson(raw);
        // Font members are set the way a script sets them, so the same conversions and range
        // checks apply; fields the font does not know are left alone.
        for (const char* member : {"Name", "Size", "Bold", "Italic", "Underline", "Strikethrough"}) {
            if (!EqualsIgnoreCase(key, member)) continue;
            const Variant args[] = {value};
            font->Invoke(member, CallKind::Let, args);
        }
    }
    return Variant(ObjectPtr(font));
}

Variant ValueFromJson(const json& value, const Variant& def) {
    if (value.is_object()) {
        if (auto png = value.find("png"); png != value.end()) {
            if (!png->is_string()) RaiseRuntimeError(runtime_error::kInvalidPicture);
            return Variant(ObjectPtr(StdPicture::FromBase64Png(png->get<std::string>())));
        }
        return FontFromJson(value, def);
    }
    return ScalarFromJson(value);
}

json ValueToJson(const Variant& value) {
    switch (value.Type()) {
        case VarType::Boolean: return value.AsBoolean();
        case VarType::Integer: return value.AsInteger();
        case VarType::Long: return value.AsLong();
        case VarType::Single:
        case VarType::Double:
        case VarType::Date: {
            const double number = value.ToDouble();
            if (!std::isfinite(number)) BagTypeMismatch("a number that is not finite has no stored form");
            return number;
        }
        case VarType::String: return std::string(value.AsString());
        case VarType::Object: {
            const ObjectPtr& object = value.AsObject();
            if (!object) return nullptr;
            if (auto font = std::dynamic_pointer_cast<StdFont>(object))
                return json{{"Name", font->Name},
                            {"Size", font->Size},
                            {"Bold", font->Bold},
                            {"Italic", font->Italic},
                            {"Underline", font->Underline},
                            {"Strikethrough", font->Strikethrough}};
            if (auto picture = std::dynamic_pointer_cast<StdPicture>(object))
                return json{{"png", picture->ToBase64Png()}};
            BagTypeMismatch("an object of type " + object->TypeName() + " has no stored form");
        }
        default:
            BagTypeMismatch(std::string("a value of type ") + VarTypeName(value.Type()) +
                            " has no stored form");
    }
}

std::string FoldedName(std::string_view name) {
    std::string folded(name);
    for (char& c : folded) c = ToAsciiLower(c);
    return folded;
}

}  // namespace

const PropertyBag::Entry* PropertyBag::Find(std::string_view name) const {
    const auto it = index_.find(FoldedName(name));
    return it == index_.end() ? nullptr : &entries_[it->second];
}

PropertyBag::Entry* PropertyBag::Find(std::string_view name) {
    return const_cast<Entry*>(std::as_const(*this).Find(name));
}

void PropertyBag::Add(std::string name, nlohmann::json value) {
    index_.emplace(FoldedName(name), entries_.size());
    entries_.push_back({std::move(name), std::move(value)});
}

void PropertyBag::Reindex() {
    index_.clear();
    for (std::size_t i = 0; i < entries_.size(); ++i) index_.emplace(FoldedName(entries_[i].name), i);
}

Variant PropertyBag::ReadProperty(std::string_view name, const Variant& def) const {
    const Entry* entry = Find(name);
    if (!entry) return def;
    return ValueFromJson(entry->value, def);
}

void PropertyBag::WriteProperty(std::string_view name, const Variant& value, const Variant& def) {
    const bool store = def.IsMissing() || !SameValue(value, def);
    json stored = store ? ValueToJson(value) : json();
    Entry* entry = Find(name);
    if (!store) {
        if (!entry) return;
        entries_.erase(entries_.begin() + (entry - entries_.data()));
        Reindex();
    } else if (entry) {
        entry->value = std::move(stored);
    } else {
        Add(std::string(name), std::move(stored));
    }
}

nlohmann::json PropertyBag::ToJson() const {
    json out = json::object();
    for (const Entry& entry : entries_) out[entry.name] = entry.value;
    return out;
}

PropertyBag PropertyBag::FromJson(const nlohmann::json& source) {
    if (!source.is_object())
        BagTypeMismatch(std::string("a property bag is a JSON object of names and values, not ") +
                        source.type_name());
    // Checked before anything is copied: copying a value recurses once per level.
    if (JsonNestsDeeperThan(source, kMaxJsonDepth))
        BagTypeMismatch("the property bag nests arrays and objects deeper than " +
                        std::to_string(kMaxJsonDepth) + " levels");
    PropertyBag bag;
    for (const auto& [key, value] : source.items()) {
        if (Entry* entry = bag.Find(key))
            entry->value = value;
        else
            bag.Add(key, value);
    }
    return bag;
}

PropertyBag PropertyBag::FromJsonText(std::string_view text) {
    json parsed;
    try {
        parsed = ParseInputJson(text, "the property bag");
    } catch (const InputError& bad) {
        BagTypeMismatch(bad.what());
    }
    return FromJson(parsed);
}

bool PropertyBag::SameValue(const Variant& a, const Variant& b) {
    if (a.IsNumber() && b.IsNumber()) return a.ToDouble() == b.ToDouble();
    if (a.Type() != b.Type()) return false;
    switch (a.Type()) {
        case VarType::String: return a.AsString() == b.AsString();
        case VarType::Object: {
            const ObjectPtr& x = a.AsObject();
            const ObjectPtr& y = b.AsObject();
            if (x == y) return true;
            if (!x || !y) return false;
            auto fx = std::dynamic_pointer_cast<StdFont>(x);
            auto fy = std::dynamic_pointer_cast<StdFont>(y);
            if (fx && fy) return fx->SameAs(*fy);
            auto px = std::dynamic_pointer_cast<StdPicture>(x);
            auto py = std::dynamic_pointer_cast<StdPicture>(y);
            return px && py && px->SamePixels(*py);
        }
        default: return a == b;
    }
}

}  // namespace glv
