#include "apps/scenario/Values.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

#include "control/GlideExpandingRow.h"
#include "core/EventRecorder.h"
#include "platform/Form.h"
#include "platform/Image.h"
#include "platform/ImageList.h"
#include "platform/ImageListObject.h"
#include "platform/Platform.h"
#include "platform/StdPicture.h"

namespace glv::scenario {

namespace {

[[noreturn]] void Invalid(const std::string& message) { throw InvalidScenario(message); }

double AnyNumber(const Json& value, std::string_view form) {
    if (!value.is_number()) Invalid(std::string(form) + " wants a number, not " + Describe(value));
    return value.get<double>();
}

Variant MakeFont(const Json& body, const ValueContext& context) {
    return Variant(ObjectPtr(std::make_shared<StdFont>(FontFromJson(body, context.ambientFont))));
}

// A picture object: a solid rectangle {"width", "height", "color"}, or a PNG {"file"} read
// relative to the scenario file.
Variant MakePicture(const Json& body, const ValueContext& context) {
    if (!body.is_object()) Invalid("picture: write {\"width\", \"height\", \"color\"} or {\"file\"}");
    if (body.contains("file")) {
        for (const auto& [key, value] : body.items())
            if (key != "file") Invalid("picture: unknown field \"" + key + "\"");
        const std::filesystem::path file = context.baseDir / Text(body["file"], "picture file");
        try {
            return Variant(ObjectPtr(std::make_shared<StdPicture>(LoadPng(file.string()))));
        } catch (const ImageError& bad) {
            Invalid(std::string("picture: ") + bad.what());
        }
    }
    for (const auto& [key, value] : body.items())
        if (key != "width" && key != "height" && key != "color") Invalid("picture: unknown field \"" + key + "\"");
    for (const char* key : {"width", "height", "color"})
        if (!body.contains(key)) Invalid(std::string("picture needs ") + key);
    const int32_t width = WholeNumber(body["width"], 1, 4096, "picture width");
    const int32_t height = WholeNumber(body["height"], 1, 4096, "picture height");
    const auto colour = body["color"].is_string() ? ParseColour(body["color"].get<std::string>()) : std::nullopt;
    if (!colour) Invalid("picture color: " + Describe(body["color"]) + " is not \"#RRGGBB\"");
    return Variant(ObjectPtr(StdPicture::Solid(width, height, static_cast<uint8_t>(*colour & 0xFF),
                                               static_cast<uint8_t>((*colour >> 8) & 0xFF),
                                               static_cast<uint8_t>((*colour >> 16) & 0xFF))));
}

// Image-list objects come from a piece the library does not have yet: the form fails here with
// a clear message until its maker is filled in.

// The image list a form describes: the synthetic palette squares, or a PNG strip cut into
// images of the given width.
ImageList ImageListFromJson(const Json& body, const ValueContext& context) {
    if (!body.is_object()) Invalid("image list: write {\"width\", \"height\", \"count\"} or {\"file\", \"width\"}");
    const auto dimension = [&](const char* key, int32_t high) {
        if (!body.contains(key)) Invalid(std::string("image list needs ") + key);
        return WholeNumber(body[key], 1, high, std::string("image list ") + key);
    };
    if (!body.contains("file")) {
        for (const auto& [key, value] : body.items())
            if (key != "width" && key != "height" && key != "count") Invalid("image list: unknown field \"" + key + "\"");
        return MakeSyntheticImageList(dimension("width", 256), dimension("height", 256), dimension("count", 1024));
    }
    for (const auto& [key, value] : body.items())
        if (key != "file" && key != "width") Invalid("image list: unknown field \"" + key + "\"");
    const std::filesystem::path file = context.baseDir / Text(body["file"], "image list file");
    try {
        return ImageList::FromStrip(LoadPng(file.string()), dimension("width", 256));
    } catch (const ImageError& bad) {
        Invalid(std::string("image list: ") + bad.what());
    } catch (const std::invalid_argument& bad) {
        Invalid("image list " + file.string() + ": " + bad.what());
    }
}

// A list registered with the platform, passed as its handle (a Long, as hImagelist is).
Variant MakeImageListHandle(const Json& body, const ValueContext& context) {
    ImageList list = ImageListFromJson(body, context);
    if (context.platform == nullptr) Invalid("an image list needs the control's platform");
    return static_cast<int32_t>(context.platform->imageLists.Register(std::move(list)));
}

// The same list behind an image-list object, as a host's image-list control would offer it.
Variant MakeImageListObject(const Json& body, const ValueContext& context) {
    const uint32_t handle = static_cast<uint32_t>(MakeImageListHandle(body, context).AsLong());
    return ObjectPtr(std::make_shared<ImageListObject>(*context.platform, handle, context.twipsPerPixel,
                                                       context.twipsPerPixel));
}

Variant MakeTyped(const Json& body, std::string_view form) {
    if (form == "integer")
        return static_cast<int16_t>(WholeNumber(body, std::numeric_limits<int16_t>::min(),
                                                std::numeric_limits<int16_t>::max(), form));
    if (form == "long")
        return static_cast<int32_t>(WholeNumber(body, std::numeric_limits<int32_t>::min(),
                                                std::numeric_limits<int32_t>::max(), form));
    if (form == "single") {
        const double v = AnyNumber(body, form);
        if (std::fabs(v) > std::numeric_limits<float>::max()) Invalid("single value out of range");
        return static_cast<float>(v);
    }
    if (form == "double") return AnyNumber(body, form);
    if (form == "date") return Variant::Date(AnyNumber(body, form));
    if (form == "string") {
        return Text(body, form);
    }
    if (form == "boolean") {
        return Flag(body, form);
    }
    if (body != Json(true)) Invalid(std::string(form) + " is written {\"" + std::string(form) + "\": true}");
    return form == "empty" ? Variant() : Variant::Null();
}

// A host's child window of one colour with a darker frame: what a host's text box or button
// looks like in a picture. It goes with its window.
class SolidWindow {
public:
    SolidWindow(WindowSystem& windows, HWND parent, WindowPlacement at, COLORREF colour)
        : windows_(windows), hwnd_(windows.CreateWindow(parent, "HostWindow", at)), picture_(at.width, at.height, colour) {
        picture_.FrameRect(picture_.Bounds(), RGB(96, 96, 96));
        RegisterSurface(windows_, hwnd_, &picture_);
    }
    ~SolidWindow() { windows_.DestroyWindow(hwnd_); }
    SolidWindow(const SolidWindow&) = delete;
    SolidWindow& operator=(const SolidWindow&) = delete;

private:
    WindowSystem& windows_;
    HWND hwnd_;
    Surface picture_;
};

COLORREF ColourField(const Json& value, std::string_view what) {
    const auto colour = value.is_string() ? ParseColour(value.get<std::string>()) : std::nullopt;
    if (!colour) Invalid(std::string(what) + ": " + Describe(value) + " is not \"#RRGGBB\"");
    return *colour;
}

// A GlideExpandingRow on the form: {"name", "height" (pixels), "width", "back_color",
// "children": [{"at": [X, Y, W, H], "color": "#RRGGBB"}, ...]}, the children being host windows.
Variant MakeExpandingRow(const Json& body, const ValueContext& context) {
    if (!body.is_object()) Invalid("expanding_row: write {\"name\", \"height\", ...}");
    for (const auto& [key, value] : body.items())
        if (key != "name" && key != "height" && key != "width" && key != "back_color" && key != "children")
            Invalid("expanding_row: unknown field \"" + key + "\"");
    if (!context.platform || !context.container || !context.kept) Invalid("expanding_row: no form to put it on");
    const std::string name = body.contains("name") ? Text(body["name"], "expanding_row name") : "ExpandingRow1";
    const int32_t height = body.contains("height") ? WholeNumber(body["height"], 1, 4096, "expanding_row height") : 40;
    const int32_t width = body.contains("width") ? WholeNumber(body["width"], 1, 4096, "expanding_row width") : 300;
    auto row = std::make_shared<GlideExpandingRow>(*context.platform, *context.container, context.form, name, width, height);
    if (body.contains("back_color")) row->SetBackColor(ColourField(body["back_color"], "expanding_row back_color"));
    if (body.contains("children")) {
        if (!body["children"].is_array()) Invalid("expanding_row children is an array");
        for (const Json& child : body["children"]) {
            if (!child.is_object() || !child.contains("at") || !child["at"].is_array() || child["at"].size() != 4)
                Invalid("expanding_row child: write {\"at\": [X, Y, W, H], \"color\": \"#RRGGBB\"}");
            const Json& at = child["at"];
            const WindowPlacement place{WholeNumber(at[0], -4096, 4096, "child x"), WholeNumber(at[1], -4096, 4096, "child y"),
                                        WholeNumber(at[2], 1, 4096, "child width"), WholeNumber(at[3], 1, 4096, "child height")};
            const COLORREF colour = child.contains("color") ? ColourField(child["color"], "child color") : RGB(255, 255, 255);
            context.kept->push_back(std::make_shared<SolidWindow>(context.platform->windows, row->hwnd(), place, colour));
        }
    }
    return Variant(ObjectPtr(row));
}

// Every one-key object form: the typed scalars and the objects. New object kinds are added here.
struct ValueForm {
    std::string_view key;
    Variant (*make)(const Json& body, const ValueContext& context);
};

constexpr std::string_view kTypedForms[] = {"integer", "long",    "single", "double", "date",
                                            "string",  "boolean", "empty",  "null"};

constexpr ValueForm kObjectForms[] = {
    {"font", MakeFont},
    {"picture", MakePicture},
    {"imagelist", MakeImageListHandle},
    {"imagelist_object", MakeImageListObject},
    {"expanding_row", MakeExpandingRow},
};

bool IsNumberType(const Variant& v) {
    return v.IsNumber() && v.Type() != VarType::Boolean;
}

double NumberOf(const Variant& v) {
    switch (v.Type()) {
        case VarType::Integer: return v.AsInteger();
        case VarType::Long: return v.AsLong();
        case VarType::Single: return v.AsSingle();
        case VarType::Date: return v.AsDate();
        default: return v.AsDouble();
    }
}

bool IsNothing(const Variant& v) {
    return v.IsEmpty() || v.IsNull() || (v.IsObject() && !v.AsObject());
}

// Compares two variants by the file's rules; expected comes from the file.
bool SameValue(const Variant& expected, const Variant& found) {
    if (IsNumberType(expected) && IsNumberType(found)) {
        // A Single read back is compared at its own precision: 1.1 in the file means 1.1f.
        if (found.Type() == VarType::Single && expected.Type() != VarType::Single)
            return static_cast<float>(NumberOf(expected)) == found.AsSingle();
        return NumberOf(expected) == NumberOf(found);
    }
    if (expected.Type() == VarType::Boolean && found.Type() == VarType::Boolean)
        return expected.AsBoolean() == found.AsBoolean();
    if (expected.IsString() && found.IsString()) return expected.AsString() == found.AsString();
    if (expected.IsEmpty() || expected.IsNull()) return expected.Type() == found.Type();
    if (expected.IsObject() && found.IsObject()) {
        // A picture written in the file is a new object: it matches a picture of the same pixels.
        const auto* a = dynamic_cast<const StdPicture*>(expected.AsObject().get());
        const auto* b = dynamic_cast<const StdPicture*>(found.AsObject().get());
        if (a && b) return a->SamePixels(*b);
        return expected.AsObject() == found.AsObject();
    }
    if (expected.IsArray() && found.IsArray()) {
        const auto& a = expected.AsArray()->Items;
        const auto& b = found.AsArray()->Items;
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i)
            if (!SameValue(a[i], b[i])) return false;
        return true;
    }
    // An object read where a plain value is expected stands for its default member.
    if (found.IsObject() && found.AsObject() && !expected.IsObject()) {
        if (auto value = found.AsObject()->DefaultValue()) return SameValue(expected, *value);
    }
    return false;
}

// A font form against a font object: each field the form gives, read through the object.
bool FontMatches(const Json& fields, const Variant& found) {
    if (!found.IsObject() || !found.AsObject() || !fields.is_object()) return false;
    FontFromJson(fields, StdFont{});  // rejects unknown fields and wrong types
    for (const auto& [name, value] : fields.items()) {
        Variant actual;
        try {
            actual = found.AsObject()->Invoke(name, CallKind::Get, {});
        } catch (const std::exception&) {
            return false;
        }
        if (!SameValue(ToVariant(value, {}), actual)) return false;
    }
    return true;
}

}  // namespace

