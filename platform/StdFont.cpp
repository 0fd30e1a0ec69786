#include "platform/StdFont.h"

#include "platform/AutomationError.h"

namespace glv {

Variant StdFont::Invoke(std::string_view member, CallKind kind, std::span<const Variant> args) {
    const bool write = kind == CallKind::Let;
    if (write && args.size() != 1) RaiseRuntimeError(runtime_error::kWrongArgumentCount);
    if (!write && !args.empty()) RaiseRuntimeError(runtime_error::kWrongArgumentCount);
    auto flag = [&](bool& field) -> Variant {
        if (write) field = args[0].ToBoolean();
        return field;
    };
    if (EqualsIgnoreCase(member, "Name")) {
        if (write) Name = args[0].ToString();
        return Name;
    }
    if (EqualsIgnoreCase(member, "Size")) {
        if (write) {
            const float size = args[0].ToSingle();
            if (size <= 0) RaiseRuntimeError(runtime_error::kInvalidPropertyValue);
            Size = size;
        }
        return Size;
    }
    if (EqualsIgnoreCase(member, "Bold")) return flag(Bold);
    if (EqualsIgnoreCase(member, "Italic")) return flag(Italic);
    if (EqualsIgnoreCase(member, "Underline")) return flag(Underline);
    if (EqualsIgnoreCase(member, "Strikethrough")) return flag(Strikethrough);
    if (EqualsIgnoreCase(member, "Weight")) {
        if (write) Bold = args[0].ToInteger() >= 600;
        return static_cast<int16_t>(Bold ? 700 : 400);
    }
    return Object::Invoke(member, kind, args);
}

}  // namespace glv
