#include "platform/Variant.h"

#include <cmath>
#include <limits>

#include "platform/AutomationError.h"
#include "platform/Locale.h"

namespace glv {

namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

template <class Int>
Int ToWhole(double value) {
    if (std::isnan(value)) RaiseRuntimeError(runtime_error::kOverflow);
    const double rounded = RoundHalfEven(value);
    if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Int>::max()))
        RaiseRuntimeError(runtime_error::kOverflow);
    return static_cast<Int>(rounded);
}

}  // namespace

const char* VarTypeName(VarType type) {
    static constexpr const char* kNames[] = {"Empty",  "Null",   "Missing", "Boolean",
                                             "Integer", "Long",  "Single",  "Double",
                                             "Date",   "String", "Object",  "Array"};
    return kNames[static_cast<int>(type)];
}

Variant Object::Invoke(std::string_view, CallKind, std::span<const Variant>) {
    RaiseRuntimeError(runtime_error::kNotSupported);
}

std::optional<Variant> Object::DefaultValue() const { return std::nullopt; }

const Locale& DefaultLocale() {
    static const Locale* locale = Locale::Find("en-US");
    return *locale;
}

double RoundHalfEven(double value) {
    // nearbyint rounds in the current mode, which the library never changes from to-nearest-even.
    return std::nearbyint(value);
}

Variant Variant::Array(std::vector<Variant> items, int32_t lbound) {
    auto array = std::make_shared<SafeArray>();
    array->LBound = lbound;
    array->Items = std::move(items);
    return Variant(ArrayPtr(std::move(array)));
}

bool Variant::IsNumber() const noexcept {
    switch (Type()) {
        case VarType::Boolean: case VarType::Integer: case VarType::Long:
        case VarType::Single: case VarType::Double: case VarType::Date:
            return true;
        default:
            return false;
    }
}

bool Variant::IsNumeric(const Locale& locale) const {
    if (IsNumber() || IsEmpty()) return Type() != VarType::Date;
    if (IsString()) return TextToDouble(AsString(), locale).has_value();
    if (IsObject()) {
        auto value = AsObject() ? AsObject()->DefaultValue() : std::nullopt;
        return value && value->IsNumeric(locale);
    }
    return false;
}

double Variant::NumericValue(const Locale& locale) const {
    switch (Type()) {
        case VarType::Empty: return 0;
        case VarType::Null: RaiseRuntimeError(runtime_error::kInvalidUseOfNull);
        case VarType::Boolean: return AsBoolean() ? -1 : 0;
        case VarType::Integer: return AsInteger();
        case VarType::Long: return AsLong();
        case VarType::Single: return AsSingle();
        case VarType::Double: return AsDouble();
        case VarType::Date: return AsDate();
        case VarType::String: {
            std::string_view text = AsString();
            if (auto value = TextToDouble(text, locale)) return *value;
            // The runtime also takes the words True and False where a number is wanted.
            if (EqualsIgnoreCase(Trim(text), "True")) return -1;
            if (EqualsIgnoreCase(Trim(text), "False")) return 0;
            RaiseRuntimeError(runtime_error::kTypeMismatch);
        }
        case VarType::Object: {
            auto value = AsObject() ? AsObject()->DefaultValue() : std::nullopt;
            if (!AsObject()) RaiseRuntimeError(runtime_error::kObjectVariableNotSet);
            if (!value) RaiseRuntimeError(runtime_error::kTypeMismatch);
            return value->NumericValue(locale);
        }
        case VarType::Missing:
        case VarType::Array:
            break;
    }
    RaiseRuntimeError(runtime_error::kTypeMismatch);
}

std::string Variant::ToString(const Locale& locale) const {
    switch (Type()) {
        case VarType::Empty: return {};
        case VarType::Null: RaiseRuntimeError(runtime_error::kInvalidUseOfNull);
        case VarType::Boolean: return AsBoolean() ? "True" : "False";
        case VarType::Integer: return std::to_string(AsInteger());
        case VarType::Long: return std::to_string(AsLong());
        case VarType::Single: return SingleToText(AsSingle(), locale);
        case VarType::Double: return DoubleToText(AsDouble(), locale);
        case VarType::Date: return DateToText(AsDate(), locale);
        case VarType::String: return std::string(AsString());
        case VarType::Object: {
            if (!AsObject()) RaiseRuntimeError(runtime_error::kObjectVariableNotSet);
            auto value = AsObject()->DefaultValue();
            if (!value) RaiseRuntimeError(runtime_error::kTypeMismatch);
            return value->ToString(locale);
        }
        case VarType::Missing:
        case VarType::Array:
            break;
    }
    RaiseRuntimeError(runtime_error::kTypeMismatch);
}

bool Variant::ToBoolean(const Locale& locale) const {
    if (Type() == VarType::Boolean) return AsBoolean();
    return NumericValue(locale) != 0;
}

int16_t Variant::ToInteger(const Locale& locale) const {
    if (Type() == VarType::Integer) return AsInteger();
    return ToWhole<int16_t>(NumericValue(locale));
}

int32_t Variant::ToLong(const Locale& locale) const {
    if (Type() == VarType::Long) return AsLong();
    return ToWhole<int32_t>(NumericValue(locale));
}

float Variant::ToSingle(const Locale& locale) const {
    const double value = NumericValue(locale);
    if (std::isfinite(value) && std::fabs(value) > std::numeric_limits<float>::max())
        RaiseRuntimeError(runtime_error::kOverflow);
    return static_cast<float>(value);
}

double Variant::ToDouble(const Locale& locale) const { return NumericValue(locale); }

double Variant::ToDate(const Locale& locale) const {
    if (Type() == VarType::String) {
        if (auto date = TextToDate(AsString(), locale)) return *date;
    }
    return NumericValue(locale);
}

ObjectPtr Variant::ToObject() const {
    if (IsEmpty()) return nullptr;
    if (!IsObject()) RaiseRuntimeError(runtime_error::kObjectRequired);
    return AsObject();
}

const SafeArray* Variant::AsArray() const noexcept {
    auto array = std::get_if<ArrayPtr>(&value_);
    return array ? array->get() : nullptr;
}

std::string Variant::ToString() const { return ToString(DefaultLocale()); }
bool Variant::ToBoolean() const { return ToBoolean(DefaultLocale()); }
int16_t Variant::ToInteger() const { return ToInteger(DefaultLocale()); }
int32_t Variant::ToLong() const { return ToLong(DefaultLocale()); }
float Variant::ToSingle() const { return ToSingle(DefaultLocale()); }
double Variant::ToDouble() const { return ToDouble(DefaultLocale()); }

bool operator==(const Variant& a, const Variant& b) {
    if (a.IsArray() && b.IsArray()) {
        const SafeArray* x = a.AsArray();
        const SafeArray* y = b.AsArray();
        return x->LBound == y->LBound && x->Items == y->Items;
    }
    return a.value_ == b.value_;
}

}  // namespace glv