int32_t WholeNumber(const Json& value, int32_t low, int32_t high, std::string_view what) {
    // Unsigned JSON numbers above the int64 range read back wrapped, so they are tested apart.
    const bool whole = value.is_number_integer() &&
                       (!value.is_number_unsigned() || value.get<uint64_t>() <= static_cast<uint64_t>(high));
    if (!whole || value.get<int64_t>() < low || value.get<int64_t>() > high)
        Invalid(std::string(what) + " wants a whole number from " + std::to_string(low) + " to " +
                std::to_string(high) + ", not " + Describe(value));
    return static_cast<int32_t>(value.get<int64_t>());
}

bool Flag(const Json& value, std::string_view what) {
    if (!value.is_boolean()) Invalid(std::string(what) + " wants true or false, not " + Describe(value));
    return value.get<bool>();
}

std::string Text(const Json& value, std::string_view what) {
    if (!value.is_string()) Invalid(std::string(what) + " wants a string, not " + Describe(value));
    return value.get<std::string>();
}

StdFont FontFromJson(const Json& fields, const StdFont& base) {
    if (!fields.is_object()) Invalid("a font is an object of its fields, not " + Describe(fields));
    StdFont font = base;
    for (const auto& [name, value] : fields.items()) {
        if (name == "Name") {
            font.Name = Text(value, "font Name");
        } else if (name == "Size") {
            const double size = AnyNumber(value, "font Size");
            if (!(size > 0 && size <= 2048)) Invalid("font Size wants a number above 0");
            font.Size = static_cast<float>(size);
        } else if (name == "Bold") {
            font.Bold = Flag(value, "font " + name);
        } else if (name == "Italic") {
            font.Italic = Flag(value, "font " + name);
        } else if (name == "Underline") {
            font.Underline = Flag(value, "font " + name);
        } else if (name == "Strikethrough") {
            font.Strikethrough = Flag(value, "font " + name);
        } else {
            Invalid("unknown font field \"" + name + "\"");
        }
    }
    return font;
}

