#pragma once
// Automation variants: the values that cross the control's dispatch interface.
//
// Conversions follow the automation runtime: floating point to integer rounds half to even,
// a value outside the target range is error 6 (Overflow), a value of the wrong kind error 13
// (Type mismatch), Null error 94. Missing marks an optional argument the caller left out.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/SharedString.h"
#include "platform/TextScan.h"  // EqualsIgnoreCase, which names are compared with

namespace glv {

struct Locale;
class Variant;

enum class VarType : uint8_t {
    Empty, Null, Missing, Boolean, Integer, Long, Single, Double, Date, String, Object, Array
};

const char* VarTypeName(VarType type);

// How a member is reached through dispatch: a property read, a property write, or a method call.
enum class CallKind : uint8_t { Get, Let, Method };

// An automation object: something a Variant can hold and a script can reach by member name.
class Object : public std::enable_shared_from_this<Object> {
public:
    virtual ~Object() = default;
    virtual std::string TypeName() const = 0;
    // Calls a member by name. The default knows no member (error 438).
    virtual Variant Invoke(std::string_view member, CallKind kind, std::span<const Variant> args);
    // The value of the object's default member when it is used as a plain value, if it has one.
    virtual std::optional<Variant> DefaultValue() const;
};

using ObjectPtr = std::shared_ptr<Object>;

// An automation array: one dimension, with its lower bound kept.
struct SafeArray {
    int32_t LBound = 0;
    std::vector<Variant> Items;
    int32_t UBound() const;  // defined below Variant, which Items needs complete
};

using ArrayPtr = std::shared_ptr<const SafeArray>;

class Variant {
public:
    Variant() noexcept = default;
    Variant(bool v) noexcept : value_(v) {}                 // NOLINT: implicit, like the runtime
    Variant(int16_t v) noexcept : value_(v) {}              // NOLINT
    Variant(int32_t v) noexcept : value_(v) {}              // NOLINT
    Variant(float v) noexcept : value_(v) {}                // NOLINT
    Variant(double v) noexcept : value_(v) {}               // NOLINT
    Variant(const char* v) : value_(SharedString(v)) {}     // NOLINT
    Variant(std::string_view v) : value_(SharedString(v)) {}  // NOLINT
    Variant(const std::string& v) : value_(SharedString(v)) {}  // NOLINT
    Variant(SharedString v) noexcept : value_(std::move(v)) {}  // NOLINT
    Variant(ObjectPtr v) noexcept : value_(std::move(v)) {}     // NOLINT
    Variant(ArrayPtr v) noexcept : value_(std::move(v)) {}      // NOLINT

    static Variant Null() { return Variant(NullTag{}); }
    static Variant Missing() { return Variant(MissingTag{}); }
    static Variant Date(double serial) { return Variant(DateTag{serial}); }
    static Variant Array(std::vector<Variant> items, int32_t lbound = 0);

    VarType Type() const noexcept { return static_cast<VarType>(value_.index()); }
    bool IsEmpty() const noexcept { return Type() == VarType::Empty; }
    bool IsNull() const noexcept { return Type() == VarType::Null; }
    bool IsMissing() const noexcept { return Type() == VarType::Missing; }
    bool IsArray() const noexcept { return Type() == VarType::Array; }
    bool IsObject() const noexcept { return Type() == VarType::Object; }
    bool IsString() const noexcept { return Type() == VarType::String; }
    bool IsNumber() const noexcept;  // Boolean, Integer, Long, Single, Double or Date

    // The runtime's IsNumeric: a number, Empty, or a string that converts to a Double.
    bool IsNumeric(const Locale& locale) const;

    // Conversions with the runtime's rules; they raise AutomationError on failure.
    std::string ToString(const Locale& locale) const;
    bool ToBoolean(const Locale& locale) const;
    int16_t ToInteger(const Locale& locale) const;
    int32_t ToLong(const Locale& locale) const;
    float ToSingle(const Locale& locale) const;
    double ToDouble(const Locale& locale) const;
    double ToDate(const Locale& locale) const;
    // The held object; Nothing (an Empty variant or a null object) gives nullptr, anything else
    // that is not an object raises error 424.
    ObjectPtr ToObject() const;
    const SafeArray* AsArray() const noexcept;  // nullptr when not an array

    // Conversions in the en-US locale, for callers that have no locale at hand.
    std::string ToString() const;
    bool ToBoolean() const;
    int16_t ToInteger() const;
    int32_t ToLong() const;
    float ToSingle() const;
    double ToDouble() const;

    // Exact access to the stored value, without conversion (the type must match).
    bool AsBoolean() const { return std::get<bool>(value_); }
    int16_t AsInteger() const { return std::get<int16_t>(value_); }
    int32_t AsLong() const { return std::get<int32_t>(value_); }
    float AsSingle() const { return std::get<float>(value_); }
    double AsDouble() const { return std::get<double>(value_); }
    double AsDate() const { return std::get<DateTag>(value_).serial; }
    std::string_view AsString() const { return std::get<SharedString>(value_).view(); }
    const ObjectPtr& AsObject() const { return std::get<ObjectPtr>(value_); }

    friend bool operator==(const Variant& a, const Variant& b);

private:
    struct NullTag { bool operator==(const NullTag&) const = default; };
    struct MissingTag { bool operator==(const MissingTag&) const = default; };
    struct DateTag {
        double serial;
        bool operator==(const DateTag&) const = default;
    };
    explicit Variant(NullTag t) : value_(t) {}
    explicit Variant(MissingTag t) : value_(t) {}
    explicit Variant(DateTag t) : value_(t) {}

    // The numeric value of a number-like variant, or of a string read as a number.
    double NumericValue(const Locale& locale) const;

    // Alternatives in VarType order.
    std::variant<std::monostate, NullTag, MissingTag, bool, int16_t, int32_t, float, double, DateTag,
                 SharedString, ObjectPtr, ArrayPtr>
        value_;
};

inline int32_t SafeArray::UBound() const { return LBound + static_cast<int32_t>(Items.size()) - 1; }

// The locale used by the conversions that take none.
const Locale& DefaultLocale();

// Float to integer the runtime's way: nearest, ties to even.
double RoundHalfEven(double value);


}  // namespace glv
