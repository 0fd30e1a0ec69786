#include "core/Dispatch.h"

#include <cstdint>
#include <limits>

#include "core/Errors.h"
#include "platform/Locale.h"
#include "platform/TextScan.h"

namespace glv {

bool NameEquals(std::string_view a, std::string_view b) { return EqualsIgnoreCase(a, b); }

void CheckArgCount(Args args, int minArgs, int maxArgs) {
    const int count = static_cast<int>(args.size());
    if (count > maxArgs) RaiseRuntimeError(runtime_error::kWrongArgumentCount);
    for (int i = 0; i < minArgs; ++i)
        if (i >= count || args[static_cast<std::size_t>(i)].IsMissing())
            RaiseRuntimeError(runtime_error::kArgumentNotOptional);
}

const Variant& Arg(Args args, std::size_t i) {
    static const Variant kMissing = Variant::Missing();
    return i < args.size() ? args[i] : kMissing;
}

template <>
bool FromVariant<bool>(const Variant& value, const Locale& locale) {
    return value.ToBoolean(locale);
}
template <>
int16_t FromVariant<int16_t>(const Variant& value, const Locale& locale) {
    return value.ToInteger(locale);
}
template <>
int32_t FromVariant<int32_t>(const Variant& value, const Locale& locale) {
    return value.ToLong(locale);
}
template <>
uint32_t FromVariant<uint32_t>(const Variant& value, const Locale& locale) {
    // A colour is a Long across the interface; its unsigned spelling (a system colour written
    // as 2147483665, which only fits a Double) is taken as well.
    if (value.Type() == VarType::Double || value.Type() == VarType::Single) {
        const double number = RoundHalfEven(value.ToDouble(locale));
        if (number > std::numeric_limits<int32_t>::max() && number <= std::numeric_limits<uint32_t>::max())
            return static_cast<uint32_t>(number);
    }
    return static_cast<uint32_t>(value.ToLong(locale));
}
template <>
float FromVariant<float>(const Variant& value, const Locale& locale) {
    return value.ToSingle(locale);
}
template <>
std::string FromVariant<std::string>(const Variant& value, const Locale& locale) {
    return value.ToString(locale);
}
template <>
SharedString FromVariant<SharedString>(const Variant& value, const Locale& locale) {
    return SharedString(value.ToString(locale));
}
template <>
Variant FromVariant<Variant>(const Variant& value, const Locale&) {
    return value;
}

int32_t SingleToPixels(const Variant& value, const Locale& locale) {
    const float single = value.ToSingle(locale);
    return Variant(static_cast<double>(single)).ToLong(locale);
}

}  // namespace glv
