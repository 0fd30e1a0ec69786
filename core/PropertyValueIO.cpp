#include "core/PropertyValueIO.h"

#include <cmath>

#include "platform/AutomationError.h"

namespace glv {

OLE_COLOR ToColor(const Variant& value, const Locale& locale) {
    if (value.Type() == VarType::Long) return static_cast<OLE_COLOR>(value.AsLong());
    const double number = RoundHalfEven(value.ToDouble(locale));
    if (!(number >= -2147483648.0 && number <= 4294967295.0)) RaiseRuntimeError(runtime_error::kOverflow);
    if (number < 0) return static_cast<OLE_COLOR>(static_cast<int32_t>(number));
    return static_cast<OLE_COLOR>(number);
}

StoredValue ConvertForProperty(const PropertyDescriptor& d, const Variant& value, const Locale& locale) {
    switch (d.type) {
        case PropType::Boolean: return value.ToBoolean(locale);
        case PropType::Integer: return value.ToInteger(locale);
        case PropType::Long:
        case PropType::Enum: return value.ToLong(locale);
        case PropType::Color: return ToColor(value, locale);
        case PropType::Font: {
            const ObjectPtr object = value.ToObject();
            if (!object) RaiseRuntimeError(runtime_error::kInvalidPropertyValue);
            auto font = std::dynamic_pointer_cast<StdFont>(object);
            if (!font) RaiseRuntimeError(runtime_error::kTypeMismatch);
            return font;
        }
        case PropType::Picture: {
            const ObjectPtr object = value.ToObject();
            if (!object) return PicturePtr{};
            auto picture = std::dynamic_pointer_cast<StdPicture>(object);
            if (!picture) RaiseRuntimeError(runtime_error::kTypeMismatch);
            return picture;
        }
        case PropType::Object: break;
    }
    return std::monostate{};
}

Variant ToVariant(const StoredValue& value) {
    struct {
        Variant operator()(std::monostate) const { return Variant(ObjectPtr{}); }
        Variant operator()(bool v) const { return v; }
        Variant operator()(int16_t v) const { return v; }
        Variant operator()(int32_t v) const { return v; }
        Variant operator()(OLE_COLOR v) const { return static_cast<int32_t>(v); }
        Variant operator()(const FontPtr& v) const { return ObjectPtr(v); }
        Variant operator()(const PicturePtr& v) const { return ObjectPtr(v); }
    } visitor;
    return std::visit(visitor, value);
}

StoredValue LoadStored(const PropertyValues& values, const PropertyMember& member) {
    return std::visit(
        [&](auto slot) -> StoredValue {
            if constexpr (std::is_same_v<decltype(slot), std::monostate>)
                return std::monostate{};
            else
                return values.*slot;
        },
        member);
}

void StoreValue(PropertyValues& values, const PropertyMember& member, StoredValue value) {
    std::visit(
        [&](auto slot) {
            if constexpr (!std::is_same_v<decltype(slot), std::monostate>) {
                using T = std::remove_reference_t<decltype(values.*slot)>;
                values.*slot = std::move(std::get<T>(value));
            }
        },
        member);
}

}  // namespace glv