Variant ToVariant(const Json& value, const ValueContext& context) {
    switch (value.type()) {
        case Json::value_t::null: return Variant::Missing();
        case Json::value_t::boolean: return value.get<bool>();
        case Json::value_t::number_integer:
        case Json::value_t::number_unsigned: {
            if (value.is_number_unsigned() && value.get<uint64_t>() > std::numeric_limits<int32_t>::max())
                return value.get<double>();
            const auto v = value.get<int64_t>();
            if (v >= std::numeric_limits<int32_t>::min() && v <= std::numeric_limits<int32_t>::max())
                return static_cast<int32_t>(v);
            return static_cast<double>(v);
        }
        case Json::value_t::number_float: return value.get<double>();
        case Json::value_t::string: return value.get<std::string>();
        case Json::value_t::array: {
            std::vector<Variant> items;
            items.reserve(value.size());
            for (const Json& item : value) items.push_back(ToVariant(item, context));
            return Variant::Array(std::move(items), 0);
        }
        case Json::value_t::object: break;
        default: Invalid("not a value: " + Describe(value));
    }
    if (value.size() != 1) Invalid("a typed value is an object with one key, not " + Describe(value));
    const std::string& key = value.begin().key();
    const Json& body = value.begin().value();
    for (std::string_view form : kTypedForms)
        if (key == form) return MakeTyped(body, form);
    for (const ValueForm& form : kObjectForms)
        if (key == form.key) return form.make(body, context);
    Invalid("unknown value form \"" + key + "\"");
}

std::optional<uint32_t> ParseColour(std::string_view text) {
    if (text.size() != 7 || text[0] != '#') return std::nullopt;
    uint32_t rgb = 0;
    for (char c : text.substr(1)) {
        int digit = 0;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        else return std::nullopt;
        rgb = rgb * 16 + static_cast<uint32_t>(digit);
    }
    return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
}

bool Matches(const Json& expect, const Variant& found, const ValueContext& context) {
    if (expect.is_null()) return IsNothing(found);
    if (expect.is_string() && IsNumberType(found)) {
        if (auto colour = ParseColour(expect.get_ref<const std::string&>()))
            return NumberOf(found) == static_cast<double>(*colour);
    }
    if (expect.is_array()) {
        const SafeArray* array = found.AsArray();
        if (array == nullptr || array->Items.size() != expect.size()) return false;
        for (std::size_t i = 0; i < expect.size(); ++i)
            if (!Matches(expect[i], array->Items[i], context)) return false;
        return true;
    }
    if (expect.is_object() && expect.size() == 1 && expect.begin().key() == "font")
        return FontMatches(expect.begin().value(), found);
    return SameValue(ToVariant(expect, context), found);
}

std::string Describe(const Variant& value) {
    switch (value.Type()) {
        case VarType::Empty: return "Empty";
        case VarType::Null: return "Null";
        case VarType::Missing: return "Missing";
        case VarType::Boolean: return value.AsBoolean() ? "True (Boolean)" : "False (Boolean)";
        case VarType::Integer: return std::to_string(value.AsInteger()) + " (Integer)";
        case VarType::Long: return std::to_string(value.AsLong()) + " (Long)";
        case VarType::Single: return ShortestDecimal(value.AsSingle()) + " (Single)";
        case VarType::Double: return ShortestDecimal(value.AsDouble()) + " (Double)";
        case VarType::Date: return ShortestDecimal(value.AsDate()) + " (Date)";
        case VarType::String: return JsonQuote(value.AsString()) + " (String)";
        case VarType::Object:
            return value.AsObject() ? "object " + value.AsObject()->TypeName() : "Nothing";
        case VarType::Array: break;
    }
    const SafeArray& array = *value.AsArray();
    std::string text = "array(" + std::to_string(array.LBound) + " to " + std::to_string(array.UBound()) + ") [";
    for (std::size_t i = 0; i < array.Items.size(); ++i) {
        if (i > 0) text += ", ";
        text += Describe(array.Items[i]);
    }
    return text + "]";
}

std::string DescribeFound(const Variant& found, const Json& expect) {
    std::string text = Describe(found);
    if (!expect.is_string() || !ParseColour(expect.get<std::string>()) || !IsNumberType(found)) return text;
    const double value = NumberOf(found);
    if (value < 0 || value > 0xFFFFFF || value != std::floor(value)) return text;
    const auto bgr = static_cast<uint32_t>(value);
    char colour[8];
    std::snprintf(colour, sizeof colour, "#%02X%02X%02X", bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
    return text.substr(0, text.size() - 1) + ", " + colour + ")";
}

std::string Describe(const Json& value) {
    return value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

}  // namespace glv::scenario
